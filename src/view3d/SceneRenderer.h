// Draws a scene model with OpenGL 3.3 core into whatever framebuffer is
// bound. The terrain's samples live in a texture and are drawn as tiles of
// one patch mesh per stride; the objects are instanced shapes and points;
// the water and the markers are plain meshes.
#pragma once

#include "view3d/SceneModel.h"

#include <QColor>
#include <QOpenGLExtraFunctions>
#include <QOpenGLShaderProgram>
#include <QSize>
#include <QString>

#include <array>
#include <memory>

namespace hs::view3d {

struct DrawOptions {
  QColor background = QColor(0, 0, 0);
  bool water = true;
  bool objects = true;
  bool markers = false; // the camera and the look-at point
  // While the view moves it draws less: a coarser terrain and fewer objects
  // as shapes (the help says what).
  bool moving = false;
};

// How much a frame may draw, moving and at rest (the objects' area in frames).
struct DrawBudget {
  long long triangles; // of the terrain
  ObjectBudget objects;
};
DrawBudget budgetFor(bool moving);

// What the last frame drew.
struct FrameStats {
  long long terrainTriangles = 0;
  long long shapes = 0;
  long long points = 0;
};

class SceneRenderer : protected QOpenGLExtraFunctions {
public:
  SceneRenderer() = default;
  SceneRenderer(const SceneRenderer &) = delete;
  SceneRenderer &operator=(const SceneRenderer &) = delete;
  // Frees the GL objects; the context they were made in must be current.
  ~SceneRenderer();

  // With the context current: compiles the shaders and makes the buffers.
  // False with why when the context cannot run them.
  bool initialize(QString *why);
  // Clears and draws the model from pose into a framebuffer of size,
  // uploading first what changed in it since the last frame.
  void draw(const SceneModel &model, const CameraPose &pose, QSize size,
            const DrawOptions &options);
  const FrameStats &stats() const { return stats_; }

private:
  struct Buffers {
    unsigned vao = 0, vertices = 0, indices = 0;
    int count = 0;
  };
  void makeBuffers(Buffers &b);
  void vertexLayout();
  void makePatches();
  void makeShapes();
  void upload(Buffers &b, const Mesh &mesh);
  // Depth planes around what is drawn (the objects chosen); the water counts
  // by its height, and the far plane reaches its corners.
  DepthRange depthFor(const SceneModel &model, const CameraPose &pose,
                      const DrawOptions &options) const;
  void drawMeshes(const QMatrix4x4 &viewProjection, const DrawOptions &options);
  void uploadTerrain(const TerrainSamples &terrain);
  void drawTerrain(const SceneModel &model, const QMatrix4x4 &viewProjection,
                   const CameraPose &pose, double pixelsPerUnit, long long budget);
  void drawObjects(const QMatrix4x4 &viewProjection);

  std::unique_ptr<QOpenGLShaderProgram> meshProgram_, terrainProgram_, shapeProgram_;
  Buffers water_, markers_;
  std::uint64_t meshesVersion_ = 0;
  // The terrain: its samples (and colours) as textures, one patch a stride.
  unsigned heights_ = 0, colours_ = 0;
  std::uint64_t terrainGeneration_ = 0;
  int rowsUploaded_ = 0;
  bool withColours_ = false;
  bool fits_ = true;                 // the map within the largest texture
  static constexpr int kStrides = 7; // 1, 2, 4 ... 64
  std::array<Buffers, kStrides> patches_{};
  unsigned tileInstances_ = 0;
  // The objects: a shape and its instances a type, and the points.
  std::array<Buffers, kObjectTypes> shapes_{};
  std::array<unsigned, kObjectTypes> shapeInstances_{};
  Buffers points_;
  ObjectDraw chosen_;
  FrameStats stats_;
};

} // namespace hs::view3d
