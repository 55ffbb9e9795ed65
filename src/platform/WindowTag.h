#pragma once

// Marks GLUT's current window with this process's id (_NET_WM_PID), which
// freeglut leaves out: window managers use it to end a hung program, and
// tools use it to tell this game's window from another of the same title.
void tagCurrentWindowWithProcessId();
