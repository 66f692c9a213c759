#include "frame/diagnostics.h"

#include <cstdio>

namespace quon {

namespace detail {

thread_local constinit ReadListener* t_listener = nullptr;
const char kEndOfText[1] = {};

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) text += part;
    return text;
}

}  // namespace detail

std::string Quoted(std::string_view piece) {
    constexpr std::size_t kShown = 40;
    std::string text = "'";
    for (std::size_t i = 0; i < piece.size() && i < kShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(piece[i]);
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\t') {
            text += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        } else {
            text += static_cast<char>(c);
        }
    }
    if (piece.size() > kShown) text += "...";
    return text + "'";
}

void ReportTextAfter(std::string_view rest, std::string_view what) {
    const std::size_t at = rest.find_first_not_of(" \t\r\n");
    if (at != std::string_view::npos) Report(rest.data() + at, "text after ", what, " is not read");
}

}  // namespace quon
