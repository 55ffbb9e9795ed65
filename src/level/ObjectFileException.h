#pragma once
#include <stdexcept>

// A level file that cannot be read; the message is shown to the player.
class ObjectFileException : public std::logic_error {
public:
    explicit ObjectFileException(const char* message) : std::logic_error(message) {}
};
