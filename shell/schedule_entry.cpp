#include "shell/schedule_entry.h"

#include <cctype>

#include "common/numtext.h"

namespace varlo {
namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "hh:mm" with an hour 00-23 and a minute 00-59, nothing before or after.
bool IsClockTime(const std::string& text) {
  if (text.size() != 5 || text[2] != ':') return false;
  if (!IsDigit(text[0]) || !IsDigit(text[1]) || !IsDigit(text[3]) || !IsDigit(text[4]))
    return false;
  const int hour = (text[0] - '0') * 10 + (text[1] - '0');
  const int minute = (text[3] - '0') * 10 + (text[4] - '0');
  return hour < 24 && minute < 60;
}

}  // namespace

ScheduleEntryResult MakeScheduleEntry(int dayIndex, const std::string& onTime,
                                      const std::string& offTime, const std::string& preset) {
  ScheduleEntryResult result;
  if (dayIndex < 0 || dayIndex > 9) {
    result.message = "Choose a day first.";
    return result;
  }
  const std::string on(TrimBlanks(onTime)), off(TrimBlanks(offTime));
  if (on == "00:00" && off == "00:00") return result;
  if (!IsClockTime(on) || !IsClockTime(off)) {
    result.message = "Times are written as hh:mm, from 00:00 to 23:59 (for example 07:30).";
    return result;
  }
  const double number = LeadingNumber(TrimBlanks(preset));
  if (number < 0 || number >= 100 || number != static_cast<int>(number)) {
    result.message = "The preset must be a number from 0 to 99.";
    return result;
  }
  const int p = static_cast<int>(number);
  result.line = std::string(1, kScheduleDays[dayIndex][0]) + " " + on + " " + off + " " +
                static_cast<char>('0' + p / 10) + static_cast<char>('0' + p % 10);
  return result;
}

}  // namespace varlo
