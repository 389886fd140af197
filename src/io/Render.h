#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace hs {

class WindowServices;

inline constexpr const char *kTestIncludeName = "TestPlace.inc";
inline constexpr const char *kPreviewIni = "Preview.ini";
inline constexpr const char *kNoEngineMessage =
    "You Need to select the POV exe file\n at  POV..AT under Files in Preferences\n"
    " to Render a POV preveiw \n";
// Followed by the engine path and the reason on a line of its own.
inline constexpr const char *kEngineNotStartedMessage = "The render engine could not be started:\n";
inline constexpr const char *kNoEngineChosenMessage =
    "No! POV.EXE file SELECTED!.\n  Need one to test render!!";

// Heads the engine's last lines when a render fails.
inline constexpr const char *kRenderFailedMessage = "The render failed:\n";

enum RenderResult {
  RenderStarted = 0,
  RenderNoEngine = 1,   // engine path shorter than 10 characters; notice shown
  RenderNoInclude = 2,  // TestPlace.inc could not be written
  RenderNotStarted = 3, // the system could not start the engine; notice with the reason
  RenderBusy = 4        // a render is still running; nothing was written
};

// Arguments for the engine: the preview INI, "+V" (so POV-Ray reports its
// progress on the error stream) and "-D" (the program shows the picture
// itself). The Windows engine (a file name beginning with "pvengine") gets
// "/RENDER" first; the Unix povray would reject it.
QStringList engineArguments(const std::string &enginePath);

// Whether a preview scene's text has a "#case (type)": a scene older than the
// include's type would stop on it (or, older still, read it as another
// format), so content decides, not the file's time. A scene with no #switch
// on HS_Hf_typ knows every type.
bool previewSceneKnowsType(std::string_view scene, int type);

// The notice for the preview scene at scenePath when it does not know type,
// naming the shipped scene to copy; empty when it does or cannot be read (the
// render then says what is wrong).
std::string oldPreviewSceneNotice(const std::string &scenePath, int type);

// How a render ended.
struct RenderOutcome {
  enum Kind { Rendered, Failed, Cancelled, NotStarted };
  Kind kind = Failed;
  std::string picture; // the full path of the picture asked for
  std::string message; // Failed: the notice shown
};

// One render at a time: writes TestPlace.inc, runs the engine as a child in
// startDir and watches its error stream. Everything happens in the event
// loop's signals; the callbacks say how far it has got and how it ended.
// Failures are shown through the services given to renderPreview.
class RenderJob {
public:
  using Progress = std::function<void(int percent)>;
  using Finished = std::function<void(const RenderOutcome &)>;

  RenderJob(Progress progress, Finished finished);
  // Kills an engine still running.
  ~RenderJob();
  RenderJob(const RenderJob &) = delete;
  RenderJob &operator=(const RenderJob &) = delete;

  // The Render button: makes startDir current, writes TestPlace.inc there
  // and starts the engine on the preview INI, after a notice when the INI's
  // scene does not know the map's type. Returns RenderStarted when the
  // engine runs; Finished follows later. An engine that cannot be started
  // (missing, not executable, a directory) is reported in a notice that says
  // why, now or, when the system finds out later, before Finished.
  int renderPreview(const Document &document, const ProgramValues &values,
                    WindowServices *services);
  bool running() const;
  // Stops the engine; Finished then reports Cancelled.
  void cancel();

private:
  struct Run;
  void readLog();
  void ended(int exitCode, bool crashed);
  void notStarted(const QString &reason);
  void finish(const RenderOutcome &outcome);

  Progress progress_;
  Finished finished_;
  std::unique_ptr<Run> run_;
};

// Runs the open chooser on name (title, filters); true when the user confirmed.
using ChooseFile =
    std::function<bool(const char *title, std::string &name, const QStringList &filters)>;

// "Pov...AT": lets the user pick the engine program and shows what was chosen.
void chooseEngine(ProgramValues &values, WindowServices &services, const ChooseFile &choose);

} // namespace hs
