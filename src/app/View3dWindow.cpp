#include "app/View3dWindow.h"

#include "view3d/OffscreenRenderer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace hs {

using view3d::Part;

namespace {

constexpr double kDegreesPerPixel = 0.4;
constexpr double kDegreesPerKey = 5.0;

} // namespace

namespace {

// Samples and records read at a time (a few milliseconds' work), and for how
// long before a frame shows what is in.
constexpr long long kSlice = 1 << 20;
constexpr qint64 kSliceMs = 40;
// The view rests once no gesture came for this long.
constexpr int kRestMs = 250;

} // namespace

View3dCanvas::View3dCanvas(Document &document, std::unique_ptr<view3d::OffscreenRenderer> renderer,
                           QWidget *parent)
    : QWidget(parent), document_(document), renderer_(std::move(renderer)), model_(document) {
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(160, 120);
  rest_.setSingleShot(true);
  rest_.setInterval(kRestMs);
  connect(&rest_, &QTimer::timeout, this, [this] {
    moving_ = false;
    update();
  });
  slice_.setSingleShot(true);
  slice_.setInterval(0);
  connect(&slice_, &QTimer::timeout, this, [this] { update(); });
  listener_ = document_.addListener([this](const DocumentChange &change) { model_.hear(change); },
                                    [this] { update(); });
}

View3dCanvas::~View3dCanvas() { document_.removeListener(listener_); }

const LRMemoryDC *View3dCanvas::picture() const {
  return model_.mapColours() && mapPicture_ ? &mapPicture_() : nullptr;
}

void View3dCanvas::showMapColours(bool on) {
  model_.showMapColours(on && mapPicture_);
  update();
}

void View3dCanvas::mapShownAgain() {
  model_.mapShownAgain();
  update();
}

void View3dCanvas::moved() {
  moving_ = true;
  rest_.start();
  update();
}

void View3dCanvas::setLook(Look look) {
  if (look == Look::Orbit && look_ != Look::Orbit) {
    orbit_ = view3d::orbitOf(view3d::sceneCamera(document_));
    pan_ = {};
  }
  look_ = look;
  update();
}

view3d::CameraPose View3dCanvas::pose() const {
  if (look_ == Look::SceneCamera)
    return view3d::sceneCamera(document_);
  view3d::CameraPose pose = view3d::orbitCamera(document_, orbit_);
  pose.eye += pan_;
  pose.target += pan_;
  return pose;
}

QImage View3dCanvas::draw(bool moving) {
  view3d::DrawOptions options;
  options.background = QColor(120, 150, 190);
  options.markers = look_ == Look::Orbit;
  options.moving = moving;
  return renderer_->draw(model_, pose(), size() * devicePixelRatio(), options);
}

QImage View3dCanvas::frame() {
  model_.update(std::numeric_limits<long long>::max(), picture());
  return draw(false);
}

void View3dCanvas::paintEvent(QPaintEvent * /*event*/) {
  // A slice of the work left, then what is in; the next slice follows
  // once the event loop has had its turn.
  QElapsedTimer clock;
  clock.start();
  bool done = false;
  while (!(done = model_.update(kSlice, picture())) && clock.elapsed() < kSliceMs)
    ;
  if (!done)
    slice_.start();
  QImage picture = draw(moving_);
  picture.setDevicePixelRatio(devicePixelRatio());
  QPainter(this).drawImage(0, 0, picture);
}

void View3dCanvas::turn(double yaw, double pitch) {
  orbit_.yaw += yaw;
  orbit_.pitch = std::clamp(orbit_.pitch + pitch, -89.0, 89.0);
  moved();
}

void View3dCanvas::mousePressEvent(QMouseEvent *event) { last_ = event->position().toPoint(); }

void View3dCanvas::mouseMoveEvent(QMouseEvent *event) {
  const QPoint at = event->position().toPoint();
  const QPoint d = at - last_;
  last_ = at;
  if (look_ != Look::Orbit)
    return;
  if ((event->buttons() & Qt::LeftButton) != 0U)
    return turn(d.x() * kDegreesPerPixel, d.y() * kDegreesPerPixel);
  if ((event->buttons() & (Qt::RightButton | Qt::MiddleButton)) == 0U)
    return;
  // One pixel moves the scene by what a pixel spans at the orbit's centre.
  const view3d::CameraPose now = pose();
  const QVector3D forward = (now.target - now.eye).normalized();
  const QVector3D right = QVector3D::crossProduct(forward, {0, 1, 0}).normalized();
  const QVector3D up = QVector3D::crossProduct(right, forward);
  const double span = 2.0 * orbit_.distance * std::tan(now.angle * std::numbers::pi / 360.0);
  const auto perPixel = static_cast<float>(span / std::max(1, width()));
  pan_ += (up * static_cast<float>(d.y()) - right * static_cast<float>(d.x())) * perPixel;
  moved();
}

void View3dCanvas::wheelEvent(QWheelEvent *event) {
  if (look_ != Look::Orbit)
    return;
  orbit_.distance =
      std::max(0.01, orbit_.distance * std::pow(0.9, event->angleDelta().y() / 120.0));
  moved();
}

void View3dCanvas::keyPressEvent(QKeyEvent *event) {
  if (look_ != Look::Orbit)
    return QWidget::keyPressEvent(event);
  switch (event->key()) {
  case Qt::Key_Left:
    return turn(-kDegreesPerKey, 0);
  case Qt::Key_Right:
    return turn(kDegreesPerKey, 0);
  case Qt::Key_Up:
    return turn(0, kDegreesPerKey);
  case Qt::Key_Down:
    return turn(0, -kDegreesPerKey);
  default:
    return QWidget::keyPressEvent(event);
  }
}

View3dWindow::View3dWindow(Document &document, QWidget *parent, QString why)
    : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("3D View"));
  resize(640, 480);
  auto *layout = new QVBoxLayout(this);
  message_ = new QLabel(this);
  message_->setWordWrap(true);
  message_->hide();
  layout->addWidget(message_);
  std::unique_ptr<view3d::OffscreenRenderer> renderer;
  if (why.isEmpty())
    renderer = view3d::OffscreenRenderer::create(&why);
  if (renderer == nullptr) {
    showFailure(why);
    return;
  }
  auto *bar = new QHBoxLayout;
  layout->addLayout(bar);
  look_ = new QComboBox(this);
  look_->addItems({QStringLiteral("Scene Camera"), QStringLiteral("Orbit")});
  bar->addWidget(look_);
  mapColours_ = new QCheckBox(QStringLiteral("Map Colours"), this);
  bar->addWidget(mapColours_);
  bar->addStretch();
  canvas_ = new View3dCanvas(document, std::move(renderer), this);
  layout->addWidget(canvas_, 1);
  connect(look_, &QComboBox::currentIndexChanged, this, [this](int index) {
    canvas_->setLook(index == 1 ? View3dCanvas::Look::Orbit : View3dCanvas::Look::SceneCamera);
    canvas_->setFocus();
  });
  connect(mapColours_, &QCheckBox::toggled, this, [this](bool on) { canvas_->showMapColours(on); });
}

void View3dWindow::showFailure(const QString &why) {
  message_->setText(
      QStringLiteral("The 3D view needs OpenGL 3.3, and it cannot be had here: %1.").arg(why));
  message_->show();
}

} // namespace hs
