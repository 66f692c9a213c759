#include "frame/text.h"

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

std::string_view TrimHFromEnds(std::string_view piece) {
    const std::size_t last = piece.find_last_not_of('H');
    if (last == std::string_view::npos) return std::string_view();
    piece.remove_suffix(piece.size() - last - 1);
    piece.remove_prefix(piece.find_first_not_of('H'));
    return piece;
}

}  // namespace quon
