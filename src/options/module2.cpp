#include "options/module2.h"

#include <string>

#include "options/frm_opt_main.h"

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

}  // namespace marquill
