// wasm-bench.mjs: the npm package in Node against JavaScript's own
// baselines in the same run, as ratios. Run by bench/wasm-bench (after
// scripts/wasm), which prints the table of bench/README.md.
//
//   read        read() of 100,000 BOM values ('4k7', '100nF', '2u2',
//               '1MEG', '4.7 k', '10pF', ...) against parseFloat() of the
//               same values written plainly ('4700', '1e-7', ...)
//   readMany    readMany() of the same values, against the same baseline
//   checkBom    checkBom() of a 100,000-row CSV file (four columns, rows
//               read, refused and ambiguous in turn), in wall time
// Each figure is the best of several interleaved repetitions.
import { performance } from "node:perf_hooks";

const packagePath = process.argv[2];
if (!packagePath) {
  console.error("usage: node bench/wasm-bench.mjs PATH/TO/tarvil.js");
  process.exit(2);
}
const tarvil = await import(packagePath);

const COUNT = 100_000;
const ROUNDS = 7;

// Values as BOMs hold them, with their plain numbers. A linear congruential
// generator keeps the corpus the same from run to run.
function corpus() {
  let seed = 12345;
  const next = () => (seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648;
  const prefixes = [["", 1], ["k", 1e3], ["M", 1e6], ["m", 1e-3], ["u", 1e-6], ["n", 1e-9], ["p", 1e-12]];
  const texts = [];
  const plain = [];
  for (let i = 0; i < COUNT; i++) {
    const [prefix, scale] = prefixes[Math.floor(next() * prefixes.length)];
    const mantissa = [1, 2.2, 4.7, 10, 33, 47, 100, 220, 470][Math.floor(next() * 9)];
    const form = i % 4;
    const digits = String(mantissa);
    let text;
    if (form === 0 && prefix !== "" && digits.includes(".")) text = digits.replace(".", prefix);  // 4k7
    else if (form === 1) text = `${digits}${prefix}F`;
    // A bare number on a capacitance is ambiguous (pF or uF?): those carry the unit.
    else if (form === 2) text = prefix === "" ? `${digits} F` : `${digits} ${prefix}`;
    else text = prefix === "" ? `${digits}F` : `${digits}${prefix}`;
    texts.push(text.trim());
    plain.push(String(mantissa * scale));
  }
  return { texts, plain };
}

function best(run) {
  let fastest = Infinity;
  let result;
  for (let r = 0; r < ROUNDS; r++) {
    const start = performance.now();
    result = run();
    fastest = Math.min(fastest, performance.now() - start);
  }
  return { ms: fastest, result };
}

function bomFile() {
  const lines = ["Reference,Value,Footprint,Description"];
  const values = ["4k7", "100n", "2u2", '"1234,567"', "10pF", "4x7", "1MEG", "47R"];
  for (let i = 1; i <= COUNT; i++) {
    const prefix = "RCL"[i % 3];
    lines.push(`${prefix}${i},${values[i % values.length]},R_0603,"Part ${i}, generated"`);
  }
  return lines.join("\n") + "\n";
}

const { texts, plain } = corpus();
const quantity = "capacitance";
const refused = texts.filter((t) => { try { tarvil.read(t, quantity); return false; } catch { return true; } });
if (refused.length > 0) throw new Error(`the corpus holds refused texts: ${refused.slice(0, 5)}`);
const readTexts = () => {
  let sum = 0;
  for (const t of texts) {
    try {
      sum += tarvil.read(t, quantity);
    } catch {
      sum -= 1;
    }
  }
  return sum;
};
const parsePlain = () => {
  let sum = 0;
  for (const t of plain) sum += parseFloat(t);
  return sum;
};
// Warm both up, then interleave.
readTexts();
parsePlain();
const readBatch = () => tarvil.readMany(texts, quantity)[0].reduce((a, b) => a + b, 0);
readBatch();
let readMs = Infinity;
let manyMs = Infinity;
let parseMs = Infinity;
for (let r = 0; r < ROUNDS; r++) {
  readMs = Math.min(readMs, best(readTexts).ms);
  manyMs = Math.min(manyMs, best(readBatch).ms);
  parseMs = Math.min(parseMs, best(parsePlain).ms);
}
const csv = bomFile();
const bom = best(() => tarvil.checkBom(csv));
const ratio = readMs / parseMs;
const manyRatio = manyMs / parseMs;

const rows = [
  ["read, 100,000 BOM values", `${readMs.toFixed(1)} ms`, `parseFloat ${parseMs.toFixed(1)} ms`, ratio.toFixed(2), "≤ 3", ratio <= 3 ? "met" : "not met"],
  ["readMany, the same values", `${manyMs.toFixed(1)} ms`, `parseFloat ${parseMs.toFixed(1)} ms`, manyRatio.toFixed(2), "≤ 3", manyRatio <= 3 ? "met" : "not met"],
  ["checkBom, 100,000 rows", `${bom.ms.toFixed(0)} ms`, "", "", "< 1000 ms", bom.ms < 1000 ? "met" : "not met"],
];
console.log("| benchmark | tarvil | baseline | ratio | target | |");
console.log("|---|---|---|---|---|---|");
for (const row of rows) console.log(`| ${row.join(" | ")} |`);
console.log(`\n(${bom.result.length} rows; node ${process.version})`);
