#include "scene/Matrix4.h"

#include <cmath>

#include "scene/Trigonometry.h"

Matrix4::Matrix4() : m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

void Matrix4::setRotationRadians(const Vector3& angles) {
    const float cx = cosine(angles.x), sx = sine(angles.x);
    const float cy = cosine(angles.y), sy = sine(angles.y);
    const float cz = cosine(angles.z), sz = sine(angles.z);
    m[0] = cy * cz;
    m[1] = cy * sz;
    m[2] = -sy;
    m[4] = sx * sy * cz - cx * sz;
    m[5] = sx * sy * sz + cx * cz;
    m[6] = sx * cy;
    m[8] = cx * sy * cz + sx * sz;
    m[9] = cx * sy * sz - sx * cz;
    m[10] = cx * cy;
}

void Matrix4::setTranslation(const Vector3& v) {
    m[12] = v.x;
    m[13] = v.y;
    m[14] = v.z;
}

void Matrix4::postMultiply(const Matrix4& b) {
    const Matrix4 a = *this;
    const Matrix4& bb = (&b == this) ? a : b;
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            m[column * 4 + row] =
                a.m[row] * bb.m[column * 4] + a.m[4 + row] * bb.m[column * 4 + 1] + a.m[8 + row] * bb.m[column * 4 + 2];
        }
    }
    for (int row = 0; row < 3; ++row) {
        m[12 + row] = a.m[row] * bb.m[12] + a.m[4 + row] * bb.m[13] + a.m[8 + row] * bb.m[14] + a.m[12 + row];
    }
    m[3] = m[7] = m[11] = 0;
    m[15] = 1;
}

Vector3 Matrix4::transformPoint(float x, float y, float z) const {
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}
