#pragma once

#include "gui/vDialog.h"
#include "gui/vInteraction.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hs {

// The person at the screen, scripted for its lifetime: records what is shown
// and asked, answers from queues (empty: cancel, close untouched).
class ScriptedInteraction : public vInteraction {
public:
  struct Notice {
    std::string title;
    std::string message;
  };
  using ModalAction = std::function<void(vModalDialog &)>;

  ScriptedInteraction() : previous_(setInteraction(this)) {}
  ~ScriptedInteraction() override { setInteraction(previous_); }
  ScriptedInteraction(const ScriptedInteraction &) = delete;
  ScriptedInteraction &operator=(const ScriptedInteraction &) = delete;

  void answerFile(std::string name, int filterIndex = -1) {
    files_.push_back({std::move(name), filterIndex});
  }
  void answerCancel() { files_.push_back({std::nullopt, -1}); }
  void onModal(ModalAction action) { modals_.push_back(std::move(action)); }
  // Without a queued or usual answer, the last (the one that changes nothing).
  void answerQuestion(std::size_t index) { answers_.push_back(index); }
  void answerQuestionsUsually(std::size_t index) { usual_ = index; }

  std::vector<Notice> notices;
  std::vector<FileRequest> fileRequests;
  std::vector<std::string> modalTitles;
  std::vector<std::string> questions;

  std::size_t ask(const std::string &title, const std::string &question,
                  const std::vector<std::string> &answers) override {
    questions.push_back(title + ": " + question);
    if (answers_.empty())
      return usual_.value_or(answers.size() - 1);
    const std::size_t a = answers_.front();
    answers_.pop_front();
    return a;
  }

  // Runs while each notice stands, to look at what the user sees then.
  std::function<void()> whileNotice;
  void notice(const std::string &title, const std::string &message) override {
    notices.push_back({title, message});
    if (whileNotice)
      whileNotice();
  }
  std::optional<std::string> chooseFile(FileRequest &request) override {
    fileRequests.push_back(request);
    if (files_.empty())
      return std::nullopt;
    FileAnswer a = std::move(files_.front());
    files_.pop_front();
    if (a.name && a.filterIndex >= 0)
      request.filterIndex = a.filterIndex;
    return a.name;
  }
  void runModal(vModalDialog &dialog) override {
    modalTitles.push_back(dialog.windowTitle().toStdString());
    if (modals_.empty())
      return;
    ModalAction action = std::move(modals_.front());
    modals_.pop_front();
    action(dialog);
  }

private:
  struct FileAnswer {
    std::optional<std::string> name;
    int filterIndex;
  };
  std::deque<FileAnswer> files_;
  std::deque<ModalAction> modals_;
  std::deque<std::size_t> answers_;
  std::optional<std::size_t> usual_;
  vInteraction *previous_;
};

} // namespace hs
