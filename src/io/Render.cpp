#include "io/Render.h"

#include "core/Names.h"
#include "core/PaneSurface.h"
#include "core/QtPaths.h"
#include "io/PovInclude.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cstring>
#include <string>

namespace hs {

QStringList engineArguments(const std::string &enginePath) {
  const QString base = QFileInfo(toQtPath(enginePath)).fileName();
  if (base.startsWith(QStringLiteral("pvengine"), Qt::CaseInsensitive))
    return {QStringLiteral("/RENDER"), QString::fromLatin1(kPreviewIni)};
  return {QString::fromLatin1(kPreviewIni)};
}

int renderPreview(const Document &document, const ProgramValues &values, const WindowValues &window,
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
  if (writePovInclude(document, values, window, include) != 0)
    return RenderNoInclude;
  const QString program = toQtPath(values.enginePath);
  QString reason;
  if (QFileInfo(program).isDir()) {
    // exec would only say "Permission denied".
    reason = QString::fromLocal8Bit(std::strerror(EISDIR));
  } else {
    QProcess engine;
    engine.setProgram(program);
    engine.setArguments(engineArguments(values.enginePath));
    engine.setWorkingDirectory(dir);
    if (engine.startDetached())
      return RenderStarted;
    reason = engine.errorString();
    // "execv: No such file or directory": the reason without the call's name.
    const qsizetype colon = reason.indexOf(QStringLiteral(": "));
    if (colon >= 0)
      reason = reason.mid(colon + 2);
  }
  if (services) {
    const std::string message = std::string(kEngineNotStartedMessage) + values.enginePath + "\n" +
                                reason.toLocal8Bit().toStdString();
    services->notice("Notice", message.c_str());
  }
  return RenderNotStarted;
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
