#include "io/Render.h"

#include "core/InputFile.h"
#include "core/Names.h"
#include "core/PaneSurface.h"
#include "core/QtPaths.h"
#include "io/PovInclude.h"
#include "io/RenderOutput.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace hs {

struct RenderJob::Run {
  QProcess engine;
  RenderLog log;
  WindowServices *services = nullptr;
  std::string enginePath;
  std::string picture;
  // The picture's time before the render; invalid when there was none.
  QDateTime before;
  bool running = false;
  bool cancelled = false;
};

namespace {

// "execv: No such file or directory": the reason without the call's name.
QString withoutCall(const QString &reason) {
  const qsizetype colon = reason.indexOf(QStringLiteral(": "));
  return colon >= 0 ? reason.mid(colon + 2) : reason;
}

QDateTime modified(const std::string &path) {
  const QFileInfo info(toQtPath(path));
  return info.exists() ? info.lastModified() : QDateTime();
}

} // namespace

bool previewSceneKnowsType(std::string_view scene, int type) {
  const auto skipBlanks = [&scene](std::size_t at) {
    while (at < scene.size() && (scene[at] == ' ' || scene[at] == '\t'))
      ++at;
    return at;
  };
  // A scene of the user's own with no switch on the type reads the map its
  // own way.
  const std::size_t switchAt = scene.find("#switch");
  if (switchAt == std::string_view::npos ||
      scene.find("HS_Hf_typ", switchAt) == std::string_view::npos)
    return true;
  const std::string number = std::to_string(type);
  for (std::size_t at = scene.find("#case"); at != std::string_view::npos;
       at = scene.find("#case", at + 1)) {
    std::size_t k = skipBlanks(at + 5);
    if (k >= scene.size() || scene[k] != '(')
      continue;
    k = skipBlanks(k + 1);
    if (scene.substr(k, number.size()) != number)
      continue;
    k = skipBlanks(k + number.size());
    if (k < scene.size() && scene[k] == ')')
      return true;
  }
  return false;
}

std::string oldPreviewSceneNotice(const std::string &scenePath, int type) {
  QFile file;
  if (!openInputFile(scenePath, file))
    return {};
  const QByteArray text = file.read(1 << 20); // far more than any preview scene
  if (previewSceneKnowsType(
          std::string_view(text.constData(), static_cast<std::size_t>(text.size())), type))
    return {};
  return scenePath + " is older than this version: it does not know height-field type " +
         std::to_string(type) +
         ", so POV-Ray cannot read the map as it is.\nCopy the new preview scene, " +
         HS_SHIPPED_SAMPLES "/Preview.pov, over it.";
}

QStringList engineArguments(const std::string &enginePath) {
  QStringList arguments = {QString::fromLatin1(kPreviewIni), QStringLiteral("+V"),
                           QStringLiteral("-D")};
  const QString base = QFileInfo(toQtPath(enginePath)).fileName();
  if (base.startsWith(QStringLiteral("pvengine"), Qt::CaseInsensitive))
    arguments.prepend(QStringLiteral("/RENDER"));
  return arguments;
}

RenderJob::RenderJob(Progress progress, Finished finished)
    : progress_(std::move(progress)), finished_(std::move(finished)),
      run_(std::make_unique<Run>()) {
  QProcess &engine = run_->engine;
  // The engine says nothing of use on its output stream.
  engine.setStandardOutputFile(QProcess::nullDevice());
  QObject::connect(&engine, &QProcess::readyReadStandardError, &engine, [this] { readLog(); });
  QObject::connect(&engine, &QProcess::finished, &engine,
                   [this](int exitCode, QProcess::ExitStatus status) {
                     ended(exitCode, status == QProcess::CrashExit);
                   });
  QObject::connect(&engine, &QProcess::errorOccurred, &engine, [this](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart && run_->running)
      notStarted(withoutCall(run_->engine.errorString()));
  });
}

