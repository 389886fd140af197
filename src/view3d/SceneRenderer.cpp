#include "view3d/SceneRenderer.h"

#include <QOpenGLContext>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace hs::view3d {

namespace {

constexpr const char *kMeshVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 colour;
uniform mat4 viewProjection;
out vec3 worldPosition;
out vec3 vertexColour;
out vec3 vertexNormal;
void main() {
  gl_Position = viewProjection * vec4(position, 1.0);
  worldPosition = position;
  vertexColour = colour;
  vertexNormal = vec3(0.0, 1.0, 0.0);
}
)";

// A stand-in at its place: turned about its base as POV-Ray turns about y
// (this frame's z is POV-Ray's -z), then scaled.
constexpr const char *kShapeVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 colour;
layout(location = 2) in vec4 place;
layout(location = 3) in float scale;
uniform mat4 viewProjection;
out vec3 worldPosition;
out vec3 vertexColour;
out vec3 vertexNormal;
void main() {
  float c = cos(place.w), s = sin(place.w);
  vec3 p = position * scale;
  worldPosition = place.xyz + vec3(p.x * c - p.z * s, p.y, p.x * s + p.z * c);
  gl_Position = viewProjection * vec4(worldPosition, 1.0);
  vertexColour = colour;
  vertexNormal = vec3(0.0, 1.0, 0.0);
}
)";

// A tile's corner on the map's samples, placed as the preview scene places
// the height field and coloured as it colours it (or by the map's picture).
constexpr const char *kTerrainVertexShader = R"(#version 330 core
layout(location = 0) in vec3 corner;
layout(location = 1) in vec4 tile;
uniform mat4 viewProjection;
uniform usampler2D heights;
uniform sampler2D colours;
uniform bool useColours;
uniform bool smoothed;
uniform ivec2 mapSize;
uniform vec2 centre;
uniform vec2 span;
uniform float heightUnit;
uniform float scaleY;
out vec3 worldPosition;
out vec3 vertexColour;
out vec3 vertexNormal;
float heightAt(ivec2 at) {
  return float(texelFetch(heights, clamp(at, ivec2(0), mapSize - 1), 0).r) * heightUnit;
}
vec3 ground(float y) {
  float v = fract(y / (scaleY + 0.001));
  if (v < 0.15) return mix(vec3(0.76, 0.70, 0.50), vec3(0.25, 0.55, 0.20), v / 0.15);
  if (v < 0.60) return mix(vec3(0.25, 0.55, 0.20), vec3(0.45, 0.40, 0.30), (v - 0.15) / 0.45);
  if (v < 0.85) return mix(vec3(0.45, 0.40, 0.30), vec3(0.95, 0.95, 0.95), (v - 0.60) / 0.25);
  return vec3(0.95, 0.95, 0.95);
}
void main() {
  ivec2 at = min(ivec2(tile.xy + corner.xy), mapSize - 1);
  float y = heightAt(at);
  vec3 p = vec3((float(at.x) - centre.x) * span.x, y, (float(at.y) - centre.y) * span.y);
  vertexColour = useColours ? texelFetch(colours, at, 0).rgb : ground(y);
  if ((int(corner.z) & int(tile.z)) != 0)
    p.y -= tile.w;
  vertexNormal = vec3(0.0, 1.0, 0.0);
  if (smoothed) {
    vec2 step = 2.0 * max(abs(span), vec2(1e-9));
    vertexNormal = vec3(-(heightAt(at + ivec2(1, 0)) - heightAt(at - ivec2(1, 0))) / step.x, 1.0,
                        -(heightAt(at + ivec2(0, 1)) - heightAt(at - ivec2(0, 1))) / step.y);
  }
  worldPosition = p;
  gl_Position = viewProjection * vec4(p, 1.0);
}
)";

// Lit from where the preview scene's main light stands, so both sides of a
// face show: flat from the triangle's own slope, or smooth from the normals.
constexpr const char *kFragmentShader = R"(#version 330 core
in vec3 worldPosition;
in vec3 vertexColour;
in vec3 vertexNormal;
uniform vec3 light;
uniform float opacity;
uniform int shading; // 0 none, 1 flat, 2 smooth
out vec4 fragment;
void main() {
  if (shading == 0) {
    fragment = vec4(vertexColour, opacity);
    return;
  }
  vec3 n = shading == 2 ? normalize(vertexNormal)
                        : normalize(cross(dFdx(worldPosition), dFdy(worldPosition)));
  fragment = vec4(vertexColour * (0.35 + 0.65 * abs(dot(n, light))), opacity);
}
)";

