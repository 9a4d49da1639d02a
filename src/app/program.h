// The whole program above the platform: every window, wired together.
#pragma once

#include <string>
#include <vector>

#include "about/about_box.h"
#include "main_window/main_window.h"
#include "model/option_slots.h"
#include "options/date_picker.h"
#include "options/options_dialog.h"
#include "platform/services.h"
#include "preview/preview_window.h"
#include "toolkit/peer.h"

namespace marquill {

// The whole program above the platform: the slot table and every window,
// wired together. WinMain runs it on the Win32 backend, tests on memory.
class Program {
 public:
  Program(toolkit::Backend& backend, Services& services);

  // Loads the main window and shows it, then opens the job file the program
  // was started with, if any (its command-line arguments, program name left
  // out).
  void Start(const std::vector<std::string>& arguments = {});

  OptionSlots slots;
  FrmMain frmMain;
  FrmOptMain frmOptMain;
  // After frmOptMain: each confirms its date into one of its boxes.
  FrmCalAge frmCalMaxAge;
  FrmCalAge frmCalMinAge;
  FrmAbout frmAbout;
  FrmPreview frmPreview;
};

}  // namespace marquill
