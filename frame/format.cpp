#include "frame/format.h"


namespace quon {

void TextBuffer::Grow(std::size_t n) {
    // Doubles the capacity (at least 256 bytes) so that appending line after
    // line costs amortised constant time.
    std::size_t capacity = m_capacity < 128 ? 256 : m_capacity * 2;
    if (capacity - m_size < n) capacity = m_size + n;
    std::unique_ptr<char[]> data = std::make_unique_for_overwrite<char[]>(capacity);
    if (m_size != 0) std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}

InPlacePrinter::InPlacePrinter(char* buffer, UINT32 capacity) : m_buffer(buffer), m_capacity(buffer ? capacity : 0) {
    if (m_capacity != 0) std::memset(m_buffer, 0, m_capacity);
}

void InPlacePrinter::Put(std::string_view line) {
    if (!m_fits) return;
    if (m_capacity - m_length < line.size() + 1) {
        m_fits = false;
        return;
    }
    std::memcpy(m_buffer + m_length, line.data(), line.size());
    m_length += line.size();
}

}  // namespace quon
