// Help.cpp: the help texts of the tool and of each subcommand.
#include <cstdio>
#include <cstring>

#include "Commands.h"

namespace tarvil::tool {

namespace {

constexpr const char* kProgramHelp = R"(Usage: tarvil [--json] COMMAND [OPTION]... [TEXT]...
       tarvil --help | --version | help [COMMAND]

Reads text typed by a user into checked values, and writes values back as
text, exactly as the tarvil library does: electrical values in five
notations, lengths as counts of 1 nm or 10 nm, times, velocities, angles,
plain numbers in the user's regional format, number-aware sorting and name
validation.

Commands:
  parse     read texts and print each value in its base unit
  format    write values as text
  convert   move a length, time, velocity or angle to another unit
  sort      sort lines so that numbers inside them sort by value (R2 < R10)
  check     validate names, file names and path names
  units     show the electrical prefix tables a units definition file gives
  settings  show the regional and notation settings and where they came from
  bom       check the values of a bill of materials (CSV)

Texts are taken from the command line; with no text, or for each '-', from
standard input, one per line ("\n" or "\r\n") of at most 1 MiB. Every
input gets one output line, in order, and a refused input never stops the
others; a longer line stops the input (status 2). An argument that
starts with '-' and a digit, '.', ',' or '+' is a text, not an option; '--'
ends the options.

Common options:
  --json      one JSON object per input line instead of plain text
  --settings S  locale (default): the built-in settings with the decimal and
              thousands symbols of the POSIX locale (LC_ALL, LC_NUMERIC,
              LANG; LC_ALL=C gives '.' and ','); registry: the user's
              registry file, read only (a registry file that cannot be
              read stops the command, status 2); defaults: the built-in
              settings. Decimal and thousands symbols that cannot be told
              apart from the numbers (blank decimal, a digit or a sign,
              the same for both) stop the command (status 2).
  -h, --help  help of the program or of a command
  --version   the version

Numbers printed for scripts (parse, convert, bom) are plain: C locale, no
grouping, the shortest text that reads back to the same double ('1000',
'1e-09'). No command writes a file unless an option names it
('tarvil settings --init').

Exit status: 0 when every input was accepted, 1 when any input was refused,
2 for a usage error, a file that could not be read or written, settings that
cannot be used, an input line longer than 1 MiB, or too little memory.

The registry files are named by TARVIL_USER_REGISTRY and
TARVIL_MACHINE_REGISTRY (see 'tarvil settings'). See also tarvil(1).
)";

constexpr const char* kParseHelp = R"(Usage: tarvil parse [OPTION]... [TEXT]...

Reads each TEXT as the library reads it and prints its value in the base
unit: ohms, F, H, V, A, W; lengths as a count of nm (or tnm with --base tnm);
times in s, velocities in m/s, angles in deg; integers and numbers bare.
Values are written in their shortest exact form ('4700', '1e-08').

Electrical values and numbers are read in any notation by default: every
form with one meaning in common use ('4k7', '4.7k', '4R7', '1MEG', '2u2',
'4.7E3'). A ',' or '.' followed by other than three digits is the decimal
symbol whatever the settings ('4,7k' 4700, '1,5' 1.5, '1.234,5' 1234.5);
with three the settings decide ('4,700'). A text whose common readings
differ ('1234,567': 1234.567 with a decimal comma, 1234567 in SI notation;
a bare capacitance '10': pF or uF) is refused as ambiguous (error 13) with
both readings and what picks each. A text refused in the notation of
--notation is told what reads it, as in: reads as 4700 in European notation
(--notation euro).

Without --as the text is classified by its unit; a text without one is
read as a plain number ('4k7' is 4700). A refused text prints an empty
line, and the library's message, with the offending character marked
'<x>', on standard error.

With --part (and --as KIND) each TEXT is a part's value field as bills of
materials hold it: the value among attributes ('10k 1%', '100nF_0402_16V',
'22uF/6.3V/20%/X5R/C0603', 'NA(10k/R0402)'). The line holds the value and
unit ('none' for a part marked not fitted without one), then name=value for
each attribute found: fitted=no, tolerance=-20%/+80% (an absolute one in
the value's unit), voltage, current, power (V, A, W),
temperature_coefficient (ppm/K), dielectric, package and rest (the
unrecognised text, from its first token on) as JSON strings. A package
code or attributes without a value are refused (error 14).

Options:
  --as KIND       read every text as KIND: ohms, farads, henrys, volts, amps,
                  watts, length, time, velocity, angle, integer, number
  --notation N    any (default), eng, euro, sci, si or spice; decimal reads
                  integers and numbers in the regional format of the string
                  class ('1,5' is 15 there)
  --bare-unit U   pF, nF or uF for capacitances, uH or H for inductances
                  written as bare numbers ('10'); may be given for both
  --part          read value fields with their attributes (needs --as)
  --strict        electrical values must carry their unit name ('4.7kohms');
                  by default '4.7k' is also taken as ohms with --as ohms
  --unit U        read a bare number of a length, time, velocity or angle in
                  U (in, mm, um, th, es...as, in/ns, m/s, %c, deg, rad,
                  "'", '"'); implies --as of that kind; without it these
                  measures need a unit in the text
  --base B        nm (default) or tnm: the resolution of lengths
  --positive      angles in [0, 360) instead of (-360, 360)
  --settings S    locale (default), registry or defaults
  --json          one object per text: input, ok, kind, value, unit, error,
                  cursor, message; with --part also fitted, tolerance
                  (minus, plus, relative), voltage, current, power,
                  temperature_coefficient, dielectric, package, rest (null
                  where absent; value null without one)

Integers are whole numbers within the 32-bit range; others are refused.
Lengths take in, mm, um, th, mil and mils.

Examples:
  tarvil parse --as ohms 4k7 2u2 4R7 1MEG
  tarvil parse 100nF 25.4mm 10ns 45deg
  tarvil parse --notation euro --as ohms 4k7 4R7
  tarvil parse --part --as farads --bare-unit uF '0805, 10, 16V, X5R'
  cut -f2 values.txt | tarvil parse --as farads --json
)";

constexpr const char* kFormatHelp = R"(Usage: tarvil format [OPTION]... [VALUE]...

Writes each VALUE as the library writes it. VALUE is a machine number in the
C locale ('4700', '-2.5e-9', 'inf'): ohms, farads, henrys, volts, amps and
watts for the electrical kinds; a whole count of base units (nm, or tnm with
--base tnm) for lengths; seconds for times; m/s for velocities; degrees for
angles; an integer or number otherwise. The text follows the settings:
notation, precision, trailing zeros, decimal and grouping symbols.

Options:
  --as KIND        ohms, farads, henrys, volts, amps, watts, length, time,
                   velocity, angle, integer, number (default: number, or the
                   kind of --unit)
  --notation N     eng, euro, sci, si or spice (default: the notation of the
                   settings, SI unless the registry says otherwise) for
                   electrical values; integers and numbers are written in
                   the regional format unless a notation is given
  --unit U         display unit: in, mm (default), um, th for lengths;
                   es...as (s by default) for times; in/ns, m/s (default),
                   %c for velocities; deg (default), rad, "'", '"' for angles
  --base B         nm (default) or tnm: what a length count counts
  --precision N    decimals to write (the setting that governs the kind:
                   the notation's, the regional digits, time, angle or
                   percentage precision), within the library's range
  --full           as many decimals as the value needs instead
  --keep-zeros     keep trailing zeros of the decimals
  --no-unit        the number alone, without its unit
  --settings S     locale (default), registry or defaults
  --json           one object per value: input, ok, kind, value, text,
                   error, cursor, message

Examples:
  tarvil format --as ohms --notation euro 4700 4.7        (4k7, 4R7)
  tarvil format --as length --unit th 25400               (1th)
  tarvil format --as time --unit ns 1.5e-9                (1.5ns)
)";

