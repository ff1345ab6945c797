// Prints the client messages sent to the root window of $DISPLAY, a line
// each, until it is ended: "ready" once it listens; "startup MESSAGE" for a
// whole startup-notification message; "active WINDOW SOURCE TIME" for a
// request to activate a window (_NET_ACTIVE_WINDOW; WINDOW in decimal, as
// xdotool prints it).
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    std::printf("ready\n");
    std::fflush(stdout);
    std::string message;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
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
            std::fflush(stdout);
        }
        std::free(event);
    }
    return 0;
}
