#pragma once

#include "model/option_slots.h"

namespace marquill {

// One age row: the slot its check box and its date picker write, and the
// switch that starts the slot's text.
struct AgeFilter {
  OptionSlots::Slot slot;
  const char* prefix;
};

inline constexpr AgeFilter kMaxAgeFilter{&OptionSlots::strOptMaxAge, " /MAXAGE:"};
inline constexpr AgeFilter kMinAgeFilter{&OptionSlots::strOptMinAge, " /MINAGE:"};

}  // namespace marquill
