#include "ShapeRecorder.h"

#include <cmath>

Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(const Vec3& a) {
    return std::sqrt(Dot(a, a));
}

Transform Transform::Translation(double x, double y, double z) {
    Transform t;
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

Transform Transform::Rotation(double degrees, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    x /= length;
    y /= length;
    z /= length;
    const double a = degrees * 3.14159265358979323846 / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    Transform t;
    // Row r, column k lives at m[k * 4 + r].
    t.m[0] = x * x * (1 - c) + c;
    t.m[4] = x * y * (1 - c) - z * s;
    t.m[8] = x * z * (1 - c) + y * s;
    t.m[1] = y * x * (1 - c) + z * s;
    t.m[5] = y * y * (1 - c) + c;
    t.m[9] = y * z * (1 - c) - x * s;
    t.m[2] = x * z * (1 - c) - y * s;
    t.m[6] = y * z * (1 - c) + x * s;
    t.m[10] = z * z * (1 - c) + c;
    return t;
}

Transform Transform::operator*(const Transform& right) const {
    Transform t;
    for (int r = 0; r < 4; ++r) {
        for (int k = 0; k < 4; ++k) {
            double sum = 0.0;
            for (int i = 0; i < 4; ++i)
                sum += m[i * 4 + r] * right.m[k * 4 + i];
            t.m[k * 4 + r] = sum;
        }
    }
    return t;
}

Vec3 Transform::Point(const Vec3& p) const {
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
            m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

// Only rotations and translations are recorded, so directions need no inverse transpose.
Vec3 Transform::Direction(const Vec3& d) const {
    return {m[0] * d.x + m[4] * d.y + m[8] * d.z, m[1] * d.x + m[5] * d.y + m[9] * d.z,
            m[2] * d.x + m[6] * d.y + m[10] * d.z};
}

Vec3 RecordedFace::Centre() const {
    Vec3 sum;
    for (const Vec3& v : vertices) {
        sum.x += v.x;
        sum.y += v.y;
        sum.z += v.z;
    }
    const double n = vertices.empty() ? 1.0 : static_cast<double>(vertices.size());
    return {sum.x / n, sum.y / n, sum.z / n};
}

// Newell's method: robust for the slightly non-planar polygons of the palm.
Vec3 RecordedFace::WindingNormal() const {
    Vec3 n;
    for (size_t i = 0; i < vertices.size(); ++i) {
        const Vec3& a = vertices[i];
        const Vec3& b = vertices[(i + 1) % vertices.size()];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    const double length = Length(n);
    if (length == 0.0)
        return n;
    return {n.x / length, n.y / length, n.z / length};
}

Vec3 RecordedFace::DeclaredNormal() const {
    Vec3 sum;
    for (const Vec3& v : normals) {
        sum.x += v.x;
        sum.y += v.y;
        sum.z += v.z;
    }
    return sum;
}

RecordedList* ShapeRecorder::Current() {
    return &lists[currentList];
}

void ShapeRecorder::BeginList(unsigned list) {
    // A list does not know the colour it will be called with: -1 marks it as inherited.
    currentList = list;
    colour = {-1.0f, -1.0f, -1.0f, -1.0f};
    lists[list] = RecordedList();
}

void ShapeRecorder::EndList() {
    currentList = 0;
}

void ShapeRecorder::Begin(GLenum p) {
    primitive = p;
    vertices.clear();
    normals.clear();
    colours.clear();
}

void ShapeRecorder::End() {
    std::vector<std::vector<size_t>> faces;
    const size_t n = vertices.size();
    if (primitive == GL_QUADS) {
        for (size_t i = 0; i + 3 < n; i += 4)
            faces.push_back({i, i + 1, i + 2, i + 3});
    } else if (primitive == GL_TRIANGLES) {
        for (size_t i = 0; i + 2 < n; i += 3)
            faces.push_back({i, i + 1, i + 2});
    } else if (primitive == GL_QUAD_STRIP) {
        for (size_t i = 0; i + 3 < n; i += 2)
            faces.push_back({i, i + 1, i + 3, i + 2});
    } else {
        std::vector<size_t> all;
        for (size_t i = 0; i < n; ++i)
            all.push_back(i);
        faces.push_back(all);
    }
    for (const auto& indices : faces) {
        RecordedFace face;
        face.primitive = primitive;
        for (size_t i : indices) {
            face.vertices.push_back(vertices[i]);
            face.normals.push_back(normals[i]);
        }
        for (int c = 0; c < 4; ++c)
            face.colour[c] = colours[indices[0]][c];
        Current()->faces.push_back(face);
    }
}

void ShapeRecorder::Normal(float x, float y, float z) {
    normal = stack.back().Direction({x, y, z});
    ++Current()->normalCalls;
}

void ShapeRecorder::Vertex(float x, float y, float z) {
    vertices.push_back(stack.back().Point({x, y, z}));
    normals.push_back(normal);
    colours.push_back(colour);
}

void ShapeRecorder::Colour(float r, float g, float b) {
    colour = {r, g, b, 1.0f};
}
void ShapeRecorder::Colour(float r, float g, float b, float a) {
    colour = {r, g, b, a};
}
void ShapeRecorder::PushMatrix() {
    stack.push_back(stack.back());
}
void ShapeRecorder::PopMatrix() {
    stack.pop_back();
}

void ShapeRecorder::Translate(float x, float y, float z) {
    stack.back() = stack.back() * Transform::Translation(x, y, z);
}

void ShapeRecorder::Rotate(float degrees, float x, float y, float z) {
    stack.back() = stack.back() * Transform::Rotation(degrees, x, y, z);
}

void ShapeRecorder::CallList(unsigned list) {
    Current()->calls.push_back({list, stack.back()});
}

static std::string CapabilityName(GLenum capability) {
    if (capability == GL_BLEND)
        return "BLEND";
    if (capability == GL_DEPTH_TEST)
        return "DEPTH_TEST";
    return std::to_string(capability);
}

static std::string FactorName(GLenum factor) {
    switch (factor) {
        case GL_ONE:
            return "ONE";
        case GL_SRC_COLOR:
            return "SRC_COLOR";
        case GL_DST_COLOR:
            return "DST_COLOR";
        case GL_SRC_ALPHA:
            return "SRC_ALPHA";
        case GL_ONE_MINUS_SRC_ALPHA:
            return "ONE_MINUS_SRC_ALPHA";
        default:
            return std::to_string(factor);
    }
}

void ShapeRecorder::Enable(GLenum capability) {
    Current()->state.push_back("Enable " + CapabilityName(capability));
}

void ShapeRecorder::Disable(GLenum capability) {
    Current()->state.push_back("Disable " + CapabilityName(capability));
}

void ShapeRecorder::BlendFunc(GLenum source, GLenum destination) {
    Current()->state.push_back("BlendFunc " + FactorName(source) + " " + FactorName(destination));
}

std::vector<RecordedFace> ShapeRecorder::Expanded(unsigned list) const {
    auto found = lists.find(list);
    if (found == lists.end())
        return {};
    std::vector<RecordedFace> faces = found->second.faces;
    for (const auto& [called, transform] : found->second.calls) {
        for (RecordedFace face : Expanded(called)) {
            for (Vec3& v : face.vertices)
                v = transform.Point(v);
            for (Vec3& n : face.normals)
                n = transform.Direction(n);
            faces.push_back(face);
        }
    }
    return faces;
}
