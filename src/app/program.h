#pragma once

#include "mainwin/frm_main.h"
#include "model/option_slots.h"
#include "platform/services.h"
#include "toolkit/peer.h"

namespace marquill {

// The whole program above the platform: the slot table and every window,
// wired together. WinMain runs it on the Win32 backend, tests on memory.
class Program {
 public:
  Program(toolkit::Backend& backend, Services& services);

  // Loads the main window and shows it.
  void Start();

  OptionSlots slots;
  FrmMain frmMain;
};

}  // namespace marquill
