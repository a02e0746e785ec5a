// tarvil: reading text typed by a user into checked electrical values and
// writing values back as text, number-aware ordering of names, name checks
// and bills of materials, through the library's own engine compiled to
// WebAssembly (tarvil.wasm, next to this file). Every answer is the C++
// library's. The module is ready when the import resolves (top-level await).
//
// Positions (ReadError.position, BOM rows' position, describe's argument)
// are 1-based and count UTF-16 code units of the JavaScript string, as
// String.prototype indexes do; 0 means the fault has no place.

// ---- The module ----------------------------------------------------------------

async function wasmBytes() {
  const url = new URL("./tarvil.wasm", import.meta.url);
  if (url.protocol === "file:") {
    const { readFile } = await import("node:fs/promises");
    return readFile(url);
  }
  const response = await fetch(url);
  if (!response.ok) throw new Error(`tarvil: ${url} could not be loaded (${response.status})`);
  return new Uint8Array(await response.arrayBuffer());
}

// The module imports a few WASI functions that its C library names but the
// entry points never reach (no file system, no clock): each answers ENOSYS.
const ENOSYS = 52;
function importsOf(module) {
  const imports = {};
  for (const { module: name, name: field, kind } of WebAssembly.Module.imports(module)) {
    if (kind !== "function") continue;
    imports[name] ??= {};
    imports[name][field] =
      field === "proc_exit"
        ? (code) => {
            throw new Error(`tarvil: the module stopped (${code})`);
          }
        : () => ENOSYS;
  }
  return imports;
}

const wasmModule = await WebAssembly.compile(await wasmBytes());
const instance = await WebAssembly.instantiate(wasmModule, importsOf(wasmModule));
const abi = instance.exports;
abi._initialize?.();

const memory = abi.memory;
let u8 = new Uint8Array(memory.buffer);
let i32 = new Int32Array(memory.buffer);
let f64 = new Float64Array(memory.buffer);
// The views go stale when the memory grows.
function heap() {
  if (u8.buffer !== memory.buffer) {
    u8 = new Uint8Array(memory.buffer);
    i32 = new Int32Array(memory.buffer);
    f64 = new Float64Array(memory.buffer);
  }
}

const reply = abi.tarvil_reply();
const REPLY_ERROR = (reply + 8) >> 2;
const REPLY_POSITION = (reply + 12) >> 2;
const REPLY_TEXT = (reply + 16) >> 2;
const REPLY_LENGTH = (reply + 20) >> 2;

const utf8Decoder = new TextDecoder("utf-8");
const utf8Encoder = new TextEncoder();

// The input area: texts are written here before each call.
let input = 0;
let inputSize = 0;
function reserve(bytes) {
  if (bytes <= inputSize) return;
  if (input !== 0) abi.tarvil_free(input);
  inputSize = Math.max(bytes, 256, inputSize * 2);
  input = abi.tarvil_alloc(inputSize);
  if (input === 0) throw new RangeError("tarvil: out of memory");
}

// putText: `text` as UTF-8 at input + offset; returns its length in bytes.
// ASCII is copied by hand (the common case, and faster than an encoder for
// short texts); anything else goes through TextEncoder, which writes a lone
// surrogate as U+FFFD.
function putText(text, offset = 0) {
  const n = text.length;
  reserve(offset + n * 3);
  heap();
  const at = input + offset;
  for (let i = 0; i < n; i++) {
    const c = text.charCodeAt(i);
    if (c >= 0x80) {
      return i + utf8Encoder.encodeInto(text.slice(i), u8.subarray(at + i, input + inputSize)).written;
    }
    u8[at + i] = c;
  }
  return n;
}

function replyBytes() {
  heap();
  const at = i32[REPLY_TEXT] >>> 0;
  return u8.subarray(at, at + (i32[REPLY_LENGTH] >>> 0));
}

