#pragma once

#include "core/PaneSurface.h"

#include <string>
#include <utility>
#include <vector>

namespace hs {

// Window services that record the notices they are asked to show.
class FakeServices : public WindowServices {
public:
  std::vector<std::pair<std::string, std::string>> notices; // title, message

  void setToolButtons(int) override {}
  void showModeStatus(int) override {}
  void setStatusText(const char *) override {}
  void endCameraPick(int) override {}
  void endWaterPick(int) override {}
  void setReadout(const char *) override {}
  void nudgePointer(int, int) override {}
  void notice(const char *title, const char *message) override {
    notices.emplace_back(title, message);
  }
};

} // namespace hs
