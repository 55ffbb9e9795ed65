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

// A model file holds tens of thousands of lines of plain numbers, and sscanf
// spent most of a level load on them. A line read by a format of only %d and
// %f fields, one space apart, whose fields are plain decimal numbers (an
// integer of at most nine digits; a float that is a correctly rounded finite
// one) each ended by white space or the line's end, is read here directly,
// to the same values and the same result as sscanf. Anything else returns
// false, and sscanf reads the line.
namespace plain {
enum class Field {
    Read,   // converted; `at` is past it
    Ended,  // nothing but white space left: sscanf's input failure
    Other,  // not a plain number: left to sscanf
};
Field readField(const char*& at, int& out);
Field readField(const char*& at, float& out);
template <typename Other>
Field readField(const char*&, Other&) {
    return Field::Other;
}
inline constexpr char letter(const int*) { return 'd'; }
inline constexpr char letter(const float*) { return 'f'; }
template <typename Other>
constexpr char letter(const Other*) {
    return '\0';
}

template <typename... Fields>
bool scan(const char* line, const char* format, int& result, Fields*... fields) {
    const char* at = line;
    const char* directive = format;
    int converted = 0;
    bool ended = false;
    bool plain = true;
    auto one = [&](auto* field) {
        if (!plain) return;
        if (directive != format && *directive++ != ' ') {
            plain = false;
            return;
        }
        if (letter(field) == '\0' || directive[0] != '%' || directive[1] != letter(field)) {
            plain = false;
            return;
        }
        directive += 2;
        if (ended) return;
        switch (readField(at, *field)) {
            case Field::Read:
                ++converted;
                break;
            case Field::Ended:
                ended = true;
                break;
            case Field::Other:
                plain = false;
                break;
        }
    };
    (one(fields), ...);
    if (!plain || *directive != '\0') return false;
    result = ended && converted == 0 ? EOF : converted;
    return true;
}
}  // namespace plain

template <typename... Fields>
int scanLine(const char* line, const char* format, Fields*... fields) {
    if (int result = 0; plain::scan(line, format, result, fields...)) return result;
    if (!hasLongNumber(line)) return std::sscanf(line, format, fields...);
    const std::string clamped = clampIntegerFields(line, format);
    return std::sscanf(clamped.c_str(), format, fields...);
}

template <typename... Fields>
int scanLine(const std::string& line, const char* format, Fields*... fields) {
    return scanLine(line.c_str(), format, fields...);
}
