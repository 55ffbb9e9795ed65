#include "app/GameNotices.h"

#include <algorithm>

#include "app/BitmapFont.h"
#include "app/OverlayText.h"
#include "game/GameState.h"
#include "game/LevelBanner.h"

namespace {
// The left end of a text centred in the window, kept inside it: a raster
// position outside the window would drop the whole text.
int centred(const OverlayScope& overlay, const char* text) {
    return std::max(4, (overlay.width - font->width(text)) / 2);
}
}  // namespace

void drawLevelBanner() {
    if (levelBanner.secondsLeft <= 0 || !font) return;
    OverlayScope overlay;
    const char* text = levelBanner.text.c_str();
    drawBandedText(*font, centred(overlay, text), overlay.height - 8 - bandAbove(*font), text);
}

void drawPauseNotice() {
    // The list of keys, when shown, carries the notice as its title.
    if (!paused || helpShown || !font) return;
    OverlayScope overlay;
    drawBandedText(*font, centred(overlay, pauseNoticeText), overlay.height / 2, pauseNoticeText);
}
