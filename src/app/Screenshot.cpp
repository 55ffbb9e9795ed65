#include "app/Screenshot.h"

#include <GL/freeglut.h>
#include <png.h>

#include <cstring>
#include <vector>

bool saveScreenshot(const std::string& path) {
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return false;

    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    if (glGetError() != GL_NO_ERROR) return false;

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // GL's rows run bottom to top: a negative stride writes them top first.
    const int stride = -width * 3;
    const bool written = png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), stride, nullptr) != 0;
    png_image_free(&image);
    return written;
}
