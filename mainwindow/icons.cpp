#include "icons.h"

namespace tarvo {

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/org.tarvo.Tarvo.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap aboutPicture()
{
    return QPixmap(QStringLiteral(":/icons/about-pointer.png"));
}

} // namespace tarvo
