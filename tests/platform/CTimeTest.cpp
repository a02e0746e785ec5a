// Tests of the moment's local-time text.
#include <climits>
#include <cstdint>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "CTime.h"
#include "TestSupport.h"

namespace {

using tarvil::test::EnvOverride;

struct FormatCase {
  const char* tz;  // POSIX time-zone rule
  std::int64_t time;
  const char* format;
  const char* text;
};

TEST(CTimeFormat, ConversionsAndTheDropZerosFlag) {
  const char* stamp = "%#m/%#d/%y %#I:%M %p";
  const char* header = "%I:%M %p %A, %B %d, %Y";
  const FormatCase cases[] = {
      {"UTC0", 1015517100, stamp, "3/7/02 4:05 PM"},
      {"UTC0", 1015517100, header, "04:05 PM Thursday, March 07, 2002"},
      {"UTC0", 0, stamp, "1/1/70 12:00 AM"},
      {"UTC0", 43200, stamp, "1/1/70 12:00 PM"},
      {"UTC0", 46800 + 60 * 9, stamp, "1/1/70 1:09 PM"},
      {"UTC0", -1, stamp, "12/31/69 11:59 PM"},
      {"UTC0", INT_MIN, stamp, "12/13/01 8:45 PM"},
      {"UTC0", INT_MAX, stamp, "1/19/38 3:14 AM"},
      {"UTC0", INT_MAX, "%Y-%m-%d %H:%M:%S", "2038-01-19 03:14:07"},
      {"UTC0", 1015517100, "%a %b %#H|%#M|%#S|%#y|%#Y", "Thu Mar 16|5|0|2|2002"},
      {"UTC0", 946684800 + 5, "%y %#y %S %#S", "00 0 05 5"},  // 2000-01-01
      {"UTC0", 1015517100, "100%% %Q %#Q", "100% %Q %#Q"},  // unknown: kept
      {"UTC0", 1015517100, "end %", "end %"},
      {"UTC0", 1015517100, "end %#", "end %#"},
      {"UTC0", 1015517100, "", ""},
      {"EST5", 1015517100, stamp, "3/7/02 11:05 AM"},
      {"EST5", 0, stamp, "12/31/69 7:00 PM"},
      {"JST-9", 1015517100, "%#I:%M %p %A", "1:05 AM Friday"},
      {"UTC0", 1015517100 + 86400 * 3, "%A %a", "Sunday Sun"},
      {"UTC0", 1015517100 + 86400 * 270, "%B %b", "December Dec"},
  };
  for (const FormatCase& c : cases) {
    EnvOverride tz("TZ", c.tz);
    EXPECT_EQ(std::string(CTime(c.time).Format(c.format).View()), c.text)
        << c.tz << " " << c.time << " " << c.format;
  }
}

TEST(CTimeFormat, NoTextWithoutAFormatOrACalendarDate) {
  EnvOverride tz("TZ", "UTC0");
  EXPECT_EQ(std::string(CTime(0).Format(nullptr).View()), "");
  EXPECT_EQ(std::string(CTime(INT64_MAX).Format("%Y").View()), "");
  EXPECT_EQ(std::string(CTime(INT64_MIN).Format("%Y").View()), "");
}

TEST(CTimeNow, IsThePresentMoment) {
  std::int64_t before = static_cast<std::int64_t>(std::time(nullptr));
  std::int64_t now = CTime::GetCurrentTime().GetTime();
  std::int64_t tick = CTime::GetTickCount().GetTime();
  std::int64_t after = static_cast<std::int64_t>(std::time(nullptr));
  EXPECT_LE(before, now);
  EXPECT_LE(now, tick);
  EXPECT_LE(tick, after);
}

}  // namespace
