#pragma once

#include <array>
#include <string>

namespace marquill {

// The whole state of the engine command. Each option slot holds either "" or
// one fragment that starts with its own blank, so joining needs no separator.
struct OptionSlots {
  std::string strOptFiles;
  std::string strOptSub;
  std::string strOptLev;
  std::string strOptArchive;
  std::string strOptRestart;
  std::string strOptSec;
  std::string strOptSecFix;
  std::string strOptTimFix;
  std::string strOptMov;
  std::string strOptMove;
  std::string strOptPurge;
  std::string strOptMir;
  std::string strOptAttribAdd;
  std::string strOptAttribSub;
  std::string strOptCreate;
  std::string strOptFat;
  std::string strOptInclAttrib;
  std::string strOptExclAttrib;
  std::string strOptExclFile;
  std::string strOptExclDir;
  std::string strOptExclChange;
  std::string strOptExclXtraLonely;
  std::string strOptMinSize;
  std::string strOptMaxSize;
  std::string strOptMaxAge;
  std::string strOptMinAge;
  std::string strOptRetry;
  std::string strOptWait;
  std::string strOptReg;
  std::string strOptTbd;
  std::string strOptListOnly;
  std::string strOptReportXtra;
  std::string strOptVerbose;
  std::string strOptLog;
  std::string strOptNp;

  std::string strRunSrc;
  std::string strRunDest;
  std::string strBrowsePath;

  using Slot = std::string OptionSlots::*;

  // The order in which the option slots join the command line. It is part of
  // the engine interface, so it is stated once, here.
  static const std::array<Slot, 35> kCommandOrder;

  // Everything empty except the sub-directory switch, which defaults to " /S".
  void AssignStartValues();
  // Everything empty, " /S" included: the state after the main window unloads.
  void Empty();
  // The 35 option slots concatenated in command order.
  std::string JoinedOptions() const;
};

}  // namespace marquill
