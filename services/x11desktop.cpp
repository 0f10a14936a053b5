#include "services/x11desktop.h"

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace x11 {

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t *connection()
{
    if (auto *x11App = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return x11App->connection();
    return nullptr;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t rootOf(xcb_connection_t *c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

/// Whether a window manager runs and says it understands this request.
bool windowManagerSupports(xcb_connection_t *c, xcb_atom_t request)
{
    const xcb_atom_t supported = atom(c, "_NET_SUPPORTED");
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, rootOf(c), supported, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, request) != atoms + count;
}

/// Hands every change of a window's frame extents to the game, once the
/// event that told it has been handled.
class FrameWatcher : public QAbstractNativeEventFilter
{
public:
    FrameWatcher(xcb_atom_t extents, std::function<void(QWidget *)> changed)
        : m_extents(extents)
        , m_changed(std::move(changed))
    {
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (notify->atom != m_extents)
            return false;
        if (QWidget *window = QWidget::find(notify->window)) {
            QPointer<QWidget> alive(window);
            QMetaObject::invokeMethod(
                window, [alive, changed = m_changed] {
                    if (alive)
                        changed(alive);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    xcb_atom_t m_extents;
    std::function<void(QWidget *)> m_changed;
};

} // namespace

namespace {

/// The atoms of a window's property of atoms.
std::vector<xcb_atom_t> atomsOf(xcb_connection_t *c, xcb_window_t id, xcb_atom_t property)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, id, property, XCB_ATOM_ATOM, 0, 1024), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    return std::vector<xcb_atom_t>(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4);
}

bool holds(const std::vector<xcb_atom_t> &atoms, xcb_atom_t wanted)
{
    return std::find(atoms.begin(), atoms.end(), wanted) != atoms.end();
}

} // namespace

void setSkipTaskbar(QWidget *window)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    const xcb_window_t id = window->winId();
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip = atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;

    // Qt merges its own states with what the property already holds when
    // it maps the window, so the state only needs to be there once.
    if (!holds(atomsOf(c, id, state), skip))
        xcb_change_property(c, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1, &skip);

    // A dialog that belongs to no window of the desktop's (Qt makes it the
    // transient of its hidden leader window) gets a taskbar entry from
    // GNOME's window manager whatever its state asks, as the manager then
    // resets the state: such a window is declared a normal one, which every
    // window manager frames as it frames the dialog.
    const xcb_atom_t type = atom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t dialog = atom(c, "_NET_WM_WINDOW_TYPE_DIALOG");
    const xcb_atom_t normal = atom(c, "_NET_WM_WINDOW_TYPE_NORMAL");
    if (type != XCB_ATOM_NONE && dialog != XCB_ATOM_NONE && holds(atomsOf(c, id, type), dialog))
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, type, XCB_ATOM_ATOM, 32, 1, &normal);
    xcb_flush(c);
}

std::optional<QMargins> frameExtents(QWidget *window)
{
    xcb_connection_t *c = connection();
    if (!c)
        return std::nullopt;
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window->winId(), extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    // Left, right, top, bottom.
    const auto *v = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

std::optional<bool> isViewable(QWidget *window)
{
    xcb_connection_t *c = connection();
    if (!c)
        return std::nullopt;
    const Reply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window->winId()), nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::optional<quintptr> activeWindow()
{
    xcb_connection_t *c = connection();
    if (!c)
        return std::nullopt;
    const xcb_atom_t active = atom(c, "_NET_ACTIVE_WINDOW");
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, rootOf(c), active, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
        return std::nullopt;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
}

std::unique_ptr<QAbstractNativeEventFilter> watchFrames(std::function<void(QWidget *window)> changed)
{
    xcb_connection_t *c = connection();
    if (!c)
        return nullptr;
    auto watcher = std::make_unique<FrameWatcher>(atom(c, "_NET_FRAME_EXTENTS"), std::move(changed));
    qGuiApp->installNativeEventFilter(watcher.get());
    return watcher;
}

std::optional<QMargins> requestFrameExtents(QWidget *window)
{
    xcb_connection_t *c = connection();
    if (!c)
        return std::nullopt;
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || !windowManagerSupports(c, request))
        return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window->winId();
    message.type = request;
    xcb_send_event(c, 0, rootOf(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(c);

    // The answer is a property on the window; a window manager that does
    // not support the request never sets it, and some answer only once
    // the window is mapped.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 250) {
        if (auto answer = frameExtents(window))
            return answer;
        QThread::msleep(5);
    }
    return std::nullopt;
}

} // namespace x11
