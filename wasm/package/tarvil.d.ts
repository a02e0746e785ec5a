// Type declarations of the package tarvil: electrical values as people type
// them, checked and written back; natural order of names; name checks;
// bills of materials. Every answer is the C++ library's.
//
// Positions: every position in this package (ReadError.position,
// BomRow.position, describe's `position`) is 1-based and counts UTF-16
// code units of the JavaScript string, as String.prototype indexes do (the
// C++ library counts bytes of UTF-8; for ASCII text the two agree). 0 means
// that the fault has no place (an empty text); a blank text is refused at
// its length + 1.

/** What a value measures; "number" has no unit. */
export type Quantity = "number" | "resistance" | "capacitance" | "inductance" | "voltage" | "current" | "power";

/** How a value is written. "any" reads every common form ('4k7', '4.7k', '4R7', '1MEG', '2u2'). */
export type Notation = "engineering" | "european" | "scientific" | "si" | "spice" | "full_precision" | "decimal" | "any";

/** The names of the library's error codes (ReadError.code is the number). */
export type ErrorName =
  | "none" | "empty" | "blank" | "too_many_decimal_places" | "invalid_character" | "character_limit"
  | "no_unit" | "too_large" | "too_small" | "zero_not_allowed" | "negative_not_allowed"
  | "positive_not_allowed" | "not_an_integer" | "ambiguous" | "not_a_value";

/** The kinds of name checkName knows. */
export type NameKind =
  | "type0" | "type1" | "type2" | "type3" | "type4" | "type5" | "type6" | "type7" | "type8" | "type9"
  | "type10" | "type11" | "type12" | "type13" | "type14" | "type15" | "type16" | "type17" | "type18"
  | "file" | "path" | "posix_file" | "posix_path";

/** The error codes by name: ErrorCode.invalid_character === 4, ErrorCode.ambiguous === 13. */
export declare const ErrorCode: Readonly<Record<ErrorName, number>>;

/**
 * Regional symbols, precisions and the active notation; members left out
 * take the defaults (defaultSettings, the C++ Settings{}). An unknown member
 * is a TypeError.
 */
export interface Settings {
  /** The decimal symbol: one ASCII character. */
  decimal?: string;
  /** The thousands symbol: one ASCII character. */
  thousands?: string;
  /** Digits per group; 0 or less: no grouping. */
  grouping?: number;
  /** Decimals of plain numbers. */
  digits?: number;
  leadingZero?: boolean;
  /** Decimals of engineering, european, scientific, si and spice, in that order. */
  precision?: readonly [number, number, number, number, number];
  anglePrecision?: number;
  percentagePrecision?: number;
  timePrecision?: number;
  suppressTrailingZeros?: boolean;
  /** The notation writers use when given "any". */
  notation?: Notation;
  /** The unit of a bare number ('10', '0.1') on a capacitance in "any"; "none": such a text is ambiguous. */
  bareCapacitance?: BareUnit;
  /** The unit of a bare number on an inductance in "any"; "none": such a text is ambiguous. */
  bareInductance?: BareUnit;
}

/** The unit of a bare capacitance (pF, nF, uF) or inductance (uH, H). */
export type BareUnit = "none" | "pF" | "nF" | "uF" | "uH" | "H";

/** The built-in settings. */
export declare const defaultSettings: Readonly<Required<Settings>>;

/** A text the library refused. `message` is the library's description: the text with the faulty character marked ('4<x>7'), a line feed and the reason. */
export declare class ReadError extends Error {
  readonly name: "ReadError";
  /** The library's error code (ErrorCode). */
  readonly code: number;
  /** 1-based position of the faulty character in UTF-16 code units of `text`; 0 for none. */
  readonly position: number;
  /** The text that was refused. */
  readonly text: string;
  /** The code's name. */
  readonly reason: ErrorName;
}

