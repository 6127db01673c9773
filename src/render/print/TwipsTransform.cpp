#include "TwipsTransform.h"

QTransform TwipsTransform(const QPaintDevice& device)
{
    const double sx = device.logicalDpiX() / kTwipsPerInch;
    const double sy = device.logicalDpiY() / kTwipsPerInch;
    // Twips grow upward: negative y values run down the page.
    return QTransform::fromScale(sx, -sy);
}
