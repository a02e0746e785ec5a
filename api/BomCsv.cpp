// BomCsv.cpp: CSV records of a bill of materials split into fields, and the
// delimiter found from the first lines.
#include <array>

#include "BomInternal.h"

namespace tarvil::bom {

std::string_view Trimmed(std::string_view text) noexcept {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

void Fields::Clear() noexcept {
  m_text.clear();
  m_ends.clear();
}

void Fields::Begin() { m_ends.push_back(m_text.size()); }

void Fields::Append(std::string_view bytes) {
  m_text.append(bytes);
  m_ends.back() = m_text.size();
}

void Fields::Append(char c) {
  m_text.push_back(c);
  m_ends.back() = m_text.size();
}

std::span<const std::string_view> Fields::Views() {
  // The views are made once the text has stopped moving.
  m_views.clear();
  std::size_t start = 0;
  for (std::size_t end : m_ends) {
    m_views.emplace_back(m_text.data() + start, end - start);
    start = end;
  }
  return m_views;
}

namespace {

// A quoted field from the character after its opening quote: its text up
// to the closing quote, and where the scan stopped.
struct Quoted {
  std::size_t next = 0;  // after the closing quote, or the end
  bool closed = false;
};

Quoted ReadQuoted(std::string_view record, std::size_t at, Fields& out) {
  while (at < record.size()) {
    const char c = record[at];
    if (c != '"') {
      out.Append(c);
      ++at;
    } else if (at + 1 < record.size() && record[at + 1] == '"') {
      out.Append('"');
      at += 2;
    } else {
      return {at + 1, true};
    }
  }
  return {at, false};
}

}  // namespace

BomFault SplitRecord(std::string_view record, char delimiter, Fields& out) {
  out.Clear();
  std::size_t at = 0;
  for (;;) {
    out.Begin();
    std::size_t first = at;
    while (first < record.size() && IsBlank(record[first])) ++first;
    if (first < record.size() && record[first] == '"') {
      const Quoted quoted = ReadQuoted(record, first + 1, out);
      if (!quoted.closed) return BomFault::unterminated_quote;
      std::size_t after = quoted.next;
      while (after < record.size() && IsBlank(record[after])) ++after;
      if (after == record.size()) return BomFault::none;
      if (record[after] != delimiter) {
        // The rest of the record stays with the field, closing quote and all.
        out.Append(record.substr(quoted.next - 1));
        return BomFault::character_after_quote;
      }
      at = after + 1;
      continue;
    }
    const std::size_t end = record.find(delimiter, at);
    out.Append(record.substr(at, end == std::string_view::npos ? end : end - at));
    if (end == std::string_view::npos) return BomFault::none;
    at = end + 1;
  }
}

char SniffDelimiter(std::string_view bytes) noexcept {
  constexpr std::array<char, 3> kCandidates = {',', ';', '\t'};
  std::array<long, 3> lines{};
  std::array<long, 3> total{};
  std::array<bool, 3> onLine{};
  bool quoted = false;
  for (char c : bytes) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == '\n' || c == '\r')) {
      onLine = {};
    } else if (!quoted) {
      for (std::size_t k = 0; k < kCandidates.size(); ++k) {
        if (c != kCandidates[k]) continue;
        ++total[k];
        if (!onLine[k]) ++lines[k];
        onLine[k] = true;
      }
    }
  }
  std::size_t best = 0;
  for (std::size_t k = 1; k < kCandidates.size(); ++k) {
    if (lines[k] > lines[best] || (lines[k] == lines[best] && total[k] > total[best])) best = k;
  }
  return kCandidates[best];
}

}  // namespace tarvil::bom
