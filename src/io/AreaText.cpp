#include "io/AreaText.h"

#include "core/InputFile.h"
#include "core/LineReader.h"
#include "core/QtPaths.h"

#include <QFile>

#include <charconv>
#include <cmath>

namespace hs {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

bool readNumber(std::string_view s, double &v) {
  const char *end = s.data() + s.size();
  const auto [ptr, ec] = std::from_chars(s.data(), end, v);
  return ec == std::errc() && ptr == end && std::isfinite(v);
}

// "x,z", nothing else.
bool readCorner(std::string_view s, AreaCorner &c) {
  const std::size_t comma = s.find(',');
  return comma != std::string_view::npos && readNumber(s.substr(0, comma), c.x) &&
         readNumber(s.substr(comma + 1), c.z);
}

void writeNumber(std::string &out, double v) {
  char text[32];
  const auto [ptr, ec] = std::to_chars(text, text + sizeof text, v);
  out.append(ec == std::errc() ? std::string_view(text, static_cast<std::size_t>(ptr - text))
                               : "0");
}

} // namespace

std::string areaLine(const Area &area) {
  std::string line = area.keepsFillsOut ? "Area fills" : "Area";
  for (const AreaCorner &c : area.corners) {
    line += ' ';
    writeNumber(line, c.x);
    line += ',';
    writeNumber(line, c.z);
  }
  return line;
}

bool writeAreaLine(TextOut &out, const Area &area) {
  const std::string line = areaLine(area);
  if (line.size() > kMaxLineLength)
    return false;
  out.text(line).ch('\n');
  return true;
}

bool readAreaLine(std::string_view line, Area &area) {
  Area read;
  bool first = true;
  std::string_view rest = trimmed(line);
  if (!rest.starts_with("Area"))
    return false;
  rest.remove_prefix(4);
  while (!(rest = trimmed(rest)).empty()) {
    const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    AreaCorner c;
    if (first && word == "fills")
      read.keepsFillsOut = true;
    else if (readCorner(word, c))
      read.corners.push_back(c);
    else
      return false;
    first = false;
  }
  // An area that would not be written back on one line is no area.
  if (read.corners.size() < 3 || areaLine(read).size() > kMaxLineLength)
    return false;
  area = std::move(read);
  return true;
}

std::string readPolygonFile(const std::string &path, std::vector<Area> &areas) {
  QFile file;
  if (!isUtf8Name(path) || !openInputFile(path, file))
    return "cannot be opened";
  return readPolygons(file, areas);
}

std::string readPolygons(QIODevice &device, std::vector<Area> &areas) {
  LineReader reader(device);
  std::vector<Area> read(1);
  std::string_view line;
  int number = 0;
  for (LineReader::Result r; (r = reader.next(line)) != LineReader::End;) {
    ++number;
    const std::string where = "line " + std::to_string(number);
    AreaCorner c;
    if (r == LineReader::TooLong)
      return where + ": too long";
    if (trimmed(line).empty()) {
      if (!read.back().corners.empty())
        read.emplace_back();
    } else if (readCorner(trimmed(line), c)) {
      read.back().corners.push_back(c);
    } else {
      return where + ": not an x,z pair";
    }
  }
  if (read.back().corners.empty())
    read.pop_back();
  for (const Area &a : read)
    if (a.corners.size() < 3)
      return "a polygon with fewer than three corners";
  areas.insert(areas.end(), read.begin(), read.end());
  return {};
}

} // namespace hs
