// frmOptMain's ShowState: an option state put into the dialog's controls, so
// that the dialog shows what will run, after each load and when a job opens.
#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "model/command.h"
#include "model/command_line.h"
#include "options/options_dialog.h"

namespace marquill {
namespace {

using toolkit::kCleared;
using toolkit::kTicked;

// The slot's value after its switch; none when the slot does not hold it.
std::optional<std::string> ValueOf(const std::string& text, std::string_view prefix) {
  if (text.empty() || !text.starts_with(prefix)) return std::nullopt;
  return text.substr(prefix.size());
}

// The selected position a list's slot text tells, the list's items starting
// at `first`; -1 for none.
int ListPosition(const std::optional<std::string>& value, int first) {
  if (!value || value->empty() || value->size() > 3) return -1;
  int number = 0;
  for (char c : *value) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number - first;
}

// The button of a choice of texts that shows `text`; -1 for none.
int IndexOf(std::span<const std::string_view> choices, const std::string& text) {
  const auto found = std::find(choices.begin(), choices.end(), text);
  return found == choices.end() ? -1 : static_cast<int>(found - choices.begin());
}

// A check box with the text box it unlocks.
void PutUnlocking(toolkit::CheckBox& box, toolkit::TextBox& field,
                  const std::optional<std::string>& shown) {
  box.Put(shown ? kTicked : kCleared);
  field.SetEnabled(shown.has_value());
  field.SetText(shown.value_or(""));
}

}  // namespace

void FrmOptMain::ShowState(const OptionSlots& state) {
  Load();
  for (const SlotSwitches& row : kCommandOrder) slots_.*row.slot = state.*row.slot;
  slots_.keptSwitches = state.keptSwitches;

  // The controls whose rows say how they write their slot.
  for (const auto& control : controls()) {
    const toolkit::ControlDef& row = control->def();
    if (row.writes.how == toolkit::Writes::Nothing || row.writes.how == toolkit::Writes::ByHandler)
      continue;
    const std::string& text = slots_.*row.writes.slot;
    const auto choices = Choices(row.writes.slot);
    const std::optional<std::string> value = ValueOf(text, choices.front());
    switch (row.writes.how) {
      case toolkit::Writes::Switch:
        dynamic_cast<toolkit::CheckBox&>(*control).Put(value ? kTicked : kCleared);
        break;
      case toolkit::Writes::Choice:
        Group(static_cast<Id>(row.id)).Put(IndexOf(choices, text));
        break;
      case toolkit::Writes::Text:
        // The file list the load puts in stays while the slot holds none.
        control->SetText(value.value_or(control.get() == &txtFiles ? kAllFiles : ""));
        break;
      default:
        dynamic_cast<toolkit::ListBox&>(*control).Put(ListPosition(value, 0));
        break;
    }
  }

  optSub.Put(IndexOf(Choices(&OptionSlots::strOptSub), slots_.strOptSub));
  const std::optional<std::string> level =
      ValueOf(slots_.strOptLev, Switch(&OptionSlots::strOptLev));
  chkLev.Put(level ? kTicked : kCleared);
  lstSubLev.SetEnabled(level.has_value());
  lstSubLev.Put(ListPosition(level, 1));

  ShowLogFile();
  for (const AttribSet* set : {&attribAdd, &attribSub, &fileInclAttrib, &fileExclAttrib}) {
    const OptionSlots::Slot slot = set->letters.front()->def().writes.slot;
    const std::optional<std::string> letters = ValueOf(slots_.*slot, Choices(slot).front());
    set->box.Put(letters ? kTicked : kCleared);
    for (size_t i = 0; i < set->letters.size(); ++i) {
      set->letters[i]->Put(letters && letters->find("RASH"[i]) != std::string::npos ? kTicked
                                                                                    : kCleared);
      set->letters[i]->SetEnabled(letters.has_value());
    }
  }
  PutUnlocking(chkMinFileSize, txtMinFileSize,
               ValueOf(slots_.strOptMinSize, Switch(&OptionSlots::strOptMinSize)));
  PutUnlocking(chkMaxFileSize, txtMaxFileSize,
               ValueOf(slots_.strOptMaxSize, Switch(&OptionSlots::strOptMaxSize)));
  for (auto [box, field, filter] : {std::tuple{&chkMaxAge, &txtMaxAge, &kMaxAgeFilter},
                                    std::tuple{&chkMinAge, &txtMinAge, &kMinAgeFilter}}) {
    std::optional<std::string> shown = ValueOf(slots_.*filter->slot, filter->prefix);
    // A confirmed date shows as the picker's OK shows it.
    if (const std::optional<Date> date = DateFromDigits(shown.value_or("")))
      shown = services_.dates.ShortDate(*date);
    PutUnlocking(*box, *field, shown);
  }
}

void FrmOptMain::ShowLogFile() {
  const auto switches = Choices(&OptionSlots::strOptLog);
  for (size_t index = 0; index < switches.size(); ++index) {
    const std::optional<std::string> name = ValueOf(slots_.strOptLog, switches[index]);
    if (!name) continue;
    // The box holds the name as typed: a name with a blank is quoted in the
    // slot.
    const std::vector<std::string> words = SplitArguments(*name);
    const bool quoted =
        words.size() == 1 && words.front() != *name && QuoteIfBlank(words.front()) == *name;
    txtLogFile.SetText(quoted ? words.front() : *name);
    return optLogFile.Put(static_cast<int>(index));
  }
  txtLogFile.SetText("");
  optLogFile.Put(-1);
}

}  // namespace marquill
