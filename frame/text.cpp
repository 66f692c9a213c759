#include "frame/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

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

INT32 ValueLines::Int() { return Stoi(m_lines.NextOrEmpty()); }

INT32 ValueLines::Long() { return Stol(m_lines.NextOrEmpty()); }

float ValueLines::Float() { return Stof(m_lines.NextOrEmpty()); }

double ValueLines::Double() { return Stod(m_lines.NextOrEmpty()); }

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

}  // namespace quon
