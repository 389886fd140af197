#include "placement/DensityMask.h"

#include "core/InputFile.h"
#include "core/LRMemoryDC.h"
#include "terrain/HeightField.h"
#include "terrain/HeightFieldFormats.h"
#include "terrain/Palette.h"

#include <memory>

namespace hs {

int readDensityImage(const std::string &path, DensityImage &image) {
  const int type = heightFieldTypeOfFile(path);
  if (type < 0)
    return CannotOpen;
  // A grey ramp, so that a Targa's pixel holds its own index.
  Palette grey{};
  for (int v = 0; v < static_cast<int>(grey.size()); ++v)
    grey[static_cast<std::size_t>(v)] = vColor(v, v, v).value();
  LRMemoryDC read;
  const int result = readHeightFieldFile(path, type, grey, read);
  if (result != Loaded)
    return result;
  DensityImage out;
  out.width = read.width();
  out.height = read.height();
  out.values.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  const bool wide = is16Bit(type);
  for (int z = 0; z < out.height; ++z) {
    const std::uint32_t *row = read.rowPixels(z);
    for (int x = 0; x < out.width; ++x)
      out.values[static_cast<std::size_t>(z) * static_cast<std::size_t>(out.width) +
                 static_cast<std::size_t>(x)] =
          wide ? static_cast<float>(height16Of(row[x])) / 65535.0F
               : static_cast<float>(height8Of(row[x])) / 255.0F;
  }
  image = std::move(out);
  return Loaded;
}

std::string readDensityRule(ScatterRules &rules) {
  if (rules.densityFile.empty())
    return {};
  // A FIFO would block the read, a device never end it.
  if (isIrregularFile(rules.densityFile))
    return "not a regular file; nothing was read";
  auto image = std::make_shared<DensityImage>();
  if (const int r = readDensityImage(rules.densityFile, *image); r != Loaded)
    return heightFieldMessage(r);
  rules.density = std::move(image);
  return {};
}

} // namespace hs
