#pragma once
#include <stdexcept>
#include <string>

// A display configuration that cannot be used; the text is shown to the user.
class InvalidDisplayException : public std::logic_error {
public:
    explicit InvalidDisplayException(const std::string& message) : std::logic_error(message) {}
};
