// Text rasterising with QtGui. Only the part of the picture that the text can cover is copied
// into a QImage, painted and copied back, so a long line on a large picture stays cheap.
#include "qt_text.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/cp1252.h"
#include "qt_gui_app.h"
#include "qt_strings.h"

namespace zunk {
namespace {

constexpr int kDefaultPoints = 8;
// Text placed this far outside any picture cannot reach it; the limit keeps the rectangle
// arithmetic below far from overflow.
constexpr int kFarAway = 1 << 28;

// The rectangle of the picture the text may touch: its ink and its cell, widened for italic
// overhang, antialiasing and the underline, clipped to the picture.
QRect TextArea(const QFontMetrics& metrics, const QString& text, int x, int y, int pixels,
               const Picture& picture) {
  const int baseline = y + metrics.ascent();
  QRect area = metrics.boundingRect(text).translated(x, baseline);
  area |= QRect(x, y, std::max(1, metrics.horizontalAdvance(text)), metrics.height());
  const int margin = pixels / 2 + 2;
  area.adjust(-margin, -margin, margin, margin);
  return area & QRect(0, 0, picture.width(), picture.height());
}

}  // namespace

int FontPixelSize(int points) {
  if (points == 0) points = kDefaultPoints;
  const long long magnitude = std::llabs(static_cast<long long>(points));
  const long long pixels = (magnitude * 96 + 36) / 72;  // MulDiv(points, 96, 72)
  return static_cast<int>(std::clamp<long long>(pixels, 1, kMaxTextPixels));
}

QFont ToQFont(const Font& font) {
  QFont qfont(FromCp1252(font.name));
  qfont.setPixelSize(FontPixelSize(font.size));
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  return qfont;
}

void DrawTextOnPicture(Picture& picture, int x, int y, const std::string& text, const Font& font) {
  if (picture.empty() || text.empty()) return;
  if (x > kFarAway || x < -kFarAway || y > kFarAway || y < -kFarAway) return;
  EnsureGuiApplication();
  const QFont qfont = ToQFont(font);
  const QString qtext = FromCp1252(text);
  const QFontMetrics metrics(qfont);
  const QRect area = TextArea(metrics, qtext, x, y, qfont.pixelSize(), picture);
  if (area.isEmpty()) return;

  QImage image(area.width(), area.height(), QImage::Format_BGR888);
  const std::size_t row_bytes = static_cast<std::size_t>(area.width()) * 3;
  for (int row = 0; row < area.height(); ++row) {
    std::memcpy(image.scanLine(row), picture.Row(area.top() + row) + area.left() * 3, row_bytes);
  }
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(qfont);
    painter.setPen(QColor(RedOf(font.colour), GreenOf(font.colour), BlueOf(font.colour)));
    painter.drawText(x - area.left(), y + metrics.ascent() - area.top(), qtext);
  }
  for (int row = 0; row < area.height(); ++row) {
    std::memcpy(picture.Row(area.top() + row) + area.left() * 3, image.constScanLine(row),
                row_bytes);
  }
}

}  // namespace zunk
