#include "platform/ScreenMode.h"

// freeglut's game mode on Windows switches with ChangeDisplaySettings itself
// (CDS_FULLSCREEN: Windows puts the old mode back when the process ends), and
// its window covers the new screen: nothing to do here.
bool switchScreenMode(int, int, int) { return false; }
