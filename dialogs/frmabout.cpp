#include "frmabout.h"

#include "fonts.h"
#include "icons.h"
#include "practiceengine.h"
#include "twips.h"

#include "tarvoconfig.h"

#include <QDesktopServices>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include <functional>

namespace tarvo {

namespace {

// The e-mail address as a link: blue, underlined, a hand over it; a left
// click on it reports a click.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString &text, QWidget *parent, std::function<void()> onClick)
        : QLabel(text, parent),
          m_onClick(std::move(onClick))
    {
        setTextFormat(Qt::PlainText);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        m_pressed = event->button() == Qt::LeftButton;
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        const bool click =
            m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
        m_pressed = false;
        event->accept();
        if (click && m_onClick)
            m_onClick();
    }

private:
    std::function<void()> m_onClick;
    bool m_pressed = false;
};

class AboutWindow : public QDialog {
public:
    AboutWindow(FrmAbout &form, QWidget *owner)
        : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                             | Qt::CustomizeWindowHint),
          m_form(form)
    {
        setObjectName(QStringLiteral("frmAbout"));
        setWindowTitle(QStringLiteral("关于 Tarvo"));
        setWindowIcon(QIcon(aboutPicture()));
        setModal(true);

        auto *command1 = new QPushButton(QStringLiteral("确定"), this);
        command1->setObjectName(QStringLiteral("Command1"));
        placeInTwips(command1, QRectF(1200, 1680, 1035, 315));
        command1->setDefault(true);
        connect(command1, &QPushButton::clicked, this, [this] { m_form.Command1_Click(); });

        auto *label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Tarvo"), QRectF(1080, 240, 1320, 315),
                                songFont(15.75, true));
        QPalette olive = label1->palette();
        olive.setColor(QPalette::WindowText, QColor(64, 64, 0));
        label1->setPalette(olive);

        addLabel(QStringLiteral("Label3"), QStringLiteral("作  者:"), QRectF(960, 870, 660, 195));
        addLabel(QStringLiteral("Label6"), QStringLiteral(TARVO_AUTHOR_NAME), QRectF(1800, 870, 810, 195));
        addLabel(QStringLiteral("Label5"), QStringLiteral("E-mail:"), QRectF(615, 1230, 660, 195));

        auto *label7 = new LinkLabel(QStringLiteral(TARVO_AUTHOR_EMAIL), this, [this] { m_form.Label7_Click(); });
        label7->setObjectName(QStringLiteral("Label7"));
        QFont link = songFont(9);
        link.setUnderline(true);
        label7->setFont(link);
        label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette blue = label7->palette();
        blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
        label7->setPalette(blue);
        placeInTwips(label7, QRectF(1290, 1230, 1680, 195));

        auto *image1 = new QLabel(this);
        image1->setObjectName(QStringLiteral("Image1"));
        image1->setPixmap(aboutPicture());
        image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeInTwips(image1, QRectF(120, 120, 480, 480));

        command1->setFocus();
        setFixedSize(twipsToPixels(this, QRectF(0, 0, 3480, 2160)).size());
    }

    // The close box and Escape act as OK.
    void reject() override { m_form.Command1_Click(); }

protected:
    void showEvent(QShowEvent *event) override
    {
        QDialog::showEvent(event);
        m_form.Form_Activate();
    }
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate && isVisible())
            m_form.Form_Activate();
        return QDialog::event(event);
    }

private:
    QLabel *addLabel(const QString &name, const QString &text, const QRectF &twips, const QFont &font = QFont())
    {
        auto *l = new QLabel(text, this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setFont(font);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeInTwips(l, twips);
        return l;
    }

    FrmAbout &m_form;
};

} // namespace

FrmAbout::FrmAbout(PracticeEngine &engine, QWidget *owner) : QObject(owner), m_engine(engine), m_owner(owner)
{
    setObjectName(QStringLiteral("frmAboutForm"));
}

FrmAbout::~FrmAbout()
{
    delete m_window;
}

void FrmAbout::showModal()
{
    if (m_window)
        return; // already open
    QPointer<FrmAbout> self(this);
    m_window = new AboutWindow(*this, m_owner);
    m_window->exec();
    if (!self)
        return;      // the program ended while the box was open
    delete m_window; // unloaded; the next opening loads it afresh
}

void FrmAbout::Form_Activate()
{
    m_engine.SuspendForDialog(m_suspendedTimers);
}

void FrmAbout::Command1_Click()
{
    if (m_suspendedTimers) {
        m_engine.SetExerciseTimers(true);
        m_suspendedTimers = false;
    }
    if (m_window)
        m_window->done(QDialog::Accepted);
}

void FrmAbout::Label7_Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + QStringLiteral(TARVO_AUTHOR_EMAIL)));
}

} // namespace tarvo
