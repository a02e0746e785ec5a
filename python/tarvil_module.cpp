// tarvil_module.cpp: the Python module `tarvil` over <tarvil/tarvil.h>.
//
// The module follows Python's habits rather than C++'s: enums are IntEnum
// classes (made by the Python code in kPythonPart below, so that they pickle
// and print as Python's own), every enum argument also takes the member's
// name as a string, a refused text raises ReadError (a ValueError) with its
// position counted in characters of the Python string, and settings and
// unit tables are optional keyword arguments. The stub tarvil.pyi beside
// this file states the same interface with types.
//
// Thread safety is the C++ interface's: no state but the classes looked up
// once when the module is loaded, and read_many and UnitTable.load release
// the GIL while the library works on copies of their inputs.
//
// A Settings object is always valid by the library's rule (tarvil::valid):
// every way of making or changing one checks it.
#include <Python.h>
#include <pybind11/eval.h>
#include <pybind11/pybind11.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include <tarvil/bom.h>
#include <tarvil/tarvil.h>

namespace py = pybind11;

// ---- Signatures -------------------------------------------------------------

// Typed<Name>: an object passed through as it is, for the module to check
// itself (so that its messages name the parameter and take enum names),
// shown in signatures (help(), __doc__) as the Python type `Name::name`.
template <class Name>
struct Typed {
  py::object object;
  operator py::handle() const { return object; }
};

namespace pybind11::detail {
template <class Name>
struct type_caster<Typed<Name>> {
  PYBIND11_TYPE_CASTER(Typed<Name>, Name::name);
  bool load(handle source, bool) {
    value.object = reinterpret_borrow<object>(source);
    return true;
  }
  static handle cast(const Typed<Name>& source, return_value_policy, handle) {
    return source.object.inc_ref();
  }
};
}  // namespace pybind11::detail

namespace {

#define TARVIL_PYTHON_TYPE(Tag, Text)                              \
  struct Tag {                                                      \
    static constexpr auto name = py::detail::const_name(Text);    \
  }
TARVIL_PYTHON_TYPE(StrName, "str");
TARVIL_PYTHON_TYPE(StrOrBytesName, "str | bytes");
TARVIL_PYTHON_TYPE(TextsName, "Iterable[str]");
TARVIL_PYTHON_TYPE(PathName, "str | os.PathLike[str]");
TARVIL_PYTHON_TYPE(OptionalStrName, "str | None");
TARVIL_PYTHON_TYPE(SettingsArgName, "Settings | None");
TARVIL_PYTHON_TYPE(UnitsArgName, "UnitTable | None");
TARVIL_PYTHON_TYPE(QuantityName, "Quantity | str");
TARVIL_PYTHON_TYPE(NotationName, "Notation | str");
TARVIL_PYTHON_TYPE(LengthUnitName, "LengthUnit | str");
TARVIL_PYTHON_TYPE(ResolutionName, "Resolution | str");
TARVIL_PYTHON_TYPE(TimeUnitName, "TimeUnit | str");
TARVIL_PYTHON_TYPE(VelocityUnitName, "VelocityUnit | str");
TARVIL_PYTHON_TYPE(AngleUnitName, "AngleUnit | str");
TARVIL_PYTHON_TYPE(NameKindName, "NameKind | str");
TARVIL_PYTHON_TYPE(NameCheckName, "NameCheck");
TARVIL_PYTHON_TYPE(ReadManyName, "tuple[list[float], list[ReadError | None]] | tuple[array.array, array.array]");
TARVIL_PYTHON_TYPE(PartName, "Part");
TARVIL_PYTHON_TYPE(ReadPartsName, "tuple[list[Part | None], list[ReadError | None]]");
TARVIL_PYTHON_TYPE(BomSourceName, "str | os.PathLike[str] | IO[bytes] | IO[str]");
TARVIL_PYTHON_TYPE(ColumnName, "str | int | None");
TARVIL_PYTHON_TYPE(PrefixesName, "dict[str, Quantity | str] | None");
#undef TARVIL_PYTHON_TYPE

using Str = Typed<StrName>;
using StrOrBytes = Typed<StrOrBytesName>;
using SettingsArg = Typed<SettingsArgName>;
using UnitsArg = Typed<UnitsArgName>;
using QuantityArg = Typed<QuantityName>;
using NotationArg = Typed<NotationName>;

// ---- The Python part ------------------------------------------------------

// Run in the module's namespace when it is loaded, with `_enum_specs` (name,
// docstring, member names in C++ order) set by the C++ part.
constexpr const char* kPythonPart = R"PY(
import enum as _enum

for _name, _doc, _members in _enum_specs:
    _cls = _enum.IntEnum(_name, [(_m, _i) for _i, _m in enumerate(_members)],
                         module=__name__)
    _cls.__doc__ = _doc
    globals()[_name] = _cls
del _name, _doc, _members, _cls, _enum_specs


class ReadError(ValueError):
    """A text the library refused to read.

    Attributes:
        code: why, a tarvil.Error.
        position: the 1-based position of the faulty character in the text,
            counted in characters of the Python string; 0 when the fault has
            no place (an empty or blank text).
        text: the text that was given.

    str() gives the library's message: for an invalid character the text with
    that character marked ('4<x>7'), a line feed and the explanation.
    """

    def __init__(self, message, code, position, text):
        super().__init__(message)
        self.code = Error(code)
        self.position = position
        self.text = text

    def __reduce__(self):
        return (type(self), (self.args[0], int(self.code), self.position, self.text))


class NameCheck:
    """The answer of check_name: true when the name is valid, false when not,
    with the reason. Immutable; compares equal to another NameCheck with the
    same answer, and to the bool it stands for.

    Attributes:
        error: why the name is not valid, a tarvil.Error (Error.none when it is).
        position: the 1-based position of the faulty character in the text,
            counted in characters of the Python string; 0 when the fault has
            no place (an empty text) or the name is valid.
        message: the library's message ('a<\\>b' and the explanation for an
            invalid character); '' when the name is valid.
    """

    __slots__ = ("_error", "_position", "_message")

    def __init__(self, error=0, position=0, message=""):
        object.__setattr__(self, "_error", Error(error))
        object.__setattr__(self, "_position", int(position))
        object.__setattr__(self, "_message", str(message))

    error = property(lambda self: self._error,
                     doc="Why the name is not valid; Error.none when it is.")
    position = property(lambda self: self._position,
                        doc="1-based position of the faulty character, in characters; 0 for none.")
    message = property(lambda self: self._message, doc="The library's message; '' when valid.")

    def __setattr__(self, name, value):
        raise AttributeError("NameCheck is immutable")

    def __delattr__(self, name):
        raise AttributeError("NameCheck is immutable")

    def __bool__(self):
        return self._error == Error.none

    def __eq__(self, other):
        if isinstance(other, NameCheck):
            return (self._error, self._position, self._message) == \
                (other._error, other._position, other._message)
        if isinstance(other, bool):
            return bool(self) == other
        return NotImplemented

    def __hash__(self):
        return hash(bool(self))

    def __repr__(self):
        if self:
            return "tarvil.NameCheck(valid)"
        return "tarvil.NameCheck(error=Error.%s, position=%d, message=%r)" % (
            self._error.name, self._position, self._message)

    def __reduce__(self):
        return (type(self), (int(self._error), self._position, self._message))


import dataclasses as _dataclasses


@_dataclasses.dataclass(frozen=True, slots=True)
class Tolerance:
    """How far a part's value may lie from its nominal value (read_part).

    Attributes:
        minus, plus: magnitudes below and above: fractions when relative
            ('1%': 0.01, 0.01; '+80/-20%': minus 0.2, plus 0.8), else in the
            base unit of the value ('+/- 0.1 pF': 1e-13).
        relative: whether they are fractions of the value.
    """
    minus: float
    plus: float
    relative: bool


@_dataclasses.dataclass(frozen=True, slots=True)
class Part:
    """A part's value field as read_part reads it. Immutable.

    Attributes:
        value: in the base unit; 0.0 when not has_value.
        has_value: whether the field holds a value ('DNP' holds none).
        fitted: False for a part marked DNP, DNF, DNI, NP, NF, NC, NA,
            'not fitted' or 'do not populate'.
        tolerance: a Tolerance, or None.
        voltage, current, power: the ratings in V, A, W, or None.
        temperature_coefficient: in ppm per kelvin, or None.
        dielectric, package: as written ('X7R'; the digits of 'C0603');
            '' when absent.
        rest: the field from the first token recognised as none of these to
            its end ('Carbon film resistor'); '' when every token was.
    """
    value: float
    has_value: bool
    fitted: bool
    tolerance: Tolerance | None
    voltage: float | None
    current: float | None
    power: float | None
    temperature_coefficient: float | None
    dielectric: str
    package: str
    rest: str
)PY";

struct EnumSpec {
  const char* name;
  const char* doc;
  std::vector<const char*> members;  // valued 0, 1, ... as in C++
};