function replyText() {
  return utf8Decoder.decode(replyBytes());
}

// ---- Positions: bytes of UTF-8 and UTF-16 code units -------------------------------

function utf8Length(text, i) {
  const c = text.charCodeAt(i);
  if (c < 0x80) return [1, 1];
  if (c < 0x800) return [2, 1];
  if (c >= 0xd800 && c < 0xdc00 && i + 1 < text.length) {
    const d = text.charCodeAt(i + 1);
    if (d >= 0xdc00 && d < 0xe000) return [4, 2];
  }
  return [3, 1];
}

// unitPosition: the 1-based UTF-16 position of the character that holds the
// library's 1-based byte position `position` of `text` (past the end as far
// past as the bytes are; 0 for none).
function unitPosition(text, position) {
  if (position <= 1) return position;
  const target = position - 1;
  let bytes = 0;
  let i = 0;
  while (i < text.length) {
    const [b, units] = utf8Length(text, i);
    if (bytes + b > target) return i + 1;
    bytes += b;
    i += units;
  }
  return text.length + 1 + (target - bytes);
}

// bytePosition: the inverse, for positions a caller passes in.
function bytePosition(text, position) {
  if (position <= 1) return position;
  const target = position - 1;
  let bytes = 0;
  let i = 0;
  while (i < text.length && i < target) {
    const [b, units] = utf8Length(text, i);
    bytes += b;
    i += units;
  }
  return bytes + 1 + Math.max(0, target - i);
}

function isAscii(text) {
  for (let i = 0; i < text.length; i++) if (text.charCodeAt(i) >= 0x80) return false;
  return true;
}

// ---- Names of the library's kinds --------------------------------------------------

function table(names) {
  return new Map(names.map((name, i) => [name, i]));
}

const QUANTITIES = ["number", "resistance", "capacitance", "inductance", "voltage", "current", "power"];
const NOTATIONS = ["engineering", "european", "scientific", "si", "spice", "full_precision", "decimal", "any"];
const ERRORS = [
  "none", "empty", "blank", "too_many_decimal_places", "invalid_character", "character_limit",
  "no_unit", "too_large", "too_small", "zero_not_allowed", "negative_not_allowed",
  "positive_not_allowed", "not_an_integer", "ambiguous", "not_a_value",
];
const NAME_KINDS = [
  ...Array.from({ length: 19 }, (_, i) => `type${i}`), "file", "path", "posix_file", "posix_path",
];
const BOM_STOPS = ["none", "no_records", "no_reference_column", "no_value_column", "record_too_long", "unreadable"];

const quantityIndex = table(QUANTITIES);
const notationIndex = table(NOTATIONS);
const errorIndex = table(ERRORS);
const nameKindIndex = table(NAME_KINDS);

/** The library's error codes by name: ErrorCode.invalid_character === 4. */
export const ErrorCode = Object.freeze(Object.fromEntries(ERRORS.map((name, i) => [name, i])));

function indexOf(map, names, value, what) {
  const i = typeof value === "number" ? (Number.isInteger(value) && value >= 0 && value < names.length ? value : undefined)
    : map.get(value);
  if (i === undefined) throw new TypeError(`tarvil: unknown ${what} ${JSON.stringify(value)} (${names.join(", ")})`);
  return i;
}

function checkText(text, what = "text") {
  if (typeof text !== "string") throw new TypeError(`tarvil: ${what} must be a string, not ${typeof text}`);
}

// ---- Settings -----------------------------------------------------------------------

/** The library's built-in settings (Settings{} in C++). */
export const defaultSettings = Object.freeze({
  decimal: ".",
  thousands: ",",
  grouping: 3,
  digits: 3,
  leadingZero: true,
  precision: Object.freeze([4, 4, 4, 4, 4]),
  anglePrecision: 3,
  percentagePrecision: 2,
  timePrecision: 2,
  suppressTrailingZeros: true,
  notation: "si",
  bareCapacitance: "none",
  bareInductance: "none",
});

