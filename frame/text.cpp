#include "frame/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

HRESULT Split(std::string text, char delimiter, std::vector<std::string>& tokens) {
    // The fields std::getline would extract one after the other: a field
    // ends at each delimiter, and extraction stops once the text is used up.
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(delimiter, start);
        if (end == std::string::npos) {
            tokens.emplace_back(text, start);
            break;
        }
        tokens.emplace_back(text, start, end - start);
        start = end + 1;
    }
    return S_OK;
}

HRESULT CQuonCommonClass::SplitTrimmed(std::string text, char delimiter, std::vector<std::string>& tokens) {
    std::vector<std::string> fields;
    Split(std::move(text), delimiter, fields);
    for (std::string& field : fields) {
        const std::size_t last = field.find_last_not_of('H');
        if (last == std::string::npos) continue;
        field.erase(last + 1);
        field.erase(0, field.find_first_not_of('H'));
        tokens.push_back(std::move(field));
    }
    return S_OK;
}

namespace quon {

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

HRESULT CopyOut(std::string_view text, char* buffer, UINT32 capacity, UINT32* written, HRESULT status) {
    if (buffer == nullptr || written == nullptr) return E_POINTER;
    if (text.size() > capacity) return E_FAIL;
    if (!text.empty()) std::memcpy(buffer, text.data(), text.size());
    *written = static_cast<UINT32>(text.size());
    return status;
}

}  // namespace quon
