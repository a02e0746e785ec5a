// TimeStampText.cpp: a moment written as a short local date and time.
#include "CTarvil.h"
#include "CTime.h"

CTarvil& CTarvil::SetTimeStamp(int time) {
  // Month, day and hour without leading zeros: '3/7/02 4:05 PM'.
  CString stamp = CTime(static_cast<std::int64_t>(time)).Format("%#m/%#d/%y %#I:%M %p");
  m_text.assign(stamp.View());
  return *this;
}
