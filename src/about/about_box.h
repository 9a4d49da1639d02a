// frmAbout, the About box.
#pragma once

#include <string>

#include "platform/services.h"
#include "toolkit/form.h"
#include "toolkit/form_rows.h"

// clang-format off
// The About box's controls (see toolkit/form_rows.h). OK is both the default
// and the cancel button: Enter and Esc press it. Line1 is the system's etched
// rule between the description and the notice.
#define MARQUILL_ABOUT_BOX(CONTROL, DECOR, GROUP, OPTION)                                    \
  DECOR(Picture, picIcon, "", At(16, 16, 34, 34), 1, kAppIcon)                              \
  CONTROL(Button, cmdOK, "OK", At(283, 175, 84, 23), 0, kDefaultButton | kCancelButton)     \
  CONTROL(Button, cmdSysInfo, "&System Info...", At(284, 205, 83, 23), 2)                   \
  DECOR(Line, Line1, "", At(6, 163, 371, 2), kNoTab)                                        \
  CONTROL(Label, lblDescription, "App Description", At(70, 75, 259, 78), 3)                 \
  CONTROL(Label, lblTitle, "Application Title", At(70, 16, 259, 32), 5)                     \
  CONTROL(Label, lblVersion, "Version", At(70, 52, 259, 15), 6)                             \
  CONTROL(Label, lblDisclaimer, "Warning: ...", At(17, 175, 255, 69), 4)
// clang-format on

namespace marquill {

// The About box: the program's name, version and description, a notice, and
// a button that starts the System Information tool.
class FrmAbout : public toolkit::Form {
 public:
  enum class Id { MARQUILL_ABOUT_BOX(MARQUILL_ID, MARQUILL_ID, MARQUILL_GROUP_ID, MARQUILL_NONE) };

  FrmAbout(toolkit::Backend& backend, Services& services);

  void StartSysInfo();
  bool GetKeyValue(Registry::Key KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                   std::string& KeyVal);

  void cmdOK_Click();
  void cmdSysInfo_Click();

 protected:
  void Form_Load() override;

 private:
  Services& services_;

 public:
  MARQUILL_ABOUT_BOX(MARQUILL_MEMBER, MARQUILL_NONE, MARQUILL_GROUP_MEMBER, MARQUILL_NONE)
};

extern const toolkit::FormDef kFrmAboutDef;

}  // namespace marquill
