// Draws the 3D view's meshes with OpenGL 3.3 core into whatever framebuffer is
// bound: the offscreen renderer's, or a QOpenGLWidget's.
#pragma once

#include "view3d/Geometry.h"

#include <QColor>
#include <QOpenGLExtraFunctions>
#include <QOpenGLShaderProgram>
#include <QString>

#include <array>
#include <memory>

namespace hs::view3d {

enum class Part { Terrain, Water, Objects, Markers };
inline constexpr int kParts = 4;

struct DrawOptions {
  QColor background = QColor(0, 0, 0);
  bool water = true;
  bool objects = true;
  bool markers = false; // the camera and the look-at point
};

class SceneRenderer : protected QOpenGLExtraFunctions {
public:
  SceneRenderer() = default;
  SceneRenderer(const SceneRenderer &) = delete;
  SceneRenderer &operator=(const SceneRenderer &) = delete;
  // Frees the GL objects; the context they were made in must be current.
  ~SceneRenderer();

  // With the context current: compiles the shaders. False with why when the
  // context cannot run them.
  bool initialize(QString *why);
  // Replaces one part's mesh (the others stay as they are).
  void setMesh(Part part, const Mesh &mesh);
  // Clears and draws the parts asked for, seen through view and projection.
  void draw(const QMatrix4x4 &view, const QMatrix4x4 &projection, const DrawOptions &options);
  // draw from pose at the aspect of the framebuffer, with depth planes that
  // hold everything drawn: the near one set by all but the water's reach.
  void drawFrom(const CameraPose &pose, double aspect, const DrawOptions &options);
  // The centre and radius of a sphere around everything drawn with options,
  // the water by its height alone (when anything else is drawn).
  std::pair<QVector3D, float> bounds(const DrawOptions &options) const;

private:
  struct Buffers {
    unsigned vao = 0, vertices = 0, indices = 0;
    int count = 0;
    QVector3D low, high; // the mesh's box
  };
  std::array<Buffers, kParts> parts_{};
  std::unique_ptr<QOpenGLShaderProgram> program_;
};

} // namespace hs::view3d
