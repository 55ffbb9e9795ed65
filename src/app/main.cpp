#include "app/Startup.h"

// The command line is not used: everything comes from ./zarnoth.ini.
int main() { return runZarnoth(); }
