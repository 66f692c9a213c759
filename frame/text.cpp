#include "frame/text.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

HRESULT Split(std::string text, char delimiter, std::vector<std::string>& tokens) {
    quon::Pieces pieces(text, delimiter);
    std::string_view piece;
    while (pieces.Next(piece)) tokens.emplace_back(piece);
    return S_OK;
}

HRESULT CQuonCommonClass::SplitTrimmed(std::string text, char delimiter, std::vector<std::string>& tokens) {
    quon::TrimmedPieces pieces(text, delimiter);
    std::string_view piece;
    while (pieces.Next(piece)) tokens.emplace_back(piece);
    return S_OK;
}

namespace quon {

std::string_view TextViewUpToNul(const char* text, UINT32 length) {
    const std::string_view whole = TextView(text, length);
    return whole.substr(0, whole.find('\0'));
}

std::string_view TrimH(std::string_view piece) {
    const std::size_t last = piece.find_last_not_of('H');
    if (last == std::string_view::npos) return std::string_view();
    piece.remove_suffix(piece.size() - last - 1);
    piece.remove_prefix(piece.find_first_not_of('H'));
    return piece;
}

namespace {

INT32 Saturate32(long long value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<INT32>(value);
}

[[noreturn]] void ThrowInvalid(const char* name) { throw std::invalid_argument(std::string("invalid ") + name + " argument"); }

[[noreturn]] void ThrowRange(const char* name) { throw std::out_of_range(std::string(name) + " argument out of range"); }

// strtoll with the checks of the 32-bit integer conversions.
INT32 CheckedInteger32(const std::string& text, std::size_t* index, int base, const char* name) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, base);
    if (end == begin) ThrowInvalid(name);
    if (errno == ERANGE || value > INT32_MAX || value < INT32_MIN) ThrowRange(name);
    if (index != nullptr) *index = static_cast<std::size_t>(end - begin);
    return static_cast<INT32>(value);
}

}  // namespace

INT32 ValueLines::Int() { return Stoi(std::string(m_lines.NextOrEmpty())); }

INT32 ValueLines::Long() { return Stol(std::string(m_lines.NextOrEmpty())); }

float ValueLines::Float() { return Stof(std::string(m_lines.NextOrEmpty())); }

double ValueLines::Double() { return Stod(std::string(m_lines.NextOrEmpty())); }

INT32 Atoi(const char* text) { return Saturate32(std::strtoll(text, nullptr, 10)); }

INT32 Atol(const char* text) { return Saturate32(std::strtoll(text, nullptr, 10)); }

double Atof(const char* text) { return std::strtod(text, nullptr); }

int Stoi(const std::string& text, std::size_t* index, int base) { return CheckedInteger32(text, index, base, "stoi"); }

INT32 Stol(const std::string& text, std::size_t* index, int base) { return CheckedInteger32(text, index, base, "stol"); }

float Stof(const std::string& text, std::size_t* index) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(begin, &end);
    if (end == begin) ThrowInvalid("stof");
    if (errno == ERANGE) ThrowRange("stof");
    if (index != nullptr) *index = static_cast<std::size_t>(end - begin);
    return value;
}

double Stod(const std::string& text, std::size_t* index) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin) ThrowInvalid("stod");
    if (errno == ERANGE) ThrowRange("stod");
    if (index != nullptr) *index = static_cast<std::size_t>(end - begin);
    return value;
}

std::string TextOfLength(const char* text, UINT32 length) {
    if (text == nullptr || length == 0) return std::string();
    return std::string(text, length);
}

std::string TextUpToNul(const char* text, UINT32 length) {
    if (text == nullptr || length == 0) return std::string();
    const void* nul = std::memchr(text, '\0', length);
    const std::size_t size = nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : length;
    return std::string(text, size);
}

void AppendFormat(std::string& out, const char* format, ...) {
    char line[2048];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        return;
    }
    if (static_cast<std::size_t>(length) < sizeof line) {
        out.append(line, static_cast<std::size_t>(length));
    } else {
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(&out[start], static_cast<std::size_t>(length) + 1, format, again);
        out.resize(start + static_cast<std::size_t>(length));
    }
    va_end(again);
}

InPlacePrinter::InPlacePrinter(char* buffer, UINT32 capacity) : m_buffer(buffer), m_capacity(buffer ? capacity : 0) {
    if (m_capacity != 0) std::memset(m_buffer, 0, m_capacity);
}

void InPlacePrinter::Print(const char* format, ...) {
    if (!m_fits) return;
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length < 0) return;
    if (m_length + static_cast<std::size_t>(length) + 1 > m_capacity) {
        m_fits = false;
        return;
    }
    va_start(args, format);
    std::vsnprintf(m_buffer + m_length, m_capacity - m_length, format, args);
    va_end(args);
    m_length += static_cast<std::size_t>(length);
}

}  // namespace quon
