#pragma once

#include "core/Area.h"
#include "core/TextOut.h"

#include <string>
#include <string_view>
#include <vector>

class QIODevice;

namespace hs {

// An area as a line of the place data file: "Area", "fills" when it keeps
// the fills out too, then its corners as "x,z" pairs split by blanks.
std::string areaLine(const Area &area);
// Writes areaLine and a line end; false, writing nothing, when the line would
// be longer than a reader takes.
bool writeAreaLine(TextOut &out, const Area &area);
// Reads such a line; false when it is not one with at least three corners.
bool readAreaLine(std::string_view line, Area &area);

// Reads a polygon file: one "x,z" pair a line (map pixels), a blank line
// between polygons. Empty when read, else why not (without the file's name).
std::string readPolygonFile(const std::string &path, std::vector<Area> &areas);
// The same from a device.
std::string readPolygons(QIODevice &device, std::vector<Area> &areas);

} // namespace hs
