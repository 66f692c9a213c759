#include "geometry/CQuonGridPoint.h"

#include <cmath>
#include <cstring>
#include <new>

#include "frame/bounded_table.h"
#include "frame/sizes.h"
#include "frame/text.h"

namespace {

// Number of points line 0 of the text leads the reader to visit: the loop
// bounds are the integer prefixes of the first two fields.
int64_t VisitedEntries(INT32 columns, INT32 rows) {
    return columns > 0 && rows > 0 ? static_cast<int64_t>(columns) * rows : 0;
}

}  // namespace

HRESULT CQuonGridPoint::SetLabel(UINT32 labelA, UINT32 labelB, const char* name) {
    return m_label.Set(labelA, labelB, name);
}

HRESULT CQuonGridPoint::GetLabel(UINT32* labelA, UINT32* labelB, char* name) {
    return m_label.CopyOut(labelA, labelB, name);
}

HRESULT CQuonGridPoint::SetHeader(const GridPointHeader* header) {
    if (header == nullptr) return E_POINTER;
    // The count is the product of the two sides, so two negative sides make
    // a count like any other. An infinite or undefined side, or a negative
    // product, has no count: it is refused and the map stays as it was.
    const double product = header->columns * header->rows;
    if (!std::isfinite(header->columns) || !std::isfinite(header->rows) || !(product >= 0)) return E_INVALIDARG;
    // The count is the product converted to an unsigned 64-bit number; one
    // that does not fit is more memory than there is.
    if (!(product < 18446744073709551616.0)) throw std::bad_alloc();
    std::vector<GridPointRecord> fresh = quon::ZeroedArray<GridPointRecord>(static_cast<uint64_t>(product));

    // The array held so far is released and replaced by the zeroed one.
    m_points.swap(fresh);
    m_header = *header;
    m_allocated = true;
    return S_OK;
}

long long CQuonGridPoint::EntryIndex(UINT32 column, UINT32 row) const {
    const INT32 columns = quon::TruncateToInt32(m_header.columns);
    if (columns <= 0 || column >= static_cast<UINT32>(columns)) return -1;
    const long long index = static_cast<long long>(columns) * row + column;
    return index < static_cast<long long>(m_points.size()) ? index : -1;
}

HRESULT CQuonGridPoint::SetPoint(UINT32 column, UINT32 row, const GridPointRecord* point) {
    return quon::StoreEntry(m_points, m_allocated, EntryIndex(column, row), point);
}

HRESULT CQuonGridPoint::GetPoint(UINT32 column, UINT32 row, GridPointRecord* point) {
    return quon::LoadEntry(m_points, m_allocated, EntryIndex(column, row), point);
}

HRESULT CQuonGridPoint::SetExtra(const double extra[16]) {
    if (extra == nullptr) return E_POINTER;
    std::memcpy(m_extra, extra, sizeof m_extra);
    return S_OK;
}

HRESULT CQuonGridPoint::GetHeader(GridPointHeader* header) {
    if (header == nullptr) return E_POINTER;
    *header = m_header;
    return S_OK;
}

HRESULT CQuonGridPoint::GetExtra(double extra[16]) {
    if (extra == nullptr) return E_POINTER;
    std::memcpy(extra, m_extra, sizeof m_extra);
    return S_OK;
}

