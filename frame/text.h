// Text and number conventions shared by every reader and writer.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "frame/diagnostics.h"
#include "frame/format.h"   // printing: Print, Append, TextBuffer, InPlacePrinter
#include "frame/numbers.h"  // reading: Atoi ... Stod, Scan
#include "quon/platform_types.h"

// Cuts text at every delimiter, like repeated std::getline: an empty text
// gives no field, two delimiters in a row give an empty field, a delimiter at
// the very end gives no empty last field. Nothing is trimmed. Appends to
// tokens; always S_OK.
HRESULT Split(std::string text, char delimiter, std::vector<std::string>& tokens);

class CQuonCommonClass {
public:
    virtual ~CQuonCommonClass() = default;

    // Cuts text like Split, strips every trailing then every leading 'H' from
    // each field and appends only the fields left non-empty. Always S_OK.
    HRESULT SplitTrimmed(std::string text, char delimiter, std::vector<std::string>& tokens);
};

namespace quon {

// ---- Cutting text without copying it ------------------------------------
//
// Readers work on a view of the caller's bytes and cut it with the cursors
// below, which give exactly the pieces Split and SplitTrimmed give, as views
// into the same bytes: no string per line or field, no list of all lines.

// The text a reader works on: exactly length bytes (NULs included). A null
// text reads as an empty one.
inline std::string_view TextView(const char* text, UINT32 length) {
    return text == nullptr ? std::string_view() : std::string_view(text, length);
}
// The text a reader works on when it stops at the first NUL within length.
std::string_view TextViewUpToNul(const char* text, UINT32 length);

// The pieces of a text cut at a delimiter, one at a time, as Split cuts
// them: an empty text has no piece, two delimiters in a row give an empty
// piece, a delimiter at the very end gives no empty last piece.
class Pieces {
public:
    Pieces(std::string_view text, char delimiter) : m_rest(text), m_delimiter(delimiter) {}

    // The next piece into piece; false (piece untouched) once the text is
    // used up.
    bool Next(std::string_view& piece) {
        if (m_rest.empty()) return false;
        const std::size_t end = Find();
        if (end == std::string_view::npos) {
            piece = m_rest;
            m_rest = std::string_view();
        } else {
            piece = m_rest.substr(0, end);
            m_rest.remove_prefix(end + 1);
        }
        return true;
    }
    bool AtEnd() const { return m_rest.empty(); }
    std::size_t BytesLeft() const { return m_rest.size(); }
    // Steps over the first n bytes of the rest (n <= BytesLeft()), which the
    // caller has cut itself.
    void Skip(std::size_t n) { m_rest.remove_prefix(n); }
    // The text not cut yet (empty once it is used up).
    std::string_view Rest() const { return m_rest; }

private:
    // Where the delimiter first stands in the rest, or npos. Most pieces are
    // short: their first 32 bytes are looked at here, eight at a time (a byte
    // equal to the delimiter becomes zero, and the lowest zero byte of a word
    // is the first one: the platforms are little-endian), and a longer rest
    // by memchr.
    std::size_t Find() const {
        static_assert(std::endian::native == std::endian::little);
        constexpr uint64_t kOnes = 0x0101010101010101u;
        constexpr uint64_t kHighs = 0x8080808080808080u;
        const char* p = m_rest.data();
        const std::size_t n = m_rest.size();
        const uint64_t pattern = kOnes * static_cast<unsigned char>(m_delimiter);
        std::size_t i = 0;
        for (; i + 8 <= n && i < 32; i += 8) {
            uint64_t word;
            std::memcpy(&word, p + i, 8);
            word ^= pattern;
            const uint64_t zeros = (word - kOnes) & ~word & kHighs;
            if (zeros != 0) return i + static_cast<std::size_t>(std::countr_zero(zeros) / 8);
        }
        if (i < 32) {
            for (; i < n; ++i)
                if (p[i] == m_delimiter) return i;
            return std::string_view::npos;
        }
        return m_rest.find(m_delimiter, i);
    }

    std::string_view m_rest;
    char m_delimiter;
};

// A piece as SplitTrimmed keeps it: every trailing, then every leading 'H'
// stripped; empty when nothing is left. Pieces that neither start nor end
// with 'H' (nearly all) are kept as they are without a call.
std::string_view TrimHFromEnds(std::string_view piece);
inline std::string_view TrimH(std::string_view piece) {
    if (!piece.empty() && piece.front() != 'H' && piece.back() != 'H') return piece;
    return TrimHFromEnds(piece);
}

// The pieces SplitTrimmed keeps, one at a time: cut as Pieces, 'H' stripped
// from both ends, pieces left empty skipped.
class TrimmedPieces {
public:
    TrimmedPieces(std::string_view text, char delimiter) : m_pieces(text, delimiter) {}

    bool Next(std::string_view& piece) {
        std::string_view raw;
        while (m_pieces.Next(raw)) {
            raw = TrimH(raw);
            if (!raw.empty()) {
                piece = raw;
                return true;
            }
        }
        return false;
    }

