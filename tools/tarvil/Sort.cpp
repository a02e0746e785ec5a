// Sort.cpp: 'tarvil sort': lines sorted with the library's number-aware
// comparison, so that R2 comes before R10.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <tarvil/tarvil.h>

#include "Commands.h"
#include "LibrarySetup.h"
#include "Input.h"
#include "Options.h"
#include "Session.h"

namespace tarvil::tool {

namespace {

const std::vector<OptionSpec> kSortOptions = {
    {"json", false},    {"help", false},    {"nocase", false},
    {"case-tiebreak", false}, {"reverse", false}, {"limit", true}, kSettingsOption,
};

struct Line {
  std::string text;
  long number;  // 1-based, counted over all inputs
};

// A stable bottom-up merge sort of `order` by `compare` (negative: the first
// argument sorts first). It stays within its arrays and ends whatever the
// comparison answers, even for an ordering that is not consistent.
template <typename Compare>
void StableMergeSort(std::vector<std::size_t>& order, const Compare& compare) {
  const std::size_t count = order.size();
  std::vector<std::size_t> merged(count);
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
bool ReadLines(std::FILE* file, std::vector<Line>& lines, long& number, std::string& problem) {
  LineReader reader(file);
  std::string text;
  while (reader.Next(text)) lines.push_back(Line{text, ++number});
  problem = reader.Problem();
  return !reader.Failed();
}

}  // namespace

int RunSort(const Arguments& args) {
  const std::string command = "sort";
  CommandLine line;
  std::string error;
  if (!line.Parse(args, kSortOptions, error)) return UsageTrouble(command, error);
  if (line.Has("help")) return PrintHelp(command) ? 0 : 2;
  int limit = 0;
  if (auto word = line.Value("limit")) {
    if (!ParseWholeNumber(*word, limit) || limit < 1) {
      return UsageTrouble(command, "--limit needs a count of 1 or more, not '" + *word + "'");
    }
  }
  const bool noCase = line.Has("nocase");
  const bool tieBreak = line.Has("case-tiebreak");
  const bool reverse = line.Has("reverse");
  // The order does not depend on the settings; the option is checked all
  // the same.
  Setup setup;
  if (!ChooseSettings(line, setup, error)) return UsageTrouble(command, error);

  Session session(command, line.Has("json"));
  std::vector<Line> lines;
  long number = 0;
  std::vector<std::string> sources = line.Operands();
  if (sources.empty()) sources.push_back("-");
  for (const std::string& source : sources) {
    std::string problem;
    if (source == "-") {
      if (!ReadLines(stdin, lines, number, problem)) {
        session.Trouble("cannot read standard input: " + problem);
        return session.Finish();
      }
      continue;
    }
    std::FILE* file = std::fopen(source.c_str(), "rb");
    if (file == nullptr) {
      session.Trouble("cannot open '" + source + "': " + std::strerror(errno));
      return session.Finish();
    }
    const bool read = ReadLines(file, lines, number, problem);
    std::fclose(file);
    if (!read) {
      session.Trouble("cannot read '" + source + "': " + problem);
      return session.Finish();
    }
  }

  std::vector<std::size_t> order(lines.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  StableMergeSort(order, [&](std::size_t a, std::size_t b) {
    std::string_view first = lines[a].text;
    std::string_view second = lines[b].text;
    if (limit > 0) {
      first = first.substr(0, static_cast<std::size_t>(limit));
      second = second.substr(0, static_cast<std::size_t>(limit));
    }
    int result = tarvil::natural_compare(first, second, noCase || tieBreak);
    if (result == 0 && tieBreak) result = tarvil::natural_compare(first, second);
    return reverse ? -result : result;
  });
  for (std::size_t index : order) {
    const Line& sorted = lines[index];
    if (session.Json()) {
      JsonObject object;
      object.AddString("text", sorted.text).AddInt("line", sorted.number);
      session.WriteLine(object.Text());
    } else {
      session.WriteLine(sorted.text);
    }
  }
  return session.Finish();
}

}  // namespace tarvil::tool