const std::vector<EnumSpec>& EnumSpecs() {
  static const std::vector<EnumSpec> specs = {
      {"Error",
       "Why a text was refused (ReadError.code). 0..12 are the string class's codes; "
       "13, ambiguous, means that two common readings of the text differ; 14, not_a_value, "
       "that a part's value field names a package or attributes but no value.",
       {"none", "empty", "blank", "too_many_decimal_places", "invalid_character",
        "character_limit", "no_unit", "too_large", "too_small", "zero_not_allowed",
        "negative_not_allowed", "positive_not_allowed", "not_an_integer", "ambiguous",
        "not_a_value"}},
      {"Quantity", "What a value measures; number has no unit.",
       {"number", "resistance", "capacitance", "inductance", "voltage", "current", "power"}},
      {"Notation",
       "How an electrical value or number is written. full_precision writes the shortest "
       "digits that read back exactly; any reads every form in common use ('4k7', '4.7k', "
       "'1MEG', '2u2'), and writers given any use Settings.notation.",
       {"engineering", "european", "scientific", "si", "spice", "full_precision", "decimal",
        "any"}},
      {"LengthUnit", "The unit of a length: inch, millimeter, micron or mil (thousandth of an inch).",
       {"inch", "millimeter", "micron", "mil"}},
      {"Resolution", "The base unit of a length count: 1 nm or 10 nm.", {"nm", "ten_nm"}},
      {"TimeUnit",
       "The unit of a time, exa- to atto-seconds. The member 'as' (attoseconds) is a Python "
       "keyword: write TimeUnit['as'] or the string 'as'.",
       {"es", "Ps", "Ts", "Gs", "Ms", "Ks", "s", "ms", "us", "ns", "ps", "fs", "as"}},
      {"VelocityUnit", "The unit of a propagation velocity: inches per nanosecond, metres per "
                       "second or percent of the speed of light.",
       {"in_per_ns", "m_per_s", "percent_c"}},
      {"AngleUnit", "The unit of an angle: degrees, seconds or minutes of arc, radians.",
       {"deg", "arcsec", "arcmin", "rad"}},
      {"NameKind",
       "The kinds of name check_name knows: the design-object names type0..type18, the "
       "desktop file and path rules, and POSIX file and path names.",
       {"type0",  "type1",  "type2",  "type3",  "type4",  "type5",  "type6", "type7",
        "type8",  "type9",  "type10", "type11", "type12", "type13", "type14", "type15",
        "type16", "type17", "type18", "file",   "path",   "posix_file", "posix_path"}},
      {"BareUnit",
       "The unit of a capacitance (pF, nF, uF) or inductance (uH, H) written as a bare number "
       "('10', '0.1') in Notation.any (Settings.bare_capacitance, Settings.bare_inductance); "
       "none leaves it open, and such a text is ambiguous.",
       {"none", "pF", "nF", "uF", "uH", "H"}},
  };
  return specs;
}

// One IntEnum class of the module, with its members by name. Looked up once
// and kept for the life of the process (the references are never dropped,
// so nothing runs at interpreter shutdown).
struct EnumRef {
  PyObject* cls = nullptr;
  PyObject* by_name = nullptr;  // dict: member name -> int value
  long count = 0;
  const char* name = "";
  std::string members;  // "number, resistance, ...", for messages
};

struct ModuleState {
  EnumRef error, quantity, notation, length_unit, resolution, time_unit, velocity_unit,
      angle_unit, name_kind, bare_unit;
  PyObject* read_error = nullptr;
  PyObject* name_check = nullptr;
  PyObject* part = nullptr;
  PyObject* tolerance = nullptr;
};
ModuleState g;

EnumRef LookUpEnum(py::module_& m, const EnumSpec& spec) {
  EnumRef ref;
  ref.cls = py::object(m.attr(spec.name)).release().ptr();
  py::dict names;
  for (std::size_t i = 0; i < spec.members.size(); ++i) names[spec.members[i]] = i;
  ref.by_name = names.release().ptr();
  ref.count = static_cast<long>(spec.members.size());
  ref.name = spec.name;
  for (const char* member : spec.members) {
    if (!ref.members.empty()) ref.members += ", ";
    ref.members += member;
  }
  return ref;
}

