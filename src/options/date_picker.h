// frmCalMaxAge and frmCalMinAge, the two date pickers, and their age rows.
#pragma once

#include <array>

#include "model/option_slots.h"
#include "platform/services.h"
#include "toolkit/form.h"

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

// What tells the two date pickers apart: their window (with their calendar's
// name) and the age row they confirm a date for.
struct AgePicker {
  const toolkit::FormDef& def;
  AgeFilter filter;
};

extern const AgePicker kFrmCalMaxAge;
extern const AgePicker kFrmCalMinAge;

// A date picker: a month calendar that starts at its design date on every
// load, OK and CANCEL. OK confirms the date into the age row's slot and into
// the Options dialog's date box (which loads that dialog, hidden, if needed).
class FrmCalAge : public toolkit::Form {
 public:
  enum class Id { calendar, cmdOk };

  FrmCalAge(toolkit::Backend& backend, Services& services, OptionSlots& slots,
            const AgePicker& picker, toolkit::TextBox& dateBox);

  // Index 0 is OK, index 1 CANCEL.
  void cmdOk_Click(int index);

 protected:
  void Form_Load() override;

 private:
  Services& services_;
  OptionSlots& slots_;
  const AgePicker& picker_;
  toolkit::TextBox& dateBox_;

 public:
  toolkit::MonthCalendar& calendar = Get<toolkit::MonthCalendar>(Id::calendar);
  std::array<toolkit::Button*, 2> cmdOk{&Get<toolkit::Button>(Id::cmdOk, 0),
                                        &Get<toolkit::Button>(Id::cmdOk, 1)};
};

}  // namespace marquill
