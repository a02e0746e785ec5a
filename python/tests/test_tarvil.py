"""The Python module against the library's answers: tables of texts and values
with the results the C++ interface gives, error positions in characters,
natural_key against natural_compare, read_many against read, settings, unit
tables and the Dask example."""

import functools
import importlib.util
import math
import os
import pathlib
import pickle
import random
import re
import signal
import subprocess
import sys
import threading

import pytest

import tarvil

ROOT = pathlib.Path(__file__).resolve().parents[2]
E = tarvil.Error


def outcome(call, *args, **kwargs):
    """The value, or (code, position) of the ReadError raised."""
    try:
        return call(*args, **kwargs)
    except tarvil.ReadError as e:
        return (e.code, e.position)


# ---- Kinds -------------------------------------------------------------------


@pytest.mark.parametrize("name", ["Error", "Quantity", "Notation", "LengthUnit", "Resolution",
                                  "TimeUnit", "VelocityUnit", "AngleUnit", "NameKind",
                                  "BareUnit"])
def test_enums_are_the_headers(name):
    header = "".join((ROOT / p).read_text() for p in ("api/tarvil.h", "engine/TarvilSettings.h"))
    body = re.search(r"enum class %s\b[^{]*\{([^}]*)\}" % name, header).group(1)
    members = re.findall(r"\b([A-Za-z_]\w*)\b", re.sub(r"//[^\n]*", "", body))
    cls = getattr(tarvil, name)
    assert issubclass(cls, __import__("enum").IntEnum)
    assert [m.name for m in cls] == members
    assert [m.value for m in cls] == list(range(len(members)))


MEMBERS = r"\(number, resistance, capacitance, inductance, voltage, current, power\)"


@pytest.mark.parametrize("arg, raises, match", [
    ("resistance", None, None), (tarvil.Quantity.resistance, None, None), (1, None, None),
    ("ohms", ValueError, "'ohms' is no member of Quantity " + MEMBERS),
    (7, ValueError, "7 is no member of Quantity " + MEMBERS),
    (tarvil.Notation.european, TypeError, None), (1.0, TypeError, None),
])
def test_enum_arguments(arg, raises, match):
    if raises:
        with pytest.raises(raises, match=match):
            tarvil.read("4.7k", arg, "si")
    else:
        assert tarvil.read("4.7k", arg, "si") == 4700.0


def test_stub_names_the_module():
    import ast
    stub = ast.parse((ROOT / "python" / "tarvil.pyi").read_text())
    names = {n.name for n in stub.body if isinstance(n, (ast.FunctionDef, ast.ClassDef))}
    public = {n for n in dir(tarvil) if not n.startswith("_")}
    assert names == public
    # help() shows the parameters' Python types, never pybind11's "handle".
    for name in public:
        item = getattr(tarvil, name)
        for f in [item] + list(getattr(item, "__dict__", {}).values()):
            doc = getattr(f, "__doc__", None) or ""
            assert ": handle" not in doc and "-> handle" not in doc, (name, doc)
    assert tarvil.read.__doc__.startswith("read(text: str, quantity: Quantity | str = 'number'")


# ---- Values --------------------------------------------------------------------

# (text, quantity, notation, the value or (error, character position))
READS = [
    ("4.7k", "resistance", "si", 4700.0),
    ("4k7", "resistance", "european", 4700.0),
    ("3V3", "voltage", "european", 3.3),
    ("4.7E3", "number", "scientific", 4700.0),
    ("1MEG", "resistance", "spice", 1e6),
    ("100n", "capacitance", "si", 1e-7),
    ("12pF", "capacitance", "si", 1.2e-11),
    ("-5V", "voltage", "si", -5.0),
    ("10mA", "current", "si", 0.01),
    ("1,000", "number", "decimal", 1000.0),
    ("1,000", "number", "full_precision", 1000.0),
    ("-4k7", "resistance", "european", (E.negative_not_allowed, 1)),
    ("4x7", "resistance", "si", (E.invalid_character, 2)),
    ("1.2.3", "number", "si", (E.too_many_decimal_places, 4)),
    ("4k7k", "resistance", "european", (E.too_many_decimal_places, 4)),
    ("1e400", "number", "si", (E.invalid_character, 6)),
    ("", "number", "si", (E.empty, 0)),
    ("2.2µ", "number", "si", (E.invalid_character, 4)),
    ("Ω", "resistance", "si", (E.invalid_character, 1)),
    ("1µ.2", "capacitance", "si", (E.invalid_character, 2)),
    # The any reader: 4 counts characters, the '#' being the fifth byte.
    ("4k7", "resistance", "any", 4700.0),
    ("2µ2#", "capacitance", "any", (E.invalid_character, 4)),
]


