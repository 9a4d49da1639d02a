// The option slot table and the command line's vocabulary.
#include "model/option_slots.h"

#include <algorithm>

namespace marquill {

void OptionSlots::Empty() { *this = OptionSlots{}; }

void OptionSlots::AssignStartValues() {
  Empty();
  strOptSub = Switch(&OptionSlots::strOptSub);
}

std::string OptionSlots::JoinedOptions() const {
  std::string joined;
  for (const SlotSwitches& row : kCommandOrder) joined += this->*row.slot;
  return joined + keptSwitches;
}

std::span<const std::string_view> Choices(OptionSlots::Slot slot) {
  for (const SlotSwitches& row : kCommandOrder) {
    if (row.slot != slot) continue;
    // A row's unused places hold no text at all, unlike its "" choices.
    const auto end = std::find_if(row.texts.begin(), row.texts.end(),
                                  [](std::string_view text) { return text.data() == nullptr; });
    return {row.texts.begin(), end};
  }
  return {};
}

}  // namespace marquill
