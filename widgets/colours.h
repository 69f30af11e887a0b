#pragma once

#include <QColor>

namespace tarvo {

// The contrast of two colours as readers of text perceive it: from 1 (the
// same) to 21 (black on white), by their relative luminance.
double contrastRatio(const QColor &a, const QColor &b);

// Text at least this far from its background reads well.
inline constexpr double kReadableContrast = 4.5;

// `preferred` where it reads well on `background`, else black or white,
// whichever stands out more.
QColor readableOn(const QColor &preferred, const QColor &background);

} // namespace tarvo
