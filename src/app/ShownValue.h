#pragma once
#include <string>
#include <string_view>

// A value from a settings file as one printable line of a message: no line
// end, no control characters, not endless.
std::string shownValue(std::string_view text);
