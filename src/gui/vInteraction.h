#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QWidget;

namespace hs {

class vModalDialog;

// What a file chooser is asked.
struct FileRequest {
  enum Kind { Open, Save };
  Kind kind = Open;
  std::string prompt;
  std::string proposedName;
  std::vector<std::string> filters;
  int filterIndex = 0; // the filter shown first; a chooser may set the one chosen
};

// Whoever answers the program's questions. Normally nobody is installed and a
// person answers through real notice boxes, choosers and dialogs; tests
// install a stand-in, and every vNoticeDialog, vFileSelect and
// vModalDialog::showModalDialog goes to it instead.
class vInteraction {
public:
  virtual ~vInteraction() = default;
  virtual void notice(const std::string &title, const std::string &message) = 0;
  // The chosen file name, or nothing for a cancelled chooser.
  virtual std::optional<std::string> chooseFile(FileRequest &request) = 0;
  // A modal dialog is on screen (onShown has run): act on it as a person
  // would, through its controls. If it is still open afterwards, the layer
  // closes it as the close box would.
  virtual void runModal(vModalDialog &dialog) = 0;
  // A question with its answers: the index of the one chosen.
  virtual std::size_t ask(const std::string &title, const std::string &question,
                          const std::vector<std::string> &answers) = 0;
};

vInteraction *interaction();
// Installs a stand-in (nullptr: a person again); returns the one before.
vInteraction *setInteraction(vInteraction *stand);

// A modal notice box with a title and a message and an "OK" button.
class vNoticeDialog {
public:
  explicit vNoticeDialog(QWidget *parent = nullptr, const char *title = "Notice")
      : parent_(parent), title_(title) {}
  void setTitle(const char *title) { title_ = title; }
  // Returns when the box is closed.
  void notice(const char *message);

private:
  QWidget *parent_;
  std::string title_;
};

// A modal question with one button for each answer. The last answer is the
// one that changes nothing: Escape and the close box give it.
class vQuestionDialog {
public:
  explicit vQuestionDialog(QWidget *parent = nullptr, const char *title = "Question")
      : parent_(parent), title_(title) {}
  // The index of the answer chosen.
  std::size_t ask(const char *question, const std::vector<std::string> &answers);

private:
  QWidget *parent_;
  std::string title_;
};

enum class FileResult { Chosen, Cancelled, NameTooLong };

// Open and save choosers. name brings the proposed name and receives the
// chosen one; a name longer than maxLength bytes is refused (NameTooLong,
// name unchanged). filters are patterns such as "*.tga"; filterIndex is the
// one shown first and receives the one chosen. The save chooser asks before
// an existing file is replaced; the open chooser accepts only an existing file.
class vFileSelect {
public:
  explicit vFileSelect(QWidget *parent = nullptr) : parent_(parent) {}

  FileResult fileSelect(const char *prompt, std::string &name, std::size_t maxLength,
                        std::span<const char *const> filters, int &filterIndex);
  FileResult fileSelectSave(const char *prompt, std::string &name, std::size_t maxLength,
                            std::span<const char *const> filters, int &filterIndex);

private:
  FileResult choose(FileRequest::Kind kind, const char *prompt, std::string &name,
                    std::size_t maxLength, std::span<const char *const> filters, int &filterIndex);

  QWidget *parent_;
};

} // namespace hs
