#pragma once

#include "core/reports/ReportDefinition.h"
#include "render/print/ListReport.h"

#include <QFont>

// A report font as a definition keeps it and as Qt draws it: the one place the
// two meet. Sizes go through points at the screen's logical resolution, the one
// a definition's font heights are measured at.

// The face, size, weight and style of `font`; a font of no size gets 10 points.
QFont ToQFont(const ReportFont& font);
// The font chooser's answer as a definition keeps it.
ReportFont FromQFont(const QFont& font);

// A printed list's fonts: the title, column headers and body of the project's
// quick-report settings when its report file holds them, the print layout
// engine's own otherwise.
ListReportFonts ListFontsFromReportFile(const QString& reportPath);