@pytest.mark.parametrize("text, quantity, notation, expected", READS)
def test_read(text, quantity, notation, expected):
    assert outcome(tarvil.read, text, quantity, notation) == expected


@pytest.mark.parametrize("text, notation, message", [
    ("4x7", "si", "4<x>7\nInvalid character(s) detected."),
    ("2.2µ", "si", "2.2<µ>\nInvalid character(s) detected."),
    ("Ω", "si", "<Ω>\nInvalid character(s) detected."),
    ("", "si", "String is empty."),
])
def test_read_error(text, notation, message):
    with pytest.raises(tarvil.ReadError) as caught:
        tarvil.read(text, "resistance", notation)
    e = caught.value
    assert isinstance(e, ValueError) and str(e) == message and e.text == text
    copy = pickle.loads(pickle.dumps(e))
    assert (type(copy), str(copy), copy.code, copy.position, copy.text) == \
        (tarvil.ReadError, message, e.code, e.position, text)


COMMA = tarvil.Settings(decimal=",", thousands=".")

# (value, quantity, notation, keyword arguments, text)
WRITES = [
    (4700, "resistance", "si", {}, "4.7kohms"),
    (4700, "resistance", "european", {}, "4k7"),
    (1e-7, "capacitance", "si", {}, "100nF"),
    (-2.5e6, "voltage", "engineering", {}, "-2.5E6V"),
    (4.7, "power", "scientific", {}, "4.7W"),
    (47, "current", "spice", {}, "47A"),
    (0.1, "number", "full_precision", {}, "0.1"),
    (4700, "resistance", "si", {"with_unit": False}, "4.7k"),
    (4700, "resistance", "si", {"settings": COMMA}, "4,7kohms"),
    (0.5, "number", "decimal", {"settings": tarvil.Settings(leading_zero=False)}, ".5"),
    (4700, "resistance", "any", {"settings": tarvil.Settings(notation="european")}, "4k7"),
]


@pytest.mark.parametrize("value, quantity, notation, kwargs, text", WRITES)
def test_write(value, quantity, notation, kwargs, text):
    assert tarvil.write(value, quantity, notation, **kwargs) == text


# ---- Measures ------------------------------------------------------------------

# (function, arguments, the result or (error, position))
MEASURES = [
    (tarvil.read_length, ("25.4mm", "mil"), 25400000),
    (tarvil.read_length, ("10 th", tarvil.LengthUnit.millimeter), 254000),
    (tarvil.read_length, ("10mil", "millimeter", "ten_nm"), 25400),
    (tarvil.read_length, ("12", "inch"), 304800000),
    (tarvil.read_length, ("100in", "mil"), 2540000000),
    (tarvil.read_length, ("1e30mm", "mil"), (E.not_an_integer, 7)),
    (tarvil.read_length, ("1 µm", "mil"), (E.invalid_character, 3)),
    (tarvil.read_time, ("10ns",), 1e-8),
    (tarvil.read_time, (" 1.5 us ",), 1.5e-6),
    (tarvil.read_time, ("5MS",), 5e6),
    (tarvil.read_time, ("1e-307as",), (E.too_small, 1)),
    (tarvil.read_velocity, ("6in/ns",), 152400000.0),
    (tarvil.read_velocity, ("50%c",), 149896229.0),
    (tarvil.read_angle, ("10deg 30'",), 10.5),
    (tarvil.read_angle, ("30", "arcmin"), 0.5),
    (tarvil.read_angle, ("10°", "deg"), (E.invalid_character, 3)),
    (tarvil.write_length, (25400000, "mil"), "1,000th"),
    (tarvil.write_length, (25400000, "millimeter", "ten_nm"), "254mm"),
    (tarvil.write_length, (-1234567, "micron"), "-1,234.567um"),
    (tarvil.write_time, (1.25e-8, "ns"), "12.5ns"),
    (tarvil.write_velocity, (149896229.0, "percent_c"), "50%c"),
    (tarvil.write_velocity, (3.5, "m_per_s"), "3.5m/s"),
    (tarvil.write_angle, (45, "deg"), "45 deg"),
    (tarvil.write_angle, (45, "arcmin"), "2700 '"),
]


