// Pictures of the objects that hold geometry or curves, read through their
// interfaces' getters (the object is loaded already). Each takes the
// object's own interface pointer; a failing getter throws quon::Error.
#pragma once

#include "figure.h"
#include "model_classes.h"

Figure GeoAdjustInfoFigure(void* itf);      // the three other-screen grids, as meshes
Figure GridPointFigure(void* itf);          // the map's two point pairs, as meshes
Figure LookUpTableFigure(void* itf);        // one curve per entry value
Figure LookUpTableListFigure(void* itf);    // a panel per table
Figure EbInfoFigure(void* itf);             // the gamma lists of every cell
Figure ColorSpectrumFigure(void* itf);      // the spectrum, one curve per value
Figure ColorCompOrgSpecFigure(void* itf);   // the attached spectra
Figure ColorDiff7colorsFigure(void* itf);   // its two spectra
Figure ColorCompDiffSpecFigure(void* itf);  // the spectra of the attached objects

// The picture of a class's objects, or null for a class without geometry or curves.
using FigureFunction = Figure (*)(void* itf);
FigureFunction FigureOf(const ModelClass& cls);