HRESULT CQuonGridPoint::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    std::vector<std::string> lines;
    Split(quon::TextUpToNul(text, length), '\n', lines);
    if (lines.empty()) return S_OK;

    // Fields are cut at single spaces, so the comma after each number is
    // left to the lenient conversions; a field the line does not have reads
    // as 0.
    std::vector<std::string> fields;
    Split(lines[0], ' ', fields);
    if (fields.empty()) return S_OK;
    const auto field = [&fields](std::size_t i) -> const char* { return i < fields.size() ? fields[i].c_str() : ""; };

    GridPointHeader header{};
    header.columns = quon::Atof(field(0));
    header.rows = quon::Atof(field(1));
    header.headerReal2 = quon::Atof(field(2));
    header.headerReal3 = quon::Atof(field(3));
    header.headerInt0 = quon::Atol(field(4));
    header.headerInt1 = quon::Atol(field(5));
    header.headerInt2 = quon::Atol(field(6));
    header.extraFlag = quon::Atol(field(7));  // a 7-field line has no flag: 0
    const HRESULT hr = SetHeader(&header);
    if (FAILED(hr)) return hr;

    const INT32 columns = quon::Atoi(field(0));
    const INT32 rows = quon::Atoi(field(1));
    std::size_t counter = 1;
    // Rows of no columns carry no point line: they are not walked.
    for (INT32 r = 0; r < rows && columns > 0 && counter < lines.size(); ++r) {
        for (INT32 c = 0; c < columns && counter < lines.size(); ++c, ++counter) {
            fields.clear();
            Split(lines[counter], ' ', fields);
            if (fields.empty()) continue;  // the entry stays zero
            GridPointRecord point{};
            point.real0 = quon::Atof(field(0));
            point.real1 = quon::Atof(field(1));
            point.real2 = quon::Atof(field(2));
            point.real3 = quon::Atof(field(3));
            point.int0 = quon::Atol(field(4));
            point.int1 = quon::Atol(field(5));
            point.real4 = quon::Atof(field(6));
            point.real5 = quon::Atof(field(7));
            point.real6 = quon::Atof(field(8));
            point.real7 = quon::Atof(field(9));
            point.int2 = quon::Atol(field(10));
            // An entry outside the allocated array (bounds read from the
            // integer prefixes can exceed it) is refused and skipped.
            SetPoint(static_cast<UINT32>(c), static_cast<UINT32>(r), &point);
        }
    }

    // The extra block follows the last point line whether or not every
    // point line was there; it is read only when both of its lines have
    // eight fields.
    const uint64_t extraLine = 1 + static_cast<uint64_t>(VisitedEntries(columns, rows));
    if (header.extraFlag != 0 && extraLine + 1 < lines.size()) {
        std::vector<std::string> first;
        std::vector<std::string> second;
        Split(lines[static_cast<std::size_t>(extraLine)], ' ', first);
        Split(lines[static_cast<std::size_t>(extraLine) + 1], ' ', second);
        if (first.size() >= 8 && second.size() >= 8) {
            double extra[GridPointExtraCount];
            for (std::size_t i = 0; i < 8; ++i) {
                extra[i] = quon::Atof(first[i]);
                extra[i + 8] = quon::Atof(second[i]);
            }
            SetExtra(extra);
        }
    }
    return S_OK;
}

HRESULT CQuonGridPoint::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) {
    if (buffer == nullptr || written == nullptr) return E_POINTER;
    const INT32 columns = quon::TruncateToInt32(m_header.columns);
    const INT32 rows = quon::TruncateToInt32(m_header.rows);
    // After FreeData the header stays but the points are gone: nothing to print.
    if (!m_allocated && VisitedEntries(columns, rows) > 0) return E_FAIL;

    quon::InPlacePrinter printer(buffer, capacity);
    printer.Print("%g, %g, %g, %g, %d, %d, %d, %d\n", m_header.columns, m_header.rows, m_header.headerReal2,
                  m_header.headerReal3, m_header.headerInt0, m_header.headerInt1, m_header.headerInt2,
                  m_header.extraFlag);
    // A map without columns has no point line, however many rows it has.
    for (INT32 r = 0; r < rows && columns > 0 && printer.Fits(); ++r) {
        for (INT32 c = 0; c < columns && printer.Fits(); ++c) {
            GridPointRecord p{};
            GetPoint(static_cast<UINT32>(c), static_cast<UINT32>(r), &p);
            printer.Print("%f, %f, %f, %f, %d, %d, %f, %f, %f, %f, %d\n", p.real0, p.real1, p.real2, p.real3, p.int0,
                          p.int1, p.real4, p.real5, p.real6, p.real7, p.int2);
        }
    }
    if (m_header.extraFlag >= 1) {
        const double* e = m_extra;
        printer.Print("%lf, %lf, %lf, %lf, %lf, %lf, %lf, %lf\n", e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7]);
        printer.Print("%lf, %lf, %lf, %lf, %lf, %lf, %lf, %lf\n", e[8], e[9], e[10], e[11], e[12], e[13], e[14],
                      e[15]);
    }
    // A table that does not fit with its terminator is refused; the buffer
    // then holds the whole lines that fitted, followed by zeros.
    if (!printer.Fits()) return E_FAIL;
    *written = printer.Length();
    return S_OK;
}

HRESULT CQuonGridPoint::FreeData() {
    std::vector<GridPointRecord>().swap(m_points);
    m_allocated = false;
    return S_OK;
}
