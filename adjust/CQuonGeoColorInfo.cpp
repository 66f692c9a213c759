#include "adjust/CQuonGeoColorInfo.h"

#include <string_view>

#include "formats/geometry_file.h"
#include "frame/copy_out.h"
#include "frame/text.h"

using quon::geofile::Key;
using quon::geofile::Section;

namespace {

// The sections after the address line, in the order the writer emits them.
// The picture stage runs to the end of the text and reads its last line too,
// so the TargetReset the writer puts there (without "\n") reads back.
constexpr Section kStages[] = {Section::Projector, Section::ColorMatching, Section::Picture};

INT32* PictureField(PictureSetting& picture, Key key) {
    switch (key) {
        case Key::WhiteBalanceHigh_0: return &picture.WhiteBalanceHigh_0;
        case Key::WhiteBalanceHigh_1: return &picture.WhiteBalanceHigh_1;
        case Key::WhiteBalanceHigh_2: return &picture.WhiteBalanceHigh_2;
        case Key::TargetReset: return &picture.TargetReset;
        default: return nullptr;
    }
}

INT32* ColorMatchingField(ColorMatching& matching, Key key) {
    if (key == Key::ColorMatchingMode) return &matching.ColorMatchingMode;
    const int index = quon::geofile::SevenColorIndex(key);
    if (index < 0 || index >= 21) return nullptr;
    return &matching.SevenColor[index / 3][index % 3];
}

// The working records of a load; they reach the object when the whole text
// has been read.
class LoadedFile final : public quon::geofile::FileRecords {
public:
    ColorMatching colorMatching{};
    PictureSetting picture{};

protected:
    void SectionValue(Section section, Key key, std::string_view, std::string_view value) override {
        INT32* field = nullptr;
        switch (section) {
            case Section::ColorMatching: field = ColorMatchingField(colorMatching, key); break;
            case Section::Picture: field = PictureField(picture, key); break;
            default: break;
        }
        quon::geofile::ReadInt(field, value);
    }
};

}  // namespace

HRESULT CQuonGeoColorInfo::Initialize(UINT32 number, const char* label) {
    return m_identity.Set(number, label);
}

HRESULT CQuonGeoColorInfo::GetIdentity(UINT32* number, char* labelOut) {
    return m_identity.CopyOut(number, labelOut);
}

HRESULT CQuonGeoColorInfo::SetBasicInfo(const GeoVersion* version, const char* address,
                                        const ProjectorInfo* projector) {
    return m_basic.Set(version, address, projector);
}

HRESULT CQuonGeoColorInfo::GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector) {
    return m_basic.Get(version, address, projector, quon::geofile::BasicInfo::NullAddress::Skipped);
}

HRESULT CQuonGeoColorInfo::SetColorMatching(const ColorMatching* colorMatching) {
    if (colorMatching == nullptr) return E_POINTER;
    m_colorMatching = *colorMatching;
    return S_OK;
}

HRESULT CQuonGeoColorInfo::GetColorMatching(ColorMatching* colorMatching) {
    if (colorMatching == nullptr) return E_POINTER;
    *colorMatching = m_colorMatching;
    return S_OK;
}

HRESULT CQuonGeoColorInfo::SetPictureSetting(const PictureSetting* picture) {
    if (picture == nullptr) return E_POINTER;
    m_picture = *picture;
    return S_OK;
}

HRESULT CQuonGeoColorInfo::GetPictureSetting(PictureSetting* picture) {
    if (picture == nullptr) return E_POINTER;
    *picture = m_picture;
    return S_OK;
}

HRESULT CQuonGeoColorInfo::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    LoadedFile file;
    quon::geofile::ReadInStages(quon::TextViewUpToNul(text, length), kStages, file);
    SetBasicInfo(&file.header.version, file.header.address.address, &file.header.projector);
    SetColorMatching(&file.colorMatching);
    return SetPictureSetting(&file.picture);
}

HRESULT CQuonGeoColorInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    if (buffer == nullptr || length == nullptr) return E_POINTER;
    quon::geofile::BasicInfo header;
    HRESULT hr = GetBasicInfo(&header.version, header.address.address, &header.projector);
    quon::TextBuffer out;
    quon::geofile::AppendHeader(out, header);

    ColorMatching matching{};
    hr = GetColorMatching(&matching);
    quon::Append<"[COLOR_MATCHING]\nColorMatchingMode=%d\n">(out, matching.ColorMatchingMode);
    for (int color = 1; color <= 7; ++color) {
        for (int value = 1; value <= 3; ++value) {
            quon::Append<"%s=%d\n">(out, quon::geofile::KeyName(quon::geofile::SevenColorKey(color, value)),
                                     matching.SevenColor[color - 1][value - 1]);
        }
    }

    PictureSetting picture{};
    hr = GetPictureSetting(&picture);
    // The last line has no "\n".
    quon::Append<"[PICTURE]\nWhiteBalanceHigh_0=%d\nWhiteBalanceHigh_1=%d\nWhiteBalanceHigh_2=%d\nTargetReset=%d">(
        out, picture.WhiteBalanceHigh_0, picture.WhiteBalanceHigh_1, picture.WhiteBalanceHigh_2, picture.TargetReset);
    return quon::CopyOut(out.View(), buffer, capacity, length, hr);
}

HRESULT CQuonGeoColorInfo::FreeData() { return S_OK; }
