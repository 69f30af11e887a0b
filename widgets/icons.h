#pragma once

#include <QIcon>
#include <QPixmap>

namespace tarvo {

// The application icon at every size it is drawn in.
QIcon applicationIcon();
// The About box's 32 x 32 pointer picture.
QPixmap aboutPicture();

} // namespace tarvo