constexpr const char* kConvertHelp = R"(Usage: tarvil convert [OPTION]... --to UNIT [TEXT]...

Reads each TEXT as a length, time, velocity or angle (the kind of UNIT) and
prints it in UNIT as scripts read numbers: full precision, C locale, no
grouping ('convert 1mm --to um' prints 1000, 'convert 1ns --to s' 1e-09).
With --display it is written as the library writes it, with the precision
and symbols of the settings. Lengths pass through a count of base units
(1 nm, or 10 nm with --base tnm); with UNIT nm or tnm that count is printed.

Options:
  --to UNIT       in, mm, um, th (mil), nm, tnm; es, Ps, Ts, Gs, Ms, Ks, s, ms,
                  us, ns, ps, fs, as (the prefix in its own case); in/ns,
                  m/s, %c; deg, rad, "'" (arcmin), '"' (arcsec)
  --from UNIT     the unit of a bare number (the text may then omit it)
  --display       the configured precision, decimal and grouping symbols
  --precision N   decimals to write, within the library's range (implies
                  --display)
  --full          as many decimals as the value needs (implies --display)
  --keep-zeros    keep trailing zeros of the decimals (implies --display)
  --show-unit     append the unit to the number
  --base B        nm (default) or tnm
  --positive      angles in [0, 360)
  --settings S    locale (default), registry or defaults
  --json          one object per text: input, ok, kind, value, unit, text,
                  error, cursor, message

