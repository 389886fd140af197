#pragma once

#include "core/Document.h"
#include "core/Gesture.h"
#include "core/MapView.h"
#include "core/PaneSurface.h"
#include "core/ProgramValues.h"

#include <functional>
#include <memory>

namespace hs {

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

  ~Scene();

  // The view's listener on the document (view/Redraw.h installs it): heard
  // for every change, told once the changes of a step are all heard. A second
  // call replaces the first; the scene removes it when it goes.
  void listen(std::function<void(const DocumentChange &)> heard, std::function<void()> told);

private:
  std::unique_ptr<Document> ownDocument_;
  Document *document_;
  WindowValues ownValues_;
  WindowValues *owner_;
  WindowServices *services_;
  int listener_ = 0;
};

} // namespace hs
