// The package and the C++ interface give the same answers: one table of
// questions goes to both (the C++ side through tests/wasm/oracle.cpp,
// named by TARVIL_ORACLE), and values, errors, positions, texts and order
// must agree. C++ positions count UTF-8 bytes; the package's UTF-16 code
// units: the expected position is converted here, independently.
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import * as tarvil from "tarvil";

const oracle = process.env.TARVIL_ORACLE;
const skip = oracle ? false : "TARVIL_ORACLE is not set (scripts/test sets it)";

const QUANTITIES = ["number", "resistance", "capacitance", "inductance", "voltage", "current", "power"];
const NOTATIONS = ["engineering", "european", "scientific", "si", "spice", "full_precision", "decimal", "any"];
const TEXTS = [
  "4k7", "4.7k", "4K7", "4R7", "1MEG", "2u2", "100nF", "10pF", "4,7k", "4,700", "1.234,5", "1,234.5",
  "4x7", "", "  ", " 4k7 ", "-4k7", "+4.7", "1e999", "1e-400", "1P", "4P7", "10f", "10FF", "2a2",
  "µ4", "4.7µF", "4.7μF", "4k7Ω", "Ω", "n47", "3V3", "1F", "4F7", "4,7.5", "1.5,5", "4.7kV", "1e-3",
  "0.1", "10", "1,5", "1\u00004", "é4", "4é", "😀4", "4😀", "\uD800x", "4.7 k ohm", "1.2 MV",
  "0,100", "1234,567", "100 mA", "4.7E3", "47R", "0R", "1.23456789012345678901234567890e-5",
];
const SETTINGS = [
  { decimal: ".", thousands: ",", grouping: 3 },
  { decimal: ",", thousands: ".", grouping: 3 },
  { decimal: ".", thousands: ",", grouping: 0 },
];
const NAMES = ["R9", "R10", "r10", "C1a", "C1B", "x2y10", "x2y9", "", "U1", "u01", "NET_1", "bad\\name",
  "a/b", "Ä1", "ä2", "R\u00ff1", "R\u00fe9", "007", "7", "R" + "9".repeat(300), "😀", "(Default)"];
const VALUES = [4700, 4.7, 0.0047, 1e-7, 2.2e-6, 1e6, 0, -4700, 1e300, 123456.789, -1e-15, NaN, Infinity, -Infinity];

const hex = (text) => Buffer.from(text, "utf8").toString("hex");
const unhex = (h) => Buffer.from(h, "hex");
const code = (s) => s.charCodeAt(0);

// The UTF-16 position of the library's byte position.
function unitPosition(text, bytePosition) {
  if (bytePosition <= 0) return bytePosition;
  return Buffer.from(text, "utf8").subarray(0, bytePosition - 1).toString("utf8").length + 1;
}

function ask(questions) {
  const run = spawnSync(oracle, { input: questions.map((q) => q.join("\t")).join("\n") + "\n", encoding: "utf8" });
  assert.equal(run.status, 0, run.stderr);
  const answers = run.stdout.trimEnd().split("\n").map((line) => line.split(" "));
  assert.equal(answers.length, questions.length);
  return answers;
}

function outcome(run) {
  try {
    return { value: run() };
  } catch (e) {
    if (!(e instanceof tarvil.ReadError)) throw e;
    return { error: e.code, position: e.position, message: e.message };
  }
}

test("read: every text, quantity, notation and setting as in C++", { skip }, () => {
  const cases = [];
  for (const text of TEXTS) {
    for (let q = 0; q < QUANTITIES.length; q++) {
      for (let n = 0; n < NOTATIONS.length; n++) {
        for (const s of SETTINGS) cases.push({ text, q, n, s });
      }
    }
  }
  const answers = ask(cases.map(({ text, q, n, s }) =>
    ["read", q, n, code(s.decimal), code(s.thousands), s.grouping, hex(text)]));
  const describeCases = [];
  cases.forEach(({ text, q, n, s }, i) => {
    const got = outcome(() => tarvil.read(text, QUANTITIES[q], NOTATIONS[n], s));
    const [kind, a, b] = answers[i];
    const where = `${JSON.stringify(text)} as ${QUANTITIES[q]} in ${NOTATIONS[n]} with ${JSON.stringify(s)}`;
    if (kind === "ok") {
      assert.ok("value" in got, `${where}: refused (${got.message}), C++ reads ${a}`);
      assert.equal(got.value, Number(a), where);
    } else {
      assert.deepEqual([got.error, got.position], [Number(a), unitPosition(text, Number(b))], where);
      describeCases.push({ text, error: Number(a), bytePosition: Number(b), position: got.position, message: got.message });
    }
  });
  // readMany gives read's answers, batch by batch.
  for (let q = 0; q < QUANTITIES.length; q++) {
    const [values, errors] = tarvil.readMany(TEXTS, QUANTITIES[q]);
    TEXTS.forEach((text, i) => {
      const one = outcome(() => tarvil.read(text, QUANTITIES[q]));
      const many = errors[i] === null ? { value: values[i] }
        : { error: errors[i].code, position: errors[i].position, message: errors[i].message };
      assert.deepEqual(many, one, JSON.stringify(text));
    });
  }
  // The marked messages: ReadError's and describe's with the UTF-16
  // position, against C++'s describe with the byte position.
  const texts = ask(describeCases.map((c) => ["describe", hex(c.text), c.error, c.bytePosition]));
  describeCases.forEach((c, i) => {
    const expected = unhex(texts[i][1] ?? "").toString("utf8");
    assert.equal(c.message, expected, JSON.stringify(c.text));
    assert.equal(tarvil.describe(c.text, c.error, c.position), expected, JSON.stringify(c.text));
  });
});

