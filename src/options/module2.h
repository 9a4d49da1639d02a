#pragma once

#include "model/option_slots.h"

namespace marquill {

class FrmOptMain;

// The attribute-set builders: each rebuilds its slot from the four letter
// boxes of its group on the Options dialog, letters in the order R, A, S, H
// whatever order they were ticked in. Neither the group box nor whether the
// letters are enabled counts.
void BuildAttribAdd(FrmOptMain& form, OptionSlots& slots);
void BuildAttribSub(FrmOptMain& form, OptionSlots& slots);
void BuildInclAttrib(FrmOptMain& form, OptionSlots& slots);
void BuildExclAttrib(FrmOptMain& form, OptionSlots& slots);

}  // namespace marquill
