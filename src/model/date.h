// A calendar date.
#pragma once

namespace marquill {

// A calendar date, as the month calendar gives it and the system formats it.
struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const Date&, const Date&) = default;
};

}  // namespace marquill
