// Mask frame: its id, name and frame size live in the object and the frame
// component it fronts, and the interface hands none of them out (GetFrame
// reads a frame). Its document is the empty object.
#include "class_kit.h"

namespace {

using namespace records;

void ToJson(IQuonGeoMaskFrame*, Out&) {}

void FromJson(const In& in, IQuonGeoMaskFrame*) { in.Members({}); }

}  // namespace

ModelClass GeoMaskFrameClass() {
    return RecordsOnlyClass<IQuonGeoMaskFrame, ToJson, FromJson>(
        "GeoMaskFrame", "front of the frame component of a sibling module (no text form)", CLSID_QuonGeoMaskFrame);
}
