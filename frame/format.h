// Printing numbers and text with printf formats, byte for byte as the C
// library's snprintf prints them, but fast.
//
// The format is a template argument, parsed and checked against the argument
// types at compile time:
//
//     quon::Append<"%d,%g\n">(out, count, value);     // out: std::string or TextBuffer
//     quon::Print<"%g, %g\n">(printer, x, y);         // printer: InPlacePrinter
//
// Integers (%d %i %u %x %X, with the flags - + space 0 and a width) are
// printed with std::to_chars; so are finite doubles with %f %F %e %E %g %G and
// a precision (std::to_chars with a precision is specified to print as printf
// does in the C locale) while the current locale's decimal point is ".". %s
// and %c print their bytes. Anything else (non-finite values, '#', integer
// precisions, %o %a and the like, a null %s, another decimal point) is printed
// by snprintf with that single conversion, so it is the C library's output by
// construction.
#pragma once

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "frame/numbers.h"
#include "quon/platform_types.h"

namespace quon {

// A growing text buffer for writers that render their whole text and then
// copy it out. Printing reserves room for a whole line, writes through a
// pointer and commits what it wrote; nothing is zero-filled or copied twice.
class TextBuffer {
public:
    std::string_view View() const { return {m_data.get(), m_size}; }
    std::size_t Size() const { return m_size; }
    void Clear() { m_size = 0; }

    // A pointer to at least n writable bytes after the text.
    char* Reserve(std::size_t n) {
        if (m_capacity - m_size < n) Grow(n);
        return m_data.get() + m_size;
    }
    // The first n of the reserved bytes are now part of the text.
    void Commit(std::size_t n) { m_size += n; }

    void Append(std::string_view text) {
        if (text.empty()) return;
        std::memcpy(Reserve(text.size()), text.data(), text.size());
        Commit(text.size());
    }

private:
    void Grow(std::size_t n);

    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// Print-in-place: zero-fills the whole capacity, then prints line after line
// straight into the buffer. Never writes past capacity: a line that does not
// fit with its terminator is not printed, Fits() turns false and later lines
// are not printed either. The bytes after the text stay zero, so the text is
// always terminated.
class InPlacePrinter {
public:
    InPlacePrinter(char* buffer, UINT32 capacity);

    bool Fits() const { return m_fits; }
    UINT32 Length() const { return static_cast<UINT32>(m_length); }

