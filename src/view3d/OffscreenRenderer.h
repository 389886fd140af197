// Renders the 3D view without a window: an offscreen surface, an OpenGL 3.3
// core context and a framebuffer object, read back into an image.
#pragma once

#include "view3d/SceneRenderer.h"

#include <QImage>
#include <QSize>

#include <memory>
#include <optional>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace hs::view3d {

struct RenderRequest {
  QSize size{480, 360};
  double angle = 60.0;
  DrawOptions draw;
  std::optional<Orbit> orbit; // the scene camera when empty
};

// The camera a request sees the document from.
CameraPose poseFor(const Document &document, const RenderRequest &request);

class OffscreenRenderer {
public:
  // Needs a QGuiApplication. Empty, with why in plain words, when no OpenGL
  // 3.3 core context can be made (no display, no driver).
  static std::unique_ptr<OffscreenRenderer> create(QString *why);
  ~OffscreenRenderer();
  OffscreenRenderer(const OffscreenRenderer &) = delete;
  OffscreenRenderer &operator=(const OffscreenRenderer &) = delete;

  // The document as the 3D view shows it; a null image when the framebuffer
  // cannot be made at that size.
  QImage render(const Document &document, const RenderRequest &request);

  // A model as it stands (a view that keeps one), seen from pose at size
  // (null as render's).
  QImage draw(const SceneModel &model, const CameraPose &pose, QSize size,
              const DrawOptions &options);
  // What the last picture drew.
  const FrameStats &stats() const { return scene_->stats(); }

private:
  OffscreenRenderer();
  std::unique_ptr<QOffscreenSurface> surface_;
  std::unique_ptr<QOpenGLContext> context_;
  std::unique_ptr<SceneRenderer> scene_;
};

} // namespace hs::view3d
