#include "io/Render.h"

#include "core/Names.h"
#include "core/PaneSurface.h"
#include "core/QtPaths.h"
#include "io/PovInclude.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace hs {

QStringList engineArguments(const std::string &enginePath) {
  const QString base = QFileInfo(toQtPath(enginePath)).fileName();
  if (base.startsWith(QStringLiteral("pvengine"), Qt::CaseInsensitive))
    return {QStringLiteral("/RENDER"), QString::fromLatin1(kPreviewIni)};
  return {QString::fromLatin1(kPreviewIni)};
}

int renderPreview(const Scene &scene, const ProgramValues &values, const WindowValues &window,
                  WindowServices *services) {
  const QString dir = toQtPath(values.startDir);
  QDir::setCurrent(dir);
  if (values.enginePath.size() < 10) {
    if (services)
      services->notice("Notice", kNoEngineMessage);
    return RenderNoEngine;
  }
  // Named in full, so a start directory that has gone away is not replaced by
  // wherever the process happens to be.
  const std::string include = values.startDir + "/" + kTestIncludeName;
  if (writePovInclude(scene, values, window, include) != 0)
    return RenderNoInclude;
  const bool started =
      QProcess::startDetached(toQtPath(values.enginePath), engineArguments(values.enginePath), dir);
  return started ? RenderStarted : RenderNotStarted;
}

void chooseEngine(ProgramValues &values, WindowServices &services, const ChooseFile &choose) {
  std::string name = values.enginePath;
  const bool confirmed =
      choose("Select POV's exe", name, {QStringLiteral("povray*"), QStringLiteral("*")});
  if (confirmed && !name.empty() && setName(values.enginePath, name))
    services.notice("Render Engine", values.enginePath.c_str());
  else
    services.notice("Render Engine", kNoEngineChosenMessage);
}

} // namespace hs
