#include "geometry/CQuonGridNpdInfo.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "frame/copy_out.h"
#include "frame/label.h"
#include "frame/sizes.h"
#include "frame/text.h"

namespace {

// The forty lines of the text form, in order: where each value lives in the
// parameter set and how it is printed. Integer lines are read with stoi,
// real lines with stod.
struct NpdLine {
    std::size_t offset;
    bool real;
    const char* format;
};

#define NPD_INT(field) NpdLine{offsetof(GridNpdParams, field), false, "%d\n"}
#define NPD_REAL(field, format) NpdLine{offsetof(GridNpdParams, field), true, format}

const NpdLine kLines[40] = {
    NPD_INT(npdInt1),          NPD_INT(npdInt2),          NPD_INT(npdInt3),          NPD_INT(npdInt4),
    NPD_INT(npdInt5),          NPD_INT(npdInt6),          NPD_INT(npdInt7),          NPD_INT(npdInt8),
    NPD_REAL(npdReal9, "%.1f\n"), NPD_REAL(npdReal10, "%.1f\n"), NPD_REAL(npdReal11, "%.1f\n"),
    NPD_INT(npdInt12),         NPD_REAL(npdReal13, "%.1f\n"),
    NPD_INT(level14),          NPD_INT(level15),          NPD_INT(level16),
    NPD_REAL(npdReal17, "%.2f\n"),
    NPD_INT(npdInt18),         NPD_INT(npdInt19),         NPD_INT(npdInt20),         NPD_INT(npdInt21),
    NPD_INT(npdInt22),         NPD_INT(npdInt23),         NPD_INT(npdInt24),
    NPD_INT(projectorResX),    NPD_INT(projectorResY),
    NPD_REAL(factor27, "%lf\n"), NPD_REAL(factor28, "%lf\n"),
    NPD_INT(npdInt29),         NPD_INT(npdInt30),         NPD_INT(npdInt31),
    NPD_REAL(npdReal32, "%.1f\n"), NPD_REAL(npdReal33, "%.1f\n"), NPD_REAL(npdReal34, "%.1f\n"),
    NPD_REAL(npdReal35, "%.2f\n"), NPD_REAL(npdReal36, "%.2f\n"),
    NPD_REAL(npdReal37, "%.1f\n"), NPD_REAL(npdReal38, "%.1f\n"),
    NPD_INT(npdInt39),         NPD_REAL(npdReal40, "%.1f\n"),
};

#undef NPD_INT
#undef NPD_REAL

// Both writers render into a 4096-byte scratch area; a text that would not
// fit there with its terminator is refused.
constexpr std::size_t kScratchSize = 4096;


}  // namespace

CQuonGridNpdInfo::CQuonGridNpdInfo(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter), m_params{} {
    m_params = GridNpdParams{60,   38,   28,  18,  60,  48,  36,  24,  0.5,   0.5,   0.5, 1,   0.3, 72,
                             95,   120,  0.25, 4,  60,  6,   4,   3,   0,     0,     1920, 1200, 1.815, 1.183,
                             3,    480,  600, 0.6, 0.5, 0.5, 0.55, 0.55, 0.5,  0.5,  36,   0.8, "Ver.20130205"};
}

HRESULT CQuonGridNpdInfo::SetLabel(UINT32 labelA, UINT32 labelB, const char* name) {
    return m_label.Set(labelA, labelB, name);
}

HRESULT CQuonGridNpdInfo::GetLabel(UINT32* labelA, UINT32* labelB, char** name) {
    if (labelA == nullptr || labelB == nullptr || name == nullptr || *name == nullptr) return E_POINTER;
    *labelA = m_label.first;
    *labelB = m_label.second;
    quon::CopyName(m_label.name, *name);
    return S_OK;
}

HRESULT CQuonGridNpdInfo::SetLevels(const BYTE levels[3]) {
    if (levels == nullptr) return E_POINTER;
    m_params.level14 = levels[0];
    m_params.level15 = levels[1];
    m_params.level16 = levels[2];
    return S_OK;
}

HRESULT CQuonGridNpdInfo::SetProjectorResolution(const double resolution[2]) {
    if (resolution == nullptr) return E_POINTER;
    m_params.projectorResX = quon::TruncateToInt32(resolution[0]);
    m_params.projectorResY = quon::TruncateToInt32(resolution[1]);
    return S_OK;
}

HRESULT CQuonGridNpdInfo::SetFactors(const double factors[2]) {
    if (factors == nullptr) return E_POINTER;
    m_params.factor27 = factors[0];
    m_params.factor28 = factors[1];
    return S_OK;
}

HRESULT CQuonGridNpdInfo::GetParams(GridNpdParams* params) {
    if (params == nullptr) return E_POINTER;
    *params = m_params;
    return S_OK;
}

HRESULT CQuonGridNpdInfo::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    const std::string whole = quon::TextOfLength(text, length);
    if (whole.empty()) return E_FAIL;
    std::vector<std::string> lines;
    Split(whole, '\n', lines);
    if (lines.size() < 40) return E_FAIL;

    // Each value is stored as soon as it converts, so a line that does not
    // convert leaves the values before it changed.
    char* base = reinterpret_cast<char*>(&m_params);
    for (std::size_t i = 0; i < 40; ++i) {
        if (kLines[i].real) {
            const double value = quon::Stod(lines[i]);
            std::memcpy(base + kLines[i].offset, &value, sizeof value);
        } else {
            const INT32 value = quon::Stoi(lines[i], nullptr, 10);
            std::memcpy(base + kLines[i].offset, &value, sizeof value);
        }
    }
    // Line 41 is not read; line 42, cut to 63 characters, is the version.
    std::memset(m_params.version, 0, sizeof m_params.version);
    if (lines.size() >= 42) lines[41].copy(m_params.version, sizeof m_params.version - 1);
    return S_OK;
}

HRESULT CQuonGridNpdInfo::SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) {
    std::string out;
    const char* base = reinterpret_cast<const char*>(&m_params);
    for (const NpdLine& line : kLines) {
        if (line.real) {
            double value;
            std::memcpy(&value, base + line.offset, sizeof value);
            quon::AppendFormat(out, line.format, value);
        } else {
            INT32 value;
            std::memcpy(&value, base + line.offset, sizeof value);
            quon::AppendFormat(out, line.format, value);
        }
    }
    return quon::CopyOutOfScratch(out, buffer, capacity, written, kScratchSize);
}

HRESULT CQuonGridNpdInfo::SaveAsJson(char* buffer, INT32 capacity, UINT32* written, UINT32 patternStep) {
    std::string out = "{\n";
    quon::AppendFormat(out, "  \"PATTERN_STEPX\": %d,\n", static_cast<INT32>(patternStep));
    quon::AppendFormat(out, "  \"PATTERN_STEPY\": %d,\n", static_cast<INT32>(patternStep));
    quon::AppendFormat(out, "  \"PJRESX\": %d,\n", m_params.projectorResX);
    quon::AppendFormat(out, "  \"PJRESY\": %d\n", m_params.projectorResY);
    out += "}\n";
    return quon::CopyOutOfScratch(out, buffer, capacity, written, kScratchSize);
}

HRESULT CQuonGridNpdInfo::Reserved() { return S_OK; }
