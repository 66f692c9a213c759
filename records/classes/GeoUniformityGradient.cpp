// Uniformity gradient: its two 16-byte blocks in hexadecimal, or null before
// they are allocated.
#include "class_kit.h"

namespace {

using namespace records;

void ToJson(IQuonGeoUniformityGradient* gradient, Out& out) {
    unsigned char a[UniformityGradientBlockSize] = {}, b[UniformityGradientBlockSize] = {};
    if (FAILED(gradient->GetBlocks(a, b))) {  // E_FAIL: not allocated
        out.Null("blocks");
        return;
    }
    Value blocks(rj::kArrayType);
    blocks.PushBack(BytesAsHex(a, sizeof a, out.allocator()), out.allocator());
    blocks.PushBack(BytesAsHex(b, sizeof b, out.allocator()), out.allocator());
    out.Add("blocks", std::move(blocks));
}

void FromJson(const In& in, IQuonGeoUniformityGradient* gradient) {
    in.Members({"blocks"});
    const In blocks = in.Member("blocks");
    if (blocks.IsNull()) return;
    blocks.Size(2);
    unsigned char a[UniformityGradientBlockSize], b[UniformityGradientBlockSize];
    blocks.At(0).Hex(a, sizeof a);
    blocks.At(1).Hex(b, sizeof b);
    Check(gradient->Allocate(), "Allocate");
    Check(gradient->SetBlocks(a, b), "SetBlocks");
}

}  // namespace

ModelClass GeoUniformityGradientClass() {
    return RecordsOnlyClass<IQuonGeoUniformityGradient, ToJson, FromJson>(
        "GeoUniformityGradient", "two 16-byte uniformity gradient blocks (no text form)", CLSID_QuonGeoUniformityGradient);
}
