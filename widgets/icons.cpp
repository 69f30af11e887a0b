#include "icons.h"

#include <QCoreApplication>

namespace tarvo {

QIcon applicationIcon()
{
    // Adding a file to an icon reads and decodes it at once; the application
    // and its main window each ask for the icon at start-up, so it is made
    // once and shared, and let go when the application ends. A window icon
    // needs the small sizes only: on X11 each one is decoded and sent to the
    // window manager, and 128 and 256 pixels added about 15 ms to the start
    // under Xvfb. The desktop takes the large ones from the installed theme.
    static QIcon icon;
    if (icon.isNull()) {
        for (int size : {16, 32, 48, 64})
            icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/org.tarvo.Tarvo.png").arg(size), QSize(size, size));
        qAddPostRoutine([] { icon = QIcon(); });
    }
    return icon;
}

QPixmap aboutPicture()
{
    return QPixmap(QStringLiteral(":/icons/about-pointer.png"));
}

} // namespace tarvo