RenderJob::~RenderJob() {
  // Nothing is reported any more: whoever listened is going away.
  run_->engine.disconnect();
  if (run_->engine.state() != QProcess::NotRunning) {
    run_->engine.kill();
    run_->engine.waitForFinished(5000);
  }
}

bool RenderJob::running() const { return run_->running; }

int RenderJob::renderPreview(const Document &document, const ProgramValues &values,
                             WindowServices *services) {
  // Rewriting TestPlace.inc under a running engine would spoil its render.
  if (run_->running)
    return RenderBusy;
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
  if (const SaveResult saved = PovIncludeExporter(values.startDir).write(document, include);
      !saved) {
    // Starting the engine on an old or missing include would render a scene
    // other than the one shown.
    if (services)
      services->notice("Notice", saveFailureMessage(kSaveIncludeMessage, saved, include).c_str());
    return RenderNoInclude;
  }

  if (services) {
    const std::string old =
        oldPreviewSceneNotice(renderInputPath(values.startDir, kPreviewIni), document.hfType());
    if (!old.empty())
      services->notice("Notice", old.c_str());
  }

  Run &run = *run_;
  run.services = services;
  run.enginePath = values.enginePath;
  run.picture = renderOutputPath(values.startDir, kPreviewIni);
  run.before = modified(run.picture);
  run.log = RenderLog();
  run.cancelled = false;
  run.running = true;
  const QString program = toQtPath(values.enginePath);
  if (QFileInfo(program).isDir()) {
    // exec would only say "Permission denied".
    notStarted(QString::fromLocal8Bit(std::strerror(EISDIR)));
    return RenderNotStarted;
  }
  run.engine.setProgram(program);
  run.engine.setArguments(engineArguments(values.enginePath));
  run.engine.setWorkingDirectory(dir);
  run.engine.start(QIODevice::ReadOnly);
  // Some systems know at once that the program cannot run.
  return run.running ? RenderStarted : RenderNotStarted;
}

void RenderJob::cancel() {
  if (!run_->running)
    return;
  run_->cancelled = true;
  run_->engine.kill();
}

void RenderJob::readLog() {
  if (run_->log.feed(run_->engine.readAllStandardError()) && progress_)
    progress_(run_->log.percent());
}

void RenderJob::ended(int exitCode, bool crashed) {
  Run &run = *run_;
  if (!run.running)
    return;
  readLog();
  run.log.finish();
  RenderOutcome outcome;
  outcome.picture = run.picture;
  if (run.cancelled) {
    outcome.kind = RenderOutcome::Cancelled;
    finish(outcome);
    return;
  }
  // An engine that ends well but leaves an earlier picture has not rendered.
  const QDateTime now = modified(run.picture);
  const bool written = now.isValid() && (!run.before.isValid() || now > run.before);
  if (!crashed && exitCode == 0 && written) {
    outcome.kind = RenderOutcome::Rendered;
    finish(outcome);
    return;
  }
  std::string reason;
  if (crashed)
    reason = "The engine stopped unexpectedly.";
  else if (exitCode != 0)
    reason = "The engine ended with code " + std::to_string(exitCode) + ".";
  else
    reason = "No picture was written to " + run.picture + ".";
  outcome.message = std::string(kRenderFailedMessage) + run.log.lastLines() + reason;
  if (run.services)
    run.services->notice("Notice", outcome.message.c_str());
  finish(outcome);
}

void RenderJob::notStarted(const QString &reason) {
  RenderOutcome outcome;
  outcome.kind = RenderOutcome::NotStarted;
  outcome.picture = run_->picture;
  outcome.message = std::string(kEngineNotStartedMessage) + run_->enginePath + "\n" +
                    reason.toLocal8Bit().toStdString();
  if (run_->services)
    run_->services->notice("Notice", outcome.message.c_str());
  finish(outcome);
}

void RenderJob::finish(const RenderOutcome &outcome) {
  run_->running = false;
  if (finished_)
    finished_(outcome);
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
