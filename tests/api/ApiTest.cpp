// The modern interface against the string class: every reader, writer,
// comparison and check gives what the class gives for the same question
// with the same (default) settings, over tables of texts and values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <unistd.h>

#include "CTarvil.h"
#include "RegistryFiles.h"
#include "tarvil.h"

namespace {

struct Answer {
  double value = 0.0;
  int error = 0;
  int position = 0;
  bool operator==(const Answer&) const = default;
};

template <class T>
Answer Of(const tarvil::Result<T>& r) {
  return {static_cast<double>(r.value), static_cast<int>(r.error), r.position};
}
Answer Of(int accepted, const CTarvil& s, double value) {
  if (accepted) return {value, 0, 0};
  return {0.0, s.GetCurrentError(), s.GetCursorPosition()};
}

const char* const kTexts[] = {
    "4k7",   "4.7k",  "4R7",    "47R",   "4.7kohms", "1MEG",   "1M",     "100n",  "100nF",
    "4n7F",  "2u2",   "10mA",   "-5V",   "-4k7",     "4x7",    "",       "   ",   "1.2.3",
    "4.7E3", "1e400", "0",      "1,000", "4.7 kW",   "4.7k W", "3V3",    "12pF",  "0.5m",
    "+7",    "1e-30", "5%",     "7 H",   "4k7k",     "1p5",    "4.7 k",  "-0",    "9e307k"};

constexpr tarvil::Quantity kQuantities[] = {
    tarvil::Quantity::number,  tarvil::Quantity::resistance, tarvil::Quantity::capacitance,
    tarvil::Quantity::inductance, tarvil::Quantity::voltage, tarvil::Quantity::current,
    tarvil::Quantity::power};

// The string class's reading of `text` as `q` in `n`.
Answer ClassRead(const char* text, tarvil::Quantity q, eOrvantaNotations n) {
  CTarvil s(text);
  double v = 0.0;
  int ok = 0;
  switch (q) {
    case tarvil::Quantity::number:
      ok = s.IsDoubleForNotation(n == eFullPrecision ? eDecimal : n, &v, eNoUnit);
      break;
    case tarvil::Quantity::resistance: ok = s.InterpretAsOhmMeasure(n, v, 0, 0); break;
    case tarvil::Quantity::capacitance: ok = s.InterpretAsCapacitanceMeasure(n, v, 0, 0); break;
    case tarvil::Quantity::inductance: ok = s.InterpretAsInductanceMeasure(n, v, 0, 0); break;
    case tarvil::Quantity::voltage: ok = s.InterpretAsVoltMeasure(n, v, 0, 0, eDomainAny); break;
    case tarvil::Quantity::current: ok = s.InterpretAsAmpMeasure(n, v, 0, 0, eDomainAny); break;
    case tarvil::Quantity::power: ok = s.InterpretAsPowerMeasure(n, v, 0, 0); break;
  }
  return Of(ok, s, v);
}

// The string class's writing of `v` as `q` in `n`, with its unit.
std::string ClassWrite(double v, tarvil::Quantity q, eOrvantaNotations n) {
  CTarvil s;
  switch (q) {
    case tarvil::Quantity::number: s.SetDoubleForNotation(n, v, 1, eNoUnit); break;
    case tarvil::Quantity::resistance: s.SetOhmMeasure(n, v, 1, 1); break;
    case tarvil::Quantity::capacitance: s.SetCapacitanceMeasure(n, v, 1, 1); break;
    case tarvil::Quantity::inductance: s.SetInductanceMeasure(n, v, 1, 1); break;
    case tarvil::Quantity::voltage: s.SetVoltMeasure(n, v, 1, 1); break;
    case tarvil::Quantity::current: s.SetAmpMeasure(n, v, 1, 1); break;
    case tarvil::Quantity::power: s.SetPowerMeasure(n, v, 1, 1); break;
  }
  return std::string(s.View());
}

class Api : public ::testing::Test {
 protected:
  void SetUp() override { CTarvil::SetLocale(); }
};

TEST_F(Api, ReadAndWriteAsTheStringClass) {
  for (int n = 0; n <= 6; ++n) {
    const auto notation = static_cast<tarvil::Notation>(n);
    const auto classNotation = static_cast<eOrvantaNotations>(n);
    for (tarvil::Quantity q : kQuantities) {
      for (const char* text : kTexts) {
        SCOPED_TRACE(std::string(text) + " notation " + std::to_string(n) + " quantity " +
                     std::to_string(static_cast<int>(q)));
        Answer expected = ClassRead(text, q, classNotation);
        // One rule here for blanks alone: one past the end (the class's
        // number test leaves the length).
        if (expected.error == eErrBlank) expected.position = static_cast<int>(strlen(text)) + 1;
        EXPECT_EQ(Of(tarvil::read(text, q, notation)), expected);
      }
      if (notation == tarvil::Notation::full_precision) continue;  // written otherwise
      for (double v : {0.0, 4700.0, 4.7, 1e-7, -2.5e6, 123456.789, 1e-20, 47.0, 1e30}) {
        SCOPED_TRACE(std::to_string(v) + " notation " + std::to_string(n));
        const std::string text = tarvil::write(v, q, notation);
        EXPECT_EQ(text, ClassWrite(v, q, classNotation));
        char small[4];
        const auto r = tarvil::write(small, small + sizeof small, v, q, notation);
        if (text.size() <= sizeof small) {
          EXPECT_EQ(std::string(small, r.ptr), text);
        } else {
          EXPECT_EQ(r.ec, std::errc::value_too_large);
        }
      }
    }
  }
}

// Full precision writes the shortest digits that read back exactly.
TEST_F(Api, FullPrecisionReadsBack) {
  tarvil::Settings s;
  s.decimal = ',';
  s.thousands = '.';
  for (double v : {1e-300, 1e300, 0.1, 2.0 / 3.0, -123456.789, 5e-324 * 1e10, 4.7e-3}) {
    const std::string text = tarvil::write(v, tarvil::Quantity::number,
                                           tarvil::Notation::full_precision, s);
    EXPECT_EQ(tarvil::read(text, tarvil::Quantity::number, tarvil::Notation::decimal, s).value, v)
        << text;
  }
}

TEST_F(Api, MeasuresAsTheStringClass) {
  const char* const texts[] = {"25.4mm", "10 th",  "10mil", "3 MILS", "1in",    "100nm", "5tnm",
                               "12",     "-3 um",  "5 km",  "",       "  ",     "1.2.3mm",
                               "0.000004 mm",      "10ns",  " 1.5 us ", "5MS",  "3ks",  "6in/ns",
                               "50%c",   "120%c",  "45deg", "10deg 30'", "1.5rad", "400deg",
                               "1e-307as", "1e300"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const std::string plain = std::string(text).find("mil") != std::string::npos ||
                                      std::string(text).find("MIL") != std::string::npos
                                  ? std::string(text).substr(0, std::string(text).find_first_of("mM")) + "th"
                                  : text;
    {
      CTarvil s(plain.c_str());
      int count = 0;
      const int ok = s.InterpretAsLinearMeasure(count, kDesMillimeter, kBaseNanometer, 0, 0,
                                                eDomainAny);
      EXPECT_EQ(Of(tarvil::read_length(text, tarvil::LengthUnit::millimeter)), Of(ok, s, count));
    }
    {
      CTarvil s(text);
      double v = 0.0;
      const int ok = s.InterpretAsTimeMeasure(v, kSINano, 0, 0, eDomainAny);
      EXPECT_EQ(Of(tarvil::read_time(text, tarvil::TimeUnit::ns)), Of(ok, s, v));
    }
    {
      CTarvil s(text);
      double v = 0.0;
      const int ok = s.InterpretAsVpMeasure(v, kVpPercentC, 0, 0, eDomainAny);
      EXPECT_EQ(Of(tarvil::read_velocity(text, tarvil::VelocityUnit::percent_c)), Of(ok, s, v));
    }
    {
      CTarvil s(text);
      double v = 0.0;
      const int ok = s.InterpretAsAngleMeasure(v, kAngleMinute, 0, 0, 0);
      EXPECT_EQ(Of(tarvil::read_angle(text, tarvil::AngleUnit::arcmin)), Of(ok, s, v));
    }
  }
  for (int count : {0, 25400000, -1234567, 1}) {
    for (int u = 0; u < 4; ++u) {
      CTarvil s;
      s.SetLinearMeasure(count, static_cast<eDesignUnits>(u), kBaseTenNanometers, 1, 1);
      EXPECT_EQ(tarvil::write_length(count, static_cast<tarvil::LengthUnit>(u),
                                     tarvil::Resolution::ten_nm),
                std::string(s.View()));
    }
  }
  for (double v : {1.25e-8, 0.0, 3.5, 149896229.0, 45.0, -1e-15}) {
    CTarvil t, p, a;
    t.SetTimeMeasure(v, kSINano, 1, 1);
    p.SetVpMeasure(v, kVpPercentC, 1, 1);
    a.SetAngleMeasure(v, kAngleDegree, 1, 1);
    EXPECT_EQ(tarvil::write_time(v, tarvil::TimeUnit::ns), std::string(t.View()));
    EXPECT_EQ(tarvil::write_velocity(v, tarvil::VelocityUnit::percent_c), std::string(p.View()));
    EXPECT_EQ(tarvil::write_angle(v, tarvil::AngleUnit::deg), std::string(a.View()));
    CTarvil m;
    m.SetVpMeasure(v, kVpMeterPerSec, 1, 1);
    EXPECT_EQ(tarvil::write_velocity(v, tarvil::VelocityUnit::m_per_s), std::string(m.View()));
  }
  // 64-bit counts where the class's 32-bit ones end.
  EXPECT_EQ(tarvil::read_length("100in", tarvil::LengthUnit::mil).value, 2540000000);
  EXPECT_EQ(tarvil::read_length("1e30mm", tarvil::LengthUnit::mil).error,
            tarvil::Error::not_an_integer);
}

TEST_F(Api, NamesAndOrderAsTheStringClass) {
  const char* const names[] = {"R9", "R10", "r10", "C1a", "C1B", "x2y10", "x2y9", "", "U1",
                               "u01", "NET_1", "bad\\name", "(Default)", "  ", "a/b"};
  for (const char* a : names) {
    for (const char* b : names) {
      EXPECT_EQ(tarvil::natural_compare(a, b), CTarvilCompareNum(a, b)) << a << " " << b;
      EXPECT_EQ(tarvil::natural_compare(a, b, true), CTarvilCompareNumNoCase(a, b));
      EXPECT_EQ(tarvil::NaturalLess{}(a, b), CTarvilCompareNum(a, b) < 0);
      for (bool fold : {false, true}) {
        const int byKey = tarvil::natural_key(a, fold).compare(tarvil::natural_key(b, fold));
        EXPECT_EQ((byKey > 0) - (byKey < 0), tarvil::natural_compare(a, b, fold)) << a << " " << b;
      }
    }
    for (int type = 0; type <= 18; ++type) {
      CTarvil s(a);
      const int ok = s.IsEDAName(static_cast<eEDAStringTypes>(type), 0);
      EXPECT_EQ(Of(tarvil::check_name(a, static_cast<tarvil::NameKind>(type))),
                Of(ok, s, ok)) << a << " type " << type;
    }
    CTarvil f(a), p(a);
    const int fileOk = f.IsFileName(), pathOk = p.IsPathName();
    EXPECT_EQ(Of(tarvil::check_name(a, tarvil::NameKind::file)), Of(fileOk, f, fileOk)) << a;
    EXPECT_EQ(Of(tarvil::check_name(a, tarvil::NameKind::path)), Of(pathOk, p, pathOk)) << a;
  }
  using tarvil::Error;
  using tarvil::NameKind;
  const std::string longName(256, 'n');
  const std::string deepPath = "/a/" + longName;
  const struct {
    std::string text;
    NameKind kind;
    Error error;
    int position;
  } posix[] = {
      {"top.brd", NameKind::posix_file, Error::none, 0},
      {"a/b", NameKind::posix_file, Error::invalid_character, 2},
      {std::string("a\0b", 3), NameKind::posix_file, Error::invalid_character, 2},
      {longName, NameKind::posix_file, Error::character_limit, 256},
      {"/home/user/boards/top.brd", NameKind::posix_path, Error::none, 0},
      {deepPath, NameKind::posix_path, Error::character_limit, 259},
      {std::string(4096, 'a'), NameKind::posix_path, Error::character_limit, 4096},
      {"", NameKind::posix_path, Error::empty, 0},
  };
  for (const auto& row : posix) {
    const auto r = tarvil::check_name(row.text, row.kind);
    EXPECT_EQ(r.error, row.error) << row.text.substr(0, 20);
    EXPECT_EQ(r.position, row.position) << row.text.substr(0, 20);
  }
}

// The any reader through the interface: the quantity's domain, and an
// ambiguous text described with both readings.
TEST_F(Api, AnyNotationWithTheQuantitysDomain) {
  using tarvil::Error;
  using tarvil::Quantity;
  const struct {
    const char* text;
    Quantity quantity;
    double value;
    Error error;
    int position;
  } rows[] = {
      {"4k7", Quantity::resistance, 4700.0, Error::none, 0},
      {" -4k7", Quantity::resistance, 0.0, Error::negative_not_allowed, 2},
      {"-3V3", Quantity::voltage, -3.3, Error::none, 0},
      {"-220m", Quantity::number, -0.22, Error::none, 0},
      {"100nF", Quantity::capacitance, 1e-7, Error::none, 0},
      {"4,7k", Quantity::resistance, 4700.0, Error::none, 0},
      {"1,5", Quantity::number, 1.5, Error::none, 0},
      {"4k7", Quantity::number, 4700.0, Error::none, 0},
      {"1234,567", Quantity::resistance, 0.0, Error::ambiguous, 5},
      {"10", Quantity::capacitance, 0.0, Error::ambiguous, 3},
      {"10", Quantity::inductance, 0.0, Error::ambiguous, 3},
  };
  for (const auto& row : rows) {
    const auto r = tarvil::read(row.text, row.quantity);
    EXPECT_EQ(Of(r), (Answer{row.value, static_cast<int>(row.error), row.position})) << row.text;
  }
  EXPECT_EQ(tarvil::describe("1234,567", tarvil::read("1234,567", Quantity::resistance)),
            "1234<,>567\n" + std::string(tarvil::message(Error::ambiguous)) +
                "\n1234.567: a decimal comma (Settings::decimal = ',')\n1234567: Notation::si");
  // A bare number: the readings of a capacitance and of an inductance; the
  // caller's choice of unit reads it, and only for its own quantity.
  EXPECT_EQ(tarvil::describe("10", tarvil::read("10", Quantity::capacitance)),
            "10< >\n" + std::string(tarvil::message(Error::ambiguous)) +
                "\n1e-11: Settings::bare_capacitance = BareUnit::pF"
                "\n1e-05: Settings::bare_capacitance = BareUnit::uF"
                "\n1e-05: Settings::bare_inductance = BareUnit::uH"
                "\n10: Settings::bare_inductance = BareUnit::H");
  tarvil::Settings picked;
  picked.bare_capacitance = tarvil::BareUnit::nF;
  picked.bare_inductance = tarvil::BareUnit::uH;
  EXPECT_EQ(tarvil::read("4,7", Quantity::capacitance, tarvil::Notation::any, picked).value,
            4.7e-9);
  EXPECT_EQ(tarvil::read("10", Quantity::inductance, tarvil::Notation::any, picked).value, 1e-5);
  picked.bare_inductance = tarvil::BareUnit::uF;  // another quantity's unit chooses nothing
  EXPECT_EQ(tarvil::read("10", Quantity::inductance, tarvil::Notation::any, picked).error,
            Error::ambiguous);
  // The declared notations keep the string class's reading.
  EXPECT_EQ(tarvil::read("10", Quantity::capacitance, tarvil::Notation::si).value, 10.0);
}

TEST_F(Api, DescribeAsGetErrorMessage) {
  for (const char* text : {"4x7", "1.2.3", "-1", "", "  ", "2\xCE\xA9"}) {
    CTarvil s(text);
    double v = 0.0;
    s.InterpretAsOhmMeasure(eSI, v, 0, 0);
    const tarvil::Result<double> r = tarvil::read(text, tarvil::Quantity::resistance,
                                                  tarvil::Notation::si);
    EXPECT_EQ(tarvil::describe(text, r), std::string(s.GetErrorMessage().View())) << text;
  }
  EXPECT_EQ(tarvil::message(tarvil::Error::invalid_character), "Invalid character(s) detected.");
  EXPECT_EQ(tarvil::message(tarvil::Error::none), "");
  EXPECT_FALSE(tarvil::message(tarvil::Error::ambiguous).empty());
}

TEST_F(Api, SettingsAndTables) {
  const tarvil::Settings c = tarvil::Settings::from_locale("C");
  EXPECT_EQ(c.decimal, '.');
  EXPECT_EQ(c.thousands, ',');
  EXPECT_EQ(c.grouping, 0);
  const tarvil::Settings unknown = tarvil::Settings::from_locale("xx_NOWHERE");
  EXPECT_EQ(unknown.grouping, tarvil::Settings{}.grouping);
  const tarvil::Settings registry = tarvil::Settings::from_registry();
  EXPECT_EQ(registry.notation, tarvil::Notation::si);
  // Symbols that stand in numbers, or that cannot be told apart, are not
  // valid settings ('457kohms' would read back 457000); a blank thousands
  // symbol is.
  const struct { char decimal, thousands; bool valid; } symbols[] = {
      {'.', ',', true}, {',', '.', true}, {',', ' ', true}, {'5', ',', false},
      {'.', '0', false}, {'-', ',', false}, {'.', '+', false}, {' ', ',', false},
      {'.', '.', false}, {'\0', ',', false}};
  for (const auto& row : symbols) {
    tarvil::Settings s;
    s.decimal = row.decimal;
    s.thousands = row.thousands;
    EXPECT_EQ(tarvil::valid(s), row.valid) << row.decimal << row.thousands;
  }
  std::string log = "stale";
  const auto missing = tarvil::UnitTable::load("/nonexistent/OVUnits.hkp", &log);
  EXPECT_EQ(missing.error, tarvil::Error::no_unit);
  EXPECT_EQ(log, "");

  // A table of its own: 'kR' for kilo in European notation; a faulty file
  // is refused with the loader's log and nothing written beside it.
  char folder[] = "/tmp/tarvil-api-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string good = std::string(folder) + "/good.hkp";
  const std::string bad = std::string(folder) + "/bad.hkp";
  FILE* f = std::fopen(good.c_str(), "w");
  std::fputs(".FILETYPE ELECTRICAL_UNITS\n.RESISTANCE_MEASURE\n..EUROPEAN\n...UNIT \"kilo\"\n"
             "....DISPLAY \"kR\"\n....CASE_SENSITIVE NO\n....EXPONENT_VALUE 3\n", f);
  std::fclose(f);
  f = std::fopen(bad.c_str(), "w");
  std::fputs(".FILETYPE YES\n", f);
  std::fclose(f);
  const auto table = tarvil::UnitTable::load(good, &log);
  ASSERT_TRUE(table);
  EXPECT_EQ(log, "");
  EXPECT_EQ(tarvil::write(4700.0, tarvil::Quantity::resistance, tarvil::Notation::european, {},
                          table.value), "4kR7");
  const auto faulty = tarvil::UnitTable::load(bad, &log);
  EXPECT_EQ(faulty.error, tarvil::Error::invalid_character);
  EXPECT_NE(log.find("FILETYPE"), std::string::npos) << log;
  std::remove(good.c_str());
  std::remove(bad.c_str());
  EXPECT_EQ(rmdir(folder), 0) << "the loads wrote something beside the files";
}

}  // namespace

