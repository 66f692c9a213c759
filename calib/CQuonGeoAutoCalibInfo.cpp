#include "calib/CQuonGeoAutoCalibInfo.h"

#include <cstring>

#include "formats/json_rules.h"
#include "frame/label.h"
#include "frame/sizes.h"

using quon::json::Member;
using quon::json::Value;

namespace {

// The four margins: "bottom", "left", "right", "top" (the written order).
template <class R>
void ReadMargins(const Value& item, R& r) {
    if (const Value* margin = quon::json::Existing(item, "margin")) {
        r.marginBottom = Member(*margin, "bottom").GetInt();
        r.marginLeft = Member(*margin, "left").GetInt();
        r.marginRight = Member(*margin, "right").GetInt();
        r.marginTop = Member(*margin, "top").GetInt();
    }
}

// An optional {"x", "y"} pair of numbers.
void ReadPair(const Value& item, const char* key, double& x, double& y) {
    if (const Value* pair = quon::json::Existing(item, key)) {
        x = Member(*pair, "x").GetDouble();
        y = Member(*pair, "y").GetDouble();
    }
}

template <class R>
void ReadCommon(const Value& item, R& r) {
    r.id = Member(item, "id").GetInt();
    r.isMove = Member(item, "is_move").GetBool() ? 1 : 0;
    ReadPair(item, "center_deviation", r.centerDeviationX, r.centerDeviationY);
}

void Read(const Value& item, CameraResult& r) {
    ReadCommon(item, r);
    ReadMargins(item, r);
}

void Read(const Value& item, ProjectorResult& r) {
    ReadCommon(item, r);
    ReadPair(item, "max_deviation", r.maxDeviationX, r.maxDeviationY);
    ReadMargins(item, r);
}

// "camera" or "projector": the member must exist; an array replaces the table
// by one zeroed record per element (within the table limit), anything else
// leaves the table alone.
template <class R>
void ReadTable(const Value& root, const char* key, std::vector<R>& table) {
    const Value& items = Member(root, key);
    if (!items.IsArray()) return;
    quon::ZeroedArray<R>(items.Size()).swap(table);
    for (rapidjson::SizeType i = 0; i < items.Size(); ++i) Read(items[i], table[i]);
}

void AddPair(quon::json::Builder& doc, Value& item, const char* key, double x, double y) {
    Value& pair = doc.AddObject(item, key);
    doc.AddDouble(pair, "x", x);
    doc.AddDouble(pair, "y", y);
}

template <class R>
void AddTail(quon::json::Builder& doc, Value& item, const R& r) {
    doc.AddInt(item, "id", r.id);
    doc.AddBool(item, "is_move", r.isMove != 0);
    Value& margin = doc.AddObject(item, "margin");
    doc.AddInt(margin, "bottom", r.marginBottom);
    doc.AddInt(margin, "left", r.marginLeft);
    doc.AddInt(margin, "right", r.marginRight);
    doc.AddInt(margin, "top", r.marginTop);
}

}  // namespace

HRESULT CQuonGeoAutoCalibInfo::SetLabel(const char* label) {
    if (label == nullptr) return E_POINTER;
    m_label = label;
    if (m_label.find("init") != std::string::npos) m_initFlag = 1;
    return S_OK;
}

HRESULT CQuonGeoAutoCalibInfo::GetLabel(char* buffer) {
    if (buffer == nullptr) return E_POINTER;
    quon::CopyName(m_label, buffer);
    return S_OK;
}

HRESULT CQuonGeoAutoCalibInfo::SetHeader(const AutoCalibHeader* header) {
    if (header == nullptr) return E_POINTER;
    if (header->cameraCount < 0 || header->projectorCount < 0) return E_INVALIDARG;
    // Both tables are made before anything changes; an absurd count ends in
    // the allocation failure exception with the object as it was.
    auto cameras = quon::ZeroedArray<CameraResult>(static_cast<uint64_t>(header->cameraCount));
    auto projectors = quon::ZeroedArray<ProjectorResult>(static_cast<uint64_t>(header->projectorCount));
    m_header = *header;
    m_cameras.swap(cameras);
    m_projectors.swap(projectors);
    return S_OK;
}

HRESULT CQuonGeoAutoCalibInfo::GetHeader(AutoCalibHeader* header) {
    if (header == nullptr) return E_POINTER;
    *header = m_header;
    return S_OK;
}

