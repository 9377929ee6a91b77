// The video panel Deck.
#include "video_deck.h"

#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>

namespace zunk {

VideoDeck::VideoDeck(QWidget* parent) : QWidget(parent), sink_(new QVideoSink(this)) {
  setObjectName("Deck");
  setAttribute(Qt::WA_OpaquePaintEvent);
  hide();
  connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
    if (!frame.isValid()) return;
    frame_ = frame.toImage();
    update();
  });
}

void VideoDeck::Clear() {
  frame_ = QImage();
  update();
}

void VideoDeck::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (frame_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.drawImage(rect(), frame_);
}

}  // namespace zunk
