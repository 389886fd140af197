#pragma once

#include "core/Document.h"
#include "view3d/Geometry.h"
#include "view3d/OffscreenRenderer.h"

#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;

namespace hs {

// The scene in 3D: the renderer draws into its framebuffer and the widget
// shows the picture, so it works on every platform that can make a context
// (QOpenGLWidget cannot show on the offscreen one). It rebuilds only the parts
// the document's change notices name, the next time it draws.
class View3dCanvas : public QWidget {
public:
  enum class Look { SceneCamera, Orbit };

  View3dCanvas(Document &document, std::unique_ptr<view3d::OffscreenRenderer> renderer,
               QWidget *parent);
  ~View3dCanvas() override;
  View3dCanvas(const View3dCanvas &) = delete;
  View3dCanvas &operator=(const View3dCanvas &) = delete;

  // Orbit starts where the scene camera stands; SceneCamera is exactly it.
  void setLook(Look look);
  Look look() const { return look_; }
  // The camera drawn from now.
  view3d::CameraPose pose() const;
  // The terrain in the colours of the map as the main window shows it, which
  // source gives, instead of the preview scene's colours by height.
  using MapPicture = std::function<const LRMemoryDC &()>;
  void setMapPicture(MapPicture source) { mapPicture_ = std::move(source); }
  void showMapColours(bool on);
  // The map shows in other colours (a palette, the relief) though the
  // document did not change.
  void mapShownAgain();
  // How often each part's mesh was built: one change rebuilds its parts only.
  int builds(view3d::Part part) const { return builds_[static_cast<std::size_t>(part)]; }
  // The picture as the widget shows it now, its stale parts rebuilt first.
  QImage frame();

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

private:
  void hear(const DocumentChange &change);
  void stale(std::initializer_list<view3d::Part> parts);
  void turn(double yaw, double pitch);

  Document &document_;
  int listener_ = 0;
  std::unique_ptr<view3d::OffscreenRenderer> renderer_;
  std::array<bool, view3d::kParts> stale_{true, true, true, true};
  std::array<int, view3d::kParts> builds_{};
  Look look_ = Look::SceneCamera;
  MapPicture mapPicture_;
  bool mapColours_ = false;
  view3d::Orbit orbit_;
  QVector3D pan_; // the orbit's centre moved from the look-at point
  QPoint last_;   // the mouse at the last press or move
};

// The "3D View" window: the canvas and a choice of how to look, or, without
// OpenGL, a line saying so and why.
class View3dWindow : public QWidget {
public:
  // why: when not empty, OpenGL cannot be had (it is checked otherwise).
  explicit View3dWindow(Document &document, QWidget *parent = nullptr, QString why = {});

  // Null without OpenGL.
  View3dCanvas *canvas() const { return canvas_; }
  QComboBox *lookChoice() const { return look_; }
  QCheckBox *mapColoursChoice() const { return mapColours_; }
  QLabel *message() const { return message_; }

private:
  void showFailure(const QString &why);

  View3dCanvas *canvas_ = nullptr;
  QComboBox *look_ = nullptr;
  QCheckBox *mapColours_ = nullptr;
  QLabel *message_ = nullptr;
};

} // namespace hs
