#include "calib/CQuonMarkerInfo.h"

MarkerPoint CQuonMarkerInfo::Parse(const quon::Fields<kPieces, quon::TrimmedPieces>& pieces) {
    return MarkerPoint{quon::Atof(pieces[0]), quon::Atof(pieces[1])};
}

void CQuonMarkerInfo::Print(quon::TextBuffer& out, const MarkerPoint& record) {
    quon::Append<"%.6f,%.6f\n">(out, record.value1, record.value2);
}
