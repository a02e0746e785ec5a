"""Type hints of the module tarvil: reading text typed by a user into checked
values and writing values back as text (electrical values in every common
notation, lengths, times, velocities, angles), number-aware ordering of names
and name checks. Every enum argument also takes the member's name as a str."""

import enum
import os
from typing import IO, Iterable, Iterator, Literal, Sequence, Union

class Error(enum.IntEnum):
    """Why a text was refused (ReadError.code)."""
    none = 0
    empty = 1
    blank = 2
    too_many_decimal_places = 3
    invalid_character = 4
    character_limit = 5
    no_unit = 6
    too_large = 7
    too_small = 8
    zero_not_allowed = 9
    negative_not_allowed = 10
    positive_not_allowed = 11
    not_an_integer = 12
    ambiguous = 13
    not_a_value = 14

class Quantity(enum.IntEnum):
    """What a value measures; number has no unit."""
    number = 0
    resistance = 1
    capacitance = 2
    inductance = 3
    voltage = 4
    current = 5
    power = 6

class Notation(enum.IntEnum):
    """How an electrical value or number is written."""
    engineering = 0
    european = 1
    scientific = 2
    si = 3
    spice = 4
    full_precision = 5
    decimal = 6
    any = 7

class LengthUnit(enum.IntEnum):
    """The unit of a length."""
    inch = 0
    millimeter = 1
    micron = 2
    mil = 3

class Resolution(enum.IntEnum):
    """The base unit of a length count: 1 nm or 10 nm."""
    nm = 0
    ten_nm = 1

class TimeUnit(enum.IntEnum):
    """The unit of a time. The member 'as' (attoseconds) is TimeUnit['as']."""
    es = 0
    Ps = 1
    Ts = 2
    Gs = 3
    Ms = 4
    Ks = 5
    s = 6
    ms = 7
    us = 8
    ns = 9
    ps = 10
    fs = 11
    # as = 12: a Python keyword, reached as TimeUnit['as']

class VelocityUnit(enum.IntEnum):
    """The unit of a propagation velocity."""
    in_per_ns = 0
    m_per_s = 1
    percent_c = 2

class AngleUnit(enum.IntEnum):
    """The unit of an angle."""
    deg = 0
    arcsec = 1
    arcmin = 2
    rad = 3

class NameKind(enum.IntEnum):
    """The kinds of name check_name knows."""
    type0 = 0
    type1 = 1
    type2 = 2
    type3 = 3
    type4 = 4
    type5 = 5
    type6 = 6
    type7 = 7
    type8 = 8
    type9 = 9
    type10 = 10
    type11 = 11
    type12 = 12
    type13 = 13
    type14 = 14
    type15 = 15
    type16 = 16
    type17 = 17
    type18 = 18
    file = 19
    path = 20
    posix_file = 21
    posix_path = 22

class BareUnit(enum.IntEnum):
    """The unit of a capacitance or inductance written as a bare number in Notation.any."""
    none = 0
    pF = 1
    nF = 2
    uF = 3
    uH = 4
    H = 5

QuantityArg = Union[Quantity, Literal["number", "resistance", "capacitance", "inductance",
                                      "voltage", "current", "power"], str, int]
NotationArg = Union[Notation, Literal["engineering", "european", "scientific", "si", "spice",
                                      "full_precision", "decimal", "any"], str, int]
LengthUnitArg = Union[LengthUnit, Literal["inch", "millimeter", "micron", "mil"], str, int]
ResolutionArg = Union[Resolution, Literal["nm", "ten_nm"], str, int]
TimeUnitArg = Union[TimeUnit, str, int]
VelocityUnitArg = Union[VelocityUnit, Literal["in_per_ns", "m_per_s", "percent_c"], str, int]
AngleUnitArg = Union[AngleUnit, Literal["deg", "arcsec", "arcmin", "rad"], str, int]
NameKindArg = Union[NameKind, str, int]
BareUnitArg = Union[BareUnit, Literal["none", "pF", "nF", "uF", "uH", "H"], str, int]

class ReadError(ValueError):
    """A text the library refused; str() is the library's marked message."""
    code: Error
    """Why the text was refused."""
    position: int
    """1-based position of the faulty character, in characters of the str; 0 for none."""
    text: str
    """The text that was given."""
    def __init__(self, message: str, code: int, position: int, text: str) -> None: ...

class NameCheck:
    """The answer of check_name: true when the name is valid, with the reason
    when it is not. Immutable; equal to another NameCheck with the same answer
    and to the bool it stands for."""
    @property
    def error(self) -> Error:
        """Why the name is not valid; Error.none when it is."""
    @property
    def position(self) -> int:
        """1-based position of the faulty character, in characters of the str; 0 for none."""
    @property
    def message(self) -> str:
        """The library's message (the text with the faulty character marked); '' when valid."""
    def __init__(self, error: int = 0, position: int = 0, message: str = "") -> None: ...
    def __bool__(self) -> bool: ...

