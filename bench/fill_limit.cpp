// The software renderer's fill limit: the time of a frame that draws one
// full-screen layer, textured (mip-mapped, trilinear), lit and depth-tested,
// and swaps; nothing else. Each level's median frame is given as a multiple
// of it in BENCHMARKS.md.
// Usage: fill_limit WIDTH HEIGHT [FRAMES]   (prints the median frame in ms)
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: fill_limit WIDTH HEIGHT [FRAMES]\n");
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const int frames = argc > 3 ? std::atoi(argv[3]) : 300;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutCreateWindow("fill limit");
    glutDisplayFunc([] {});
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();

    // A 256-texel noise texture, as the game's rock and skies are.
    std::vector<std::uint8_t> texels(256 * 256 * 4);
    std::uint32_t seed = 12345;
    for (auto& texel : texels) {
        seed = seed * 1103515245u + 12345u;
        texel = static_cast<std::uint8_t>(seed >> 24);
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, 256, 256, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45, static_cast<double>(width) / height, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);

    std::vector<double> times;
    for (int frame = 0; frame < frames + 10; ++frame) {
        const auto start = std::chrono::steady_clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        // A floor sloping away under the whole view, so that the mip level changes across it.
        glBegin(GL_QUADS);
        glNormal3f(0, 1, 0);
        glTexCoord2f(0, 0);
        glVertex3f(-60, -1, -0.5f);
        glTexCoord2f(40, 0);
        glVertex3f(60, -1, -0.5f);
        glTexCoord2f(40, 40);
        glVertex3f(60, 30, -99);
        glTexCoord2f(0, 40);
        glVertex3f(-60, 30, -99);
        glEnd();
        glutSwapBuffers();
        glFinish();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (frame >= 10) times.push_back(took.count());  // the first frames compile and upload
    }
    std::sort(times.begin(), times.end());
    std::printf("%dx%d: median %.3f ms per frame (%d frames)\n", width, height, times[times.size() / 2], frames);
    return 0;
}
