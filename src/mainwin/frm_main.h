#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/option_slots.h"
#include "platform/services.h"
#include "toolkit/form.h"

namespace marquill {

// The start-up window: two folder fields, their browse buttons, destination
// matching, the run and quit buttons, and the Tools and Help menus.
class FrmMain : public toolkit::Form {
 public:
  FrmMain(toolkit::Backend& backend, Services& services, OptionSlots& slots);

  // Set by the program: open the Options dialog and the About box.
  std::function<void()> ShowOptions;
  std::function<void()> ShowAbout;

  // The last browsed source and destination folders, each with one trailing
  // backslash.
  const std::string& RoboSrc() const { return roboSrc_; }
  const std::string& RoboDest() const { return roboDest_; }

  void cmdRun_Click();
  void cmdQuit_Click();
  void cmdBrowseSrc_Click();
  void cmdBrowseDest_Click();
  void mnuToolsOptions_Click();
  void mnuHelpAbout_Click();
  void mnuHelpSupport_Click();

 protected:
  void Form_Load() override;
  void Form_Unload() override;

 private:
  // Where the run button looks for the engine, in order.
  std::vector<std::string> EngineFolders();

  Services& services_;
  OptionSlots& slots_;
  std::string roboSrc_;
  std::string roboDest_;

 public:
  toolkit::TextBox& txtSrcPath;
  toolkit::TextBox& txtDestPath;
  toolkit::Button& cmdBrowseSrc;
  toolkit::Button& cmdBrowseDest;
  toolkit::Button& cmdQuit;
  toolkit::Button& cmdRun;
  toolkit::CheckBox& chkMatchDest;
  toolkit::MenuItem& mnuToolsOptions;
  toolkit::MenuItem& mnuHelpAbout;
  toolkit::MenuItem& mnuHelpSupport;
};

extern const toolkit::FormDef kFrmMainDef;

}  // namespace marquill
