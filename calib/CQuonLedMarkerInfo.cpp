#include "calib/CQuonLedMarkerInfo.h"

#include "frame/sizes.h"

// All four pieces are read as integers; the two reals are widened from them.
LedMarkerRecord CQuonLedMarkerInfo::Parse(const std::vector<std::string>& pieces) {
    return LedMarkerRecord{quon::Atoi(pieces[0]), quon::Atoi(pieces[1]), static_cast<double>(quon::Atoi(pieces[2])),
                           static_cast<double>(quon::Atoi(pieces[3]))};
}

// The reals are written truncated toward zero.
void CQuonLedMarkerInfo::Print(std::string& out, const LedMarkerRecord& record) {
    quon::AppendFormat(out, "%d,%d,%d,%d\n", record.value1, record.value2,
                       quon::TruncateToInt32(record.value3), quon::TruncateToInt32(record.value4));
}
