#include "app/x11_startup.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace vornel {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Startup notification's messages go to the root window in pieces of 20
// bytes, the first as _NET_STARTUP_INFO_BEGIN, the rest as _NET_STARTUP_INFO;
// the terminating zero byte is part of the message.
void sendStartupMessage(xcb_connection_t* connection, xcb_window_t root, xcb_window_t from,
                        const QByteArray& message) {
    const xcb_atom_t begin = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    if (begin == XCB_ATOM_NONE || more == XCB_ATOM_NONE)
        return;
    const QByteArray bytes = message + '\0';
    for (qsizetype at = 0; at < bytes.size(); at += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = from;
        event.type = at == 0 ? begin : more;
        const QByteArray piece = bytes.mid(at, 20);
        std::memcpy(event.data.data8, piece.constData(), static_cast<size_t>(piece.size()));
        xcb_send_event(connection, false, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
}

} // namespace

std::uint32_t startupIdTime(QStringView startupId) {
    const qsizetype at = startupId.lastIndexOf(u"_TIME");
    if (at < 0)
        return 0;
    const QByteArray digits = startupId.mid(at + 5).toLatin1();
    std::uint32_t time = 0;
    const auto [end, error] =
        std::from_chars(digits.constData(), digits.constData() + digits.size(), time);
    return error == std::errc() && end == digits.constData() + digits.size() ? time : 0;
}

QByteArray startupRemoveMessage(QStringView startupId) {
    QByteArray value;
    for (const char c : startupId.toUtf8()) {
        if (c == ' ' || c == '"' || c == '\\')
            value += '\\';
        value += c;
    }
    return "remove: ID=" + value;
}

void completeStartupOnX11(const QWidget& window, const QString& startupId) {
    if (startupId.isEmpty())
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window.isVisible())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    if (!tree)
        return;
    sendStartupMessage(connection, tree->root, id, startupRemoveMessage(startupId));
    // Asked on the application's behalf (source 1), as of the click that
    // started it.
    if (const std::uint32_t time = startupIdTime(startupId)) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = atom(connection, "_NET_ACTIVE_WINDOW");
        event.data.data32[0] = 1;
        event.data.data32[1] = time;
        if (event.type != XCB_ATOM_NONE)
            xcb_send_event(connection, false, tree->root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                               XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                           reinterpret_cast<const char*>(&event));
    }
    xcb_flush(connection);
}

} // namespace vornel
