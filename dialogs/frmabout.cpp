#include "frmabout.h"

#include "insight.h"
#include "practiceengine.h"

#include "accessible.h"
#include "fonts.h"
#include "icons.h"
#include "labels.h"
#include "placement.h"
#include "twips.h"

#include "tarvoconfig.h"

#include <QDesktopServices>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace tarvo {

namespace {

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

        auto *label1 = addLabel(this, QStringLiteral("Label1"), QStringLiteral("Tarvo"), QRectF(1080, 240, 1320, 315),
                                songFont(15.75, true));
        QPalette olive = label1->palette();
        olive.setColor(QPalette::WindowText, QColor(64, 64, 0));
        label1->setPalette(olive);

        addLabel(this, QStringLiteral("Label3"), QStringLiteral("作  者:"), QRectF(960, 870, 660, 195));
        addLabel(this, QStringLiteral("Label6"), QStringLiteral(TARVO_AUTHOR_NAME), QRectF(1800, 870, 810, 195));
        addLabel(this, QStringLiteral("Label5"), QStringLiteral("E-mail:"), QRectF(615, 1230, 660, 195));

        auto *label7 = new LinkLabel(QStringLiteral(TARVO_AUTHOR_EMAIL), this);
        connect(label7, &LinkLabel::clicked, &m_form, &FrmAbout::Label7_Click);
        label7->setObjectName(QStringLiteral("Label7"));
        label7->setAccessibleDescription(QStringLiteral("发送电子邮件"));
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
        image1->setAccessibleName(QStringLiteral("鼠标指针图片"));
        image1->setPixmap(aboutPicture());
        image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeInTwips(image1, QRectF(120, 120, 480, 480));

        // OK keeps the first focus; Tab reaches the link.
        setTabOrder(command1, label7);
        command1->setFocus();
        setFixedSize(twipsToPixels(this, QRectF(0, 0, 3480, 2160)).size());
        centreOnOwnerWhenShown(this);
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
    execInSight(m_window);
    if (!self)
        return;      // the program ended while the box was open
    delete m_window; // unloaded; the next opening loads it afresh
}

void FrmAbout::Form_Activate()
{
    m_engine.SuspendForDialog(m_suspendedTimers);
    if (m_window)
        describeSuspension(m_window, m_suspendedTimers);
}

void FrmAbout::Command1_Click()
{
    m_engine.ResumeAfterDialog(m_suspendedTimers);
    if (m_window)
        m_window->done(QDialog::Accepted);
}

void FrmAbout::Label7_Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + QStringLiteral(TARVO_AUTHOR_EMAIL)));
}

} // namespace tarvo
