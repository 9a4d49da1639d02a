#pragma once

#include <string>

#include "platform/services.h"
#include "toolkit/form.h"

namespace marquill {

// The About box: the program's name, version and description, a notice, and
// a button that starts the System Information tool.
class FrmAbout : public toolkit::Form {
 public:
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
  toolkit::Button& cmdOK;
  toolkit::Button& cmdSysInfo;
  toolkit::Label& lblTitle;
  toolkit::Label& lblVersion;
  toolkit::Label& lblDescription;
  toolkit::Label& lblDisclaimer;
};

extern const toolkit::FormDef kFrmAboutDef;

}  // namespace marquill
