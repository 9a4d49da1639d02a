// frmOptMain, the Options dialog, and Module2's attribute-set builders.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>

#include "model/option_slots.h"
#include "options/date_picker.h"
#include "options/options_dialog_layout.h"
#include "platform/services.h"
#include "toolkit/common_dialog.h"
#include "toolkit/form.h"

namespace marquill {

// What txtFiles shows while no file list is in force.
inline constexpr char kAllFiles[] = "*.*";

// The Options dialog. Every control writes its own option slot the moment it
// changes, so "Save Settings" only hides it and Cancel or the close box unload
// it with every slot left as it is; each load shows the slots again.
class FrmOptMain : public toolkit::Form {
 public:
  enum class Id {
    MARQUILL_OPTIONS_DIALOG(MARQUILL_ID, MARQUILL_ID, MARQUILL_GROUP_ID, MARQUILL_NONE)
  };

  FrmOptMain(toolkit::Backend& backend, Services& services, OptionSlots& slots);

  // Set by the program: show the date picker of an age row.
  std::function<void()> ShowMaxAgePicker;
  std::function<void()> ShowMinAgePicker;

  // A group check box and its letter boxes, in the order R, A, S, H.
  struct AttribSet {
    toolkit::CheckBox& box;
    std::array<toolkit::CheckBox*, 4> letters;
  };

  // Puts `state` into the slots and shows it in the controls, loading the
  // dialog hidden if it is not loaded. No handler runs, so no date picker
  // opens and no message shows, and what no click can clear is cleared where
  // the state says so: a list's selection, both optSub buttons, the log
  // choice. Each load ends with it, so the dialog shows what will run.
  void ShowState(const OptionSlots& state);

  void cmdSave_Click();
  void cmdCancel_Click();

  // Copy scope, retries and log.
  void optSub_Click(int index);
  void chkLev_Click();
  void lstSubLev_Click();
  void optLogFile_Click(int index);
  void cmdLogFile_Click();
  void txtLogFile_Drop(const std::string& file);

  // Name and size filters.
  void chkMinFileSize_Click();
  void chkMaxFileSize_Click();
  void txtMinFileSize_KeyUp(int keyCode);
  void txtMaxFileSize_KeyUp(int keyCode);
  void txtMinFileSize_Paste();
  void txtMaxFileSize_Paste();

  // Age filters.
  void chkMaxAge_Click();
  void chkMinAge_Click();

 protected:
  void Form_Load() override;
  void ResetComponents() override;

 private:
  // The controls whose rows say how they write their slot (Writes::Switch,
  // Choice, Text and Position) get these handlers, from their rows.
  void WireSlotRows();
  void WireScopeAndRetries();
  void WireLogFile();
  // The log name chosen in dlgLogFile (or dropped) goes in the box, with
  // "Overwrite" selected.
  void TakeLogFile();
  void ShowLogFile();
  void WireAttributes();
  void WireFilters();
  void WireAges();

  // Handlers shared by several controls, told apart by what they are given.
  // Choose: the slot's switch text `index`, as its vocabulary row lists them.
  void Choose(OptionSlots::Slot slot, int index);
  void NameBox_LostFocus(toolkit::TextBox& box, OptionSlots::Slot slot);
  void ListNumber_Click(toolkit::ListBox& list, OptionSlots::Slot slot);
  void Switch_Click(toolkit::CheckBox& box, OptionSlots::Slot slot);
  void AttribGroup_Click(const AttribSet& set);
  void SizeCheck_Click(toolkit::CheckBox& box, toolkit::TextBox& sizeBox, OptionSlots::Slot slot);
  void SizeBox_KeyUp(toolkit::TextBox& box, OptionSlots::Slot slot, int keyCode);
  // An accepted key or a keyboard paste: the slot takes the box's whole text.
  void SizeBox_Take(toolkit::TextBox& box, OptionSlots::Slot slot);
  void AgeCheck_Click(toolkit::CheckBox& box, toolkit::TextBox& dateBox, const AgeFilter& filter,
                      const std::function<void()>& showPicker);

  Services& services_;
  OptionSlots& slots_;

 public:
  MARQUILL_OPTIONS_DIALOG(MARQUILL_MEMBER, MARQUILL_NONE, MARQUILL_GROUP_MEMBER, MARQUILL_NONE)
  toolkit::CommonDialog dlgLogFile;
  AttribSet attribAdd{chkAttribAdd,
                      {&chkAttribAddR, &chkAttribAddA, &ChkAttribAddS, &chkAttribAddH}};
  AttribSet attribSub{chkAttribSub,
                      {&chkAttribSubR, &chkAttribSubA, &chkAttribSubS, &chkAttribSubH}};
  AttribSet fileInclAttrib{
      chkFileInclAttrib,
      {&chkFileInclAttribR, &chkFileInclAttribA, &chkFileInclAttribS, &chkFileInclAttribH}};
  AttribSet fileExclAttrib{
      chkFileExclAttrib,
      {&chkFileExclAttribR, &chkFileExclAttribA, &chkFileExclAttribS, &chkFileExclAttribH}};
};

extern const toolkit::FormDef kFrmOptMainDef;

// The attribute-set builders: each rebuilds its slot from the four letter
// boxes of its group on the Options dialog, letters in the order R, A, S, H
// whatever order they were ticked in. Neither the group box nor whether the
// letters are enabled counts.
void BuildAttribAdd(FrmOptMain& form, OptionSlots& slots);
void BuildAttribSub(FrmOptMain& form, OptionSlots& slots);
void BuildInclAttrib(FrmOptMain& form, OptionSlots& slots);
void BuildExclAttrib(FrmOptMain& form, OptionSlots& slots);

}  // namespace marquill
