#pragma once

#include <string>
#include <string_view>

namespace hs {

// Longest file name or path the program keeps. Longer ones are refused, so a
// name is never silently cut into a different file.
inline constexpr std::size_t kMaxNameLength = 4095;

// Stores value into field when it fits; returns false and leaves field as it
// was otherwise.
inline bool setName(std::string &field, std::string_view value) {
  if (value.size() > kMaxNameLength)
    return false;
  field.assign(value);
  return true;
}

} // namespace hs