const BARE_UNITS = ["none", "pF", "nF", "uF", "uH", "H"];
const bareUnitIndex = table(BARE_UNITS);
const SETTINGS_WORDS = 17;
const settingsBlock = abi.tarvil_alloc(SETTINGS_WORDS * 4);
const settingsKeys = new Set(Object.keys(defaultSettings));

function symbolCode(value, what) {
  if (typeof value !== "string" || value.length !== 1 || value.charCodeAt(0) >= 0x80 || value === "\0") {
    throw new TypeError(`tarvil: settings.${what} must be one ASCII character, not ${JSON.stringify(value)}`);
  }
  return value.charCodeAt(0);
}

function integer(value, what) {
  if (!Number.isInteger(value) || value < -0x80000000 || value > 0x7fffffff) {
    throw new TypeError(`tarvil: settings.${what} must be an integer, not ${JSON.stringify(value)}`);
  }
  return value;
}

// encodeSettings: the settings block of the module (wasm/AbiInternal.h,
// SettingsWord) for a settings object; 0 (the defaults) for none. Members
// left out keep their defaults; an unknown member is refused, so that a
// misspelt one does not pass unseen.
function encodeSettings(settings) {
  if (settings === undefined || settings === null) return 0;
  if (typeof settings !== "object") throw new TypeError("tarvil: settings must be an object");
  for (const key of Object.keys(settings)) {
    if (!settingsKeys.has(key)) throw new TypeError(`tarvil: unknown setting '${key}' (${[...settingsKeys].join(", ")})`);
  }
  const s = { ...defaultSettings, ...settings };
  if (!Array.isArray(s.precision) || s.precision.length !== 5) {
    throw new TypeError("tarvil: settings.precision must be an array of five integers");
  }
  const words = [
    symbolCode(s.decimal, "decimal"), symbolCode(s.thousands, "thousands"),
    integer(s.grouping, "grouping"), integer(s.digits, "digits"), s.leadingZero ? 1 : 0,
    ...s.precision.map((p) => integer(p, "precision")),
    integer(s.anglePrecision, "anglePrecision"), integer(s.percentagePrecision, "percentagePrecision"),
    integer(s.timePrecision, "timePrecision"), s.suppressTrailingZeros ? 1 : 0,
    indexOf(notationIndex, NOTATIONS, s.notation, "notation"),
    indexOf(bareUnitIndex, BARE_UNITS, s.bareCapacitance, "bare unit"),
    indexOf(bareUnitIndex, BARE_UNITS, s.bareInductance, "bare unit"),
  ];
  heap();
  i32.set(words, settingsBlock >> 2);
  return settingsBlock;
}

// ---- Errors ------------------------------------------------------------------------

/**
 * A text the library refused. `message` is the library's description (the
 * text with the faulty character marked, a line feed and the reason).
 */
export class ReadError extends Error {
  constructor(message, code, position, text) {
    super(message);
    this.name = "ReadError";
    this.code = code;
    this.position = position;
    this.text = text;
  }

  /** The code's name: "invalid_character", "ambiguous", ... */
  get reason() {
    return ERRORS[this.code] ?? String(this.code);
  }
}

function describeBytes(length, code, position, at = input) {
  abi.tarvil_describe(at, length, code, position);
  return replyText();
}

// refusal: the ReadError of a text at `at` (`length` bytes) refused with
// `code` at byte `position`.
function refusal(text, length, code, position, at = input) {
  const message = describeBytes(length, code, position, at);
  return new ReadError(message, code, length === text.length ? position : unitPosition(text, position), text);
}

// ---- Values --------------------------------------------------------------------------

/**
 * `text` as a value of `quantity` in its base unit (ohms, farads, henrys,
 * volts, amperes, watts); throws a ReadError when the library refuses it.
 */