// Checked: the result of a call through the C API, or the error it raised
// as a C++ exception.
py::object Checked(PyObject* result) {
  if (result == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(result);
}

// Raise: `exception` raised, as a C++ exception on its way to Python.
[[noreturn]] void Raise(const py::object& exception) {
  PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
  throw py::error_already_set();
}

// The member `value` of the enum `ref`, as a Python object.
py::object Member(const EnumRef& ref, int value) {
  return Checked(PyObject_CallFunction(ref.cls, "i", value));
}

// ToEnum: an enum argument: a member of its class, a member's name, or a
// plain int in range. A member of another enum is refused although it is an
// int, so that Notation.si never passes for a Quantity.
template <class E>
E ToEnum(const EnumRef& ref, py::handle arg, const char* param) {
  const auto noMember = [&](const std::string& shown) {
    return py::value_error(std::string(param) + ": " + shown + " is no member of " + ref.name +
                           " (" + ref.members + ")");
  };
  PyObject* o = arg.ptr();
  long value = -1;
  if (PyObject_TypeCheck(o, reinterpret_cast<PyTypeObject*>(ref.cls)) || PyLong_CheckExact(o)) {
    value = PyLong_AsLong(o);
    if (value == -1 && PyErr_Occurred()) throw py::error_already_set();
  } else if (PyUnicode_Check(o)) {
    PyObject* v = PyDict_GetItemWithError(ref.by_name, o);
    if (v == nullptr) {
      if (PyErr_Occurred()) throw py::error_already_set();
      throw noMember(py::repr(arg).cast<std::string>());
    }
    value = PyLong_AsLong(v);
  } else {
    throw py::type_error(std::string(param) + ": expected a " + ref.name +
                         " or the name of one, not " + Py_TYPE(o)->tp_name);
  }
  if (value < 0 || value >= ref.count) {
    throw noMember(std::to_string(value));
  }
  return static_cast<E>(value);
}

// ---- Texts -------------------------------------------------------------------

// The UTF-8 bytes of a str argument, which the str keeps while it lives.
std::string_view Utf8Of(py::handle text, const char* param) {
  if (!PyUnicode_Check(text.ptr())) {
    throw py::type_error(std::string(param) + ": expected str, not " + Py_TYPE(text.ptr())->tp_name);
  }
  Py_ssize_t size = 0;
  const char* data = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
  if (data == nullptr) throw py::error_already_set();
  return {data, static_cast<std::size_t>(size)};
}

// The bytes compared by natural_compare and natural_key: a str's UTF-8
// bytes, or a bytes object as it is.
std::string_view BytesOf(py::handle text, const char* param) {
  if (PyBytes_Check(text.ptr())) {
    return {PyBytes_AS_STRING(text.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(text.ptr()))};
  }
  if (!PyUnicode_Check(text.ptr())) {
    throw py::type_error(std::string(param) + ": expected str or bytes, not " +
                         Py_TYPE(text.ptr())->tp_name);
  }
  return Utf8Of(text, param);
}

// A str from the library's UTF-8 output; a byte sequence that is not UTF-8
// (a mark placed inside a character) is shown as U+FFFD rather than raising.
py::str ToStr(std::string_view text) {
  PyObject* s = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
  if (s == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(s);
}

// CharacterPosition: the library's 1-based byte position in the UTF-8 text
// as the 1-based position of the character holding that byte; past the
// end, one character per byte. 0 stays 0.
int CharacterPosition(std::string_view utf8, int position) {
  if (position <= 0) return 0;
  const std::size_t bytes = static_cast<std::size_t>(position);
  const std::size_t within = bytes < utf8.size() ? bytes : utf8.size();
  long long characters = 0;
  for (std::size_t i = 0; i < within; ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) ++characters;
  }
  characters += static_cast<long long>(bytes - within);
  return static_cast<int>(characters);
}

// A ReadError for `text` (its UTF-8 bytes `utf8`) refused with `error` at
// the byte `position`.
py::object MakeReadError(py::handle text, std::string_view utf8, tarvil::Error error,
                         int position) {
  const py::str message = ToStr(tarvil::describe(utf8, error, position));
  return Checked(PyObject_CallFunction(g.read_error, "OiiO", message.ptr(), static_cast<int>(error),
                                       CharacterPosition(utf8, position), text.ptr()));
}

template <class T>
T ValueOrRaise(py::handle text, std::string_view utf8, const tarvil::Result<T>& r) {
  if (r) return r.value;
  Raise(MakeReadError(text, utf8, r.error, r.position));
}

// ---- Settings ------------------------------------------------------------------

// One attribute of Settings: how it is shown to Python and set from it.
// The constructor's keyword arguments, the properties, repr, == and
// pickling all go through this table.
struct SettingsField {
  const char* name;
  const char* doc;
  py::object (*get)(const tarvil::Settings&);
  void (*set)(tarvil::Settings&, py::handle);
};

char SymbolOf(py::handle value, const char* name) {
  const std::string_view s = Utf8Of(value, name);
  // Bytes from this one on are parts of multi-byte UTF-8 characters.
  constexpr unsigned char kFirstNonAscii = 0x80;
  if (s.size() != 1 || static_cast<unsigned char>(s[0]) >= kFirstNonAscii) {
    throw py::value_error(std::string(name) + ": expected one ASCII character, not " +
                          py::repr(value).cast<std::string>());
  }
  return s[0];
}

int IntOf(py::handle value, const char* name) {
  if (!PyLong_Check(value.ptr())) {
    throw py::type_error(std::string(name) + ": expected int, not " + Py_TYPE(value.ptr())->tp_name);
  }
  int overflow = 0;
  const long v = PyLong_AsLongAndOverflow(value.ptr(), &overflow);
  if (overflow != 0 || v < INT_MIN || v > INT_MAX) {
    PyErr_Format(PyExc_OverflowError, "%s: %R is out of the range of a C int", name, value.ptr());
    throw py::error_already_set();
  }
  return static_cast<int>(v);
}

bool TruthOf(py::handle value) {
  const int truth = PyObject_IsTrue(value.ptr());
  if (truth < 0) throw py::error_already_set();
  return truth != 0;
}

py::object SymbolStr(char c) {
  return py::str(std::string(1, c));
}

const std::vector<SettingsField>& SettingsFields() {
  using S = tarvil::Settings;
  static const std::vector<SettingsField> fields = {
      {"decimal", "The decimal symbol, one ASCII character ('.').",
       [](const S& s) { return SymbolStr(s.decimal); },
       [](S& s, py::handle v) { s.decimal = SymbolOf(v, "decimal"); }},
      {"thousands", "The thousands symbol, one ASCII character (',').",
       [](const S& s) { return SymbolStr(s.thousands); },
       [](S& s, py::handle v) { s.thousands = SymbolOf(v, "thousands"); }},
      {"grouping", "Digits per thousands group; 0 or less: no grouping (3).",
       [](const S& s) -> py::object { return py::int_(s.grouping); },
       [](S& s, py::handle v) { s.grouping = IntOf(v, "grouping"); }},
      {"digits", "Decimals of plain numbers and lengths (3).",
       [](const S& s) -> py::object { return py::int_(s.digits); },
       [](S& s, py::handle v) { s.digits = IntOf(v, "digits"); }},
      {"leading_zero", "Whether a magnitude below 1 is written with its 0 ('0.5', not '.5').",
       [](const S& s) -> py::object { return py::bool_(s.leading_zero); },
       [](S& s, py::handle v) { s.leading_zero = TruthOf(v); }},
      {"precision",
       "Decimals of the engineering, european, scientific, si and spice notations, in that "
       "order: a tuple of 5 ints ((4, 4, 4, 4, 4)). Assign a whole sequence to change it.",
       [](const S& s) -> py::object {
         return py::make_tuple(s.precision[0], s.precision[1], s.precision[2], s.precision[3],
                               s.precision[4]);
       },
       [](S& s, py::handle v) {
         // One precision per notation, in the order of the message.
         constexpr std::size_t kNotations = std::tuple_size_v<decltype(S::precision)>;
         static_assert(kNotations == 5, "the message names five notations");
         const py::sequence seq = py::reinterpret_borrow<py::sequence>(v);
         if (!PySequence_Check(v.ptr()) || PyUnicode_Check(v.ptr()) ||
             py::len(seq) != kNotations) {
           throw py::value_error("precision: expected a sequence of 5 ints");
         }
         decltype(S::precision) precision{};  // all or nothing
         for (std::size_t i = 0; i < kNotations; ++i) precision[i] = IntOf(seq[i], "precision");
         s.precision = precision;
       }},
      {"angle_precision", "Decimals of angles (3).",
       [](const S& s) -> py::object { return py::int_(s.angle_precision); },
       [](S& s, py::handle v) { s.angle_precision = IntOf(v, "angle_precision"); }},
      {"percentage_precision", "Decimals of percentages (2).",
       [](const S& s) -> py::object { return py::int_(s.percentage_precision); },
       [](S& s, py::handle v) { s.percentage_precision = IntOf(v, "percentage_precision"); }},
      {"time_precision", "Decimals of times (2).",
       [](const S& s) -> py::object { return py::int_(s.time_precision); },
       [](S& s, py::handle v) { s.time_precision = IntOf(v, "time_precision"); }},
      {"suppress_trailing_zeros", "Whether writers drop the trailing zeros of decimals.",
       [](const S& s) -> py::object { return py::bool_(s.suppress_trailing_zeros); },
       [](S& s, py::handle v) { s.suppress_trailing_zeros = TruthOf(v); }},
      {"notation", "The active notation (Notation.si), used by writers given Notation.any.",
       [](const S& s) { return Member(g.notation, static_cast<int>(s.notation)); },
       [](S& s, py::handle v) { s.notation = ToEnum<tarvil::Notation>(g.notation, v, "notation"); }},
      {"bare_capacitance",
       "The unit of a capacitance written as a bare number in Notation.any: BareUnit.pF, nF "
       "or uF; none (the default), or an inductance's unit: such a text is ambiguous.",
       [](const S& s) { return Member(g.bare_unit, static_cast<int>(s.bare_capacitance)); },
       [](S& s, py::handle v) {
         s.bare_capacitance = ToEnum<tarvil::BareUnit>(g.bare_unit, v, "bare_capacitance");
       }},
      {"bare_inductance",
       "The unit of an inductance written as a bare number in Notation.any: BareUnit.uH or "
       "H; none (the default), or a capacitance's unit: such a text is ambiguous.",
       [](const S& s) { return Member(g.bare_unit, static_cast<int>(s.bare_inductance)); },
       [](S& s, py::handle v) {
         s.bare_inductance = ToEnum<tarvil::BareUnit>(g.bare_unit, v, "bare_inductance");
       }},
  };
  return fields;
}

const SettingsField* FindField(const std::string& name) {
  for (const SettingsField& f : SettingsFields()) {
    if (name == f.name) return &f;
  }
  return nullptr;
}

void ApplyFields(tarvil::Settings& s, const py::dict& values, const char* context) {
  for (auto [key, value] : values) {
    const std::string name = py::str(key);
    const SettingsField* f = FindField(name);
    if (f == nullptr) {
      throw py::type_error(std::string(context) + ": unexpected keyword argument '" + name + "'");
    }
    f->set(s, value);
  }
}

// RequireValid: raises ValueError unless `s` is valid by the library's rule
// (tarvil::valid), with `context` and the symbols in the message.
void RequireValid(const tarvil::Settings& s, const std::string& context) {
  if (tarvil::valid(s)) return;
  throw py::value_error(context + ": decimal " +
                        py::repr(SymbolStr(s.decimal)).cast<std::string>() + " and thousands " +
                        py::repr(SymbolStr(s.thousands)).cast<std::string>() +
                        " cannot be told apart from the numbers (the decimal symbol may not be "
                        "blank, neither may be a digit or a sign, and the two must differ)");
}

// Settings made from `values`, or ValueError when they are not valid.
tarvil::Settings ValidSettings(const py::dict& values, const char* context) {
  tarvil::Settings s;
  ApplyFields(s, values, context);
  RequireValid(s, context);
  return s;
}

py::dict FieldsOf(const tarvil::Settings& s) {
  py::dict d;
  for (const SettingsField& f : SettingsFields()) d[f.name] = f.get(s);
  return d;
}

// ---- Unit tables -------------------------------------------------------------------

// A unit table with the loader's log (empty for the built-in tables).
struct Units {
  tarvil::UnitTable table;
  std::string log;
};

// Raise the OSError that best says why `path` could not be loaded:
// FileNotFoundError, PermissionError, IsADirectoryError, or a plain OSError
// for a special or oversized file.
[[noreturn]] void RaiseUnreadable(const std::string& path, py::handle original) {
  int error = EINVAL;
  const char* why = "not a regular file of at most 16 MiB";
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    error = errno;
    why = std::strerror(error);
  } else if (S_ISDIR(st.st_mode)) {
    error = EISDIR;
    why = std::strerror(error);
  } else if (::access(path.c_str(), R_OK) != 0) {
    error = errno;
    why = std::strerror(error);
  }
  // OSError(errno, ...) is made as the subclass of that errno.
  Raise(Checked(PyObject_CallFunction(PyExc_OSError, "isO", error, why, original.ptr())));
}

const tarvil::Settings& SettingsOr(py::handle settings);

