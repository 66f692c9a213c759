// The camera-band model: the projected pattern grid, the arrangement of the
// cameras that watch it and the band of the pattern each camera sees. The
// camera calibration and the black-level detection init info both hold one
// and share its slots and the first lines of their texts.
#pragma once

#include <string>
#include <vector>

#include "frame/text.h"
#include "quon/IQuonCAInitInfo.h"

namespace quon::calib {

// The seven tuning parameters that lines 2-9 of both init texts carry.
struct CalibTuning {
    INT32 tuning1 = 0;
    double tuning2 = 0.0;
    double tuning3 = 0.0;
    INT32 tuning4 = 0;
    double tuning5 = 0.0;
    double tuning6 = 0.0;
    INT32 tuning7 = 0;
};

struct CameraBandModel {
    INT32 patternPointCount = 0;
    INT32 patternRows = 0;
    INT32 patternColumns = 0;
    UINT32 patternCode = 0;
    INT32 horizontal = 0;  // 1: column bands (columns > rows); 0: row bands
    INT32 cameraRows = 0;
    INT32 cameraColumns = 0;
    INT32 cameraCount = 0;
    INT32 wrap = 0;  // 1: a band that ends at row or column 1 wraps round
    INT32 cameraMode = 1;
    std::vector<CameraRegion> regions;     // one per camera, or none
    std::vector<CameraPointRange> ranges;  // one per camera, or none

    // Stores the grid, sets horizontal and patternPointCount = rows x
    // columns (a 32-bit product). Allocates nothing and always succeeds: the
    // point tables check the count when they are made.
    HRESULT SetPatternGrid(INT32 rows, INT32 columns, UINT32 code);
    HRESULT GetPatternGrid(UINT32* rows, UINT32* columns, UINT32* code) const;

    // Stores the arrangement, sets wrap (mode 2) and replaces regions and
    // ranges by zeroed tables of rows x columns entries. Negative sides or
    // tables beyond quon::kMaxArrayBytes: E_INVALIDARG and nothing changes.
    HRESULT SetCameraGrid(INT32 rows, INT32 columns, UINT32 mode);
    HRESULT GetCameraGrid(UINT32* rows, UINT32* columns, UINT32* mode) const;

    // Camera row x cameraColumns + column. E_FAIL while the tables do not
    // hold cameraCount entries, E_INVALIDARG for a camera outside them.
    HRESULT SetCameraRegion(UINT32 row, UINT32 column, const CameraRegion* region);
    HRESULT GetCameraRegion(UINT32 row, UINT32 column, CameraRegion* region) const;

    // True when regions and ranges hold one entry per camera.
    bool TablesReady() const;
    void FreeTables();

    // Lines 1-15 of the init texts: the pattern, the tuning parameters, the
    // identifier and the arrangement. The reader assigns each field as soon
    // as its line is converted.
    void WriteHeader(TextBuffer& out, const CalibTuning& tuning, UINT32 id) const;
    void ReadHeader(ValueLines& lines, CalibTuning& tuning, UINT32& id);

    // Three lines per camera: first point, last point, point count. The
    // reader replaces both tables by cameraCount zeroed entries, reads the
    // ranges and derives the regions from them (when the pattern has at
    // least one row and one column). A cameraCount that is negative or
    // needs tables beyond quon::kMaxArrayBytes: E_INVALIDARG, tables unchanged.
    // A cameraCount whose ranges need more lines than the rest of the text
    // holds releases both tables and throws the conversion exception of the
    // first bad or missing line, without making tables of that size.
    void WriteRanges(TextBuffer& out) const;
    HRESULT ReadRanges(ValueLines& lines);

private:
    // Index of camera (row, column), or -1 outside the tables.
    int64_t CameraIndex(UINT32 row, UINT32 column) const;
};

}  // namespace quon::calib
