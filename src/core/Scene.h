#pragma once

#include "core/Document.h"
#include "core/Gesture.h"
#include "core/MapView.h"
#include "core/PaneSurface.h"
#include "core/ProgramValues.h"

#include <functional>
#include <memory>

namespace hs {

// What an operation changed, for whoever shows the scene.
enum class Change {
  Objects,   // objects were added, moved, edited or deleted
  Camera,    // the camera or the look-at point moved
  Map,       // a new height field, or its colours
  Water,     // the water level, which shows only while the water does
  Everything // the document went back to its kept copy
};

// The map pane's scene: the view of a document and the gesture under way,
// with the window it belongs to. The document is the application's; a scene
// made without one has a document of its own (tests, tools). Nothing here is
// ever null: without a window the services do nothing and the cursor values
// are the scene's own.
class Scene : public MapView, public Gesture {
public:
  explicit Scene(Document *document = nullptr, WindowValues *owner = nullptr);
  Scene(const Scene &) = delete;
  Scene &operator=(const Scene &) = delete;

  Document &document() const { return *document_; }
  WindowValues &owner() const { return *owner_; }
  WindowServices &services() const { return *services_; }
  // nullptr detaches: the scene falls back to values and services of its own.
  void attachOwner(WindowValues *owner);
  void attachServices(WindowServices *services);

  // The view's change notification: operations that change what is shown call
  // changed(); the view layer listens and redraws. Without a listener nothing
  // happens.
  void onChange(std::function<void(Change)> listener) { listener_ = std::move(listener); }
  void changed(Change what) const {
    if (listener_)
      listener_(what);
  }

private:
  std::unique_ptr<Document> ownDocument_;
  Document *document_;
  WindowValues ownValues_;
  WindowValues *owner_;
  WindowServices *services_;
  std::function<void(Change)> listener_;
};

} // namespace hs
