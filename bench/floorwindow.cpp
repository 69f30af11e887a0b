#include "floorwindow.h"

#include "fonts.h"

#include <QAction>
#include <QFontMetricsF>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace bench {

FloorField::FloorField(FloorFonts fonts, QWidget *parent) : QWidget(parent)
{
    if (fonts == FloorFonts::game)
        setFont(tarvo::playFieldFont());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FloorField::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(224, 224, 224));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const qreal ascent = QFontMetricsF(font()).ascent();
    for (const Word &word : std::as_const(words))
        painter.drawText(word.topLeft + QPointF(0, ascent), word.text);
}

FloorWindow::FloorWindow(FloorFonts fonts, QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Floor"));

    QMenu *game = menuBar()->addMenu(QStringLiteral("文件(&G)"));
    game->addAction(QStringLiteral("开始练习(&T)"));
    game->addAction(QStringLiteral("暂停练习(&P)"));
    game->addAction(QStringLiteral("高级设置(&S)…"));
    game->addAction(QStringLiteral("退出程序(&X)"));
    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    help->addAction(QStringLiteral("关于(&A)…"));

    m_client = new QWidget(this);
    setCentralWidget(m_client);

    // The fonts are made only when they are used: with the platform's fonts
    // no face of the game's is looked up at all.
    enum class Role { song, arial };
    const auto label = [this, fonts](const QString &text, Role role, int x, int y, int w, int h) {
        auto *l = new QLabel(text, m_client);
        if (fonts == FloorFonts::game)
            l->setFont(role == Role::song ? tarvo::songFont(9) : tarvo::arialFont(18, true));
        l->setGeometry(x, y, w, h);
        return l;
    };
    label(QStringLiteral("当前状态:"), Role::song, 16, 20, 57, 17);
    label(QStringLiteral("0 字/分钟"), Role::song, 76, 20, 69, 17);
    label(QStringLiteral("100% 正确率"), Role::song, 148, 20, 89, 17);
    label(QStringLiteral("暂停"), Role::song, 72, 20, 65, 17)->hide();
    m_timeCaption = label(QStringLiteral("时间:"), Role::song, 424, 20, 33, 17);
    m_timeDisplay = label(QStringLiteral("180"), Role::arial, 460, 12, 41, 27);

    m_field = new FloorField(fonts, m_client);
    m_field->setGeometry(12, 48, 493, 337);

    resize(514, 420 + menuBar()->sizeHint().height());
    setWindowState(windowState() | Qt::WindowMaximized);
}

void FloorWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    const QSize client = m_client->size();
    m_field->setGeometry(12, 48, std::max(0, client.width() - 22), std::max(0, client.height() - 90));
    m_timeDisplay->move(client.width() - 62, 12);
    m_timeCaption->move(client.width() - 98, 20);
}

} // namespace bench
