#pragma once
#include <stdexcept>
#include <string>

// A display configuration that cannot be used; the text is shown to the user.
// `detail`, when not empty, says in English which setting was refused and why,
// for the one line the game writes on stderr beside the message.
class InvalidDisplayException : public std::logic_error {
public:
    explicit InvalidDisplayException(const std::string& message, std::string detail = {})
        : std::logic_error(message), detail(std::move(detail)) {}

    std::string detail;
};
