// A calendar date.
#include "model/date.h"

#include <cstdio>

namespace marquill {

std::string DateDigits(const Date& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

std::optional<Date> DateFromDigits(std::string_view digits) {
  if (digits.size() != 8) return std::nullopt;
  int value[3] = {};
  for (size_t i = 0; i < digits.size(); ++i) {
    if (digits[i] < '0' || digits[i] > '9') return std::nullopt;
    int& part = value[i < 4 ? 0 : i < 6 ? 1 : 2];
    part = part * 10 + (digits[i] - '0');
  }
  const auto [year, month, day] = value;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || month < 1 || month > 12 || day < 1) return std::nullopt;
  if (day > kDays[month - 1] + (month == 2 && leap)) return std::nullopt;
  return Date{year, month, day};
}

}  // namespace marquill
