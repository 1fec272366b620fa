#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "render/ShapeWriter.h"

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

Vec3 operator-(const Vec3& a, const Vec3& b);
double Dot(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);
double Length(const Vec3& a);

// A 4 x 4 transform in the GL's column-major layout, with glTranslate/glRotate semantics.
struct Transform {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Transform Translation(double x, double y, double z);
    static Transform Rotation(double degrees, double x, double y, double z);
    Transform operator*(const Transform& right) const;
    Vec3 Point(const Vec3& p) const;
    Vec3 Direction(const Vec3& d) const;
};

// One face (or line) as it reached the list: vertices and normals already moved by the matrix
// in force, the colour current at its first vertex.
struct RecordedFace {
    GLenum primitive = 0;  // the primitive it came from
    std::vector<Vec3> vertices;
    std::vector<Vec3> normals;
    float colour[4] = {-1, -1, -1, -1};  // -1: the colour current when the list is called

    Vec3 Centre() const;
    // The normal that the winding implies (counter-clockwise seen from its tip), unit length.
    Vec3 WindingNormal() const;
    // The mean of the normals given at its vertices (zero when none or all null).
    Vec3 DeclaredNormal() const;
};

struct RecordedList {
    std::vector<RecordedFace> faces;
    std::vector<std::string> state;  // "Enable BLEND", "BlendFunc DST_COLOR SRC_COLOR", ...
    std::vector<std::pair<unsigned, Transform>> calls;
    int normalCalls = 0;
};

// Records what the shape writers put into each display list, so tests can look at the shapes
// without a rendering context. Polygons of strips are split into their quads or triangles.
class ShapeRecorder : public ShapeWriter {
public:
    void BeginList(unsigned list) override;
    void EndList() override;
    void Begin(GLenum primitive) override;
    void End() override;
    void Normal(float x, float y, float z) override;
    void Vertex(float x, float y, float z) override;
    void Colour(float r, float g, float b) override;
    void Colour(float r, float g, float b, float a) override;
    void PushMatrix() override;
    void PopMatrix() override;
    void Translate(float x, float y, float z) override;
    void Rotate(float degrees, float x, float y, float z) override;
    void CallList(unsigned list) override;
    void Enable(GLenum capability) override;
    void Disable(GLenum capability) override;
    void BlendFunc(GLenum source, GLenum destination) override;

    // The faces of a list, with those of the lists it calls moved into place.
    std::vector<RecordedFace> Expanded(unsigned list) const;

    std::map<unsigned, RecordedList> lists;

private:
    RecordedList* Current();

    unsigned currentList = 0;
    GLenum primitive = 0;
    std::vector<Vec3> vertices;
    std::vector<Vec3> normals;
    std::vector<std::array<float, 4>> colours;
    Vec3 normal;
    std::array<float, 4> colour = {1, 1, 1, 1};
    std::vector<Transform> stack = {Transform()};
};
