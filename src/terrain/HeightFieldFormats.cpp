#include "terrain/HeightFieldFormats.h"

#include "core/InputFile.h"
#include "core/ProgressInput.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

namespace hs {

namespace {

constexpr bool tableComplete() {
  int unsigned_ = 0;
  for (std::size_t i = 0; i < kHeightFieldFormats.size(); ++i) {
    const HeightFieldFormat &f = kHeightFieldFormats[i];
    if (f.type != static_cast<int>(i) || f.name == nullptr || f.endings[0].empty() ||
        f.filter == nullptr || (f.bits != 8 && f.bits != 16) || f.povKeyword == nullptr ||
        f.signature.size() > 8)
      return false;
    if (f.signature.empty() && f.endings[0] != ".tga")
      return false;
    unsigned_ += f.signature.empty() ? 1 : 0;
  }
  return unsigned_ == 2;
}
// (Whether each row has its reader the format test checks: a sanitizing
// build cannot compare function pointers at compile time.)
static_assert(tableComplete(), "one full row per HeightFieldType, in order; only the two "
                               "Targas without a signature; signatures within the 8 bytes looked "
                               "at");

// The Targa a file of no signature is: its image type (the third byte) tells.
int targaTypeOf(std::string_view head) {
  const bool trueColour = head.size() > 2 && (head[2] == 2 || head[2] == 10);
  return trueColour ? TrueColourTargaMap : TargaMap;
}

// The type whose signature head starts with, else -1.
int typeOfSignature(std::string_view head) {
  for (const HeightFieldFormat &f : kHeightFieldFormats)
    if (!f.signature.empty() && head.starts_with(f.signature))
      return f.type;
  return -1;
}

bool endsWithNoCase(std::string_view name, std::string_view ending) {
  return name.size() >= ending.size() &&
         std::equal(ending.begin(), ending.end(), name.end() - static_cast<long>(ending.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

// The first 8 bytes of path; false when it cannot be opened or is shorter.
bool readHead(const std::string &path, std::string &head) {
  QFile file;
  char bytes[8];
  if (!openInputFile(path, file) || file.read(bytes, 8) != 8)
    return false;
  head.assign(bytes, 8);
  return true;
}

} // namespace

int readHeightFieldFile(const std::string &path, int type, const Palette &pal, LRMemoryDC &image,
                        const ProgressReport &progress) {
  const HeightFieldFormat *format = heightFieldFormat(type);
  if (format == nullptr)
    return WrongFileType;
  QFile file;
  if (!openInputFile(path, file))
    return CannotOpen;
  if (!progress)
    return format->read(file, pal, image);
  ProgressInput in(file, progress);
  // A reader that was stopped may still have made a map of what it had.
  LRMemoryDC read;
  const int result = format->read(in, pal, read);
  if (in.cancelled())
    return LoadCancelled;
  if (result == Loaded)
    image = std::move(read);
  return result;
}

int heightFieldTypeOfFile(const std::string &path) {
  std::string head;
  if (!readHead(path, head))
    return -1;
  const int type = typeOfSignature(head);
  return type >= 0 ? type : targaTypeOf(head);
}

int heightFieldTypeOfEnding(std::string_view name) {
  for (const HeightFieldFormat &f : kHeightFieldFormats)
    for (std::string_view ending : f.endings)
      if (!ending.empty() && endsWithNoCase(name, ending))
        return f.type;
  return -1;
}

bool looksLikeHeightField(const std::string &name) {
  std::string head;
  return heightFieldTypeOfEnding(name) >= 0 || (readHead(name, head) && typeOfSignature(head) >= 0);
}

std::span<const char *const> heightFieldFilters() {
  static const std::string every = [] {
    std::string text = "Height fields (";
    for (const HeightFieldFormat &f : kHeightFieldFormats)
      if (text.find(f.filter) == std::string::npos)
        text += std::string(f.filter) + ' ';
    text.back() = ')';
    return text;
  }();
  static const auto filters = [] {
    std::array<const char *, HeightFieldTypeCount + 2> list{};
    std::size_t n = 0;
    list[n++] = every.c_str();
    for (const HeightFieldFormat &f : kHeightFieldFormats)
      if (std::none_of(list.begin() + 1, list.begin() + static_cast<long>(n),
                       [&f](const char *p) { return std::string_view(p) == f.filter; }))
        list[n++] = f.filter;
    list[n++] = "*";
    return std::pair(list, n);
  }();
  return {filters.first.data(), filters.second};
}

} // namespace hs
