#include "platform/ScanLine.h"

#include <array>
#include <cctype>
#include <charconv>
#include <climits>

namespace {

// The readers' formats hold at most 8 integer fields; each needs two positions.
constexpr std::size_t maxIntegerFields = 8;

// The format with every conversion suppressed, and each %d between two %n
// that give where its field starts and ends. A suppressed conversion stores
// nothing, so an oversized number is no longer undefined here.
std::string positionsFormat(const char* format, std::size_t& integerFields) {
    std::string result;
    integerFields = 0;
    for (const char* f = format; *f; ++f) {
        if (*f != '%') {
            result += *f;
            continue;
        }
        if (f[1] == '%') {
            result += "%%";
            ++f;
            continue;
        }
        std::string width;
        while (std::isdigit(static_cast<unsigned char>(f[1]))) width += *++f;
        const char conversion = *++f;
        if (conversion == '\0') break;
        if (conversion == 'd' && integerFields < maxIntegerFields) {
            result += "%n%*" + width + "d%n";
            ++integerFields;
        } else if (conversion == '[') {
            result += "%*" + width + "[";
            // A ']' right after '[' or '[^' belongs to the set.
            if (f[1] == '^') result += *++f;
            if (f[1] == ']') result += *++f;
            while (f[1] && f[1] != ']') result += *++f;
            if (f[1]) result += *++f;
        } else {
            result += "%*" + width + conversion;
        }
    }
    return result;
}

}  // namespace

bool hasLongNumber(const char* line) {
    int run = 0;
    for (const char* c = line; *c; ++c) {
        run = std::isdigit(static_cast<unsigned char>(*c)) ? run + 1 : 0;
        if (run >= 10) return true;
    }
    return false;
}

std::string clampIntegerFields(const char* line, const char* format) {
    std::string result = line;
    std::size_t integerFields = 0;
    const std::string positions = positionsFormat(format, integerFields);
    if (integerFields == 0) return result;
    std::array<int, 2 * maxIntegerFields> at;
    at.fill(-1);
    std::sscanf(line, positions.c_str(), &at[0], &at[1], &at[2], &at[3], &at[4], &at[5], &at[6], &at[7], &at[8], &at[9],
                &at[10], &at[11], &at[12], &at[13], &at[14], &at[15]);
    // From the last field back, so that a replacement leaves the earlier positions alone.
    for (std::size_t i = integerFields; i-- > 0;) {
        int begin = at[2 * i];
        const int end = at[2 * i + 1];
        if (begin < 0 || end < begin) continue;
        while (begin < end && std::isspace(static_cast<unsigned char>(line[begin]))) ++begin;
        const bool negative = line[begin] == '-';
        const int digits = begin + ((line[begin] == '-' || line[begin] == '+') ? 1 : 0);
        long long value = 0;
        bool tooLarge = false;
        for (int k = digits; k < end; ++k) {
            value = value * 10 + (line[k] - '0');
            if (value > static_cast<long long>(INT_MAX) + 1) {
                tooLarge = true;
                break;
            }
        }
        if (!tooLarge) tooLarge = negative ? value > static_cast<long long>(INT_MAX) + 1 : value > INT_MAX;
        if (tooLarge) result.replace(begin, end - begin, negative ? std::to_string(INT_MIN) : std::to_string(INT_MAX));
    }
    return result;
}

namespace plain {
namespace {
// sscanf's white space, in the C locale.
bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool endsField(char c) { return c == '\0' || isSpace(c); }

// Past the white space before a field; false when the line ends there.
bool skipToField(const char*& at) {
    while (isSpace(*at)) ++at;
    return *at != '\0';
}
}  // namespace

Field readField(const char*& at, int& out) {
    if (!skipToField(at)) return Field::Ended;
    const char* p = at;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    const char* digits = p;
    int value = 0;
    // Nine digits always fit an int; longer runs are sscanf's (and the clamp's).
    while (isDigit(*p) && p - digits < 9) value = value * 10 + (*p++ - '0');
    if (p == digits || !endsField(*p)) return Field::Other;
    out = negative ? -value : value;
    at = p;
    return Field::Read;
}

Field readField(const char*& at, float& out) {
    if (!skipToField(at)) return Field::Ended;
    const char* start = *at == '+' ? at + 1 : at;
    const char* first = *start == '-' && start == at ? start + 1 : start;
    // Only digits and a point start a plain number: no second sign, no inf, nan or hex.
    if (!isDigit(*first) && *first != '.') return Field::Other;
    const char* end = start;
    while (!endsField(*end)) ++end;
    float value = 0;
    // from_chars rounds correctly, as strtof does; out of range, or a field
    // it reads only in part, is sscanf's to read.
    const auto [stop, error] = std::from_chars(start, end, value);
    if (error != std::errc() || stop != end) return Field::Other;
    out = value;
    at = end;
    return Field::Read;
}
}  // namespace plain
