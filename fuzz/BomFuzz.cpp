// BomFuzz.cpp: the library's bill-of-materials reader on arbitrary bytes.
//
// Input: a chunk size byte and an options byte, then the file. The bytes
// are fed whole and again in chunks of the chosen size. Both feedings give
// the same rows (row, line, status, fields, value field); rows count up
// from 1 after the header; a row's status agrees with its reading (read and
// not fitted exactly when the part was read, a message exactly where the
// row was refused, ambiguous or skipped); the reference and value field are
// among the row's fields or empty; the lines never go back.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "bom.h"

using namespace tarvil::fuzz;

namespace {

struct SeenRow {
  long row, line;
  int status;
  std::vector<std::string> fields;
  std::string value;
  bool operator==(const SeenRow&) const = default;
};

bool Within(std::string_view part, std::span<const std::string_view> fields) {
  if (part.empty()) return true;
  for (std::string_view f : fields) {
    if (part.data() >= f.data() && part.data() + part.size() <= f.data() + f.size()) return true;
  }
  return false;
}

void CheckRow(const tarvil::BomRow& r, const std::string& what) {
  using tarvil::BomStatus;
  const bool read = r.status == BomStatus::read || r.status == BomStatus::not_fitted;
  FUZZ_CHECK(read == static_cast<bool>(r.part) || r.status == BomStatus::skipped ||
                 r.fault != tarvil::BomFault::none,
             what + ": status " + std::to_string(static_cast<int>(r.status)));
  FUZZ_CHECK(read || !r.message.empty(), what + ": a row not read without a message");
  FUZZ_CHECK(Within(r.reference, r.fields) && Within(r.value_field, r.fields),
             what + ": reference or value field outside the record");
  if (r.part && r.part.value.has_value) {
    FUZZ_CHECK(Within(r.part.value.rest, std::span<const std::string_view>(&r.value_field, 1)),
               what + ": rest outside the value field");
  }
}

std::vector<SeenRow> Read(std::string_view bytes, std::size_t chunk, const tarvil::BomOptions& o,
                          const std::string& what) {
  std::vector<SeenRow> rows;
  long lastRow = 0, lastLine = 0;
  tarvil::BomReader reader(o, [&](const tarvil::BomRow& r) {
    CheckRow(r, what);
    FUZZ_CHECK(r.line >= lastLine, what + ": line " + std::to_string(r.line) + " after " +
                                       std::to_string(lastLine));
    if (r.row != 0) {
      FUZZ_CHECK(r.row == lastRow + 1, what + ": row " + std::to_string(r.row));
      lastRow = r.row;
    }
    lastLine = r.line;
    SeenRow seen{r.row, r.line, static_cast<int>(r.status), {}, std::string(r.value_field)};
    for (std::string_view f : r.fields) seen.fields.emplace_back(f);
    rows.push_back(std::move(seen));
  });
  for (std::size_t at = 0; at < bytes.size() && reader.feed(bytes.substr(at, chunk)); at += chunk) {
  }
  reader.finish();
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  QuietEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::size_t chunk = static_cast<std::size_t>(in.Pick(1, 64));
  const int choice = in.Byte();
  tarvil::BomOptions options;
  options.no_header = (choice & 1) != 0;
  if ((choice & 2) != 0) options.settings.bare_capacitance = tarvil::BareUnit::uF;
  if ((choice & 4) != 0) options.notation = tarvil::Notation::si;
  const std::string bytes = in.Rest();
  const std::string what = "bom of " + Printable(bytes);
  const auto whole = Read(bytes, bytes.size() + 1, options, what);
  const auto chunked = Read(bytes, chunk, options, what + " in chunks of " + std::to_string(chunk));
  FUZZ_CHECK(whole == chunked, what + ": " + std::to_string(whole.size()) + " rows whole, " +
                                   std::to_string(chunked.size()) + " in chunks of " +
                                   std::to_string(chunk));
  return 0;
}
