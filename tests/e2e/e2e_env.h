#pragma once

#include <string>
#include <vector>

#include "driver.h"
#include "invocation_record.h"

// Where the e2e run keeps things (run_e2e.sh sets these variables) and the
// files the fake outside programs leave there.
namespace marquill::e2e {

// The value of a variable run_e2e.sh must have set; throws DriverError if not.
std::string RequiredEnv(const char* name);

// The program folder prepared by run_e2e.sh: marquill.exe with the fake
// robocopy.exe and MSINFO32.EXE beside it.
std::string ProgramFolder();
// The same, in a folder whose path holds a blank.
std::string ProgramFolderWithBlank();

// The Windows system folder, where run_e2e.sh puts a recording engine too.
std::string SystemFolder();

// A path in the run's scratch folder, with nothing there yet.
std::string FreshScratchPath(const std::string& name);

// Makes `folder` a program folder holding copies of the named files of
// ProgramFolder() (for example {"marquill.exe"} for one without the engine).
void MakeProgramFolder(const std::string& folder, const std::vector<std::string>& files);

// Every start recorded in a record file so far (none when it does not exist).
std::vector<Invocation> ReadInvocations(const std::string& recordFile);
// Waits until the record file holds at least `count` starts.
std::vector<Invocation> WaitForInvocations(const std::string& recordFile, size_t count,
                                           Timeout timeout = kDefaultTimeout);

// The primary monitor's work area for the programs started from now on, as a
// taskbar would leave it; the one before is put back when this goes. Wine 8
// takes a monitor's work area from the X root window's _NET_WORKAREA (which
// window managers set; the run's Xvfb has none) and reads it again when the
// display settings are reset. SPI_SETWORKAREA will not do: under Wine 8 it
// changes only what the calling process reads back, not GetMonitorInfo's
// rcWork. The property is set with xprop (MARQUILL_E2E_XPROP), a Unix program
// Wine starts as it would a Windows one.
class WorkArea {
 public:
  explicit WorkArea(const RECT& area);
  ~WorkArea();
  WorkArea(const WorkArea&) = delete;
  WorkArea& operator=(const WorkArea&) = delete;

 private:
  RECT before_;
};

}  // namespace marquill::e2e
