#include "platform/XMessageBox.h"

#include <GL/freeglut.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <string>
#include <vector>

#include "platform/DisplayPtr.h"
#include "platform/FocusWatch.h"
#include "platform/GameWindow.h"
#include "platform/Screen.h"
#include "platform/StaleKeyEvents.h"
#include "platform/SystemMessageBox.h"

namespace {

constexpr int margin = 16;
constexpr int buttonWidth = 80;
constexpr int buttonHeight = 28;
constexpr int minimumWidth = 240;
// Room for a window manager's title-bar buttons beside the caption.
constexpr int titleBarButtons = 96;

// Font sets follow LC_CTYPE; under a UTF-8 locale one ISO 10646 font covers
// every character of the German texts. The game's own locale comes back after.
class Utf8Locale {
public:
    Utf8Locale() {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        saved_ = current ? current : "C";
        if (!std::setlocale(LC_CTYPE, "C.UTF-8")) std::setlocale(LC_CTYPE, "en_US.UTF-8");
    }
    ~Utf8Locale() { std::setlocale(LC_CTYPE, saved_.c_str()); }
    Utf8Locale(const Utf8Locale&) = delete;
    Utf8Locale& operator=(const Utf8Locale&) = delete;

private:
    std::string saved_;
};

// In game mode freeglut holds the keyboard and the pointer; the box could
// never be answered. The grabs go for the time of the box and come back after.
class GameModeGrabPause {
public:
    explicit GameModeGrabPause(const GameWindow& game) {
        if (!game.display || !glutInitialised() || !glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) return;
        game_ = game;
        XUngrabKeyboard(game_.display, CurrentTime);
        XUngrabPointer(game_.display, CurrentTime);
        XFlush(game_.display);
    }
    ~GameModeGrabPause() {
        if (!game_.display) return;
        XGrabPointer(game_.display, game_.window, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, game_.window, None, CurrentTime);
        XGrabKeyboard(game_.display, game_.window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
        XFlush(game_.display);
    }
    bool active() const { return game_.display != nullptr; }
    GameModeGrabPause(const GameModeGrabPause&) = delete;
    GameModeGrabPause& operator=(const GameModeGrabPause&) = delete;

private:
    GameWindow game_;
};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (true) {
        const auto end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// Draws UTF-8 text with a font set, or with the server's default font when no
// font set could be made (then only ASCII looks right, but the box still works).
class BoxFont {
public:
    BoxFont(Display* display, GC gc) : display_(display), gc_(gc) {
        static const char* const patterns[] = {
            "-misc-fixed-medium-r-normal--15-*-*-*-*-*-iso10646-1",
            "-misc-fixed-*-*-*-*-*-*-*-*-*-*-iso10646-1",
            "-*-*-medium-r-normal--*-*-*-*-*-*-iso10646-1,fixed",
        };
        for (const char* pattern : patterns) {
            char** missing = nullptr;
            int missingCount = 0;
            char* defaultString = nullptr;
            fontSet_ = XCreateFontSet(display, pattern, &missing, &missingCount, &defaultString);
            if (missing) XFreeStringList(missing);
            if (fontSet_) break;
        }
        if (fontSet_) {
            const XFontSetExtents* extents = XExtentsOfFontSet(fontSet_);
            ascent_ = -extents->max_logical_extent.y;
            lineHeight_ = extents->max_logical_extent.height;
        } else {
            fallback_ = XQueryFont(display, XGContextFromGC(gc));
            if (fallback_) {
                ascent_ = fallback_->ascent;
                lineHeight_ = fallback_->ascent + fallback_->descent;
            }
        }
        lineHeight_ = std::max(lineHeight_, 1);
    }
    ~BoxFont() {
        if (fontSet_) XFreeFontSet(display_, fontSet_);
        if (fallback_) XFreeFontInfo(nullptr, fallback_, 1);
    }
    BoxFont(const BoxFont&) = delete;
    BoxFont& operator=(const BoxFont&) = delete;

    int width(const std::string& text) const {
        const int length = static_cast<int>(text.size());
        if (fontSet_) {
            XRectangle ink{}, logical{};
            Xutf8TextExtents(fontSet_, text.c_str(), length, &ink, &logical);
            return logical.width;
        }
        return fallback_ ? XTextWidth(fallback_, text.c_str(), length) : 8 * length;
    }
    void draw(Window window, int x, int baseline, const std::string& text) const {
        const int length = static_cast<int>(text.size());
        if (fontSet_)
            Xutf8DrawString(display_, window, fontSet_, gc_, x, baseline, text.c_str(), length);
        else
            XDrawString(display_, window, gc_, x, baseline, text.c_str(), length);
    }
    int ascent() const { return ascent_; }
    int lineHeight() const { return lineHeight_; }

private:
    Display* display_;
    GC gc_;
    XFontSet fontSet_ = nullptr;
    XFontStruct* fallback_ = nullptr;
    int ascent_ = 12;
    int lineHeight_ = 16;
};

void setTitle(Display* display, Window window, const std::string& caption) {
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const auto* bytes = reinterpret_cast<const unsigned char*>(caption.c_str());
    const int length = static_cast<int>(caption.size());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace, bytes,
                    length);
    XChangeProperty(display, window, XA_WM_NAME, utf8, 8, PropModeReplace, bytes, length);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON_NAME", False), utf8, 8, PropModeReplace, bytes,
                    length);
    // Lets tools tell this game's box from another program's box of the same title.
    const long pid = static_cast<long>(getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
}

void setDialogHints(Display* display, Window window, int width, int height) {
    XSizeHints* size = XAllocSizeHints();
    if (size) {
        size->flags = PMinSize | PMaxSize | PPosition;
        size->min_width = size->max_width = width;
        size->min_height = size->max_height = height;
        XSetWMNormalHints(display, window, size);
        XFree(size);
    }
    XWMHints* wm = XAllocWMHints();
    if (wm) {
        wm->flags = InputHint | StateHint;
        wm->input = True;
        wm->initial_state = NormalState;
        XSetWMHints(display, window, wm);
        XFree(wm);
    }
    XClassHint* classHint = XAllocClassHint();
    if (classHint) {
        char name[] = "zarnoth-message";
        char className[] = "Zarnoth";
        classHint->res_name = name;
        classHint->res_class = className;
        XSetClassHint(display, window, classHint);
        XFree(classHint);
    }
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, window, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialog), 1);
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&above), 1);
}

