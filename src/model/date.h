// A calendar date.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marquill {

// A calendar date, as the month calendar gives it and the system formats it.
struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const Date&, const Date&) = default;
};

// Four-digit year, two-digit month and day: the engine's date form.
std::string DateDigits(const Date& date);
// The date those eight digits give; none when they are not a date of the
// calendar.
std::optional<Date> DateFromDigits(std::string_view digits);

}  // namespace marquill
