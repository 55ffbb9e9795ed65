#include "platform/ScreenMode.h"

#include <X11/extensions/Xrandr.h>

#include <cstdlib>
#include <utility>

#include "platform/DisplayPtr.h"

namespace {

// The mode the screen had before the game changed it, on a connection of its
// own that stays open until the mode is back.
class SavedScreenMode {
public:
    ~SavedScreenMode() { restore(); }

    void remember(DisplayPtr display, SizeID size, Rotation rotation, short rate) {
        display_ = std::move(display);
        size_ = size;
        rotation_ = rotation;
        rate_ = rate;
    }

    void restore() {
        if (!display_) return;
        const Window root = DefaultRootWindow(display_.get());
        if (XRRScreenConfiguration* config = XRRGetScreenInfo(display_.get(), root)) {
            XRRSetScreenConfigAndRate(display_.get(), config, root, size_, rotation_, rate_, CurrentTime);
            XRRFreeScreenConfigInfo(config);
        }
        display_.reset();
    }

private:
    DisplayPtr display_;
    SizeID size_ = 0;
    Rotation rotation_ = RR_Rotate_0;
    short rate_ = 0;
};

SavedScreenMode savedMode;

void restoreScreenMode() { savedMode.restore(); }

short nearestRate(const short* rates, int count, int wanted) {
    short best = 0;
    for (int i = 0; i < count; ++i) {
        if (best == 0 || std::abs(rates[i] - wanted) < std::abs(best - wanted)) best = rates[i];
    }
    return best;
}

struct ConfigFreer {
    explicit ConfigFreer(XRRScreenConfiguration* owned) : config(owned) {}
    XRRScreenConfiguration* config;
    ~ConfigFreer() { XRRFreeScreenConfigInfo(config); }
    ConfigFreer(const ConfigFreer&) = delete;
    ConfigFreer& operator=(const ConfigFreer&) = delete;
};

}  // namespace

bool switchScreenMode(int width, int height, int refresh) {
    DisplayPtr owner(XOpenDisplay(nullptr));
    Display* display = owner.get();
    if (!display) return false;
    int eventBase = 0, errorBase = 0;
    XRRScreenConfiguration* config = nullptr;
    if (XRRQueryExtension(display, &eventBase, &errorBase))
        config = XRRGetScreenInfo(display, DefaultRootWindow(display));
    if (!config) return false;
    const ConfigFreer freer(config);

    Rotation rotation = RR_Rotate_0;
    const SizeID current = XRRConfigCurrentConfiguration(config, &rotation);
    const short currentRate = XRRConfigCurrentRate(config);
    int sizeCount = 0;
    const XRRScreenSize* sizes = XRRConfigSizes(config, &sizeCount);
    int wanted = -1;
    for (int i = 0; i < sizeCount && wanted < 0; ++i) {
        if (sizes[i].width == width && sizes[i].height == height) wanted = i;
    }
    if (wanted < 0 || wanted == current) return wanted >= 0;

    int rateCount = 0;
    const short* rates = XRRConfigRates(config, wanted, &rateCount);
    const short rate = nearestRate(rates, rateCount, refresh);
    const Status status = XRRSetScreenConfigAndRate(display, config, DefaultRootWindow(display),
                                                    static_cast<SizeID>(wanted), rotation, rate, CurrentTime);
    XSync(display, False);
    if (status != RRSetConfigSuccess) return false;
    savedMode.remember(std::move(owner), current, rotation, currentRate);
    // freeglut puts back its own (VidMode) mode at exit, which the server
    // refuses while the screen is still at the game's size; exit handlers run
    // last registered first, so the screen must be back before that.
    std::atexit(restoreScreenMode);
    return true;
}