int ignoreXError(Display*, XErrorEvent*) { return 0; }

// For requests on another program's windows, which may have gone away
// meanwhile: their failure is harmless.
template <typename Request>
void tolerateXErrors(Display* display, Request request) {
    XSync(display, False);
    auto* previous = XSetErrorHandler(ignoreXError);
    request();
    XSync(display, False);
    XSetErrorHandler(previous);
}

// The window and its ancestors below the root; the last is the one among the
// root's children (a window manager's frame around it, or the window itself).
std::vector<Window> windowAndFrames(Display* display, Window window) {
    std::vector<Window> chain;
    while (window != None && chain.size() < 16) {
        chain.push_back(window);
        Window root = None, parent = None, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count)) break;
        if (children) XFree(children);
        if (parent == root) break;
        window = parent;
    }
    return chain;
}

// A key must always answer the box. Without a window manager nobody gives it
// the focus; with one, the manager may keep it on the game. So the box takes
// the focus when nobody owns it (the server's default, focus follows the
// pointer) or when the game's own window has it, windowed or full screen.
// Focus that someone put on any other window is left alone, except over the
// full-screen game, which hides every other window. Returns the window the
// focus was taken from, None when it was not taken from a window.
Window takeFocus(Display* display, Window box, Window game, bool overGameMode) {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    const bool unowned = focus == PointerRoot || focus == None;
    bool fromGame = false;
    if (!unowned && game != None) {
        const std::vector<Window> gameWindows = windowAndFrames(display, game);
        fromGame = std::find(gameWindows.begin(), gameWindows.end(), focus) != gameWindows.end();
    }
    if (!unowned && !fromGame && !overGameMode) return None;
    tolerateXErrors(display, [&] { XSetInputFocus(display, box, RevertToPointerRoot, CurrentTime); });
    return unowned ? None : focus;
}

