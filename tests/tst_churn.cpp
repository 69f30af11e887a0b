// Dialog churn: the settings dialog and the About box opened and dismissed
// hundreds of times during a running exercise leave no object behind and
// always give the exercise back running.
#include "frmabout.h"
#include "kavix.h"
#include "setform.h"
#include "windowrig.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSet>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

using namespace tarvo;
using namespace tarvo::rig;

namespace {

constexpr int kOpenings = 500;

// Objects alive in the window, every top-level widget and the application,
// once pending deletions have run.
int liveObjects(Kavix &w)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QSet<QObject *> all;
    const auto tree = [&all](QObject *root) {
        all.insert(root);
        for (QObject *o : root->findChildren<QObject *>())
            all.insert(o);
    };
    tree(&w);
    tree(qApp);
    for (QWidget *top : QApplication::topLevelWidgets())
        tree(top);
    return int(all.size());
}

bool suspended(Kavix &w, bool settings)
{
    return settings ? w.settingsDialog()->suspendedTimers() : w.aboutBox()->suspendedTimers();
}

} // namespace

class TestChurn : public QObject {
    Q_OBJECT
private slots:
    void dialogsOpenedHundredsOfTimesLeakNothing_data();
    void dialogsOpenedHundredsOfTimesLeakNothing();
};

void TestChurn::dialogsOpenedHundredsOfTimesLeakNothing_data()
{
    QTest::addColumn<bool>("settings");
    QTest::addColumn<QStringList>("dismissals"); // used in turn
    QTest::newRow("settings dialog") << true << QStringList{u"ok"_s, u"cancel"_s, u"close"_s, u"escape"_s};
    QTest::newRow("About box") << false << QStringList{u"ok"_s, u"close"_s, u"escape"_s};
}

void TestChurn::dialogsOpenedHundredsOfTimesLeakNothing()
{
    QFETCH(bool, settings);
    QFETCH(QStringList, dismissals);
    Kavix window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAction *start = window.findChild<QAction *>(u"mnuStart"_s);
    QAction *open = window.findChild<QAction *>(settings ? u"mnuSpeed"_s : u"mnuAbout"_s);
    QLabel *countdown = window.findChild<QLabel *>(u"timeDisplay"_s);
    start->trigger();

    int before = 0;
    const int firstRound = int(dismissals.size());
    for (int i = 0; i < firstRound + kOpenings; ++i) {
        // The dialog is created on its first use and Qt makes its keyboard
        // device at the first key event: count once every dismissal has run.
        if (i == firstRound)
            before = liveObjects(window);
        const QString how = dismissals[i % dismissals.size()];
        const int speedChoice = (i / int(dismissals.size())) % 3; // GaSpeed(k) carries the level 3 - k
        QString problem;
        QObject opening; // takes the dismissal with it if no dialog came up
        QTimer::singleShot(0, &opening, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                problem = u"no modal dialog came up"_s;
                return;
            }
            if (dialog->objectName() != (settings ? u"setForm"_s : u"frmAbout"_s) || window.engine().isRunning()
                || activeTimers(window) != 0 || !suspended(window, settings))
                problem = QStringLiteral("'%1' open: running %2, %3 timers active, suspended %4")
                              .arg(dialog->objectName())
                              .arg(window.engine().isRunning())
                              .arg(activeTimers(window))
                              .arg(suspended(window, settings));
            if (settings)
                dialog->findChild<QAbstractButton *>(QStringLiteral("GaSpeed(%1)").arg(speedChoice))->click();
            if (how == u"ok")
                dialog->findChild<QAbstractButton *>(settings ? u"setSpeedOK"_s : u"Command1"_s)->click();
            else if (how == u"cancel")
                dialog->findChild<QAbstractButton *>(u"setSpeedCancel"_s)->click();
            else if (how == u"close")
                dialog->close();
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
            if (dialog->isVisible()) {
                problem += u" and it stayed open after "_s + how;
                dialog->done(QDialog::Rejected);
            }
        });
        const QString time = countdown->text();
        const int fallPeriod = exerciseTimer(window, "pictScroll")->interval();
        open->trigger();

        const QString at = QStringLiteral("opening %1, dismissed by %2").arg(i).arg(how);
        QVERIFY2(problem.isEmpty(), qPrintable(at + u": "_s + problem));
        QVERIFY2(window.engine().isRunning() && activeTimers(window) == 3, qPrintable(at));
        QVERIFY2(!suspended(window, settings), qPrintable(at));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(countdown->text(), time); // a running exercise keeps its time
        const int expectedPeriod = settings && how == u"ok" ? (3 - speedChoice) * 100 : fallPeriod;
        QVERIFY2(exerciseTimer(window, "pictScroll")->interval() == expectedPeriod, qPrintable(at));
        QVERIFY2(exerciseTimer(window, "CreatWord")->interval() == expectedPeriod * 8, qPrintable(at));
        if (settings)
            QVERIFY(!window.settingsDialog()->isVisible());
        else
            QCOMPARE(window.aboutBox()->window(), nullptr); // unloaded after use
    }
    const int after = liveObjects(window);
    qInfo("%s: %d live objects after the first round, %d after %d more openings",
          settings ? "settings dialog" : "About box", before, after, kOpenings);
    QCOMPARE(after, before);
}

QTEST_MAIN(TestChurn)
#include "tst_churn.moc"