@pytest.mark.parametrize("function, args, expected", MEASURES)
def test_measures(function, args, expected):
    assert outcome(function, *args) == expected


# ---- Names ----------------------------------------------------------------------

# (text, kinds accepted of type0, type5, file, path, posix_file, posix_path)
NAMES = [
    ("R1", [True, True, True, True, True, True]),
    ("bad\\name", [False, False, False, True, True, True]),
    ("(Default)", [True, False, True, True, True, True]),
    ("a/b", [True, True, False, False, False, True]),
    ("a\0b", [False, False, False, False, False, False]),
    ("n" * 256, [True, False, False, True, False, False]),
    ("", [False] * 6),
]


@pytest.mark.parametrize("text, accepted", NAMES)
def test_check_name(text, accepted):
    kinds = ["type0", "type5", "file", "path", "posix_file", tarvil.NameKind.posix_path]
    assert [bool(tarvil.check_name(text, k)) for k in kinds] == accepted


# (text, kind, error, position in characters, message)
@pytest.mark.parametrize("text, kind, error, position, message", [
    ("R1", "type0", E.none, 0, ""),
    ("ä\\b", "type0", E.invalid_character, 2, "ä<\\>b\nInvalid character(s) detected."),
    ("ä/b", "posix_file", E.invalid_character, 2, "ä</>b\nInvalid character(s) detected."),
    ("", "file", E.empty, 0, "String is empty."),
])
def test_check_name_tells_why(text, kind, error, position, message):
    check = tarvil.check_name(text, kind)
    assert (bool(check), check.error, check.position, check.message) == \
        (error == E.none, error, position, message)
    assert check == (error == E.none) and pickle.loads(pickle.dumps(check)) == check
    assert repr(check).startswith("tarvil.NameCheck(")
    with pytest.raises(AttributeError):
        check.error = E.none


@pytest.mark.parametrize("a, b, ignore_case, expected", [
    ("R9", "R10", False, -1), ("R10", "R9", False, 1), ("R1", "R01", False, -1),
    ("r10", "R10", False, 1), ("r10", "R10", True, 0), ("C1a", "C1B", True, -1),
    ("x2y10", "x2y9", False, 1), ("", "R1", False, -1), (b"R\xff", "R9", False, -1),
])
def test_natural_compare(a, b, ignore_case, expected):
    assert tarvil.natural_compare(a, b, ignore_case) == expected


def designators(count, seed):
    """Designator-like texts: prefixes in both cases and beyond ASCII, digit runs
    with leading zeros, suffixes."""
    rng = random.Random(seed)
    parts = ["R", "r", "C", "IC", "U", "ä", "Ä", "µ", "Ω", "_", ".", "-", " ", "A", "a",
             "", "0", "00", "007", "1", "9", "10", "99", "100"]
    return sorted({"".join(rng.choice(parts) for _ in range(rng.randint(0, 5)))
                   for _ in range(count)})


@pytest.mark.parametrize("ignore_case", [False, True])
def test_natural_key_orders_as_natural_compare(ignore_case):
    texts = designators(400, 7) + [b"\xfe", b"\xff", b"\xfe\xff1", b"9\xff", b"R\x00"]
    keys = [tarvil.natural_key(t, ignore_case) for t in texts]
    for a, ka in zip(texts, keys):
        for b, kb in zip(texts, keys):
            assert (ka > kb) - (ka < kb) == tarvil.natural_compare(a, b, ignore_case), (a, b)
    by_compare = sorted(texts, key=functools.cmp_to_key(
        lambda a, b: tarvil.natural_compare(a, b, ignore_case)))
    assert sorted(texts, key=lambda t: tarvil.natural_key(t, ignore_case)) == by_compare


# ---- read_many ---------------------------------------------------------------------

MANY = ["4.7k", "4k7", "1MEG", "2µ2#", "", "  ", "x", "-1", "1,000", "Ω", "2.2µ", "100nF",
        "1.5", "1e400"]


@pytest.mark.parametrize("quantity, notation", [
    ("number", "si"), ("resistance", "european"), ("capacitance", "any"), ("voltage", "spice")])