// Gives the focus back, which a destroyed box would otherwise leave to the
// pointer: without a window manager the game's keys would stop.
void returnFocus(Display* display, Window window) {
    if (window == None) return;
    tolerateXErrors(display, [&] { XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime); });
}

// The full-screen game's window bypasses the window manager, which therefore
// stacks the box's frame below it: the box would take the keys unseen. The
// game's window goes just below the box while it is open (a window that
// bypasses the manager can be restacked by anyone) and back on top after.
void stackGameBelow(Display* display, Window box, Window game) {
    XWindowChanges changes{};
    changes.sibling = windowAndFrames(display, box).back();
    changes.stack_mode = Below;
    tolerateXErrors(display, [&] { XConfigureWindow(display, game, CWSibling | CWStackMode, &changes); });
}

void raiseGame(Display* display, Window game) {
    tolerateXErrors(display, [&] { XRaiseWindow(display, game); });
}

bool isAnswerKey(KeySym key) { return key == XK_Return || key == XK_KP_Enter || key == XK_space || key == XK_Escape; }

struct Layout {
    int width = 0;
    int height = 0;
    int buttonX = 0;
    int buttonY = 0;

    bool onButton(int x, int y) const {
        return x >= buttonX && x < buttonX + buttonWidth && y >= buttonY && y < buttonY + buttonHeight;
    }
};

void drawBox(Display* display, Window window, GC gc, const BoxFont& font, const std::vector<std::string>& lines,
             const Layout& layout, bool buttonDown) {
    const unsigned long black = BlackPixel(display, DefaultScreen(display));
    const unsigned long white = WhitePixel(display, DefaultScreen(display));
    XClearWindow(display, window);
    XSetForeground(display, gc, black);
    int baseline = margin + font.ascent();
    for (const std::string& line : lines) {
        font.draw(window, margin, baseline, line);
        baseline += font.lineHeight();
    }
    if (buttonDown) {
        XFillRectangle(display, window, gc, layout.buttonX, layout.buttonY, buttonWidth, buttonHeight);
        XSetForeground(display, gc, white);
    } else {
        XDrawRectangle(display, window, gc, layout.buttonX, layout.buttonY, buttonWidth - 1, buttonHeight - 1);
    }
    const std::string ok = "OK";
    const int textX = layout.buttonX + (buttonWidth - font.width(ok)) / 2;
    const int textY = layout.buttonY + (buttonHeight - font.lineHeight()) / 2 + font.ascent();
    font.draw(window, textX, textY, ok);
    XFlush(display);
}