// A NUL byte is a character no reader accepts, in every notation and
// measure: it is refused where it stands unless a fault of the text before
// it comes first.
TEST_F(Api, NulInsideTheTextIsRefusedWhereItStands) {
  using tarvil::Notation;
  using tarvil::Quantity;
  const auto text = [](const char* s, std::size_t n) { return std::string_view(s, n); };
  const struct {
    std::string_view text;
    int position;
  } rows[] = {{text("4.7k\0junk", 9), 5}, {text("100n\0F", 6), 5}, {text("\0", 1), 1},
              {text(" \0", 2), 2},       {text("-4.7k\0", 6), 6},   {text("4x\0", 3), 2},
              {text("10\0", 3), 3}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(std::string(row.text)));
    const int nul = static_cast<int>(row.text.find('\0')) + 1;
    for (Notation n : {Notation::engineering, Notation::european, Notation::scientific,
                       Notation::si, Notation::spice, Notation::any}) {
      for (Quantity q : {Quantity::number, Quantity::resistance}) {
        const auto r = tarvil::read(row.text, q, n);
        EXPECT_FALSE(r);
        EXPECT_TRUE(r.position >= 1 && r.position <= nul) << r.position;
        if (n == Notation::si || n == Notation::spice || n == Notation::any) {
          EXPECT_EQ(Of(r), (Answer{0.0, 4, row.position})) << static_cast<int>(n);
        }
      }
    }
    const auto part = tarvil::read_part(row.text, Quantity::resistance);
    EXPECT_EQ(part.error, tarvil::Error::invalid_character);
    EXPECT_TRUE(part.position >= 1 && part.position <= nul) << part.position;
    EXPECT_EQ(tarvil::read_length(row.text, tarvil::LengthUnit::mil).error,
              tarvil::Error::invalid_character);
    EXPECT_EQ(tarvil::read_time(row.text).error, tarvil::Error::invalid_character);
    EXPECT_EQ(tarvil::read_velocity(row.text).error, tarvil::Error::invalid_character);
    EXPECT_EQ(tarvil::read_angle(row.text).error, tarvil::Error::invalid_character);
  }
  // A part's value field: the NUL after its attributes or its marking.
  for (const auto& [field, nul] : {std::pair{text("10k 1%\0", 7), 7}, {text("DNP\0", 4), 4}}) {
    const auto part = tarvil::read_part(field, Quantity::resistance);
    EXPECT_EQ(part.error, tarvil::Error::invalid_character);
    EXPECT_EQ(part.position, nul);
  }
}

