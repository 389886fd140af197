#include "gui/vInteraction.h"

#include "gui/vDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace hs {

namespace {
vInteraction *installed = nullptr;
}

vInteraction *interaction() { return installed; }

vInteraction *setInteraction(vInteraction *stand) {
  vInteraction *before = installed;
  installed = stand;
  return before;
}

void vNoticeDialog::notice(const char *message) {
  const std::string text = message != nullptr ? message : "";
  if (vInteraction *stand = interaction()) {
    stand->notice(title_, text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title_), QString::fromStdString(text),
                  QMessageBox::Ok, parent_);
  box.exec();
}

std::size_t vQuestionDialog::ask(const char *question, const std::vector<std::string> &answers) {
  const std::string text = question != nullptr ? question : "";
  if (answers.empty())
    return 0;
  if (vInteraction *stand = interaction())
    return std::min(stand->ask(title_, text, answers), answers.size() - 1);
  QMessageBox box(QMessageBox::Question, QString::fromStdString(title_),
                  QString::fromStdString(text), QMessageBox::NoButton, parent_);
  std::vector<QPushButton *> buttons;
  for (std::size_t i = 0; i < answers.size(); ++i) {
    const QMessageBox::ButtonRole role = i == 0                    ? QMessageBox::AcceptRole
                                         : i + 1 == answers.size() ? QMessageBox::RejectRole
                                                                   : QMessageBox::DestructiveRole;
    buttons.push_back(box.addButton(QString::fromStdString(answers[i]), role));
  }
  box.setDefaultButton(buttons.front());
  box.setEscapeButton(buttons.back());
  box.exec();
  const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
  return chosen == buttons.end() ? answers.size() - 1
                                 : static_cast<std::size_t>(chosen - buttons.begin());
}

FileResult vFileSelect::fileSelect(const char *prompt, std::string &name, std::size_t maxLength,
                                   std::span<const char *const> filters, int &filterIndex) {
  return choose(FileRequest::Open, prompt, name, maxLength, filters, filterIndex);
}

FileResult vFileSelect::fileSelectSave(const char *prompt, std::string &name, std::size_t maxLength,
                                       std::span<const char *const> filters, int &filterIndex) {
  return choose(FileRequest::Save, prompt, name, maxLength, filters, filterIndex);
}

FileResult vFileSelect::choose(FileRequest::Kind kind, const char *prompt, std::string &name,
                               std::size_t maxLength, std::span<const char *const> filters,
                               int &filterIndex) {
  FileRequest request;
  request.kind = kind;
  request.prompt = prompt != nullptr ? prompt : "";
  request.proposedName = name;
  for (const char *f : filters)
    request.filters.emplace_back(f);
  const int count = static_cast<int>(request.filters.size());
  request.filterIndex = (filterIndex >= 0 && filterIndex < count) ? filterIndex : 0;

  std::optional<std::string> chosen;
  if (vInteraction *stand = interaction()) {
    chosen = stand->chooseFile(request);
  } else {
    // Qt's own chooser, the same on every desktop and under the offscreen platform.
    QFileDialog dialog(parent_, QString::fromStdString(request.prompt));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (kind == FileRequest::Open) {
      dialog.setAcceptMode(QFileDialog::AcceptOpen);
      dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setFileMode(QFileDialog::AnyFile); // replacing a file is confirmed
    }
    QStringList qtFilters;
    for (const std::string &f : request.filters)
      qtFilters << QString::fromStdString(f);
    if (!qtFilters.isEmpty()) {
      dialog.setNameFilters(qtFilters);
      dialog.selectNameFilter(qtFilters[request.filterIndex]);
    }
    if (!name.empty()) {
      const QFileInfo info(QString::fromStdString(name));
      if (info.dir().exists())
        dialog.setDirectory(info.dir());
      dialog.selectFile(info.fileName());
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
      chosen = dialog.selectedFiles().first().toStdString();
      const auto at = qtFilters.indexOf(dialog.selectedNameFilter());
      if (at >= 0)
        request.filterIndex = static_cast<int>(at);
    }
  }
  if (!chosen)
    return FileResult::Cancelled;
  if (chosen->size() > maxLength)
    return FileResult::NameTooLong;
  name = *chosen;
  filterIndex = request.filterIndex;
  return FileResult::Chosen;
}

} // namespace hs
