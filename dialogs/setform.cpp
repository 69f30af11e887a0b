#include "setform.h"

#include "insight.h"
#include "practiceengine.h"

#include "accessible.h"
#include "placement.h"
#include "twips.h"

#include <QEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace tarvo {

namespace {

QRadioButton *optionButton(QGroupBox *frame, const QString &name, const QString &caption, const char *tag,
                           const QRectF &twips)
{
    auto *b = new QRadioButton(caption, frame);
    b->setObjectName(name);
    // The value to apply; the caption is only its label.
    b->setProperty("Tag", QString::fromLatin1(tag));
    placeInTwips(b, twips);
    return b;
}

int tagValue(const QRadioButton *button)
{
    return button->property("Tag").toString().toInt();
}

} // namespace

SetForm::SetForm(PracticeEngine &engine, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::CustomizeWindowHint),
      m_engine(engine)
{
    setObjectName(QStringLiteral("setForm"));
    setWindowTitle(QStringLiteral("高级设置"));
    setModal(true);

    m_frame1 = new QGroupBox(QStringLiteral("练习时间"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    placeInTwips(m_frame1, QRectF(173, 240, 1995, 2235));
    m_gaTime[0] =
        optionButton(m_frame1, QStringLiteral("GaTime(0)"), QStringLiteral("3 分钟"), "3", QRectF(420, 600, 1155, 255));
    m_gaTime[1] = optionButton(m_frame1, QStringLiteral("GaTime(1)"), QStringLiteral("6 分钟"), "6",
                               QRectF(420, 1080, 1035, 195));
    m_gaTime[2] = optionButton(m_frame1, QStringLiteral("GaTime(2)"), QStringLiteral("9 分钟"), "9",
                               QRectF(420, 1440, 1035, 255));
    m_gaTime[0]->setChecked(true);

    m_frame2 = new QGroupBox(QStringLiteral("练习速度"), this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    placeInTwips(m_frame2, QRectF(2513, 240, 1995, 2235));
    m_gaSpeed[0] =
        optionButton(m_frame2, QStringLiteral("GaSpeed(0)"), QStringLiteral("低 速"), "3", QRectF(420, 660, 1035, 195));
    m_gaSpeed[1] = optionButton(m_frame2, QStringLiteral("GaSpeed(1)"), QStringLiteral("中 速"), "2",
                                QRectF(420, 1080, 1215, 195));
    m_gaSpeed[2] = optionButton(m_frame2, QStringLiteral("GaSpeed(2)"), QStringLiteral("高 速"), "1",
                                QRectF(420, 1500, 1155, 195));
    m_gaSpeed[1]->setChecked(true);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("setSpeedOK"));
    placeInTwips(m_ok, QRectF(2280, 2700, 1035, 315));
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("setSpeedCancel"));
    placeInTwips(m_cancel, QRectF(3480, 2700, 1035, 315));
    connect(m_ok, &QPushButton::clicked, this, &SetForm::setSpeedOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &SetForm::setSpeedCancel_Click);

    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_cancel, m_gaTime[0]);
    setTabOrder(m_gaTime[0], m_gaSpeed[0]);
    m_ok->setDefault(true);
    m_ok->setFocus();

    const QRect client = twipsToPixels(this, QRectF(0, 0, 4680, 3195));
    setFixedSize(client.size());
    centreOnOwnerWhenShown(this);
}

void SetForm::showModal()
{
    execInSight(this);
}

void SetForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

bool SetForm::event(QEvent *event)
{
    // Only while shown: an activation delivered after the dialog has gone
    // must not stop the exercise it just resumed.
    if (event->type() == QEvent::WindowActivate && isVisible())
        Form_Activate();
    return QDialog::event(event);
}

void SetForm::Form_Activate()
{
    m_engine.SuspendForDialog(m_suspendedTimers);
    describeSuspension(this, m_suspendedTimers);
}

void SetForm::setSpeedOK_Click()
{
    int minutes = 0;
    int level = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (m_gaTime[i]->isChecked())
            minutes = tagValue(m_gaTime[i]);
        if (m_gaSpeed[i]->isChecked())
            level = tagValue(m_gaSpeed[i]);
    }
    m_engine.ApplyChosenSettings(qint16(minutes), qint16(level), m_suspendedTimers);
    QDialog::accept();
}

void SetForm::setSpeedCancel_Click()
{
    QDialog::reject();
    m_engine.ResumeAfterDialog(m_suspendedTimers);
}

void SetForm::reject()
{
    setSpeedCancel_Click();
}

} // namespace tarvo
