#pragma once

#include "core/ProgramValues.h"
#include "io/Render.h"

#include <memory>

class QLabel;
class QPushButton;

namespace hs {

class PreviewWindow;
class WindowServices;
class vCmdWindow;
class vStatusPane;

// The Render button as the window sees it: while the engine runs, the status
// bar shows its progress with a Cancel button and Render is disabled; a
// finished render opens (or refreshes) the preview window.
class RenderWatch {
public:
  // renderId: the Render command, disabled while a render runs.
  RenderWatch(vCmdWindow &window, vStatusPane &status, WindowServices &services, int renderId);
  ~RenderWatch();
  RenderWatch(const RenderWatch &) = delete;
  RenderWatch &operator=(const RenderWatch &) = delete;

  void render(const Document &document, const ProgramValues &values);
  bool running() const { return job_.running(); }

  QLabel *progressLabel() const { return progress_; }
  QPushButton *cancelButton() const { return cancel_; }
  // The preview window, once a render has finished well.
  PreviewWindow *preview() const { return preview_.get(); }

private:
  void showProgress(int percent);
  void finished(const RenderOutcome &outcome);

  vCmdWindow &window_;
  WindowServices &services_;
  int renderId_;
  QLabel *progress_;
  QPushButton *cancel_;
  std::unique_ptr<PreviewWindow> preview_;
  RenderJob job_;
};

} // namespace hs
