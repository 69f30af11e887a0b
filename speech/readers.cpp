#include "readers.h"

#include "narration.h"

#include "accessible.h"

#include <QAccessibleWidget>
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QAccessibleAnnouncementEvent>
#endif
#include <QHash>
#include <QLabel>

namespace tarvo {

namespace {

// An object for readers alone, a child of the client area.
class VirtualAccessible : public QAccessibleInterface {
public:
    explicit VirtualAccessible(QWidget *client) : m_client(client) {}

    bool isValid() const override { return m_client; }
    // No object of its own: it is not a widget.
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_client ? m_client->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_client); }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}

protected:
    QPointer<QWidget> m_client;
};

class StatusBarAccessible final : public VirtualAccessible {
public:
    StatusBarAccessible(QWidget *client, const StatusStrip &strip) : VirtualAccessible(client), m_strip(strip) {}

    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !m_client || !m_client->isVisible();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? spokenStatus(m_strip) : QString();
    }
    QRect rect() const override
    {
        QRect area;
        for (const QPointer<QLabel> &label : m_strip.all) {
            if (label)
                area |= QRect(label->mapToGlobal(QPoint()), label->size());
        }
        return area;
    }

private:
    StatusStrip m_strip;
};

// Shown while a phrase is being said; Orca speaks a notification as it
// appears.
class NoticeAccessible final : public VirtualAccessible {
public:
    NoticeAccessible(QWidget *client, const WindowReaders &readers) : VirtualAccessible(client), m_readers(&readers) {}

    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !m_readers || m_readers->notice().isEmpty();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && m_readers ? m_readers->notice() : QString();
    }
    QRect rect() const override
    {
        return m_client ? QRect(m_client->mapToGlobal(QPoint()), m_client->size()) : QRect();
    }

private:
    QPointer<const WindowReaders> m_readers;
};

struct Virtuals {
    QAccessible::Id statusBar = 0;
    QAccessible::Id notice = 0;
    QList<QAccessibleInterface *> all() const
    {
        return {QAccessible::accessibleInterface(statusBar), QAccessible::accessibleInterface(notice)};
    }
};

// The client area, with the readers' objects after its widgets.
class ClientAccessible final : public QAccessibleWidget {
public:
    ClientAccessible(QWidget *client, const Virtuals &virtuals) : QAccessibleWidget(client), m_virtuals(virtuals) {}

    int childCount() const override { return QAccessibleWidget::childCount() + int(m_virtuals.all().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index >= widgets)
            return m_virtuals.all().value(index - widgets);
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const qsizetype i = m_virtuals.all().indexOf(child);
        return i >= 0 ? QAccessibleWidget::childCount() + int(i) : QAccessibleWidget::indexOfChild(child);
    }

private:
    Virtuals m_virtuals;
};

QHash<const QObject *, Virtuals> &virtualsByClient()
{
    static QHash<const QObject *, Virtuals> byClient;
    return byClient;
}

QAccessibleInterface *clientAccessible(const QString &, QObject *object)
{
    if (const auto v = virtualsByClient().constFind(object); v != virtualsByClient().cend())
        return new ClientAccessible(static_cast<QWidget *>(object), *v);
    return nullptr;
}

void send(QAccessible::Id id, QAccessible::Event type)
{
    if (QAccessibleInterface *iface = QAccessible::accessibleInterface(id)) {
        QAccessibleEvent event(iface, type);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace

QString spokenStatus(const StatusStrip &strip)
{
    QStringList parts;
    if (strip.pause && !strip.pause->isHidden())
        parts << QStringLiteral("已暂停");
    if (strip.speed && !strip.speed->isHidden())
        parts << spokenSpeed(strip.speed->text());
    if (strip.accuracy && !strip.accuracy->isHidden())
        parts << spokenAccuracy(strip.accuracy->text());
    if (strip.countdown)
        parts << spokenTimeLeft(strip.countdown->text());
    return parts.join(u'，');
}

WindowReaders::WindowReaders(QWidget *client, const StatusStrip &strip, QObject *parent)
    : QObject(parent),
      m_client(client)
{
    installAccessibleFactory(clientAccessible);
    Virtuals v;
    v.statusBar = QAccessible::registerAccessibleInterface(new StatusBarAccessible(client, strip));
    v.notice = QAccessible::registerAccessibleInterface(new NoticeAccessible(client, *this));
    virtualsByClient().insert(client, v);
    // The client area may go before its readers do.
    connect(client, &QObject::destroyed, this, [client] { forgetClient(client); });
    // A reader may have looked at the client area already: its next look
    // finds the new children.
    if (QAccessibleInterface *known = QAccessible::queryAccessibleInterface(client);
        known && !dynamic_cast<ClientAccessible *>(known))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));

    m_noticeEnd.setSingleShot(true);
    connect(&m_noticeEnd, &QTimer::timeout, this, &WindowReaders::hideNotice);
}

WindowReaders::~WindowReaders()
{
    // A client area gone first was forgotten as it went.
    if (m_client)
        forgetClient(m_client);
}

void WindowReaders::forgetClient(const QObject *client)
{
    // By the address the client had: a widget made later at the same
    // address must not be taken for this client area.
    if (const auto v = virtualsByClient().take(client); v.statusBar) {
        QAccessible::deleteAccessibleInterface(v.statusBar);
        QAccessible::deleteAccessibleInterface(v.notice);
    }
}

void WindowReaders::announce(const QString &phrase, int durationMs, QWidget *speaker)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent spoken(speaker ? speaker : m_client.data(), phrase);
    // Each phrase is due now: the game paces them itself.
    spoken.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&spoken);
    Q_UNUSED(durationMs);
#else
    Q_UNUSED(speaker);
    const Virtuals v = virtualsByClient().value(m_client);
    if (!m_notice.isEmpty())
        send(v.notice, QAccessible::ObjectHide);
    m_notice = phrase;
    // The new name first, so that a reader's copy of it is not stale.
    send(v.notice, QAccessible::NameChanged);
    send(v.notice, QAccessible::ObjectShow);
    m_noticeEnd.start(std::max(durationMs, 1));
#endif
}

void WindowReaders::statusMayHaveChanged()
{
    const QAccessible::Id statusBar = virtualsByClient().value(m_client).statusBar;
    QAccessibleInterface *iface = QAccessible::accessibleInterface(statusBar);
    if (!iface)
        return;
    const QString status = iface->text(QAccessible::Name);
    if (status == m_toldStatus)
        return;
    m_toldStatus = status;
    send(statusBar, QAccessible::NameChanged);
}

void WindowReaders::hideNotice()
{
    if (m_notice.isEmpty())
        return;
    m_notice.clear();
    send(virtualsByClient().value(m_client).notice, QAccessible::ObjectHide);
}

} // namespace tarvo
