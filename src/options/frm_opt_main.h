#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>

#include "model/option_slots.h"
#include "options/age_filter.h"
#include "platform/services.h"
#include "toolkit/common_dialog.h"
#include "toolkit/form.h"

namespace marquill {

// The Options dialog. Every control writes its own option slot the moment it
// changes; the dialog never reads a slot back, so "Save Settings" only hides
// it and Cancel or the close box unload it with every slot left as it is.
class FrmOptMain : public toolkit::Form {
 public:
  FrmOptMain(toolkit::Backend& backend, Services& services, OptionSlots& slots);

  // Set by the program: show the date picker of an age row.
  std::function<void()> ShowMaxAgePicker;
  std::function<void()> ShowMinAgePicker;

  // A group check box and its letter boxes, in the order R, A, S, H.
  struct AttribSet {
    toolkit::CheckBox& box;
    std::array<toolkit::CheckBox*, 4> letters;
  };

  void cmdSave_Click();
  void cmdCancel_Click();

  // Copy scope, retries and log.
  void optSub_Click(int index);
  void chkLev_Click();
  void lstSubLev_Click();
  void lstRetry_Click();
  void lstWait_Click();
  void chkReg_Click();
  void optLogFile_Click(int index);
  void cmdLogFile_Click();

  // Name and size filters.
  void txtFiles_LostFocus();
  void txtFileExclName_LostFocus();
  void txtDirExclName_LostFocus();
  void chkMinFileSize_Click();
  void chkMaxFileSize_Click();
  void txtMinFileSize_KeyUp(int keyCode);
  void txtMaxFileSize_KeyUp(int keyCode);
  void txtMinFileSize_Paste();
  void txtMaxFileSize_Paste();

  // Age filters.
  void chkMaxAge_Click();
  void chkMinAge_Click();

  // Exclusive choices.
  void optFileAddA_Click(int index);
  void optFileExcl_Click(int index);
  void optExclXtraLoneLy_Click(int index);

 protected:
  void Form_Load() override;
  void ResetComponents() override;

 private:
  AttribSet MakeAttribSet(const char* box, const std::array<const char*, 4>& letters);

  void WireScopeAndRetries();
  void WireLogFile();
  void WireExclusiveChoices();
  void WireToggles();
  void WireAttributes();
  void WireFilters();
  void WireAges();

  // Handlers shared by several controls, told apart by what they are given.
  static void Choose(std::string& slot, std::span<const char* const> texts, int index);
  void ListNumber_Click(toolkit::ListBox& list, OptionSlots::Slot slot, const char* prefix);
  void Switch_Click(toolkit::CheckBox& box, OptionSlots::Slot slot, const char* text);
  void AttribGroup_Click(const AttribSet& set);
  void NameBox_LostFocus(toolkit::TextBox& box, OptionSlots::Slot slot, const char* prefix);
  void SizeCheck_Click(toolkit::CheckBox& box, toolkit::TextBox& sizeBox, OptionSlots::Slot slot);
  void SizeBox_KeyUp(toolkit::TextBox& box, OptionSlots::Slot slot, const char* prefix,
                     int keyCode);
  void SizeBox_Take(toolkit::TextBox& box, OptionSlots::Slot slot, const char* prefix);
  void AgeCheck_Click(toolkit::CheckBox& box, toolkit::TextBox& dateBox, const AgeFilter& filter,
                      const std::function<void()>& showPicker);

  Services& services_;
  OptionSlots& slots_;

 public:
  toolkit::TextBox& txtFiles;
  toolkit::OptionGroup& optFileAddA;
  toolkit::CheckBox& chkMinFileSize;
  toolkit::TextBox& txtMinFileSize;
  toolkit::CheckBox& chkMaxFileSize;
  toolkit::TextBox& txtMaxFileSize;
  toolkit::CheckBox& chkMaxAge;
  toolkit::TextBox& txtMaxAge;
  toolkit::CheckBox& chkMinAge;
  toolkit::TextBox& txtMinAge;
  toolkit::ListBox& lstRetry;
  toolkit::ListBox& lstWait;
  toolkit::CheckBox& chkReg;
  toolkit::TextBox& txtLogFile;
  toolkit::Button& cmdLogFile;
  toolkit::OptionGroup& optLogFile;
  toolkit::CommonDialog dlgLogFile;
  toolkit::TextBox& txtFileExclName;
  toolkit::TextBox& txtDirExclName;
  toolkit::OptionGroup& optFileExcl;
  toolkit::OptionGroup& optExclXtraLoneLy;
  toolkit::OptionGroup& optSub;
  toolkit::CheckBox& chkLev;
  toolkit::ListBox& lstSubLev;
  AttribSet attribAdd;
  AttribSet attribSub;
  AttribSet fileInclAttrib;
  AttribSet fileExclAttrib;
  toolkit::Button& cmdSave;
  toolkit::Button& cmdCancel;
};

extern const toolkit::FormDef kFrmOptMainDef;

}  // namespace marquill
