#pragma once

#include "core/Document.h"
#include "view3d/Geometry.h"
#include "view3d/OffscreenRenderer.h"
#include "view3d/SceneModel.h"

#include <QPoint>
#include <QTimer>
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
// (QOpenGLWidget cannot show on the offscreen one). The model follows the
// document's change notices; what they ask is done a slice at a time between
// frames, and while the view moves it draws less, refining once it stops.
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
  // How often each part was begun again: one change touches its parts only.
  int builds(view3d::Part part) const { return model_.builds(part); }
  // The picture at rest with everything in, as the widget shows it once the
  // work the changes asked for is done.
  QImage frame();
  // Whether the view draws as while it moves.
  bool moving() const { return moving_; }
  const view3d::FrameStats &stats() const { return renderer_->stats(); }

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

private:
  void turn(double yaw, double pitch);
  // The view moved: draw less until it rests.
  void moved();
  const LRMemoryDC *picture() const;
  QImage draw(bool moving);

  Document &document_;
  int listener_ = 0;
  std::unique_ptr<view3d::OffscreenRenderer> renderer_;
  view3d::SceneModel model_;
  QTimer rest_;  // the view stopped moving
  QTimer slice_; // the next slice of the model's work
  bool moving_ = false;
  Look look_ = Look::SceneCamera;
  MapPicture mapPicture_;
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