// Infinities keep their sign in every writer.
TEST_F(Api, InfinitiesKeepTheirSign) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (tarvil::Notation n : {tarvil::Notation::si, tarvil::Notation::european,
                             tarvil::Notation::full_precision}) {
    // European resistances carry no unit name after a prefix or infinity.
    EXPECT_EQ(tarvil::write(-inf, tarvil::Quantity::resistance, n),
              n == tarvil::Notation::european ? "-#INF" : "-#INFohms");
    EXPECT_EQ(tarvil::write(inf, tarvil::Quantity::number, n), "#INF");
  }
  EXPECT_EQ(tarvil::write_time(-inf, tarvil::TimeUnit::ns), "-#INFns");
  EXPECT_EQ(tarvil::write_velocity(-inf, tarvil::VelocityUnit::percent_c), "-#INF%c");
  EXPECT_EQ(tarvil::write_angle(inf, tarvil::AngleUnit::deg), "#INF deg");
}

// A unit table depends on its file and settings only: the same file loads
// the same under two users' registries, and the settings' symbols decide
// which DISPLAY texts are refused.
TEST_F(Api, UnitTableLoadReadsNoRegistry) {
  tarvil::test::TempDir dir;
  tarvil::test::WriteBytes(dir / "units.hkp",
                           ".FILETYPE ELECTRICAL_UNITS\n.RESISTANCE_MEASURE\n..EUROPEAN\n"
                           "...UNIT \"kilo\"\n....DISPLAY \"k'\"\n....CASE_SENSITIVE NO\n"
                           "....EXPONENT_VALUE 3\n");
  const auto writeWith = [&](const tarvil::UnitTable& table) {
    return tarvil::write(4700.0, tarvil::Quantity::resistance, tarvil::Notation::european, {},
                         table);
  };
  for (const char* decimal : {"'", "."}) {
    SCOPED_TRACE(decimal);
    tarvil::test::WriteBytes(dir / "user.reg",
                             std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\"
                                         "International]\n\"sDecimal\"=\"") +
                                 decimal + "\"\n");
    tarvil::test::ScopedEnv user("TARVIL_USER_REGISTRY", dir / "user.reg");
    std::string log;
    const auto loaded = tarvil::UnitTable::load(dir / "units.hkp", &log);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(log, "");
    EXPECT_EQ(writeWith(loaded.value), "4k'7");
  }
  tarvil::Settings quote;
  quote.decimal = '\'';
  std::string log;
  const auto refused = tarvil::UnitTable::load(dir / "units.hkp", quote, &log);
  ASSERT_TRUE(refused);
  EXPECT_NE(log.find("decimal symbol"), std::string::npos) << log;
  EXPECT_EQ(writeWith(refused.value), "4k7");
}

