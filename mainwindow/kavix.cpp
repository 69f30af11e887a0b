#include "kavix.h"

#include "gamepict.h"
#include "latealtguard.h"
#include "layout.h"
#include "playnarrator.h"
#include "readers.h"

#include "frmabout.h"
#include "setform.h"

#include "colours.h"
#include "fonts.h"
#include "frameline.h"
#include "icons.h"
#include "labels.h"
#include "placement.h"
#include "twips.h"

#include "tarvoconfig.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace tarvo {

namespace {

const QColor kFrameWhite(255, 255, 255);
const QColor kFrameGrey(128, 128, 128);

} // namespace

Kavix::Kavix(QWidget *parent) : QMainWindow(parent), m_engine(*this, m_random)
{
    setObjectName(QStringLiteral("Kavix"));
    setWindowTitle(QStringLiteral("Tarvo"));
    setWindowIcon(applicationIcon());
    // Right clicks pop up the Game menu; no other context menu.
    setContextMenuPolicy(Qt::NoContextMenu);

    useChineseInterfaceFont();
    createControls();
    createTimers();
    createMenus();

    const QRect client = twipsToPixels(this, QRectF(QPointF(), kDesignClientSize));
    resize(client.width(), client.height() + menuBar()->sizeHint().height());

    Form_Load();
}

Kavix::~Kavix()
{
    // Dialogs hold a reference to the engine; they go first.
    delete m_setForm;
    delete m_frmAbout;
}

void Kavix::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setContextMenuPolicy(Qt::PreventContextMenu);
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    // Created in the window's control order.
    m_textWord = new ShowingTextBox(m_client); // shows the typed text; never takes the focus
    m_textWord->setObjectName(QStringLiteral("textWord"));
    m_textWord->setAccessibleName(QStringLiteral("已输入"));
    m_textWord->setFont(songFont(10.5, true));
    placeInTwips(m_textWord, kDesignLayout.textWord);

    m_gamePict = new GamePict(m_client);
    m_gamePict->installEventFilter(this);
    connect(m_gamePict, &GamePict::keyPressed, this,
            [this](int keyAscii) { m_narrator->runKey(keyAscii, [&] { m_engine.GamePict_KeyPress(keyAscii); }); });
    placeInTwips(m_gamePict, kDesignLayout.GamePict);

    m_lblPause =
        addLabel(m_client, QStringLiteral("lblPause"), QStringLiteral("暂停"), kDesignLayout.lblPause, songFont(9));
    m_lblPause->setVisible(false);

    m_correctStatus = setUpLabel(new SpokenLabel(QStringLiteral("正确率"), m_client), QStringLiteral("correctStatus"),
                                 QString(), kDesignLayout.correctStatus, songFont(9));

    m_line4 = new FrameLine(QStringLiteral("Line4"), kDesignLayout.Line4, 2, kFrameGrey, m_client);
    m_line3 = new FrameLine(QStringLiteral("Line3"), kDesignLayout.Line3, 3, kFrameWhite, m_client);
    m_line2 = new FrameLine(QStringLiteral("Line2"), kDesignLayout.Line2, 3, kFrameGrey, m_client);
    m_line1 = new FrameLine(QStringLiteral("Line1"), kDesignLayout.Line1, 2, kFrameWhite, m_client);

    m_lblSpeed = addLabel(m_client, QStringLiteral("lblSpeed"), QStringLiteral("当前状态:"), kDesignLayout.lblSpeed,
                          songFont(9));
    m_lblTime =
        addLabel(m_client, QStringLiteral("lblTime"), QStringLiteral("时间:"), kDesignLayout.lblTime, songFont(9));

    m_timeDisplay = setUpLabel(new SpokenLabel(QStringLiteral("剩余时间"), m_client), QStringLiteral("timeDisplay"),
                               QString(), kDesignLayout.timeDisplay, arialFont(18, true));
    m_timeDisplay->setAutoFillBackground(true);

    m_speedStatus = setUpLabel(new SpokenLabel(QStringLiteral("速度"), m_client), QStringLiteral("speedStatus"),
                               QString(), kDesignLayout.speedStatus, songFont(9));
    m_speedStatus->setAutoFillBackground(true);

    applyColours();
    auto *readers = new WindowReaders(
        m_client,
        StatusStrip{m_speedStatus,
                    m_correctStatus,
                    m_lblPause,
                    m_timeDisplay,
                    {m_lblSpeed, m_speedStatus, m_correctStatus, m_lblPause, m_lblTime, m_timeDisplay}},
        this);
    m_narrator = new PlayNarrator(m_engine, *this, m_gamePict, readers, this);

    // Text box and play field are windows of their own, above the labels
    // and lines.
    m_gamePict->raise();
    m_textWord->raise();
    m_gamePict->setFocus();
}