export function read(text, quantity = "number", notation = "any", settings = undefined) {
  checkText(text);
  const q = indexOf(quantityIndex, QUANTITIES, quantity, "quantity");
  const n = indexOf(notationIndex, NOTATIONS, notation, "notation");
  const length = putText(text);
  const value = abi.tarvil_read(input, length, q, n, encodeSettings(settings));
  heap();
  const code = i32[REPLY_ERROR];
  if (code !== 0) throw refusal(text, length, code, i32[REPLY_POSITION]);
  return value;
}

const MANY = 4096;
const manyArea = abi.tarvil_alloc(MANY * 20);  // ends (4 bytes each), values (8), errors (8)
const MANY_ENDS = manyArea;
const MANY_VALUES = manyArea + MANY * 4;
const MANY_ERRORS = manyArea + MANY * 12;

/**
 * read() of many texts at once: [values, errors], values a Float64Array
 * (NaN where a text is refused), errors an array of ReadError or null. Much
 * faster than read() in a loop: the texts cross into the module in batches.
 */
export function readMany(texts, quantity = "number", notation = "any", settings = undefined) {
  const list = Array.isArray(texts) ? texts : Array.from(texts);
  const q = indexOf(quantityIndex, QUANTITIES, quantity, "quantity");
  const n = indexOf(notationIndex, NOTATIONS, notation, "notation");
  const values = new Float64Array(list.length);
  const errors = new Array(list.length).fill(null);
  const block = encodeSettings(settings);
  for (let first = 0; first < list.length; first += MANY) {
    const count = Math.min(MANY, list.length - first);
    let room = 0;
    for (let i = first; i < first + count; i++) {
      checkText(list[i], `texts[${i}]`);
      room += list[i].length * 3;
    }
    reserve(room);
    const ends = new Uint32Array(count);
    let at = 0;
    for (let i = 0; i < count; i++) ends[i] = at += putText(list[first + i], at);
    heap();
    u8.set(new Uint8Array(ends.buffer), MANY_ENDS);
    abi.tarvil_read_many(input, MANY_ENDS, count, q, n, block, MANY_VALUES, MANY_ERRORS);
    heap();
    values.set(f64.subarray(MANY_VALUES >> 3, (MANY_VALUES >> 3) + count), first);
    for (let i = 0; i < count; i++) {
      const code = i32[(MANY_ERRORS >> 2) + 2 * i];
      if (code === 0) continue;
      const begin = i === 0 ? 0 : ends[i - 1];
      errors[first + i] = refusal(list[first + i], ends[i] - begin, code, i32[(MANY_ERRORS >> 2) + 2 * i + 1], input + begin);
    }
  }
  return [values, errors];
}

/** `value` as text in `notation`, as the library writes it. */
export function write(value, quantity = "number", notation = "si", settings = undefined, withUnit = true) {
  if (typeof value !== "number") throw new TypeError("tarvil: value must be a number");
  const q = indexOf(quantityIndex, QUANTITIES, quantity, "quantity");
  const n = indexOf(notationIndex, NOTATIONS, notation, "notation");
  abi.tarvil_write(value, q, n, encodeSettings(settings), withUnit ? 1 : 0);
  return replyText();
}

/**
 * The library's description of a refusal: the text with the faulty
 * character marked and the reason (for ambiguous texts, also each reading
 * and what picks it). `error` is a code or its name; `position` counts
 * UTF-16 code units, 1-based. Empty for error 0.
 */
export function describe(text, error, position = 0) {
  checkText(text);
  const code = indexOf(errorIndex, ERRORS, error, "error");
  if (!Number.isInteger(position) || position < 0) throw new TypeError("tarvil: position must be an integer ≥ 0");
  const length = putText(text);
  return describeBytes(length, code, length === text.length ? position : bytePosition(text, position));
}

// ---- A part's value field ------------------------------------------------------------

