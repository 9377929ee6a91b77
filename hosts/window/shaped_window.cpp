// Window regions from magenta.
#include "shaped_window.h"

#include <QVector>

#include "screen/window_shape.h"

namespace zunk {

QRegion RegionFromMagenta(const Picture& picture) {
  const std::vector<ShapeRect> rects = ShapeFromMagenta(picture);
  QVector<QRect> qrects;
  qrects.reserve(static_cast<qsizetype>(rects.size()));
  for (const ShapeRect& r : rects) qrects.append(QRect(r.x, r.y, r.width, r.height));
  QRegion region;
  region.setRects(qrects.constData(), static_cast<int>(qrects.size()));
  return region;
}

void ShapeWindow(QWidget& window, const Picture& picture) {
  const QRegion region = RegionFromMagenta(picture);
  if (region.isEmpty()) {
    window.clearMask();
  } else {
    window.setMask(region);
  }
}

}  // namespace zunk
