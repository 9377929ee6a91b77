// Picture <-> QImage copies and PNG files.
#include "qt_pictures.h"

#include <QFile>
#include <cstring>

namespace zunk {
namespace {

QString PathToQString(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

}  // namespace

QImage ToQImage(const Picture& picture) {
  if (picture.empty()) return {};
  // Format_BGR888 keeps the picture's blue, green, red byte order; rows are copied one by one
  // because QImage pads its rows to four bytes.
  QImage image(picture.width(), picture.height(), QImage::Format_BGR888);
  for (int y = 0; y < picture.height(); ++y) {
    std::memcpy(image.scanLine(y), picture.Row(y), picture.stride());
  }
  return image;
}

QImage ToKeyedQImage(const Picture& picture) {
  QImage image = ToQImage(picture).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((row[x] & 0xFFFFFF) == (kMagenta & 0xFFFFFF)) row[x] = 0;
    }
  }
  return image;
}

Picture FromQImage(const QImage& image) {
  if (image.isNull() || !PictureSizeAllowed(image.width(), image.height())) return {};
  const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
  Picture picture(bgr.width(), bgr.height());
  for (int y = 0; y < picture.height(); ++y) {
    std::memcpy(picture.Row(y), bgr.constScanLine(y), picture.stride());
  }
  return picture;
}

bool SavePng(const Picture& picture, const std::filesystem::path& path) {
  if (picture.empty()) return false;
  return ToQImage(picture).save(PathToQString(path), "PNG");
}

Picture LoadImageFile(const std::filesystem::path& path) {
  QImage image;
  if (!image.load(PathToQString(path))) return {};
  return FromQImage(image);
}

}  // namespace zunk
