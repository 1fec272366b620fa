#pragma once

#include <GL/gl.h>

// Where the static shapes go when their display lists are built. The game writes straight into
// the GL (GlShapeWriter); tests write into a recorder and look at the geometry itself: winding
// against normals, pip placement, colours. A shape is written only through these calls, so both
// see exactly the same thing. Without a current rendering context every GL call is a no-op,
// which makes building lists before the window exists harmless.
class ShapeWriter {
public:
    virtual ~ShapeWriter() = default;

    virtual void BeginList(unsigned list) = 0;
    virtual void EndList() = 0;
    virtual void Begin(GLenum primitive) = 0;
    virtual void End() = 0;
    virtual void Normal(float x, float y, float z) = 0;
    virtual void Vertex(float x, float y, float z) = 0;
    virtual void Colour(float r, float g, float b) = 0;
    virtual void Colour(float r, float g, float b, float a) = 0;
    virtual void PushMatrix() = 0;
    virtual void PopMatrix() = 0;
    virtual void Translate(float x, float y, float z) = 0;
    virtual void Rotate(float degrees, float x, float y, float z) = 0;
    virtual void CallList(unsigned list) = 0;
    virtual void Enable(GLenum capability) = 0;
    virtual void Disable(GLenum capability) = 0;
    virtual void BlendFunc(GLenum source, GLenum destination) = 0;
};

// Forwards every call to the GL of the current rendering context.
class GlShapeWriter : public ShapeWriter {
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
};

class BoardView;

// The shapes of the board, dice, checker and hand, each into its fixed display list.
void WriteBoardLists(const BoardView& view, ShapeWriter& out);
void WriteDieLists(float shadowHeight, ShapeWriter& out);
void WriteCheckerList(ShapeWriter& out);
void WriteHandLists(ShapeWriter& out);