HRESULT CQuonGeoAutoCalibInfo::SetCameraResult(INT32 index, const CameraResult* result) {
    if (result == nullptr) return E_POINTER;
    if (InRange(index, m_header.cameraCount, m_cameras.size())) m_cameras[static_cast<std::size_t>(index)] = *result;
    return S_OK;
}

HRESULT CQuonGeoAutoCalibInfo::GetCameraResult(INT32 index, CameraResult* result) {
    if (result == nullptr) return E_POINTER;
    if (InRange(index, m_header.cameraCount, m_cameras.size())) *result = m_cameras[static_cast<std::size_t>(index)];
    return S_OK;
}

HRESULT CQuonGeoAutoCalibInfo::SetProjectorResult(INT32 index, const ProjectorResult* result) {
    if (result == nullptr) return E_POINTER;
    if (InRange(index, m_header.projectorCount, m_projectors.size())) {
        m_projectors[static_cast<std::size_t>(index)] = *result;
    }
    return S_OK;
}

HRESULT CQuonGeoAutoCalibInfo::GetProjectorResult(INT32 index, ProjectorResult* result) {
    if (result == nullptr) return E_POINTER;
    if (InRange(index, m_header.projectorCount, m_projectors.size())) {
        *result = m_projectors[static_cast<std::size_t>(index)];
    }
    return S_OK;
}

HRESULT CQuonGeoAutoCalibInfo::LoadFromBuffer(const char* text, UINT32 length) {
    quon::json::Document document;
    const HRESULT parsed = quon::json::Parse(document, text, length);
    if (FAILED(parsed)) return parsed;

    if (const Value* v = quon::json::Present(document, "date")) quon::json::CopyText(*v, m_header.date);
    if (const Value* v = quon::json::Present(document, "n_camera")) m_header.cameraCount = v->GetInt();
    if (const Value* v = quon::json::Present(document, "n_projector")) m_header.projectorCount = v->GetInt();
    if (const Value* v = quon::json::Present(document, "projector_base_position")) {
        quon::json::CopyText(*v, m_header.basePosition);
    }
    ReadTable(document, "camera", m_cameras);
    ReadTable(document, "projector", m_projectors);
    return S_OK;
}

HRESULT CQuonGeoAutoCalibInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    if (buffer == nullptr) return E_FAIL;
    if (length == nullptr) return E_POINTER;
    // Each count must be covered by its table (after FreeData, or after a
    // load whose counts exceed its arrays, it is not).
    const INT32 cameras = m_header.cameraCount;
    const INT32 projectors = m_header.projectorCount;
    if (cameras < 0 || static_cast<std::size_t>(cameras) > m_cameras.size()) return E_FAIL;
    if (projectors < 0 || static_cast<std::size_t>(projectors) > m_projectors.size()) return E_FAIL;
    const bool full = m_initFlag == 0;

    quon::json::Builder doc;
    Value& root = doc.Root();
    Value& cameraArray = doc.AddArray(root, "camera");
    for (INT32 i = 0; i < cameras; ++i) {
        const CameraResult& r = m_cameras[static_cast<std::size_t>(i)];
        Value item(rapidjson::kObjectType);
        if (full) AddPair(doc, item, "center_deviation", r.centerDeviationX, r.centerDeviationY);
        AddTail(doc, item, r);
        cameraArray.PushBack(item, doc.Alloc());
    }
    doc.AddText(root, "date", m_header.date);
    doc.AddInt(root, "n_camera", cameras);
    doc.AddInt(root, "n_projector", projectors);
    Value& projectorArray = doc.AddArray(root, "projector");
    for (INT32 i = 0; i < projectors; ++i) {
        const ProjectorResult& r = m_projectors[static_cast<std::size_t>(i)];
        Value item(rapidjson::kObjectType);
        if (full) {
            AddPair(doc, item, "center_deviation", r.centerDeviationX, r.centerDeviationY);
            AddPair(doc, item, "max_deviation", r.maxDeviationX, r.maxDeviationY);
        }
        AddTail(doc, item, r);
        projectorArray.PushBack(item, doc.Alloc());
    }
    if (full) doc.AddText(root, "projector_base_position", m_header.basePosition);
    return quon::json::WriteOut(doc, buffer, capacity, length);
}

HRESULT CQuonGeoAutoCalibInfo::FreeData() {
    std::vector<CameraResult>().swap(m_cameras);
    std::vector<ProjectorResult>().swap(m_projectors);
    return S_OK;
}