Units LoadUnits(const Typed<PathName>& path, const SettingsArg& settings) {
  const tarvil::Settings symbols = SettingsOr(settings);
  const py::object os = py::module_::import("os");
  const py::object name = os.attr("fspath")(path);
  const std::string bytes = py::cast<std::string>(os.attr("fsencode")(name));
  if (bytes.find('\0') != std::string::npos) throw py::value_error("path: embedded null byte");
  Units units;
  tarvil::Result<tarvil::UnitTable> r;
  {
    py::gil_scoped_release unlocked;
    r = tarvil::UnitTable::load(std::filesystem::path(bytes), symbols, &units.log);
  }
  if (r.error == tarvil::Error::no_unit) RaiseUnreadable(bytes, name);
  if (!r) {
    const py::object e = Checked(PyObject_CallFunction(
        PyExc_ValueError, "O",
        ToStr("the units definition file " + bytes + " was refused:\n" + units.log).ptr()));
    e.attr("log") = ToStr(units.log);
    Raise(e);
  }
  units.table = r.value;
  return units;
}

// ---- Optional arguments --------------------------------------------------------------

const tarvil::Settings& SettingsOr(py::handle settings) {
  static const tarvil::Settings defaults;
  if (settings.is_none()) return defaults;
  return py::cast<const tarvil::Settings&>(settings);
}

const tarvil::UnitTable& UnitsOr(py::handle units) {
  if (units.is_none()) return tarvil::UnitTable::built_in();
  return py::cast<const Units&>(units).table;
}

// ---- Electrical values -----------------------------------------------------------------

double Read(const Str& text, const QuantityArg& quantity, const NotationArg& notation,
            const SettingsArg& settings, const UnitsArg& units) {
  const std::string_view utf8 = Utf8Of(text, "text");
  const auto r = tarvil::read(utf8, ToEnum<tarvil::Quantity>(g.quantity, quantity, "quantity"),
                              ToEnum<tarvil::Notation>(g.notation, notation, "notation"),
                              SettingsOr(settings), UnitsOr(units));
  return ValueOrRaise(text, utf8, r);
}

// read_many: the texts are taken as a tuple (a list could be changed by
// another thread while the GIL is released) and read in chunks: each
// chunk's texts are viewed with the GIL held, read without it, and turned
// into Python objects with it again. The chunks keep the scratch bounded
// and reused, and let threads take turns with the GIL.
// The reading uses a copy of the settings (another thread may assign to the
// Settings object meanwhile) and a shared handle on the immutable table.
// Texts read per release of the GIL by read_parts, and a signal waits at
// most this many reads.
constexpr Py_ssize_t kReadChunk = 512;

// read_many's chunk: large enough that threads seldom hand the GIL over
// (a handover costs microseconds; 4,096 reads take tens of them), and its
// scratch (the views and results, 128 KiB) too large for a thread's stack,
// which Python lets a program shrink to 32 KiB.
constexpr Py_ssize_t kReadManyChunk = 4096;

struct ReadManyScratch {
  std::array<std::string_view, kReadManyChunk> views;
  std::array<tarvil::Result<double>, kReadManyChunk> results;
};

// The scratch of one read_many call: the thread's own, kept from call to
// call so that its memory is not given back and faulted in again each
// time; a call made while another runs on the same thread (from a signal
// handler between chunks, or a ReadError's construction) takes one of its
// own.
class ScratchLease {
 public:
  ScratchLease() {
    if (!t_busy) {
      if (!t_scratch) t_scratch = std::make_unique<ReadManyScratch>();
      t_busy = true;
      m_scratch = t_scratch.get();
    } else {
      m_own = std::make_unique<ReadManyScratch>();
      m_scratch = m_own.get();
    }
  }
  ~ScratchLease() {
    if (!m_own) t_busy = false;
  }
  ScratchLease(const ScratchLease&) = delete;
  ScratchLease& operator=(const ScratchLease&) = delete;
  ReadManyScratch& operator*() const noexcept { return *m_scratch; }

 private:
  static thread_local std::unique_ptr<ReadManyScratch> t_scratch;
  static thread_local bool t_busy;
  std::unique_ptr<ReadManyScratch> m_own;
  ReadManyScratch* m_scratch = nullptr;
};
thread_local std::unique_ptr<ReadManyScratch> ScratchLease::t_scratch;
thread_local bool ScratchLease::t_busy = false;

// A buffer a Python object exports (an array.array or a NumPy array),
// released with it.
class ExportedBuffer {
 public:
  explicit ExportedBuffer(py::handle object) {
    if (PyObject_GetBuffer(object.ptr(), &m_view, PyBUF_WRITABLE | PyBUF_C_CONTIGUOUS) != 0) {
      throw py::error_already_set();
    }
  }
  ~ExportedBuffer() { PyBuffer_Release(&m_view); }
  ExportedBuffer(const ExportedBuffer&) = delete;
  ExportedBuffer& operator=(const ExportedBuffer&) = delete;
  template <class T>
  T* As() const noexcept {
    return static_cast<T*>(m_view.buf);
  }

 private:
  Py_buffer m_view{};
};

// The two arrays of read_many(out="array"|"numpy"): `count` doubles and
// `count` 32-bit error codes.
std::pair<py::object, py::object> MakeArrays(std::string_view out, Py_ssize_t count) {
  if (out == "numpy") {
    const py::module_ numpy = py::module_::import("numpy");
    return {numpy.attr("empty")(count, "float64"), numpy.attr("empty")(count, "int32")};
  }
  // One zero repeated: each array is allocated once, with no temporary
  // copy that would grow the heap only for it to be trimmed again.
  const py::module_ array = py::module_::import("array");
  static_assert(sizeof(std::int32_t) == sizeof(int));
  const py::int_ times(count);
  return {array.attr("array")("d", py::make_tuple(0.0)) * times,
          array.attr("array")("i", py::make_tuple(0)) * times};
}

// The texts of read_many and read_parts as a tuple: the tuple given, or a
// new one of the sequence's items (a list could change meanwhile).
py::object TextsTuple(py::handle texts) {
  if (PyTuple_CheckExact(texts.ptr())) return py::reinterpret_borrow<py::object>(texts);
  return Checked(PySequence_Tuple(texts.ptr()));
}

// Item `i` of the texts as UTF-8; TypeError for anything but a str. An
// ASCII str's characters are its UTF-8 bytes, read where they stand: this
// runs with the GIL held, and is what threads cannot share.
inline std::string_view TextItem(PyObject* const* item, Py_ssize_t i) {
  PyObject* const text = item[i];
  if (!PyUnicode_Check(text)) {
    throw py::type_error("texts: item " + std::to_string(i) + " is " + Py_TYPE(text)->tp_name +
                         ", not str");
  }
  if (PyUnicode_IS_COMPACT_ASCII(text)) {
    return {static_cast<const char*>(PyUnicode_DATA(text)),
            static_cast<std::size_t>(PyUnicode_GET_LENGTH(text))};
  }
  return Utf8Of(text, "texts");
}

// What read_many returns: two lists (values, ReadError or None), or two
// arrays (values with NaN where refused, error codes) and their buffers,
// filled a chunk at a time.
class ReadManyOutput {
 public:
  ReadManyOutput(std::string_view out, Py_ssize_t count) : m_lists(out == "list") {
    if (m_lists) {
      m_values = py::list(count);
      m_errors = py::list(count);
    } else {
      std::tie(m_values, m_errors) = MakeArrays(out, count);
      m_valueBuffer.emplace(m_values);
      m_codeBuffer.emplace(m_errors);
    }
  }

  bool Lists() const noexcept { return m_lists; }

  // The results of the texts from `first` on into the arrays; needs no GIL.
  void StoreArrays(Py_ssize_t first, const tarvil::Result<double>* results,
                   std::size_t size) noexcept {
    double* value = m_valueBuffer->As<double>() + first;
    std::int32_t* code = m_codeBuffer->As<std::int32_t>() + first;
    for (std::size_t k = 0; k < size; ++k) {
      value[k] = results[k] ? results[k].value : std::nan("");
      code[k] = static_cast<std::int32_t>(results[k].error);
    }
  }

  // The results of the texts from `first` on into the lists, as Python
  // objects (a ReadError names its text `item[i]`).
  void StoreLists(PyObject* const* item, Py_ssize_t first, const std::string_view* views,
                  const tarvil::Result<double>* results, std::size_t size) {
    for (std::size_t k = 0; k < size; ++k) {
      const Py_ssize_t i = first + static_cast<Py_ssize_t>(k);
      const tarvil::Result<double>& r = results[k];
      PyObject* value = PyFloat_FromDouble(r ? r.value : std::nan(""));
      if (value == nullptr) throw py::error_already_set();
      PyList_SET_ITEM(m_values.ptr(), i, value);
      if (r) {
        Py_INCREF(Py_None);
        PyList_SET_ITEM(m_errors.ptr(), i, Py_None);
      } else {
        py::object error = MakeReadError(item[i], views[k], r.error, r.position);
        PyList_SET_ITEM(m_errors.ptr(), i, error.release().ptr());
      }
    }
  }

  // The pair to return, the arrays' buffers released first.
  py::tuple Finish() {
    m_valueBuffer.reset();
    m_codeBuffer.reset();
    return py::make_tuple(m_values, m_errors);
  }

 private:
  bool m_lists;
  py::object m_values, m_errors;
  std::optional<ExportedBuffer> m_valueBuffer, m_codeBuffer;
};

