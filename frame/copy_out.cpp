#include "frame/copy_out.h"

#include <cstring>

namespace quon {

HRESULT CopyOut(std::string_view text, char* buffer, UINT32 capacity, UINT32* written, HRESULT status) {
    if (buffer == nullptr || written == nullptr) return E_POINTER;
    if (text.size() > capacity) return E_FAIL;
    if (!text.empty()) std::memcpy(buffer, text.data(), text.size());
    *written = static_cast<UINT32>(text.size());
    return status;
}

HRESULT CopyOutReportingLength(std::string_view text, char* buffer, UINT32 capacity, UINT32* written) {
    if (written == nullptr) return E_POINTER;
    *written = static_cast<UINT32>(text.size());
    if (text.size() > capacity) return E_FAIL;
    return CopyOut(text, buffer, capacity, written);
}

HRESULT CopyOutOfScratch(std::string_view text, char* buffer, INT32 capacity, UINT32* written,
                         std::size_t scratchSize) {
    if (buffer == nullptr) return E_FAIL;
    if (written == nullptr) return E_POINTER;
    if (text.size() >= scratchSize || capacity < 0) return E_FAIL;
    return CopyOut(text, buffer, static_cast<UINT32>(capacity), written);
}

HRESULT PutTerminatedText(std::string_view text, char* buffer, UINT32 capacity, UINT32* length, bool zeroFill) {
    if (length == nullptr) return E_POINTER;
    if (buffer == nullptr && capacity != 0) return E_POINTER;
    if (zeroFill && capacity != 0) std::memset(buffer, 0, capacity);
    if (text.empty()) {
        *length = 0;
        return S_OK;
    }
    *length = static_cast<UINT32>(text.size());
    if (text.size() + 1 > capacity) return E_FAIL;
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return S_OK;
}

}  // namespace quon
