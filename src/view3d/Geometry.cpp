#include "view3d/Geometry.h"

#include "io/PovInclude.h"
#include "terrain/Height.h"

#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace hs::view3d {

namespace {

// Where the include puts an item.
QVector3D placed(const Document &document, const ScItem &item, float cameraY) {
  const PovPoint p = povPoint(document, item, cameraY);
  return fromPov(p.x, p.y, p.z);
}

// The stand-in of a type's shape: a prism or frustum between two heights, in
// hundredths of the map's width, and the shape's colour.
struct StandIn {
  float bottomRadius, topRadius, bottom, top;
  int sides; // 4: a box with its faces along the axes
  std::array<float, 3> colour;
};
constexpr float kRootTwo = 1.41421356f;
constexpr std::array<StandIn, kObjectTypes> kStandIns = {{
    {1.0f, 0.0f, 0.0f, 3.0f, 12, {0.1f, 0.6f, 0.1f}},
    {1.0f, 1.0f, 0.0f, 2.0f, 12, {0.9f, 0.1f, 0.1f}},
    {kRootTwo, kRootTwo, 0.0f, 2.0f, 4, {0.1f, 0.2f, 0.9f}},
    {0.7f, 0.7f, 0.0f, 2.0f, 12, {0.95f, 0.85f, 0.1f}},
    {1.35f, 1.35f, 0.0f, 0.7f, 12, {0.85f, 0.1f, 0.85f}},
    {0.0f, 1.0f, 0.0f, 2.5f, 12, {0.1f, 0.85f, 0.85f}},
    {1.5f, 1.5f, 0.0f, 0.3f, 12, {1.0f, 0.55f, 0.1f}},
    {0.3f * kRootTwo, 0.3f * kRootTwo, 0.0f, 5.0f, 4, {0.95f, 0.95f, 0.95f}},
    {0.6f, 0.6f, 0.0f, 3.0f, 12, {1.0f, 0.6f, 0.7f}},
    {1.4f, 1.4f, 0.1f, 3.5f, 12, {0.6f, 1.0f, 0.2f}},
    {1.0f, 1.0f, 0.0f, 2.6f, 12, {0.5f, 0.2f, 0.8f}},
    {1.0f, 0.7f, 0.0f, 3.3f, 12, {0.75f, 0.9f, 1.0f}},
    {1.2f, 1.2f, 0.0f, 3.7f, 12, {0.05f, 0.4f, 0.1f}},
    {1.5f * kRootTwo, 1.5f * kRootTwo, 0.0f, 0.6f, 4, {0.55f, 0.35f, 0.2f}},
    {1.3f, 1.3f, 0.0f, 1.3f, 12, {1.0f, 0.8f, 0.2f}},
    {0.75f, 0.75f, 0.0f, 4.0f, 12, {0.5f, 0.5f, 0.5f}},
}};

void addStandIn(Mesh &mesh, const StandIn &s, float unit, const QVector3D &at, float turn,
                float size) {
  const double t = qDegreesToRadians(static_cast<double>(turn));
  const auto c = static_cast<float>(std::cos(t));
  const auto sn = static_cast<float>(std::sin(t));
  const float k = unit * size;
  const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
  for (int ring = 0; ring < 2; ++ring) {
    const float r = (ring ? s.topRadius : s.bottomRadius) * k;
    const float y = (ring ? s.top : s.bottom) * k;
    for (int i = 0; i < s.sides; ++i) {
      const double a = (i + 0.5) * 2.0 * M_PI / s.sides;
      const auto px = static_cast<float>(r * std::cos(a));
      const auto pz = static_cast<float>(r * std::sin(a)); // POV-Ray's z
      // POV's rotate about y: x' = x cos + z sin, z' = -x sin + z cos.
      const QVector3D p = at + QVector3D(px * c + pz * sn, y, -(-px * sn + pz * c));
      mesh.vertices.push_back({p.x(), p.y(), p.z(), s.colour[0], s.colour[1], s.colour[2]});
    }
  }
  const auto n = static_cast<std::uint32_t>(s.sides);
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint32_t j = (i + 1) % n;
    mesh.indices.insert(mesh.indices.end(), {first + i, first + j, first + n + j, first + i,
                                             first + n + j, first + n + i});
    if (i >= 1 && i + 1 < n) // the caps as fans
      mesh.indices.insert(mesh.indices.end(), {first, first + i + 1, first + i, first + n,
                                               first + n + i, first + n + i + 1});
  }
}

} // namespace

double waterY(const Document &document) {
  const double fraction = document.waterLevel() / 255.0;
  return is16Bit(document.hfType()) ? fraction * 255 / 65535 * document.scaleY()
                                    : fraction * document.scaleY();
}

