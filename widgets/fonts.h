#pragma once

#include <QFont>

namespace tarvo {

// The interface's fonts. Each names its design font first and then the
// closest fonts a Linux desktop has, so the text looks alike everywhere.

// A Song (Ming) CJK serif, for the Chinese labels.
QFont songFont(double pointSize, bool bold = false);
// A sans with Arial's metrics, for the countdown.
QFont arialFont(double pointSize, bool bold = false);
// The play field's bold sans for the falling words.
QFont playFieldFont();

} // namespace tarvo
