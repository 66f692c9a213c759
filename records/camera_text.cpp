#include "camera_text.h"

namespace records {

template <>
const RecordType& TypeOf<CameraTextValues>() {
    using T = CameraTextValues;
    static const RecordType type = Describe<T>("CameraTextValues")("points", &T::points)("tuning1", &T::tuning1)(
        "tuning2", &T::tuning2)("tuning3", &T::tuning3)("tuning4", &T::tuning4)("horizontal", &T::horizontal)(
        "tuning5", &T::tuning5)("tuning6", &T::tuning6)("tuning7", &T::tuning7)("cameras", &T::cameras)(
        "wrap", &T::wrap);
    return type;
}

template <>
const RecordType& TypeOf<CameraPointRange>() {
    using R = CameraPointRange;
    static const RecordType type = Describe<R>("CameraPointRange")("firstPoint", &R::firstPoint)(
        "lastPoint", &R::lastPoint)("pointCount", &R::pointCount);
    return type;
}

}  // namespace records

using records::IntLine;
using records::RealLine;

CameraTextValues CameraHeaderValues(const std::vector<std::string>& lines) {
    CameraTextValues t;
    t.points = IntLine(lines, 0);
    t.tuning1 = IntLine(lines, 1);
    t.tuning2 = RealLine(lines, 2);
    t.tuning3 = RealLine(lines, 3);
    t.tuning4 = IntLine(lines, 4);
    t.horizontal = IntLine(lines, 5);
    t.tuning5 = RealLine(lines, 6);
    t.tuning6 = RealLine(lines, 7);
    t.tuning7 = IntLine(lines, 8);
    t.cameras = IntLine(lines, 13);
    t.wrap = IntLine(lines, 14);
    return t;
}

std::vector<CameraPointRange> CameraRanges(const std::vector<std::string>& lines, INT32 cameras) {
    std::vector<CameraPointRange> ranges(cameras > 0 ? std::size_t(cameras) : 0);
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        ranges[i] = {IntLine(lines, 15 + 3 * i), IntLine(lines, 16 + 3 * i), IntLine(lines, 17 + 3 * i)};
    }
    return ranges;
}

std::string CameraHeaderText(const CameraTextValues& t, UINT32 rows, UINT32 columns, UINT32 code, UINT32 id,
                             const std::vector<CameraPointRange>& ranges) {
    using records::ExactLine;
    std::string text = std::to_string(t.points) + "\n" + std::to_string(t.tuning1) + "\n" + ExactLine(t.tuning2) +
                       ExactLine(t.tuning3) + std::to_string(t.tuning4) + "\n" + std::to_string(t.horizontal) + "\n" +
                       ExactLine(t.tuning5) + ExactLine(t.tuning6);
    for (const INT32 v : {t.tuning7, INT32(columns), INT32(rows), INT32(code), INT32(id), t.cameras, t.wrap}) {
        text += std::to_string(v) + "\n";
    }
    for (const CameraPointRange& r : ranges) {
        text += std::to_string(r.firstPoint) + "\n" + std::to_string(r.lastPoint) + "\n" + std::to_string(r.pointCount) +
                "\n";
    }
    return text;
}