def test_read_many_as_read(quantity, notation):
    def one(text):
        try:
            return tarvil.read(text, quantity, notation), None
        except tarvil.ReadError as e:
            return math.nan, e

    values, errors = tarvil.read_many(iter(MANY), quantity, notation)
    assert len(values) == len(errors) == len(MANY)
    for text, value, error in zip(MANY, values, errors):
        want_value, want_error = one(text)
        assert value == want_value or (math.isnan(value) and math.isnan(want_value)), text
        if want_error is None:
            assert error is None, text
        else:
            assert (error.code, error.position, error.text, str(error)) == \
                (want_error.code, want_error.position, text, str(want_error))


def test_read_many_as_read_across_chunks():
    # Random texts, ASCII and not, more than a chunk holds: each value and
    # code as read() gives it, into lists and into arrays.
    rng = random.Random(27)
    pieces = ["4", "7", "0", ".", ",", "k", "M", "MEG", "R", "µ", "Ω", " ", "x", "-", "e3"]
    texts = ["".join(rng.choice(pieces) for _ in range(rng.randint(1, 4))) for _ in range(9000)]
    values, errors = tarvil.read_many(texts, "resistance")
    a_values, a_codes = tarvil.read_many(texts, "resistance", out="array")
    for text, value, error, a_value, code in zip(texts, values, errors, a_values, a_codes):
        try:
            want, want_code = tarvil.read(text, "resistance"), 0
        except tarvil.ReadError as e:
            want, want_code = math.nan, e.code
        assert (math.isnan(want) and math.isnan(value) and math.isnan(a_value)) or \
            want == value == a_value, text
        assert code == want_code == (0 if error is None else error.code), text


