// Figure -> SVG: the panels stacked one under the other, each with a frame,
// grid lines at round tick values, tick labels, axis labels and a legend.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "figure.h"

namespace {

// Layout of one panel, in SVG units.
constexpr double kWidth = 760;
constexpr double kTitleHeight = 40;
constexpr double kPanelHeight = 430;
constexpr double kLeft = 80;
constexpr double kRight = 200;  // room for the legend
constexpr double kTop = 36;
constexpr double kBottom = 56;
constexpr double kPlotWidth = kWidth - kLeft - kRight;
constexpr double kPlotHeight = kPanelHeight - kTop - kBottom;
constexpr std::size_t kMarkedPoints = 64;

const char* const kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#17becf", "#8c564b", "#e377c2"};

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

struct Range {
    double lo = INFINITY;
    double hi = -INFINITY;

    void Add(double v) {
        if (!std::isfinite(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    double Span() const { return hi - lo; }
    // An empty range becomes 0 to 1; a single value gets room around it.
    void Settle() {
        if (lo > hi) {
            lo = 0;
            hi = 1;
        } else if (lo == hi) {
            const double pad = lo == 0 ? 1 : std::fabs(lo) * 0.1;
            lo -= pad;
            hi += pad;
        } else {
            const double pad = Span() * 0.04;
            lo -= pad;
            hi += pad;
        }
    }
    void Widen(double span) {
        const double middle = (lo + hi) / 2;
        lo = middle - span / 2;
        hi = middle + span / 2;
    }
};

// A round step (1, 2 or 5 times a power of ten) giving about six ticks.
double TickStep(double span) {
    const double raw = span / 6;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (raw <= m * power) return m * power;
    }
    return 10 * power;
}

class PanelWriter {
public:
    PanelWriter(const Panel& panel, double top) : m_panel(panel), m_top(top) {
        for (const Series& s : panel.series) {
            for (const PlotPoint& p : s.points) {
                m_x.Add(p.x);
                m_y.Add(p.y);
            }
        }
        m_x.Settle();
        m_y.Settle();
        if (panel.screen) {  // one scale for both axes
            const double scale = std::min(kPlotWidth / m_x.Span(), kPlotHeight / m_y.Span());
            m_x.Widen(kPlotWidth / scale);
            m_y.Widen(kPlotHeight / scale);
        }
    }

    void Write(std::string& svg) const {
        svg += "<g class=\"panel\">\n";
        Text(svg, "panel-title", kLeft, m_top + 22, "start", 15, m_panel.title);
        Axes(svg);
        bool empty = true;
        for (std::size_t i = 0; i < m_panel.series.size(); ++i) {
            SeriesLines(svg, m_panel.series[i], kColours[i % std::size(kColours)]);
            empty = empty && m_panel.series[i].points.empty();
        }
        if (empty) Text(svg, "note", kLeft + kPlotWidth / 2, m_top + kTop + kPlotHeight / 2, "middle", 14, "no points");
        Legend(svg);
        svg += "</g>\n";
    }

private:
    double X(double x) const { return kLeft + (x - m_x.lo) / m_x.Span() * kPlotWidth; }
    double Y(double y) const {
        const double f = (y - m_y.lo) / m_y.Span();
        return m_top + kTop + (m_panel.screen ? f : 1 - f) * kPlotHeight;
    }

    static void Text(std::string& svg, const char* cls, double x, double y, const char* anchor, int size,
                     const std::string& text, const char* extra = "") {
        svg += "<text class=\"" + std::string(cls) + "\" x=\"" + Number(x) + "\" y=\"" + Number(y) +
               "\" text-anchor=\"" + anchor + "\" font-size=\"" + std::to_string(size) + "\"" + extra + ">" +
               Escaped(text) + "</text>\n";
    }

    static void Line(std::string& svg, double x1, double y1, double x2, double y2, const char* stroke) {
        svg += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) + "\" y2=\"" +
               Number(y2) + "\" stroke=\"" + stroke + "\"/>\n";
    }

    static std::string TickLabel(double value, double step) {
        if (std::fabs(value) < step * 1e-9) value = 0;  // no "-0" or "1e-17"
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        return text;
    }

    void Axes(std::string& svg) const {
        const double left = kLeft, right = kLeft + kPlotWidth;
        const double top = m_top + kTop, bottom = top + kPlotHeight;
        svg += "<g class=\"axes\">\n";
        const double xStep = TickStep(m_x.Span());
        for (double t = std::ceil(m_x.lo / xStep) * xStep; t <= m_x.hi; t += xStep) {
            Line(svg, X(t), top, X(t), bottom, "#e4e4e4");
            Text(svg, "tick", X(t), bottom + 16, "middle", 11, TickLabel(t, xStep));
        }
        const double yStep = TickStep(m_y.Span());
        for (double t = std::ceil(m_y.lo / yStep) * yStep; t <= m_y.hi; t += yStep) {
            Line(svg, left, Y(t), right, Y(t), "#e4e4e4");
            Text(svg, "tick", left - 6, Y(t) + 4, "end", 11, TickLabel(t, yStep));
        }
        svg += "<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" + Number(kPlotWidth) +
               "\" height=\"" + Number(kPlotHeight) + "\" fill=\"none\" stroke=\"#444\"/>\n";
        Text(svg, "axis-label", left + kPlotWidth / 2, bottom + 38, "middle", 13, m_panel.xLabel);
        const std::string turn =
            " transform=\"rotate(-90 " + Number(left - 56) + " " + Number(top + kPlotHeight / 2) + ")\"";
        Text(svg, "axis-label", left - 56, top + kPlotHeight / 2, "middle", 13, m_panel.yLabel, turn.c_str());
        svg += "</g>\n";
    }

    // One line through the points, cut where a value is not finite.
    void Polyline(std::string& svg, const std::vector<const PlotPoint*>& points) const {
        std::string run;
        std::size_t count = 0;
        auto flush = [&] {
            if (count > 1) svg += "<polyline points=\"" + run + "\"/>\n";
            run.clear();
            count = 0;
        };
        for (const PlotPoint* p : points) {
            if (!std::isfinite(p->x) || !std::isfinite(p->y)) {
                flush();
                continue;
            }
            if (count++ > 0) run += ' ';
            run += Number(X(p->x)) + "," + Number(Y(p->y));
        }
        flush();
    }

    void SeriesLines(std::string& svg, const Series& s, const char* colour) const {
        svg += "<g class=\"" + std::string(s.columns > 0 ? "mesh" : "curve") + "\" stroke=\"" + colour +
               "\" fill=\"none\" stroke-width=\"1.4\" stroke-linejoin=\"round\">\n<title>" + Escaped(s.name) +
               "</title>\n";
        std::vector<const PlotPoint*> line;
        if (s.columns == 0) {
            for (const PlotPoint& p : s.points) line.push_back(&p);
            Polyline(svg, line);
        } else {
            const std::size_t rows = s.points.size() / s.columns;
            for (std::size_t r = 0; r < rows; ++r) {
                line.clear();
                for (std::size_t c = 0; c < s.columns; ++c) line.push_back(&s.points[r * s.columns + c]);
                Polyline(svg, line);
            }
            for (std::size_t c = 0; rows > 1 && c < s.columns; ++c) {
                line.clear();
                for (std::size_t r = 0; r < rows; ++r) line.push_back(&s.points[r * s.columns + c]);
                Polyline(svg, line);
            }
        }
        // Few points are also marked one by one, so that each can be seen.
        if (s.points.size() <= kMarkedPoints) {
            for (const PlotPoint& p : s.points) {
                if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
                svg += "<circle cx=\"" + Number(X(p.x)) + "\" cy=\"" + Number(Y(p.y)) + "\" r=\"2.5\" fill=\"" +
                       colour + "\"/>\n";
            }
        }
        svg += "</g>\n";
    }

    void Legend(std::string& svg) const {
        svg += "<g class=\"legend\">\n";
        const double x = kLeft + kPlotWidth + 16;
        for (std::size_t i = 0; i < m_panel.series.size(); ++i) {
            const double y = m_top + kTop + 10 + 20 * static_cast<double>(i);
            Line(svg, x, y, x + 22, y, kColours[i % std::size(kColours)]);
            Text(svg, "legend-entry", x + 28, y + 4, "start", 12, m_panel.series[i].name);
        }
        svg += "</g>\n";
    }

    const Panel& m_panel;
    double m_top;
    Range m_x;
    Range m_y;
};

}  // namespace

std::string ToSvg(const Figure& figure) {
    const double panels = static_cast<double>(figure.panels.size());
    const double height = kTitleHeight + (figure.panels.empty() ? kTop : kPanelHeight * panels);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      Number(kWidth) + "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(kWidth) + " " +
                      Number(height) + "\" font-family=\"sans-serif\">\n<title>" + Escaped(figure.title) +
                      "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n<text class=\"title\" x=\"" +
                      Number(kWidth / 2) + "\" y=\"26\" text-anchor=\"middle\" font-size=\"18\">" +
                      Escaped(figure.title) + "</text>\n";
    if (figure.panels.empty()) {
        svg += "<text class=\"note\" x=\"" + Number(kWidth / 2) + "\" y=\"" + Number(kTitleHeight + 18) +
               "\" text-anchor=\"middle\" font-size=\"14\">nothing to draw</text>\n";
    }
    for (std::size_t i = 0; i < figure.panels.size(); ++i) {
        PanelWriter(figure.panels[i], kTitleHeight + kPanelHeight * static_cast<double>(i)).Write(svg);
    }
    svg += "</svg>\n";
    return svg;
}
