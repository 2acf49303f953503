#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace varlo {

// One line of the weekly on/off schedule ("autolist.txt"), 16 characters: the day letter at 1
// (M T W R F S U a weekday, D Monday to Friday, N Saturday and Sunday, E every day), the on
// time "hh:mm" at 3-7, the off time at 9-13 and the preset or playlist number at 15-16.
struct ScheduleEntry {
  char day = ' ';
  int onMinute = -1;  // minute of the day, -1 when the text is not a valid time
  int offMinute = -1;
  int preset = 0;  // 0 when the characters are not a number
};
ScheduleEntry ParseScheduleEntry(const std::string& line);

// Whether an entry with day letter `day` applies on a day whose letter is `today`.
bool AppliesOn(char day, char today);

// What one check of the schedule asks for.
struct ScheduleEvent {
  bool on = false;
  int preset = 0;
};

// Finds the events whose minute lies after `lastMinute` and up to `nowMinute` (both wall
// minutes, day number * 1440 + minute of the day). A check that comes late (a stalled or
// sleeping machine) still sees what it missed, each day of the span judged by its own weekday,
// and reports only the events of the latest minute that has any, so the machine ends in the
// state the schedule asks for now, not by replaying a night of switching. Spans longer than a
// day look back one day. Within that minute, the entries' off events come before their on
// events, in list order, so back-to-back entries hand over without a gap. A clock that went back
// (the repeated hour at the end of daylight saving) gives an empty span.
std::vector<ScheduleEvent> DueEvents(const std::vector<std::string>& lines, std::int64_t lastMinute,
                                     std::int64_t nowMinute);

}  // namespace varlo
