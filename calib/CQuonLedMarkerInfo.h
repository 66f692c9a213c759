// CQuonLedMarkerInfo: a named, thread-safe list of LED marker records (two
// integers, two reals) and its text of one "%d,%d,%d,%d" line per record.
#pragma once

#include "calib/marker_list.h"
#include "quon/IQuonLedMarkerInfo.h"

class CQuonLedMarkerInfo
    : public CQuonMarkerList<CQuonLedMarkerInfo, IQuonLedMarkerInfo, IID_IQuonLedMarkerInfo, LedMarkerRecord> {
public:
    explicit CQuonLedMarkerInfo(IUnknown* pUnkOuter) : CQuonMarkerList(pUnkOuter) {}

    static constexpr std::size_t kPieces = 4;
    static LedMarkerRecord Parse(const quon::Fields<kPieces, quon::TrimmedPieces>& pieces);
    static void Print(quon::TextBuffer& out, const LedMarkerRecord& record);
};
