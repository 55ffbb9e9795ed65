#include "scene/MeshList.h"

#include <GL/gl.h>

void recordMeshList(ModelObject& object) {
    if (!object.useDisplayList) return;
    const GLuint list = glGenLists(1);
    object.displayList.reset(list);
    if (list == 0) return;
    glNewList(list, GL_COMPILE);
    object.drawMeshes();
    glEndList();
}

void drawMeshListOrMeshes(ModelObject& object) {
    if (object.useDisplayList && object.displayList.get() != 0)
        glCallList(object.displayList.get());
    else
        object.drawMeshes();
}
