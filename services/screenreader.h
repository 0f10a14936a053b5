#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QVariantMap>

#include <memory>

/// Follows whether a screen reader is on while the game runs, without ever
/// blocking the game: the answers come in through the event loop.
///
/// Two signals tell it. The desktop's screen-reader setting, which GNOME and
/// KDE turn on with their screen reader (ScreenReaderEnabled of the
/// accessibility bus's status, on the session bus); and a screen reader's
/// process among the clients of the accessibility bus, for a screen reader
/// started by hand or from a session's autostart, which sets nothing else.
/// Other clients of that bus (on-screen keyboards, magnifiers, automation
/// tools) do not count. Where no session bus or accessibility bus answers,
/// no screen reader is on.
class ScreenReaderWatch : public QObject
{
    Q_OBJECT

public:
    /// Starts following on this session bus.
    explicit ScreenReaderWatch(const QDBusConnection &session);
    ~ScreenReaderWatch() override;

    /// Whether a screen reader is on, as far as the buses have answered.
    bool isOn() const { return m_setting || !m_readers.isEmpty(); }

private slots:
    // Slots by name: QtDBus connects a bus signal only to those.
    void statusChanged(const QString &interface, const QVariantMap &changed, const QStringList &invalidated);
    void ownerChanged(const QString &name, const QString &oldOwner, const QString &newOwner);

private:
    void watchAccessibilityBus(const QString &address);
    void clientCame(const QString &name);

    QDBusConnection m_session;
    std::unique_ptr<QDBusConnection> m_accessibility;
    bool m_setting = false;
    // The accessibility bus's clients that are screen readers, by unique name.
    QSet<QString> m_readers;
};
