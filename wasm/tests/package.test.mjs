// The package as a user installs it: its errors, settings and names, the
// natural key, and bills of materials against the command on the same file
// (TARVIL_TOOL, the built `tarvil`; TARVIL_EXAMPLES, the tree's examples/).
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { readFile } from "node:fs/promises";
import * as tarvil from "tarvil";

const tool = process.env.TARVIL_TOOL;
const examples = process.env.TARVIL_EXAMPLES;

// Records of CSV text (',' and quotes), enough for the command's output.
function parseCsv(text) {
  const records = [];
  let record = [];
  let field = "";
  let quoted = false;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') field += text[++i];
      else if (c === '"') quoted = false;
      else field += c;
    } else if (c === '"') quoted = true;
    else if (c === ",") record.push(field), (field = "");
    else if (c === "\n") record.push(field), records.push(record), (record = []), (field = "");
    else field += c;
  }
  return records;
}

test("errors: ReadError with code, position, text and the marked message", () => {
  assert.equal(tarvil.read("4k7", "resistance"), 4700);
  assert.equal(tarvil.read("1.5"), 1.5);  // number in any notation by default
  const cases = [
    // text, quantity, code, position, message's first line
    ["4x7", "resistance", tarvil.ErrorCode.invalid_character, 2, "4<x>7"],
    ["", "number", tarvil.ErrorCode.empty, 0, "String is empty."],
    ["😀4x", "resistance", 4, 1, "<😀>4x"],
    ["4,7k", "resistance", tarvil.ErrorCode.ambiguous, 2, "4<,>7k"],
  ];
  for (const [text, quantity, code, position, first] of cases) {
    assert.throws(() => tarvil.read(text, quantity), (e) => {
      assert.ok(e instanceof tarvil.ReadError && e instanceof Error);
      assert.deepEqual([e.name, e.code, e.position, e.text], ["ReadError", code, position, text]);
      assert.equal(e.message.split("\n")[0], first);
      assert.equal(e.reason, Object.keys(tarvil.ErrorCode)[code]);
      return true;
    });
  }
  assert.equal(tarvil.ErrorCode.ambiguous, 13);
  assert.equal(tarvil.describe("4x7", 0), "");
});

test("arguments: names or numbers of enums, settings checked member by member", () => {
  assert.equal(tarvil.read("4,7", "number", "any", { decimal: ",", thousands: "." }), 4.7);
  assert.equal(tarvil.read("4k7", 1, 7), 4700);
  assert.equal(tarvil.write(4700, "resistance", "european"), "4k7");
  assert.equal(tarvil.write(4700, "resistance", "si", { precision: [4, 4, 4, 1, 4] }, false), "4.7k");
  assert.equal(tarvil.defaultSettings.grouping, 3);
  assert.ok(Object.isFrozen(tarvil.defaultSettings));
  const refused = [
    () => tarvil.read("1", "ohms"),
    () => tarvil.read("1", "number", "sci"),
    () => tarvil.read("1", 7),
    () => tarvil.read(4700),
    () => tarvil.read("1", "number", "any", { decimalSymbol: "," }),
    () => tarvil.read("1", "number", "any", { decimal: ",," }),
    () => tarvil.read("1", "number", "any", { decimal: "€" }),
    () => tarvil.read("1", "number", "any", { grouping: 1.5 }),
    () => tarvil.checkName("R1", "type19"),
    () => tarvil.checkBom("Reference,Value\n", { refColumn: "Ref" }),
  ];
  for (const call of refused) assert.throws(call, TypeError);
});

