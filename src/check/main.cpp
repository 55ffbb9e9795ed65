// zarnoth-check [DIR]: checks the game data in DIR (default: the working
// directory) and prints every problem as "path:line: error: text" or
// "path:line: warning: text". Exit status 0 when clean, 1 with warnings only,
// 2 with errors.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "check/Checker.h"

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: zarnoth-check [DIR]\n");
        return 2;
    }
    std::string prefix;
    if (argc == 2) {
        const std::string dir = argv[1];
        if (chdir(dir.c_str()) != 0) {
            std::fprintf(stderr, "%s: error: %s\n", dir.c_str(), std::strerror(errno));
            return 2;
        }
        if (dir != ".") prefix = dir.back() == '/' ? dir : dir + "/";
    }
    Report report(prefix);
    Checker checker(report);
    checker.checkAll();
    report.print(stdout);
    return report.exitStatus();
}