void Kavix::applyColours()
{
    const QPalette system = QApplication::palette();
    constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};
    const auto colour = [&](QWidget *w, QPalette::ColorRole role, const QColor &c) {
        QPalette p = w->palette();
        for (auto group : kGroups)
            p.setColor(group, role, c);
        w->setPalette(p);
    };

    // Blue typed text; the box keeps the desktop's background while blue
    // reads well on it, and turns white where it does not.
    const QColor blue(0, 0, 255);
    QPalette box = m_textWord->palette();
    for (auto group : kGroups) {
        box.setColor(group, QPalette::Text, blue);
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window}) {
            const QColor background = system.color(group, role);
            box.setColor(group, role, contrastRatio(blue, background) >= kReadableContrast ? background : Qt::white);
        }
    }
    m_textWord->setPalette(box);

    colour(m_lblPause, QPalette::WindowText, QColor(255, 0, 0));

    colour(m_timeDisplay, QPalette::Window, Qt::black);
    colour(m_timeDisplay, QPalette::WindowText, QColor(255, 0, 0));

    // The desktop's scroll-bar colour behind its window-text colour, as long
    // as the two read well together.
    const QColor bar = system.color(QPalette::Button);
    colour(m_speedStatus, QPalette::Window, bar);
    colour(m_speedStatus, QPalette::WindowText, readableOn(system.color(QPalette::WindowText), bar));
}

void Kavix::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The desktop's colour scheme changed.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        applyColours();
    // The desktop's theme set its own font: keep its size, in the Chinese
    // faces.
    if (event->type() == QEvent::FontChange)
        useChineseInterfaceFont();
}

void Kavix::createTimers()
{
    using Handler = Narration::Handler;
    auto make = [this](const char *name, void (PracticeEngine::*tick)(), Handler handler) {
        auto *t = new QTimer(this);
        t->setObjectName(QLatin1String(name));
        // The countdown must keep time over a nine-minute exercise.
        t->setTimerType(Qt::PreciseTimer);
        connect(
            t, &QTimer::timeout, this, [this, tick, handler] { m_narrator->run(handler, [&] { (m_engine.*tick)(); }); },
            Qt::DirectConnection);
        return t;
    };
    m_pictScroll = make("pictScroll", &PracticeEngine::pictScroll_Timer, Handler::fallTick);
    m_creatWord = make("CreatWord", &PracticeEngine::CreatWord_Timer, Handler::spawnTick);
    m_gaTime = make("GaTime", &PracticeEngine::GaTime_Timer, Handler::clockTick);
}

