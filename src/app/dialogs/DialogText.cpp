#include "app/dialogs/DialogText.h"

#include "gui/vDialog.h"

#include <cmath>
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
  // The text shown is rounded and its read-back cut, so reading it would
  // change large and tiny values nobody touched.
  if (dialog.getText(id) == formatHeight(target))
    return true;
  float value = 0;
  if (std::sscanf(entryText(dialog, id).c_str(), "%f", &value) != 1)
    return false;
  // Checked on the float itself: "1e39" reads as a number but is no finite float.
  if (!std::isfinite(value))
    return false;
  target = value;
  return true;
}

bool readInt(const vDialog &dialog, int id, int &target) {
  if (dialog.getText(id) == formatCount(target))
    return true;
  int value = 0;
  if (std::sscanf(entryText(dialog, id).c_str(), "%i", &value) != 1)
    return false;
  target = value;
  return true;
}

} // namespace hs