// ReadMany: read() over the texts, in chunks in the thread's own scratch
// (no memory to fault in again on every call), each read with the GIL
// released; signals are answered between chunks. out "list": two
// lists (values, ReadError or None); "array"/"numpy": two arrays (values
// with NaN where refused, error codes).
Typed<ReadManyName> ReadMany(const Typed<TextsName>& textsArg, const QuantityArg& quantity,
                             const NotationArg& notation, const SettingsArg& settings,
                             const UnitsArg& units, const std::string& out) {
  const auto q = ToEnum<tarvil::Quantity>(g.quantity, quantity, "quantity");
  const auto n = ToEnum<tarvil::Notation>(g.notation, notation, "notation");
  const tarvil::Settings s = SettingsOr(settings);
  const tarvil::UnitTable u = UnitsOr(units);
  if (out != "list" && out != "array" && out != "numpy") {
    throw py::value_error("out: 'list', 'array' or 'numpy', not '" + out + "'");
  }
  const py::object items = TextsTuple(textsArg);
  const Py_ssize_t count = PyTuple_GET_SIZE(items.ptr());
  PyObject* const* item = &PyTuple_GET_ITEM(items.ptr(), 0);
  ReadManyOutput output(out, count);

  // The UTF-8 text of a str is the str's own (cached) bytes: the tuple keeps
  // every str alive and a str never changes, so the views stay valid while
  // the GIL is released.
  const ScratchLease scratch;
  auto& [views, results] = *scratch;
  for (Py_ssize_t first = 0; first < count; first += kReadManyChunk) {
    const Py_ssize_t last = std::min(count, first + kReadManyChunk);
    const auto size = static_cast<std::size_t>(last - first);
    for (Py_ssize_t i = first; i < last; ++i) {
      views[static_cast<std::size_t>(i - first)] = TextItem(item, i);
    }
    {
      py::gil_scoped_release unlocked;
      for (std::size_t k = 0; k < size; ++k) results[k] = tarvil::read(views[k], q, n, s, u);
      if (!output.Lists()) output.StoreArrays(first, results.data(), size);
    }
    // Ctrl-C (or any signal's Python handler) is answered between chunks,
    // with the GIL held again, rather than after the whole list.
    if (PyErr_CheckSignals() != 0) throw py::error_already_set();
    if (output.Lists()) output.StoreLists(item, first, views.data(), results.data(), size);
  }
  return {output.Finish()};
}

// ---- Parts ----------------------------------------------------------------------------

py::object OptionalFloat(const std::optional<double>& v) {
  return v ? py::object(py::float_(*v)) : py::none();
}

// The Tolerance of a part read, or None.
py::object ToleranceOf(const tarvil::Part& p) {
  if (!p.tolerance) return py::none();
  return Checked(PyObject_CallFunction(g.tolerance, "ddO", p.tolerance->minus, p.tolerance->plus,
                                       p.tolerance->relative ? Py_True : Py_False));
}

// The immutable Part of a field read (its views within `utf8`).
py::object ToPart(const tarvil::Part& p) {
  const py::tuple args = py::make_tuple(
      p.value, py::bool_(p.has_value), py::bool_(p.fitted), ToleranceOf(p), OptionalFloat(p.voltage),
      OptionalFloat(p.current), OptionalFloat(p.power), OptionalFloat(p.temperature_coefficient),
      ToStr(p.dielectric), ToStr(p.package), ToStr(p.rest));
  return Checked(PyObject_CallObject(g.part, args.ptr()));
}

Typed<PartName> ReadPart(const Str& text, const QuantityArg& quantity, const SettingsArg& settings,
                         const UnitsArg& units) {
  const std::string_view utf8 = Utf8Of(text, "text");
  const auto r = tarvil::read_part(utf8, ToEnum<tarvil::Quantity>(g.quantity, quantity, "quantity"),
                                   SettingsOr(settings), UnitsOr(units));
  if (!r) Raise(MakeReadError(text, utf8, r.error, r.position));
  return {ToPart(r.value)};
}

// read_parts: read_part over many texts as read_many reads them: a tuple of
// the texts, read in chunks without the GIL with a copy of the settings.
Typed<ReadPartsName> ReadParts(const Typed<TextsName>& textsArg, const QuantityArg& quantity,
                               const SettingsArg& settings, const UnitsArg& units) {
  const py::handle texts = textsArg;
  const auto q = ToEnum<tarvil::Quantity>(g.quantity, quantity, "quantity");
  const tarvil::Settings s = SettingsOr(settings);
  const tarvil::UnitTable u = UnitsOr(units);
  const py::object items = TextsTuple(texts);
  const Py_ssize_t count = PyTuple_GET_SIZE(items.ptr());
  PyObject* const* item = &PyTuple_GET_ITEM(items.ptr(), 0);
  py::list parts(count);
  py::list errors(count);
  std::vector<std::string_view> views;
  std::vector<tarvil::Result<tarvil::Part>> results;
  for (Py_ssize_t first = 0; first < count; first += kReadChunk) {
    const Py_ssize_t last = std::min(count, first + kReadChunk);
    views.clear();
    for (Py_ssize_t i = first; i < last; ++i) views.push_back(TextItem(item, i));
    results.resize(views.size());
    {
      py::gil_scoped_release unlocked;
      for (std::size_t k = 0; k < views.size(); ++k) results[k] = tarvil::read_part(views[k], q, s, u);
    }
    for (Py_ssize_t i = first; i < last; ++i) {
      const auto k = static_cast<std::size_t>(i - first);
      const tarvil::Result<tarvil::Part>& r = results[k];
      py::object part = r ? ToPart(r.value) : py::none();
      py::object error = r ? py::none() : MakeReadError(item[i], views[k], r.error, r.position);
      PyList_SET_ITEM(parts.ptr(), i, part.release().ptr());
      PyList_SET_ITEM(errors.ptr(), i, error.release().ptr());
    }
    // Ctrl-C and other signals are answered between chunks.
    if (PyErr_CheckSignals() != 0) throw py::error_already_set();
  }
  return {py::make_tuple(parts, errors)};
}

py::str Write(double value, const QuantityArg& quantity, const NotationArg& notation,
              const SettingsArg& settings, const UnitsArg& units, bool with_unit) {
  return ToStr(tarvil::write(value, ToEnum<tarvil::Quantity>(g.quantity, quantity, "quantity"),
                             ToEnum<tarvil::Notation>(g.notation, notation, "notation"),
                             SettingsOr(settings), UnitsOr(units), with_unit));
}

// ---- Natural order ------------------------------------------------------------------------

// NaturalKey: natural_key's bytes.
py::bytes NaturalKey(const StrOrBytes& text, bool ignore_case) {
  return py::bytes(tarvil::natural_key(BytesOf(text, "text"), ignore_case));
}

int NaturalCompare(const StrOrBytes& a, const StrOrBytes& b, bool ignore_case) {
  return tarvil::natural_compare(BytesOf(a, "a"), BytesOf(b, "b"), ignore_case);
}

// ---- Measures ------------------------------------------------------------------------------

template <class Unit, class Reader>
double ReadMeasure(py::handle text, const EnumRef& ref, py::handle unit, py::handle settings,
                   Reader reader) {
  const std::string_view utf8 = Utf8Of(text, "text");
  return ValueOrRaise(text, utf8,
                      reader(utf8, ToEnum<Unit>(ref, unit, "unit_when_none"), SettingsOr(settings)));
}

// ---- Bills of materials (read_bom) ---------------------------------------------------
// tarvil.read_bom iterates the rows of <tarvil/bom.h>'s reader: the source
// (a path, or a binary or text file object) is read in chunks as rows are
// asked for, so a file of any size takes constant memory.

// A str of bytes from the input, any byte kept (as a lone surrogate when it
// is no UTF-8).
py::str InputStr(std::string_view bytes) {
  PyObject* s =
      PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "surrogateescape");
  if (s == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(s);
}

const char* SkipName(tarvil::BomSkip skip) {
  switch (skip) {
    case tarvil::BomSkip::before_header: return "before_header";
    case tarvil::BomSkip::section: return "section";
    case tarvil::BomSkip::no_reference: return "no_reference";
    case tarvil::BomSkip::no_kind: return "no_kind";
    case tarvil::BomSkip::none: break;
  }
  return nullptr;
}

const char* FaultName(tarvil::BomFault fault) {
  switch (fault) {
    case tarvil::BomFault::too_many_fields: return "too_many_fields";
    case tarvil::BomFault::unterminated_quote: return "unterminated_quote";
    case tarvil::BomFault::character_after_quote: return "character_after_quote";
    case tarvil::BomFault::none: break;
  }
  return nullptr;
}

py::object NameOrNone(const char* name) { return name ? py::object(py::str(name)) : py::object(py::none()); }

