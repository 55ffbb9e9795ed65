#pragma once
#include <stdexcept>
#include <string>

// A level file that cannot be read; the message is shown to the player.
// The line and what was expected there are for zarnoth-check, never shown.
class ObjectFileException : public std::logic_error {
public:
    explicit ObjectFileException(const char* message, std::string expected = {})
        : std::logic_error(message), expected(std::move(expected)) {}

    int line = 0;  // the line the reader stopped at; 0 when the file could not be opened
    std::string expected;
};
