#include "app/GameNotices.h"

#include <algorithm>

#include "app/BitmapFont.h"
#include "app/OverlayText.h"
#include "game/GameState.h"
#include "game/LevelBanner.h"
#include "game/LevelResult.h"

namespace {
// The left end of a text centred in the window, kept inside it: a raster
// position outside the window would drop the whole text.
int centred(const OverlayScope& overlay, const char* text) {
    return std::max(4, (overlay.width - font->width(text)) / 2);
}
}  // namespace

void drawLevelBanner() {
    const bool bannerShown = levelBanner.secondsLeft > 0;
    const bool resultShown = levelResult.secondsLeft > 0 && !levelResult.text.empty();
    if (!(bannerShown || resultShown) || !font) return;
    OverlayScope overlay;
    const int top = overlay.height - 8 - bandAbove(*font);
    if (bannerShown) drawBandedText(*font, centred(overlay, levelBanner.text.c_str()), top, levelBanner.text.c_str());
    // A line lower, in the same place whether or not the banner still shows.
    const int below = top - bandBelow(*font) - bandAbove(*font) - 6;
    if (resultShown) drawBandedText(*font, centred(overlay, levelResult.text.c_str()), below, levelResult.text.c_str());
}

void drawPauseNotice() {
    // The list of keys, when shown, carries the notice as its title.
    if (!paused || helpShown || !font) return;
    OverlayScope overlay;
    drawBandedText(*font, centred(overlay, pauseNoticeText), overlay.height / 2, pauseNoticeText);
}
