# The Windows build's libraries: freeglut, libpng and libsndfile built
# statically from Debian's sources by scripts/build-windows.sh, zlib from
# libz-mingw-w64-dev, and the system's OpenGL and DirectSound. (No OpenAL: the
# sound layer is the DirectSound one of src/sound/win32.) Everything links
# statically: the programs import only DLLs that every Windows has.
find_path(FREEGLUT_INCLUDE_DIR GL/freeglut.h REQUIRED)
find_library(FREEGLUT_LIBRARY NAMES freeglut_static REQUIRED)
find_library(ZLIB_LIBRARY NAMES libz.a REQUIRED)
find_library(PNG_LIBRARY NAMES libpng16.a libpng.a REQUIRED)
find_path(PNG_INCLUDE_DIR png.h REQUIRED)
find_library(SNDFILE_LIBRARY NAMES libsndfile.a sndfile REQUIRED)
find_path(SNDFILE_INCLUDE_DIR sndfile.h REQUIRED)

add_library(windows_platform INTERFACE)
target_include_directories(windows_platform INTERFACE ${FREEGLUT_INCLUDE_DIR} ${PNG_INCLUDE_DIR} ${SNDFILE_INCLUDE_DIR})
# windows.h (pulled in by freeglut.h) would otherwise define min, max, near and far.
target_compile_definitions(windows_platform INTERFACE FREEGLUT_STATIC NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_libraries(windows_platform INTERFACE ${FREEGLUT_LIBRARY} ${PNG_LIBRARY} ${ZLIB_LIBRARY}
  ${SNDFILE_LIBRARY} glu32 opengl32 gdi32 winmm dsound dxguid uuid)
target_link_options(windows_platform INTERFACE -static)
