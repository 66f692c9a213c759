// The named, lock-guarded record list that the marker info and the LED
// marker info share: slots 3-10 of both interfaces, with the record, its
// text line and its line reader supplied by the class.
#pragma once

#include <string>
#include <string_view>

#include "calib/record_list.h"
#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/CTolvLock.h"
#include "frame/CUnknown.h"
#include "frame/label.h"
#include "frame/text.h"

// Derived supplies, for its Record:
//   static constexpr std::size_t kPieces;   pieces of a line it reads
//   static Record Parse(const quon::Fields<kPieces, quon::TrimmedPieces>& pieces);
//   static void Print(quon::TextBuffer& out, const Record& record);   one line
template <class Derived, class Interface, const IID& InterfaceId, class Record>
class CQuonMarkerList : public CQuonObject<Derived, Interface, InterfaceId> {
public:
    explicit CQuonMarkerList(IUnknown* pUnkOuter) : CQuonObject<Derived, Interface, InterfaceId>(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE SetName(const char* name) override {
        if (name == nullptr) return E_POINTER;
        m_name = name;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetName(char** name) override {
        if (name == nullptr || *name == nullptr) return E_POINTER;
        quon::CopyName(m_name, *name);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE AddRecord(const Record* record) override {
        if (record == nullptr) return E_POINTER;
        CTolvAutoLock hold(&m_lock);
        return m_records.Append(*record);
    }

    HRESULT STDMETHODCALLTYPE GetRecordCount(UINT32* count) override {
        if (count == nullptr) return E_POINTER;
        CTolvAutoLock hold(&m_lock);
        *count = m_records.Count();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetRecord(UINT32 index, Record* record) override {
        if (record == nullptr) return E_POINTER;
        CTolvAutoLock hold(&m_lock);
        return m_records.Get(index, record);
    }

    // Appends each line of exactly Derived::kPieces non-empty pieces through
    // AddRecord (one lock per record); other lines are skipped. Returns the
    // result of the last append, S_OK when none was made.
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override {
        if (text == nullptr && length != 0) return E_POINTER;
        quon::TrimmedLines lines(quon::TextView(text, length));
        std::string_view line;
        HRESULT hr = S_OK;
        while (lines.Next(line)) {
            const quon::Fields<Derived::kPieces, quon::TrimmedPieces> pieces(line, ',');
            if (pieces.Count() != Derived::kPieces) {
                quon::Report(line.data(), quon::Quoted(line), " has ", pieces.Count(), " fields, not ",
                             Derived::kPieces, ": line skipped");
                continue;
            }
            const Record record = Derived::Parse(pieces);
            hr = AddRecord(&record);
        }
        return hr;
    }

    // One line per record from the start of buffer, followed by a NUL; takes
    // no lock. Too small a buffer: E_FAIL with *length set to the text length.
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override {
        quon::TextBuffer out;
        for (const Record& record : m_records) Derived::Print(out, record);
        return quon::PutTerminatedText(out.View(), buffer, capacity, length, false);
    }

    // Releases the storage; takes no lock.
    HRESULT STDMETHODCALLTYPE FreeData() override {
        m_records.Free();
        return S_OK;
    }

    // Storage size of the list (not part of the interface; no lock).
    UINT32 RecordCapacity() const { return m_records.Capacity(); }

private:
    std::string m_name;
    CTolvLock m_lock;
    quon::calib::GrowableList<Record> m_records;
};
