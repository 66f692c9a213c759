#include "figures.h"

#include <cstdio>
#include <utility>
#include <string>

#include "QuonCoreModel.h"
#include "quon/Module.h"

namespace {

// More points than this in one picture make a file no viewer opens.
constexpr std::size_t kMostPoints = 1u << 20;

void Check(HRESULT hr, const char* call) {
    if (FAILED(hr)) throw quon::Error(hr, std::string(call) + " failed: " + quon::HresultText(hr));
}

void CheckCount(double count) {
    if (count > static_cast<double>(kMostPoints)) {
        throw quon::Error(E_INVALIDARG, "more than " + std::to_string(kMostPoints) + " points to draw");
    }
}

std::string Str(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string Size(UINT32 columns, UINT32 rows) {
    return std::to_string(columns) + " columns x " + std::to_string(rows) + " rows";
}

// A grid side held as a real: its whole part, or 0 when it is no count.
UINT32 Side(double side) { return side >= 1 && side < 2147483648.0 ? static_cast<UINT32>(side) : 0; }

Panel TablePanel(IQuonLookUpTable* table, const std::string& title) {
    UINT32 columns = 0, rows = 0;
    Check(table->GetTableSize(&columns, &rows), "GetTableSize");
    CheckCount(static_cast<double>(columns) * rows);
    Panel panel{title + " (" + Size(columns, rows) + ")", "entry (row by row)", "value", false, {}};
    for (int v = 0; v < 4; ++v) panel.series.push_back(Series{"value" + std::to_string(v), {}, 0});
    for (UINT32 r = 0; r < rows; ++r) {
        for (UINT32 c = 0; c < columns; ++c) {
            LookUpEntry e{};
            Check(table->GetEntry(c, r, &e), "GetEntry");
            const double x = static_cast<double>(r) * columns + c;
            const double values[4] = {e.value0, e.value1, e.value2, e.value3};
            for (int v = 0; v < 4; ++v) panel.series[v].points.push_back({x, values[v]});
        }
    }
    return panel;
}

// A spectrum of four-value points: the first value across, the others up.
template <class GetPoint>
Panel SpectrumPanel(const std::string& title, UINT32 count, GetPoint getPoint) {
    CheckCount(count);
    Panel panel{title + " (" + std::to_string(count) + " points)", "wavelength (first value)", "value", false, {}};
    for (int v = 1; v < 4; ++v) panel.series.push_back(Series{"value " + std::to_string(v), {}, 0});
    for (UINT32 i = 0; i < count; ++i) {
        ColorSpectrumPoint p{};
        getPoint(i, &p);
        for (int v = 1; v < 4; ++v) panel.series[v - 1].points.push_back({p.values[0], p.values[v]});
    }
    return panel;
}

Panel SpectrumPanel(IQuonColorSpectrum* spectrum) {
    ColorSpectrumInfo info{};
    UINT32 count = 0;
    Check(spectrum->GetData(&info), "GetData");
    Check(spectrum->GetPointCount(&count), "GetPointCount");
    return SpectrumPanel(info.pmodeID, count,
                         [&](UINT32 i, ColorSpectrumPoint* p) { Check(spectrum->GetPoint(i, p), "GetPoint"); });
}

void AddDiffPanels(IQuonColorDiff7colors* diff, UINT32, Figure& figure) {
    ColorDiff7colorsInfo info{};
    Check(diff->GetData(&info), "GetData");
    const char* names[2] = {"Spectrum_0", "Spectrum_1"};
    const char* modes[2] = {info.pmodeID_0, info.pmodeID_1};
    for (int s = 0; s < 2; ++s) {
        UINT32 count = 0;
        Check(diff->GetSpectrumPointCount(names[s], &count), "GetSpectrumPointCount");
        if (count == 0) continue;  // a spectrum the document did not carry
        figure.panels.push_back(
            SpectrumPanel(std::string(modes[s]) + " " + names[s], count, [&](UINT32 i, ColorSpectrumPoint* p) {
                Check(diff->GetSpectrumPoint(names[s], i, p), "GetSpectrumPoint");
            }));
    }
}

// The panels of each child object a container hands out: count gives their
// number, at(i, out) child i with a reference.
template <class Child, class Container, class Count, class At, class AddPanels>
Figure EachChild(Container* container, Count count, At at, AddPanels addPanels) {
    UINT32 n = 0;
    Check((container->*count)(&n), "counting the children");
    Figure figure;
    for (UINT32 i = 0; i < n; ++i) {
        quon::Ptr<Child> child;
        Check((container->*at)(i, child.put()), "getting a child");
        if (child) addPanels(child.get(), i, figure);
    }
    return figure;
}

}  // namespace

Figure GeoAdjustInfoFigure(void* itf) {
    auto* info = static_cast<IQuonGeoAdjustInfo*>(itf);
    Figure figure;
    for (UINT32 i = 0; i < GeoOtherScreenCount; ++i) {
        quon::Ptr<IQuonGeoOtherScreenTag> tag;
        Check(info->GetOtherScreen(i, tag.put()), "GetOtherScreen");
        UINT32 columns = 0, rows = 0;
        Check(tag->GetUsedSize(&columns, &rows), "GetUsedSize");
        Series grid{"grid points", {}, columns};
        for (UINT32 r = 0; r < rows; ++r) {
            for (UINT32 c = 0; c < columns; ++c) {
                double point[2] = {0, 0};
                Check(tag->GetTag(r, c, point), "GetTag");
                grid.points.push_back({point[0], point[1]});
            }
        }
        const std::string title = "OTHER_SCREEN_" + std::to_string(i) + " (" + Size(columns, rows) + ")";
        figure.panels.push_back(Panel{title, "x", "y", true, {grid}});
    }
    return figure;
}

Figure GridPointFigure(void* itf) {
    auto* map = static_cast<IQuonGridPoint*>(itf);
    GridPointHeader header{};
    Check(map->GetHeader(&header), "GetHeader");
    const UINT32 columns = Side(header.columns), rows = Side(header.rows);
    CheckCount(static_cast<double>(columns) * rows);
    Series first{"real0, real1", {}, columns}, second{"real2, real3", {}, columns};
    for (UINT32 r = 0; r < rows; ++r) {
        for (UINT32 c = 0; c < columns; ++c) {
            GridPointRecord p{};
            Check(map->GetPoint(c, r, &p), "GetPoint");
            first.points.push_back({p.real0, p.real1});
            second.points.push_back({p.real2, p.real3});
        }
    }
    const std::string title = "grid point map (" + Size(columns, rows) + ", header " + Str(header.headerReal2) + ", " +
                              Str(header.headerReal3) + ")";
    return Figure{"", {Panel{title, "x", "y", true, {first, second}}}};
}

Figure LookUpTableFigure(void* itf) {
    return Figure{"", {TablePanel(static_cast<IQuonLookUpTable*>(itf), "look-up table")}};
}

Figure LookUpTableListFigure(void* itf) {
    return EachChild<IQuonLookUpTable>(
        static_cast<IQuonLookUpTableList*>(itf), &IQuonLookUpTableList::GetCount, &IQuonLookUpTableList::GetAt,
        [](IQuonLookUpTable* table, UINT32 i, Figure& figure) {
            UINT32 a = 0, b = 0;
            Check(table->GetLabelValues(&a, &b), "GetLabelValues");
            // Labels as the list's text prints them: signed.
            const std::string labels =
                std::to_string(static_cast<INT32>(a)) + ", " + std::to_string(static_cast<INT32>(b));
            figure.panels.push_back(TablePanel(table, "table " + std::to_string(i) + ", labels " + labels));
        });
}

Figure EbInfoFigure(void* itf) {
    auto* eb = static_cast<IQuonEbInfo*>(itf);
    UINT32 a = 0, b = 0, c = 0;
    Check(eb->GetCellDims(&a, &b, &c), "GetCellDims");
    CheckCount(static_cast<double>(a) * b * c);
    Panel panel{
        "gamma lists of the cells (" + std::to_string(a) + " x " + std::to_string(b) + " x " + std::to_string(c) + ")",
        "list position",
        "value",
        false,
        {}};
    for (UINT32 i = 0; i < a; ++i) {
        for (UINT32 j = 0; j < b; ++j) {
            for (UINT32 k = 0; k < c; ++k) {
                EbCell cell{};
                EbProfile profile{};
                Check(eb->GetCell(i, j, k, &cell, &profile), "GetCell");
                if (cell.listsPresent == 0) continue;
                const std::string name =
                    "cell " + std::to_string(i) + "," + std::to_string(j) + "," + std::to_string(k);
                Series list1{name + " list 1", {}, 0}, list2{name + " list 2", {}, 0};
                for (UINT32 n = 0; n < cell.list1Count && n < EbProfileList1Size; ++n) {
                    list1.points.push_back({static_cast<double>(n), static_cast<double>(profile.list1[n])});
                }
                for (UINT32 n = 0; n < cell.list2Count && n < EbProfileList2Size; ++n) {
                    list2.points.push_back({static_cast<double>(n), static_cast<double>(profile.list2[n])});
                }
                panel.series.push_back(list1);
                panel.series.push_back(list2);
            }
        }
    }
    return Figure{"", {panel}};
}

Figure ColorSpectrumFigure(void* itf) { return Figure{"", {SpectrumPanel(static_cast<IQuonColorSpectrum*>(itf))}}; }

Figure ColorCompOrgSpecFigure(void* itf) {
    return EachChild<IQuonColorSpectrum>(static_cast<IQuonColorCompOrgSpec*>(itf),
                                         &IQuonColorCompOrgSpec::GetSpectrumCount, &IQuonColorCompOrgSpec::GetSpectrum,
                                         [](IQuonColorSpectrum* spectrum, UINT32, Figure& figure) {
                                             UINT32 points = 0;
                                             Check(spectrum->GetPointCount(&points), "GetPointCount");
                                             // A picture mode the document does not carry has no points.
                                             if (points > 0) figure.panels.push_back(SpectrumPanel(spectrum));
                                         });
}

Figure ColorDiff7colorsFigure(void* itf) {
    Figure figure;
    AddDiffPanels(static_cast<IQuonColorDiff7colors*>(itf), 0, figure);
    return figure;
}

Figure ColorCompDiffSpecFigure(void* itf) {
    return EachChild<IQuonColorDiff7colors>(static_cast<IQuonColorCompDiffSpec*>(itf),
                                            &IQuonColorCompDiffSpec::GetDiff7colorsCount,
                                            &IQuonColorCompDiffSpec::GetDiff7colors, AddDiffPanels);
}

FigureFunction FigureOf(const ModelClass& cls) {
    static const std::pair<const char*, FigureFunction> figures[] = {
        {"GridPoint", GridPointFigure},
        {"GeoAdjustInfo", GeoAdjustInfoFigure},
        {"LookUpTableList", LookUpTableListFigure},
        {"LookUpTable", LookUpTableFigure},
        {"EbInfo", EbInfoFigure},
        {"ColorCompOrgSpec", ColorCompOrgSpecFigure},
        {"ColorSpectrum", ColorSpectrumFigure},
        {"ColorCompDiffSpec", ColorCompDiffSpecFigure},
        {"ColorDiff7colors", ColorDiff7colorsFigure},
    };
    for (const auto& [name, figure] : figures) {
        if (std::string(name) == cls.name) return figure;
    }
    return nullptr;
}
