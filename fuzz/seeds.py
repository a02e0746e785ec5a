#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<name>/.

The seeds are the cases the unit tests check, laid out the way each target
reads its input (a few choice bytes, then the text). Run it again after
adding cases; files are named after their content, so reruns change nothing
that is already there. Inputs that once crashed a target are added to the
corpus by hand (named crash-<what>) and are never removed.
"""
import hashlib
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def put(target, data):
    if isinstance(data, str):
        data = data.encode("utf-8", "surrogateescape")
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    name = "seed-" + hashlib.sha1(data).hexdigest()[:16]
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


ENGINEERING, EUROPEAN, SCIENTIFIC, SI, SPICE, FULL, DECIMAL = range(7)
AMPS, DEGREES, FARADS, HENRYS, NANOMETERS, OHMS, WATTS, SECONDS, VOLTS, MPS, NOUNIT = range(11)

# (notation, unit, text)
NOTATION_CASES = [
    (SI, OHMS, "4.7k"), (SI, OHMS, "4.7K"), (SI, OHMS, "4.7M"), (SI, OHMS, "4.7m"),
    (SI, OHMS, "4.7kk"), (SPICE, OHMS, "4.7meg"), (SPICE, OHMS, "4.7MEG"),
    (SPICE, OHMS, "4.7m"), (ENGINEERING, OHMS, "4.7E3"), (ENGINEERING, OHMS, "4.7e3"),
    (ENGINEERING, FARADS, "47E-6"), (SI, NOUNIT, "4.7e3"), (SI, NOUNIT, "4.7e"),
    (EUROPEAN, OHMS, "4k7"), (EUROPEAN, OHMS, "4R7"), (EUROPEAN, OHMS, "47R"),
    (EUROPEAN, OHMS, "4k7k"), (EUROPEAN, OHMS, "4.7k"), (SI, NOUNIT, "4.7.1"),
    (SI, NOUNIT, "1,234.5"), (SI, NOUNIT, ",5"), (SI, NOUNIT, "12%"),
    (SI, NOUNIT, "  -3.5  "), (SI, NOUNIT, "-"), (SI, NOUNIT, ""), (SI, NOUNIT, "   "),
    (SI, NOUNIT, "1e309"), (SI, NOUNIT, "1e308"), (SI, NOUNIT, "1e5x"),
    (SI, NOUNIT, "2147483647"), (SI, NOUNIT, "2147483648"), (SI, NOUNIT, "3k"),
    (SI, NOUNIT, "5000e-310"), (SI, NOUNIT, "1e5-"), (SCIENTIFIC, NOUNIT, "1.2346E5"),
    (SPICE, NOUNIT, "1MEG"), (SI, NOUNIT, "1,000T"), (SI, NOUNIT, "1E+016"),
    (SPICE, NOUNIT, "100M"), (SI, NOUNIT, "-4.7k"), (EUROPEAN, FARADS, "4F7"),
    (EUROPEAN, FARADS, "4n7"), (EUROPEAN, WATTS, "4W7"), (FULL, NOUNIT, "0.333333333333333"),
    (DECIMAL, NOUNIT, "1.23457E+006"), (SI, SECONDS, "10n"), (SI, DEGREES, "45"),
    (SI, NOUNIT, "999.9999999999"), (SI, NOUNIT, "0.000000000000000000001"),
]


def notation_seeds():
    for i, (notation, unit, text) in enumerate(NOTATION_CASES):
        fmt = i % 4
        precision = (4, 9, 0, 2)[i % 4]
        for reader in range(4):
            put("notation", bytes([notation, unit, fmt, precision, reader]) + text.encode())


# (family, choice, text); families: 0 length, 1 time, 2 velocity, 3 angle,
# 4 electrical, 6 plain number, 7 classification.
MEASURE_CASES = [
    (0, "  25.4 mm "), (0, "1 IN"), (0, "1In"), (0, "1 inch"), (0, "0.0004mm"),
    (0, "0.000004mm"), (0, "12"), (0, "50nm"), (0, "5tnm"), (0, "3nm"), (0, "0.000015mm"),
    (0, "86in"), (0, "-1mm"), (0, "1in 2mm"), (0, "25.4"),
    (1, "10ns"), (1, " 1.5 us "), (1, "5MS"), (1, "5mS"), (1, "3ks"), (1, "2 sec"), (1, "12"),
    (1, "1.2ns"), (1, "1e308es"),
    (2, "6in/ns"), (2, "50%c"), (2, "150%c"), (2, "3e8m/s"), (2, "-1%c"), (2, "1.5E8m/s"),
    (3, "10deg 30'"), (3, "10deg30'15\""), (3, "-10deg 30'"), (3, "10deg -30'"),
    (3, "10deg 20deg"), (3, "10deg 30' 20deg"), (3, "1.5rad"), (3, "45"), (3, "10deg 5"),
    (3, "1.2.3deg"), (3, "370deg"), (3, "-0.0000000000001deg"), (3, "1e308rad"),
    (4, "4.7kW"), (4, "4.7kw"), (4, "4.7k W"), (4, "4.7 kW"), (4, "4.7k"), (4, "W4"),
    (4, "-1W"), (4, "4W7"), (4, "4k7"), (4, "10uF"), (4, "3.3V"), (4, "-12V"), (4, "1A"),
    (6, "1,234"), (6, "12a4"), (6, "-"), (6, "1.5"), (6, "2147483648"), (6, "  7  "),
    (7, "10mm"), (7, "-10 MM"), (7, "45deg"), (7, "5ns"), (7, "6in/ns"), (7, "50%c"),
    (7, "10"), (7, "+"), (7, "10'"), (7, "5tnm"), (7, "MM"), (7, "Rad"), (7, "NS"), (7, "V"),
    (7, "xyz"), (7, ""),
]


def measure_seeds():
    for i, (family, text) in enumerate(MEASURE_CASES):
        for choice in (0, 1, 2, 5):
            put("measure", bytes([family, (choice + i) % 256, SI if i % 3 else EUROPEAN,
                                  i % 7]) + text.encode())


def error_message_seeds():
    texts = ["12a4", "-", "", "   ", "4x7", "a" * 300, "C:dir", "10deg 30' 1.2.3", "(Def"]
    for i, text in enumerate(texts):
        for mode in range(8):
            put("errormessage", bytes([mode, (i * 5 + 3) % 17, (i * 7) % 11]) + text.encode())


NAME_CASES = [
    (0, 0, "NET_1"), (0, 0, "A(B)"), (0, 0, "  "), (0, 0, ""), (5, 0, "Default"),
    (5, 1, "(Default)"), (5, 0, "(Default)"), (5, 1, "(Def"), (13, 0, "ABCD"),
    (13, 0, "ABCDE"), (13, 0, "AB1"), (0, 0, "x" * 4050), (0, 0, "x" * 4051),
    (6, 1, "(Shield Area)"), (8, 0, "(Default Via)"), (15, 1, "(Default Rule)"),
    (18, 1, "(Master)"), (18, 1, "(Minimum)"), (10, 0, "a\\b"), (11, 0, "a!b"),
    (1, 0, "  abc  "), (1, 0, "abcd"), (0, 0, "board.txt"), (0, 0, "a:b"), (0, 0, "f" * 256),
    (0, 0, "C:"), (0, 0, "C:\\dir\\file.txt"), (0, 0, "\\\\server\\share\\dir"),
    (0, 0, "dir\\file"), (0, 0, "C:dir"), (0, 0, "\\\\\\server"), (0, 0, "\\\\server"),
    (0, 0, "C:\\dir\\a*b"), (0, 0, "*abc"), (0, 0, "ab\xe9d"), (19, 0, "x" * 41),
]


def name_seeds():
    for i, (kind, allow, text) in enumerate(NAME_CASES):
        limit = 3 if i % 5 == 0 else (i * 7) % 90
        put("name", bytes([kind + 3, allow, limit + 1]) + text.encode("latin-1"))


COMPARE_CASES = [
    ("R9", "R10"), ("R10", "R10"), ("C12", "C13"), ("C123", "C13"), ("x010", "x9"),
    ("a1", "ab"), ("a", "a1"), ("r10", "R9"), ("abc", "ABC"), ("R10x", "R10y"),
    ("R19", "R100"), ("U999A", "U999B"), ("TP1", "TP01"), ("", "R1"), ("1", "01"),
]


def compare_seeds():
    for a, b in COMPARE_CASES:
        for n in (0, 1, 2, 3, 5):
            put("compare", bytes([n + 2]) + a.encode() + b"\0" + b.encode())


REGEDIT = "REGEDIT4\r\n\r\n"
V5 = "Windows Registry Editor Version 5.00\r\n\r\n"
INTERNATIONAL = ("[HKEY_CURRENT_USER\\Control Panel\\International]\r\n"
                 "\"sDecimal\"=\",\"\r\n\"sThousand\"=\".\"\r\n\"iDigits\"=\"2\"\r\n"
                 "\"sGrouping\"=\"3;0\"\r\n\"iLZero\"=\"0\"\r\n\r\n")
NOTATION_KEY = ("[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\r\n"
                "\"Engineering\"=dword:00000004\r\n\"European\"=dword:00000004\r\n"
                "\"Scientific\"=dword:00000004\r\n\"SI\"=dword:00000009\r\n"
                "\"SPICE\"=dword:00000004\r\n\"Angle\"=dword:00000003\r\n"
                "\"Percentage\"=dword:00000002\r\n\"Time\"=dword:00000002\r\n"
                "\"SuppressTrailingZeros\"=dword:00000000\r\n\"ActiveNotation\"=dword:00000001\r\n")
REGISTRY_CASES = [
    REGEDIT + INTERNATIONAL + NOTATION_KEY,
    V5 + INTERNATIONAL,
    V5 + NOTATION_KEY.replace("00000009", "7fffffff").replace("00000001\r\n", "ffffffff\r\n"),
    REGEDIT + "[HKEY_CURRENT_USER\\Control Panel\\International]\n\"sDecimal\"=\",\"\n"
    "\"sThousand\"=\",\"\n\"sGrouping\"=\"3;2;0\"\n",
    REGEDIT + "[HKEY_CURRENT_USER\\Control Panel\\International]\n\"sDecimal\"=\"..\"\n"
    "\"iDigits\"=dword:00000005\n",
    REGEDIT + "[HKEY_CURRENT_USER\\SOFTWARE\\Orvanta]\n\"CommonDir\"=\"C:\\\\Orvanta\\\\\\\"x\\\"\"\n",
    REGEDIT,
    "",
    "not a hive at all\n[",
]


def registry_seeds():
    for i, text in enumerate(REGISTRY_CASES):
        for mode in range(4):
            put("registry", bytes([mode]) + text.encode())
    # The same in UTF-16LE with a byte-order mark.
    put("registry", bytes([2]) + b"\xff\xfe" + (V5 + INTERNATIONAL).encode("utf-16-le"))


UNITS_EXAMPLE = """! units for this site
.FILETYPE ELECTRICAL_UNITS
.RESISTANCE_MEASURE
..EUROPEAN
...UNIT "kilo"
....DISPLAY "k"
....CASE_SENSITIVE NO
....EXPONENT_VALUE 3
"""
UNITS_CASES = [
    UNITS_EXAMPLE,
    "",
    "! only a comment\n   \t\n",
    UNITS_EXAMPLE.replace("EUROPEAN", "ENGINEERING"),
    UNITS_EXAMPLE.replace("EXPONENT_VALUE 3", "EXPONENT_VALUE 0").replace("EUROPEAN", "ENGINEERING"),
    UNITS_EXAMPLE.replace('"k"', '"12"'),
    UNITS_EXAMPLE.replace('"k"', '"k,"'),
    UNITS_EXAMPLE.replace('"k"', '"k."'),
    UNITS_EXAMPLE.replace('....DISPLAY "k"\n', ""),
    UNITS_EXAMPLE.replace(".FILETYPE ELECTRICAL_UNITS\n", ""),
    '.ALIAS ".OHMS" ".RESISTANCE_MEASURE"\n' + UNITS_EXAMPLE.replace(".RESISTANCE_MEASURE", ".OHMS"),
    '.ALIAS ".SI" ".RESISTANCE_MEASURE"\n.ALIAS ".X" ".NOPE"\n' + UNITS_EXAMPLE,
    ".filetype electrical_units\n.creator anything at all (here)\n.version \"1\"\n"
    ".date \"a\\\"b\\\\\"\n",
    UNITS_EXAMPLE + "....EXPONENT_VALUE 0x10\n....EXPONENT_VALUE 010\n",
    UNITS_EXAMPLE.replace("EXPONENT_VALUE 3", "EXPONENT_VALUE 1.5"),
    UNITS_EXAMPLE.replace("EXPONENT_VALUE 3", "EXPONENT_VALUE 12AB"),
    UNITS_EXAMPLE.replace("EXPONENT_VALUE 3", "EXPONENT_VALUE ABC"),
    UNITS_EXAMPLE + ".VOLTAGE_MEASURE\n...SI\n.AMP_MEASURE\n",
    "..SI\n...UNIT \"x\"\n" + UNITS_EXAMPLE,
    UNITS_EXAMPLE.replace('"kilo"', '"ki\\\nlo"').replace('"k"', '"\\101\\t"'),
    UNITS_EXAMPLE.replace('"kilo"', '"unterminated'),
    UNITS_EXAMPLE + "...UNIT \"kilo\"\n....DISPLAY \"K\"\n....DISPLAY \"Q\"\n"
    "....CASE_SENSITIVE MAYBE\n....EXPONENT_VALUE 3 4\n",
    UNITS_EXAMPLE.replace("\n", "\r\n"),
    UNITS_EXAMPLE.rstrip("\n"),
    "." + "X" * 5000 + "\n",
    '"' + "s" * 5000,
]


def units_seeds():
    for text in UNITS_CASES:
        put("unitsfile", text)
        put("keyword", text)


def main():
    notation_seeds()
    measure_seeds()
    error_message_seeds()
    name_seeds()
    compare_seeds()
    registry_seeds()
    units_seeds()
    return 0


if __name__ == "__main__":
    sys.exit(main())