/**
 * `text` as a value of `quantity` in its base unit (ohms, farads, henrys,
 * volts, amperes, watts). Throws a ReadError when the library refuses it
 * (an ambiguous text such as '1234,567' too, with both readings in its message).
 */
export declare function read(text: string, quantity?: Quantity | number, notation?: Notation | number, settings?: Settings): number;

/**
 * read() of many texts at once: [values, errors], values NaN where a text is
 * refused and errors null where it is read. Much faster than read() in a
 * loop: the texts cross into the module in batches.
 */
export declare function readMany(texts: Iterable<string>, quantity?: Quantity | number, notation?: Notation | number, settings?: Settings): [Float64Array, (ReadError | null)[]];

/** `value` as text in `notation`, as the library writes it ('4.7kohms', '4R7'). */
export declare function write(value: number, quantity?: Quantity | number, notation?: Notation | number, settings?: Settings, withUnit?: boolean): string;

/**
 * The library's description of a refusal: the text with the faulty
 * character marked and the reason. `position` counts UTF-16 code units,
 * 1-based. Empty for error 0.
 */
export declare function describe(text: string, error: ErrorName | number, position?: number): string;

/** A tolerance: relative (1% is 0.01 both ways) or absolute in the base unit. Both are magnitudes. */
export interface Tolerance {
  minus: number;
  plus: number;
  relative: boolean;
}

/** What readPart finds in a part's value field; null where absent. */
export interface Part {
  /** In the base unit; 0 when !hasValue. */
  value: number;
  hasValue: boolean;
  fitted: boolean;
  tolerance: Tolerance | null;
  /** Ratings in V, A and W. */
  voltage: number | null;
  current: number | null;
  power: number | null;
  /** In ppm per kelvin. */
  temperatureCoefficient: number | null;
  /** As written ('X7R'). */
  dielectric: string | null;
  /** The digits of a chip size ('0402'). */
  package: string | null;
  /** What was not recognised, from its first token to the end. */
  rest: string | null;
}

/**
 * A part's value field as bills of materials hold it ('10k 1%',
 * '22uF/6.3V/20%/X5R/C0603', 'DNP'); throws a ReadError when it holds no
 * value and the part is fitted.
 */
export declare function readPart(text: string, quantity: Quantity | number, settings?: Settings): Part;

/** -1, 0 or 1 as `a` sorts before, with or after `b`, digit runs by value ('R9' < 'R10'). */
export declare function naturalCompare(a: string, b: string, ignoreCase?: boolean): -1 | 0 | 1;

/**
 * A sort key: naturalKey(a) < naturalKey(b) exactly when naturalCompare(a, b)
 * < 0, equal keys exactly for 0. A string of code units 0..255, for
 * comparing, not showing.
 */
export declare function naturalKey(text: string, ignoreCase?: boolean): string;

/** Whether `text` is a valid name of `kind`. */
export declare function checkName(text: string, kind: NameKind | number, allowReserved?: boolean): boolean;

/** What a row of a bill of materials became. */
export type BomStatus = "read" | "not-fitted" | "refused" | "ambiguous" | "skipped";

/** One row of a bill of materials, as the command's --json writes it, with the attributes of the value field. */
export interface BomRow {
  /** 1-based among the records after the header. */
  row: number;
  /** The reference field, blanks trimmed. */
  ref: string;
  /** The value field as written. */
  input: string;
  status: BomStatus;
  /** "ohms", "farads", "henrys" (the reference prefix's kind); null for a skipped row. */
  kind: string | null;
  /** In the base unit; null when nothing was read. */
  value: number | null;
  /** "ohms", "F", "H"; empty when nothing was read. */
  unit: string;
  /** The value written back in SI notation without unit ('4.7k'); empty when nothing was read. */
  text: string;
  /** The error code; null for a skipped row. */
  error: number | null;
  /** 1-based position of the fault in UTF-16 code units of `input`; 0 for none. */
  position: number;
  /** Why the row was refused, ambiguous or skipped, for a person (lines separated by "\n"). */
  message: string;
  fitted: boolean;
  tolerance: Tolerance | null;
  voltage: number | null;
  current: number | null;
  power: number | null;
  temperatureCoefficient: number | null;
  dielectric: string | null;
  package: string | null;
  rest: string | null;
  /** The record's fields as read. */
  fields: string[];
}

