#include "desk/clock_text.h"

#include <cstdio>

#include "common/numtext.h"

namespace varlo {
namespace {

constexpr const char* kDayNames = "SunMonTueWedThuFriSat";
constexpr const char* kMonthNames = "JanFebMarAprMayJunJulAugSepOctNovDec";
constexpr const char* kDayLetters = "UMTWRFS";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::int64_t DayNumber(int year, int month, int day) {
  // Days from civil: years start in March so the leap day ends the year.
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int WeekdayOfDay(std::int64_t dayNumber) {
  // 1970-01-01 was a Thursday.
  const std::int64_t w = (dayNumber + 4) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

std::int64_t WallMinute(const LocalTime& t) {
  return DayNumber(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

char DayLetter(int weekday) {
  return weekday >= 0 && weekday <= 6 ? kDayLetters[weekday] : 'U';
}

DayTexts MakeDayStr(const LocalTime& t) {
  const int w = WeekdayOfDay(DayNumber(t.year, t.month, t.day));
  const int m = t.month >= 1 && t.month <= 12 ? t.month : 1;
  DayTexts out;
  out.dayName.assign(kDayNames + 3 * w, 3);
  // Number texts carry one leading blank, as the platform's conversion writes them.
  out.date = out.dayName + " " + std::string(kMonthNames + 3 * (m - 1), 3) + "  " +
             IntToText(t.day) + ", " + IntToText(t.year);
  out.letter = DayLetter(w);
  return out;
}

std::string ClockLabelText(const LocalTime& t, int timeFmt) {
  char text[16];
  if (timeFmt == 1) {
    std::snprintf(text, sizeof text, "%02d:%02d   ", t.hour, t.minute);
  } else {
    const int hour = t.hour % 12 == 0 ? 12 : t.hour % 12;
    std::snprintf(text, sizeof text, "%02d:%02d %s", hour, t.minute, t.hour < 12 ? "AM" : "PM");
  }
  return text;
}

int ParseMinuteOfDay(const std::string& text) {
  if (text.size() != 5 || !IsDigit(text[0]) || !IsDigit(text[1]) || text[2] != ':' ||
      !IsDigit(text[3]) || !IsDigit(text[4]))
    return -1;
  const int hour = (text[0] - '0') * 10 + (text[1] - '0');
  const int minute = (text[3] - '0') * 10 + (text[4] - '0');
  if (hour > 23 || minute > 59) return -1;
  return hour * 60 + minute;
}

}  // namespace varlo
