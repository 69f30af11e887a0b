#pragma once

#include <QFont>

namespace tarvo {

// The interface's fonts. Chinese text is drawn in Simplified Chinese faces
// whatever the locale, so that every language setting shows the same
// glyphs.

// The Song role: the first installed face that draws Simplified Chinese and
// has half-width Latin letters, as the design's Song face does (a face
// without them draws Latin text far wider than the design's boxes allow),
// followed by the other Simplified Chinese faces. Chosen once, by measuring.
QFont songFont(double pointSize, bool bold = false);
// A sans with Arial's metrics, for the countdown.
QFont arialFont(double pointSize, bool bold = false);
// The play field's bold sans for the falling words.
QFont playFieldFont();

// Makes the Song role the application's default font, at the desktop's
// size, for every widget class, so menus, buttons and message boxes draw
// Simplified Chinese too. Call it before creating windows, and again when
// the desktop changes the application's font.
void useChineseInterfaceFont();

} // namespace tarvo
