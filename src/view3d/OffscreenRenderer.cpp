#include "view3d/OffscreenRenderer.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <limits>

namespace hs::view3d {

CameraPose poseFor(const Document &document, const RenderRequest &request) {
  return request.orbit ? orbitCamera(document, *request.orbit, request.angle)
                       : sceneCamera(document, request.angle);
}

OffscreenRenderer::OffscreenRenderer() = default;

OffscreenRenderer::~OffscreenRenderer() {
  // The GL objects go while their context is current.
  if (context_ && surface_ && context_->makeCurrent(surface_.get())) {
    scene_.reset();
    context_->doneCurrent();
  }
}

std::unique_ptr<OffscreenRenderer> OffscreenRenderer::create(QString *why) {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  format.setDepthBufferSize(24);
  std::unique_ptr<OffscreenRenderer> r(new OffscreenRenderer);
  r->context_ = std::make_unique<QOpenGLContext>();
  r->context_->setFormat(format);
  r->surface_ = std::make_unique<QOffscreenSurface>();
  r->surface_->setFormat(format);
  r->surface_->create();
  const auto fail = [why](const QString &text) {
    if (why != nullptr)
      *why = text;
    return nullptr;
  };
  if (!r->context_->create() || !r->surface_->isValid() ||
      !r->context_->makeCurrent(r->surface_.get()))
    return fail(QStringLiteral("no OpenGL context can be made (no display or no OpenGL driver)"));
  const QSurfaceFormat got = r->context_->format();
  if (got.renderableType() != QSurfaceFormat::OpenGL || got.version() < qMakePair(3, 3))
    return fail(QStringLiteral("no OpenGL 3.3 context can be made (this one is %1.%2)")
                    .arg(got.majorVersion())
                    .arg(got.minorVersion()));
  r->scene_ = std::make_unique<SceneRenderer>();
  if (!r->scene_->initialize(why))
    return nullptr;
  return r;
}

QImage OffscreenRenderer::render(const Document &document, const RenderRequest &request) {
  SceneModel model(document);
  model.update(std::numeric_limits<long long>::max(), nullptr);
  return draw(model, poseFor(document, request), request.size, request.draw);
}

QImage OffscreenRenderer::draw(const SceneModel &model, const CameraPose &pose, QSize size,
                               const DrawOptions &options) {
  if (size.isEmpty() || !context_->makeCurrent(surface_.get()))
    return {};
  QOpenGLFramebufferObject fbo(size, QOpenGLFramebufferObject::Depth);
  if (!fbo.isValid() || !fbo.bind())
    return {};
  context_->functions()->glViewport(0, 0, size.width(), size.height());
  scene_->draw(model, pose, size, options);
  QImage image = fbo.toImage().convertToFormat(QImage::Format_RGB32);
  fbo.release();
  return image;
}

} // namespace hs::view3d