std::unique_ptr<QOpenGLShaderProgram> build(const char *vertex, QString *why) {
  auto program = std::make_unique<QOpenGLShaderProgram>();
  if (program->addShaderFromSourceCode(QOpenGLShader::Vertex, vertex) &&
      program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) && program->link())
    return program;
  if (why != nullptr)
    *why = QStringLiteral("the OpenGL shaders do not build: ") + program->log();
  return nullptr;
}

// OpenGL takes an offset into the bound buffer as a pointer.
const void *offset(std::size_t bytes) {
  return reinterpret_cast<const void *>(bytes); // NOLINT(performance-no-int-to-ptr)
}

int levelOf(int stride) {
  int level = 0;
  while ((1 << level) < stride)
    ++level;
  return level;
}

// A box that grows around points.
struct Box {
  QVector3D low{1e30f, 1e30f, 1e30f}, high{-1e30f, -1e30f, -1e30f};
  void add(const QVector3D &p, float r = 0.0f) {
    low = {std::min(low.x(), p.x() - r), std::min(low.y(), p.y() - r),
           std::min(low.z(), p.z() - r)};
    high = {std::max(high.x(), p.x() + r), std::max(high.y(), p.y() + r),
            std::max(high.z(), p.z() + r)};
  }
  bool empty() const { return low.x() > high.x(); }
};

} // namespace

DrawBudget budgetFor(bool moving) {
  // The objects' area counts in frames: 1 covers the frame once.
  return moving ? DrawBudget{500'000, {20'000, 60'000, 4.0}}
                : DrawBudget{1'000'000, {400'000, 400'000, 16.0}};
}

SceneRenderer::~SceneRenderer() {
  if (!meshProgram_ || QOpenGLContext::currentContext() == nullptr)
    return;
  const auto free = [this](Buffers &b) {
    glDeleteVertexArrays(1, &b.vao);
    glDeleteBuffers(1, &b.vertices);
    glDeleteBuffers(1, &b.indices);
  };
  for (Buffers *b : {&water_, &markers_, &points_})
    free(*b);
  for (Buffers &b : patches_)
    free(b);
  for (Buffers &b : shapes_)
    free(b);
  glDeleteBuffers(kObjectTypes, shapeInstances_.data());
  glDeleteBuffers(1, &tileInstances_);
  glDeleteTextures(1, &heights_);
  glDeleteTextures(1, &colours_);
}

bool SceneRenderer::initialize(QString *why) {
  initializeOpenGLFunctions();
  meshProgram_ = build(kMeshVertexShader, why);
  terrainProgram_ = meshProgram_ ? build(kTerrainVertexShader, why) : nullptr;
  shapeProgram_ = terrainProgram_ ? build(kShapeVertexShader, why) : nullptr;
  if (!shapeProgram_) {
    meshProgram_.reset();
    return false;
  }
  for (Buffers *b : {&water_, &markers_, &points_}) {
    makeBuffers(*b);
    vertexLayout();
  }
  makePatches();
  makeShapes();
  glGenTextures(1, &heights_);
  glGenTextures(1, &colours_);
  for (unsigned texture : {heights_, colours_}) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  return true;
}

void SceneRenderer::makeBuffers(Buffers &b) {
  glGenVertexArrays(1, &b.vao);
  glGenBuffers(1, &b.vertices);
  glGenBuffers(1, &b.indices);
  glBindVertexArray(b.vao);
  glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indices);
}

void SceneRenderer::vertexLayout() {
  glEnableVertexAttribArray(0);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
  glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), offset(offsetof(Vertex, r)));
}

void SceneRenderer::makePatches() {
  glGenBuffers(1, &tileInstances_);
  for (int level = 0; level < kStrides; ++level) {
    Buffers &b = patches_[static_cast<std::size_t>(level)];
    makeBuffers(b);
    const TilePatch patch = tilePatch(1 << level);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(patch.corners.size() * sizeof(float)),
                 patch.corners.data(), GL_STATIC_DRAW);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(patch.indices.size() * sizeof(std::uint32_t)),
                 patch.indices.data(), GL_STATIC_DRAW);
    b.count = static_cast<int>(patch.indices.size());
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, tileInstances_);
    glEnableVertexAttribArray(1);
    glVertexAttribDivisor(1, 1);
  }
  glBindVertexArray(0);
}

