#include "geometry/CQuonGeoMaskFrame.h"

#include <cstring>

CQuonGeoMaskFrame::CQuonGeoMaskFrame(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {
    // A sibling that does not load leaves its pair null; Open reports it.
    m_lumid = quon::LoadSiblingModule(L"Lumid.dll");
    m_imageUtility = quon::LoadSiblingModule(L"QuonImageUtility.dll");
}

CQuonGeoMaskFrame::~CQuonGeoMaskFrame() {
    if (m_frame != nullptr) m_frame->Release();
    m_frame = nullptr;
    m_name.clear();
    // The frame object's module goes last.
    quon::FreeSiblingModule(m_imageUtility);
    quon::FreeSiblingModule(m_lumid);
}

HRESULT CQuonGeoMaskFrame::Open(UINT32 id, const char* name) {
    if (name == nullptr) return E_POINTER;
    m_id = id;
    m_name = name;
    if (m_frame != nullptr) {
        m_frame->Release();
        m_frame = nullptr;
    }
    if (m_lumid.createInstance == nullptr) return E_HANDLE;

    // Only a frame object handed out with success is kept.
    ILumidFrame* frame = nullptr;
    const HRESULT hr = m_lumid.createInstance(CLSID_LumidFrame, IID_ILumidFrame, reinterpret_cast<void**>(&frame));
    if (SUCCEEDED(hr)) m_frame = frame;
    return hr;
}

HRESULT CQuonGeoMaskFrame::SetFrameSize(const UINT32 size[2]) {
    if (size == nullptr) return E_POINTER;
    if (m_frame == nullptr) return E_FAIL;
    m_frameBlock[1] = size[0];
    m_frameBlock[2] = size[1];
    const UINT32 description[LumidFrameDescriptionCount] = {0, size[0], size[1], 0, 0, 0, 0};
    return m_frame->SetDescription(description);
}

HRESULT CQuonGeoMaskFrame::GetFrame(UINT64* sizeOut, UINT64 request, UINT32* stateOut) {
    if (sizeOut == nullptr || stateOut == nullptr) return E_POINTER;
    if (m_frame == nullptr) return E_FAIL;
    // The frame object's answer is not used: the block it may have filled is.
    m_frame->ReadFrame(request, m_frameBlock, stateOut);
    std::memcpy(sizeOut, &m_frameBlock[1], sizeof *sizeOut);
    *stateOut = m_frameBlock[0];
    return S_OK;
}