void Kavix::createMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        a->setMenuRole(QAction::NoRole);
        if (menu)
            menu->addAction(a);
        return a;
    };

    m_mnuGame = menuBar()->addMenu(QStringLiteral("文件(&G)"));
    m_mnuGame->setObjectName(QStringLiteral("mnuGame"));
    m_mnuStart = action(m_mnuGame, "mnuStart", QStringLiteral("开始练习(&T)"));
    m_mnuPause = action(m_mnuGame, "mnuPause", kPauseCaption.toString());
    m_pauseCaption = m_mnuPause->text();
    connect(m_mnuGame, &QMenu::aboutToShow, this, [this] { m_mnuPause->setText(m_pauseCaption); });
    m_mnuSpeed = action(m_mnuGame, "mnuSpeed", QStringLiteral("高级设置(&S)…"));
    m_mnuExit = action(m_mnuGame, "mnuExit", QStringLiteral("退出程序(&X)"));
    connect(m_mnuStart, &QAction::triggered, this,
            [this] { m_narrator->run(Narration::Handler::start, [&] { m_engine.mnuStart_Click(); }); });
    connect(m_mnuPause, &QAction::triggered, this,
            [this] { m_narrator->run(Narration::Handler::pauseCommand, [&] { m_engine.mnuPause_Click(); }); });
    connect(m_mnuSpeed, &QAction::triggered, this, &Kavix::mnuSpeed_Click);
    connect(m_mnuExit, &QAction::triggered, this, &Kavix::mnuExit_Click);

    m_mnuHelp = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    m_mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    m_mnuAbout = action(m_mnuHelp, "mnuAbout", QStringLiteral("关于(&A)…"));
    connect(m_mnuAbout, &QAction::triggered, this, &Kavix::mnuAbout_Click);

    // A fast Alt+G or Alt+H with a screen reader running: see LateAltGuard.
    auto *lateAlt = new LateAltGuard(this);
    lateAlt->watch(m_mnuGame);
    lateAlt->watch(m_mnuHelp);
    qApp->installEventFilter(lateAlt);

    // The portal sits on the menu bar itself and opens on a click.
    m_mnuPim = action(nullptr, "mnuPim", QStringLiteral(TARVO_PORTAL_NAME));
    connect(m_mnuPim, &QAction::triggered, this, &Kavix::mnuPim_Click);
    menuBar()->addAction(m_mnuPim);
}

void Kavix::Form_Load()
{
    m_engine.LoadDefaults();
    setWindowState(windowState() | Qt::WindowMaximized);
}

QSizeF Kavix::outerSizeInTwips() const
{
    const QRect outer = frameGeometry();
    return QSizeF(outer.width() * twipsPerPixelX(this), outer.height() * twipsPerPixelY(this));
}

QSizeF Kavix::clientSizeInTwips() const
{
    return QSizeF(m_client->width() * twipsPerPixelX(this), m_client->height() * twipsPerPixelY(this));
}

bool Kavix::laidOutForCurrentSize() const
{
    return outerSizeInTwips() == m_laidOutSize && clientSizeInTwips() == m_laidOutClient;
}

void Kavix::Form_Resize()
{
    m_laidOutSize = outerSizeInTwips();
    m_laidOutClient = clientSizeInTwips();
    const MainLayout l = mainLayout(layoutOuterSize(m_laidOutSize, m_laidOutClient));
    m_line4->setTwipsLine(l.Line4);
    m_line3->setTwipsLine(l.Line3);
    m_line1->setTwipsLine(l.Line1);
    m_line2->setTwipsLine(l.Line2);
    placeInTwips(m_gamePict, l.GamePict);
    placeInTwips(m_timeDisplay, l.timeDisplay);
    placeInTwips(m_lblTime, l.lblTime);
    placeInTwips(m_textWord, l.textWord);
}

void Kavix::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Kavix::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // The window manager may report its frame only after the window is
    // shown, which changes the outer size without a resize.
    if (!laidOutForCurrentSize())
        Form_Resize();
}

bool Kavix::eventFilter(QObject *watched, QEvent *event)
{
    // The menu bar may change its height (a new font) and with it the
    // client area, while the window keeps its size.
    if (watched == m_client && event->type() == QEvent::Resize && !laidOutForCurrentSize())
        Form_Resize();
    if ((watched == m_client || watched == m_gamePict) && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            // The play field's release would go on to the window: one
            // popup, here. A label passes a click it does not use to the
            // window too, but a label is a control of its own and pops
            // nothing up; the disabled text box and the lines count as
            // bare window.
            if (watched == m_gamePict) {
                m_mnuGame->popup(mouse->globalPosition().toPoint());
                return true;
            }
            if (!qobject_cast<QLabel *>(m_client->childAt(mouse->position().toPoint())))
                m_mnuGame->popup(mouse->globalPosition().toPoint());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

SetForm *Kavix::settingsDialog() const
{
    return m_setForm;
}

FrmAbout *Kavix::aboutBox() const
{
    return m_frmAbout;
}

void Kavix::mnuSpeed_Click()
{
    if (!m_setForm)
        m_setForm = new SetForm(m_engine, this);
    m_narrator->run(Narration::Handler::dialog, [&] { m_setForm->showModal(); });
}

void Kavix::mnuAbout_Click()
{
    if (!m_frmAbout)
        m_frmAbout = new FrmAbout(m_engine, this);
    m_narrator->run(Narration::Handler::dialog, [&] { m_frmAbout->showModal(); });
}

void Kavix::mnuPim_Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral(TARVO_PORTAL_URL)));
}