void SceneRenderer::makeShapes() {
  glGenBuffers(kObjectTypes, shapeInstances_.data());
  for (int t = 0; t < kObjectTypes; ++t) {
    Buffers &b = shapes_[static_cast<std::size_t>(t)];
    makeBuffers(b);
    const Mesh shape = shapeMesh(t);
    upload(b, shape);
    glBindVertexArray(b.vao);
    vertexLayout();
    glBindBuffer(GL_ARRAY_BUFFER, shapeInstances_[static_cast<std::size_t>(t)]);
    glEnableVertexAttribArray(2);
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, sizeof(Instance), nullptr);
    glVertexAttribPointer(3, 1, GL_FLOAT, GL_FALSE, sizeof(Instance),
                          offset(offsetof(Instance, scale)));
    glVertexAttribDivisor(2, 1);
    glVertexAttribDivisor(3, 1);
  }
  glBindVertexArray(0);
}

void SceneRenderer::upload(Buffers &b, const Mesh &mesh) {
  b.count = static_cast<int>(mesh.indices.size());
  // The element buffer is the vertex array's; the vertex buffer is not.
  glBindVertexArray(b.vao);
  glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.vertices.size() * sizeof(Vertex)),
               mesh.vertices.data(), GL_STATIC_DRAW);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER,
               static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(std::uint32_t)),
               mesh.indices.data(), GL_STATIC_DRAW);
  glBindVertexArray(0);
}

void SceneRenderer::uploadTerrain(const TerrainSamples &t) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  fits_ = t.width <= largest && t.height <= largest;
  if (!fits_)
    return; // drawn without its ground rather than not at all
  glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
  if (rowsUploaded_ == 0) {
    glBindTexture(GL_TEXTURE_2D, heights_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R16UI, std::max(1, t.width), std::max(1, t.height), 0,
                 GL_RED_INTEGER, GL_UNSIGNED_SHORT, nullptr);
    withColours_ = !t.colours.empty();
    glBindTexture(GL_TEXTURE_2D, colours_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, withColours_ ? t.width : 1,
                 withColours_ ? t.height : 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  }
  const int rows = t.rowsRead - rowsUploaded_;
  if (rows > 0 && t.width > 0) {
    const auto first = static_cast<std::size_t>(rowsUploaded_) * t.width;
    glBindTexture(GL_TEXTURE_2D, heights_);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, rowsUploaded_, t.width, rows, GL_RED_INTEGER,
                    GL_UNSIGNED_SHORT, t.samples.data() + first);
    withColours_ = !t.colours.empty() && withColours_;
    if (withColours_) {
      glBindTexture(GL_TEXTURE_2D, colours_);
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, rowsUploaded_, t.width, rows, GL_BGRA, GL_UNSIGNED_BYTE,
                      t.colours.data() + first);
    }
    rowsUploaded_ = t.rowsRead;
  }
  glBindTexture(GL_TEXTURE_2D, 0);
}

