#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "GlTestContext.h"
#include "TempDir.h"
#include "TgaWriter.h"
#include "surfaces/GlNames.h"
#include "surfaces/Texture.h"

namespace {

std::vector<std::uint8_t> solid(int width, int height, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
    std::vector<std::uint8_t> bgra;
    for (int i = 0; i < width * height; ++i) bgra.insert(bgra.end(), {b, g, r, a});
    return bgra;
}

void setSize(std::string& tga, int width, int height) {
    tga[12] = static_cast<char>(width & 0xFF);
    tga[13] = static_cast<char>((width >> 8) & 0xFF);
    tga[14] = static_cast<char>(height & 0xFF);
    tga[15] = static_cast<char>((height >> 8) & 0xFF);
}

GLint levelSize(int level, GLenum which) {
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &value);
    return value;
}

GLint parameter(GLenum which) {
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
    return value;
}

// Loads `name` into a fresh texture, which stays bound.
TextureName load(const char* name, bool mipmaps) {
    Texture texture(mipmaps);
    const GLuint result = texture.loadTexture(name);
    EXPECT_EQ(result, texture.textureName);
    texture.releasePixels();
    EXPECT_EQ(texture.pixels, nullptr);
    return TextureName(result);
}

}  // namespace

TEST(TextureRead, SkipsImageIdAndColourMapBytes) {
    TempDir dir;
    const std::vector<std::uint8_t> bgra = {10, 20, 30, 40, 1, 2, 3, 4};

    std::string withId = makeTga(2, 1, bgra);
    withId[0] = 5;
    withId.insert(18, "IDIDI");
    dir.write("id.tga", withId);

    std::string withMap = makeTga(2, 1, bgra);
    withMap[0] = 2;
    withMap[6] = 3;
    withMap.insert(18, "mapid");
    dir.write("map.tga", withMap);

    for (const char* name : {"id.tga", "map.tga"}) {
        SCOPED_TRACE(name);
        Texture texture(false);
        ASSERT_TRUE(texture.readTga(name));
        EXPECT_EQ(texture.width, 2);
        EXPECT_EQ(texture.height, 1);
        const std::vector<std::uint8_t> rgba(texture.pixels.get(), texture.pixels.get() + 8);
        EXPECT_EQ(rgba, (std::vector<std::uint8_t>{30, 20, 10, 40, 3, 2, 1, 4}));
        EXPECT_EQ(texture.header[0], static_cast<std::uint8_t>(name[0] == 'i' ? 5 : 2));
    }
}

TEST(TextureRead, OtherFormatsGiveZero) {
    TempDir dir;
    std::string depth24 = makeTga(2, 2, solid(2, 2, 1, 2, 3, 4));
    depth24[16] = 24;
    dir.write("depth24.tga", depth24);
    std::string colourMapped = makeTga(2, 2, solid(2, 2, 1, 2, 3, 4));
    colourMapped[1] = 1;
    colourMapped[2] = 1;
    dir.write("mapped.tga", colourMapped);
    std::string runLength = makeTga(2, 2, solid(2, 2, 1, 2, 3, 4));
    runLength[2] = 10;
    dir.write("rle.tga", runLength);

    ensureGlContext();
    for (const char* name : {"depth24.tga", "mapped.tga", "rle.tga"}) {
        SCOPED_TRACE(name);
        Texture texture(true);
        texture.textureName = 99;
        EXPECT_EQ(texture.loadTexture(name), 0u);
        EXPECT_EQ(texture.textureName, 0u);
        EXPECT_EQ(texture.pixels, nullptr);
    }
}

TEST(TextureRead, BrokenFilesGiveZeroWithoutReadingPastTheData) {
    TempDir dir;
    const std::string good = makeTga(4, 4, solid(4, 4, 1, 2, 3, 4));
    dir.write("header.tga", good.substr(0, 10));
    dir.write("short.tga", good.substr(0, good.size() - 1));

    std::string huge = good;
    setSize(huge, 32767, 32767);
    dir.write("huge.tga", huge);
    std::string negativeWidth = good;
    setSize(negativeWidth, -4, 4);
    dir.write("negative-width.tga", negativeWidth);
    std::string negativeHeight = good;
    setSize(negativeHeight, 4, 0x8000);
    dir.write("negative-height.tga", negativeHeight);
    std::string zero = good;
    setSize(zero, 0, 4);
    dir.write("zero.tga", zero);
    std::string backwards = good;
    backwards[6] = static_cast<char>(200);
    dir.write("backwards-skip.tga", backwards);
    std::string longId = good;
    longId[0] = static_cast<char>(255);
    dir.write("long-id.tga", longId);

    for (const char* name : {"header.tga", "short.tga", "huge.tga", "negative-width.tga", "negative-height.tga",
                             "zero.tga", "backwards-skip.tga", "long-id.tga"}) {
        SCOPED_TRACE(name);
        Texture texture(false);
        EXPECT_FALSE(texture.readTga(name));
        EXPECT_EQ(texture.pixels, nullptr);
    }
}

