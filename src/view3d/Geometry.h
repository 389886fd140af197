// What the 3D view draws, as plain numbers: no OpenGL here, so all of it is
// testable without a display. Everything is in OpenGL's right-handed frame:
// POV-Ray's left-handed <x, y, z> is <x, y, -z> here, so nothing comes out
// mirrored.
#pragma once

#include "core/Document.h"

#include <QMatrix4x4>
#include <QVector3D>

#include <cstdint>
#include <vector>

namespace hs::view3d {

struct Vertex {
  float x, y, z;
  float r, g, b;
};

// Triangles: three indices into vertices each.
struct Mesh {
  std::vector<Vertex> vertices;
  std::vector<std::uint32_t> indices;
};

// A POV-Ray point in the view's frame.
inline QVector3D fromPov(double x, double y, double z) {
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(-z)};
}

// The water level in POV units, as the preview scene reads the include.
double waterY(const Document &document);

// The water plane at that level: a square reaching a thousand map widths
// beyond the map, for a projection without a far plane.
Mesh waterMesh(const Document &document);

// The camera's POV-Ray height, which items above the camera are placed by.
float cameraPovY(const Document &document);

// A type's stand-in at scale 1 (a hundredth of the map's width), on the
// origin, unturned: about the size, base and colour of its shape in the
// preview scene. reach: how far it reaches from its base's centre; middle:
// the height of its middle.
Mesh shapeMesh(int type);
struct ShapeSize {
  float reach, middle;
};
ShapeSize shapeSize(int type);
QVector3D typeColour(int type);

// The camera (orange) and the look-at point (white) as small markers, for a
// view from elsewhere.
Mesh markersMesh(const Document &document);

// A camera: where it is, where it looks, its horizontal angle in degrees.
struct CameraPose {
  QVector3D eye;
  QVector3D target;
  double angle = 60.0;
};

// The preview scene's camera statement: at the camera, looking at the
// look-at point (POV-Ray's sky is +y).
CameraPose sceneCamera(const Document &document, double angle = 60.0);

// Orbiting about the look-at point: yaw turns clockwise seen from above
// (0 looks along POV-Ray's +z), pitch raises the eye, both in degrees;
// distance in POV units.
struct Orbit {
  double yaw = 0.0;
  double pitch = 30.0;
  double distance = 100.0;
};
CameraPose orbitCamera(const Document &document, const Orbit &orbit, double angle = 60.0);
// The orbit that puts the eye where pose has it.
Orbit orbitOf(const CameraPose &pose);

// The view matrix of a pose, and the projection of `right x * aspect, angle`
// (the angle spans the width) with depth planes that hold the whole scene.
QMatrix4x4 viewMatrix(const CameraPose &pose);
QMatrix4x4 projectionMatrix(const CameraPose &pose, double aspect, float nearPlane, float farPlane);

// Depth planes for a pose that keep everything within radius of centre.
struct DepthRange {
  float nearPlane;
  float farPlane;
};
DepthRange depthRange(const CameraPose &pose, const QVector3D &centre, float radius);

} // namespace hs::view3d