void runBox(Display* display, const std::string& text, const std::string& caption, Window game, bool overGameMode) {
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    GC gc = XCreateGC(display, root, 0, nullptr);
    const BoxFont font(display, gc);
    const std::vector<std::string> lines = splitLines(text);

    Layout layout;
    int textWidth = 0;
    for (const std::string& line : lines) textWidth = std::max(textWidth, font.width(line));
    // The title bar shows the caption only as wide as the box; a narrower box gets it cut.
    const int captionWidth = font.width(caption) + 2 * margin + titleBarButtons;
    layout.width = std::max({minimumWidth, textWidth + 2 * margin, buttonWidth + 2 * margin, captionWidth});
    const int textHeight = static_cast<int>(lines.size()) * font.lineHeight();
    layout.height = margin + textHeight + margin + buttonHeight + margin;
    layout.buttonX = (layout.width - buttonWidth) / 2;
    layout.buttonY = margin + textHeight + margin;

    const int x = std::max(0, (DisplayWidth(display, screen) - layout.width) / 2);
    const int y = std::max(0, (DisplayHeight(display, screen) - layout.height) / 2);
    const unsigned long background = 0xd8d8d8;
    const Window window =
        XCreateSimpleWindow(display, root, x, y, static_cast<unsigned>(layout.width),
                            static_cast<unsigned>(layout.height), 1, BlackPixel(display, screen), background);
    setTitle(display, window, caption);
    setDialogHints(display, window, layout.width, layout.height);
    // Keeps the box above the game and tells a window manager whose it is.
    if (game != None) XSetTransientForHint(display, window, game);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XSelectInput(
        display, window,
        ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask);

    // Only a key pressed and released while the box is open answers it: a key
    // that was already down when it appeared (the one that caused the message,
    // say) must first come up. Detectable auto-repeat keeps a held key from
    // producing releases of its own.
    XkbSetDetectableAutoRepeat(display, True, nullptr);
    std::array<char, 32> heldAtStart{};
    XQueryKeymap(display, heldAtStart.data());
    std::array<bool, 256> pressed{};
    auto heldBefore = [&](unsigned keycode) { return (heldAtStart[keycode / 8] >> (keycode % 8)) & 1; };

    XMapRaised(display, window);

    bool buttonDown = false;
    bool open = true;
    bool destroyed = false;
    Window focusTakenFrom = None;
    while (open) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
            case MapNotify:
                if (overGameMode) stackGameBelow(display, window, game);
                focusTakenFrom = takeFocus(display, window, game, overGameMode);
                break;
            case Expose:
                if (event.xexpose.count == 0) drawBox(display, window, gc, font, lines, layout, buttonDown);
                break;
            case KeyPress: {
                const unsigned keycode = event.xkey.keycode & 0xff;
                if (heldBefore(keycode)) break;
                if (isAnswerKey(XLookupKeysym(&event.xkey, 0))) pressed[keycode] = true;
                break;
            }
            case KeyRelease: {
                const unsigned keycode = event.xkey.keycode & 0xff;
                if (heldBefore(keycode)) {
                    heldAtStart[keycode / 8] = static_cast<char>(heldAtStart[keycode / 8] & ~(1 << (keycode % 8)));
                    break;
                }
                if (pressed[keycode]) open = false;
                break;
            }
            case ButtonPress:
                if (event.xbutton.button == Button1 && layout.onButton(event.xbutton.x, event.xbutton.y)) {
                    buttonDown = true;
                    drawBox(display, window, gc, font, lines, layout, buttonDown);
                }
                break;
            case ButtonRelease:
                if (event.xbutton.button == Button1 && buttonDown) {
                    buttonDown = false;
                    if (layout.onButton(event.xbutton.x, event.xbutton.y))
                        open = false;
                    else
                        drawBox(display, window, gc, font, lines, layout, buttonDown);
                }
                break;
            case ClientMessage:
                if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) open = false;
                break;
            case DestroyNotify:
                open = false;
                destroyed = true;
                break;
            default:
                break;
        }
    }

    returnFocus(display, focusTakenFrom);
    if (!destroyed) XDestroyWindow(display, window);
    if (overGameMode) raiseGame(display, game);
    XFreeGC(display, gc);
    XSync(display, False);
}

}  // namespace

bool showXMessageBox(const std::string& text, const std::string& caption) {
    const Utf8Locale locale;
    const DisplayPtr owner(XOpenDisplay(nullptr));
    Display* display = owner.get();
    if (!display) return false;
    const GameWindow game = currentGameWindow();
    {
        const GameModeGrabPause pause(game);
        runBox(display, text, caption, game.window, pause.active());
    }
    if (game.display) {
        // The game's connection still holds key events from before the box,
        // among them the X server's auto-repeat of a key held into it. freeglut
        // tells a repeat by asking whether the key is still down, and after the
        // box it no longer is: a late repeat would count as a new press that no
        // release follows. The caller releases every key after a box; nothing
        // from before its answer is news, neither a key nor the focus it took.
        dropKeyEventsUntil(game.display, serverTimeNow(display));
        gameWindowLostFocus();
    }
    return true;
}

bool showSystemMessageBox(const std::string& text, const std::string& caption) {
    return showXMessageBox(text, caption);
}
