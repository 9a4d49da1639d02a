#include "model/option_slots.h"

namespace marquill {

const std::array<OptionSlots::Slot, 35> OptionSlots::kCommandOrder = {
    &OptionSlots::strOptFiles,      &OptionSlots::strOptSub,
    &OptionSlots::strOptLev,        &OptionSlots::strOptArchive,
    &OptionSlots::strOptRestart,    &OptionSlots::strOptSec,
    &OptionSlots::strOptSecFix,     &OptionSlots::strOptTimFix,
    &OptionSlots::strOptMov,        &OptionSlots::strOptMove,
    &OptionSlots::strOptPurge,      &OptionSlots::strOptMir,
    &OptionSlots::strOptAttribAdd,  &OptionSlots::strOptAttribSub,
    &OptionSlots::strOptCreate,     &OptionSlots::strOptFat,
    &OptionSlots::strOptInclAttrib, &OptionSlots::strOptExclAttrib,
    &OptionSlots::strOptExclFile,   &OptionSlots::strOptExclDir,
    &OptionSlots::strOptExclChange, &OptionSlots::strOptExclXtraLonely,
    &OptionSlots::strOptMinSize,    &OptionSlots::strOptMaxSize,
    &OptionSlots::strOptMaxAge,     &OptionSlots::strOptMinAge,
    &OptionSlots::strOptRetry,      &OptionSlots::strOptWait,
    &OptionSlots::strOptReg,        &OptionSlots::strOptTbd,
    &OptionSlots::strOptListOnly,   &OptionSlots::strOptReportXtra,
    &OptionSlots::strOptVerbose,    &OptionSlots::strOptLog,
    &OptionSlots::strOptNp,
};

void OptionSlots::Empty() { *this = OptionSlots{}; }

void OptionSlots::AssignStartValues() {
  Empty();
  strOptSub = " /S";
}

std::string OptionSlots::JoinedOptions() const {
  std::string joined;
  for (Slot slot : kCommandOrder) joined += this->*slot;
  return joined;
}

}  // namespace marquill