void SceneRenderer::drawTerrain(const SceneModel &model, const QMatrix4x4 &viewProjection,
                                const CameraPose &pose, double pixelsPerUnit, long long budget) {
  const TerrainSamples &t = model.terrain();
  const TerrainPlacement place = placementOf(model.document());
  std::vector<TileDraw> tiles =
      fits_ ? chooseTiles(t, place, viewProjection, pose.eye, pixelsPerUnit, budget)
            : std::vector<TileDraw>{};
  stats_.terrainTriangles = trianglesOf(tiles);
  if (tiles.empty())
    return;
  std::sort(tiles.begin(), tiles.end(),
            [](const TileDraw &a, const TileDraw &b) { return a.stride < b.stride; });
  std::vector<float> data;
  data.reserve(tiles.size() * 4);
  for (const TileDraw &d : tiles) {
    const auto i = static_cast<std::size_t>(d.down) * t.tilesAcross + d.across;
    const double depth = (t.high[i] - t.low[i]) * place.heightUnit + 1e-3 * place.scaleY;
    data.insert(data.end(), {float(d.across * kTileCells), float(d.down * kTileCells),
                             float(d.skirts), static_cast<float>(depth)});
  }
  glBindBuffer(GL_ARRAY_BUFFER, tileInstances_);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(),
               GL_STREAM_DRAW);
  QOpenGLShaderProgram &p = *terrainProgram_;
  p.bind();
  p.setUniformValue("viewProjection", viewProjection);
  p.setUniformValue("light", QVector3D(-1.0f, 2.0f, 1.0f).normalized());
  p.setUniformValue("opacity", 1.0f);
  p.setUniformValue("shading", model.document().smoothOn() != 0 ? 2 : 1);
  p.setUniformValue("smoothed", model.document().smoothOn() != 0);
  p.setUniformValue("heights", 0);
  p.setUniformValue("colours", 1);
  p.setUniformValue("useColours", withColours_);
  glUniform2i(p.uniformLocation("mapSize"), std::max(1, t.width), std::max(1, t.height));
  p.setUniformValue("centre", QVector2D(float(place.centreX), float(place.centreY)));
  const auto span = [](float scale, int n) { return n <= 1 ? 0.0f : scale / float(n - 1); };
  p.setUniformValue(
      "span", QVector2D(span(place.scaleX, place.mapWidth), span(place.scaleZ, place.mapHeight)));
  p.setUniformValue("heightUnit", static_cast<float>(place.heightUnit));
  p.setUniformValue("scaleY", place.scaleY);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, heights_);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, colours_);
  std::size_t first = 0;
  while (first < tiles.size()) {
    std::size_t last = first;
    while (last < tiles.size() && tiles[last].stride == tiles[first].stride)
      ++last;
    const Buffers &b = patches_[static_cast<std::size_t>(levelOf(tiles[first].stride))];
    glBindVertexArray(b.vao);
    glBindBuffer(GL_ARRAY_BUFFER, tileInstances_);
    glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                          offset(first * 4 * sizeof(float)));
    glDrawElementsInstanced(GL_TRIANGLES, b.count, GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(last - first));
    first = last;
  }
  glBindVertexArray(0);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void SceneRenderer::drawObjects(const QMatrix4x4 &viewProjection) {
  QOpenGLShaderProgram &p = *shapeProgram_;
  p.bind();
  p.setUniformValue("viewProjection", viewProjection);
  p.setUniformValue("light", QVector3D(-1.0f, 2.0f, 1.0f).normalized());
  p.setUniformValue("opacity", 1.0f);
  p.setUniformValue("shading", 1);
  for (int t = 0; t < kObjectTypes; ++t) {
    const std::vector<Instance> &list = chosen_.shapes[static_cast<std::size_t>(t)];
    if (list.empty())
      continue;
    glBindBuffer(GL_ARRAY_BUFFER, shapeInstances_[static_cast<std::size_t>(t)]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(list.size() * sizeof(Instance)),
                 list.data(), GL_STREAM_DRAW);
    const Buffers &b = shapes_[static_cast<std::size_t>(t)];
    glBindVertexArray(b.vao);
    glDrawElementsInstanced(GL_TRIANGLES, b.count, GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(list.size()));
  }
  glBindVertexArray(0);
  if (chosen_.points.empty())
    return;
  QOpenGLShaderProgram &m = *meshProgram_;
  m.bind();
  m.setUniformValue("viewProjection", viewProjection);
  m.setUniformValue("opacity", 1.0f);
  m.setUniformValue("shading", 0);
  glBindBuffer(GL_ARRAY_BUFFER, points_.vertices);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(chosen_.points.size() * sizeof(Vertex)),
               chosen_.points.data(), GL_STREAM_DRAW);
  glBindVertexArray(points_.vao);
  glPointSize(2.0f);
  glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(chosen_.points.size()));
  glBindVertexArray(0);
}

