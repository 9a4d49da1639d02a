#include "options/frm_opt_main.h"
#include "options/module2.h"

namespace marquill {

void FrmOptMain::WireAttributes() {
  using Builder = void (*)(FrmOptMain&, OptionSlots&);
  const std::pair<AttribSet*, Builder> groups[] = {
      {&attribAdd, BuildAttribAdd},
      {&attribSub, BuildAttribSub},
      {&fileInclAttrib, BuildInclAttrib},
      {&fileExclAttrib, BuildExclAttrib},
  };
  for (auto [set, build] : groups) {
    set->box.Click = [this, set] { AttribGroup_Click(*set); };
    for (toolkit::CheckBox* letter : set->letters)
      letter->Click = [this, build] { build(*this, slots_); };
  }
}

// Only unlocks or locks the letters: their ticks and the slot stay, so a
// cleared group keeps its switch on the command line.
void FrmOptMain::AttribGroup_Click(const AttribSet& set) {
  const bool ticked = set.box.Value() == toolkit::kTicked;
  for (toolkit::CheckBox* letter : set.letters) letter->SetEnabled(ticked);
}

}  // namespace marquill
