#pragma once
#include <cstdio>
#include <string>

// sscanf for the lines of the game's files, with one difference: a number
// for a %d field that does not fit an int reads as INT_MAX or INT_MIN.
// sscanf itself leaves that undefined, and the C libraries differ (glibc
// wraps it, mingw-w64 caps it), so a hostile file would read differently on
// Linux and on Windows. Supports the conversions the readers use: %d, %f,
// %c, %Ns and %N[set], each optionally with a width.
std::string clampIntegerFields(const char* line, const char* format);

// Whether the line holds a run of ten digits or more: without one, no number
// can be too large for an int, and the line is read as it stands.
bool hasLongNumber(const char* line);

template <typename... Fields>
int scanLine(const char* line, const char* format, Fields*... fields) {
    if (!hasLongNumber(line)) return std::sscanf(line, format, fields...);
    const std::string clamped = clampIntegerFields(line, format);
    return std::sscanf(clamped.c_str(), format, fields...);
}

template <typename... Fields>
int scanLine(const std::string& line, const char* format, Fields*... fields) {
    return scanLine(line.c_str(), format, fields...);
}
