// The values of one picture mode as the colour sheets write them. A child
// object writes its own mode member with these, and the sheet that holds the
// children writes every mode member with the same functions, so both forms
// stay alike; each caller then adds the spectra it owns or borrows.
#pragma once

#include "formats/json_rules.h"
#include "quon/IQuonColorDiff7colors.h"
#include "quon/IQuonColorSpectrum.h"

namespace quon::colorcomp {

using json::Builder;
using json::Value;

// "pmodeID", "xyRate", ["YRate",] "LightOutput", "LD_BW" {six integers},
// "typDWL" {"R", "G", "B"}, in this order.
void AddSpectrumValues(Builder& doc, Value& mode, const ColorSpectrumInfo& info, bool withYRate);

// "pmodeID_0", "pmodeID_1", "LightOutput_0", "LightOutput_1", "xyRate"
// {"B"}, "diff7colors_0" and "diff7colors_1" {seven colour triples}, in
// this order.
void AddDiffValues(Builder& doc, Value& mode, const ColorDiff7colorsInfo& info);

// Names of the seven colours of a colour block, in stored order.
extern const char* const kSevenColourNames[7];

}  // namespace quon::colorcomp