// One row, copied out of the reader's buffers.
struct PyBomRow {
  long row = 0, line = 0;
  py::object fields, reference, prefix, value_field, quantity, status, skip, fault, message;
  py::object value, has_value, fitted, error, position, tolerance, voltage, current, power,
      temperature_coefficient, dielectric, package, rest;
};

PyBomRow MakeBomRow(const tarvil::BomRow& r) {
  PyBomRow row;
  row.row = r.row;
  row.line = r.line;
  py::tuple fields(r.fields.size());
  for (std::size_t i = 0; i < r.fields.size(); ++i) fields[i] = InputStr(r.fields[i]);
  row.fields = fields;
  row.reference = InputStr(r.reference);
  row.prefix = InputStr(r.prefix);
  row.value_field = InputStr(r.value_field);
  row.quantity = r.quantity ? Member(g.quantity, static_cast<int>(*r.quantity)) : py::none();
  row.status = py::str(std::string(tarvil::bom_status_name(r.status)));
  row.skip = NameOrNone(SkipName(r.skip));
  row.fault = NameOrNone(FaultName(r.fault));
  row.message = ToStr(r.message);
  const tarvil::Part& part = r.part.value;
  row.value = part.has_value ? py::object(py::float_(part.value)) : py::object(py::none());
  row.has_value = py::bool_(part.has_value);
  row.fitted = py::bool_(part.fitted);
  row.error = Member(g.error, static_cast<int>(r.part.error));
  row.position = py::int_(CharacterPosition(r.value_field, r.part.position));
  row.tolerance = ToleranceOf(part);
  row.voltage = OptionalFloat(part.voltage);
  row.current = OptionalFloat(part.current);
  row.power = OptionalFloat(part.power);
  row.temperature_coefficient = OptionalFloat(part.temperature_coefficient);
  row.dielectric = InputStr(part.dielectric);
  row.package = InputStr(part.package);
  row.rest = InputStr(part.rest);
  return row;
}

tarvil::BomOptions BomOptionsOf(py::handle ref_column, py::handle value_column, py::handle prefixes,
                                bool no_header, py::handle notation, const std::string& bare_unit,
                                py::handle delimiter, py::handle settings, py::handle units) {
  tarvil::BomOptions options;
  if (!ref_column.is_none()) options.reference_column = py::str(ref_column).cast<std::string>();
  if (!value_column.is_none()) options.value_column = py::str(value_column).cast<std::string>();
  if (!prefixes.is_none()) {
    for (const auto& item : py::cast<py::dict>(prefixes)) {
      std::string prefix = py::cast<std::string>(item.first);
      for (char& c : prefix) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
      options.prefixes[prefix] = ToEnum<tarvil::Quantity>(g.quantity, item.second, "prefixes");
    }
  }
  options.no_header = no_header;
  options.notation = ToEnum<tarvil::Notation>(g.notation, notation, "notation");
  if (!delimiter.is_none()) {
    const std::string d = py::cast<std::string>(delimiter);
    if (d.size() != 1 || d[0] == '"' || d[0] == '\n' || d[0] == '\r') {
      throw py::value_error("delimiter: one character other than a quote or line end");
    }
    options.delimiter = d[0];
  }
  options.settings = SettingsOr(settings);
  options.units = UnitsOr(units);
  // The bare unit names its quantity; one the settings give already stands.
  if (!bare_unit.empty()) {
    const auto unit = ToEnum<tarvil::BareUnit>(g.bare_unit, py::str(bare_unit), "bare_unit");
    tarvil::BareUnit& target = tarvil::is_capacitance_unit(unit)
                                   ? options.settings.bare_capacitance
                                   : options.settings.bare_inductance;
    if (target == tarvil::BareUnit::none) target = unit;
  }
  return options;
}

// The iterator read_bom returns.
class BomRows {
 public:
  BomRows(py::object source, tarvil::BomOptions options) {
    const py::object os = py::module_::import("os");
    if (py::isinstance<py::str>(source) || py::isinstance<py::bytes>(source) ||
        py::hasattr(source, "__fspath__")) {
      const std::string path = py::cast<std::string>(os.attr("fsencode")(source));
      if (path.find('\0') != std::string::npos) throw py::value_error("path: embedded null byte");
      m_file = std::make_unique<tarvil::BomFile>(path);
      if (!m_file->ok()) RaiseBomFile(path, m_file->problem());
      m_path = path;
    } else if (py::hasattr(source, "read")) {
      m_source = std::move(source);
    } else {
      throw py::type_error("read_bom: expected a path or a file object, not " +
                           std::string(Py_TYPE(source.ptr())->tp_name));
    }
    // The rows land in a vector of their own, which stays where it is when
    // this iterator is moved.
    std::vector<PyBomRow>* rows = m_rows.get();
    m_reader = std::make_unique<tarvil::BomReader>(
        std::move(options), [rows](const tarvil::BomRow& row) { rows->push_back(MakeBomRow(row)); });
  }

  PyBomRow Next() {
    std::vector<PyBomRow>& rows = *m_rows;
    while (m_next == rows.size() && !m_done) Fill();
    if (m_next == rows.size()) throw py::stop_iteration();
    PyBomRow row = std::move(rows[m_next++]);
    if (m_next == rows.size()) {
      rows.clear();
      m_next = 0;
    }
    return row;
  }

 private:
  static constexpr std::size_t kChunkBytes = 64 * 1024;

  [[noreturn]] static void RaiseBomFile(const std::string& path, const std::string& why) {
    int error = EINVAL;
    if (why == std::strerror(ENOENT)) error = ENOENT;
    if (why == std::strerror(EISDIR)) error = EISDIR;
    if (why == std::strerror(EACCES)) error = EACCES;
    Raise(Checked(PyObject_CallFunction(PyExc_OSError, "iss", error, why.c_str(), path.c_str())));
  }

  void Fill() {
    std::string_view bytes;
    py::object chunk;
    if (m_file) {
      m_buffer.resize(kChunkBytes);
      long got;
      {
        py::gil_scoped_release unlocked;
        got = m_file->read(m_buffer.data(), m_buffer.size());
      }
      if (got < 0) RaiseBomFile(m_path, m_file->problem());
      bytes = std::string_view(m_buffer.data(), static_cast<std::size_t>(got));
    } else {
      chunk = m_source.attr("read")(kChunkBytes);
      if (py::isinstance<py::str>(chunk)) chunk = chunk.attr("encode")("utf-8", "surrogateescape");
      chunk = py::bytes(chunk);  // a bytearray or memoryview becomes bytes that `bytes` may view
      bytes = py::cast<std::string_view>(chunk);
    }
    if (!bytes.empty() && m_reader->feed(bytes)) return;
    m_done = true;
    const tarvil::BomProblem& problem = m_reader->finish();
    if (problem) throw py::value_error(problem.message);
  }

  std::unique_ptr<tarvil::BomFile> m_file;
  std::string m_path;
  py::object m_source;
  std::unique_ptr<tarvil::BomReader> m_reader;
  std::unique_ptr<std::vector<PyBomRow>> m_rows = std::make_unique<std::vector<PyBomRow>>();
  std::size_t m_next = 0;
  std::vector<char> m_buffer;
  bool m_done = false;
};

// BomRow and the iterator of them.
void DefineBomRows(py::module_& m) {
  auto row = py::class_<PyBomRow>(
      m, "BomRow",
      "One record of a bill of materials and what became of it (tarvil.read_bom). status is "
      "'read', 'not-fitted', 'refused', 'ambiguous' or 'skipped'; skip says why a row was "
      "skipped ('before_header', 'section', 'no_reference', 'no_kind'), fault why a record "
      "was refused as CSV ('too_many_fields', 'unterminated_quote', "
      "'character_after_quote'); both None otherwise. value and the attributes are those of "
      "the value field's reading (None where absent); error and position (1-based, in "
      "characters of value_field) say why it was refused.");
  row.def_readonly("row", &PyBomRow::row).def_readonly("line", &PyBomRow::line);
  const std::pair<const char*, py::object PyBomRow::*> members[] = {
      {"fields", &PyBomRow::fields},   {"reference", &PyBomRow::reference},
      {"prefix", &PyBomRow::prefix},   {"value_field", &PyBomRow::value_field},
      {"quantity", &PyBomRow::quantity}, {"status", &PyBomRow::status},
      {"skip", &PyBomRow::skip},       {"fault", &PyBomRow::fault},
      {"message", &PyBomRow::message}, {"value", &PyBomRow::value},
      {"has_value", &PyBomRow::has_value}, {"fitted", &PyBomRow::fitted},
      {"error", &PyBomRow::error},     {"position", &PyBomRow::position},
      {"tolerance", &PyBomRow::tolerance}, {"voltage", &PyBomRow::voltage},
      {"current", &PyBomRow::current}, {"power", &PyBomRow::power},
      {"temperature_coefficient", &PyBomRow::temperature_coefficient},
      {"dielectric", &PyBomRow::dielectric}, {"package", &PyBomRow::package},
      {"rest", &PyBomRow::rest}};
  for (const auto& [name, member] : members) row.def_readonly(name, member);
  row.def("__repr__", [](const PyBomRow& r) {
    return "BomRow(row=" + std::to_string(r.row) + ", reference=" + py::repr(r.reference).cast<std::string>() +
           ", status=" + py::repr(r.status).cast<std::string>() + ", value=" +
           py::repr(r.value).cast<std::string>() + ")";
  });

  py::class_<BomRows>(m, "_BomRows")
      .def("__iter__", [](py::object self) { return self; })
      .def("__next__", &BomRows::Next);
}

