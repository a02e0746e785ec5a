// StandInInternal.h: TEMPORARY. A part's value field and a bill of
// materials as the module reads them until the library has read_part and
// <tarvil/bom.h>: the same names and shapes (a subset), so that
// PartsAndBom.cpp switches to the library by changing its namespace alias.
// The stand-ins read a value field whole with read() (no attributes) and a
// CSV file with a header naming Reference/Designator/Ref/RefDes and
// Value/Val (R, C and L prefixes), as the command does today. Delete this
// file and StandIn.cpp when the library's readers are in the tree.
#ifndef TARVIL_WASM_STANDININTERNAL_H
#define TARVIL_WASM_STANDININTERNAL_H

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tarvil.h"

namespace tarvil::wasm::standin {

struct Tolerance {
  double minus = 0;
  double plus = 0;
  bool relative = true;
};

struct Part {
  double value = 0;
  bool has_value = false;
  bool fitted = true;
  std::optional<Tolerance> tolerance;
  std::optional<double> voltage, current, power;
  std::optional<double> temperature_coefficient;
  std::string_view dielectric, package;
  std::string_view rest;
};

Result<Part> read_part(std::string_view text, Quantity quantity, const Settings& settings = {},
                       const UnitTable& units = UnitTable::built_in()) noexcept;

inline constexpr std::size_t bom_max_record_bytes = 1024 * 1024;

enum class BomStatus { read, not_fitted, refused, ambiguous, skipped };

struct BomRow {
  long row = 0;
  std::span<const std::string_view> fields;
  std::string_view reference;
  std::string_view value_field;
  std::optional<Quantity> quantity;
  Result<Part> part;
  BomStatus status = BomStatus::skipped;
  std::string message;
};

struct BomLayout {
  char delimiter = ',';
  bool has_header = false;
  std::vector<std::string> header;
  std::size_t reference_column = 0;
  std::size_t value_column = 0;
};

struct BomOptions {
  std::optional<std::string> reference_column;
  std::optional<std::string> value_column;
  std::optional<char> delimiter;
  std::map<std::string, Quantity, std::less<>> prefixes = default_prefixes();
  Notation notation = Notation::any;
  Settings settings;

  static std::map<std::string, Quantity, std::less<>> default_prefixes();
};

enum class BomStop { none, no_records, no_reference_column, no_value_column, record_too_long, unreadable };

struct BomProblem {
  BomStop stop = BomStop::none;
  std::string message;
  explicit operator bool() const noexcept { return stop != BomStop::none; }
};

class BomReader {
 public:
  using RowHandler = std::function<void(const BomRow&)>;
  using LayoutHandler = std::function<void(const BomLayout&)>;
  BomReader(BomOptions options, RowHandler on_row, LayoutHandler on_layout = {});
  ~BomReader();
  BomReader(const BomReader&) = delete;
  BomReader& operator=(const BomReader&) = delete;
  bool feed(std::string_view bytes);
  const BomProblem& finish();
  const BomProblem& problem() const noexcept;

  struct State;

 private:
  std::unique_ptr<State> state_;
};

std::string_view bom_status_name(BomStatus status) noexcept;

}  // namespace tarvil::wasm::standin

#endif
