#include "application.h"

#include "fonts.h"
#include "icons.h"

#include "tarvoconfig.h"

#include <QApplication>

namespace tarvo {

void describeApplication()
{
    QApplication::setApplicationName(QStringLiteral("Tarvo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVO_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("tarvo.org"));
    QApplication::setDesktopFileName(QStringLiteral(TARVO_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    useChineseInterfaceFont();
}

} // namespace tarvo
