#include "placement/Unseen.h"

#include "core/CameraView.h"
#include "core/Numbers.h"
#include "placement/Edit.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace hs {

namespace {

// The mask's storage is kept between uses: fresh pages for a large map cost
// more than filling the polygon. Only the GUI thread deletes objects.
QImage &maskStore(int width, int height) {
  static QImage store;
  if (store.width() != width || store.height() != height) {
    store = QImage();
    store = QImage(width, height, QImage::Format_Alpha8);
  }
  return store;
}

} // namespace

const QImage &coverMask(const Document &document, std::span<const Point> polygon) {
  QImage &mask = maskStore(std::max(document.mapWidth(), 1), std::max(document.mapHeight(), 1));
  if (mask.isNull())
    return mask;
  mask.fill(0);
  if (polygon.empty())
    return mask;
  QPolygon poly;
  poly.reserve(static_cast<qsizetype>(polygon.size()));
  for (const Point &p : polygon)
    poly << QPoint(p.x, p.y);
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // The shading's own outline: one pixel, solid.
  painter.setPen(QPen(Qt::white, kUnseenOutline, Qt::SolidLine));
  painter.setBrush(Qt::white);
  painter.drawPolygon(poly, Qt::OddEvenFill);
  return mask;
}

void deleteUnseen(Document &document) {
  // A slightly wider view than the map shows (34), so objects near the edge
  // of what is shown are spared.
  const std::vector<Point> polygon = viewPolygon(document, 36.0);
  {
    const QImage &hidden = coverMask(document, polygon);
    std::vector<int> doomed;
    for (int t = 0; t < kObjectTypes; ++t) {
      const ScData &list = document.objects()[static_cast<std::size_t>(t)];
      doomed.clear();
      const int count = list.count();
      for (int j = 0; j < count; ++j) {
        const ScItem &item = list[j];
        // Objects off the map are never taken: the mask does not reach them.
        if (maskCovers(hidden, truncToInt(item.x), truncToInt(item.z)))
          doomed.push_back(j);
      }
      document.remove(t, doomed);
    }
  }
}

} // namespace hs
