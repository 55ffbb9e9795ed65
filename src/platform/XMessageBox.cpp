// Placeholder until the X11 box lands: behaves as if no display were there.
#include "platform/XMessageBox.h"

bool showXMessageBox(const std::string&, const std::string&) { return false; }
