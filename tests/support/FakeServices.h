#pragma once

#include "core/PaneSurface.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace hs {

// Window services that record calls; a dialog is a callback run while "open".
class FakeServices : public WindowServices {
public:
  std::vector<std::string> calls;
  std::vector<std::pair<std::string, std::string>> notices; // title, message
  std::function<void()> cameraDialog, lookDialog, objectDialog;
  std::string readout = " X,Y,Z : 00000,00000,00000 ";

  void setToolButtons(int n) override { calls.push_back("tools " + std::to_string(n)); }
  void showModeStatus(int n) override { calls.push_back("mode " + std::to_string(n)); }
  void setStatusText(const char *text) override { calls.push_back(std::string("status") + text); }
  void endCameraPick(int which) override {
    calls.push_back("pick " + std::to_string(which));
    if (const auto &dialog = which == 0 ? cameraDialog : lookDialog)
      dialog();
  }
  void endWaterPick(int level) override { calls.push_back("water " + std::to_string(level)); }
  void setReadout(const char *text) override { readout = text; }
  void nudgePointer(int dx, int dy) override {
    calls.push_back("nudge " + std::to_string(dx) + " " + std::to_string(dy));
  }
  void notice(const char *title, const char *message) override {
    notices.emplace_back(title, message);
  }
  void showObjectHeightDialog() override {
    calls.push_back("object dialog");
    if (objectDialog)
      objectDialog();
  }
  // The edit's dialog: objectDialog runs, then objectEdit gets the picked item.
  void showObjectEditDialog(ScItem &picked, int type, int index) override {
    edited = {type, index};
    showObjectHeightDialog();
    if (objectEdit)
      objectEdit(picked);
  }
  std::function<void(ScItem &)> objectEdit;
  std::pair<int, int> edited{-1, -1}; // the type and index the last edit named
};

} // namespace hs
