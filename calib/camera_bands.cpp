#include "calib/camera_bands.h"

#include "frame/bounded_table.h"
#include "frame/diagnostics.h"
#include "frame/sizes.h"
#include "frame/text.h"

namespace quon::calib {

namespace {

// Products and sums of the derivations are taken in 64 bits and stored as
// 32-bit values (wrapping round, like the 32-bit arithmetic of the text).
INT32 Narrow(int64_t value) { return static_cast<INT32>(static_cast<uint32_t>(value)); }

constexpr std::size_t kCameraBytes = sizeof(CameraRegion) + sizeof(CameraPointRange);

}  // namespace

HRESULT CameraBandModel::SetPatternGrid(INT32 rows, INT32 columns, UINT32 code) {
    patternRows = rows;
    patternColumns = columns;
    patternCode = code;
    horizontal = columns > rows ? 1 : 0;
    patternPointCount = Narrow(static_cast<int64_t>(rows) * columns);
    return S_OK;
}

HRESULT CameraBandModel::GetPatternGrid(UINT32* rows, UINT32* columns, UINT32* code) const {
    if (rows == nullptr || columns == nullptr || code == nullptr) return E_POINTER;
    *rows = static_cast<UINT32>(patternRows);
    *columns = static_cast<UINT32>(patternColumns);
    *code = patternCode;
    return S_OK;
}

HRESULT CameraBandModel::SetCameraGrid(INT32 rows, INT32 columns, UINT32 mode) {
    if (rows < 0 || columns < 0) return E_INVALIDARG;
    const int64_t count = static_cast<int64_t>(rows) * columns;
    if (!TableFits(count, kCameraBytes)) return E_INVALIDARG;
    regions.assign(static_cast<std::size_t>(count), CameraRegion{});
    ranges.assign(static_cast<std::size_t>(count), CameraPointRange{});
    cameraRows = rows;
    cameraColumns = columns;
    cameraCount = static_cast<INT32>(count);
    cameraMode = static_cast<INT32>(mode);
    wrap = mode == 2 ? 1 : 0;
    return S_OK;
}

HRESULT CameraBandModel::GetCameraGrid(UINT32* rows, UINT32* columns, UINT32* mode) const {
    if (rows == nullptr || columns == nullptr || mode == nullptr) return E_POINTER;
    *rows = static_cast<UINT32>(cameraRows);
    *columns = static_cast<UINT32>(cameraColumns);
    *mode = static_cast<UINT32>(cameraMode);
    return S_OK;
}

bool CameraBandModel::TablesReady() const {
    return cameraCount >= 0 && regions.size() == static_cast<std::size_t>(cameraCount) &&
           ranges.size() == regions.size();
}

void CameraBandModel::FreeTables() {
    std::vector<CameraRegion>().swap(regions);
    std::vector<CameraPointRange>().swap(ranges);
}

int64_t CameraBandModel::CameraIndex(UINT32 row, UINT32 column) const {
    const int64_t index = static_cast<int64_t>(row) * cameraColumns + column;
    return index < static_cast<int64_t>(regions.size()) ? index : -1;
}

HRESULT CameraBandModel::SetCameraRegion(UINT32 row, UINT32 column, const CameraRegion* region) {
    const int64_t i = CameraIndex(row, column);
    const HRESULT hr = StoreEntry(regions, TablesReady(), i, region);
    if (FAILED(hr)) return hr;

    const int64_t R = patternRows;
    const int64_t C = patternColumns;
    const int64_t sr = region->startRow, er = region->endRow;
    const int64_t sc = region->startColumn, ec = region->endColumn;
    CameraPointRange& range = ranges[static_cast<std::size_t>(i)];
    if (horizontal != 0) {
        // Column bands: every row of columns sc ... ec (wrapping past C to 1).
        const int64_t width = wrap == 1 && ec == 1 ? C - sc + 2 : ec - sc + 1;
        range.firstPoint = Narrow(sc);
        range.lastPoint = Narrow((R - 1) * C + ec);
        range.pointCount = Narrow(R * width);
    } else {
        // Row bands: every column of rows sr ... er (wrapping past R to 1).
        const int64_t height = wrap == 1 && er == 1 ? R - sr + 2 : er - sr + 1;
        range.firstPoint = Narrow((sr - 1) * C + 1);
        range.lastPoint = Narrow(C * er);
        range.pointCount = Narrow(height * C);
    }
    return S_OK;
}

HRESULT CameraBandModel::GetCameraRegion(UINT32 row, UINT32 column, CameraRegion* region) const {
    return LoadEntry(regions, TablesReady(), CameraIndex(row, column), region);
}

// Both init texts print their one-decimal lines with "%.01f" / "%.1f", which
// are the same conversion.
void CameraBandModel::WriteHeader(TextBuffer& out, const CalibTuning& tuning, UINT32 id) const {
    Append<"%d\n">(out, patternPointCount);
    Append<"%d\n">(out, tuning.tuning1);
    Append<"%.01f\n">(out, tuning.tuning2);
    Append<"%.01f\n">(out, tuning.tuning3);
    Append<"%d\n">(out, tuning.tuning4);
    Append<"%d\n">(out, horizontal);
    Append<"%.01f\n">(out, tuning.tuning5);
    Append<"%.01f\n">(out, tuning.tuning6);
    Append<"%d\n">(out, tuning.tuning7);
    Append<"%d\n">(out, patternColumns);
    Append<"%d\n">(out, patternRows);
    Append<"%d\n">(out, static_cast<INT32>(patternCode));
    Append<"%d\n">(out, static_cast<INT32>(id));
    Append<"%d\n">(out, cameraCount);
    Append<"%d\n">(out, wrap);
}

void CameraBandModel::ReadHeader(ValueLines& lines, CalibTuning& tuning, UINT32& id) {
    patternPointCount = lines.Int();
    tuning.tuning1 = lines.Int();
    tuning.tuning2 = lines.Double();
    tuning.tuning3 = lines.Double();
    tuning.tuning4 = lines.Int();
    horizontal = lines.Int();
    tuning.tuning5 = lines.Double();
    tuning.tuning6 = lines.Double();
    tuning.tuning7 = lines.Int();
    patternColumns = lines.Int();
    patternRows = lines.Int();
    patternCode = static_cast<UINT32>(lines.Int());
    id = static_cast<UINT32>(lines.Int());
    cameraCount = lines.Int();
    wrap = lines.Int();
}

void CameraBandModel::WriteRanges(TextBuffer& out) const {
    for (const CameraPointRange& range : ranges) {
        Append<"%d\n%d\n%d\n">(out, range.firstPoint, range.lastPoint, range.pointCount);
    }
}

HRESULT CameraBandModel::ReadRanges(ValueLines& lines) {
    if (!TableFits(cameraCount, kCameraBytes)) {
        Report(nullptr, "camera count ", cameraCount, " is refused");
        return E_INVALIDARG;
    }
    if (3 * static_cast<uint64_t>(cameraCount) > lines.MostLinesLeft()) {
        // The text ends within the ranges: the load fails at its first bad
        // or missing line (every range line is read with stoi), and no table
        // is sized by a count the text does not carry.
        FreeTables();
        for (;;) lines.Int();
    }
    regions.assign(static_cast<std::size_t>(cameraCount), CameraRegion{});
    ranges.assign(static_cast<std::size_t>(cameraCount), CameraPointRange{});

    const int64_t R = patternRows;
    const int64_t C = patternColumns;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        CameraPointRange& range = ranges[i];
        range.firstPoint = lines.Int();
        range.lastPoint = lines.Int();
        range.pointCount = lines.Int();
        if (R < 1 || C < 1) continue;
        const int64_t first = range.firstPoint, last = range.lastPoint;
        if (horizontal != 0) {
            regions[i] = CameraRegion{1, Narrow(R), range.firstPoint, Narrow(last - (R - 1) * C)};
        } else {
            regions[i] = CameraRegion{Narrow((first - 1) / C + 1), Narrow(last / C), 1, Narrow(C)};
        }
    }
    return S_OK;
}

}  // namespace quon::calib