// read_bom, returning the iterator DefineBomRows defines.
void DefineReadBom(py::module_& m) {
  m.def(
      "read_bom",
      [](const Typed<BomSourceName>& source, const Typed<ColumnName>& ref_column,
         const Typed<ColumnName>& value_column, const Typed<PrefixesName>& prefixes,
         bool no_header, const NotationArg& notation, const std::string& bare_unit,
         const Typed<OptionalStrName>& delimiter, const SettingsArg& settings,
         const UnitsArg& units) {
        return BomRows(source.object,
                       BomOptionsOf(ref_column, value_column, prefixes, no_header, notation,
                                    bare_unit, delimiter, settings, units));
      },
      py::arg("source"), py::kw_only(), py::arg("ref_column") = py::none(),
      py::arg("value_column") = py::none(), py::arg("prefixes") = py::none(),
      py::arg("no_header") = false, py::arg("notation") = "any", py::arg("bare_unit") = "",
      py::arg("delimiter") = py::none(), py::arg("settings") = py::none(),
      py::arg("units") = py::none(),
      "read_bom(source, *, ref_column=None, value_column=None, prefixes=None, no_header=False, "
      "notation='any', bare_unit='', delimiter=None, settings=None, units=None) -> "
      "Iterator[BomRow]\n\n"
      "The rows of a bill of materials (CSV), one BomRow per record, read as they are asked "
      "for. `source` is a path (a regular file) or a file object (binary or text). The "
      "header, delimiter and columns are found as the C++ reader finds them; ref_column and "
      "value_column name columns (1-based numbers without a header), prefixes adds or "
      "changes reference prefixes ({'FB': 'resistance'}), bare_unit ('uF', 'pF', 'nF', "
      "'uH', 'H') is the unit of bare numbers on capacitors and inductors. Raises OSError "
      "for a file that cannot be read and ValueError when no reference or value column is "
      "found (its message names the header looked at and the names accepted).");
}

void DefineBom(py::module_& m) {
  DefineBomRows(m);
  DefineReadBom(m);
}

}  // namespace

