#pragma once
#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace varlo {

// Days since 1970-01-01 of a calendar date (proleptic Gregorian), and the weekday of such a day
// (0 = Sunday). Lets the clock reason about yesterday and tomorrow without the platform.
std::int64_t DayNumber(int year, int month, int day);
int WeekdayOfDay(std::int64_t dayNumber);

// A local wall-clock minute as one number (day number * 1440 + minutes of the day), so that
// minutes on either side of midnight compare in order.
std::int64_t WallMinute(const LocalTime& t);

// The one-letter weekday code: U Sunday, M, T, W, R, F, S Saturday (weekday 0-6).
char DayLetter(int weekday);

// The date texts the clock shows: "Wed Jan  5, 2000" on label 6, "Wed" on label 7.
struct DayTexts {
  std::string date;
  std::string dayName;
  char letter = 'U';
};
DayTexts MakeDayStr(const LocalTime& t);

// The clock label: "hh:mm" followed by three blanks on the 24-hour clock (timeFmt 1), else
// "hh:mm AM" / "hh:mm PM" with the hour 12 for midnight and noon. The markers are fixed
// texts, never the locale's.
std::string ClockLabelText(const LocalTime& t, int timeFmt);

// "hh:mm" parsed strictly (two digits, a colon, two digits, hour below 24, minute below 60);
// -1 for anything else, which never matches a time of day.
int ParseMinuteOfDay(const std::string& text);

}  // namespace varlo
