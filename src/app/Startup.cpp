#include "app/Startup.h"

#include <cstdio>
#include <ios>

#include "app/GameStart.h"
#include "app/InvalidDisplayException.h"
#include "app/Settings.h"
#include "game/GameSounds.h"
#include "platform/HeapKeeping.h"
#include "platform/MessageBox.h"

std::unique_ptr<Settings> settings;

int runZarnoth() {
    keepFreedMemoryForFrames();
    settings = std::make_unique<Settings>();
    try {
        try {
            settings->load();
        } catch (const std::ios_base::failure&) {
            showMessage("zarnoth.ini kann nicht gelesen werden. Standardsettings werden erstellt.", "Fehler");
            *settings = Settings::fallback();
        }
        reportSoundSettings(settings->sound);
        startSound({settings->sound.on, settings->sound.volume});
        startGame(*settings);
    } catch (const InvalidDisplayException& error) {
        // The box says only that the settings were refused; stderr says which and why.
        if (!error.detail.empty()) std::fprintf(stderr, "zarnoth: %s\n", error.detail.c_str());
        showMessage(error.what(), "Fehler");
        return 0;
    }
    return 0;
}
