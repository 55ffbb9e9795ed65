#include "check/CheckFrameSettings.h"

void checkFrameSettings(Report& report, const FrameSettings& frame) {
    for (const FrameSettings::Problem& problem : frame.problems)
        report.warning("zarnoth.ini", problem.line, problem.text);
}
