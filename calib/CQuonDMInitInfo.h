// CQuonDMInitInfo: the settings of the mark-detection stage: eighteen
// detection parameters (a key=value text), two area lists (one text each)
// and a list of three-value records. The three lists are guarded by the
// object's own lock.
#pragma once

#include <string>

#include "calib/record_list.h"
#include "frame/CTolvLock.h"
#include "frame/CUnknown.h"
#include "quon/IQuonDMInitInfo.h"

class CQuonDMInitInfo : public CQuonObject<CQuonDMInitInfo, IQuonDMInitInfo, IID_IQuonDMInitInfo> {
public:
    explicit CQuonDMInitInfo(IUnknown* pUnkOuter);

    HRESULT STDMETHODCALLTYPE SetIdentity(UINT32 id, const char* name) override;
    HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id, char* name) override;
    HRESULT STDMETHODCALLTYPE SetParameters(const DetectMarkParams* params) override;
    HRESULT STDMETHODCALLTYPE GetParameters(DetectMarkParams* params) override;
    HRESULT STDMETHODCALLTYPE AddFirstArea(const AreaRecord* area) override;
    HRESULT STDMETHODCALLTYPE GetFirstAreaCount(UINT32* count) override;
    HRESULT STDMETHODCALLTYPE GetFirstArea(UINT32 index, AreaRecord* area) override;
    HRESULT STDMETHODCALLTYPE AddSecondArea(const AreaRecord* area) override;
    HRESULT STDMETHODCALLTYPE GetSecondAreaCount(UINT32* count) override;
    HRESULT STDMETHODCALLTYPE GetSecondArea(UINT32 index, AreaRecord* area) override;
    HRESULT STDMETHODCALLTYPE AddTriple(const TripleRecord* triple) override;
    HRESULT STDMETHODCALLTYPE GetTripleCount(UINT32* count) override;
    HRESULT STDMETHODCALLTYPE GetTriple(UINT32 index, TripleRecord* triple) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE LoadFirstAreasFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveFirstAreasToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE LoadSecondAreasFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveSecondAreasToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

    // Storage sizes of the lists (not part of the interface; no lock).
    UINT32 FirstAreaCapacity() const { return m_firstAreas.Capacity(); }
    UINT32 SecondAreaCapacity() const { return m_secondAreas.Capacity(); }
    UINT32 TripleCapacity() const { return m_triples.Capacity(); }

private:
    using AreaList = quon::calib::GrowableList<AreaRecord>;

    template <class T>
    HRESULT Append(quon::calib::GrowableList<T>& list, const T* record);
    template <class T>
    HRESULT Count(const quon::calib::GrowableList<T>& list, UINT32* count);
    template <class T>
    HRESULT Get(const quon::calib::GrowableList<T>& list, UINT32 index, T* record);

    // Area text: one "%d,%d,%d,%d" line per area. The reader appends each
    // line of exactly four pieces through add (which takes the lock).
    HRESULT LoadAreas(const char* text, UINT32 length, HRESULT (CQuonDMInitInfo::*add)(const AreaRecord*));
    static HRESULT SaveAreas(const AreaList& list, char* buffer, UINT32 capacity, UINT32* length);

    UINT32 m_id = 0;
    std::string m_name;
    DetectMarkParams m_params;
    CTolvLock m_lock;
    AreaList m_firstAreas;
    AreaList m_secondAreas;
    quon::calib::GrowableList<TripleRecord> m_triples;
};
