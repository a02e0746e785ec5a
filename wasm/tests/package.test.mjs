// The package as a user installs it: its errors, settings and names, the
// natural key, and bills of materials against the command on the same file
// (TARVIL_TOOL, the built `tarvil`; TARVIL_EXAMPLES, the tree's examples/).
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { readFile } from "node:fs/promises";
import * as tarvil from "tarvil";
import { parseCsv } from "./csv.mjs";

const tool = process.env.TARVIL_TOOL;
const examples = process.env.TARVIL_EXAMPLES;


test("errors: ReadError with code, position, text and the marked message", () => {
  assert.equal(tarvil.read("4k7", "resistance"), 4700);
  assert.equal(tarvil.read("1.5"), 1.5);  // number in any notation by default
  const cases = [
    // text, quantity, code, position, message's first line
    ["4x7", "resistance", tarvil.ErrorCode.invalid_character, 2, "4<x>7"],
    ["", "number", tarvil.ErrorCode.empty, 0, "String is empty."],
    ["😀4x", "resistance", 4, 1, "<😀>4x"],
    ["1234,567", "resistance", tarvil.ErrorCode.ambiguous, 5, "1234<,>567"],
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
  assert.deepEqual(tarvil.readPart("22uF/6.3V/20%/X5R/C0603", "capacitance"), {
    value: 22e-6, hasValue: true, fitted: true, tolerance: { minus: 0.2, plus: 0.2, relative: true },
    voltage: 6.3, current: null, power: null, temperatureCoefficient: null,
    dielectric: "X5R", package: "0603", rest: null,
  });
  const dnp = tarvil.readPart("DNP", "resistance");
  assert.deepEqual([dnp.hasValue, dnp.fitted], [false, false]);
  assert.equal(tarvil.readPart("10", "capacitance", { bareCapacitance: "uF" }).value, 1e-5);
  assert.throws(() => tarvil.readPart("0402", "capacitance"), (e) => e.code === tarvil.ErrorCode.not_a_value);
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
    // The command adds what to do ("(--map U=KIND)") to the library's message.
    assert.ok(e.message.split("\n")[0].startsWith(row.message.split("\n")[0]), `row ${i + 1}`);
  });
  assert.ok(json.stderr.includes(`tarvil: bom: ${tarvil.bomSummary(rows).text}\n`), json.stderr);
  // The CSV: every column the command writes, the message's first line.
  const csv = spawnSync(tool, ["bom", "--settings", "defaults", path], { encoding: "utf8" }).stdout;
  const records = (text) => parseCsv(text).map((r) => r.map((f) => f.split(/\n|; | \(--/)[0]));
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
  assert.throws(() => tarvil.checkBom("Qty,Cost\n1,2\n"), (e) => e instanceof tarvil.BomError && e.stop === "no_reference_column");
  assert.throws(() => tarvil.checkBom("Reference,Qty\nR1,2\n"), (e) => e instanceof tarvil.BomError && e.stop === "no_value_column");
  assert.throws(() => tarvil.checkBom(""), (e) => e instanceof tarvil.BomError && e.stop === "no_records");
  const rows = tarvil.checkBom("Ref;Val\r\nR1;4k7\r\nRC1;10k\r\n", { map: { RC: "resistance" } });
  assert.deepEqual(rows.map((r) => [r.status, r.value]), [["read", 4700], ["read", 10000]]);
  assert.equal(rows.delimiter, ";");
  const titled = tarvil.checkBom("Bill of materials\n2024-05-01\nRef,Value\nR1,4k7\n");
  assert.equal(tarvil.bomSummary(titled).text, "1 rows, 1 read, 0 refused, 0 ambiguous, 0 skipped, 2 records before the header");
});
