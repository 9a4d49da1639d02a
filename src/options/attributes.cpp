// frmOptMain's attribute sets and Module2, the attribute-set builders.
#include "options/options_dialog.h"

namespace marquill {
namespace {

std::string AttribSetText(OptionSlots::Slot slot, const FrmOptMain::AttribSet& set) {
  static const char kLetters[] = {'R', 'A', 'S', 'H'};
  std::string text(Choices(slot).front());
  for (size_t i = 0; i < set.letters.size(); ++i)
    if (set.letters[i]->Value() == toolkit::kTicked) text += kLetters[i];
  return text;
}

}  // namespace

void BuildAttribAdd(FrmOptMain& form, OptionSlots& slots) {
  slots.strOptAttribAdd = AttribSetText(&OptionSlots::strOptAttribAdd, form.attribAdd);
}

void BuildAttribSub(FrmOptMain& form, OptionSlots& slots) {
  slots.strOptAttribSub = AttribSetText(&OptionSlots::strOptAttribSub, form.attribSub);
}

void BuildInclAttrib(FrmOptMain& form, OptionSlots& slots) {
  slots.strOptInclAttrib = AttribSetText(&OptionSlots::strOptInclAttrib, form.fileInclAttrib);
}

void BuildExclAttrib(FrmOptMain& form, OptionSlots& slots) {
  slots.strOptExclAttrib = AttribSetText(&OptionSlots::strOptExclAttrib, form.fileExclAttrib);
}

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