test("naturalKey orders as naturalCompare, with and without case", () => {
  let seed = 7;
  const random = () => (seed = (seed * 48271) % 2147483647) / 2147483647;
  const alphabet = ["R", "r", "C", "0", "1", "9", "_", "é", "😀", "\u00ff", "\u00fe", "10", "007"];
  const texts = Array.from({ length: 300 }, () =>
    Array.from({ length: Math.floor(random() * 6) }, () => alphabet[Math.floor(random() * alphabet.length)]).join(""));
  for (const fold of [false, true]) {
    const byCompare = [...texts].sort((a, b) => tarvil.naturalCompare(a, b, fold) || (a < b ? -1 : a > b ? 1 : 0));
    const byKey = [...texts].sort((a, b) => {
      const [x, y] = [tarvil.naturalKey(a, fold), tarvil.naturalKey(b, fold)];
      return x < y ? -1 : x > y ? 1 : a < b ? -1 : a > b ? 1 : 0;
    });
    assert.deepEqual(byKey, byCompare);
  }
});

test("readPart: the part's members, null where absent", () => {
  const part = tarvil.readPart("10k", "resistance");
  assert.equal(part.value, 10000);
  assert.equal(part.hasValue, true);
  assert.equal(part.fitted, true);
  for (const key of ["tolerance", "voltage", "current", "power", "temperatureCoefficient", "dielectric", "package", "rest"]) {
    assert.ok(key in part, key);
  }
  assert.throws(() => tarvil.readPart("4x7", "resistance"), tarvil.ReadError);
});

test("checkBom: the command's rows and CSV on the same file", { skip: tool && examples ? false : "TARVIL_TOOL or TARVIL_EXAMPLES not set" }, async () => {
  const path = `${examples}/bom.csv`;
  const bytes = await readFile(path);
  const rows = tarvil.checkBom(bytes);
  const json = spawnSync(tool, ["bom", "--json", "--settings", "defaults", path], { encoding: "utf8" });
  const expected = json.stdout.trim().split("\n").map((line) => JSON.parse(line));
  assert.equal(rows.length, expected.length);
  rows.forEach((row, i) => {
    const e = expected[i];
    assert.deepEqual(
      [row.row, row.ref, row.input, row.status, row.kind, row.value, row.unit, row.text, row.error, row.position],
      [e.row, e.ref, e.input, e.status, e.kind, e.value, e.unit, e.text, e.error, e.cursor], `row ${i + 1}`);
    assert.equal(row.message.split("\n")[0], e.message.split("\n")[0], `row ${i + 1}`);
  });
  assert.equal(`tarvil: bom: ${tarvil.bomSummary(rows).text}`, json.stderr.trim().split("\n").pop());
  // The CSV: every column the command writes, the message's first line.
  const csv = spawnSync(tool, ["bom", "--settings", "defaults", path], { encoding: "utf8" }).stdout;
  const records = (text) => parseCsv(text).map((r) => [...r.slice(0, -1), r.at(-1).split(/\n|; /)[0]]);
  assert.deepEqual(records(tarvil.bomCsv(rows)), records(csv));
  // Text, bytes and a stream cut anywhere give the same rows.
  assert.deepEqual([...tarvil.checkBom(bytes.toString("utf8"))], [...rows]);
  for (const size of [1, 7, 64]) {
    const chunks = [];
    for (let i = 0; i < bytes.length; i += size) chunks.push(bytes.subarray(i, i + size));
    const stream = new ReadableStream({ start(c) { chunks.forEach((x) => c.enqueue(x)); c.close(); } });
    const streamed = [];
    for await (const row of tarvil.checkBomStream(stream)) streamed.push(row);
    assert.deepEqual(streamed, [...rows], `chunks of ${size}`);
  }
});

test("checkBom: a file it cannot read at all is a BomError", () => {
  assert.throws(() => tarvil.checkBom("Part,Qty\nR1,2\n"), (e) => e instanceof tarvil.BomError && e.stop === "no_reference_column");
  assert.throws(() => tarvil.checkBom(""), (e) => e instanceof tarvil.BomError && e.stop === "no_records");
  const rows = tarvil.checkBom("Ref;Val\r\nR1;4k7\r\nRN1;10k\r\n", { map: { RN: "resistance" } });
  assert.deepEqual(rows.map((r) => [r.status, r.value]), [["read", 4700], ["read", 10000]]);
  assert.equal(rows.delimiter, ";");
});