Examples:
  tarvil convert 25.4mm --to in                           (1)
  tarvil convert 10mil --to mm                            (0.254)
  tarvil convert --keep-zeros 25.4mm --to in              (1.000)
  tarvil convert 1.2ns 500ps --to ps --show-unit
  tarvil convert "10deg 30'" --to rad
)";

constexpr const char* kSortHelp = R"(Usage: tarvil sort [OPTION]... [FILE]...

Sorts the lines of the FILEs (standard input when none, or for '-') with the
library's number-aware comparison: from the first difference on, a longer
run of digits sorts after a shorter one, so R2 comes before R10 and C9
before C10. Equal lines keep their order. Line ends may be "\n" or "\r\n";
lines are written with "\n".

Options:
  --nocase         compare letters without regard to case
  --case-tiebreak  without regard to case, then with it to break ties
  --limit N        compare only the first N bytes of each line
  --reverse        the opposite order
  --settings S     accepted for uniformity; the order does not depend on it
  --json           one object per line: text, line (its number in the input)
)";

constexpr const char* kCheckHelp = R"(Usage: tarvil check name|file|path|ascii [OPTION]... [TEXT]...

Validates each TEXT as the library does and prints 'valid' or 'invalid'; for
an invalid one the library's message, with the offending character marked,
goes to standard error.

  name    a design-object name: printable, none of \ ! ( ), surrounding
          blanks ignored; with --type the rule and length limit of that
          kind of name, with --limit a length limit
  file    a file name of this machine: 1 to 255 bytes, no '/' and no NUL;
          with --rules suite: at most 255 bytes, printable, none of
          \ / : * ? " < > |
  path    a path name of this machine: 1 to 4095 bytes, no NUL, components
          of at most 255 bytes; with --rules suite: at most 260 bytes;
          drive, network share, components
  ascii   only bytes below 128

Options:
  --type N          name kind 0 to 18
  --limit N         names of at most N bytes (from first to last non-blank)
  --allow-special   with --type: accept the kind's reserved names, such as
                    '(Default)'
  --rules R         file and path names: posix (default) or suite
  --settings S      accepted for uniformity; the checks do not depend on it
  --json            one object per text: input, ok, check, error, cursor,
                    message
)";

constexpr const char* kUnitsHelp = R"(Usage: tarvil units [--file FILE] [--settings S] [--json]