class Settings:
    """Regional symbols, precisions and the active notation; compared by value, picklable.

    Always valid: the constructor, every attribute assignment, unpickling and
    from_registry raise ValueError for regional symbols that cannot be told
    apart from the numbers (a blank decimal symbol, a decimal or thousands
    symbol that is a digit or a sign, the same symbol for both; a blank
    thousands symbol, as in '1 000', is valid). A refused assignment leaves
    the object as it was; symbols that are valid only together (swapping '.'
    and ',') are given together: Settings(decimal=',', thousands='.')."""
    decimal: str
    """The decimal symbol, one ASCII character."""
    thousands: str
    """The thousands symbol, one ASCII character."""
    grouping: int
    """Digits per thousands group; 0 or less: no grouping."""
    digits: int
    """Decimals of plain numbers and lengths."""
    leading_zero: bool
    """Whether a magnitude below 1 is written with its 0."""
    @property
    def precision(self) -> tuple[int, int, int, int, int]:
        """Decimals of engineering, european, scientific, si and spice."""
    @precision.setter
    def precision(self, value: Sequence[int]) -> None: ...
    angle_precision: int
    """Decimals of angles."""
    percentage_precision: int
    """Decimals of percentages."""
    time_precision: int
    """Decimals of times."""
    suppress_trailing_zeros: bool
    """Whether writers drop the trailing zeros of decimals."""
    @property
    def notation(self) -> Notation:
        """The active notation, used by writers given Notation.any."""
    @notation.setter
    def notation(self, value: NotationArg) -> None: ...
    @property
    def bare_capacitance(self) -> BareUnit:
        """The unit of a bare capacitance in Notation.any (pF, nF, uF); none: ambiguous."""
    @bare_capacitance.setter
    def bare_capacitance(self, value: BareUnitArg) -> None: ...
    @property
    def bare_inductance(self) -> BareUnit:
        """The unit of a bare inductance in Notation.any (uH, H); none: ambiguous."""
    @bare_inductance.setter
    def bare_inductance(self, value: BareUnitArg) -> None: ...
    def __init__(self, *, decimal: str = ".", thousands: str = ",", grouping: int = 3,
                 digits: int = 3, leading_zero: bool = True,
                 precision: Sequence[int] = (4, 4, 4, 4, 4), angle_precision: int = 3,
                 percentage_precision: int = 2, time_precision: int = 2,
                 suppress_trailing_zeros: bool = True, notation: NotationArg = "si",
                 bare_capacitance: BareUnitArg = "none",
                 bare_inductance: BareUnitArg = "none") -> None:
        """The defaults, with the attributes given as keyword arguments; ValueError
        when the symbols are not valid."""
    @staticmethod
    def from_registry() -> Settings:
        """The current user's settings from the registry file; writes nothing.
        ValueError when its symbols are not valid."""
    @staticmethod
    def from_locale(name: str | None = None) -> Settings:
        """The defaults with the symbols and group size of a POSIX locale."""

class UnitTable:
    """The electrical prefixes and unit names of each notation; immutable."""
    def __init__(self) -> None:
        """The built-in tables."""
    @staticmethod
    def load(path: Union[str, os.PathLike[str]]) -> UnitTable:
        """The built-in tables with the units of a units definition file.

        Raises OSError when the file cannot be read, ValueError (with .log) when
        the loader refuses it."""
    @property
    def log(self) -> str:
        """The loader's warnings; empty after a clean load."""

def read(text: str, quantity: QuantityArg = "number", notation: NotationArg = "any",
         settings: Settings | None = None, units: UnitTable | None = None) -> float:
    """`text` as a value of `quantity` in its base unit; raises ReadError."""
def read_many(texts: Iterable[str], quantity: QuantityArg = "number",
              notation: NotationArg = "any", settings: Settings | None = None,
              units: UnitTable | None = None) -> tuple[list[float], list[ReadError | None]]:
    """read() over many texts, without the GIL: (values, NaN where refused; errors).
    Signals are handled between chunks: Ctrl-C raises KeyboardInterrupt at once."""
class Tolerance:
    """How far a part's value may lie from its nominal value; immutable."""
    minus: float
    """Below the value: a fraction when relative, else in the base unit."""
    plus: float
    """Above the value: a fraction when relative, else in the base unit."""
    relative: bool
    """Whether minus and plus are fractions of the value ('1%': 0.01)."""
    def __init__(self, minus: float, plus: float, relative: bool) -> None: ...

