// A table of zeroed records that holds memory only where it was written.
//
// The table has a fixed number of entries, all zero until written, and keeps
// them in pages of kPage entries made on the first write into them. A page
// never written costs one null pointer: reading it gives zero records and a
// walk over the table steps over it. Tables that a model object sizes for a
// whole pattern but fills only in part (each camera sees a band of the
// pattern) then cost what was written, not what was announced.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace quon {

template <class T, std::size_t kPage = 64>
class PagedTable {
public:
    explicit PagedTable(std::size_t size) : m_size(size), m_pages((size + kPage - 1) / kPage) {}

    std::size_t size() const { return m_size; }

    // Entry i (i < size()) as stored, or a zero record when never written.
    T Get(std::size_t i) const {
        const T* page = m_pages[i / kPage].get();
        return page != nullptr ? page[i % kPage] : T{};
    }

    // Entry i (i < size()) for writing; makes its page (zeroed) when needed.
    // Throws std::bad_alloc when the memory is exhausted.
    T& At(std::size_t i) {
        std::unique_ptr<T[]>& page = m_pages[i / kPage];
        if (page == nullptr) page = std::make_unique<T[]>(kPage);
        return page[i % kPage];
    }

    // Calls visit(i, entry) for every entry of the written pages in index
    // order: the entries a walk must look at (the rest are zero).
    template <class Visit>
    void ForEachWritten(Visit&& visit) const {
        for (std::size_t p = 0; p < m_pages.size(); ++p) {
            const T* page = m_pages[p].get();
            if (page == nullptr) continue;
            const std::size_t first = p * kPage;
            const std::size_t count = m_size - first < kPage ? m_size - first : kPage;
            for (std::size_t k = 0; k < count; ++k) visit(first + k, page[k]);
        }
    }

private:
    std::size_t m_size = 0;
    std::vector<std::unique_ptr<T[]>> m_pages;
};

}  // namespace quon
