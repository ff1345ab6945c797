// Prints what happens on the root window of $DISPLAY, a line each, until it
// is ended: "ready" once it listens; "startup MESSAGE" for a whole
// startup-notification message sent to it; "active WINDOW SOURCE TIME" for
// a request to activate a window (_NET_ACTIVE_WINDOW); "mapped WINDOW PID
// TITLE" each time a top-level window with a title is mapped, however
// briefly (WINDOW in decimal, as xdotool prints it); "sync" when the root
// window's property _VORNEL_E2E_SYNC is set, after all that happened before.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <xcb/xcb.h>

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, std::strlen(name), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return found;
}

std::string property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, name, XCB_ATOM_ANY, 0, 1024),
        nullptr);
    std::string value;
    if (reply) {
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return value;
}

} // namespace

int main() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "root_messages: no display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t begin = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    const xcb_atom_t active = atom(connection, "_NET_ACTIVE_WINDOW");
    const xcb_atom_t title = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t pid = atom(connection, "_NET_WM_PID");
    const xcb_atom_t sync = atom(connection, "_VORNEL_E2E_SYNC");
    std::set<xcb_window_t> mapped;
    // Each top-level window, mapped now or later: its own map and unmap
    // events come to this client too, wherever the window manager puts it.
    const auto reportMapped = [&](xcb_window_t window) {
        const std::string name = property(connection, window, title);
        if (name.empty() || !mapped.insert(window).second)
            return;
        const std::string owner = property(connection, window, pid);
        uint32_t process = 0;
        if (owner.size() == sizeof process)
            std::memcpy(&process, owner.data(), sizeof process);
        std::printf("mapped %u %u %s\n", window, process, name.c_str());
    };
    const auto watch = [&](xcb_window_t window) {
        const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &events);
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, window), nullptr);
        if (attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED)
            reportMapped(window);
        std::free(attributes);
    };
    std::printf("ready\n");
    std::fflush(stdout);
    std::string message;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        switch (event->response_type & 0x7f) {
        case XCB_CLIENT_MESSAGE: {
            const auto* client = reinterpret_cast<const xcb_client_message_event_t*>(event);
            if (client->type == begin || client->type == more) {
                if (client->type == begin)
                    message.clear();
                const char* bytes = reinterpret_cast<const char*>(client->data.data8);
                const size_t length = strnlen(bytes, 20);
                message.append(bytes, length);
                if (length < 20)
                    std::printf("startup %s\n", message.c_str());
            } else if (client->type == active) {
                std::printf("active %u %u %u\n", client->window, client->data.data32[0],
                            client->data.data32[1]);
            }
            break;
        }
        case XCB_CREATE_NOTIFY:
            watch(reinterpret_cast<const xcb_create_notify_event_t*>(event)->window);
            break;
        case XCB_MAP_NOTIFY:
            reportMapped(reinterpret_cast<const xcb_map_notify_event_t*>(event)->window);
            break;
        case XCB_PROPERTY_NOTIFY:
            if (reinterpret_cast<const xcb_property_notify_event_t*>(event)->atom == sync)
                std::printf("sync\n");
            break;
        case XCB_UNMAP_NOTIFY:
            mapped.erase(reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window);
            break;
        default:
            break;
        }
        std::fflush(stdout);
        std::free(event);
    }
    return 0;
}
