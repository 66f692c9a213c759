// CQuonCAInitInfo: the start data of the camera auto-calibration (pattern
// grid, camera bands, measured points and colours per camera, tuning
// parameters, reference colours) and its one-value-per-line text.
#pragma once

#include <string>
#include <vector>

#include "calib/camera_bands.h"
#include "frame/CUnknown.h"
#include "frame/paged_table.h"
#include "frame/text.h"
#include "quon/IQuonCAInitInfo.h"

class CQuonCAInitInfo : public CQuonObject<CQuonCAInitInfo, IQuonCAInitInfo, IID_IQuonCAInitInfo> {
public:
    explicit CQuonCAInitInfo(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize(UINT32 id1, UINT32 id2, const char* name) override;
    HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id1, UINT32* id2, char** name) override;
    HRESULT STDMETHODCALLTYPE SetPatternGrid(INT32 rows, INT32 columns, UINT32 patternCode) override;
    HRESULT STDMETHODCALLTYPE GetPatternGrid(UINT32* rows, UINT32* columns, UINT32* patternCode) override;
    HRESULT STDMETHODCALLTYPE SetCameraGrid(INT32 rows, INT32 columns, UINT32 mode) override;
    HRESULT STDMETHODCALLTYPE GetCameraGrid(UINT32* rows, UINT32* columns, UINT32* mode) override;
    HRESULT STDMETHODCALLTYPE SetCameraRegion(UINT32 row, UINT32 column, const CameraRegion* region) override;
    HRESULT STDMETHODCALLTYPE GetCameraRegion(UINT32 row, UINT32 column, CameraRegion* region) override;
    HRESULT STDMETHODCALLTYPE SetPointRecord(INT32 camera, UINT32 row, UINT32 column,
                                             const PointRecord* record) override;
    HRESULT STDMETHODCALLTYPE GetPointRecord(INT32 camera, UINT32 row, UINT32 column, PointRecord* record) override;
    HRESULT STDMETHODCALLTYPE SetPointColour(INT32 camera, UINT32 row, UINT32 column, const UINT32* colour) override;
    HRESULT STDMETHODCALLTYPE GetPointColour(INT32 camera, UINT32 row, UINT32 column, UINT32* colour) override;
    HRESULT STDMETHODCALLTYPE SetRealPair(double value1, double value2) override;
    HRESULT STDMETHODCALLTYPE GetRealPair(double* value1, double* value2) override;
    HRESULT STDMETHODCALLTYPE SetAuxValue1(UINT32 value) override;
    HRESULT STDMETHODCALLTYPE GetAuxValue1(UINT32* value) override;
    HRESULT STDMETHODCALLTYPE SetUseCustomColours(UINT32 value) override;
    HRESULT STDMETHODCALLTYPE GetUseCustomColours(UINT32* value) override;
    HRESULT STDMETHODCALLTYPE SetAuxValue2(UINT32 value) override;
    HRESULT STDMETHODCALLTYPE GetAuxValue2(UINT32* value) override;
    HRESULT STDMETHODCALLTYPE SetCustomColours(const ColourSet* set) override;
    HRESULT STDMETHODCALLTYPE GetCustomColours(ColourSet* set) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    // Per camera, one entry per pattern point (zero until written, memory
    // only for the pages written: a camera sees a band of the pattern); an
    // empty outer table means the tables are absent.
    template <class T>
    using CameraTables = std::vector<quon::PagedTable<T>>;

    // Makes tables of patternPointCount zero entries for each camera when
    // they are absent. E_INVALIDARG when the counts are negative or the
    // tables would exceed the size bound.
    template <class T>
    HRESULT EnsureTables(CameraTables<T>& tables) const;
    // Index of entry (row, column) in a camera's table, or -1 outside it.
    template <class T>
    int64_t EntryIndex(const CameraTables<T>& tables, INT32 camera, UINT32 row, UINT32 column) const;
    // The point and colour slots: checks (E_POINTER, E_FAIL, E_INVALIDARG),
    // then the copy in or out.
    template <class T>
    HRESULT Store(CameraTables<T>& tables, INT32 camera, UINT32 row, UINT32 column, const T* value);
    template <class T>
    HRESULT Load(const CameraTables<T>& tables, INT32 camera, UINT32 row, UINT32 column, T* value) const;

    void WritePointBlocks(quon::TextBuffer& out) const;
    void ReadPointBlocks(quon::ValueLines& lines);

    UINT32 m_id1 = 0;
    UINT32 m_id2 = 0;
    std::string m_name;
    quon::calib::CameraBandModel m_band;
    CameraTables<PointRecord> m_points;
    CameraTables<UINT32> m_colours;
    double m_realValue1 = 0.0;
    double m_realValue2 = 0.0;
    UINT32 m_auxValue1 = 0;
    UINT32 m_useCustomColours = 0;
    UINT32 m_auxValue2 = 0;
    ColourSet m_customColours{};
    quon::calib::CalibTuning m_tuning;
    // In the order of the text: white, red, green, blue, cyan, magenta, yellow.
    ColourTriple m_defaultColours[7]{};
    INT32 m_tuning8 = 0;
    INT32 m_tuning9 = 0;
    INT32 m_tuning10 = 0;
};