const PART_FLAGS = 64;
const PART_VIEWS = 68;
const HAS_VALUE = 1, FITTED = 2, TOLERANCE = 4, RELATIVE = 8;
const RATINGS = [["voltage", 16, 24], ["current", 32, 32], ["power", 64, 40], ["temperatureCoefficient", 128, 48]];

/**
 * A part's value field as bills of materials hold it ('10k 1%',
 * '22uF/6.3V/20%/X5R/C0603', 'DNP'): the value of `quantity` and the
 * attributes found; throws a ReadError when there is no value and the part
 * is fitted.
 */
export function readPart(text, quantity, settings = undefined) {
  checkText(text);
  const q = indexOf(quantityIndex, QUANTITIES, quantity, "quantity");
  const length = putText(text);
  const at = abi.tarvil_read_part(input, length, q, encodeSettings(settings));
  heap();
  const code = i32[(at + 56) >> 2];
  if (code !== 0) throw refusal(text, length, code, i32[(at + 60) >> 2]);
  const flags = i32[(at + PART_FLAGS) >> 2];
  const view = (k) => {
    const begin = i32[(at + PART_VIEWS + 8 * k) >> 2];
    const end = i32[(at + PART_VIEWS + 8 * k + 4) >> 2];
    return end > begin ? utf8Decoder.decode(u8.subarray(input + begin, input + end)) : null;
  };
  const part = {
    value: f64[at >> 3],
    hasValue: (flags & HAS_VALUE) !== 0,
    fitted: (flags & FITTED) !== 0,
    tolerance: (flags & TOLERANCE) !== 0
      ? { minus: f64[(at + 8) >> 3], plus: f64[(at + 16) >> 3], relative: (flags & RELATIVE) !== 0 }
      : null,
  };
  for (const [name, flag, offset] of RATINGS) part[name] = (flags & flag) !== 0 ? f64[(at + offset) >> 3] : null;
  part.dielectric = view(0);
  part.package = view(1);
  part.rest = view(2);
  return part;
}

// ---- Names -------------------------------------------------------------------------

/** -1, 0 or 1 as `a` sorts before, with or after `b`, digit runs by value ('R9' < 'R10'). */
export function naturalCompare(a, b, ignoreCase = false) {
  checkText(a, "a");
  checkText(b, "b");
  reserve(3 * (a.length + b.length));
  const aLength = putText(a);
  const bLength = putText(b, aLength);
  return abi.tarvil_natural_compare(input, aLength, input + aLength, bLength, ignoreCase ? 1 : 0);
}

/**
 * A sort key: naturalKey(a) < naturalKey(b) exactly when naturalCompare(a,
 * b) < 0, and equal keys exactly for a result of 0. The key is a string of
 * code units 0..255 (the library's key bytes), for comparing, not showing.
 */
export function naturalKey(text, ignoreCase = false) {
  checkText(text);
  const length = putText(text);
  abi.tarvil_natural_key(input, length, ignoreCase ? 1 : 0);
  const bytes = replyBytes();
  let key = "";
  for (let i = 0; i < bytes.length; i += 8192) {
    key += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
  }
  return key;
}

/**
 * Whether `text` is a valid name of `kind`: "type0".."type18" (the suite's
 * design-object names), "file", "path" (its desktop rules), "posix_file",
 * "posix_path".
 */
export function checkName(text, kind, allowReserved = false) {
  checkText(text);
  const k = indexOf(nameKindIndex, NAME_KINDS, kind, "name kind");
  const length = putText(text);
  return abi.tarvil_check_name(input, length, k, allowReserved ? 1 : 0) === 0;
}

// ---- Bills of materials ------------------------------------------------------------

/** Why a bill of materials could not be read at all (no reference column, ...). */
export class BomError extends Error {
  constructor(message, stop) {
    super(message);
    this.name = "BomError";
    this.stop = stop;
  }
}