Loads a units definition file exactly as the library loads it (the installed
one, CommonDir/OVUnits.hkp of the machine registry, by default; FILE with
--file) and prints the prefix table in force for resistance, capacitance,
inductance, voltage, current and power in each of the Engineering,
European, Scientific, SI and SPICE notations: exponent, display text,
prefix name, and whether the display is matched in its own case only. Then
the error log the load wrote (OVUnits.txt), if any.

The file is read once, and nothing is written, beside it or anywhere else.

Exit status: 0 for a clean load (or when no file is configured, the built-in
tables then apply), 1 when the load refused the file or any entry of it, 2
when the file cannot be read: it is missing or unreadable, is no regular file
(a pipe or a device), or is larger than 16 MiB.

Options:
  --file FILE   the units definition file to load
  --settings S  defaults: the built-in tables, without the installed file
  --json        one object per table (measure, kind, notation, unit_name,
                entries), then one with file, ok and log
)";

constexpr const char* kSettingsHelp = R"(Usage: tarvil settings [--settings S] [--init] [--json]

Prints the regional settings (decimal symbol, digits, grouping symbol,
grouping, leading zero) and the notation settings (precisions, trailing
zeros, active notation) the commands work with, and where each came from.
By default (--settings locale) those are the built-in settings with the
decimal and thousands symbols of the process's numeric locale. With
--settings registry they are read from the user registry file (the
process's numeric locale stands in for regional settings it lacks);
with --settings defaults they are the built-in ones. Then the directory of
the installed units definition file, from the machine registry.

The user registry is the file named by TARVIL_USER_REGISTRY, else
${XDG_CONFIG_HOME:-$HOME/.config}/orvanta/registry.reg; the machine registry
the file named by TARVIL_MACHINE_REGISTRY, else /etc/orvanta/registry.reg.
Nothing is written, unless --init asks for the notation settings to be
added with their defaults to the user registry when they are missing. A
registry file that is no regular file or is larger than 16 MiB is not
read: the settings shown are then the ones that stand in for it, and the
file is reported (status 2); so are settings whose symbols cannot be told
apart from the numbers. When --init cannot write the user registry, the
file and the reason are reported (status 2) and the file is left as it was.

Options:
  --settings S  locale (default), registry or defaults
  --init        add the missing notation settings to the user registry
  --json        one object per setting: group, name, value, source, file
)";

constexpr const char* kBomHelp = R"BOM(Usage: tarvil bom [OPTION]... FILE|-

Checks the values of a bill of materials: a CSV file (standard input for
'-') as design tools and spreadsheets export it, read with no option:
- the delimiter is ',', ';' or tab, the one on most of the first lines;
  lines end in LF, CRLF or CR; a UTF-8 byte order mark is allowed;
- the header is the first of the first 20 records that names a reference
  column (Reference, References, Ref, Refs, RefDes, Ref Des, Ref Name,
  Designator, Designators, Part, Parts, Component, Components, Reference
  Designator; case, blanks, '_' and a trailing "(s)" ignored) and a value
  column (Value, Values, Val, Comment, Name, Designation); the records
  before it (a title, a date) are skipped and counted. Of several value
  columns, the one whose fields read as values most often wins;
- without a header (or with --no-header) the reference column is the one
  holding references ('C1', 'R1, R2', 'R12 .. R23') and the value column
  the one whose fields read as values of their row's kind most often;
- a file whose every record is one quoted field is read as the CSV inside;
- section lines ('Resistors': one field, no reference) are skipped.
Fields may be quoted, with delimiters, doubled quotes and line breaks
inside. The letters that begin a reference give the kind of its value: R,
RN, RA, RM, RV, RT, RP ohms; C, CV, CP farads; L henrys. Rows of any other
prefix are skipped with the reason, and counted by prefix on standard error.
Each value field is read with its attributes ('10k 1%', '100nF 50V X7R');
DNP, DNF, NP, NC mark a part not fitted.

