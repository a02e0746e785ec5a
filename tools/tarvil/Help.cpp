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

Texts are taken from the command line; with no text, or for each '-', from
standard input, one per line ("\n" or "\r\n") of at most 1 MiB. Every
input gets one output line, in order, and a refused input never stops the
others; a longer line stops the input (status 2). An argument that
starts with '-' and a digit, '.', ',' or '+' is a text, not an option; '--'
ends the options.

Common options:
  --json      one JSON object per input line instead of plain text
  -h, --help  help of the program or of a command
  --version   the version

Exit status: 0 when every input was accepted, 1 when any input was refused,
2 for a usage error, a file that could not be read or written, or an input
line longer than 1 MiB.

Settings come from the registry files named by TARVIL_USER_REGISTRY and
TARVIL_MACHINE_REGISTRY (see 'tarvil settings'). See also tarvil(1).
)";

constexpr const char* kParseHelp = R"(Usage: tarvil parse [OPTION]... [TEXT]...

Reads each TEXT as the library reads it and prints its value in the base
unit: ohms, F, H, V, A, W; lengths as a count of nm (or tnm with --base tnm);
times in s, velocities in m/s, angles in deg; integers and numbers bare.
Values are written in their shortest exact form ('4700', '1e-08').

Without --as the text is classified first, as the library classifies
measures; a text that is no measure is tried as a plain number, then as an
angle ('10'30"'). A refused text prints an empty line, and the library's
message, with the offending character marked '<x>', on standard error.

Options:
  --as KIND       read every text as KIND: ohms, farads, henrys, volts, amps,
                  watts, length, time, velocity, angle, integer, number
  --notation N    eng, euro, sci, si or spice (default: the active notation
                  of the settings); for integers and numbers, read them in
                  that notation ('4k7') instead of the regional format
  --strict        electrical values must carry their unit name ('4.7kohms');
                  by default '4.7k' is also taken as ohms with --as ohms
  --unit U        read a bare number of a length, time, velocity or angle in
                  U (in, mm, um, th, es...as, in/ns, m/s, %c, deg, rad,
                  "'", '"'); implies --as of that kind; without it these
                  measures need a unit in the text
  --base B        nm (default) or tnm: the resolution of lengths
  --positive      angles in [0, 360) instead of (-360, 360)
  --json          one object per text: input, ok, kind, value, unit, error,
                  cursor, message

Examples:
  tarvil parse --as ohms 4.7k 100
  tarvil parse 100nF 25.4mm 10ns 45deg
  tarvil parse --notation euro --as ohms 4k7 4R7
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
  --notation N     eng, euro, sci, si or spice (default: the active notation)
                   for electrical values; integers and numbers are written in
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
  --json           one object per value: input, ok, kind, value, text,
                   error, cursor, message

Examples:
  tarvil format --as ohms --notation euro 4700 4.7        (4k7, 4R7)
  tarvil format --as length --unit th 25400               (1th)
  tarvil format --as time --unit ns 1.5e-9                (1.5ns)
)";

constexpr const char* kConvertHelp = R"(Usage: tarvil convert [OPTION]... --to UNIT [TEXT]...

Reads each TEXT as a length, time, velocity or angle (the kind of UNIT) and
writes it in UNIT, as the library writes it, with the precision of the
settings. Lengths pass through a count of base units (1 nm, or 10 nm with
--base tnm); with UNIT nm or tnm that count is printed.

Options:
  --to UNIT       in, mm, um, th, nm, tnm; es, Ps, Ts, Gs, Ms, Ks, s, ms,
                  us, ns, ps, fs, as (the prefix in its own case); in/ns,
                  m/s, %c; deg, rad, "'" (arcmin), '"' (arcsec)
  --from UNIT     the unit of a bare number (the text may then omit it)
  --precision N   decimals to write, within the library's range
  --full          as many decimals as the value needs
  --keep-zeros    keep trailing zeros of the decimals
  --show-unit     append the unit to the number
  --base B        nm (default) or tnm
  --positive      angles in [0, 360)
  --json          one object per text: input, ok, kind, value, unit, text,
                  error, cursor, message

Examples:
  tarvil convert 25.4mm --to in                           (1)
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
  --json           one object per line: text, line (its number in the input)
)";

constexpr const char* kCheckHelp = R"(Usage: tarvil check name|file|path|ascii [OPTION]... [TEXT]...

Validates each TEXT as the library does and prints 'valid' or 'invalid'; for
an invalid one the library's message, with the offending character marked,
goes to standard error.

  name    a design-object name: printable, none of \ ! ( ), surrounding
          blanks ignored; with --type the rule and length limit of that
          kind of name, with --limit a length limit
  file    a file name: at most 255 bytes, printable, none of \ / : * ? " < > |
  path    a path name: at most 260 bytes; drive, network share, components
  ascii   only bytes below 128

Options:
  --type N          name kind 0 to 18
  --limit N         names of at most N bytes (from first to last non-blank)
  --allow-special   with --type: accept the kind's reserved names, such as
                    '(Default)'
  --json            one object per text: input, ok, check, error, cursor,
                    message
)";

constexpr const char* kUnitsHelp = R"(Usage: tarvil units [--file FILE] [--json]

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
  --json        one object per table (measure, kind, notation, unit_name,
                entries), then one with file, ok and log
)";

constexpr const char* kSettingsHelp = R"(Usage: tarvil settings [--json]

Prints the regional settings (decimal symbol, digits, grouping symbol,
grouping, leading zero) and the notation settings (precisions, trailing
zeros, active notation) the library works with, and where each came from:
the user registry file, the process's numeric locale (when the user registry
has no regional settings), or the default. Then the directory of the
installed units definition file, from the machine registry.

The user registry is the file named by TARVIL_USER_REGISTRY, else
${XDG_CONFIG_HOME:-$HOME/.config}/orvanta/registry.reg; the machine registry
the file named by TARVIL_MACHINE_REGISTRY, else /etc/orvanta/registry.reg.
The library adds the notation settings with their defaults to the user
registry when they are missing. It does not read a registry file that is no
regular file or is larger than 16 MiB: the settings shown are then the ones
that stand in for it, and the file is reported (status 2).

Options:
  --json   one object per setting: group, name, value, source, file
)";

struct HelpEntry {
  const char* command;
  const char* text;
};

constexpr HelpEntry kHelp[] = {
    {"", kProgramHelp},        {"parse", kParseHelp}, {"format", kFormatHelp},
    {"convert", kConvertHelp}, {"sort", kSortHelp},   {"check", kCheckHelp},
    {"units", kUnitsHelp},     {"settings", kSettingsHelp},
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