const bomOptionKeys = new Set(["referenceColumn", "valueColumn", "delimiter", "map", "notation", "noHeader", "bareUnit", "settings", "onLayout"]);
const BOM_SLICE = 1 << 16;

// The options as the module takes them: NUL-separated names and values
// (wasm/PartsAndBom.cpp, OptionsOf).
function bomOptionText(options) {
  const parts = [];
  for (const key of Object.keys(options)) {
    if (!bomOptionKeys.has(key)) throw new TypeError(`tarvil: unknown BOM option '${key}' (${[...bomOptionKeys].join(", ")})`);
  }
  const put = (name, value) => parts.push(name, String(value));
  if (options.referenceColumn !== undefined) put("reference_column", options.referenceColumn);
  if (options.valueColumn !== undefined) put("value_column", options.valueColumn);
  if (options.delimiter !== undefined) {
    const d = options.delimiter === "tab" ? "\t" : options.delimiter;
    if (typeof d !== "string" || d.length !== 1 || d === '"' || d === "\n" || d === "\r") {
      throw new TypeError(`tarvil: delimiter must be one character or 'tab', not ${JSON.stringify(options.delimiter)}`);
    }
    put("delimiter", d);
  }
  if (options.notation !== undefined) put("notation", indexOf(notationIndex, NOTATIONS, options.notation, "notation"));
  if (options.noHeader) put("no_header", 1);
  if (options.bareUnit !== undefined && options.bareUnit !== "none") {
    put("bare_unit", BARE_UNITS[indexOf(bareUnitIndex, BARE_UNITS, options.bareUnit, "bare unit")]);
  }
  for (const [prefix, quantity] of Object.entries(options.map ?? {})) {
    if (!/^[A-Za-z]+$/.test(prefix)) throw new TypeError(`tarvil: map: a prefix is letters, not '${prefix}'`);
    put("map", `${prefix.toUpperCase()}=${indexOf(quantityIndex, QUANTITIES, quantity, "quantity")}`);
  }
  return parts.map((p) => p + "\0").join("");
}

// The row's status, kind and unit by their numbers in the module's rows.
const BOM_STATUSES = ["read", "not-fitted", "refused", "ambiguous", "skipped"];
const KINDS = ["number", "ohms", "farads", "henrys", "volts", "amps", "watts"];
const UNITS = ["", "ohms", "F", "H", "V", "A", "W"];
const FIELDS_AT = 21;

// rowOf: a row of the module (an array: wasm/PartsAndBom.cpp, RowMember)
// as the object the package gives.
function rowOf(m) {
  const input = m[2];
  const q = m[4];
  const position = m[8];
  return {
    row: m[0],
    ref: m[1],
    input,
    status: BOM_STATUSES[m[3]],
    kind: q >= 0 ? KINDS[q] : null,
    value: m[5],
    unit: m[5] !== null && q >= 0 ? UNITS[q] : "",
    text: m[6],
    error: m[7],
    position: position > 1 && !isAscii(input) ? unitPosition(input, position) : position,
    message: m[9],
    fitted: m[10],
    tolerance: m[11] !== null ? { minus: m[11], plus: m[12], relative: m[13] } : null,
    voltage: m[14],
    current: m[15],
    power: m[16],
    temperatureCoefficient: m[17],
    dielectric: m[18],
    package: m[19],
    rest: m[20],
    fields: m.slice(FIELDS_AT),
  };
}

// A BOM being read in the module; rows come back as JSON, a batch per call.
class BomSession {
  constructor(options) {
    const text = bomOptionText(options);
    const settings = encodeSettings(options.settings);
    const bytes = utf8Encoder.encode(text);
    reserve(bytes.length);
    heap();
    u8.set(bytes, input);
    this.handle = abi.tarvil_bom_open(settings, input, bytes.length);
    this.onLayout = options.onLayout;
    this.layout = null;
    this.buffer = abi.tarvil_alloc(BOM_SLICE);
  }

