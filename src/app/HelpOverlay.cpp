#include "app/HelpOverlay.h"

#include <algorithm>

#include "app/BitmapFont.h"
#include "app/GameNotices.h"
#include "app/OverlayText.h"
#include "game/GameState.h"

namespace {
const ControlLine lines[] = {
    {"Arrow up / down", "walk forward / backward (4 units per second)"},
    {"Arrow left / right", "turn left / right (160 degrees per second)"},
    {", / .", "strafe left / right"},
    {"Space", "jump"},
    {"Page Up / Page Down", "tilt the camera toward level view / toward the view from above"},
    {"c", "collision pass on / off"},
    {"o", "optimisation (display lists and vertex arrays) on / off"},
    {"m", "mip-mapping on / off (reloads the level to rebuild every texture)"},
    {"p", "pause / resume"},
    {"h", "show / hide the list of keys"},
    {"t", "sound off / on"},
    {"F1 / F2", "previous / next level"},
    {"F5 / F6", "wireframe / solid"},
    {"F11", "full screen / window"},
    {"Esc", "quit"},
};

constexpr const char* keysTitle = "Keys (h hides them)";
constexpr int columnGap = 24;
constexpr int margin = 12;

struct Layout {
    int keysWidth = 0;
    int width = 0;  // of the box's text
};

// Paused, the list says so itself: it covers the middle, where the notice would stand.
const char* title() { return paused ? pauseNoticeText : keysTitle; }

Layout measure(const BitmapFont& f) {
    Layout layout;
    int actionsWidth = 0;
    for (const ControlLine& line : lines) {
        layout.keysWidth = std::max(layout.keysWidth, f.width(line.keys));
        actionsWidth = std::max(actionsWidth, f.width(line.action));
    }
    layout.width = std::max(layout.keysWidth + columnGap + actionsWidth, f.width(title()));
    return layout;
}
}  // namespace

std::span<const ControlLine> controlLines() { return lines; }

void drawHelpOverlay() {
    if (!helpShown || !font) return;
    OverlayScope overlay;
    const BitmapFont* f = font.get();
    Layout layout = measure(*f);
    if (smallFont && layout.width + 2 * margin > overlay.width) {
        f = smallFont.get();
        layout = measure(*f);
    }

    const int step = f->lineHeight();
    const int rows = static_cast<int>(std::size(lines)) + 2;  // the title and a blank line under it
    const int left = std::max(margin, (overlay.width - layout.width) / 2);
    const int top = (overlay.height + rows * step) / 2;
    drawBand(left - margin, top - rows * step - margin / 2, left + layout.width + margin, top + margin);

    int baseline = top - bandAbove(*f);
    drawShadowedText(*f, left, baseline, title());
    baseline -= 2 * step;
    for (const ControlLine& line : lines) {
        drawShadowedText(*f, left, baseline, line.keys);
        drawShadowedText(*f, left + layout.keysWidth + columnGap, baseline, line.action);
        baseline -= step;
    }
}