class Part:
    """A part's value field as read_part reads it; immutable."""
    value: float
    """In the base unit; 0.0 when not has_value."""
    has_value: bool
    fitted: bool
    """False for a part marked DNP, DNF, DNI, NP, NF, NC, NA, not fitted, do not populate."""
    tolerance: Tolerance | None
    voltage: float | None
    """The voltage rating in V."""
    current: float | None
    """The current rating in A."""
    power: float | None
    """The power rating in W."""
    temperature_coefficient: float | None
    """In ppm per kelvin."""
    dielectric: str
    """As written ('X7R'); '' when absent."""
    package: str
    """The digits of the chip size ('0603' of 'C0603'); '' when absent."""
    rest: str
    """From the first token recognised as none of these to the end; '' when none."""
    def __init__(self, value: float, has_value: bool, fitted: bool, tolerance: Tolerance | None,
                 voltage: float | None, current: float | None, power: float | None,
                 temperature_coefficient: float | None, dielectric: str, package: str,
                 rest: str) -> None: ...

def read_part(text: str, quantity: QuantityArg, settings: Settings | None = None,
              units: UnitTable | None = None) -> Part:
    """A part's value field: the value of `quantity` and its attributes; raises ReadError."""
def read_parts(texts: Iterable[str], quantity: QuantityArg, settings: Settings | None = None,
               units: UnitTable | None = None) -> tuple[list[Part | None],
                                                         list[ReadError | None]]:
    """read_part() over many texts, without the GIL: (parts, None where refused; errors)."""
def write(value: float, quantity: QuantityArg = "number", notation: NotationArg = "si",
          settings: Settings | None = None, units: UnitTable | None = None,
          with_unit: bool = True) -> str:
    """`value` as text in `notation`."""

def read_length(text: str, unit_when_none: LengthUnitArg, resolution: ResolutionArg = "nm",
                settings: Settings | None = None) -> int:
    """A length as a count of base units of `resolution`; raises ReadError."""
def write_length(count: int, unit: LengthUnitArg, resolution: ResolutionArg = "nm",
                 settings: Settings | None = None) -> str:
    """A count of base units as a length in `unit`."""
def read_time(text: str, unit_when_none: TimeUnitArg = "s",
              settings: Settings | None = None) -> float:
    """A time in seconds; raises ReadError."""
def write_time(seconds: float, unit: TimeUnitArg, settings: Settings | None = None) -> str:
    """A time in `unit`."""
def read_velocity(text: str, unit_when_none: VelocityUnitArg = "m_per_s",
                  settings: Settings | None = None) -> float:
    """A velocity in metres per second; raises ReadError."""
def write_velocity(metres_per_second: float, unit: VelocityUnitArg,
                   settings: Settings | None = None) -> str:
    """A velocity in `unit`."""
def read_angle(text: str, unit_when_none: AngleUnitArg = "deg",
               settings: Settings | None = None) -> float:
    """An angle in degrees within (-360, 360); raises ReadError."""
def write_angle(degrees: float, unit: AngleUnitArg, settings: Settings | None = None) -> str:
    """An angle in `unit`."""

def natural_compare(a: Union[str, bytes], b: Union[str, bytes], ignore_case: bool = False) -> int:
    """-1, 0 or 1 as `a` sorts before, with or after `b` ('R9' < 'R10')."""
def natural_key(text: Union[str, bytes], ignore_case: bool = False) -> bytes:
    """A sort key ordering as natural_compare, equal exactly when it gives 0."""
def check_name(text: str, kind: NameKindArg, allow_reserved: bool = False) -> NameCheck:
    """Whether `text` is a valid name of `kind`: true or false, with .error,
    .position and .message telling why not."""

# ---- Bills of materials ------------------------------------------------------

class BomRow:
    """One record of a bill of materials and what became of it (read_bom)."""
    row: int  # 1-based among the records after the header (all, without one); 0 before it
    line: int  # 1-based line where the record begins
    fields: tuple[str, ...]  # the record's fields, unquoted
    reference: str  # blanks trimmed
    prefix: str  # its leading letters
    value_field: str
    quantity: Quantity | None  # the prefix's quantity
    status: Literal["read", "not-fitted", "refused", "ambiguous", "skipped"]
    skip: Literal["before_header", "section", "no_reference", "no_kind"] | None
    fault: Literal["too_many_fields", "unterminated_quote", "character_after_quote"] | None
    message: str  # why refused, ambiguous or skipped; '' otherwise
    value: float | None  # in the base unit
    has_value: bool
    fitted: bool
    error: Error  # Error.none unless the value field was refused
    position: int  # 1-based, in characters of value_field; 0 when none
    tolerance: Tolerance | None
    voltage: float | None
    current: float | None
    power: float | None
    temperature_coefficient: float | None
    dielectric: str
    package: str
    rest: str

def read_bom(source: Union[str, bytes, os.PathLike, IO[bytes], IO[str]], *,
             ref_column: str | None = None, value_column: str | None = None,
             prefixes: dict[str, QuantityArg] | None = None, no_header: bool = False,
             notation: NotationArg = "any", bare_unit: str = "", delimiter: str | None = None,
             settings: Settings | None = None, units: UnitTable | None = None) -> Iterator[BomRow]:
    """The rows of a bill of materials (CSV), read in chunks as they are asked
    for. Raises OSError for a file that cannot be read, ValueError when no
    reference or value column is found."""
