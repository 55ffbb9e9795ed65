#pragma once
#include <GL/gl.h>

#include <utility>

// Sole owner of one OpenGL name; gives it back with `release` when it goes.
template <void (*release)(GLuint)>
class GlName {
public:
    GlName() = default;
    explicit GlName(GLuint name) : name_(name) {}
    GlName(const GlName&) = delete;
    GlName& operator=(const GlName&) = delete;
    GlName(GlName&& other) noexcept : name_(std::exchange(other.name_, 0)) {}
    GlName& operator=(GlName&& other) noexcept {
        if (this != &other) reset(std::exchange(other.name_, 0));
        return *this;
    }
    ~GlName() { reset(); }

    GLuint get() const { return name_; }
    void reset(GLuint name = 0) {
        if (name_ != 0) release(name_);
        name_ = name;
    }

private:
    GLuint name_ = 0;
};

inline void deleteTextureName(GLuint name) { glDeleteTextures(1, &name); }
inline void deleteDisplayList(GLuint name) { glDeleteLists(name, 1); }

using TextureName = GlName<deleteTextureName>;
using DisplayListName = GlName<deleteDisplayList>;