DepthRange SceneRenderer::depthFor(const SceneModel &model, const CameraPose &pose,
                                   const DrawOptions &options) const {
  // Depth planes around what is drawn; the water counts by its height alone.
  Box box;
  const TerrainSamples &t = model.terrain();
  const TerrainPlacement place = placementOf(model.document());
  if (t.width > 0 && t.height > 0 && t.rowsRead > 0) {
    const std::uint16_t low = *std::min_element(t.low.begin(), t.low.end());
    const std::uint16_t high = *std::max_element(t.high.begin(), t.high.end());
    box.add(place.at(0, 0, std::min(low, high)));
    box.add(place.at(t.width - 1, t.height - 1, high));
  }
  for (int k = 0; k < kObjectTypes; ++k) {
    const float reach = shapeSize(k).reach;
    for (const Instance &o : chosen_.shapes[static_cast<std::size_t>(k)])
      box.add({o.x, o.y, o.z}, reach * o.scale);
  }
  for (const Vertex &v : chosen_.points)
    box.add({v.x, v.y, v.z});
  if (options.markers)
    for (const Vertex &v : model.markers().vertices)
      box.add({v.x, v.y, v.z});
  const bool water = options.water && !model.water().vertices.empty();
  if (water && !box.empty())
    box.add({box.low.x(), model.water().vertices.front().y, box.low.z()});
  if (box.empty())
    box.add(pose.target, 1.0f);
  DepthRange depth = depthRange(pose, (box.low + box.high) / 2.0f,
                                std::max((box.high - box.low).length() / 2.0f, 1e-3f));
  if (water) {
    // Water seen below or above the eye lies no nearer along the view than a
    // quarter of its height from the eye's level (for angles up to 150
    // degrees), however far its plane reaches.
    const float level = std::abs(pose.eye.y() - model.water().vertices.front().y);
    depth.nearPlane = std::max(std::min(depth.nearPlane, level / 4.0f), depth.farPlane * 1e-5f);
    for (const Vertex &v : model.water().vertices)
      depth.farPlane =
          std::max(depth.farPlane, (pose.eye - QVector3D(v.x, v.y, v.z)).length() * 1.01f);
  }
  return depth;
}

void SceneRenderer::drawMeshes(const QMatrix4x4 &viewProjection, const DrawOptions &options) {
  QOpenGLShaderProgram &m = *meshProgram_;
  m.bind();
  m.setUniformValue("viewProjection", viewProjection);
  m.setUniformValue("light", QVector3D(-1.0f, 2.0f, 1.0f).normalized());
  m.setUniformValue("shading", 1);
  m.setUniformValue("opacity", 1.0f);
  const auto drawMesh = [this](const Buffers &b) {
    if (b.count == 0)
      return;
    glBindVertexArray(b.vao);
    glDrawElements(GL_TRIANGLES, b.count, GL_UNSIGNED_INT, nullptr);
  };
  if (options.markers)
    drawMesh(markers_);
  if (options.water) {
    // The preview scene's water lets 30 % of what lies below through.
    m.setUniformValue("opacity", 0.7f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    drawMesh(water_);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
  }
  glBindVertexArray(0);
  m.release();
}

void SceneRenderer::draw(const SceneModel &model, const CameraPose &pose, QSize size,
                         const DrawOptions &options) {
  glClearColor(options.background.redF(), options.background.greenF(), options.background.blueF(),
               1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  stats_ = {};
  if (!meshProgram_ || size.isEmpty())
    return;
  if (model.meshesVersion() != meshesVersion_) {
    upload(water_, model.water());
    upload(markers_, model.markers());
    meshesVersion_ = model.meshesVersion();
  }
  if (model.terrainGeneration() != terrainGeneration_) {
    terrainGeneration_ = model.terrainGeneration();
    rowsUploaded_ = 0;
  }
  uploadTerrain(model.terrain());

  // Choosing what to draw needs no depth planes: x, y and w do not depend on them.
  const double aspect = double(size.width()) / size.height();
  const QMatrix4x4 view = viewMatrix(pose);
  const QMatrix4x4 choosing = projectionMatrix(pose, aspect, 1.0f, 2.0f) * view;
  const double pixelsPerUnit = size.width() / 2.0 / std::tan(pose.angle * M_PI / 360.0);
  DrawBudget budget = budgetFor(options.moving);
  budget.objects.area *= double(size.width()) * size.height();
  for (auto &s : chosen_.shapes)
    s.clear();
  chosen_.points.clear();
  if (options.objects)
    chooseObjects(model.objects(), choosing, pixelsPerUnit, budget.objects, chosen_);

  const DepthRange depth = depthFor(model, pose, options);
  const QMatrix4x4 viewProjection =
      projectionMatrix(pose, aspect, depth.nearPlane, depth.farPlane) * view;

  glEnable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  drawTerrain(model, viewProjection, pose, pixelsPerUnit, budget.triangles);
  if (options.objects) {
    drawObjects(viewProjection);
    stats_.points = static_cast<long long>(chosen_.points.size());
    stats_.shapes = chosen_.count() - stats_.points;
  }
  drawMeshes(viewProjection, options);
}

} // namespace hs::view3d
