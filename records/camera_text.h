// The values of the camera calibration and black-level detection init texts
// that their interfaces do not hand out: the header lines of the tuning and
// the bands, and the point range of each camera. They are read from the
// object's own text, and reach an object only through a text it reads.
#pragma once

#include <string>
#include <vector>

#include "class_kit.h"

struct CameraTextValues {
    INT32 points = 0;  // pattern points as the text counts them
    INT32 tuning1 = 0;
    double tuning2 = 0;
    double tuning3 = 0;
    INT32 tuning4 = 0;
    INT32 horizontal = 0;  // 1: column bands; 0: row bands
    double tuning5 = 0;
    double tuning6 = 0;
    INT32 tuning7 = 0;
    INT32 cameras = 0;
    INT32 wrap = 0;
};

namespace records {
template <>
const RecordType& TypeOf<CameraTextValues>();
template <>
const RecordType& TypeOf<CameraPointRange>();
}  // namespace records

// The header values of a text's fifteen header lines, and the camera ranges after them.
CameraTextValues CameraHeaderValues(const std::vector<std::string>& lines);
std::vector<CameraPointRange> CameraRanges(const std::vector<std::string>& lines, INT32 cameras);
// The header and range lines as the objects read them (every real exact).
std::string CameraHeaderText(const CameraTextValues& t, UINT32 rows, UINT32 columns, UINT32 code, UINT32 id,
                             const std::vector<CameraPointRange>& ranges);
// The first line after the ranges.
inline std::size_t CameraTextBody(const CameraTextValues& t) { return 15 + 3 * std::size_t(std::max(t.cameras, 0)); }
