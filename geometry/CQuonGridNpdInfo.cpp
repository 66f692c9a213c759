#include "geometry/CQuonGridNpdInfo.h"

#include <cstddef>
#include <cstring>
#include <iterator>
#include <string_view>

#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/label.h"
#include "frame/sizes.h"
#include "frame/text.h"

namespace {

// How a value is printed: "%d\n", "%.1f\n", "%.2f\n" or "%lf\n".
enum class Form { Int, OneDecimal, TwoDecimals, SixDecimals };

// The forty lines of the text form, in order: where each value lives in the
// parameter set and how it is printed. Integer lines are read with stoi,
// real lines with stod.
struct NpdLine {
    std::size_t offset;
    Form form;
};

#define NPD_INT(field) NpdLine{offsetof(GridNpdParams, field), Form::Int}
#define NPD_REAL(field, form) NpdLine{offsetof(GridNpdParams, field), Form::form}

const NpdLine kLines[40] = {
    NPD_INT(npdInt1),          NPD_INT(npdInt2),          NPD_INT(npdInt3),          NPD_INT(npdInt4),
    NPD_INT(npdInt5),          NPD_INT(npdInt6),          NPD_INT(npdInt7),          NPD_INT(npdInt8),
    NPD_REAL(npdReal9, OneDecimal), NPD_REAL(npdReal10, OneDecimal), NPD_REAL(npdReal11, OneDecimal),
    NPD_INT(npdInt12),         NPD_REAL(npdReal13, OneDecimal),
    NPD_INT(level14),          NPD_INT(level15),          NPD_INT(level16),
    NPD_REAL(npdReal17, TwoDecimals),
    NPD_INT(npdInt18),         NPD_INT(npdInt19),         NPD_INT(npdInt20),         NPD_INT(npdInt21),
    NPD_INT(npdInt22),         NPD_INT(npdInt23),         NPD_INT(npdInt24),
    NPD_INT(projectorResX),    NPD_INT(projectorResY),
    NPD_REAL(factor27, SixDecimals), NPD_REAL(factor28, SixDecimals),
    NPD_INT(npdInt29),         NPD_INT(npdInt30),         NPD_INT(npdInt31),
    NPD_REAL(npdReal32, OneDecimal), NPD_REAL(npdReal33, OneDecimal), NPD_REAL(npdReal34, OneDecimal),
    NPD_REAL(npdReal35, TwoDecimals), NPD_REAL(npdReal36, TwoDecimals),
    NPD_REAL(npdReal37, OneDecimal), NPD_REAL(npdReal38, OneDecimal),
    NPD_INT(npdInt39),         NPD_REAL(npdReal40, OneDecimal),
};

#undef NPD_INT
#undef NPD_REAL

// Both writers render into a 4096-byte scratch area; a text that would not
// fit there with its terminator is refused.
constexpr std::size_t kScratchSize = 4096;

// Appends the line of one value of params.
void AppendValue(quon::TextBuffer& out, const NpdLine& line, const GridNpdParams& params) {
    const char* field = reinterpret_cast<const char*>(&params) + line.offset;
    if (line.form == Form::Int) {
        INT32 value;
        std::memcpy(&value, field, sizeof value);
        quon::Append<"%d\n">(out, value);
        return;
    }
    double value;
    std::memcpy(&value, field, sizeof value);
    switch (line.form) {
        case Form::OneDecimal: quon::Append<"%.1f\n">(out, value); break;
        case Form::TwoDecimals: quon::Append<"%.2f\n">(out, value); break;
        default: quon::Append<"%lf\n">(out, value); break;
    }
}

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
    // The forty value lines and the version line 42 are all that is read;
    // an empty text, or one of fewer than 40 lines, changes nothing.
    std::string_view lines[42];
    std::size_t count = 0;
    quon::Pieces pieces(quon::TextView(text, length), '\n');
    while (count < std::size(lines) && pieces.Next(lines[count])) ++count;
    if (count < 40) {
        quon::Report(count != 0 ? lines[count - 1].data() : nullptr, "the text has ", count, " lines, 40 are needed: refused");
        return E_FAIL;
    }

    // Each value is stored as soon as it converts, so a line that does not
    // convert leaves the values before it changed.
    char* base = reinterpret_cast<char*>(&m_params);
    for (std::size_t i = 0; i < 40; ++i) {
        if (kLines[i].form != Form::Int) {
            const double value = quon::Stod(lines[i]);
            std::memcpy(base + kLines[i].offset, &value, sizeof value);
        } else {
            const INT32 value = quon::Stoi(lines[i], nullptr, 10);
            std::memcpy(base + kLines[i].offset, &value, sizeof value);
        }
    }
    // Line 41 is not read; line 42, cut to 63 characters, is the version.
    std::memset(m_params.version, 0, sizeof m_params.version);
    if (count >= 42) lines[41].copy(m_params.version, sizeof m_params.version - 1);
    if (quon::Listener() != nullptr) quon::ReportTextAfter(pieces.Rest(), "the version line");
    return S_OK;
}

HRESULT CQuonGridNpdInfo::SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) {
    quon::TextBuffer out;
    for (const NpdLine& line : kLines) AppendValue(out, line, m_params);
    return quon::CopyOutOfScratch(out.View(), buffer, capacity, written, kScratchSize);
}

HRESULT CQuonGridNpdInfo::SaveAsJson(char* buffer, INT32 capacity, UINT32* written, UINT32 patternStep) {
    quon::TextBuffer out;
    out.Append("{\n");
    quon::Append<"  \"PATTERN_STEPX\": %d,\n">(out, static_cast<INT32>(patternStep));
    quon::Append<"  \"PATTERN_STEPY\": %d,\n">(out, static_cast<INT32>(patternStep));
    quon::Append<"  \"PJRESX\": %d,\n">(out, m_params.projectorResX);
    quon::Append<"  \"PJRESY\": %d\n">(out, m_params.projectorResY);
    out.Append("}\n");
    return quon::CopyOutOfScratch(out.View(), buffer, capacity, written, kScratchSize);
}

HRESULT CQuonGridNpdInfo::Reserved() { return S_OK; }
