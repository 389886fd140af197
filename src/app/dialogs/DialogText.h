#pragma once

#include <string>

namespace hs {

class vDialog;

// How every settings dialog shows and reads its numbers: shown with "%4.4f"
// or "%i"; read back from at most the first 9 characters of the entry (the
// dialogs have always read through a 10-byte buffer) with scanf conventions.
// A parse that fails, or gives a float that is not finite, leaves the target
// as it was; so does an entry left with exactly the text that shows the
// target's value, which keeps that value exact.
inline constexpr std::size_t kEntryChars = 9;

std::string formatHeight(double value); // "%4.4f"
std::string formatCount(int value);     // "%i"
std::string entryText(const vDialog &dialog, int id);
// True when the entry parsed; target is changed only then.
bool readFloat(const vDialog &dialog, int id, float &target);
bool readInt(const vDialog &dialog, int id, int &target);

} // namespace hs