def test_read_many_refuses_what_is_no_str_and_agrees_across_threads():
    with pytest.raises(TypeError):
        tarvil.read_many(["1", b"2"])
    texts = [f"{i}.{i % 7}k" for i in range(20000)]
    expected = tarvil.read_many(texts, "resistance", "si")[0]
    results = [None] * 4

    def work(i):
        results[i] = tarvil.read_many(texts, "resistance", "si")[0]

    threads = [threading.Thread(target=work, args=(i,)) for i in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert results == [expected] * 4


# A child that interrupts itself (SIGINT from a timer) during a read_many of
# millions of texts, and prints whether the handler ran while read_many was
# at work: then most values are not made yet, while after the whole list
# every one of them is (a float each).
INTERRUPTED_CHILD = r"""
import os, signal, sys, threading
import tarvil
count = 5_000_000
texts = ("4.7k",) * count
seen = []
def interrupted(signum, frame):
    seen.append(sys.getallocatedblocks())
    raise KeyboardInterrupt
signal.signal(signal.SIGINT, interrupted)
before = sys.getallocatedblocks()
threading.Timer(0.1, os.kill, (os.getpid(), signal.SIGINT)).start()
try:
    tarvil.read_many(texts, "resistance")
except KeyboardInterrupt:
    print(len(seen) == 1 and seen[0] - before < count // 2)
"""


def test_read_many_answers_ctrl_c_between_chunks():
    child = subprocess.run([sys.executable, "-c", INTERRUPTED_CHILD], capture_output=True,
                           text=True, timeout=120)
    assert (child.returncode, child.stdout) == (0, "True\n"), child.stderr


def test_read_many_called_again_from_a_signal_handler_keeps_both_results():
    # The handler runs between chunks, on the thread whose read_many is at
    # work, and reads other texts of its own.
    inner = []
    busy = []

    def handler(signum, frame):
        if busy:
            return  # the next alarm came during the handler's own read_many
        busy.append(True)
        inner.append(tarvil.read_many(["1k", "2µ2", "x"] * 3000, "resistance")[0])
        busy.clear()

    previous = signal.signal(signal.SIGALRM, handler)
    signal.setitimer(signal.ITIMER_REAL, 0.001, 0.001)
    try:
        outer = tarvil.read_many(("4.7k",) * 1_000_000, "resistance")[0]
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
        signal.signal(signal.SIGALRM, previous)
    assert inner, "the handler never ran during read_many"
    assert set(outer) == {4700.0}
    for values in inner:
        assert values[:2] == [1000.0, 2.2e-6] and math.isnan(values[2]) and len(values) == 9000


# ---- Parts ------------------------------------------------------------------------------


def test_read_part():
    p = tarvil.read_part("22µF/6.3V/±20%/X5R/C0603 low ESR", "capacitance")
    assert (p.value, p.has_value, p.fitted, p.voltage, p.current, p.power,
            p.temperature_coefficient, p.dielectric, p.package, p.rest) == \
        (22e-6, True, True, 6.3, None, None, None, "X5R", "0603", "low ESR")
    assert p.tolerance == tarvil.Tolerance(0.2, 0.2, True)
    with pytest.raises(AttributeError):
        p.value = 1.0
    assert pickle.loads(pickle.dumps(p)) == p
    dnp = tarvil.read_part("DNP", tarvil.Quantity.resistance)
    assert (dnp.has_value, dnp.fitted, dnp.value, dnp.tolerance, dnp.rest) == \
        (False, False, 0.0, None, "")
    # Positions count characters: the '#' is the 7th character, 8th byte.
    assert outcome(tarvil.read_part, "±1% 4µ#", "capacitance") == (E.invalid_character, 7)
    assert outcome(tarvil.read_part, "0402", "capacitance") == (E.not_a_value, 1)
    assert outcome(tarvil.read_part, "10 16V", "capacitance") == (E.ambiguous, 3)
    bare = tarvil.Settings(bare_capacitance="uF")
    assert bare.bare_capacitance == tarvil.BareUnit.uF
    assert tarvil.read_part("10 16V", "capacitance", settings=bare).value == 1e-5
    assert tarvil.read("10", "inductance", settings=tarvil.Settings(bare_inductance="H")) == 10.0
    assert pickle.loads(pickle.dumps(bare)) == bare != tarvil.Settings()


def test_read_parts_as_read_part():
    texts = ["10k 1%", "DNP", "0402", "4x7", "", "1k ¼W Carbon film", "NA(10k/R0402)"]
    parts, errors = tarvil.read_parts(iter(texts), "resistance")
    assert len(parts) == len(errors) == len(texts)
    for text, part, error in zip(texts, parts, errors):
        want = outcome(tarvil.read_part, text, "resistance")
        if isinstance(want, tarvil.Part):
            assert (part, error) == (want, None), text
        else:
            assert part is None and (error.code, error.position, error.text) == want + (text,)
    with pytest.raises(TypeError):
        tarvil.read_parts(["1", 2], "resistance")


# ---- Settings and unit tables -----------------------------------------------------------


def test_settings(tmp_path, monkeypatch):
    s = tarvil.Settings()
    assert (s.decimal, s.thousands, s.grouping, s.digits, s.leading_zero, s.precision,
            s.angle_precision, s.percentage_precision, s.time_precision,
            s.suppress_trailing_zeros, s.notation) == \
        (".", ",", 3, 3, True, (4, 4, 4, 4, 4), 3, 2, 2, True, tarvil.Notation.si)
    s.precision = [1, 2, 3, 4, 5]
    s.notation = "european"
    assert (s.precision, s.notation) == ((1, 2, 3, 4, 5), tarvil.Notation.european)
    assert pickle.loads(pickle.dumps(s)) == s != tarvil.Settings()
    assert COMMA == tarvil.Settings(thousands=".", decimal=",")
    for bad, error in [({"decimal": "µ"}, ValueError), ({"decimal": ".."}, ValueError),
                       ({"precision": (1, 2)}, ValueError), ({"colour": 1}, TypeError),
                       ({"grouping": 2 ** 40}, OverflowError), ({"digits": "3"}, TypeError),
                       ({"notation": "metric"}, ValueError)]:
        with pytest.raises(error):
            tarvil.Settings(**bad)
    # Symbols that cannot be told apart from the numbers, given to the
    # constructor or assigned to the defaults (which then stay as they were).
    for name, symbol in [("decimal", "5"), ("decimal", " "), ("thousands", "-"),
                         ("decimal", "+"), ("decimal", ","), ("thousands", ".")]:
        with pytest.raises(ValueError, match="cannot be told apart"):
            tarvil.Settings(**{name: symbol})
        kept = tarvil.Settings()
        with pytest.raises(ValueError):
            setattr(kept, name, symbol)
        assert kept == tarvil.Settings()
    assert tarvil.Settings(thousands=" ").thousands == " "
    assert tarvil.Settings.from_locale("C").grouping == 0
    assert tarvil.Settings.from_locale("xx_NOWHERE") == tarvil.Settings()
    registry = tmp_path / "user.reg"
    monkeypatch.setenv("TARVIL_USER_REGISTRY", str(registry))
    assert tarvil.Settings.from_registry() == tarvil.Settings()
    assert not registry.exists()
    registry.write_text('REGEDIT4\n[HKEY_CURRENT_USER\\Control Panel\\International]\n'
                        '"sDecimal"="5"\n')
    with pytest.raises(ValueError, match="decimal '5'"):
        tarvil.Settings.from_registry()


UNITS = """.FILETYPE ELECTRICAL_UNITS
.RESISTANCE_MEASURE
..EUROPEAN
...UNIT "kilo"
....DISPLAY "kR"
....CASE_SENSITIVE NO
....EXPONENT_VALUE 3
"""


def test_unit_table(tmp_path):
    good, bad = tmp_path / "units.hkp", tmp_path / "bad.hkp"
    good.write_text(UNITS)
    bad.write_text(".FILETYPE ELECTRICAL_UNITS\n..oops\n")
    table = tarvil.UnitTable.load(good)
    assert table.log == "" and tarvil.UnitTable.load(str(good)).log == ""
    assert tarvil.write(4700, "resistance", "european", units=table) == "4kR7"
    assert tarvil.write(4700, "resistance", "european") == "4k7"
    with pytest.raises(FileNotFoundError):
        tarvil.UnitTable.load(tmp_path / "missing.hkp")
    with pytest.raises(IsADirectoryError):
        tarvil.UnitTable.load(tmp_path)
    with pytest.raises(ValueError) as caught:
        tarvil.UnitTable.load(bad)
    assert "OOPS" in caught.value.log and caught.value.log in str(caught.value)
    assert sorted(os.listdir(tmp_path)) == ["bad.hkp", "units.hkp"]


# ---- The Dask example ---------------------------------------------------------------------


@pytest.mark.parametrize("notation", ["si", "any"])
def test_parts_catalogue_example(notation):
    pd = pytest.importorskip("pandas")
    dd = pytest.importorskip("dask.dataframe")
    spec = importlib.util.spec_from_file_location("parts_catalogue",
                                                  ROOT / "examples" / "parts_catalogue.py")
    example = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(example)
    rows = [("R%d" % i, "resistor", "4.7k") for i in range(1, 40)] + [
        ("C1", "capacitor", "100n"), ("L1", "inductor", "2.2u"), ("R40", "resistor", "?"),
        ("X1", "crystal", "16M")]
    frame = pd.DataFrame(rows, columns=["ref", "type", "value"])
    table = example.normalise(dd.from_pandas(frame, npartitions=4), notation).compute()
    assert list(table["ref"]) == list(frame["ref"])
    assert list(table["value_base"][:41]) == [4700.0] * 39 + [1e-7, 2.2e-6]
    assert list(table["value_text"][:41]) == ["4.7kohms"] * 39 + ["100nF", "2.2uH"]
    assert table["value_error"].iloc[-2].startswith("<?>")
    assert table["value_error"].iloc[-1] == "unknown part type"
    assert math.isnan(table["value_base"].iloc[-1])


def test_read_many_into_arrays():
    texts = ["4k7", "x", "1MEG", "", "-4k7", "100n"] * 700
    values, errors = tarvil.read_many(texts, "resistance")
    a_values, a_codes = tarvil.read_many(texts, "resistance", out="array")
    assert (a_values.typecode, a_codes.typecode, len(a_values), len(a_codes)) == \
        ("d", "i", len(texts), len(texts))
    for value, error, a_value, code in zip(values, errors, a_values, a_codes):
        assert (math.isnan(a_value) and math.isnan(value)) or a_value == value
        assert code == (0 if error is None else error.code)
    np = pytest.importorskip("numpy")
    n_values, n_codes = tarvil.read_many(texts, "resistance", out="numpy")
    assert (n_values.dtype, n_codes.dtype) == (np.float64, np.int32)
    assert n_codes.tolist() == list(a_codes)
    assert np.array_equal(n_values, np.array(a_values), equal_nan=True)
    with pytest.raises(ValueError):
        tarvil.read_many(texts, out="tuple")
