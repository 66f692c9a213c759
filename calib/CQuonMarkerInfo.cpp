#include "calib/CQuonMarkerInfo.h"

MarkerPoint CQuonMarkerInfo::Parse(const std::vector<std::string>& pieces) {
    return MarkerPoint{quon::Atof(pieces[0]), quon::Atof(pieces[1])};
}

void CQuonMarkerInfo::Print(std::string& out, const MarkerPoint& record) {
    quon::AppendFormat(out, "%.6f,%.6f\n", record.value1, record.value2);
}
