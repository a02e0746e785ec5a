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
#include <string>
#include <string_view>
#include <vector>

#include <tarvil/tarvil.h>

namespace py = pybind11;

namespace {

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
       "13, ambiguous, means that two common readings of the text differ.",
       {"none", "empty", "blank", "too_many_decimal_places", "invalid_character",
        "character_limit", "no_unit", "too_large", "too_small", "zero_not_allowed",
        "negative_not_allowed", "positive_not_allowed", "not_an_integer", "ambiguous"}},
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
};

struct ModuleState {
  EnumRef error, quantity, notation, length_unit, resolution, time_unit, velocity_unit,
      angle_unit, name_kind;
  PyObject* read_error = nullptr;
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
  PyObject* o = arg.ptr();
  long value = -1;
  if (PyObject_TypeCheck(o, reinterpret_cast<PyTypeObject*>(ref.cls)) || PyLong_CheckExact(o)) {
    value = PyLong_AsLong(o);
    if (value == -1 && PyErr_Occurred()) throw py::error_already_set();
  } else if (PyUnicode_Check(o)) {
    PyObject* v = PyDict_GetItemWithError(ref.by_name, o);
    if (v == nullptr) {
      if (PyErr_Occurred()) throw py::error_already_set();
      throw py::value_error(std::string(param) + ": " + py::repr(arg).cast<std::string>() +
                            " is no member of " + ref.name);
    }
    value = PyLong_AsLong(v);
  } else {
    throw py::type_error(std::string(param) + ": expected a " + ref.name +
                         " or the name of one, not " + Py_TYPE(o)->tp_name);
  }
  if (value < 0 || value >= ref.count) {
    throw py::value_error(std::string(param) + ": " + std::to_string(value) +
                          " is no member of " + ref.name);
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
  if (s.size() != 1 || static_cast<unsigned char>(s[0]) >= 0x80) {
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

py::object SymbolStr(char c) { return py::str(std::string(1, c)); }

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
         const py::sequence seq = py::reinterpret_borrow<py::sequence>(v);
         if (!PySequence_Check(v.ptr()) || PyUnicode_Check(v.ptr()) || py::len(seq) != 5) {
           throw py::value_error("precision: expected a sequence of 5 ints");
         }
         std::array<int, 5> precision{};  // all or nothing
         for (std::size_t i = 0; i < 5; ++i) precision[i] = IntOf(seq[i], "precision");
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

Units LoadUnits(py::handle path) {
  const py::object os = py::module_::import("os");
  const py::object name = os.attr("fspath")(path);
  const std::string bytes = py::cast<std::string>(os.attr("fsencode")(name));
  if (bytes.find('\0') != std::string::npos) throw py::value_error("path: embedded null byte");
  Units units;
  tarvil::Result<tarvil::UnitTable> r;
  {
    py::gil_scoped_release unlocked;
    r = tarvil::UnitTable::load(std::filesystem::path(bytes), &units.log);
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

double Read(py::handle text, py::handle quantity, py::handle notation, py::handle settings,
            py::handle units) {
  const std::string_view utf8 = Utf8Of(text, "text");
  const auto r = tarvil::read(utf8, ToEnum<tarvil::Quantity>(g.quantity, quantity, "quantity"),
                              ToEnum<tarvil::Notation>(g.notation, notation, "notation"),
                              SettingsOr(settings), UnitsOr(units));
  return ValueOrRaise(text, utf8, r);
}

// read_many: the texts are taken as a tuple (a list could be changed by
// another thread while the GIL is released) and read in chunks: each
// chunk's texts are copied into one buffer with the GIL held, read without
// it, and turned into Python objects with it again. The chunks keep the
// buffers small and reused, and let threads take turns with the GIL often.
// The reading uses a copy of the settings (another thread may assign to the
// Settings object meanwhile) and a shared handle on the immutable table.
constexpr Py_ssize_t kReadChunk = 4096;

py::tuple ReadMany(py::handle texts, py::handle quantity, py::handle notation,
                   py::handle settings, py::handle units) {
  const auto q = ToEnum<tarvil::Quantity>(g.quantity, quantity, "quantity");
  const auto n = ToEnum<tarvil::Notation>(g.notation, notation, "notation");
  const tarvil::Settings s = SettingsOr(settings);
  const tarvil::UnitTable u = UnitsOr(units);

  py::object items = py::reinterpret_borrow<py::object>(texts);
  if (!PyTuple_CheckExact(texts.ptr())) {
    items = Checked(PySequence_Tuple(texts.ptr()));
  }
  const Py_ssize_t count = PyTuple_GET_SIZE(items.ptr());
  PyObject** item = &PyTuple_GET_ITEM(items.ptr(), 0);
  py::list values(count);
  py::list errors(count);

  // The UTF-8 text of a str is the str's own (cached) bytes: the tuple keeps
  // every str alive and a str never changes, so the views stay valid while
  // the GIL is released.
  std::vector<std::string_view> views;
  std::vector<tarvil::Result<double>> results;
  for (Py_ssize_t first = 0; first < count; first += kReadChunk) {
    const Py_ssize_t last = std::min(count, first + kReadChunk);
    views.clear();
    for (Py_ssize_t i = first; i < last; ++i) {
      if (!PyUnicode_Check(item[i])) {
        throw py::type_error("texts: item " + std::to_string(i) + " is " +
                             Py_TYPE(item[i])->tp_name + ", not str");
      }
      views.push_back(Utf8Of(item[i], "texts"));
    }
    results.resize(views.size());
    {
      py::gil_scoped_release unlocked;
      for (std::size_t k = 0; k < views.size(); ++k) results[k] = tarvil::read(views[k], q, n, s, u);
    }
    for (Py_ssize_t i = first; i < last; ++i) {
      const auto k = static_cast<std::size_t>(i - first);
      const tarvil::Result<double>& r = results[k];
      PyObject* value = PyFloat_FromDouble(r ? r.value : std::nan(""));
      if (value == nullptr) throw py::error_already_set();
      PyList_SET_ITEM(values.ptr(), i, value);
      if (r) {
        Py_INCREF(Py_None);
        PyList_SET_ITEM(errors.ptr(), i, Py_None);
      } else {
        py::object error = MakeReadError(item[i], views[k], r.error, r.position);
        PyList_SET_ITEM(errors.ptr(), i, error.release().ptr());
      }
    }
  }
  return py::make_tuple(values, errors);
}

py::str Write(double value, py::handle quantity, py::handle notation, py::handle settings,
              py::handle units, bool with_unit) {
  return ToStr(tarvil::write(value, ToEnum<tarvil::Quantity>(g.quantity, quantity, "quantity"),
                             ToEnum<tarvil::Notation>(g.notation, notation, "notation"),
                             SettingsOr(settings), UnitsOr(units), with_unit));
}

// ---- Natural order ------------------------------------------------------------------------

// NaturalKey: natural_key's bytes.
py::bytes NaturalKey(py::handle text, bool ignore_case) {
  return py::bytes(tarvil::natural_key(BytesOf(text, "text"), ignore_case));
}

int NaturalCompare(py::handle a, py::handle b, bool ignore_case) {
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
                       &g.time_unit, &g.velocity_unit, &g.angle_unit, &g.name_kind};
    for (std::size_t i = 0; i < s.size(); ++i) *refs[i] = LookUpEnum(m, s[i]);
    g.read_error = py::object(m.attr("ReadError")).release().ptr();
  }

  // Settings.
  auto settings = py::class_<tarvil::Settings>(
      m, "Settings",
      "The regional symbols, precisions and active notation that readers and writers use. "
      "Settings() holds the library's built-in defaults; keyword arguments set attributes "
      "(Settings(decimal=',', thousands='.')). Compared by value; picklable.");
  settings.def(py::init([](const py::kwargs& kwargs) {
                 tarvil::Settings s;
                 ApplyFields(s, kwargs, "Settings()");
                 return s;
               }),
               "Settings(**attributes): the defaults, with the attributes given as keyword "
               "arguments.");
  for (const SettingsField& f : SettingsFields()) {
    settings.def_property(
        f.name, [get = f.get](const tarvil::Settings& s) { return get(s); },
        [set = f.set](tarvil::Settings& s, py::handle v) { set(s, v); }, f.doc);
  }
  settings
      .def_static("from_registry", &tarvil::Settings::from_registry,
                  "The current user's settings from the user's registry file (the defaults for "
                  "what is missing or unreadable). Writes nothing.")
      .def_static(
          "from_locale",
          [](const py::object& name) {
            if (name.is_none()) return tarvil::Settings::from_locale(nullptr);
            const std::string n = py::cast<std::string>(name);
            return tarvil::Settings::from_locale(n.c_str());
          },
          py::arg("name") = py::none(),
          "The defaults with the decimal symbol, thousands symbol and group size of the POSIX "
          "locale `name` (None: the environment's, LC_ALL then LC_NUMERIC then LANG). An "
          "unknown name gives the defaults. The process's locale is not touched.")
      .def("__eq__",
           [](const tarvil::Settings& a, py::handle b) -> py::object {
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
                      [](const py::dict& d) {
                        tarvil::Settings s;
                        ApplyFields(s, d, "Settings.__setstate__");
                        return s;
                      }));
  settings.attr("__hash__") = py::none();

  // UnitTable.
  py::class_<Units>(m, "UnitTable",
                    "The electrical prefixes and unit names of each notation. UnitTable() holds "
                    "the built-in tables; UnitTable.load(path) adds those of a units definition "
                    "file. Immutable, and safe to share between threads.")
      .def(py::init<>(), "The built-in tables.")
      .def_static("load", &LoadUnits, py::arg("path"),
                  "The built-in tables with the units of the units definition file `path` (a "
                  "str or os.PathLike). Raises OSError when the file cannot be read (missing, "
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
        "read(text, quantity='number', notation='any', settings=None, units=None) -> float\n\n"
        "`text` as a value of `quantity` in `notation`, in its base unit (ohms, farads, "
        "henrys, volts, amperes, watts). Notation.any reads every form of bills of materials: "
        "'4k7', '4.7k', '4K7', '4R7', '1MEG', '100nF', '2u2', '4.7 kohm'. Raises ReadError "
        "when the text is refused.");
  m.def("read_many", &ReadMany, py::arg("texts"), py::arg("quantity") = "number",
        py::arg("notation") = "any", py::arg("settings") = py::none(),
        py::arg("units") = py::none(),
        "read_many(texts, quantity='number', notation='any', settings=None, units=None) -> "
        "(values, errors)\n\n"
        "read() over an iterable of str: two lists as long as the input, the values (NaN where "
        "a text was refused) and the errors (None, or the ReadError read() would raise). The "
        "GIL is released while the texts are read, so threads reading lists run in parallel.");
  m.def("write", &Write, py::arg("value"), py::arg("quantity") = "number",
        py::arg("notation") = "si", py::arg("settings") = py::none(),
        py::arg("units") = py::none(), py::arg("with_unit") = true,
        "write(value, quantity='number', notation='si', settings=None, units=None, "
        "with_unit=True) -> str\n\n"
        "`value` (in the base unit) as text in `notation` with the configured precision and, "
        "when `with_unit`, the unit name. full_precision writes the shortest digits that read "
        "back exactly.");

  // Measures.
  m.def(
      "read_length",
      [](py::handle text, py::handle unit_when_none, py::handle resolution, py::handle settings) {
        const std::string_view utf8 = Utf8Of(text, "text");
        return ValueOrRaise(
            text, utf8,
            tarvil::read_length(utf8, ToEnum<tarvil::LengthUnit>(g.length_unit, unit_when_none, "unit_when_none"),
                                ToEnum<tarvil::Resolution>(g.resolution, resolution, "resolution"),
                                SettingsOr(settings)));
      },
      py::arg("text"), py::arg("unit_when_none"), py::arg("resolution") = "nm",
      py::arg("settings") = py::none(),
      "read_length(text, unit_when_none, resolution='nm', settings=None) -> int\n\n"
      "A length ('25.4mm', '10 th', '10mil') as a count of base units of `resolution`; a bare "
      "number is in `unit_when_none`. Raises ReadError (not_an_integer when the count passes "
      "the 64-bit range or a non-zero length is below half a base unit).");
  m.def(
      "read_time",
      [](py::handle text, py::handle unit_when_none, py::handle settings) {
        return ReadMeasure<tarvil::TimeUnit>(text, g.time_unit, unit_when_none, settings,
                                             [](auto... a) { return tarvil::read_time(a...); });
      },
      py::arg("text"), py::arg("unit_when_none") = "s", py::arg("settings") = py::none(),
      "read_time(text, unit_when_none='s', settings=None) -> float\n\n"
      "A time in seconds ('10ns', '1.5 us'); a bare number is in `unit_when_none`. Raises "
      "ReadError.");
  m.def(
      "read_velocity",
      [](py::handle text, py::handle unit_when_none, py::handle settings) {
        return ReadMeasure<tarvil::VelocityUnit>(
            text, g.velocity_unit, unit_when_none, settings,
            [](auto... a) { return tarvil::read_velocity(a...); });
      },
      py::arg("text"), py::arg("unit_when_none") = "m_per_s", py::arg("settings") = py::none(),
      "read_velocity(text, unit_when_none='m_per_s', settings=None) -> float\n\n"
      "A propagation velocity in metres per second ('6in/ns', '50%c'). Raises ReadError.");
  m.def(
      "read_angle",
      [](py::handle text, py::handle unit_when_none, py::handle settings) {
        return ReadMeasure<tarvil::AngleUnit>(text, g.angle_unit, unit_when_none, settings,
                                              [](auto... a) { return tarvil::read_angle(a...); });
      },
      py::arg("text"), py::arg("unit_when_none") = "deg", py::arg("settings") = py::none(),
      "read_angle(text, unit_when_none='deg', settings=None) -> float\n\n"
      "An angle in degrees within (-360, 360) ('45deg', \"10deg 30'\"). Raises ReadError.");
  m.def(
      "write_length",
      [](std::int64_t count, py::handle unit, py::handle resolution, py::handle settings) {
        return ToStr(tarvil::write_length(count, ToEnum<tarvil::LengthUnit>(g.length_unit, unit, "unit"),
                                          ToEnum<tarvil::Resolution>(g.resolution, resolution, "resolution"),
                                          SettingsOr(settings)));
      },
      py::arg("count"), py::arg("unit"), py::arg("resolution") = "nm",
      py::arg("settings") = py::none(),
      "write_length(count, unit, resolution='nm', settings=None) -> str\n\n"
      "A count of base units of `resolution` as a length in `unit` ('25.4mm', '10th').");
  m.def(
      "write_time",
      [](double seconds, py::handle unit, py::handle settings) {
        return ToStr(tarvil::write_time(seconds, ToEnum<tarvil::TimeUnit>(g.time_unit, unit, "unit"),
                                        SettingsOr(settings)));
      },
      py::arg("seconds"), py::arg("unit"), py::arg("settings") = py::none(),
      "write_time(seconds, unit, settings=None) -> str\n\nA time in `unit` ('12.5ns').");
  m.def(
      "write_velocity",
      [](double metres_per_second, py::handle unit, py::handle settings) {
        return ToStr(tarvil::write_velocity(
            metres_per_second, ToEnum<tarvil::VelocityUnit>(g.velocity_unit, unit, "unit"),
            SettingsOr(settings)));
      },
      py::arg("metres_per_second"), py::arg("unit"), py::arg("settings") = py::none(),
      "write_velocity(metres_per_second, unit, settings=None) -> str\n\n"
      "A velocity in `unit` ('50%c').");
  m.def(
      "write_angle",
      [](double degrees, py::handle unit, py::handle settings) {
        return ToStr(tarvil::write_angle(degrees, ToEnum<tarvil::AngleUnit>(g.angle_unit, unit, "unit"),
                                         SettingsOr(settings)));
      },
      py::arg("degrees"), py::arg("unit"), py::arg("settings") = py::none(),
      "write_angle(degrees, unit, settings=None) -> str\n\nAn angle in `unit` ('45 deg').");

  // Names.
  m.def("natural_compare", &NaturalCompare, py::arg("a"), py::arg("b"),
        py::arg("ignore_case") = false,
        "natural_compare(a, b, ignore_case=False) -> int\n\n"
        "-1, 0 or 1 as `a` sorts before, with or after `b`, runs of digits compared by value "
        "('R9' < 'R10'; a leading zero makes a run longer: 'R1' < 'R01'), other characters by "
        "their UTF-8 bytes (ASCII letters folded to upper case when `ignore_case`). str or "
        "bytes.");
  m.def("natural_key", &NaturalKey, py::arg("text"), py::arg("ignore_case") = false,
        "natural_key(text, ignore_case=False) -> bytes\n\n"
        "A sort key for sorted(names, key=tarvil.natural_key): keys order as natural_compare "
        "with the same `ignore_case` orders the texts, and are equal exactly when it gives 0.");
  m.def(
      "check_name",
      [](py::handle text, py::handle kind, bool allow_reserved) {
        return static_cast<bool>(tarvil::check_name(
            Utf8Of(text, "text"), ToEnum<tarvil::NameKind>(g.name_kind, kind, "kind"), allow_reserved));
      },
      py::arg("text"), py::arg("kind"), py::arg("allow_reserved") = false,
      "check_name(text, kind, allow_reserved=False) -> bool\n\n"
      "Whether `text` is a valid name of `kind` (a NameKind: 'type0'..'type18', 'file', "
      "'path', 'posix_file', 'posix_path'); a reserved design-object name passes when "
      "`allow_reserved`.");
}
