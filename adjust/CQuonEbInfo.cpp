#include "adjust/CQuonEbInfo.h"

#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/text.h"

HRESULT CQuonEbInfo::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    quon::TrimmedLines lines(quon::TextView(text, length));
    if (lines.Empty()) return S_OK;

    // The header gives sizeB before sizeA; a number that does not scan
    // keeps the value held so far.
    INT32 a = m_tables.SizeA(), b = m_tables.SizeB(), c = m_tables.SizeC(), points = m_tables.PointCount();
    const std::string_view header = lines.NextOrEmpty();
    const int scanned = quon::Scan<"%d,%d,%d,%d">(header, &b, &a, &c, &points);
    if (scanned < 4) {
        quon::Report(header.data(), "header ", quon::Quoted(header), ": ", scanned < 0 ? 0 : scanned,
                     " of 4 numbers read, the others keep their values");
    }
    const HRESULT hr = m_tables.ReadPointsAndCells(lines, a, b, c, points);
    if (FAILED(hr)) {
        quon::Report(header.data(), "header ", quon::Quoted(header), " is refused");
        return hr;
    }
    m_tables.ReadPairs(lines);
    if (quon::Listener() != nullptr) quon::ReportTextAfter(lines.Rest(), "the last pairs line");
    return S_OK;
}

HRESULT CQuonEbInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    if (buffer == nullptr || length == nullptr) return E_POINTER;
    if (!m_tables.Printable()) return E_FAIL;
    quon::TextBuffer out;
    quon::Append<"%d, %d, %d, %d, \n">(out, m_tables.SizeB(), m_tables.SizeA(), m_tables.SizeC(), m_tables.PointCount());
    m_tables.AppendPoints(out);
    // A cell of equal levels ends without a comma after its last value.
    m_tables.AppendCells(out, [](quon::TextBuffer& text, const INT32 (&v)[7]) {
        quon::Append<"%d, %d, %d, %d, %d, %d, %d \n">(text, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    });
    m_tables.AppendPairs(out);
    return quon::CopyOut(out.View(), buffer, capacity, length);
}