/** What the reader found in the file, before the first row. */
export interface BomLayout {
  delimiter: string;
  header: string[];
  /** 0-based. */
  referenceColumn: number;
  valueColumn: number;
  /** Records before the header (a title, a date), not given as rows. */
  recordsBeforeHeader: number;
  /** The first line ends in "\r\n". */
  crlf: boolean;
  /** The input began with a UTF-8 byte order mark. */
  byteOrderMark: boolean;
}

export interface BomOptions {
  /** The reference column's header name, overriding the search. */
  referenceColumn?: string;
  /** The value column's header name, overriding the search. */
  valueColumn?: string;
  /** ',', ';', '\t' or 'tab'; found from the first line when absent. */
  delimiter?: string;
  /** More reference prefixes and their quantities: { RN: "resistance" }. */
  map?: Record<string, Quantity | number>;
  /** "any" (the default) reads the forms of bills of materials; another notation reads the whole field in it. */
  notation?: Notation | number;
  /** The file has no header: the columns are found from the fields. */
  noHeader?: boolean;
  /** The unit of bare numbers on capacitors and inductors, unless the settings set one. */
  bareUnit?: BareUnit;
  settings?: Settings;
  /** Called once with the layout, before the first row. */
  onLayout?: (layout: BomLayout) => void;
}

/** Why a bill of materials could not be read at all. */
export declare class BomError extends Error {
  readonly name: "BomError";
  /** "no_records", "no_reference_column", "no_value_column", "record_too_long". */
  readonly stop: string;
}

/** The rows of checkBom, with the header and delimiter it found. */
export interface BomRows extends Array<BomRow> {
  header: string[];
  delimiter: string;
  recordsBeforeHeader: number;
  crlf: boolean;
  byteOrderMark: boolean;
}

/** The rows of a bill of materials (CSV text or its bytes); throws a BomError when it cannot be read at all. */
export declare function checkBom(textOrBytes: string | Uint8Array | ArrayBuffer | ArrayBufferView, options?: BomOptions): BomRows;

/**
 * The rows of a bill of materials read from a stream (a ReadableStream or
 * any async iterable of strings or bytes), yielded as they are complete;
 * memory stays bounded by a chunk and its rows.
 */
export declare function checkBomStream(
  stream: ReadableStream<Uint8Array | string> | AsyncIterable<Uint8Array | string>,
  options?: BomOptions,
): AsyncGenerator<BomRow, void, undefined>;

/** The counts of rows by status, and the command's summary line ("14 rows, 9 read, 2 refused, 1 ambiguous, 2 skipped"). */
export interface BomSummary {
  recordsBeforeHeader: number;
  rows: number;
  read: number;
  notFitted: number;
  refused: number;
  ambiguous: number;
  skipped: number;
  text: string;
}

export declare function bomSummary(rows: Iterable<BomRow> & { recordsBeforeHeader?: number }, recordsBeforeHeader?: number): BomSummary;

/**
 * The rows as CSV, as the command writes them: the header and each record
 * with tarvil_status, tarvil_value, tarvil_unit, tarvil_text, tarvil_error,
 * tarvil_message (on one line, joined by "; "), tarvil_fitted,
 * tarvil_tolerance, tarvil_voltage, tarvil_current, tarvil_power,
 * tarvil_dielectric and tarvil_package appended.
 */
export declare function bomCsv(rows: Iterable<BomRow> & { header?: string[]; delimiter?: string; crlf?: boolean; byteOrderMark?: boolean }, header?: string[], delimiter?: string): string;
