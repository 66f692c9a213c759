// CQuonMarkerInfo: a named, thread-safe list of marker positions (two reals
// each) and its text of one "%.6f,%.6f" line per marker.
#pragma once

#include "calib/marker_list.h"
#include "quon/IQuonMarkerInfo.h"

class CQuonMarkerInfo
    : public CQuonMarkerList<CQuonMarkerInfo, IQuonMarkerInfo, IID_IQuonMarkerInfo, MarkerPoint> {
public:
    explicit CQuonMarkerInfo(IUnknown* pUnkOuter) : CQuonMarkerList(pUnkOuter) {}

    static constexpr std::size_t kPieces = 2;
    static MarkerPoint Parse(const quon::Fields<kPieces, quon::TrimmedPieces>& pieces);
    static void Print(quon::TextBuffer& out, const MarkerPoint& record);
};