Mesh waterMesh(const Document &document) {
  // The scene's water is an endless plane: this one reaches so far beyond the
  // map that its edge lies within a hair of the horizon.
  const auto reach = 1000.0f * std::max(document.scaleX(), document.scaleZ());
  const auto y = static_cast<float>(waterY(document));
  const float r = 0.15f, g = 0.30f, b = 0.75f;
  return {{{-reach, y, -reach, r, g, b},
           {reach, y, -reach, r, g, b},
           {reach, y, reach, r, g, b},
           {-reach, y, reach, r, g, b}},
          {0, 2, 1, 0, 3, 2}};
}

float cameraPovY(const Document &document) {
  return static_cast<float>(toPov(document, document.camera(), 0.0f).y);
}

Mesh shapeMesh(int type) {
  Mesh mesh;
  if (type >= 0 && type < kObjectTypes)
    addStandIn(mesh, kStandIns[static_cast<std::size_t>(type)], 1.0f, {}, 0.0f, 1.0f);
  return mesh;
}

ShapeSize shapeSize(int type) {
  const StandIn &s = kStandIns[static_cast<std::size_t>(std::clamp(type, 0, kObjectTypes - 1))];
  return {std::max({s.top, s.bottomRadius, s.topRadius}), (s.bottom + s.top) / 2};
}

QVector3D typeColour(int type) {
  const auto &c = kStandIns[static_cast<std::size_t>(std::clamp(type, 0, kObjectTypes - 1))].colour;
  return {c[0], c[1], c[2]};
}

Mesh markersMesh(const Document &document) {
  Mesh mesh;
  const float unit = document.scaleX() / 50.0f; // big enough to find from afar
  const CameraPose scene = sceneCamera(document);
  // A diamond about each point: two pyramids meeting at its height.
  const std::pair<QVector3D, std::array<float, 3>> markers[] = {{scene.eye, {1.0f, 0.5f, 0.0f}},
                                                                {scene.target, {1.0f, 1.0f, 1.0f}}};
  for (const auto &[point, colour] : markers) {
    addStandIn(mesh, {0.0f, 1.0f, -1.0f, 0.0f, 4, colour}, unit, point, 0.0f, 1.0f);
    addStandIn(mesh, {1.0f, 0.0f, 0.0f, 1.0f, 4, colour}, unit, point, 0.0f, 1.0f);
  }
  return mesh;
}

CameraPose sceneCamera(const Document &document, double angle) {
  const float cameraY = cameraPovY(document);
  return {placed(document, document.camera(), 0.0f), placed(document, document.lookAt(), cameraY),
          angle};
}

CameraPose orbitCamera(const Document &document, const Orbit &orbit, double angle) {
  const QVector3D target = sceneCamera(document).target;
  const double yaw = qDegreesToRadians(orbit.yaw);
  const double pitch = qDegreesToRadians(orbit.pitch);
  // The way the eye looks, in POV-Ray's frame.
  const double cp = std::cos(pitch);
  const QVector3D look = fromPov(std::sin(yaw) * cp, -std::sin(pitch), std::cos(yaw) * cp);
  return {target - look * static_cast<float>(orbit.distance), target, angle};
}

Orbit orbitOf(const CameraPose &pose) {
  const QVector3D d = pose.target - pose.eye;
  const double distance = d.length();
  if (distance <= 0.0)
    return {0.0, 0.0, 0.0};
  return {qRadiansToDegrees(std::atan2(d.x(), -d.z())),
          qRadiansToDegrees(std::asin(std::clamp(-d.y() / distance, -1.0, 1.0))), distance};
}

QMatrix4x4 viewMatrix(const CameraPose &pose) {
  // Straight up or down the sky gives no right; the picture's top is then
  // POV-Ray's +z, as an orbit passing over the top expects.
  const QVector3D look = (pose.target - pose.eye).normalized();
  const QVector3D up = QVector3D::crossProduct(look, {0.0f, 1.0f, 0.0f}).length() < 1e-6f
                           ? fromPov(0, 0, 1)
                           : QVector3D(0.0f, 1.0f, 0.0f);
  QMatrix4x4 m;
  m.lookAt(pose.eye, pose.target, up);
  return m;
}

QMatrix4x4 projectionMatrix(const CameraPose &pose, double aspect, float nearPlane,
                            float farPlane) {
  // The angle spans the width; the height spans it over the aspect.
  const double halfWidth = std::tan(qDegreesToRadians(pose.angle) / 2.0);
  const double vertical = 2.0 * qRadiansToDegrees(std::atan(halfWidth / aspect));
  QMatrix4x4 m;
  m.perspective(static_cast<float>(vertical), static_cast<float>(aspect), nearPlane, farPlane);
  return m;
}

DepthRange depthRange(const CameraPose &pose, const QVector3D &centre, float radius) {
  const float distance = (pose.eye - centre).length();
  const float farPlane = std::max(distance + radius, 1e-3f) * 1.01f;
  return {std::max(distance - radius, farPlane * 1e-4f), farPlane};
}

} // namespace hs::view3d
