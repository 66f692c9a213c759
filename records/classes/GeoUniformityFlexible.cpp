// Uniformity flexible: the four-real header and the records it counts
// (h2 x h3, each 12 bytes in hexadecimal), or null while the object holds
// none (id, name and mode cannot be read back).
#include <cstring>

#include "class_kit.h"

namespace {

using namespace records;

// The record count of a header, as the object takes it: h3 x h2 truncated,
// 0 for a product that is no count.
std::size_t RecordCount(const double header[4]) {
    const double product = header[3] * header[2];
    return product > -1.0 && product < 2147483648.0 ? static_cast<std::size_t>(static_cast<INT32>(product)) : 0;
}

void ToJson(IQuonGeoUniformityFlexible* uniformity, Out& out) {
    double header[4] = {};
    const void* records = nullptr;
    Check(uniformity->GetData(header, &records), "GetData");
    out.Doubles("header", header, 4);
    if (records == nullptr) {
        out.Null("records");
        return;
    }
    Value list(rj::kArrayType);
    for (std::size_t i = 0; i < RecordCount(header); ++i) {
        list.PushBack(BytesAsHex(static_cast<const unsigned char*>(records) + i * UniformityRecordSize,
                                 UniformityRecordSize, out.allocator()),
                      out.allocator());
    }
    out.Add("records", std::move(list));
}

void FromJson(const In& in, IQuonGeoUniformityFlexible* uniformity) {
    in.Members({"header", "records"});
    double header[4] = {};
    in.Doubles("header", header, 4);
    const In list = in.Member("records");
    if (list.IsNull()) {
        // A fresh object holds no records; only its own header goes with that.
        double fresh[4] = {};
        Check(uniformity->GetData(fresh, nullptr), "GetData");
        if (std::memcmp(fresh, header, sizeof header) != 0) list.Fail("expected records for this header");
        return;
    }
    const std::size_t count = RecordCount(header);
    list.Size(count);
    std::vector<unsigned char> bytes(count * UniformityRecordSize);
    for (std::size_t i = 0; i < count; ++i) list.At(i).Hex(bytes.data() + i * UniformityRecordSize, UniformityRecordSize);
    Check(uniformity->SetData(header, bytes.empty() ? nullptr : bytes.data()), "SetData");
}

}  // namespace

ModelClass GeoUniformityFlexibleClass() {
    return RecordsOnlyClass<IQuonGeoUniformityFlexible, ToJson, FromJson>(
        "GeoUniformityFlexible", "a grid of 12-byte uniformity records (no text form)", CLSID_QuonGeoUniformityFlexible);
}
