// frmCalMaxAge and frmCalMinAge, the two date pickers.
#include "options/date_picker.h"

#include <string>

namespace marquill {
namespace {

using toolkit::ControlKind;

// The date a picker's calendar shows each time it is loaded.
constexpr Date kDesignDate{2003, 3, 6};

using Id = FrmCalAge::Id;

// The two pickers differ only in their calendar's name and caption; a screen
// reader calls the calendar by the caption.
constexpr std::array<toolkit::ControlDef, 3> PickerControls(const char* calendar,
                                                            const char* caption) {
  return {{
      {static_cast<int>(Id::calendar),
       calendar,
       -1,
       ControlKind::MonthCalendar,
       "",
       toolkit::At(20, 10, 273, 193),
       0,
       toolkit::kNoStyle,
       {},
       toolkit::Named(caption)},
      {static_cast<int>(Id::cmdOk), "cmdOk", 0, ControlKind::Button, "OK",
       toolkit::At(24, 208, 73, 25), 1},
      {static_cast<int>(Id::cmdOk), "cmdOk", 1, ControlKind::Button, "CANCEL",
       toolkit::At(104, 208, 73, 25), 2},
  }};
}

constexpr char kMaxAgeCaption[] = "Files older than this date will be excluded";
constexpr char kMinAgeCaption[] = "Files newer than this date will be excluded";
constexpr auto kMaxAgeControls = PickerControls("CalMaxAge", kMaxAgeCaption);
constexpr auto kMinAgeControls = PickerControls("calMinAge", kMinAgeCaption);

// No icon; the system places it.
constexpr toolkit::FormDef PickerDef(const char* name, const char* caption,
                                     std::span<const toolkit::ControlDef> controls) {
  return {name, caption, 312, 235, toolkit::FormIcon::None, false, controls};
}

const toolkit::FormDef kMaxAgeDef = PickerDef("frmCalMaxAge", kMaxAgeCaption, kMaxAgeControls);
const toolkit::FormDef kMinAgeDef = PickerDef("frmCalMinAge", kMinAgeCaption, kMinAgeControls);

}  // namespace

const AgePicker kFrmCalMaxAge{kMaxAgeDef, kMaxAgeFilter};
const AgePicker kFrmCalMinAge{kMinAgeDef, kMinAgeFilter};

FrmCalAge::FrmCalAge(toolkit::Backend& backend, Services& services, OptionSlots& slots,
                     const AgePicker& picker, toolkit::TextBox& dateBox)
    : Form(backend, picker.def),
      services_(services),
      slots_(slots),
      picker_(picker),
      dateBox_(dateBox) {
  for (int index = 0; index < static_cast<int>(cmdOk.size()); ++index)
    cmdOk[index]->Click = [this, index] { cmdOk_Click(index); };
}

void FrmCalAge::Form_Load() { calendar.SetValue(kDesignDate); }

void FrmCalAge::cmdOk_Click(int index) {
  if (index == 0) {
    slots_.*picker_.filter.slot = std::string(picker_.filter.prefix) + DateDigits(calendar.Value());
    // Neither the age check box nor whether the Options dialog is open counts.
    dateBox_.SetText(services_.dates.ShortDate(calendar.Value()));
  }
  Unload();
}

}  // namespace marquill