    // At most this many pieces are left: each needs a byte of its own and a
    // delimiter between it and the next.
    std::size_t MostLeft() const { return (m_pieces.BytesLeft() + 1) / 2; }
    std::string_view Rest() const { return m_pieces.Rest(); }
    void Skip(std::size_t n) { m_pieces.Skip(n); }

private:
    Pieces m_pieces;
};

// The first N pieces of a line cut as Split cuts it (with Cut =
// TrimmedPieces: the pieces SplitTrimmed keeps), by position; a piece the
// line does not have reads as empty. Count() is the number of pieces of the
// whole line (it may exceed N).
template <std::size_t N, class Cut = Pieces>
class Fields {
public:
    Fields(std::string_view line, char delimiter) {
        Cut pieces(line, delimiter);
        std::string_view piece;
        while (pieces.Next(piece)) {
            if (m_count < N) m_fields[m_count] = piece;
            ++m_count;
        }
    }
    std::size_t Count() const { return m_count; }
    std::string_view operator[](std::size_t i) const { return i < N && i < m_count ? m_fields[i] : std::string_view(); }

private:
    std::string_view m_fields[N];
    std::size_t m_count = 0;
};

// The lines of a one-record-per-line text cut at '\n' with the trimming
// splitter (so empty lines are dropped), handed out strictly by position.
class TrimmedLines {
public:
    explicit TrimmedLines(std::string_view text) : m_lines(text, '\n') { m_more = m_lines.Next(m_next); }

    bool Empty() const { return !m_more; }
    // The next line into line; false (line untouched) once the lines are
    // used up.
    bool Next(std::string_view& line) {
        if (!m_more) return false;
        line = m_next;
        m_more = m_lines.Next(m_next);
        return true;
    }
    // The next line, or an empty view once the lines are used up.
    std::string_view NextOrEmpty() {
        std::string_view line;
        Next(line);
        return line;
    }
    // The text from the next line on (empty once the lines are used up).
    std::string_view Rest() const {
        if (!m_more) return m_lines.Rest();
        const std::string_view after = m_lines.Rest();
        if (after.empty()) return m_next;
        return std::string_view(m_next.data(), static_cast<std::size_t>(after.data() + after.size() - m_next.data()));
    }

private:
    TrimmedPieces m_lines;
    std::string_view m_next;
    bool m_more = false;
};

// The lines of a one-value-per-line text, taken strictly by position: the
// text is exactly length bytes, cut as TrimmedLines cuts it. Each call
// converts the next line with a checking conversion; once the lines are used
// up, the next value reads as an empty line, so a short text fails like a
// line without a number (std::invalid_argument "invalid stoi argument", ...).
class ValueLines {
public:
    ValueLines(const char* text, UINT32 length) : m_lines(TextView(text, length), '\n') {}

    INT32 Int() {
        INT32 value;
        return PlainInteger<true>(value) ? value : Stoi(Next());
    }
    INT32 Long() { return Stol(Next()); }  // 32-bit
    float Float() {
        INT32 value;
        return PlainInteger<false>(value) ? static_cast<float>(value) : Stof(Next());
    }
    double Double() { return Stod(Next()); }

    // At most this many lines are left (a bound from the bytes left, so that
    // a reader can tell that a count is more than the text carries).
    std::size_t MostLinesLeft() const { return m_lines.MostLeft(); }
    // Where the next line starts (null once the lines are used up).
    const char* Position() const { return m_lines.Rest().data(); }
    // The text not read yet (empty once it is all read).
    std::string_view Rest() const { return m_lines.Rest(); }

private:
    // Most lines are integers as the writers print them. A line of an
    // optional '-' and one to nine digits, ended by '\n' (or, when the
    // decimals can be dropped, by a point and digits and then '\n'), is a
    // piece the trimming splitter keeps whole (it neither starts nor ends
    // with 'H'), whose value the conversions read exactly and always in
    // range: it is read here and stepped over. Anything else is left to the
    // conversions, and so is "-0" for Float (a negative zero).
    template <bool kDropDecimals>
    bool PlainInteger(INT32& value) {
        const std::string_view rest = m_lines.Rest();
        const char* p = rest.data();
        const char* end = p + rest.size();
        const bool negative = p != end && *p == '-';
        const char* q = negative ? p + 1 : p;
        const char* digits = q;
        auto digit = [&] { return q != end && static_cast<unsigned>(*q - '0') < 10; };
        uint32_t magnitude = 0;
        for (; digit() && q - digits < 9; ++q) magnitude = magnitude * 10 + static_cast<unsigned>(*q - '0');
        if (q == digits) return false;  // no digit; a tenth digit fails the end-of-line test below
        if constexpr (kDropDecimals) {
            if (q != end && *q == '.')
                for (++q; digit();) ++q;
        }
        if (q == end || *q != '\n') return false;
        if (negative && magnitude == 0 && !kDropDecimals) return false;  // Stof gives -0.0f
        m_lines.Skip(static_cast<std::size_t>(q + 1 - p));
        value = negative ? -static_cast<INT32>(magnitude) : static_cast<INT32>(magnitude);
        return true;
    }

    // The next line, or, once the lines are used up, an empty view at the
    // place that stands for the end of the text (where a conversion that
    // fails on it is placed).
    std::string_view Next() {
        std::string_view line;
        if (!m_lines.Next(line)) line = std::string_view(EndOfText(), 0);
        return line;
    }

    TrimmedPieces m_lines;
};

}  // namespace quon
