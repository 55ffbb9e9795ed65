#pragma once
#include <cstring>

// Whether a space-separated list of GL extensions names `name` as a whole word.
inline bool extensionListed(const char* extensions, const char* name) {
    if (!extensions) return false;
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
        const bool starts = at == extensions || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}