  // feed: the rows completed by `bytes` (a Uint8Array of any length).
  feed(bytes, rows) {
    for (let i = 0; i < bytes.length; i += BOM_SLICE) {
      const slice = bytes.subarray(i, i + BOM_SLICE);
      heap();
      u8.set(slice, this.buffer);
      this.take(abi.tarvil_bom_feed(this.handle, this.buffer, slice.length), rows);
    }
  }

  finish(rows) {
    this.take(abi.tarvil_bom_finish(this.handle), rows);
  }

  take(stop, rows) {
    const batch = JSON.parse(replyText());
    if (batch.layout !== null) {
      this.layout = batch.layout;
      this.onLayout?.(batch.layout);
    }
    for (const member of batch.rows) rows.push(rowOf(member));
    if (stop !== 0) {
      abi.tarvil_bom_problem(this.handle);
      throw new BomError(replyText(), BOM_STOPS[stop] ?? String(stop));
    }
  }

  close() {
    abi.tarvil_free(this.buffer);
    abi.tarvil_bom_close(this.handle);
  }
}

function bytesOf(chunk) {
  if (typeof chunk === "string") return utf8Encoder.encode(chunk);
  if (chunk instanceof Uint8Array) return chunk;
  if (chunk instanceof ArrayBuffer) return new Uint8Array(chunk);
  if (ArrayBuffer.isView(chunk)) return new Uint8Array(chunk.buffer, chunk.byteOffset, chunk.byteLength);
  throw new TypeError("tarvil: a BOM is a string, a Uint8Array or an ArrayBuffer");
}

/**
 * The rows of a bill of materials (CSV text or its bytes), as the
 * library's BOM reader gives them; the array also has `header` (the
 * header's fields) and `delimiter`. Throws a BomError when the file cannot
 * be read at all (no reference or value column).
 */
export function checkBom(textOrBytes, options = {}) {
  const bytes = bytesOf(textOrBytes);
  const session = new BomSession(options);
  const rows = [];
  try {
    session.feed(bytes, rows);
    session.finish(rows);
  } finally {
    session.close();
  }
  rows.header = session.layout?.header ?? [];
  rows.delimiter = session.layout?.delimiter ?? ",";
  rows.recordsBeforeHeader = session.layout?.recordsBeforeHeader ?? 0;
  rows.crlf = session.layout?.crlf ?? false;
  rows.byteOrderMark = session.layout?.byteOrderMark ?? false;
  return rows;
}

/**
 * The rows of a bill of materials read from a stream (a ReadableStream or
 * any async iterable of strings or bytes), yielded as they are complete;
 * memory stays bounded by a chunk and its rows. options.onLayout(layout),
 * when given, is called with the header before the first row.
 */
export async function* checkBomStream(stream, options = {}) {
  const session = new BomSession(options);
  try {
    const chunks = stream[Symbol.asyncIterator] ? stream : iterateReader(stream);
    for await (const chunk of chunks) {
      const rows = [];
      session.feed(bytesOf(chunk), rows);
      yield* rows;
    }
    const rows = [];
    session.finish(rows);
    yield* rows;
  } finally {
    session.close();
  }
}

async function* iterateReader(stream) {
  const reader = stream.getReader();
  try {
    for (;;) {
      const { done, value } = await reader.read();
      if (done) return;
      yield value;
    }
  } finally {
    reader.releaseLock();
  }
}

/**
 * The summary of rows as the command prints it: "R rows, V read, F
 * refused, A ambiguous, S skipped", then ", N not fitted" and ", B records
 * before the header" where there are such, with the counts.
 * `recordsBeforeHeader` defaults to what checkBom found (for a stream:
 * the layout's recordsBeforeHeader).
 */
