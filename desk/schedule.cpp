#include "desk/schedule.h"

#include <algorithm>
#include <string_view>

#include "common/numtext.h"
#include "desk/clock_text.h"

namespace varlo {
namespace {

constexpr std::int64_t kDay = 1440;

std::string Field(const std::string& line, std::size_t from, std::size_t length) {
  return from < line.size() ? line.substr(from, length) : std::string();
}

std::int64_t FloorDay(std::int64_t wallMinute) {
  return wallMinute >= 0 ? wallMinute / kDay : -((-wallMinute + kDay - 1) / kDay);
}

}  // namespace

ScheduleEntry ParseScheduleEntry(const std::string& line) {
  ScheduleEntry e;
  if (!line.empty()) e.day = line[0];
  e.onMinute = ParseMinuteOfDay(Field(line, 2, 5));
  e.offMinute = ParseMinuteOfDay(Field(line, 8, 5));
  e.preset = ToInt16(LeadingNumber(TrimBlanks(Field(line, 14, 2))));
  return e;
}

bool AppliesOn(char day, char today) {
  switch (day) {
    case 'E':
      return true;
    case 'D':
      return std::string_view("MTWRF").find(today) != std::string_view::npos;
    case 'N':
      return today == 'U' || today == 'S';
    default:
      return day == today;
  }
}

std::vector<ScheduleEvent> DueEvents(const std::vector<std::string>& lines, std::int64_t lastMinute,
                                     std::int64_t nowMinute) {
  std::vector<ScheduleEvent> due;
  if (nowMinute <= lastMinute) return due;
  lastMinute = std::max(lastMinute, nowMinute - kDay);

  std::vector<ScheduleEntry> entries;
  entries.reserve(lines.size());
  for (const auto& line : lines) entries.push_back(ParseScheduleEntry(line));

  std::int64_t latest = lastMinute;  // the minute of the events in `due`
  for (std::int64_t day = FloorDay(lastMinute); day <= FloorDay(nowMinute); ++day) {
    const char today = DayLetter(WeekdayOfDay(day));
    // Off events first, then on events: an entry that ends when the next begins hands over
    // to it instead of silencing it.
    for (const bool on : {false, true}) {
      for (const ScheduleEntry& e : entries) {
        if (!AppliesOn(e.day, today)) continue;
        const int minute = on ? e.onMinute : e.offMinute;
        if (minute < 0) continue;
        const std::int64_t at = day * kDay + minute;
        if (at <= lastMinute || at > nowMinute || at < latest) continue;
        if (at > latest) {
          due.clear();
          latest = at;
        }
        due.push_back({on, e.preset});
      }
    }
  }
  return due;
}

}  // namespace varlo
