// A preload library for the soak run: counts the OpenGL texture names and
// display lists the program holds, at the API, so a leak shows whichever code
// made it. Every change rewrites one line of fixed width at the start of the
// file named by ZARNOTH_GL_CENSUS:
//   textures T lists L
// Build: cc -shared -fPIC -O2 -o gl_census.so gl_census.c -ldl
// Use:   ZARNOTH_GL_CENSUS=/tmp/census LD_PRELOAD=./gl_census.so zarnoth ...
#define _GNU_SOURCE
#include <GL/gl.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

// Names are small integers handed out from 1; one bit each.
struct NameSet {
    unsigned char* bits;
    size_t bytes;
    long live;
};

static struct NameSet textures, lists;
static int censusFile = -2;

static void add(struct NameSet* set, GLuint name) {
    if (name == 0) return;
    const size_t byte = name / 8;
    if (byte >= set->bytes) {
        size_t bytes = set->bytes ? set->bytes : 1024;
        while (bytes <= byte) bytes *= 2;
        unsigned char* grown = realloc(set->bits, bytes);
        if (!grown) return;
        memset(grown + set->bytes, 0, bytes - set->bytes);
        set->bits = grown;
        set->bytes = bytes;
    }
    const unsigned char bit = (unsigned char)(1u << (name % 8));
    if (!(set->bits[byte] & bit)) {
        set->bits[byte] |= bit;
        ++set->live;
    }
}

static void removeName(struct NameSet* set, GLuint name) {
    const size_t byte = name / 8;
    if (name == 0 || byte >= set->bytes) return;
    const unsigned char bit = (unsigned char)(1u << (name % 8));
    if (set->bits[byte] & bit) {
        set->bits[byte] &= (unsigned char)~bit;
        --set->live;
    }
}

static void report(void) {
    if (censusFile == -2) {
        const char* path = getenv("ZARNOTH_GL_CENSUS");
        censusFile = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    }
    if (censusFile < 0) return;
    char line[64];
    const int length = snprintf(line, sizeof line, "textures %10ld lists %10ld\n", textures.live, lists.live);
    if (length > 0 && pwrite(censusFile, line, (size_t)length, 0) < 0) censusFile = -1;
}

static void* real(const char* name) {
    void* function = dlsym(RTLD_NEXT, name);
    if (!function) {
        fprintf(stderr, "gl_census: no %s\n", name);
        abort();
    }
    return function;
}

void glGenTextures(GLsizei n, GLuint* names) {
    static void (*next)(GLsizei, GLuint*);
    if (!next) next = (void (*)(GLsizei, GLuint*))real("glGenTextures");
    next(n, names);
    for (GLsizei i = 0; i < n; ++i) add(&textures, names[i]);
    report();
}

void glDeleteTextures(GLsizei n, const GLuint* names) {
    static void (*next)(GLsizei, const GLuint*);
    if (!next) next = (void (*)(GLsizei, const GLuint*))real("glDeleteTextures");
    for (GLsizei i = 0; i < n; ++i) removeName(&textures, names[i]);
    next(n, names);
    report();
}

GLuint glGenLists(GLsizei range) {
    static GLuint (*next)(GLsizei);
    if (!next) next = (GLuint(*)(GLsizei))real("glGenLists");
    const GLuint base = next(range);
    if (base != 0)
        for (GLsizei i = 0; i < range; ++i) add(&lists, base + (GLuint)i);
    report();
    return base;
}

void glDeleteLists(GLuint list, GLsizei range) {
    static void (*next)(GLuint, GLsizei);
    if (!next) next = (void (*)(GLuint, GLsizei))real("glDeleteLists");
    for (GLsizei i = 0; i < range; ++i) removeName(&lists, list + (GLuint)i);
    next(list, range);
    report();
}
