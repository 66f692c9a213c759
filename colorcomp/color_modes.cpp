#include "colorcomp/color_modes.h"

namespace quon::colorcomp {

const char* const kSevenColourNames[7] = {"Red", "Green", "Blue", "Cyan", "Magenta", "Yellow", "White"};

void AddSpectrumValues(Builder& doc, Value& mode, const ColorSpectrumInfo& info, bool withYRate) {
    doc.AddText(mode, "pmodeID", info.pmodeID);
    doc.AddDouble(mode, "xyRate", info.xyRate);
    if (withYRate) doc.AddDouble(mode, "YRate", info.YRate);
    doc.AddDouble(mode, "LightOutput", info.LightOutput);
    Value& bandwidth = doc.AddObject(mode, "LD_BW");
    doc.AddInt64(bandwidth, "Rhigh", info.Rhigh);
    doc.AddInt64(bandwidth, "Rlow", info.Rlow);
    doc.AddInt64(bandwidth, "Ghigh", info.Ghigh);
    doc.AddInt64(bandwidth, "Glow", info.Glow);
    doc.AddInt64(bandwidth, "Bhigh", info.Bhigh);
    doc.AddInt64(bandwidth, "Blow", info.Blow);
    Value& wavelength = doc.AddObject(mode, "typDWL");
    doc.AddDouble(wavelength, "R", info.typDWL_R);
    doc.AddDouble(wavelength, "G", info.typDWL_G);
    doc.AddDouble(wavelength, "B", info.typDWL_B);
}

void AddDiffValues(Builder& doc, Value& mode, const ColorDiff7colorsInfo& info) {
    doc.AddText(mode, "pmodeID_0", info.pmodeID_0);
    doc.AddText(mode, "pmodeID_1", info.pmodeID_1);
    doc.AddDouble(mode, "LightOutput_0", info.LightOutput_0);
    doc.AddDouble(mode, "LightOutput_1", info.LightOutput_1);
    doc.AddDouble(doc.AddObject(mode, "xyRate"), "B", info.xyRate);
    // The eighth, reserved triple of each block is not written.
    Value& side0 = doc.AddObject(mode, "diff7colors_0");
    for (int c = 0; c < 7; ++c) doc.AddDoubles(side0, kSevenColourNames[c], info.diff7colors_0[c], 3);
    Value& side1 = doc.AddObject(mode, "diff7colors_1");
    for (int c = 0; c < 7; ++c) doc.AddDoubles(side1, kSevenColourNames[c], info.diff7colors_1[c], 3);
}

}  // namespace quon::colorcomp
