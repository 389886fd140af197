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
    unsigned_ += f.signature.empty() ? 1 : 0;
  }
  return unsigned_ == 1;
}
// (Whether each row has its reader the format test checks: a sanitizing
// build cannot compare function pointers at compile time.)
static_assert(tableComplete(), "one full row per HeightFieldType, in order; one without a "
                               "signature; signatures within the 8 bytes looked at");

// The format a file of no signature is read as.
constexpr int unsignedType() {
  for (const HeightFieldFormat &f : kHeightFieldFormats)
    if (f.signature.empty())
      return f.type;
  return -1;
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
  return type >= 0 ? type : unsignedType();
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
      text += std::string(f.filter) + (f.type + 1 < HeightFieldTypeCount ? " " : ")");
    return text;
  }();
  static const std::array<const char *, HeightFieldTypeCount + 2> filters = [] {
    std::array<const char *, HeightFieldTypeCount + 2> list{};
    list.front() = every.c_str();
    for (std::size_t i = 0; i < kHeightFieldFormats.size(); ++i)
      list[i + 1] = kHeightFieldFormats[i].filter;
    list.back() = "*";
    return list;
  }();
  return filters;
}

} // namespace hs
