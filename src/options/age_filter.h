#pragma once

#include "model/option_slots.h"

namespace marquill {

// One age row: the slot its check box and its date picker write, and the
// switch that starts the slot's text.
struct AgeFilter {
  OptionSlots::Slot slot;
  std::string_view prefix;
};

inline constexpr AgeFilter kMaxAgeFilter{&OptionSlots::strOptMaxAge,
                                         Switch(&OptionSlots::strOptMaxAge)};
inline constexpr AgeFilter kMinAgeFilter{&OptionSlots::strOptMinAge,
                                         Switch(&OptionSlots::strOptMinAge)};

}  // namespace marquill
