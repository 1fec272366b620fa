#include "render/ShapeWriter.h"

void GlShapeWriter::BeginList(unsigned list) {
    glNewList(list, GL_COMPILE);
}
void GlShapeWriter::EndList() {
    glEndList();
}
void GlShapeWriter::Begin(GLenum primitive) {
    glBegin(primitive);
}
void GlShapeWriter::End() {
    glEnd();
}
void GlShapeWriter::Normal(float x, float y, float z) {
    glNormal3f(x, y, z);
}
void GlShapeWriter::Vertex(float x, float y, float z) {
    glVertex3f(x, y, z);
}
void GlShapeWriter::Colour(float r, float g, float b) {
    glColor3f(r, g, b);
}
void GlShapeWriter::Colour(float r, float g, float b, float a) {
    glColor4f(r, g, b, a);
}
void GlShapeWriter::PushMatrix() {
    glPushMatrix();
}
void GlShapeWriter::PopMatrix() {
    glPopMatrix();
}
void GlShapeWriter::Translate(float x, float y, float z) {
    glTranslatef(x, y, z);
}
void GlShapeWriter::Rotate(float degrees, float x, float y, float z) {
    glRotatef(degrees, x, y, z);
}
void GlShapeWriter::CallList(unsigned list) {
    glCallList(list);
}
void GlShapeWriter::Enable(GLenum capability) {
    glEnable(capability);
}
void GlShapeWriter::Disable(GLenum capability) {
    glDisable(capability);
}
void GlShapeWriter::BlendFunc(GLenum source, GLenum destination) {
    glBlendFunc(source, destination);
}
