#include "view3d/SceneRenderer.h"

#include <QOpenGLContext>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace hs::view3d {

namespace {

constexpr const char *kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 colour;
uniform mat4 viewProjection;
out vec3 worldPosition;
out vec3 vertexColour;
void main() {
  gl_Position = viewProjection * vec4(position, 1.0);
  worldPosition = position;
  vertexColour = colour;
}
)";

// Flat shading from the triangle's own slope, lit from where the preview
// scene's main light stands, so both sides of a face show.
constexpr const char *kFragmentShader = R"(#version 330 core
in vec3 worldPosition;
in vec3 vertexColour;
uniform vec3 light;
uniform float opacity;
out vec4 fragment;
void main() {
  vec3 n = normalize(cross(dFdx(worldPosition), dFdy(worldPosition)));
  float d = abs(dot(n, light));
  fragment = vec4(vertexColour * (0.35 + 0.65 * d), opacity);
}
)";

constexpr std::size_t index(Part part) { return static_cast<std::size_t>(part); }

} // namespace

SceneRenderer::~SceneRenderer() {
  if (!program_ || QOpenGLContext::currentContext() == nullptr)
    return;
  for (Buffers &b : parts_) {
    glDeleteVertexArrays(1, &b.vao);
    glDeleteBuffers(1, &b.vertices);
    glDeleteBuffers(1, &b.indices);
  }
}

bool SceneRenderer::initialize(QString *why) {
  initializeOpenGLFunctions();
  auto program = std::make_unique<QOpenGLShaderProgram>();
  if (!program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
      !program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) ||
      !program->link()) {
    if (why != nullptr)
      *why = QStringLiteral("the OpenGL shaders do not build: ") + program->log();
    return false;
  }
  program_ = std::move(program);
  for (Buffers &b : parts_) {
    glGenVertexArrays(1, &b.vao);
    glGenBuffers(1, &b.vertices);
    glGenBuffers(1, &b.indices);
    glBindVertexArray(b.vao);
    glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indices);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
    // OpenGL takes the colour's offset in the buffer as a pointer.
    const auto *colour = reinterpret_cast<const void *>( // NOLINT(performance-no-int-to-ptr)
        offsetof(Vertex, r));
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), colour);
  }
  glBindVertexArray(0);
  return true;
}

void SceneRenderer::setMesh(Part part, const Mesh &mesh) {
  Buffers &b = parts_[index(part)];
  b.count = static_cast<int>(mesh.indices.size());
  b.low = b.high = QVector3D();
  if (!mesh.vertices.empty()) {
    const Vertex &v0 = mesh.vertices.front();
    b.low = b.high = {v0.x, v0.y, v0.z};
    for (const Vertex &v : mesh.vertices) {
      b.low = {std::min(b.low.x(), v.x), std::min(b.low.y(), v.y), std::min(b.low.z(), v.z)};
      b.high = {std::max(b.high.x(), v.x), std::max(b.high.y(), v.y), std::max(b.high.z(), v.z)};
    }
  }
  if (!program_)
    return;
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

std::pair<QVector3D, float> SceneRenderer::bounds(const DrawOptions &options) const {
  bool any = false;
  QVector3D low, high;
  // The water reaches far beyond everything else: only its height counts
  // here, and drawFrom moves the far plane out to it.
  for (Part part : {Part::Terrain, Part::Objects, Part::Markers, Part::Water}) {
    const Buffers &b = parts_[index(part)];
    if (b.count == 0 || (part == Part::Water && !options.water) ||
        (part == Part::Objects && !options.objects) || (part == Part::Markers && !options.markers))
      continue;
    if (part == Part::Water && any) {
      low.setY(std::min(low.y(), b.low.y()));
      high.setY(std::max(high.y(), b.high.y()));
      continue;
    }
    low = any ? QVector3D(std::min(low.x(), b.low.x()), std::min(low.y(), b.low.y()),
                          std::min(low.z(), b.low.z()))
              : b.low;
    high = any ? QVector3D(std::max(high.x(), b.high.x()), std::max(high.y(), b.high.y()),
                           std::max(high.z(), b.high.z()))
               : b.high;
    any = true;
  }
  return {(low + high) / 2.0f, std::max((high - low).length() / 2.0f, 1e-3f)};
}

void SceneRenderer::draw(const QMatrix4x4 &view, const QMatrix4x4 &projection,
                         const DrawOptions &options) {
  glClearColor(options.background.redF(), options.background.greenF(), options.background.blueF(),
               1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!program_)
    return;
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  program_->bind();
  program_->setUniformValue("viewProjection", projection * view);
  program_->setUniformValue("light", QVector3D(-1.0f, 2.0f, 1.0f).normalized());
  const auto drawPart = [this](Part part, float opacity) {
    const Buffers &b = parts_[index(part)];
    if (b.count == 0)
      return;
    program_->setUniformValue("opacity", opacity);
    glBindVertexArray(b.vao);
    glDrawElements(GL_TRIANGLES, b.count, GL_UNSIGNED_INT, nullptr);
  };
  drawPart(Part::Terrain, 1.0f);
  if (options.objects)
    drawPart(Part::Objects, 1.0f);
  if (options.markers)
    drawPart(Part::Markers, 1.0f);
  if (options.water) {
    // The preview scene's water lets 30 % of what lies below through.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    drawPart(Part::Water, 0.7f);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
  }
  glBindVertexArray(0);
  program_->release();
}

void SceneRenderer::drawFrom(const CameraPose &pose, double aspect, const DrawOptions &options) {
  const auto [centre, radius] = bounds(options);
  DepthRange depth = depthRange(pose, centre, radius);
  const Buffers &water = parts_[index(Part::Water)];
  if (options.water && water.count > 0) {
    // Water seen below or above the eye lies no nearer along the view than a
    // quarter of its height from the eye's level (for angles up to 150
    // degrees), however far its plane reaches.
    const float level = std::abs(pose.eye.y() - water.low.y());
    depth.nearPlane = std::max(std::min(depth.nearPlane, level / 4.0f), depth.farPlane * 1e-5f);
    for (const QVector3D &corner :
         {water.low, water.high, QVector3D(water.low.x(), 0, water.high.z()),
          QVector3D(water.high.x(), 0, water.low.z())})
      depth.farPlane =
          std::max(depth.farPlane,
                   (pose.eye - QVector3D(corner.x(), water.low.y(), corner.z())).length() * 1.01f);
  }
  draw(viewMatrix(pose), projectionMatrix(pose, aspect, depth.nearPlane, depth.farPlane), options);
}

} // namespace hs::view3d