PYBIND11_MODULE(tarvil, m) {
  m.doc() =
      "Reading text typed by a user into checked values and writing values back as text: "
      "electrical values in every common notation ('4k7', '4.7k', '1MEG', '2u2'), lengths, "
      "times, propagation velocities, angles, number-aware ordering of names (R9 < R10) and "
      "name checks. Every function takes its settings as arguments, keeps no state and may "
      "be called from any number of threads; nothing reads or writes a file unless its name "
      "says so (Settings.from_registry, UnitTable.load).";

  // The enums and ReadError, in Python.
  {
    py::list specs;
    for (const EnumSpec& spec : EnumSpecs()) {
      py::list members;
      for (const char* name : spec.members) members.append(name);
      specs.append(py::make_tuple(spec.name, spec.doc, members));
    }
    py::dict ns = m.attr("__dict__");
    ns["_enum_specs"] = specs;
    py::exec(kPythonPart, ns);
    const auto& s = EnumSpecs();
    EnumRef* refs[] = {&g.error,     &g.quantity,      &g.notation,   &g.length_unit, &g.resolution,
                       &g.time_unit, &g.velocity_unit, &g.angle_unit, &g.name_kind, &g.bare_unit};
    for (std::size_t i = 0; i < s.size(); ++i) *refs[i] = LookUpEnum(m, s[i]);
    g.read_error = py::object(m.attr("ReadError")).release().ptr();
    g.name_check = py::object(m.attr("NameCheck")).release().ptr();
    g.part = py::object(m.attr("Part")).release().ptr();
    g.tolerance = py::object(m.attr("Tolerance")).release().ptr();
  }

  // Settings.
  auto settings = py::class_<tarvil::Settings>(
      m, "Settings",
      "The regional symbols, precisions and active notation that readers and writers use. "
      "Settings() holds the library's built-in defaults; keyword arguments set attributes "
      "(Settings(decimal=',', thousands='.')). Compared by value; picklable.");
  settings.def(py::init([](const py::kwargs& kwargs) {
                 return ValidSettings(kwargs, "Settings()");
               }),
               "The defaults, with the attributes given as keyword arguments. Raises ValueError "
               "for regional symbols that cannot be told apart from the numbers: a decimal "
               "symbol that is blank, a decimal or thousands symbol that is a digit or a sign, "
               "or the same symbol for both (a blank thousands symbol, as in '1 000', is "
               "valid).");
  for (const SettingsField& f : SettingsFields()) {
    // An assignment that would make the settings not valid raises
    // ValueError and leaves them as they were.
    settings.def_property(
        f.name, [get = f.get](const tarvil::Settings& s) { return get(s); },
        [set = f.set, name = f.name](tarvil::Settings& s, py::handle v) {
          tarvil::Settings changed = s;
          set(changed, v);
          RequireValid(changed, std::string("Settings.") + name);
          s = changed;
        },
        f.doc);
  }
  settings
      .def_static(
          "from_registry",
          [] {
            const tarvil::Settings s = tarvil::Settings::from_registry();
            RequireValid(s, "Settings.from_registry()");
            return s;
          },
          "The current user's settings from the user's registry file (the defaults for what "
          "is missing or unreadable). Raises ValueError when its regional symbols cannot be "
          "told apart from the numbers, as Settings() does. Writes nothing.")
      .def_static(
          "from_locale",
          [](const Typed<OptionalStrName>& name) {
            tarvil::Settings s;
            if (name.object.is_none()) {
              s = tarvil::Settings::from_locale(nullptr);
            } else {
              const std::string n = py::cast<std::string>(name.object);
              s = tarvil::Settings::from_locale(n.c_str());
            }
            RequireValid(s, "Settings.from_locale()");
            return s;
          },
          py::arg("name") = py::none(),
          "The defaults with the decimal symbol, thousands symbol and group size of the POSIX "
          "locale `name` (None: the environment's, LC_ALL then LC_NUMERIC then LANG). An "
          "unknown name gives the defaults. The process's locale is not touched.")
      .def("__eq__",
           [](const tarvil::Settings& a, const py::object& b) -> py::object {
             if (!py::isinstance<tarvil::Settings>(b)) return py::reinterpret_borrow<py::object>(Py_NotImplemented);
             return py::bool_(FieldsOf(a).equal(FieldsOf(py::cast<const tarvil::Settings&>(b))));
           })
      .def("__repr__",
           [](const tarvil::Settings& s) {
             std::string out = "tarvil.Settings(";
             const char* sep = "";
             for (const SettingsField& f : SettingsFields()) {
               out += sep;
               out += f.name;
               out += '=';
               out += py::repr(f.get(s)).cast<std::string>();
               sep = ", ";
             }
             return out + ")";
           })
      .def(py::pickle([](const tarvil::Settings& s) { return FieldsOf(s); },
                      [](const py::dict& d) { return ValidSettings(d, "Settings.__setstate__"); }));
  settings.attr("__hash__") = py::none();

  // UnitTable.
  py::class_<Units>(m, "UnitTable",
                    "The electrical prefixes and unit names of each notation. UnitTable() holds "
                    "the built-in tables; UnitTable.load(path) adds those of a units definition "
                    "file. Immutable, and safe to share between threads.")
      .def(py::init<>(), "The built-in tables.")
      .def_static("load", &LoadUnits, py::arg("path"), py::arg("settings") = py::none(),
                  "The built-in tables with the units of the units definition file `path` (a "
                  "str or os.PathLike), a DISPLAY text holding the decimal or thousands symbol "
                  "of `settings` (default: the built-in '.' and ',') refused; no registry is "
                  "read. Raises OSError when the file cannot be read (missing, "
                  "unreadable, not a regular file of at most 16 MiB) and ValueError, with the "
                  "loader's log as its message and .log, when the file has syntax errors. "
                  "Refused entries only warn: see .log. Writes no file.")
      .def_property_readonly(
          "log", [](const Units& u) { return ToStr(u.log); },
          "What the loader's error log holds for this table: its warnings, empty after a clean "
          "load and for the built-in tables.")
      .def("__repr__", [](const Units& u) {
        return std::string(u.table.storage() ? "<tarvil.UnitTable loaded>" : "<tarvil.UnitTable built-in>");
      });

  // Values.
  m.def("read", &Read, py::arg("text"), py::arg("quantity") = "number",
        py::arg("notation") = "any", py::arg("settings") = py::none(),
        py::arg("units") = py::none(),
        "`text` as a value of `quantity` in `notation`, in its base unit (ohms, farads, "
        "henrys, volts, amperes, watts). Notation.any reads every form of bills of materials: "
        "'4k7', '4.7k', '4K7', '4R7', '1MEG', '100nF', '2u2', '4.7 kohm'. Raises ReadError "
        "when the text is refused.");
  m.def("read_many", &ReadMany, py::arg("texts"), py::arg("quantity") = "number",
        py::arg("notation") = "any", py::arg("settings") = py::none(),
        py::arg("units") = py::none(), py::arg("out") = "list",
        "read() over an iterable of str: two lists as long as the input, the values (NaN where "
        "a text was refused) and the errors (None, or the ReadError read() would raise). With "
        "out='array' two array.array objects instead, the values ('d', NaN where refused) and "
        "the error codes ('i', Error values, 0 where read); out='numpy' the same as NumPy "
        "float64 and int32 arrays. The GIL is released while the texts are read, so threads "
        "reading lists run in parallel; signals are handled between chunks of a few hundred "
        "texts, so Ctrl-C raises KeyboardInterrupt within a fraction of a second.");
  m.def("read_part", &ReadPart, py::arg("text"), py::arg("quantity"),
        py::arg("settings") = py::none(), py::arg("units") = py::none(),
        "read_part(text, quantity, settings=None, units=None) -> Part\n\n"
        "A part's value field as bills of materials hold it: the value of `quantity` read in "
        "Notation.any among its attributes ('10k 1%', '22uF/6.3V/20%/X5R/C0603', "
        "'0805, 1uF, 10V', 'NA(10k/R0402)'). Raises ReadError when the field holds no value "
        "and is not marked as not fitted (Error.not_a_value for a package code or attributes "
        "alone; the value reader's error for the first token that is none of them).");
  m.def("read_parts", &ReadParts, py::arg("texts"), py::arg("quantity"),
        py::arg("settings") = py::none(), py::arg("units") = py::none(),
        "read_parts(texts, quantity, settings=None, units=None) -> (parts, errors)\n\n"
        "read_part() over an iterable of str: two lists as long as the input, the parts (None "
        "where a text was refused) and the errors (None, or the ReadError read_part() would "
        "raise). The GIL is released while the texts are read.");
  m.def("write", &Write, py::arg("value"), py::arg("quantity") = "number",
        py::arg("notation") = "si", py::arg("settings") = py::none(),
        py::arg("units") = py::none(), py::arg("with_unit") = true,
        "`value` (in the base unit) as text in `notation` with the configured precision and, "
        "when `with_unit`, the unit name. full_precision writes the shortest digits that read "
        "back exactly.");

  // Measures.
  m.def(
      "read_length",
      [](const Str& text, const Typed<LengthUnitName>& unit_when_none,
         const Typed<ResolutionName>& resolution, const SettingsArg& settings) {
        const std::string_view utf8 = Utf8Of(text, "text");
        return ValueOrRaise(
            text, utf8,
            tarvil::read_length(utf8, ToEnum<tarvil::LengthUnit>(g.length_unit, unit_when_none, "unit_when_none"),
                                ToEnum<tarvil::Resolution>(g.resolution, resolution, "resolution"),
                                SettingsOr(settings)));
      },
      py::arg("text"), py::arg("unit_when_none"), py::arg("resolution") = "nm",
      py::arg("settings") = py::none(),
      "A length ('25.4mm', '10 th', '10mil') as a count of base units of `resolution`; a bare "
      "number is in `unit_when_none`. Raises ReadError (not_an_integer when the count passes "
      "the 64-bit range or a non-zero length is below half a base unit).");
  m.def(
      "read_time",
      [](const Str& text, const Typed<TimeUnitName>& unit_when_none, const SettingsArg& settings) {
        return ReadMeasure<tarvil::TimeUnit>(text, g.time_unit, unit_when_none, settings,
                                             [](auto... a) { return tarvil::read_time(a...); });
      },
      py::arg("text"), py::arg("unit_when_none") = "s", py::arg("settings") = py::none(),
      "A time in seconds ('10ns', '1.5 us'); a bare number is in `unit_when_none`. Raises "
      "ReadError.");
  m.def(
      "read_velocity",
      [](const Str& text, const Typed<VelocityUnitName>& unit_when_none,
         const SettingsArg& settings) {
        return ReadMeasure<tarvil::VelocityUnit>(
            text, g.velocity_unit, unit_when_none, settings,
            [](auto... a) { return tarvil::read_velocity(a...); });
      },
      py::arg("text"), py::arg("unit_when_none") = "m_per_s", py::arg("settings") = py::none(),
      "A propagation velocity in metres per second ('6in/ns', '50%c'). Raises ReadError.");
  m.def(
      "read_angle",
      [](const Str& text, const Typed<AngleUnitName>& unit_when_none, const SettingsArg& settings) {
        return ReadMeasure<tarvil::AngleUnit>(text, g.angle_unit, unit_when_none, settings,
                                              [](auto... a) { return tarvil::read_angle(a...); });
      },
      py::arg("text"), py::arg("unit_when_none") = "deg", py::arg("settings") = py::none(),
      "An angle in degrees within (-360, 360) ('45deg', \"10deg 30'\"). Raises ReadError.");
  m.def(
      "write_length",
      [](std::int64_t count, const Typed<LengthUnitName>& unit,
         const Typed<ResolutionName>& resolution, const SettingsArg& settings) {
        return ToStr(tarvil::write_length(count, ToEnum<tarvil::LengthUnit>(g.length_unit, unit, "unit"),
                                          ToEnum<tarvil::Resolution>(g.resolution, resolution, "resolution"),
                                          SettingsOr(settings)));
      },
      py::arg("count"), py::arg("unit"), py::arg("resolution") = "nm",
      py::arg("settings") = py::none(),
      "A count of base units of `resolution` as a length in `unit` ('25.4mm', '10th').");
  m.def(
      "write_time",
      [](double seconds, const Typed<TimeUnitName>& unit, const SettingsArg& settings) {
        return ToStr(tarvil::write_time(seconds, ToEnum<tarvil::TimeUnit>(g.time_unit, unit, "unit"),
                                        SettingsOr(settings)));
      },
      py::arg("seconds"), py::arg("unit"), py::arg("settings") = py::none(),
      "A time in `unit` ('12.5ns').");
  m.def(
      "write_velocity",
      [](double metres_per_second, const Typed<VelocityUnitName>& unit,
         const SettingsArg& settings) {
        return ToStr(tarvil::write_velocity(
            metres_per_second, ToEnum<tarvil::VelocityUnit>(g.velocity_unit, unit, "unit"),
            SettingsOr(settings)));
      },
      py::arg("metres_per_second"), py::arg("unit"), py::arg("settings") = py::none(),
      "A velocity in `unit` ('50%c').");
  m.def(
      "write_angle",
      [](double degrees, const Typed<AngleUnitName>& unit, const SettingsArg& settings) {
        return ToStr(tarvil::write_angle(degrees, ToEnum<tarvil::AngleUnit>(g.angle_unit, unit, "unit"),
                                         SettingsOr(settings)));
      },
      py::arg("degrees"), py::arg("unit"), py::arg("settings") = py::none(),
      "An angle in `unit` ('45 deg').");

  // Names.
  m.def("natural_compare", &NaturalCompare, py::arg("a"), py::arg("b"),
        py::arg("ignore_case") = false,
        "-1, 0 or 1 as `a` sorts before, with or after `b`, runs of digits compared by value "
        "('R9' < 'R10'; a leading zero makes a run longer: 'R1' < 'R01'), other characters by "
        "their UTF-8 bytes (ASCII letters folded to upper case when `ignore_case`). str or "
        "bytes.");
  m.def("natural_key", &NaturalKey, py::arg("text"), py::arg("ignore_case") = false,
        "A sort key for sorted(names, key=tarvil.natural_key): keys order as natural_compare "
        "with the same `ignore_case` orders the texts, and are equal exactly when it gives 0.");
  m.def(
      "check_name",
      [](const Str& text, const Typed<NameKindName>& kind, bool allow_reserved) {
        const std::string_view utf8 = Utf8Of(text, "text");
        const auto r = tarvil::check_name(
            utf8, ToEnum<tarvil::NameKind>(g.name_kind, kind, "kind"), allow_reserved);
        return Typed<NameCheckName>{Checked(PyObject_CallFunction(
            g.name_check, "iiO", static_cast<int>(r.error), CharacterPosition(utf8, r.position),
            ToStr(tarvil::describe(utf8, r.error, r.position)).ptr()))};
      },
      py::arg("text"), py::arg("kind"), py::arg("allow_reserved") = false,
      "Whether `text` is a valid name of `kind` (a NameKind: 'type0'..'type18', 'file', "
      "'path', 'posix_file', 'posix_path'); a reserved design-object name passes when "
      "`allow_reserved`. The NameCheck answer is true or false as the name is valid, and "
      "carries the reason: .error, .position (in characters) and .message.");

  // Bills of materials.
  DefineBom(m);
}
