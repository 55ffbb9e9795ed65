#include "app/ShownValue.h"

std::string shownValue(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
    constexpr std::size_t longest = 40;
    std::string result;
    for (std::size_t i = 0; i < text.size() && i < longest; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        result.push_back(c >= ' ' && c < 127 ? static_cast<char>(c) : '?');
    }
    if (text.size() > longest) result += "...";
    return result;
}
