#pragma once
#include <string>

namespace varlo {

// The day letters of the on/off schedule, in the order of the preferences' day list.
inline constexpr const char* kScheduleDays[10] = {
    "M - Monday",   "T - Tuesday", "W - Wednesday", "R - Thursday", "F - Friday",
    "S - Saturday", "U - Sunday",  "D - Weekday",   "N - Weekend",  "E - Every Day"};

// The outcome of building a schedule line from the preferences' fields.
struct ScheduleEntryResult {
  std::string line;     // the 16-character entry; empty when refused
  std::string message;  // why it was refused, for the user; empty for a silent refusal
};

// Builds the schedule line "D hh:mm hh:mm pp" for day item `dayIndex` (0-9), the on and off
// times and the preset number. Times must be written "hh:mm" (00:00 to 23:59), the preset is
// 0-99 (a text that is no number counts as 0). An entry whose times are both "00:00" does
// nothing and is refused without a message.
ScheduleEntryResult MakeScheduleEntry(int dayIndex, const std::string& onTime,
                                      const std::string& offTime, const std::string& preset);

}  // namespace varlo
