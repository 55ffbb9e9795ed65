// gtest first: Xlib's macros (None, Bool) break its headers.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
// clang-format on
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <tuple>

#include "platform/XMessageBox.h"

namespace {

using namespace std::chrono_literals;

std::string propertyText(Display* display, Window window, const char* name) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &data) == Success &&
        data) {
        if (format == 8) text.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return text;
}

// A box shown by a child process, so that the test can answer it from outside.
class BoxProcess {
public:
    BoxProcess(const std::string& text, const std::string& caption) : caption_(caption) {
        pid_ = fork();
        if (pid_ == 0) _exit(showXMessageBox(text, caption) ? 0 : 1);
        // A box that closed too early must fail the test, not end it with an X error.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        display_ = XOpenDisplay(nullptr);
    }
    ~BoxProcess() {
        if (pid_ > 0 && !finished_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (display_) XCloseDisplay(display_);
    }
    BoxProcess(const BoxProcess&) = delete;
    BoxProcess& operator=(const BoxProcess&) = delete;

    // The box's window, once it is mapped; None when it does not appear.
    // A window manager puts it inside a frame of its own.
    Window waitForWindow() {
        for (auto deadline = std::chrono::steady_clock::now() + 20s; std::chrono::steady_clock::now() < deadline;
             std::this_thread::sleep_for(50ms)) {
            const Window found = findBox(DefaultRootWindow(display_), 0);
            if (found != None) {
                window_ = found;
                return found;
            }
        }
        return None;
    }

    void key(KeySym symbol, bool press) {
        XKeyEvent event{};
        event.type = press ? KeyPress : KeyRelease;
        event.display = display_;
        event.window = window_;
        event.root = DefaultRootWindow(display_);
        event.time = CurrentTime;
        event.same_screen = True;
        event.keycode = XKeysymToKeycode(display_, symbol);
        XSendEvent(display_, window_, True, press ? KeyPressMask : KeyReleaseMask, reinterpret_cast<XEvent*>(&event));
        XFlush(display_);
    }
    void button(int x, int y, bool press) {
        XButtonEvent event{};
        event.type = press ? ButtonPress : ButtonRelease;
        event.display = display_;
        event.window = window_;
        event.root = DefaultRootWindow(display_);
        event.time = CurrentTime;
        event.same_screen = True;
        event.button = Button1;
        event.x = x;
        event.y = y;
        XSendEvent(display_, window_, True, press ? ButtonPressMask : ButtonReleaseMask,
                   reinterpret_cast<XEvent*>(&event));
        XFlush(display_);
    }
    void closeByWindowManager() {
        XClientMessageEvent event{};
        event.type = ClientMessage;
        event.window = window_;
        event.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        event.format = 32;
        event.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
        event.data.l[1] = CurrentTime;
        XSendEvent(display_, window_, False, NoEventMask, reinterpret_cast<XEvent*>(&event));
        XFlush(display_);
    }
    void focus() {
        XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
        XSync(display_, False);
    }
    XWindowAttributes geometry() {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display_, window_, &attributes);
        return attributes;
    }

    // True when the box has returned (with true) within the given time.
    bool closedWithin(std::chrono::milliseconds time) {
        for (auto deadline = std::chrono::steady_clock::now() + time;; std::this_thread::sleep_for(20ms)) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                finished_ = true;
                return WIFEXITED(status) && WEXITSTATUS(status) == 0;
            }
            if (std::chrono::steady_clock::now() >= deadline) return false;
        }
    }

    Display* display() const { return display_; }

private:
    Window findBox(Window parent, int depth) {
        Window root = 0, up = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, parent, &root, &up, &children, &count)) return None;
        Window found = None;
        for (unsigned i = 0; i < count && found == None; ++i) {
            XWindowAttributes attributes{};
            if (propertyText(display_, children[i], "_NET_WM_NAME") == caption_ &&
                XGetWindowAttributes(display_, children[i], &attributes) && attributes.map_state == IsViewable)
                found = children[i];
            else if (depth < 2)
                found = findBox(children[i], depth + 1);
        }
        if (children) XFree(children);
        return found;
    }

    std::string caption_;
    pid_t pid_ = -1;
    bool finished_ = false;
    Display* display_ = nullptr;
    Window window_ = None;
};

