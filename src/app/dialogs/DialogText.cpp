#include "app/dialogs/DialogText.h"

#include "gui/vDialog.h"

#include <cstdio>

namespace hs {

std::string formatHeight(double value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%4.4f", value);
  return buffer;
}

std::string formatCount(int value) { return std::to_string(value); }

std::string entryText(const vDialog &dialog, int id) {
  std::string text = dialog.getText(id);
  if (text.size() > kEntryChars)
    text.resize(kEntryChars);
  return text;
}

bool readFloat(const vDialog &dialog, int id, float &target) {
  float value = 0;
  if (std::sscanf(entryText(dialog, id).c_str(), "%f", &value) != 1)
    return false;
  target = value;
  return true;
}

bool readInt(const vDialog &dialog, int id, int &target) {
  int value = 0;
  if (std::sscanf(entryText(dialog, id).c_str(), "%i", &value) != 1)
    return false;
  target = value;
  return true;
}

} // namespace hs
