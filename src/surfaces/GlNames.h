#pragma once
#include <GL/gl.h>

#include <utility>

// Sole owner of one OpenGL texture name; deletes it with glDeleteTextures.
class TextureName {
public:
    TextureName() = default;
    explicit TextureName(GLuint name) : name_(name) {}
    TextureName(const TextureName&) = delete;
    TextureName& operator=(const TextureName&) = delete;
    TextureName(TextureName&& other) noexcept : name_(std::exchange(other.name_, 0)) {}
    TextureName& operator=(TextureName&& other) noexcept {
        if (this != &other) reset(std::exchange(other.name_, 0));
        return *this;
    }
    ~TextureName() { reset(); }

    GLuint get() const { return name_; }
    void reset(GLuint name = 0) {
        if (name_ != 0) glDeleteTextures(1, &name_);
        name_ = name;
    }

private:
    GLuint name_ = 0;
};

// Sole owner of one OpenGL display list; deletes it with glDeleteLists.
class DisplayListName {
public:
    DisplayListName() = default;
    explicit DisplayListName(GLuint name) : name_(name) {}
    DisplayListName(const DisplayListName&) = delete;
    DisplayListName& operator=(const DisplayListName&) = delete;
    DisplayListName(DisplayListName&& other) noexcept : name_(std::exchange(other.name_, 0)) {}
    DisplayListName& operator=(DisplayListName&& other) noexcept {
        if (this != &other) reset(std::exchange(other.name_, 0));
        return *this;
    }
    ~DisplayListName() { reset(); }

    GLuint get() const { return name_; }
    void reset(GLuint name = 0) {
        if (name_ != 0) glDeleteLists(name_, 1);
        name_ = name;
    }

private:
    GLuint name_ = 0;
};
