#pragma once

struct Vector3 {
    float x = 0;
    float y = 0;
    float z = 0;
};

// 4x4 matrix in OpenGL column-major order: element k is row k % 4, column k / 4,
// the translation is m[12..14]. Only affine matrices occur. New ones are identity.
class Matrix4 {
public:
    Matrix4();

    void setRotationRadians(const Vector3& angles);
    void setTranslation(const Vector3& v);
    // this = this * b, both taken as affine.
    void postMultiply(const Matrix4& b);
    // The point moved by this matrix.
    Vector3 transformPoint(float x, float y, float z) const;

    const float* data() const { return m; }
    float* data() { return m; }

    float m[16];
};