std::string uniqueCaption(const char* what) {
    return std::string(
               "Pr\xc3\xbc"
               "fung ") +
           what + " " + std::to_string(getpid());
}

}  // namespace

TEST(XMessageBox, CarriesItsUtf8CaptionAndClosesFromTheWindowManager) {
    // A caption far longer than the text: a window manager cuts a caption
    // that is wider than the box.
    const std::string caption = uniqueCaption("title with a caption much longer than the text of the box");
    BoxProcess box("Lesefehler.", caption);
    const Window window = box.waitForWindow();
    ASSERT_NE(window, None);
    EXPECT_EQ(propertyText(box.display(), window, "WM_NAME"), caption);
    EXPECT_GE(box.geometry().width, 7 * static_cast<int>(caption.size()));
    EXPECT_FALSE(box.closedWithin(200ms));
    box.closeByWindowManager();
    EXPECT_TRUE(box.closedWithin(10s));
}

TEST(XMessageBox, OnlyAKeyPressedAndReleasedInsideAnswers) {
    BoxProcess box("          You are dead!          ", uniqueCaption("keys"));
    ASSERT_NE(box.waitForWindow(), None);
    box.key(XK_Return, false);  // the release of a press it never saw
    box.key(XK_a, true);
    box.key(XK_a, false);
    EXPECT_FALSE(box.closedWithin(300ms));
    box.key(XK_Escape, true);
    EXPECT_FALSE(box.closedWithin(200ms));
    box.key(XK_Escape, false);
    EXPECT_TRUE(box.closedWithin(10s));
}

TEST(XMessageBox, AKeyHeldWhenTheBoxAppearsDoesNotAnswerIt) {
    // Holds the key on the server itself, as a player would. Real key events
    // go to the focused window, which may be another test's box on the shared
    // server: the release must reach this box, so it gets the focus first.
    ASSERT_EQ(std::system("xdotool keydown KP_Enter"), 0);
    struct Release {
        ~Release() {
            if (!released) std::ignore = std::system("xdotool keyup KP_Enter");
        }
        bool released = false;
    } release;
    BoxProcess box("Held", uniqueCaption("held"));
    ASSERT_NE(box.waitForWindow(), None);
    box.focus();
    box.key(XK_KP_Enter, true);  // auto-repeat of the held key
    ASSERT_EQ(std::system("xdotool keyup KP_Enter"), 0);
    release.released = true;
    box.key(XK_KP_Enter, false);
    EXPECT_FALSE(box.closedWithin(300ms));
    box.key(XK_space, true);
    box.key(XK_space, false);
    EXPECT_TRUE(box.closedWithin(10s));
}

TEST(XMessageBox, AClickAnswersOnlyOnTheButton) {
    BoxProcess box("Click", uniqueCaption("click"));
    ASSERT_NE(box.waitForWindow(), None);
    const XWindowAttributes size = box.geometry();
    const int buttonX = size.width / 2;
    const int buttonY = size.height - 16 - 14;
    box.button(2, 2, true);
    box.button(2, 2, false);
    box.button(buttonX, buttonY, true);
    box.button(2, 2, false);  // pressed on OK, released elsewhere
    EXPECT_FALSE(box.closedWithin(300ms));
    box.button(buttonX, buttonY, true);
    box.button(buttonX, buttonY, false);
    EXPECT_TRUE(box.closedWithin(10s));
}

TEST(XMessageBox, ReportsWhenNoDisplayCanBeOpened) {
    const char* previous = std::getenv("DISPLAY");
    const std::string saved = previous ? previous : "";
    setenv("DISPLAY", ":9999", 1);
    EXPECT_FALSE(showXMessageBox("text", "caption"));
    setenv("DISPLAY", saved.c_str(), 1);
}
