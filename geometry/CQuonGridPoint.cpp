#include "geometry/CQuonGridPoint.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

#include "frame/bounded_table.h"
#include "frame/diagnostics.h"
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
    // The text ends at its first NUL; lines are cut at '\n' and fields at
    // single spaces, so the comma after each number is left to the lenient
    // conversions and a field the line does not have reads as 0.
    quon::Pieces lines(quon::TextViewUpToNul(text, length), '\n');
    std::string_view line;
    if (!lines.Next(line) || line.empty()) return S_OK;  // no first line, or no field in it

    const quon::Fields<8> fields(line, ' ');
    if (fields.Count() != 8) {
        quon::Report(line.data(), "header has ", fields.Count(), " fields, not 8: ",
                     fields.Count() < 8 ? "the missing ones read as 0" : "the others are not read");
    }
    GridPointHeader header{};
    header.columns = quon::Atof(fields[0]);
    header.rows = quon::Atof(fields[1]);
    header.headerReal2 = quon::Atof(fields[2]);
    header.headerReal3 = quon::Atof(fields[3]);
    header.headerInt0 = quon::Atol(fields[4]);
    header.headerInt1 = quon::Atol(fields[5]);
    header.headerInt2 = quon::Atol(fields[6]);
    header.extraFlag = quon::Atol(fields[7]);  // a 7-field line has no flag: 0
    const HRESULT hr = SetHeader(&header);
    if (FAILED(hr)) return hr;

    const INT32 columns = quon::Atoi(fields[0]);
    const INT32 rows = quon::Atoi(fields[1]);
    // One line per entry, as far as the text goes; rows of no columns carry
    // no point line and are not walked.
    int64_t visited = 0;
    bool more = true;
    for (INT32 r = 0; r < rows && columns > 0 && more; ++r) {
        for (INT32 c = 0; c < columns; ++c, ++visited) {
            if (!lines.Next(line)) {
                quon::Report(line.data(), "the header announces ", columns, " x ", rows,
                             " points but the text ends after ", visited, ": the others read as 0");
                more = false;
                break;
            }
            if (line.empty()) {  // the entry stays zero
                quon::Report(line.data(), "empty point line: point ", c, ",", r, " reads as 0");
                continue;
            }
            const quon::Fields<11> f(line, ' ');
            if (f.Count() != 11) [[unlikely]] {
                quon::Report(line.data(), "point ", c, ",", r, " has ", f.Count(), " fields, not 11: ",
                             f.Count() < 11 ? "the missing ones read as 0" : "the others are not read");
            }
            GridPointRecord point{};
            point.real0 = quon::Atof(f[0]);
            point.real1 = quon::Atof(f[1]);
            point.real2 = quon::Atof(f[2]);
            point.real3 = quon::Atof(f[3]);
            point.int0 = quon::Atol(f[4]);
            point.int1 = quon::Atol(f[5]);
            point.real4 = quon::Atof(f[6]);
            point.real5 = quon::Atof(f[7]);
            point.real6 = quon::Atof(f[8]);
            point.real7 = quon::Atof(f[9]);
            point.int2 = quon::Atol(f[10]);
            // An entry outside the allocated array (bounds read from the
            // integer prefixes can exceed it) is refused and skipped.
            SetPoint(static_cast<UINT32>(c), static_cast<UINT32>(r), &point);
        }
    }

    // The extra block follows the last point line, so it exists only when
    // the text holds every point line; it is read only when both of its
    // lines have eight fields.
    std::string_view firstLine;
    std::string_view secondLine;
    const bool complete = visited == VisitedEntries(columns, rows);
    if (header.extraFlag != 0 && complete && lines.Next(firstLine) && lines.Next(secondLine)) {
        const quon::Fields<8> first(firstLine, ' ');
        const quon::Fields<8> second(secondLine, ' ');
        if (first.Count() >= 8 && second.Count() >= 8) {
            double extra[GridPointExtraCount];
            for (std::size_t i = 0; i < 8; ++i) {
                extra[i] = quon::Atof(first[i]);
                extra[i + 8] = quon::Atof(second[i]);
            }
            SetExtra(extra);
        } else {
            quon::Report((first.Count() < 8 ? firstLine : secondLine).data(),
                         "extra block line has fewer than 8 fields: the extra block is not read");
        }
    } else if (header.extraFlag != 0 && complete) {
        quon::Report(firstLine.data() != nullptr ? firstLine.data() : line.data(), "the header's flag announces an extra block of two lines that the text "
                                          "does not hold: not read");
    }
    if (quon::Listener() != nullptr && complete) quon::ReportTextAfter(lines.Rest(), "the last record");
    return S_OK;
}

HRESULT CQuonGridPoint::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) {
    if (buffer == nullptr || written == nullptr) return E_POINTER;
    const INT32 columns = quon::TruncateToInt32(m_header.columns);
    const INT32 rows = quon::TruncateToInt32(m_header.rows);
    // After FreeData the header stays but the points are gone: nothing to print.
    if (!m_allocated && VisitedEntries(columns, rows) > 0) return E_FAIL;

    quon::InPlacePrinter printer(buffer, capacity);
    const GridPointHeader& h = m_header;
    quon::Print<"%g, %g, %g, %g, %d, %d, %d, %d\n">(printer, h.columns, h.rows, h.headerReal2, h.headerReal3,
                                                    h.headerInt0, h.headerInt1, h.headerInt2, h.extraFlag);
    // A map without columns has no point line, however many rows it has.
    for (INT32 r = 0; r < rows && columns > 0 && printer.Fits(); ++r) {
        for (INT32 c = 0; c < columns && printer.Fits(); ++c) {
            GridPointRecord p{};
            GetPoint(static_cast<UINT32>(c), static_cast<UINT32>(r), &p);
            quon::Print<"%f, %f, %f, %f, %d, %d, %f, %f, %f, %f, %d\n">(printer, p.real0, p.real1, p.real2, p.real3,
                                                                        p.int0, p.int1, p.real4, p.real5, p.real6,
                                                                        p.real7, p.int2);
        }
    }
    if (m_header.extraFlag >= 1) {
        for (const double* e = m_extra; e != m_extra + GridPointExtraCount; e += 8) {
            quon::Print<"%lf, %lf, %lf, %lf, %lf, %lf, %lf, %lf\n">(printer, e[0], e[1], e[2], e[3], e[4], e[5], e[6],
                                                                    e[7]);
        }
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