void Kavix::mnuExit_Click()
{
    endProgram();
}

void Kavix::closeEvent(QCloseEvent *event)
{
    // Closing the window through its frame ends the program, like Exit.
    event->accept();
    endProgram();
}

void Kavix::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    m_engine.SetExerciseTimers(false);
    // Every window goes, a hidden settings dialog and a modal one included;
    // exit() also ends any dialog's own event loop.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != this)
            w->hide();
    }
    hide();
    QCoreApplication::exit(0);
    m_ending = false;
}

// ---- the engine's view ----

double Kavix::playFieldLeft() const
{
    return twipsGeometry(m_gamePict).left();
}

double Kavix::playFieldWidth() const
{
    return twipsGeometry(m_gamePict).width();
}

double Kavix::playFieldScaleHeight() const
{
    return m_gamePict->scaleHeightTwips();
}

double Kavix::textWidth(const QString &text) const
{
    return m_gamePict->textWidthTwips(text);
}

void Kavix::clearPicture()
{
    m_gamePict->clearPicture();
}

void Kavix::printWord(float x, float y, const QString &text)
{
    m_gamePict->printWord(x, y, text);
}

void Kavix::focusPlayField()
{
    m_gamePict->setFocus(Qt::OtherFocusReason);
}

QLabel *Kavix::label(Label which) const
{
    switch (which) {
    case Label::timeDisplay:
        return m_timeDisplay;
    case Label::speedStatus:
        return m_speedStatus;
    case Label::correctStatus:
        return m_correctStatus;
    case Label::lblPause:
        return m_lblPause;
    }
    return nullptr;
}

QString Kavix::labelText(Label which) const
{
    return label(which)->text();
}

void Kavix::setLabelText(Label which, const QString &text)
{
    QLabel *l = label(which);
    if (auto *spoken = qobject_cast<SpokenLabel *>(l))
        spoken->showText(text);
    else
        l->setText(text);
}

void Kavix::setLabelVisible(Label which, bool visible)
{
    label(which)->setVisible(visible);
}

QString Kavix::pauseCaption() const
{
    return m_pauseCaption;
}

void Kavix::setPauseCaption(const QString &caption)
{
    // Shown the next time the menu opens. Renamed now, the item a screen
    // reader still has the focus on as the menu closes would be read out
    // under its new name before what the command did.
    m_pauseCaption = caption;
}

QString Kavix::typedTextBox() const
{
    return m_textWord->text();
}

void Kavix::setTypedTextBox(const QString &text)
{
    m_textWord->setText(text);
}

QTimer *Kavix::timerFor(TimerId id) const
{
    switch (id) {
    case TimerId::pictScroll:
        return m_pictScroll;
    case TimerId::CreatWord:
        return m_creatWord;
    case TimerId::GaTime:
        return m_gaTime;
    }
    return nullptr;
}

void Kavix::timerChanged(TimerId id, const ExerciseTimer &timer)
{
    QTimer *t = timerFor(id);
    if (timer.enabled && timer.period > 0) {
        t->start(timer.period); // (re)starts a whole period from now
    } else {
        t->stop();
        t->setInterval(timer.period); // a period of 0 never fires
    }
}

bool Kavix::askPlayAgain(const QString &title, const QString &text)
{
    QMessageBox box(this);
    box.setObjectName(QStringLiteral("resultPrompt"));
    box.setWindowTitle(title);
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    QString lines = text;
    lines.replace(QChar(13), QChar(u'\n'));
    box.setText(lines);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    // The interface is Chinese whatever the desktop's language.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.setDefaultButton(QMessageBox::Yes);
    centreOnOwnerWhenShown(&box);
    const bool again = box.exec() == QMessageBox::Yes;
    if (again)
        m_narrator->playAgainChosen();
    return again;
}

} // namespace tarvo
