#include "check/CheckKeySettings.h"

#include "app/KeySettings.h"

void checkKeySettings(Report& report, const KeySettings& keys) {
    for (const KeySettings::Refusal& refusal : keys.refusals)
        report.warning("zarnoth.ini", refusal.line, refusal.text + " (the game plays without it)");
}
