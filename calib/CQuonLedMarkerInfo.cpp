#include "calib/CQuonLedMarkerInfo.h"

#include "frame/sizes.h"

// All four pieces are read as integers; the two reals are widened from them.
LedMarkerRecord CQuonLedMarkerInfo::Parse(const quon::Fields<kPieces, quon::TrimmedPieces>& pieces) {
    return LedMarkerRecord{quon::Atoi(pieces[0]), quon::Atoi(pieces[1]), static_cast<double>(quon::Atoi(pieces[2])),
                           static_cast<double>(quon::Atoi(pieces[3]))};
}

// The reals are written truncated toward zero.
void CQuonLedMarkerInfo::Print(quon::TextBuffer& out, const LedMarkerRecord& record) {
    quon::Append<"%d,%d,%d,%d\n">(out, record.value1, record.value2, quon::TruncateToInt32(record.value3),
                                    quon::TruncateToInt32(record.value4));
}
