#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace tarvo {

// Centres a dialog's frame on its owner's frame (the window of its parent,
// else the available area of its screen) each time the dialog is shown on
// X11. Qt places a dialog for the first time before the window manager has
// told it the size of the frame and maps it with static gravity, so the
// frame lands too far up and to the left; this places the dialog with the
// best frame margins known before it is mapped and, once the real margins
// are known, corrects it by the difference. A dialog moved by the user or
// placed elsewhere by the window manager is left where it is. Does nothing
// on platforms where a client cannot position its windows (Wayland) or that
// have no frames (offscreen).
void centreOnOwnerWhenShown(QWidget *dialog);

// The top-left corner of a frame of frameSize centred on ownerFrame, kept
// inside the available area (its top-left corner wins when it is too small).
QPoint centredFramePosition(const QRect &ownerFrame, const QSize &frameSize, const QRect &available);

} // namespace tarvo
