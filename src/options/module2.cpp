#include "options/module2.h"

#include <string>

#include "options/frm_opt_main.h"

namespace marquill {
namespace {

std::string AttribSetText(const char* prefix, const FrmOptMain::AttribSet& set) {
  static const char kLetters[] = {'R', 'A', 'S', 'H'};
  std::string text = prefix;
  for (size_t i = 0; i < set.letters.size(); ++i)
    if (set.letters[i]->Value() == toolkit::kTicked) text += kLetters[i];
  return text;
}

}  // namespace

void BuildAttribAdd(FrmOptMain& form, OptionSlots& slots) {
  slots.strOptAttribAdd = AttribSetText(" /a+:", form.attribAdd);
}

void BuildAttribSub(FrmOptMain& form, OptionSlots& slots) {
  slots.strOptAttribSub = AttribSetText(" /a-:", form.attribSub);
}

void BuildInclAttrib(FrmOptMain& form, OptionSlots& slots) {
  slots.strOptInclAttrib = AttribSetText(" /IA:", form.fileInclAttrib);
}

void BuildExclAttrib(FrmOptMain& form, OptionSlots& slots) {
  slots.strOptExclAttrib = AttribSetText(" /XA:", form.fileExclAttrib);
}

}  // namespace marquill
