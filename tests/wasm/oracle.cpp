// oracle.cpp: the C++ interface's answers to a table of questions, for the
// test that the WebAssembly package gives the same ones (wasm/tests). One
// question per line of standard input, fields separated by tabs, texts as
// hexadecimal UTF-8; one answer per line of standard output, texts again in
// hexadecimal, positions as the library gives them (1-based bytes):
//
//   read Q N DECIMAL THOUSANDS GROUPING TEXT  ->  ok VALUE | error CODE POSITION
//   write VALUE Q N WITH_UNIT                  ->  text TEXT
//   describe TEXT CODE POSITION                ->  text TEXT
//   compare A B IGNORE_CASE                    ->  int RESULT
//   key TEXT IGNORE_CASE                       ->  text KEY
//   name TEXT KIND                             ->  ok | error CODE POSITION
//   part Q TEXT                                ->  part FLAGS VALUE TOL- TOL+ V A W PPM
//                                                  DIELECTRIC PACKAGE REST | error CODE POSITION
//     (FLAGS: has value 1, fitted 2, tolerance 4, relative 8; absent numbers
//     "-"; views as hexadecimal, "-" when absent)
//
// Q, N, CODE and KIND are the enums' numbers; DECIMAL and THOUSANDS
// character codes; VALUE a double in C form.
#include <charconv>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <tarvil/tarvil.h>

namespace {

std::string FromHex(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return out;
}

std::string ToHex(std::string_view bytes) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char c : bytes) {
    out += kDigits[static_cast<unsigned char>(c) >> 4];
    out += kDigits[static_cast<unsigned char>(c) & 15];
  }
  return out;
}

std::string Shortest(double value) {
  char digits[32];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

template <class T>
std::string Outcome(const tarvil::Result<T>& r, const std::string& ok) {
  if (r) return ok;
  return "error " + std::to_string(static_cast<int>(r.error)) + " " + std::to_string(r.position);
}

std::string Answer(const std::vector<std::string>& f) {
  const auto n = [&f](std::size_t i) { return std::stoi(f.at(i)); };
  // A text may be the last field, and empty.
  const auto text = [&f](std::size_t i) { return i < f.size() ? FromHex(f[i]) : std::string(); };
  const std::string& op = f.at(0);
  if (op == "read") {
    tarvil::Settings s;
    s.decimal = static_cast<char>(n(3));
    s.thousands = static_cast<char>(n(4));
    s.grouping = n(5);
    const auto r = tarvil::read(text(6), static_cast<tarvil::Quantity>(n(1)),
                                static_cast<tarvil::Notation>(n(2)), s);
    return Outcome(r, "ok " + Shortest(r.value));
  }
  if (op == "write") {
    return "text " + ToHex(tarvil::write(std::stod(f.at(1)), static_cast<tarvil::Quantity>(n(2)),
                                         static_cast<tarvil::Notation>(n(3)), {},
                                         tarvil::UnitTable::built_in(), n(4) != 0));
  }
  if (op == "describe") {
    return "text " + ToHex(tarvil::describe(text(1), static_cast<tarvil::Error>(n(2)), n(3)));
  }
  if (op == "compare") {
    return "int " + std::to_string(tarvil::natural_compare(text(1), text(2), n(3) != 0));
  }
  if (op == "key") return "text " + ToHex(tarvil::natural_key(text(1), n(2) != 0));
  if (op == "name") {
    return Outcome(tarvil::check_name(text(1), static_cast<tarvil::NameKind>(n(2))), "ok");
  }
  if (op == "part") {
    const std::string t = text(2);
    const auto r = tarvil::read_part(t, static_cast<tarvil::Quantity>(n(1)));
    if (!r) return Outcome(r, "");
    const tarvil::Part& p = r.value;
    const auto number = [](const std::optional<double>& v) { return v ? Shortest(*v) : std::string("-"); };
    const auto view = [](std::string_view v) { return v.empty() ? std::string("-") : ToHex(v); };
    const int flags = (p.has_value ? 1 : 0) | (p.fitted ? 2 : 0) | (p.tolerance ? 4 : 0) |
                      (p.tolerance && p.tolerance->relative ? 8 : 0);
    return "part " + std::to_string(flags) + " " + Shortest(p.value) + " " +
           number(p.tolerance ? std::optional<double>(p.tolerance->minus) : std::nullopt) + " " +
           number(p.tolerance ? std::optional<double>(p.tolerance->plus) : std::nullopt) + " " +
           number(p.voltage) + " " + number(p.current) + " " + number(p.power) + " " +
           number(p.temperature_coefficient) + " " + view(p.dielectric) + " " + view(p.package) +
           " " + view(p.rest);
  }
  return "unknown " + op;
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    std::cout << (fields.empty() ? std::string("unknown") : Answer(fields)) << '\n';
  }
  return 0;
}
