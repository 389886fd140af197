#include "app/RenderWatch.h"

#include "app/PreviewWindow.h"
#include "core/PaneSurface.h"
#include "core/QtPaths.h"
#include "gui/vCmdWindow.h"

#include <QLabel>
#include <QPushButton>

namespace hs {

RenderWatch::RenderWatch(vCmdWindow &window, vStatusPane &status, WindowServices &services,
                         int renderId)
    : window_(window), services_(services), renderId_(renderId), progress_(new QLabel()),
      cancel_(new QPushButton(QStringLiteral("Cancel"))),
      job_([this](int percent) { showProgress(percent); },
           [this](const RenderOutcome &outcome) { finished(outcome); }) {
  progress_->setObjectName(QStringLiteral("renderProgress"));
  cancel_->setObjectName(QStringLiteral("renderCancel"));
  status.addWidget(progress_);
  status.addWidget(cancel_);
  progress_->hide();
  cancel_->hide();
  QObject::connect(cancel_, &QPushButton::clicked, cancel_, [this] { job_.cancel(); });
}

// The job goes first (its engine is killed) while the widgets still stand.
RenderWatch::~RenderWatch() = default;

void RenderWatch::render(const Document &document, const ProgramValues &values) {
  if (job_.renderPreview(document, values, &services_) != RenderStarted || !job_.running())
    return;
  window_.setSensitive(renderId_, false);
  showProgress(0);
  cancel_->show();
}

void RenderWatch::showProgress(int percent) {
  progress_->setText(QStringLiteral("Rendering... %1%").arg(percent));
  progress_->show();
}

void RenderWatch::finished(const RenderOutcome &outcome) {
  window_.setSensitive(renderId_, true);
  cancel_->hide();
  if (outcome.kind == RenderOutcome::Cancelled) {
    progress_->setText(QStringLiteral("Render cancelled"));
    return;
  }
  progress_->hide();
  if (outcome.kind != RenderOutcome::Rendered)
    return;
  if (!preview_)
    preview_ = std::make_unique<PreviewWindow>(&window_);
  preview_->showPicture(toQtPath(outcome.picture));
}

} // namespace hs
