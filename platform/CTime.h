// CTime.h: a moment in time and its local-time text.
//
// Seconds since 1970-01-01 00:00 UTC, held in 64 bits, so that every value
// of a 32-bit time (before 1970 included) has its text. `Format`
// understands the strftime conversions the library uses (%a %A %b %B %d %H
// %I %m %M %p %S %y %Y %%) with the "#" flag that drops leading zeros
// ("%#m/%#d/%y" gives '3/7/02'), and writes English weekday, month and AM/PM
// names whatever the locale. Local time follows the TZ variable as the C
// library reads it.
#ifndef TARVIL_CTIME_H
#define TARVIL_CTIME_H

#include <cstdint>

#include "CString.h"
#include "TarvilExport.h"

class TARVIL_API CTime {
 public:
  CTime() = default;
  explicit CTime(std::int64_t secondsSinceEpoch) : m_time(secondsSinceEpoch) {}

  // The present moment.
  static CTime GetCurrentTime();
  static CTime GetTickCount() { return GetCurrentTime(); }

  std::int64_t GetTime() const { return m_time; }

  // The moment in local time laid out by `format` (null as empty). An
  // unknown conversion is copied as written; a moment too far from the
  // present for the calendar (beyond the year 2^31) gives an empty text.
  CString Format(const char* format) const;

 private:
  std::int64_t m_time = 0;
};

#endif
