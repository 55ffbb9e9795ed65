#include "app/Launch.h"
#include "app/LevelWatch.h"
#include "check/Checker.h"

// Without options everything comes from the working directory and ./zarnoth.ini.
int main(int argc, char** argv) {
    // --watch names what is wrong with a level it reloads as zarnoth-check would.
    findLevelError = firstLevelError;
    return runWithCommandLine(argc, argv);
}
