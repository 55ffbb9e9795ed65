#include "platform/WindowTag.h"

// Windows knows each window's process (GetWindowThreadProcessId): nothing to add.
void tagCurrentWindowWithProcessId() {}