// The readings of an ambiguous text are data: each value and what picks it,
// with the caller's settings and quantity; describe tells them line by line.
TEST_F(Api, ReadingsOfAnAmbiguousText) {
  using tarvil::Quantity;
  const struct {
    const char* text;
    Quantity quantity;
    double first, second;
  } rows[] = {{"10", Quantity::capacitance, 1e-11, 1e-5},
              {"10", Quantity::inductance, 1e-5, 10.0},
              {"10 16V", Quantity::capacitance, 1e-11, 1e-5},
              {"4P7", Quantity::resistance, 4.7e15, 4.7e-12}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const tarvil::Readings r = tarvil::readings(row.text, row.quantity);
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(r.reading[0].value, row.first);
    EXPECT_EQ(r.reading[1].value, row.second);
  }
  EXPECT_EQ(tarvil::readings("4k7", Quantity::resistance).count, 0);
  // The words that name bare units, and the quantity each serves.
  using tarvil::BareUnit;
  for (const auto& [word, unit] : {std::pair{"pF", BareUnit::pF}, {"nF", BareUnit::nF},
                                   {"uF", BareUnit::uF}, {"uH", BareUnit::uH},
                                   {"H", BareUnit::H}, {"mF", BareUnit::none},
                                   {"uf", BareUnit::none}, {"", BareUnit::none}}) {
    EXPECT_EQ(tarvil::bare_unit_named(word), unit) << word;
    EXPECT_EQ(tarvil::is_capacitance_unit(unit),
              unit != BareUnit::none && std::string_view(word).ends_with('F'))
        << word;
  }
  tarvil::Settings uF;
  uF.bare_capacitance = tarvil::BareUnit::uF;
  EXPECT_EQ(tarvil::readings("10", Quantity::capacitance, uF).count, 0);
  EXPECT_EQ(tarvil::describe("10", tarvil::Error::ambiguous, 3, Quantity::inductance, {}),
            "10< >\nAmbiguous value: common readings differ.\n"
            "1e-05: Settings::bare_inductance = BareUnit::uH\n"
            "10: Settings::bare_inductance = BareUnit::H");
}