TEST(TextureRead, PathsThatAreNotTgaFilesGiveZero) {
    TempDir dir;
    dir.write("texturen/wasser.tga", makeTga(1, 1, {1, 2, 3, 4}));
    ensureGlContext();

    TextureName loaded = load(".\\texturen\\wasser.tga", true);
    EXPECT_NE(loaded.get(), 0u);
    EXPECT_EQ(load("./texturen/missing.tga", true).get(), 0u);
    EXPECT_EQ(load("./texturen", true).get(), 0u);
}

TEST(TextureUpload, PixelsArriveAsRgbaAndRowsStayInFileOrder) {
    TempDir dir;
    dir.write("two.tga", makeTga(1, 2, {10, 20, 30, 40, 50, 60, 70, 80}));
    ensureGlContext();

    TextureName texture = load("two.tga", false);
    ASSERT_NE(texture.get(), 0u);
    EXPECT_EQ(glIsTexture(texture.get()), GL_TRUE);
    std::vector<std::uint8_t> rgba(8);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    EXPECT_EQ(rgba, (std::vector<std::uint8_t>{30, 20, 10, 40, 70, 60, 50, 80}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextureUpload, MipmapsGiveAFullChainAndTrilinearFiltering) {
    TempDir dir;
    dir.write("square.tga", makeTga(64, 64, solid(64, 64, 0, 0, 255, 255)));
    ensureGlContext();

    TextureName plain = load("square.tga", false);
    ASSERT_NE(plain.get(), 0u);
    EXPECT_EQ(levelSize(0, GL_TEXTURE_WIDTH), 64);
    EXPECT_EQ(levelSize(1, GL_TEXTURE_WIDTH), 0);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);

    TextureName mipmapped = load("square.tga", true);
    ASSERT_NE(mipmapped.get(), 0u);
    for (int level = 0; level <= 6; ++level) {
        EXPECT_EQ(levelSize(level, GL_TEXTURE_WIDTH), 64 >> level) << level;
        EXPECT_EQ(levelSize(level, GL_TEXTURE_HEIGHT), 64 >> level) << level;
    }
    EXPECT_EQ(levelSize(7, GL_TEXTURE_WIDTH), 0);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);

    std::vector<std::uint8_t> smallest(4);
    glGetTexImage(GL_TEXTURE_2D, 6, GL_RGBA, GL_UNSIGNED_BYTE, smallest.data());
    EXPECT_EQ(smallest, (std::vector<std::uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Chains are kept across loads; an image edited in place (as under --watch,
// same size, same name) must get its own chain, and the old image its old one.
TEST(TextureUpload, AReloadedImageGetsTheChainOfItsOwnPixels) {
    TempDir dir;
    ensureGlContext();
    auto smallestOf = [&dir](const std::vector<std::uint8_t>& bgra) {
        dir.write("edited.tga", makeTga(8, 8, bgra));
        TextureName texture = load("edited.tga", true);
        std::vector<std::uint8_t> smallest(4);
        glGetTexImage(GL_TEXTURE_2D, 3, GL_RGBA, GL_UNSIGNED_BYTE, smallest.data());
        return smallest;
    };
    const std::vector<std::uint8_t> red{255, 0, 0, 255}, blue{0, 0, 255, 255};
    EXPECT_EQ(smallestOf(solid(8, 8, 0, 0, 255, 255)), red);
    EXPECT_EQ(smallestOf(solid(8, 8, 0, 0, 255, 255)), red);
    EXPECT_EQ(smallestOf(solid(8, 8, 255, 0, 0, 255)), blue);
    EXPECT_EQ(smallestOf(solid(8, 8, 0, 0, 255, 255)), red);
}

TEST(TextureUpload, OblongImageChainReachesOneByOneAndDraws) {
    TempDir dir;
    dir.write("wide.tga", makeTga(128, 32, solid(128, 32, 0, 255, 0, 255)));
    ensureGlContext(64, 64);

    TextureName texture = load("wide.tga", true);
    ASSERT_NE(texture.get(), 0u);
    const int expected[][2] = {{128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}};
    for (int level = 0; level < 8; ++level) {
        EXPECT_EQ(levelSize(level, GL_TEXTURE_WIDTH), expected[level][0]) << level;
        EXPECT_EQ(levelSize(level, GL_TEXTURE_HEIGHT), expected[level][1]) << level;
    }
    EXPECT_EQ(levelSize(8, GL_TEXTURE_WIDTH), 0);

    // An incomplete chain would draw the quad untextured (white).
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    const std::vector<std::uint8_t> centre = readBackBuffer(32, 32, 1, 1);
    EXPECT_EQ(centre, (std::vector<std::uint8_t>{0, 255, 0, 255}));
}
