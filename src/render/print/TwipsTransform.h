#pragma once

#include <QPaintDevice>
#include <QTransform>

// Reports and lists are laid out in twips (1/1440 inch) with y growing upward
// from the top of the page, as on a printer; this maps that onto a device.
inline constexpr double kTwipsPerInch = 1440.0;

QTransform TwipsTransform(const QPaintDevice& device);
