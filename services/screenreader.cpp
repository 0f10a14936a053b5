#include "services/screenreader.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QFile>
#include <QFileInfo>

namespace {

const QString StatusService = QStringLiteral("org.a11y.Bus");
const QString StatusPath = QStringLiteral("/org/a11y/bus");
const QString StatusInterface = QStringLiteral("org.a11y.Status");
const QString ScreenReaderEnabled = QStringLiteral("ScreenReaderEnabled");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
// The program names of the screen readers of Linux desktops.
const QStringList ScreenReaders = {QStringLiteral("orca"), QStringLiteral("odilia")};

/// Sends a call and hands its reply to the receiver once it comes, in the
/// event loop; an error or no answer at all is a reply the receiver skips.
template <class Reply, class Handler>
void ask(const QDBusConnection &bus, const QDBusMessage &call, QObject *receiver, Handler handler)
{
    auto *pending = new QDBusPendingCallWatcher(bus.asyncCall(call), receiver);
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, receiver,
                     [handler](QDBusPendingCallWatcher *answered) {
                         const Reply reply = *answered;
                         if (!reply.isError())
                             handler(reply.value());
                         answered->deleteLater();
                     });
}

QDBusMessage busCall(const QString &method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                          QStringLiteral("/org/freedesktop/DBus"),
                                          QStringLiteral("org.freedesktop.DBus"), method);
}

/// Whether the process runs one of the screen readers: by its program's
/// name, or by its script's where it was started through its interpreter.
bool runsScreenReader(uint pid)
{
    const QString process = QStringLiteral("/proc/%1/").arg(pid);
    QFile comm(process + QStringLiteral("comm"));
    QFile cmdline(process + QStringLiteral("cmdline"));
    QStringList names;
    if (comm.open(QIODevice::ReadOnly))
        names.append(QString::fromLocal8Bit(comm.readAll()).trimmed());
    if (cmdline.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> arguments = cmdline.readAll().split('\0');
        for (const QByteArray &argument : arguments.mid(0, 2))
            names.append(QFileInfo(QString::fromLocal8Bit(argument)).fileName());
    }
    for (const QString &name : std::as_const(names)) {
        if (ScreenReaders.contains(name))
            return true;
    }
    return false;
}

} // namespace

ScreenReaderWatch::ScreenReaderWatch(const QDBusConnection &session)
    : m_session(session)
{
    if (!m_session.isConnected())
        return;
    m_session.connect(StatusService, StatusPath, PropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                      SLOT(statusChanged(QString, QVariantMap, QStringList)));
    QDBusMessage get = QDBusMessage::createMethodCall(StatusService, StatusPath, PropertiesInterface,
                                                      QStringLiteral("Get"));
    get << StatusInterface << ScreenReaderEnabled;
    ask<QDBusPendingReply<QDBusVariant>>(m_session, get, this, [this](const QDBusVariant &enabled) {
        m_setting = enabled.variant().toBool();
    });
    const QDBusMessage address = QDBusMessage::createMethodCall(StatusService, StatusPath, StatusService,
                                                                QStringLiteral("GetAddress"));
    ask<QDBusPendingReply<QString>>(m_session, address, this,
                                    [this](const QString &found) { watchAccessibilityBus(found); });
}

ScreenReaderWatch::~ScreenReaderWatch()
{
    if (m_accessibility)
        QDBusConnection::disconnectFromBus(m_accessibility->name());
}

void ScreenReaderWatch::statusChanged(const QString &interface, const QVariantMap &changed,
                                      const QStringList &)
{
    if (interface == StatusInterface && changed.contains(ScreenReaderEnabled))
        m_setting = changed.value(ScreenReaderEnabled).toBool();
}

void ScreenReaderWatch::watchAccessibilityBus(const QString &address)
{
    if (address.isEmpty() || m_accessibility)
        return;
    // A connection of its own, apart from the one Qt's accessibility keeps.
    const QString name = QStringLiteral("purumoke-screen-reader-%1").arg(quintptr(this), 0, 16);
    m_accessibility = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, name));
    if (!m_accessibility->isConnected())
        return;
    // Every client has a unique name (":1.42") while it is connected. Those
    // that come later are told as they come, and each that goes, as it goes.
    m_accessibility->connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                             QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                             SLOT(ownerChanged(QString, QString, QString)));
    ask<QDBusPendingReply<QStringList>>(*m_accessibility, busCall(QStringLiteral("ListNames")), this,
                                        [this](const QStringList &clients) {
                                            for (const QString &client : clients) {
                                                if (client.startsWith(QLatin1Char(':')))
                                                    clientCame(client);
                                            }
                                        });
}

void ScreenReaderWatch::ownerChanged(const QString &name, const QString &, const QString &owner)
{
    if (!name.startsWith(QLatin1Char(':')))
        return;
    if (owner.isEmpty())
        m_readers.remove(name);
    else
        clientCame(name);
}

void ScreenReaderWatch::clientCame(const QString &name)
{
    QDBusMessage pid = busCall(QStringLiteral("GetConnectionUnixProcessID"));
    pid << name;
    ask<QDBusPendingReply<uint>>(*m_accessibility, pid, this, [this, name](uint process) {
        if (runsScreenReader(process))
            m_readers.insert(name);
    });
}
