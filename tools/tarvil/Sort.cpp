// Sort.cpp: 'tarvil sort': lines sorted with the library's number-aware
// comparison, so that R2 comes before R10.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>

#include <tarvil/tarvil.h>

#include "Commands.h"
#include "Input.h"

namespace tarvil::tool {

namespace {

const CommandSpec kSort = {
    "sort", {Flag("nocase"), Flag("case-tiebreak"), Flag("reverse"), Valued("limit")}};

// The lines of every input in one arena: their bytes one after another,
// and where each ends. Line i (0-based, counted over all inputs) is the
// bytes between the end of line i - 1 and its own end; its number is i + 1.
// It takes about the input's size, twice that while the arena grows, and
// 8 bytes a line.
class LineStore {
 public:
  // Add: one more line. Throws std::bad_alloc when memory runs out.
  void Add(std::string_view line) {
    m_bytes.append(line);
    m_ends.push_back(m_bytes.size());
  }
  // Reserve: room for `bytes` more bytes (a file's size), so that the arena
  // need not grow while the file is read. A hint only.
  void Reserve(std::size_t bytes) {
    if (bytes <= m_bytes.max_size() - m_bytes.size()) m_bytes.reserve(m_bytes.size() + bytes);
  }
  std::size_t Count() const { return m_ends.size(); }
  std::string_view Line(std::size_t index) const {
    const std::size_t start = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_bytes).substr(start, m_ends[index] - start);
  }

 private:
  std::string m_bytes;
  std::vector<std::size_t> m_ends;
};

// A stable bottom-up merge sort of `order` by `compare` (negative: the first
// argument sorts first). It stays within its arrays and ends whatever the
// comparison answers, even for an ordering that is not consistent.
template <typename Index, typename Compare>
void StableMergeSort(std::vector<Index>& order, const Compare& compare) {
  const std::size_t count = order.size();
  std::vector<Index> merged(count);
  for (std::size_t width = 1; width < count; width *= 2) {
    for (std::size_t low = 0; low < count; low += 2 * width) {
      const std::size_t middle = std::min(low + width, count);
      const std::size_t high = std::min(low + 2 * width, count);
      std::size_t left = low;
      std::size_t right = middle;
      std::size_t out = low;
      while (left < middle && right < high) {
        // Equal lines keep their order: the left one goes first.
        if (compare(order[right], order[left]) < 0) {
          merged[out++] = order[right++];
        } else {
          merged[out++] = order[left++];
        }
      }
      while (left < middle) merged[out++] = order[left++];
      while (right < high) merged[out++] = order[right++];
    }
    order.swap(merged);
  }
}

// False with the reason in `problem` when reading stopped before the end.
// Throws std::bad_alloc when the lines do not fit in memory.
bool ReadLines(std::FILE* file, LineStore& lines, std::string& problem) {
  struct stat info {};
  if (::fstat(::fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    lines.Reserve(static_cast<std::size_t>(info.st_size));
  }
  LineReader reader(file);
  std::string text;
  while (reader.Next(text)) lines.Add(text);
  problem = reader.Problem();
  return !reader.Failed();
}

// Reads every source into `lines`; false after a message when one cannot
// be opened or read. Throws std::bad_alloc when the lines do not fit.
bool ReadSources(const std::vector<std::string>& sources, LineStore& lines, Session& session) {
  for (const std::string& source : sources) {
    std::string problem;
    if (source == "-") {
      if (!ReadLines(stdin, lines, problem)) {
        session.Trouble("cannot read standard input: " + problem);
        return false;
      }
      continue;
    }
    std::FILE* file = std::fopen(source.c_str(), "rb");
    if (file == nullptr) {
      session.Trouble("cannot open '" + source + "': " + std::strerror(errno));
      return false;
    }
    bool read = false;
    try {
      read = ReadLines(file, lines, problem);
    } catch (const std::bad_alloc&) {
      std::fclose(file);
      throw;
    }
    std::fclose(file);
    if (!read) {
      session.Trouble("cannot read '" + source + "': " + problem);
      return false;
    }
  }
  return true;
}

// How the lines are compared.
struct SortOptions {
  int limit = 0;  // bytes compared; 0: all
  bool noCase = false;
  bool tieBreak = false;
  bool reverse = false;
};

// Sorts the lines and writes them. `Index` holds a line's index: 4 bytes
// when every index fits, so that the two arrays of the sort take 8 bytes a
// line. Throws std::bad_alloc when they do not fit in memory.
template <typename Index>
void SortAndWrite(const LineStore& lines, const SortOptions& options, Session& session) {
  std::vector<Index> order(lines.Count());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<Index>(i);
  StableMergeSort(order, [&](Index a, Index b) {
    std::string_view first = lines.Line(a);
    std::string_view second = lines.Line(b);
    if (options.limit > 0) {
      first = first.substr(0, static_cast<std::size_t>(options.limit));
      second = second.substr(0, static_cast<std::size_t>(options.limit));
    }
    int result = tarvil::natural_compare(first, second, options.noCase || options.tieBreak);
    if (result == 0 && options.tieBreak) result = tarvil::natural_compare(first, second);
    return options.reverse ? -result : result;
  });
  for (Index index : order) {
    const std::string_view text = lines.Line(index);
    if (session.Json()) {
      JsonObject object;
      object.AddString("text", text).AddInt("line", static_cast<long long>(index) + 1);
      session.WriteLine(object.Text());
    } else {
      session.WriteLine(text);
    }
  }
}

// ReadSortOptions: the options of the order into `options`.
bool ReadSortOptions(const CommandLine& line, SortOptions& options, std::string& error) {
  if (auto word = line.Value("limit")) {
    int limit = 0;
    if (!ParseWholeNumber(*word, limit) || limit < 1) {
      error = "--limit needs a count of 1 or more, not '" + *word + "'";
      return false;
    }
    options.limit = limit;
  }
  options.noCase = line.Has("nocase");
  options.tieBreak = line.Has("case-tiebreak");
  options.reverse = line.Has("reverse");
  return true;
}

}  // namespace

int RunSort(const Arguments& args) {
  // The order does not depend on the settings; --settings is checked all
  // the same.
  SortOptions options;
  OpenedCommand opened;
  const OpeningSteps steps{.beforeSettings = [&](const CommandLine& line, std::string& error) {
    return ReadSortOptions(line, options, error);
  }};
  if (const auto done = OpenCommand(kSort, args, steps, opened)) return *done;
  Session& session = *opened.session;
  std::vector<std::string> sources = opened.line.Operands();
  if (sources.empty()) sources.push_back("-");
  LineStore lines;
  try {
    if (!ReadSources(sources, lines, session)) return session.Finish();
    if (lines.Count() <= std::numeric_limits<std::uint32_t>::max()) {
      SortAndWrite<std::uint32_t>(lines, options, session);
    } else {
      SortAndWrite<std::size_t>(lines, options, session);
    }
  } catch (const std::bad_alloc&) {
    const std::size_t held = lines.Count();
    lines = LineStore();  // room for the message
    session.Trouble("out of memory with " + std::to_string(held) +
                    " lines read (sorting takes about the input's size and 16 bytes a line)");
    return session.Finish();
  }
  return session.Finish();
}

}  // namespace tarvil::tool
