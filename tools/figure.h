// A picture of an object's numbers, as quonmodel render draws it: panels of
// curves and meshes, each panel with its own axes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct PlotPoint {
    double x;
    double y;
};

// A curve (its points in order) or a mesh (rows of `columns` points, row by
// row, drawn as a line along every row and every column).
struct Series {
    std::string name;
    std::vector<PlotPoint> points;
    std::size_t columns = 0;  // a mesh's points per row; 0 for a curve
};

struct Panel {
    std::string title;
    std::string xLabel;
    std::string yLabel;
    // Screen coordinates: y grows downward and both axes share one scale.
    bool screen = false;
    std::vector<Series> series;
};

struct Figure {
    std::string title;
    std::vector<Panel> panels;
};

// The figure as a standalone SVG document.
std::string ToSvg(const Figure& figure);
