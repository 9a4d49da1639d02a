// The option slot table and the command line's vocabulary.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace marquill {

// The command line's vocabulary: every option slot, in the order the slots
// join the command line (part of the engine interface), with the switch texts
// its writers use. A slot whose control chooses between texts lists them in
// the control's index order ("" for "none"); a slot with a value lists the
// text that goes before the value. One row per slot.
#define MARQUILL_OPTION_SLOTS(X)                  \
  X(strOptFiles, " ")                             \
  X(strOptSub, " /S", " /E")                      \
  X(strOptLev, " /LEV:")                          \
  X(strOptArchive, " /A", " /M", "")              \
  X(strOptRestart, " /Z")                         \
  X(strOptSec, " /SEC")                           \
  X(strOptSecFix, " /SECFIX")                     \
  X(strOptTimFix, " /TIMFIX")                     \
  X(strOptMov, " /MOV")                           \
  X(strOptMove, " /MOVE")                         \
  X(strOptPurge, " /PURGE")                       \
  X(strOptMir, " /MIR")                           \
  X(strOptAttribAdd, " /a+:")                     \
  X(strOptAttribSub, " /a-:")                     \
  X(strOptCreate, " /CREATE")                     \
  X(strOptFat, " /FAT")                           \
  X(strOptInclAttrib, " /IA:")                    \
  X(strOptExclAttrib, " /XA:")                    \
  X(strOptExclFile, " /XF ")                      \
  X(strOptExclDir, " /XD ")                       \
  X(strOptExclChange, " /XC", " /XO", " /XN", "") \
  X(strOptExclXtraLonely, " /XX", " /XL", "")     \
  X(strOptMinSize, " /MIN:")                      \
  X(strOptMaxSize, " /MAX:")                      \
  X(strOptMaxAge, " /MAXAGE:")                    \
  X(strOptMinAge, " /MINAGE:")                    \
  X(strOptRetry, " /R:")                          \
  X(strOptWait, " /W:")                           \
  X(strOptReg, " /REG")                           \
  X(strOptTbd, " /TBD")                           \
  X(strOptListOnly, " /L")                        \
  X(strOptReportXtra, " /X")                      \
  X(strOptVerbose, " /V")                         \
  X(strOptLog, " /LOG+:", " /LOG:")               \
  X(strOptNp, " /NP")

// The whole state of the engine command. Each option slot holds either "" or
// one fragment that starts with its own blank, so joining needs no separator.
struct OptionSlots {
#define MARQUILL_SLOT_MEMBER(slot, ...) std::string slot;
  MARQUILL_OPTION_SLOTS(MARQUILL_SLOT_MEMBER)
#undef MARQUILL_SLOT_MEMBER

  // The two folders as they entered the last command, and the folder the
  // folder browser returned last.
  std::string strRunSrc;
  std::string strRunDest;
  std::string strBrowsePath;

  // Switches of an opened job that no control of the Options dialog writes,
  // each with its leading blank, in the job's order: the command carries them
  // after the option slots.
  std::string keptSwitches;

  using Slot = std::string OptionSlots::*;

  // Everything empty except the sub-directory switch, which defaults to " /S".
  void AssignStartValues();
  // Everything empty, " /S" included: the state after the main window unloads.
  void Empty();
  // The option slots concatenated in command order, then the kept switches.
  std::string JoinedOptions() const;
};

// One row of the vocabulary.
struct SlotSwitches {
  OptionSlots::Slot slot;
  std::array<std::string_view, 4> texts;
};

#define MARQUILL_SWITCH_ROW(slot, ...) {&OptionSlots::slot, {__VA_ARGS__}},
inline constexpr SlotSwitches kCommandOrder[] = {MARQUILL_OPTION_SLOTS(MARQUILL_SWITCH_ROW)};
#undef MARQUILL_SWITCH_ROW

// The switch text `choice` of `slot`, looked up when the program is compiled:
// a slot without that text does not compile.
consteval std::string_view Switch(OptionSlots::Slot slot, int choice = 0) {
  for (const SlotSwitches& row : kCommandOrder)
    if (row.slot == slot && !row.texts[choice].empty()) return row.texts[choice];
  throw "no such switch";
}

// Every text `slot` chooses between, in index order ("" included).
std::span<const std::string_view> Choices(OptionSlots::Slot slot);

}  // namespace marquill
