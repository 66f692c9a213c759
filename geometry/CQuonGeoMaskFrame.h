// CQuonGeoMaskFrame: a thin front for the frame object of the sibling module
// Lumid.dll. Loads Lumid.dll and QuonImageUtility.dll beside this module when
// it is created, creates the frame object on Open, passes it a frame size
// and reads frames from it. No text form.
#pragma once

#include <string>

#include "frame/CUnknown.h"
#include "frame/sibling_module.h"
#include "geometry/lumid_frame.h"
#include "quon/IQuonGeoMaskFrame.h"

class CQuonGeoMaskFrame : public CQuonObject<CQuonGeoMaskFrame, IQuonGeoMaskFrame, IID_IQuonGeoMaskFrame> {
public:
    explicit CQuonGeoMaskFrame(IUnknown* pUnkOuter);
    ~CQuonGeoMaskFrame() override;

    HRESULT STDMETHODCALLTYPE Open(UINT32 id, const char* name) override;
    HRESULT STDMETHODCALLTYPE SetFrameSize(const UINT32 size[2]) override;
    HRESULT STDMETHODCALLTYPE GetFrame(UINT64* sizeOut, UINT64 request, UINT32* stateOut) override;

private:
    quon::SiblingModule m_lumid;
    quon::SiblingModule m_imageUtility;  // loaded and held only
    UINT32 m_id = 0;
    std::string m_name;
    // The frame state followed by the frame size (width, height), in the
    // layout the frame object fills.
    UINT32 m_frameBlock[3] = {0, 0, 0};
    ILumidFrame* m_frame = nullptr;  // one reference held
};
