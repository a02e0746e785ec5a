// CTime.cpp: the present moment and its local-time text.
#include "CTime.h"

#include <ctime>
#include <limits>
#include <string>

namespace {

const char* const kDayShort[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kDayLong[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthShort[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthLong[12] = {"January", "February", "March",     "April",
                                    "May",     "June",     "July",      "August",
                                    "September", "October", "November", "December"};

// Appends `value` in decimal, padded with zeros to `width` digits unless
// `dropZeros` (the "#" flag) asks for no padding.
void AppendNumber(std::string& out, long long value, int width, bool dropZeros) {
  bool negative = value < 0;
  unsigned long long magnitude =
      negative ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  char digits[24];  // the 20 digits of the largest magnitude, and room
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) out += '-';
  if (!dropZeros)
    for (int i = n; i < width; ++i) out += '0';
  while (n > 0) out += digits[--n];
}

}  // namespace

CTime CTime::GetCurrentTime() { return CTime(static_cast<std::int64_t>(std::time(nullptr))); }

CString CTime::Format(const char* format) const {
  if (format == nullptr) return CString();
  static_assert(sizeof(std::time_t) >= sizeof(std::int64_t), "time_t must hold 64-bit seconds");
  std::time_t t = static_cast<std::time_t>(m_time);
  std::tm tm{};
  tzset();  // a host may have changed TZ since the last conversion
  // A moment whose year does not fit the calendar fields has no text.
  if (localtime_r(&t, &tm) == nullptr) return CString();

  constexpr long long kTmYearBase = 1900;  // tm_year counts the years from it
  constexpr int kHalfDay = 12;             // hours of the 12-hour clock
  long long year = static_cast<long long>(tm.tm_year) + kTmYearBase;
  int hour12 = tm.tm_hour % kHalfDay == 0 ? kHalfDay : tm.tm_hour % kHalfDay;
  std::string out;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    const char* start = p++;
    bool dropZeros = false;
    if (*p == '#') {
      dropZeros = true;
      ++p;
    }
    switch (*p) {
      case 'a': out += kDayShort[tm.tm_wday]; break;
      case 'A': out += kDayLong[tm.tm_wday]; break;
      case 'b': out += kMonthShort[tm.tm_mon]; break;
      case 'B': out += kMonthLong[tm.tm_mon]; break;
      case 'd': AppendNumber(out, tm.tm_mday, 2, dropZeros); break;
      case 'H': AppendNumber(out, tm.tm_hour, 2, dropZeros); break;
      case 'I': AppendNumber(out, hour12, 2, dropZeros); break;
      case 'm': AppendNumber(out, tm.tm_mon + 1, 2, dropZeros); break;
      case 'M': AppendNumber(out, tm.tm_min, 2, dropZeros); break;
      case 'p': out += tm.tm_hour < kHalfDay ? "AM" : "PM"; break;
      case 'S': AppendNumber(out, tm.tm_sec, 2, dropZeros); break;
      case 'y': AppendNumber(out, ((year % 100) + 100) % 100, 2, dropZeros); break;
      case 'Y': AppendNumber(out, year, 0, dropZeros); break;
      case '%': out += '%'; break;
      case '\0':
        // A lone "%" (or "%#") at the end is kept as written.
        out.append(start, static_cast<std::size_t>(p - start));
        --p;
        break;
      default:
        // A conversion this port does not know is kept as written.
        out.append(start, static_cast<std::size_t>(p - start) + 1);
        break;
    }
  }
  return CString(std::string_view(out));
}
