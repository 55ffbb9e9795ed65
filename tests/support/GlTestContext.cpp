#include "GlTestContext.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <dlfcn.h>
#include <link.h>

namespace {
int window = 0;
}  // namespace

// The GL driver is unloaded at exit, before LeakSanitizer looks; its own
// allocations then show up as leaks of an unknown module that no
// suppression can name. Pinning every loaded library keeps them nameable.
void pinLoadedLibraries() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && info->dlpi_name[0] != '\0')
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

void ensureGlContext(int width, int height) {
    if (window == 0) {
        // The game's own start-up may have initialised GLUT in this process
        // already; freeglut ends the process on a second glutInit.
        if (!glutGet(GLUT_INIT_STATE)) {
            int argc = 1;
            char name[] = "zarnoth-test";
            char* argv[] = {name, nullptr};
            glutInit(&argc, argv);
        }
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(512, 512);
        window = glutCreateWindow("zarnoth-test");
        glutDisplayFunc([] {});
        for (int i = 0; i < 5; ++i) glutMainLoopEvent();
        pinLoadedLibraries();
    }
    glutSetWindow(window);
    glViewport(0, 0, width, height);
}

std::vector<std::uint8_t> readBackBuffer(int x, int y, int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
