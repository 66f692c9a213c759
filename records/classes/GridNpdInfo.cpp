// Grid NPD parameters: labels and name, and the whole parameter set. The
// interface sets only a few parameters one by one; the others reach the
// object only through its text, so the layer writes the set as that text
// (every value exact) and has the object read it.
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<GridNpdParams>() {
    using P = GridNpdParams;
    static const RecordType type = Describe<P>("GridNpdParams")("npdInt1", &P::npdInt1)("npdInt2", &P::npdInt2)(
        "npdInt3", &P::npdInt3)("npdInt4", &P::npdInt4)("npdInt5", &P::npdInt5)("npdInt6", &P::npdInt6)(
        "npdInt7", &P::npdInt7)("npdInt8", &P::npdInt8)("npdReal9", &P::npdReal9)("npdReal10", &P::npdReal10)(
        "npdReal11", &P::npdReal11)("npdInt12", &P::npdInt12)("npdReal13", &P::npdReal13)("level14", &P::level14)(
        "level15", &P::level15)("level16", &P::level16)("npdReal17", &P::npdReal17)("npdInt18", &P::npdInt18)(
        "npdInt19", &P::npdInt19)("npdInt20", &P::npdInt20)("npdInt21", &P::npdInt21)("npdInt22", &P::npdInt22)(
        "npdInt23", &P::npdInt23)("npdInt24", &P::npdInt24)("projectorResX", &P::projectorResX)(
        "projectorResY", &P::projectorResY)("factor27", &P::factor27)("factor28", &P::factor28)(
        "npdInt29", &P::npdInt29)("npdInt30", &P::npdInt30)("npdInt31", &P::npdInt31)("npdReal32", &P::npdReal32)(
        "npdReal33", &P::npdReal33)("npdReal34", &P::npdReal34)("npdReal35", &P::npdReal35)(
        "npdReal36", &P::npdReal36)("npdReal37", &P::npdReal37)("npdReal38", &P::npdReal38)(
        "npdInt39", &P::npdInt39)("npdReal40", &P::npdReal40)("version", &P::version);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonGridNpdInfo* info, Out& out) {
    UINT32 a = 0, b = 0;
    const std::string name = CopiedName(out, [&](char* buffer) { Check(info->GetLabel(&a, &b, &buffer), "GetLabel"); });
    out.Uint("labelA", a);
    out.Uint("labelB", b);
    out.Text("name", name);
    GridNpdParams params{};
    Check(info->GetParams(&params), "GetParams");
    WriteRecord(out, "params", params);
}

// The parameter text: forty value lines in the record's order, an empty
// line 41 and the version on line 42.
std::string ParamsText(const GridNpdParams& params) {
    std::string text;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&params);
    for (const Field& f : TypeOf<GridNpdParams>().fields) {
        if (f.kind == FieldKind::Int32) {
            INT32 v;
            std::memcpy(&v, bytes + f.offset, sizeof v);
            text += std::to_string(v) + "\n";
        } else if (f.kind == FieldKind::Double) {
            double v;
            std::memcpy(&v, bytes + f.offset, sizeof v);
            text += ExactLine(v);
        }
    }
    return text + "\n" + std::string(params.version, strnlen(params.version, sizeof params.version)) + "\n";
}

void FromJson(const In& in, IQuonGridNpdInfo* info) {
    in.Members({"labelA", "labelB", "name", "params"});
    Check(info->SetLabel(in.U32("labelA"), in.U32("labelB"), NameOf(in, "name").c_str()), "SetLabel");
    const auto params = ReadRecord<GridNpdParams>(in, "params");
    const std::string text = ParamsText(params);
    Check(info->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())), "LoadFromBuffer");
}

}  // namespace

ModelClass GridNpdInfoClass() {
    return TextClass<IQuonGridNpdInfo, ToJson, FromJson>("GridNpdInfo", "the grid pattern parameter list",
                                                        CLSID_QuonGridNpdInfo, nullptr, SaveSigned<IQuonGridNpdInfo>);
}
