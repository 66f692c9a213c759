// CQuonGeoUniformityFlexible: a host label, a mode, a four-real header whose
// last two values give the grid size, and the grid of 12-byte uniformity
// records, stored and handed out unchanged. No text form.
#pragma once

#include <string>
#include <vector>

#include "frame/CUnknown.h"
#include "quon/IQuonGeoUniformityFlexible.h"

class CQuonGeoUniformityFlexible
    : public CQuonObject<CQuonGeoUniformityFlexible, IQuonGeoUniformityFlexible, IID_IQuonGeoUniformityFlexible> {
public:
    explicit CQuonGeoUniformityFlexible(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize(UINT32 id, const char* name) override;
    HRESULT STDMETHODCALLTYPE SetData(const double header[4], const void* records) override;
    HRESULT STDMETHODCALLTYPE SetMode(UINT32 mode) override;
    HRESULT STDMETHODCALLTYPE GetData(double header[4], const void** records) override;
    HRESULT STDMETHODCALLTYPE Reserved() override;

    // Label and mode (not part of the interface, which has no getters for them).
    UINT32 Id() const { return m_id; }
    const std::string& Name() const { return m_name; }
    UINT32 Mode() const { return m_mode; }
    std::size_t RecordBytes() const { return m_records.size(); }

    // Records of the default 31 x 20 grid that Initialize allocates.
    static constexpr UINT32 DefaultRecordCount = 31 * 20;

private:
    UINT32 m_id = 0;
    std::string m_name;
    UINT32 m_mode = 0;
    double m_header[4] = {0.0, 0.0, 31.0, 20.0};
    std::vector<unsigned char> m_records;  // empty: no records held
};
