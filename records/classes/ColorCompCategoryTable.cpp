// Colour compensation category table: its one record.
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<ColorCompCategoryEntry>() {
    using E = ColorCompCategoryEntry;
    static const RecordType type = Describe<E>("ColorCompCategoryEntry")("PjCategory", &E::PjCategory)(
        "PjCategoryN", &E::PjCategoryN)("pjtype", &E::pjtype);
    return type;
}

template <>
const RecordType& TypeOf<ColorCompCategoryPair>() {
    using P = ColorCompCategoryPair;
    static const RecordType type = Describe<P>("ColorCompCategoryPair")("PjCategory_0", &P::PjCategory_0)(
        "PjCategoryN_0", &P::PjCategoryN_0)("pjtype_0", &P::pjtype_0)("PjCategory_1", &P::PjCategory_1)(
        "PjCategoryN_1", &P::PjCategoryN_1)("pjtype_1", &P::pjtype_1);
    return type;
}

template <>
const RecordType& TypeOf<ColorCompCategoryTableData>() {
    using D = ColorCompCategoryTableData;
    static const RecordType type = Describe<D>("ColorCompCategoryTableData")("Version", &D::Version)(
        "OrgSpecTable", &D::OrgSpecTable)("DiffSpecTable", &D::DiffSpecTable);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonColorCompCategoryTable* table, Out& out) {
    ColorCompCategoryTableData data{};
    Check(table->GetData(&data), "GetData");
    WriteRecord(out, "data", data);
}

void FromJson(const In& in, IQuonColorCompCategoryTable* table) {
    in.Members({"data"});
    const auto data = ReadRecord<ColorCompCategoryTableData>(in, "data");
    Check(table->Initialize(), "Initialize");
    Check(table->SetData(&data), "SetData");
}

}  // namespace

ModelClass ColorCompCategoryTableClass() {
    return TextClass<IQuonColorCompCategoryTable, ToJson, FromJson>(
        "ColorCompCategoryTable", "colour compensation category table", CLSID_QuonColorCompCategoryTable, nullptr,
        SaveSigned<IQuonColorCompCategoryTable>);
}