export function bomSummary(rows, recordsBeforeHeader = rows.recordsBeforeHeader ?? 0) {
  const counts = { rows: 0, read: 0, notFitted: 0, refused: 0, ambiguous: 0, skipped: 0, recordsBeforeHeader };
  const key = { read: "read", "not-fitted": "notFitted", refused: "refused", ambiguous: "ambiguous", skipped: "skipped" };
  for (const row of rows) {
    counts.rows++;
    counts[key[row.status]]++;
  }
  counts.text = `${counts.rows} rows, ${counts.read} read, ${counts.refused} refused, ` +
    `${counts.ambiguous} ambiguous, ${counts.skipped} skipped` +
    (counts.notFitted > 0 ? `, ${counts.notFitted} not fitted` : "") +
    (recordsBeforeHeader > 0 ? `, ${recordsBeforeHeader} records before the header` : "");
  return counts;
}

// The shortest text that reads back to `value`, as the command writes
// numbers for scripts (C++'s std::to_chars: '1e-07', where JavaScript
// writes '1e-7').
function shortestNumber(value) {
  abi.tarvil_shortest(value);
  return replyText();
}

const BOM_COLUMNS = [
  "tarvil_status", "tarvil_value", "tarvil_unit", "tarvil_text", "tarvil_error", "tarvil_message",
  "tarvil_fitted", "tarvil_tolerance", "tarvil_voltage", "tarvil_current", "tarvil_power",
  "tarvil_dielectric", "tarvil_package",
];

// The attribute columns of a row, as the command writes them for scripts
// (empty where absent, and for rows not read).
function attributeColumns(row) {
  if (row.status !== "read" && row.status !== "not-fitted") return ["", "", "", "", "", "", ""];
  const number = (x) => (x === null ? "" : shortestNumber(x));
  const t = row.tolerance;
  let tolerance = "";
  if (t !== null) {
    tolerance = t.plus === t.minus ? shortestNumber(t.plus) : `+${shortestNumber(t.plus)}/-${shortestNumber(t.minus)}`;
    if (!t.relative) tolerance += ` ${row.unit}`;
  }
  return [row.fitted ? "yes" : "no", tolerance, number(row.voltage), number(row.current), number(row.power),
    row.dielectric ?? "", row.package ?? ""];
}

/**
 * The rows as CSV, as the command writes them: the header and each record
 * with the columns tarvil_status, tarvil_value, tarvil_unit, tarvil_text,
 * tarvil_error, tarvil_message (on one line, its lines joined by "; "),
 * tarvil_fitted, tarvil_tolerance, tarvil_voltage, tarvil_current,
 * tarvil_power, tarvil_dielectric and tarvil_package appended; fields beyond
 * the header's stay together in its last column. `header` and `delimiter`
 * default to those checkBom found, as do the line end (rows.crlf) and the
 * byte order mark (rows.byteOrderMark).
 */
export function bomCsv(rows, header = rows.header ?? [], delimiter = rows.delimiter ?? ",") {
  const field = (text) => {
    const s = String(text);
    return s.includes(delimiter) || /["\r\n]/.test(s) ? `"${s.replaceAll('"', '""')}"` : s;
  };
  const lines = [(rows.byteOrderMark ? "\uFEFF" : "") + [...header, ...BOM_COLUMNS].map(field).join(delimiter)];
  const width = header.length;
  for (const row of rows) {
    const count = row.fields.length;
    const kept = count > width && width > 0 ? width - 1 : Math.max(count, width);
    const fields = Array.from({ length: kept }, (_, i) => row.fields[i] ?? "");
    if (kept < count) fields.push(row.fields.slice(kept).join(delimiter));
    fields.push(row.status, row.value === null ? "" : shortestNumber(row.value), row.unit, row.text,
      row.error === null ? "" : String(row.error), row.message.split("\n").join("; "), ...attributeColumns(row));
    lines.push(fields.map(field).join(delimiter));
  }
  const end = rows.crlf ? "\r\n" : "\n";
  return lines.join(end) + end;
}