test("write: values, quantities and notations as in C++", { skip }, () => {
  const cases = [];
  for (const v of VALUES) {
    for (let q = 0; q < QUANTITIES.length; q++) {
      for (let n = 0; n < NOTATIONS.length; n++) cases.push({ v, q, n, unit: (q + n) % 2 });
    }
  }
  const answers = ask(cases.map(({ v, q, n, unit }) => ["write", String(v), q, n, unit]));
  cases.forEach(({ v, q, n, unit }, i) => {
    assert.equal(tarvil.write(v, QUANTITIES[q], NOTATIONS[n], undefined, unit === 1),
      unhex(answers[i][1] ?? "").toString("utf8"), `${v} ${QUANTITIES[q]} ${NOTATIONS[n]}`);
  });
});

test("natural order, keys and names as in C++", { skip }, () => {
  const pairs = NAMES.flatMap((a) => NAMES.flatMap((b) => [[a, b, 0], [a, b, 1]]));
  const compared = ask(pairs.map(([a, b, fold]) => ["compare", hex(a), hex(b), fold]));
  pairs.forEach(([a, b, fold], i) => {
    assert.equal(tarvil.naturalCompare(a, b, fold === 1), Number(compared[i][1]), `${a} ${b} ${fold}`);
  });
  const keys = ask(NAMES.flatMap((t) => [["key", hex(t), 0], ["key", hex(t), 1]]));
  NAMES.forEach((t, i) => {
    for (const fold of [0, 1]) {
      const key = tarvil.naturalKey(t, fold === 1);
      assert.equal(Buffer.from(key, "latin1").toString("hex"), keys[2 * i + fold][1] ?? "", t);
    }
  });
  const kinds = Array.from({ length: 23 }, (_, k) => k);
  const checks = NAMES.flatMap((t) => kinds.map((k) => [t, k]));
  const named = ask(checks.map(([t, k]) => ["name", hex(t), k]));
  checks.forEach(([t, k], i) => assert.equal(tarvil.checkName(t, k), named[i][0] === "ok", `${t} ${k}`));
});

test("readPart: value fields and their attributes as in C++", { skip }, () => {
  const FIELDS = ["10k 1%", "100n 16V", "1k ¼W Carbon film resistor", "10k/R0402", "22uF/6.3V/20%/X5R/C0603",
    "2k/1/8W", "100nF_0402_16V", "240Ω_0402", "1uH_3.2A_2520", "0805, 1uF, 10V, X5R, 20%", "8pF; +/- 0.1 pF",
    "0.03R/1%/R1206", "1.0uH/4.2A/DCR=35mR/20%/2.00x1.60x1.00mm", "DNP", "NA(10k/R0402)", "0805, 10k, 1/16W (DNP)",
    "0402", "16V X7R", "10", "0.1", "4,7K", "4,7uF 250V", "+80/-20%", "50ppm 10k", "4x7 1%", "", "  ", "é10k",
    "10k 😀 rest", "120R@100MHz", "10uF 16V"];
  const cases = FIELDS.flatMap((text) => [1, 2, 3].map((q) => ({ text, q })));
  const answers = ask(cases.map(({ text, q }) => ["part", q, hex(text)]));
  const number = (x) => (x === "-" ? null : Number(x));
  const view = (x) => (x === "-" ? null : unhex(x).toString("utf8"));
  cases.forEach(({ text, q }, i) => {
    const a = answers[i];
    const where = `${JSON.stringify(text)} as ${QUANTITIES[q]}`;
    const got = outcome(() => tarvil.readPart(text, QUANTITIES[q]));
    if (a[0] === "error") {
      assert.deepEqual([got.error, got.position], [Number(a[1]), unitPosition(text, Number(a[2]))], where);
      return;
    }
    const flags = Number(a[1]);
    assert.deepEqual(got.value, {
      value: Number(a[2]), hasValue: (flags & 1) !== 0, fitted: (flags & 2) !== 0,
      tolerance: flags & 4 ? { minus: number(a[3]), plus: number(a[4]), relative: (flags & 8) !== 0 } : null,
      voltage: number(a[5]), current: number(a[6]), power: number(a[7]), temperatureCoefficient: number(a[8]),
      dielectric: view(a[9]), package: view(a[10]), rest: view(a[11]),
    }, where);
  });
});