    // For quon::Print: a pointer to the end of the text when n more bytes
    // (the line and its terminator) fit and no line has been refused yet;
    // otherwise null.
    char* Reserve(std::size_t n) { return m_fits && m_capacity - m_length >= n ? m_buffer + m_length : nullptr; }
    // The first n of the reserved bytes are now part of the text.
    void Commit(std::size_t n) { m_length += n; }
    // Appends a line printed elsewhere if it fits with its terminator;
    // otherwise prints nothing and Fits() turns false.
    void Put(std::string_view line);

private:
    char* m_buffer;
    std::size_t m_capacity;
    std::size_t m_length = 0;
    bool m_fits = true;
};

namespace format_detail {

enum class Length : unsigned char { None, Long, LongLong };

// One conversion of a printf format, as parsed at compile time.
struct Conversion {
    std::size_t begin = 0;  // its text "%...x" within the format, for snprintf
    std::size_t end = 0;
    bool left = false;  // flags - + space # 0
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zero = false;
    int width = 0;       // 0 when none
    int precision = -1;  // -1 when none
    Length length = Length::None;
    char type = 0;  // d i u x X c s f F e E g G a A
};

// A run of literal text, or a conversion with the index of its argument.
struct Piece {
    bool literal = true;
    std::size_t begin = 0;  // literal text within the format
    std::size_t end = 0;
    Conversion conversion;
    std::size_t arg = 0;
};

// Not constexpr: reaching it while a format is parsed at compile time stops
// the build with this function's name and the message in the diagnostic.
void UnsupportedPrintFormat(const char* why);

// Parses the format into out (when given) and returns the number of pieces.
constexpr std::size_t ParsePrint(const char* f, std::size_t n, Piece* out) {
    std::size_t count = 0;
    std::size_t args = 0;
    auto emit = [&](const Piece& piece) {
        if (out != nullptr) out[count] = piece;
        ++count;
    };
    auto in = [](char c, const char* set) {
        for (; *set != '\0'; ++set)
            if (*set == c) return true;
        return false;
    };
    std::size_t i = 0;
    while (i < n) {
        if (f[i] != '%') {
            Piece text;
            text.begin = i;
            while (i < n && f[i] != '%') ++i;
            text.end = i;
            emit(text);
            continue;
        }
        if (i + 1 < n && f[i + 1] == '%') {  // "%%" prints one '%'
            Piece percent;
            percent.begin = i + 1;
            percent.end = i + 2;
            emit(percent);
            i += 2;
            continue;
        }
        Conversion c;
        c.begin = i++;
        for (; i < n && in(f[i], "-+ #0"); ++i) {
            c.left = c.left || f[i] == '-';
            c.plus = c.plus || f[i] == '+';
            c.space = c.space || f[i] == ' ';
            c.alternate = c.alternate || f[i] == '#';
            c.zero = c.zero || f[i] == '0';
        }
        if (i < n && f[i] == '*') UnsupportedPrintFormat("'*' widths and precisions are not supported");
        for (; i < n && f[i] >= '0' && f[i] <= '9'; ++i) c.width = c.width * 10 + (f[i] - '0');
        if (i < n && f[i] == '.') {
            c.precision = 0;
            ++i;
            if (i < n && f[i] == '*') UnsupportedPrintFormat("'*' widths and precisions are not supported");
            for (; i < n && f[i] >= '0' && f[i] <= '9'; ++i) c.precision = c.precision * 10 + (f[i] - '0');
        }
        if (i + 1 < n && f[i] == 'l' && f[i + 1] == 'l') {
            c.length = Length::LongLong;
            i += 2;
        } else if (i < n && f[i] == 'l') {
            c.length = Length::Long;
            ++i;
        } else if (i < n && in(f[i], "hjztLqI")) {
            UnsupportedPrintFormat("length modifiers other than l and ll are not supported");
        }
        if (i == n || !in(f[i], "diuxXcsfFeEgGaA")) {
            UnsupportedPrintFormat("conversions other than d i u x X c s f F e E g G a A are not supported");
        }
        c.type = f[i++];
        const bool integer = in(c.type, "diuxX");
        if (c.length != Length::None && !integer && !(c.length == Length::Long && in(c.type, "fFeEgGaA"))) {
            UnsupportedPrintFormat("l and ll apply to integers (and l to floating conversions, where it changes nothing)");
        }
        c.end = i;
        Piece conversion;
        conversion.literal = false;
        conversion.conversion = c;
        conversion.arg = args++;
        emit(conversion);
    }
    return count;
}

template <FormatLiteral F>
struct Plan {
    static constexpr std::size_t count = ParsePrint(F.text, F.size(), nullptr);
    static constexpr std::array<Piece, count> pieces = [] {
        std::array<Piece, count> all{};
        ParsePrint(F.text, F.size(), all.data());
        return all;
    }();
    static constexpr std::size_t conversions = [] {
        std::size_t n = 0;
        for (const Piece& p : pieces) n += !p.literal;
        return n;
    }();
    // Whether the line prints a floating value (and so needs the locale).
    static constexpr bool hasFloating = [] {
        for (const Piece& p : pieces)
            if (!p.literal && std::string_view("fFeEgGaA").find(p.conversion.type) != std::string_view::npos) return true;
        return false;
    }();
};

// The single conversion of piece I as a NUL-terminated format, for snprintf.
template <FormatLiteral F, std::size_t I>
inline constexpr auto kSingle = [] {
    constexpr Conversion c = Plan<F>::pieces[I].conversion;
    std::array<char, c.end - c.begin + 1> text{};
    for (std::size_t i = c.begin; i < c.end; ++i) text[i - c.begin] = F.text[i];
    return text;
}();

// The value that printf takes for a conversion, after the default argument
// promotions: int, long or long long (signed or unsigned) for integers,
// double for floating conversions, const char* for %s. Other argument types
// do not compile.
template <Conversion C, class T>
auto Promote(const T& value) {
    using V = std::decay_t<T>;
    constexpr bool isUnsigned = C.type == 'u' || C.type == 'x' || C.type == 'X';
    if constexpr (std::is_enum_v<V>) {
        // An enumerator prints as its underlying integer, as through printf.
        return Promote<C>(static_cast<std::underlying_type_t<V>>(value));
    } else if constexpr (C.type == 's') {
        static_assert(std::is_same_v<V, const char*> || std::is_same_v<V, char*>, "%s takes a const char*");
        return static_cast<const char*>(value);
    } else if constexpr (C.type == 'c') {
        static_assert(std::is_integral_v<V> && sizeof(V) <= sizeof(int), "%c takes an int");
        return static_cast<int>(value);
    } else if constexpr (std::string_view("fFeEgGaA").find(C.type) != std::string_view::npos) {
        static_assert(std::is_same_v<V, double> || std::is_same_v<V, float>, "floating conversions take a double");
        return static_cast<double>(value);
    } else {
        static_assert(std::is_integral_v<V>, "integer conversions take an integer");
        if constexpr (C.length == Length::None) {
            static_assert(sizeof(V) <= sizeof(int), "%d %i %u %x %X take an int: use %ld or %lld for wider types");
            if constexpr (isUnsigned) {
                return static_cast<unsigned int>(value);
            } else {
                return static_cast<int>(value);
            }
        } else if constexpr (C.length == Length::Long) {
            static_assert(sizeof(V) <= sizeof(long), "%ld takes a long");
            if constexpr (isUnsigned) {
                return static_cast<unsigned long>(value);
            } else {
                return static_cast<long>(value);
            }
        } else {
            static_assert(sizeof(V) <= sizeof(long long), "%lld takes a long long");
            if constexpr (isUnsigned) {
                return static_cast<unsigned long long>(value);
            } else {
                return static_cast<long long>(value);
            }
        }
    }
}

// An upper bound of what a conversion prints, except for %s, whose bound is
// its length (see Bound). Floating values: sign, 309 integer digits, point,
// the precision and room for an exponent or a spelled-out non-finite value.
template <Conversion C>
constexpr std::size_t FixedBound() {
    const std::size_t width = static_cast<std::size_t>(C.width);
    const std::size_t precision = C.precision < 0 ? 6 : static_cast<std::size_t>(C.precision);
    std::size_t bound = 0;
    if (C.type == 'c') {
        bound = 1;
    } else if (C.type == 's') {
        bound = 0;
    } else if (std::string_view("diuxX").find(C.type) != std::string_view::npos) {
        bound = 24 + precision;  // 20 digits, sign, "0x"
    } else {
        bound = 1 + 309 + 1 + precision + 16;
    }
    return bound > width ? bound : width;
}

// Lays out a sign (0 for none) and a body in the conversion's width as printf
// does: right-aligned with spaces, left-aligned with '-', or with zeros
// between sign and body with '0'.
template <Conversion C>
char* Pad(char* out, char sign, const char* body, std::size_t size) {
    constexpr std::size_t width = static_cast<std::size_t>(C.width);
    const std::size_t used = size + (sign != 0);
    const std::size_t fill = width > used ? width - used : 0;
    if (!C.left && !C.zero && fill != 0) {
        std::memset(out, ' ', fill);
        out += fill;
    }
    if (sign != 0) *out++ = sign;
    if (!C.left && C.zero && fill != 0) {
        std::memset(out, '0', fill);
        out += fill;
    }
    std::memcpy(out, body, size);
    out += size;
    if (C.left && fill != 0) {
        std::memset(out, ' ', fill);
        out += fill;
    }
    return out;
}

template <Conversion C>
char SignOf(bool negative) {
    if (negative) return '-';
    if (C.plus) return '+';
    if (C.space) return ' ';
    return 0;
}

// Prints one conversion at out (with at least FixedBound or the string's
// bound, plus one, bytes of room) and returns the end.
template <FormatLiteral F, std::size_t I, class V>
char* Convert(char* out, char* limit, V value, bool dot) {
    constexpr Conversion C = Plan<F>::pieces[I].conversion;
    if constexpr (std::is_integral_v<V> && C.type != 'c') {
        if constexpr (C.precision < 0 && !C.alternate) {
            using U = std::make_unsigned_t<V>;
            const bool negative = value < 0;
            const U magnitude = negative ? static_cast<U>(0 - static_cast<U>(value)) : static_cast<U>(value);
            char digits[24];
            char* end = std::to_chars(digits, digits + sizeof digits, magnitude, C.type == 'x' || C.type == 'X' ? 16 : 10).ptr;
            if constexpr (C.type == 'X') {
                for (char* d = digits; d != end; ++d)
                    if (*d >= 'a') *d = static_cast<char>(*d - 'a' + 'A');
            }
            return Pad<C>(out, std::is_signed_v<V> ? SignOf<C>(negative) : 0, digits, static_cast<std::size_t>(end - digits));
        }
    } else if constexpr (std::is_same_v<V, double>) {
        constexpr bool fixed = C.type == 'f' || C.type == 'F';
        constexpr bool scientific = C.type == 'e' || C.type == 'E';
        constexpr bool general = C.type == 'g' || C.type == 'G';
        if constexpr (!C.alternate && (fixed || scientific || general)) {
            if (dot && std::isfinite(value)) {
                constexpr int precision = C.precision < 0 ? 6 : (general && C.precision == 0 ? 1 : C.precision);
                constexpr auto format = fixed ? std::chars_format::fixed
                                              : (scientific ? std::chars_format::scientific : std::chars_format::general);
                char text[FixedBound<C>() + 1];
                char* end = std::to_chars(text, text + sizeof text, value, format, precision).ptr;
                if constexpr (C.type == 'E' || C.type == 'G') {
                    for (char* d = text; d != end; ++d)
                        if (*d == 'e') *d = 'E';
                }
                const bool negative = text[0] == '-';
                const char* body = negative ? text + 1 : text;
                return Pad<C>(out, SignOf<C>(negative), body, static_cast<std::size_t>(end - body));
            }
        }
    } else if constexpr (C.type == 's') {
        if constexpr (C.width == 0 && C.precision < 0) {
            if (value != nullptr) {
                const std::size_t size = std::strlen(value);
                std::memcpy(out, value, size);
                return out + size;
            }
        }
    } else if constexpr (C.type == 'c') {
        if constexpr (C.width == 0) {
            *out = static_cast<char>(static_cast<unsigned char>(value));
            return out + 1;
        }
    }
    // Everything else: the C library prints this conversion alone. The bound
    // leaves room for all it can print and its terminator.
    const int printed = std::snprintf(out, static_cast<std::size_t>(limit - out), kSingle<F, I>.data(), value);
    return printed > 0 ? out + printed : out;
}

template <FormatLiteral F, std::size_t I, class Tuple>
char* PrintPiece(char* out, char* limit, const Tuple& args, bool dot) {
    constexpr Piece piece = Plan<F>::pieces[I];
    if constexpr (piece.literal) {
        std::memcpy(out, F.text + piece.begin, piece.end - piece.begin);
        return out + (piece.end - piece.begin);
    } else {
        return Convert<F, I>(out, limit, Promote<piece.conversion>(std::get<piece.arg>(args)), dot);
    }
}

// The length of a %s argument as the bound of what it prints: its bytes, or
// "(null)" for a null pointer, at least its width.
template <Conversion C, class T>
std::size_t StringBound(const T& value) {
    if constexpr (C.type == 's') {
        const char* text = value;
        std::size_t size = 6;
        if (text != nullptr) {
            size = C.precision < 0 ? std::strlen(text) : static_cast<std::size_t>(C.precision);
            if (size < 6) size = 6;
        }
        return size > static_cast<std::size_t>(C.width) ? size : static_cast<std::size_t>(C.width);
    } else {
        return 0;
    }
}

template <FormatLiteral F, std::size_t... I>
constexpr std::size_t FixedPart(std::index_sequence<I...>) {
    return ((Plan<F>::pieces[I].literal ? Plan<F>::pieces[I].end - Plan<F>::pieces[I].begin
                                        : FixedBound<Plan<F>::pieces[I].conversion>()) +
            ... + 0);
}

// An upper bound of the bytes a line prints (without the terminator).
template <FormatLiteral F, class Tuple, std::size_t... I>
std::size_t Bound(const Tuple& args, std::index_sequence<I...> pieces) {
    constexpr std::size_t fixed = FixedPart<F>(pieces);
    if constexpr (((!Plan<F>::pieces[I].literal && Plan<F>::pieces[I].conversion.type == 's') || ...)) {
        return fixed + (StringBound<Plan<F>::pieces[I].conversion>(std::get<Plan<F>::pieces[I].arg>(args)) + ... + 0);
    } else {
        return fixed;
    }
}

template <FormatLiteral F, class... A>
constexpr bool Checked() {
    static_assert(Plan<F>::conversions == sizeof...(A), "one argument per conversion");
    return true;
}

// Renders a whole line at out; room up to limit is at least Bound + 1.
template <FormatLiteral F, class Tuple, std::size_t... I>
char* Render(char* out, [[maybe_unused]] char* limit, [[maybe_unused]] const Tuple& args, std::index_sequence<I...>) {
    [[maybe_unused]] const bool dot = !Plan<F>::hasFloating || DecimalPointIsDot();
    ((out = PrintPiece<F, I>(out, limit, args, dot)), ...);
    return out;
}

// Lines whose bound is at most this many bytes are rendered on the stack.
inline constexpr std::size_t kScratch = 2048;

}  // namespace format_detail

// Appends one printf-formatted line to a growing text.
template <FormatLiteral F, class... A>
void Print(TextBuffer& out, const A&... values) {
    using namespace format_detail;
    static_assert(Checked<F, A...>());
    const auto args = std::forward_as_tuple(values...);
    constexpr auto pieces = std::make_index_sequence<Plan<F>::count>{};
    const std::size_t bound = Bound<F>(args, pieces) + 1;
    char* start = out.Reserve(bound);
    out.Commit(static_cast<std::size_t>(Render<F>(start, start + bound, args, pieces) - start));
}

template <FormatLiteral F, class... A>
void Print(std::string& out, const A&... values) {
    using namespace format_detail;
    static_assert(Checked<F, A...>());
    const auto args = std::forward_as_tuple(values...);
    constexpr auto pieces = std::make_index_sequence<Plan<F>::count>{};
    const std::size_t bound = Bound<F>(args, pieces) + 1;
    if (bound <= kScratch) {
        char line[kScratch];
        out.append(line, static_cast<std::size_t>(Render<F>(line, line + bound, args, pieces) - line));
    } else {
        const std::size_t start = out.size();
        out.resize(start + bound);
        char* begin = out.data() + start;
        out.resize(start + static_cast<std::size_t>(Render<F>(begin, begin + bound, args, pieces) - begin));
    }
}

// Prints one line in place: straight into the caller's buffer when the bound
// fits, otherwise on the side, keeping it only when it fits with its
// terminator.
template <FormatLiteral F, class... A>
void Print(InPlacePrinter& out, const A&... values) {
    using namespace format_detail;
    static_assert(Checked<F, A...>());
    if (!out.Fits()) return;
    const auto args = std::forward_as_tuple(values...);
    constexpr auto pieces = std::make_index_sequence<Plan<F>::count>{};
    const std::size_t bound = Bound<F>(args, pieces) + 1;
    if (char* start = out.Reserve(bound)) {
        out.Commit(static_cast<std::size_t>(Render<F>(start, start + bound, args, pieces) - start));
    } else if (bound <= kScratch) {
        char line[kScratch];
        out.Put(std::string_view(line, static_cast<std::size_t>(Render<F>(line, line + bound, args, pieces) - line)));
    } else {
        std::string line(bound, '\0');
        line.resize(static_cast<std::size_t>(Render<F>(line.data(), line.data() + bound, args, pieces) - line.data()));
        out.Put(line);
    }
}

// Append is Print for the growing texts (a std::string or a TextBuffer).
template <FormatLiteral F, class... A>
void Append(std::string& out, const A&... values) {
    Print<F>(out, values...);
}

template <FormatLiteral F, class... A>
void Append(TextBuffer& out, const A&... values) {
    Print<F>(out, values...);
}

}  // namespace quon
