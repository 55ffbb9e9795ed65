#include "app/Launch.h"

// Without options everything comes from the working directory and ./zarnoth.ini.
int main(int argc, char** argv) { return runWithCommandLine(argc, argv); }
