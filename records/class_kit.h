// What the per-class sources of the record layer share: the checks of a
// call's result, names read into a buffer sized by the object's bound, child objects
// created through the module, the adapters of the text-form slots, and the
// row builders of the class table.
#pragma once

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "fields.h"
#include "json.h"
#include "model_classes.h"
#include "quon/Module.h"

namespace records {

// Throws quon::Error "<call> failed: 0x80004005 E_FAIL" for a failure.
void Check(HRESULT hr, const char* call);

// The interfaces copy a name out into a buffer the caller sizes and give no
// way to ask its length: copy(buffer) copies the name of the object being
// walked into a buffer with room for the object's longest name and its
// terminator.
template <class Copy>
std::string CopiedName(const Out& out, Copy copy) {
    std::vector<char> buffer(out.longestName() + 1, '\0');
    copy(buffer.data());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

// A name of a document, as the setters take it (NUL-terminated, any length).
inline std::string NameOf(const In& in, const char* member) { return in.Member(member).Text(); }

// The projector address of the Geometry files: "address", the text up to its
// NUL, back into its 64-byte field.
void WriteAddress(Out& out, const char (&address)[ProjectorAddressSize]);
void ReadAddress(const In& in, char (&address)[ProjectorAddressSize]);

// The first records of the black-level and colour-matching files, whose
// interfaces share the calls: "number", "label", "version", "address",
// "projector".
template <class I>
void WriteIdentityAndBasics(I* info, Out& out) {
    UINT32 number = 0;
    const std::string label =
        CopiedName(out, [&](char* buffer) { Check(info->GetIdentity(&number, buffer), "GetIdentity"); });
    out.Uint("number", number);
    out.Text("label", label);
    GeoVersion version{};
    char address[ProjectorAddressSize] = {};
    ProjectorInfo projector{};
    Check(info->GetBasicInfo(&version, address, &projector), "GetBasicInfo");
    WriteRecord(out, "version", version);
    WriteAddress(out, address);
    WriteRecord(out, "projector", projector);
}

template <class I>
void ReadIdentityAndBasics(const In& in, I* info) {
    Check(info->Initialize(in.U32("number"), NameOf(in, "label").c_str()), "Initialize");
    const auto version = ReadRecord<GeoVersion>(in, "version");
    char address[ProjectorAddressSize] = {};
    ReadAddress(in, address);
    const auto projector = ReadRecord<ProjectorInfo>(in, "projector");
    Check(info->SetBasicInfo(&version, address, &projector), "SetBasicInfo");
}

// A new object of another class, made by the module as a host makes it.
quon::Ptr<IUnknown> CreateObject(const CLSID& clsid, const IID& iid);
template <class I>
quon::Ptr<I> Create(const CLSID& clsid) {
    quon::Ptr<I> object;
    object.attach(static_cast<I*>(CreateObject(clsid, quon::IidOf<I>()).detach()));
    return object;
}

// A count the interface hands out as unsigned, as the setters take it.
INT32 SignedCount(UINT32 count, const In& in, const char* member);

// Records an object keeps under a grid index (i x columns + j) whose count a
// loaded text sets apart from the grid: where record n sits, and all of them
// in storage order (read until the getter refuses).
inline std::pair<UINT32, UINT32> GridPlace(std::size_t n, UINT32 columns) {
    return columns > 0 ? std::pair<UINT32, UINT32>(UINT32(n / columns), UINT32(n % columns))
                       : std::pair<UINT32, UINT32>(0, UINT32(n));
}

template <class R, class Get>
std::vector<R> HeldRecords(UINT32 columns, Get get) {
    std::vector<R> records;
    for (std::size_t n = 0; n <= UINT32_MAX; ++n) {
        R r{};
        const auto [i, j] = GridPlace(n, columns);
        if (FAILED(get(i, j, &r))) break;
        records.push_back(r);
    }
    return records;
}

// ---- the tables of the edge-blend table and the geometry description
// (their interfaces share these calls)

// Cells are kept a x b x c, row by row: entry at is cell (i, j, k).
struct CellPlace {
    UINT32 i, j, k;
};
inline CellPlace CellAt(std::size_t at, std::size_t b, std::size_t c) {
    return {UINT32(at / (b * c)), UINT32(at / c % b), UINT32(at % c)};
}

// "name", "cellExtents", "cells" and "profiles"; gives the extents.
template <class I>
std::vector<std::size_t> WriteCells(I* info, Out& out) {
    out.Text("name", CopiedName(out, [&](char* buffer) { Check(info->GetName(&buffer), "GetName"); }));
    UINT32 e[3] = {};
    Check(info->GetCellDims(&e[0], &e[1], &e[2]), "GetCellDims");
    out.Uints("cellExtents", e, 3);
    const std::vector<std::size_t> shape = {e[0], e[1], e[2]};
    std::vector<EbCell> cells(shape[0] * shape[1] * shape[2]);
    std::vector<EbProfile> profiles(cells.size());
    for (std::size_t at = 0; at < cells.size(); ++at) {
        const CellPlace p = CellAt(at, shape[1], shape[2]);
        Check(info->GetCell(p.i, p.j, p.k, &cells[at], &profiles[at]), "GetCell");
    }
    WriteRecords(out, "cells", cells, shape);
    WriteRecords(out, "profiles", profiles, shape);
    return shape;
}

// "pointGrid" and "points" (as many as the object holds).
template <class I>
void WritePoints(I* info, Out& out) {
    UINT32 grid[3] = {};
    Check(info->GetPointGrid(&grid[0], &grid[1], &grid[2]), "GetPointGrid");
    out.Uints("pointGrid", grid, 3);
    const auto points =
        HeldRecords<EbPoint>(grid[1], [&](UINT32 i, UINT32 j, EbPoint* p) { return info->GetPoint(i, j, p); });
    WriteRecords(out, "points", points, {points.size()});
}

// The start of the tables' size line, "b, a, c, points, ": a text is the
// only way to give the object its cell extents and point count.
std::string SizeLineStart(const In& in, const UINT32 (&extents)[3], std::size_t points);

// Sets every cell and point of tables made to their size.
template <class I>
void SetCellsAndPoints(I* info, const std::vector<std::size_t>& shape, const std::vector<EbCell>& cells,
                       const std::vector<EbProfile>& profiles, UINT32 pointColumns,
                       const std::vector<EbPoint>& points) {
    for (std::size_t at = 0; at < cells.size(); ++at) {
        const CellPlace p = CellAt(at, shape[1], shape[2]);
        Check(info->SetCell(p.i, p.j, p.k, &cells[at], &profiles[at]), "SetCell");
    }
    for (std::size_t n = 0; n < points.size(); ++n) {
        const auto [i, j] = GridPlace(n, pointColumns);
        Check(info->SetPoint(i, j, &points[n]), "SetPoint");
    }
}

// ---- values of a one-value-per-line text

// A real as a line that the checking readers (stod) take back to the same bits.
std::string ExactLine(double v);
// The lines of a text written by an object (without their "\n").
std::vector<std::string> TextLines(const std::string& text);
// A line of such a text as an integer or a real; a line that is not one
// throws quon::Error naming the line.
INT32 IntLine(const std::vector<std::string>& lines, std::size_t at);
double RealLine(const std::vector<std::string>& lines, std::size_t at);

// ---- text-form slots

template <class I>
HRESULT LoadSlot(void* itf, const char* text, UINT32 length) {
    return static_cast<I*>(itf)->LoadFromBuffer(text, length);
}

template <class I>
HRESULT SaveSlot(void* itf, char* buffer, UINT32 capacity, UINT32* written) {
    return static_cast<I*>(itf)->SaveToBuffer(buffer, capacity, written);
}

// The colour writers take a signed capacity.
inline INT32 SignedCapacity(UINT32 capacity) { return capacity > INT32_MAX ? INT32_MAX : static_cast<INT32>(capacity); }

template <class I>
HRESULT SaveSigned(void* itf, char* buffer, UINT32 capacity, UINT32* written) {
    return static_cast<I*>(itf)->SaveToBuffer(buffer, SignedCapacity(capacity), written);
}

// A picture-mode object reads and writes the member "pmode_0" of its file.
template <class I>
HRESULT LoadMode(void* itf, const char* text, UINT32 length) {
    return static_cast<I*>(itf)->LoadFromBuffer("pmode_0", text, length);
}

template <class I>
HRESULT SaveMode(void* itf, char* buffer, UINT32 capacity, UINT32* written) {
    return static_cast<I*>(itf)->SaveToBuffer("pmode_0", buffer, SignedCapacity(capacity), written);
}

// ---- rows of the class table

template <class I, void (*To)(I*, Out&), void (*From)(const In&, I*)>
void ToJsonOf(void* itf, Out& out) {
    To(static_cast<I*>(itf), out);
}

template <class I, void (*To)(I*, Out&), void (*From)(const In&, I*)>
void FromJsonOf(const In& in, void* itf) {
    From(in, static_cast<I*>(itf));
}

// A class with a text form read by LoadFromBuffer(text, length) and written
// by SaveToBuffer(buffer, capacity, written).
template <class I, void (*To)(I*, Out&), void (*From)(const In&, I*)>
ModelClass TextClass(const char* name, const char* about, const CLSID& clsid, HRESULT (*prepare)(void*) = nullptr,
                     HRESULT (*save)(void*, char*, UINT32, UINT32*) = SaveSlot<I>,
                     HRESULT (*load)(void*, const char*, UINT32) = LoadSlot<I>) {
    return ModelClass{name, about, &clsid, &quon::IidOf<I>(), prepare, load, save, ToJsonOf<I, To, From>,
                      FromJsonOf<I, To, From>};
}

// A class without a text form.
template <class I, void (*To)(I*, Out&), void (*From)(const In&, I*)>
ModelClass RecordsOnlyClass(const char* name, const char* about, const CLSID& clsid) {
    return ModelClass{name, about, &clsid, &quon::IidOf<I>(), nullptr, nullptr, nullptr, ToJsonOf<I, To, From>,
                      FromJsonOf<I, To, From>};
}

}  // namespace records

// One row per class, each defined in its own source (records/classes/).
ModelClass GridPointClass();
ModelClass GeoAdjustInfoClass();
ModelClass GeoOtherScreenTagClass();
ModelClass LookUpTableListClass();
ModelClass LookUpTableClass();
ModelClass GeoColorInfoClass();
ModelClass GeoBlackLevelInfoClass();
ModelClass GridNpdInfoClass();
ModelClass GeoInfoClass();
ModelClass BlkInitInfoClass();
ModelClass EbInfoClass();
ModelClass CAInitInfoClass();
ModelClass GeoMaskFrameClass();
ModelClass GeoMaskLineClass();
ModelClass GeoUniformityFlexibleClass();
ModelClass GeoUniformityGradientClass();
ModelClass DMInitInfoClass();
ModelClass MarkerInfoClass();
ModelClass LedMarkerInfoClass();
ModelClass GeoAutoCalibInfoClass();
ModelClass CalibPointTableClass();
ModelClass CalibPointTableListClass();
ModelClass ColorCompCategoryTableClass();
ModelClass ColorCompOrgSpecClass();
ModelClass ColorSpectrumClass();
ModelClass ColorCompDiffSpecClass();
ModelClass ColorDiff7colorsClass();

// Record types that more than one class passes (defined in shared_records.cpp).
namespace records {
template <> const RecordType& TypeOf<GeoVersion>();
template <> const RecordType& TypeOf<ProjectorInfo>();
template <> const RecordType& TypeOf<EdgeBlendSetting>();
template <> const RecordType& TypeOf<EdgeBlendLocation>();
template <> const RecordType& TypeOf<BrightArea>();
template <> const RecordType& TypeOf<BlackLevelLocation>();
template <> const RecordType& TypeOf<EbCell>();
template <> const RecordType& TypeOf<EbProfile>();
template <> const RecordType& TypeOf<EbPoint>();
template <> const RecordType& TypeOf<CameraRegion>();
template <> const RecordType& TypeOf<ColorSpectrumInfo>();
template <> const RecordType& TypeOf<ColorSpectrumPoint>();
template <> const RecordType& TypeOf<ColorDiff7colorsInfo>();
}  // namespace records
