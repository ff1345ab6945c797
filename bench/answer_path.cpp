// The path to an answer as a user sees it on an X display: a program started,
// its search opened and a query typed, each step timed from the user's action
// (the start, a key pressed with XTest) to the last drawing on the program's
// windows (DAMAGE) before the screen rests. The same watcher times Vornel, a
// PDF viewer showing the same chart and a floor, so that they compare.
//
//   vornel_answer_path vornel QUERY -- PROGRAM ARGS...   Ctrl+F, then QUERY
//   vornel_answer_path viewer QUERY -- PROGRAM ARGS...   /, then QUERY, Enter
//   vornel_answer_path start -- PROGRAM ARGS...          the start alone
//
// Prints "start_ns N", and "find_ns N" and "match_ns N" for a search.
// The display must have no window manager and no other client drawing.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

// How long nothing is drawn before the screen counts as at rest: longer
// than any pause between a program's paints of one step.
constexpr milliseconds kQuiet{300};
// A step that has not come to rest by then has failed.
constexpr milliseconds kGiveUp{20000};

// A window destroyed before its drawing is watched is no fault.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

class Watcher {
public:
    explicit Watcher(Display* display)
        : display_(display)
        , root_(DefaultRootWindow(display)) {
        XSelectInput(display_, root_, SubstructureNotifyMask);
        XSync(display_, False);
    }

    bool ready() const { return damage_ >= 0; }

    // Waits until nothing has been drawn for kQuiet; returns how long after
    // `since` the last drawing was, or nothing if the screen did not come to
    // rest (or, where `drawn` is asked for, nothing was drawn at all).
    std::optional<nanoseconds> settle(Clock::time_point since, bool drawn = true) {
        last_ = Clock::time_point::min();
        for (;;) {
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                handle(event);
            }
            const Clock::time_point now = Clock::now();
            const Clock::time_point from = last_ > since ? last_ : since;
            if (now - from >= kQuiet)
                return last_ > since ? std::optional(last_ - since)
                       : drawn       ? std::nullopt
                                     : std::optional(nanoseconds{0});
            if (now - since > kGiveUp)
                return std::nullopt;
            const auto wait = std::chrono::ceil<milliseconds>(kQuiet - (now - from));
            pollfd connection{ConnectionNumber(display_), POLLIN, 0};
            poll(&connection, 1, static_cast<int>(wait.count()));
        }
    }

    // Gives the last window shown the keyboard, and waits for what that draws.
    bool focusLastShown() {
        if (shown_.empty())
            return false;
        XSetInputFocus(display_, shown_.back(), RevertToPointerRoot, CurrentTime);
        XSync(display_, False);
        return settle(Clock::now(), false).has_value();
    }

    // Presses and releases each of `keys`, with Shift where the key needs it
    // (or `modifier` held throughout); returns when the last was sent.
    Clock::time_point press(const std::vector<KeySym>& keys, KeySym modifier = NoSymbol) {
        const KeyCode held = modifier ? XKeysymToKeycode(display_, modifier) : 0;
        const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
        if (held)
            XTestFakeKeyEvent(display_, held, True, CurrentTime);
        for (KeySym key : keys) {
            const KeyCode code = XKeysymToKeycode(display_, key);
            const bool shifted = XkbKeycodeToKeysym(display_, code, 0, 0) != key;
            if (shifted)
                XTestFakeKeyEvent(display_, shift, True, CurrentTime);
            XTestFakeKeyEvent(display_, code, True, CurrentTime);
            XTestFakeKeyEvent(display_, code, False, CurrentTime);
            if (shifted)
                XTestFakeKeyEvent(display_, shift, False, CurrentTime);
        }
        if (held)
            XTestFakeKeyEvent(display_, held, False, CurrentTime);
        XFlush(display_);
        return Clock::now();
    }

    void start() {
        int error = 0;
        if (!XDamageQueryExtension(display_, &damage_, &error))
            damage_ = -1;
        int major = 0;
        int minor = 0;
        int event = 0;
        if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
            damage_ = -1;
    }

private:
    void handle(const XEvent& event) {
        if (event.type == CreateNotify && event.xcreatewindow.parent == root_) {
            // Watched from its creation: nothing is drawn before it is shown.
            XDamageCreate(display_, event.xcreatewindow.window, XDamageReportRawRectangles);
        } else if (event.type == MapNotify && event.xmap.event == root_ &&
                   !event.xmap.override_redirect) {
            shown_.push_back(event.xmap.window);
        } else if (event.type == damage_ + XDamageNotify) {
            last_ = Clock::now();
        }
    }

    Display* display_;
    Window root_;
    int damage_ = -1;
    Clock::time_point last_ = Clock::time_point::min();
    std::vector<Window> shown_;
};

// The keys that type `text` (printable ASCII, whose key symbols are its
// codes), then those of `after`.
std::vector<KeySym> keysOf(const std::string& text, std::vector<KeySym> after = {}) {
    std::vector<KeySym> keys;
    for (char c : text)
        keys.push_back(static_cast<KeySym>(static_cast<unsigned char>(c)));
    keys.insert(keys.end(), after.begin(), after.end());
    return keys;
}

void print(const char* name, nanoseconds time) {
    std::printf("%s %lld\n", name, static_cast<long long>(time.count()));
}

int fail(const char* what) {
    std::fprintf(stderr, "vornel_answer_path: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const auto separator = std::find(args.begin(), args.end(), "--");
    if (args.empty() || separator == args.end() || separator + 1 == args.end())
        return fail("usage: vornel_answer_path vornel|viewer QUERY -- PROGRAM ARGS... | "
                    "start -- PROGRAM ARGS...");
    const std::string mode = args.front();
    const bool search = mode == "vornel" || mode == "viewer";
    if (!(search ? separator - args.begin() == 2
                 : mode == "start" && separator == args.begin() + 1))
        return fail("give vornel or viewer with a query, or start, before --");
    const std::string query = search ? args[1] : std::string();

    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return fail("no X display");
    XSetErrorHandler(ignoreErrors);
    Watcher watcher(display);
    watcher.start();
    if (!watcher.ready())
        return fail("the display has no DAMAGE or XTEST extension");

    const Clock::time_point started = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> command;
        for (auto at = separator + 1; at != args.end(); ++at)
            command.push_back(at->data());
        command.push_back(nullptr);
        execvp(command[0], command.data());
        std::perror(command[0]);
        _exit(127);
    }
    if (pid < 0)
        return fail("could not start the program");

    int status = 0;
    const std::optional<nanoseconds> start = watcher.settle(started);
    if (!start) {
        status = fail("the program drew nothing, or never came to rest");
    } else {
        print("start_ns", *start);
        if (search) {
            std::optional<nanoseconds> find;
            std::optional<nanoseconds> match;
            if (watcher.focusLastShown()) {
                const Clock::time_point pressed = mode == "vornel"
                                                      ? watcher.press({XK_f}, XK_Control_L)
                                                      : watcher.press({XK_slash});
                find = watcher.settle(pressed);
            }
            if (find && watcher.focusLastShown()) {
                const Clock::time_point typed =
                    watcher.press(mode == "vornel" ? keysOf(query) : keysOf(query, {XK_Return}));
                match = watcher.settle(typed);
            }
            if (find && match) {
                print("find_ns", *find);
                print("match_ns", *match);
            } else {
                status = fail("the search drew nothing, or never came to rest");
            }
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    return status;
}