Every record is written back in order, with the input's delimiter and these
columns appended: tarvil_status (read, not-fitted, refused, ambiguous or
skipped), tarvil_value (in ohms, F, H, V, A or W, as scripts read numbers),
tarvil_unit, tarvil_text (the value written back in the notation, SI for
any: '4.7k', '100n'), tarvil_error (the library's error code; empty when
skipped or when the record itself is faulty), tarvil_message (what is wrong,
on one line: its lines joined by "; "), tarvil_fitted (yes or no),
tarvil_tolerance (a fraction, '0.01' for 1%; '+0.8/-0.2' when uneven; an
absolute one with its unit), tarvil_voltage, tarvil_current, tarvil_power,
tarvil_dielectric and tarvil_package (empty where absent). A file without a
header gets a header line with empty names for its own columns.

Faulty records are refused and reading goes on: a character after a closing
quote, a quote never closed (the record is its line; the next line is read
as the next record), more fields than the header (they are kept together in
the last column, so the appended columns stay in place).

The last line on standard error counts the rows: "tarvil: bom: R rows, V
read, F refused, A ambiguous, S skipped" (then ", N not fitted" and ", H
records before the header" when there are any); a line "skipped prefixes:
FB 2, Y 1" follows when rows were skipped for their prefix. A progress line
is shown there while a file of more than 4 MiB is read, when standard error
is a terminal.

Exit status: 0 when every value was read, not fitted or skipped, 1 when any
row was refused or ambiguous, 2 for a usage error (no reference or value
column among them, with the header looked at and nothing on standard
output) or an input that cannot be read (a record longer than 1 MiB
included).

Options:
  --map PREFIX=KIND   read the values of references beginning with PREFIX as
                      KIND: ohms, farads, henrys, volts, amps, watts or
                      number (repeatable; adds or overrides)
  --ref-column NAME   the reference column (without a header: its number)
  --value-column NAME the value column (without a header: its number)
  --no-header         the file has no header: find the columns by their fields
  --bare-unit U       the unit of a bare number on a capacitor or inductor:
                      pF, nF, uF, uH or H ('10' reads as 10uF)
  --delimiter C       the field delimiter (one character, or 'tab')
  --notation N        any (default), eng, euro, sci, si or spice
  --bare-unit U       pF, nF or uF for capacitances, uH or H for inductances
                      written as bare numbers (repeatable, one each)
  --settings S        locale (default), registry or defaults
  --json              instead, one object per data record: row, line, ref,
                      input, status, kind, value, unit, text, error, cursor,
                      message, fitted, tolerance, voltage, current, power,
                      dielectric, package

Examples, one per export shape:
  tarvil bom board.csv > checked.csv      Reference,Value,Footprint
  tarvil bom quotedhead.csv               "Parts","Comment",... (CRLF)
  tarvil bom parts.csv                    Ref Name,Value,Val (Val wins)
  tarvil bom eu.csv                       Reference(s);Designation;Qty
  tarvil bom titled.csv                   a title and a date, then the header
  tarvil bom legacy.csv                   C1;100nF;SM0805 (no header)
  tarvil bom byvalue.csv                  100nF;2;SM0805;C1, C2 (no header)
  tarvil bom sheet.csv                    Resistors / R1,10k,1 (sections)
  tarvil bom quoted.csv                   """R1"",""10k"",""R_0603"""
  tarvil bom --map FB=ohms --json board.csv
)BOM";

struct HelpEntry {
  const char* command;
  const char* text;
};

constexpr HelpEntry kHelp[] = {
    {"", kProgramHelp},        {"parse", kParseHelp}, {"format", kFormatHelp},
    {"convert", kConvertHelp}, {"sort", kSortHelp},   {"check", kCheckHelp},
    {"units", kUnitsHelp},     {"settings", kSettingsHelp}, {"bom", kBomHelp},
};

}  // namespace

bool PrintHelp(const std::string& command) {
  for (const HelpEntry& entry : kHelp) {
    if (command == entry.command) {
      std::fwrite(entry.text, 1, std::strlen(entry.text), stdout);
      return true;
    }
  }
  return false;
}

}  // namespace tarvil::tool
