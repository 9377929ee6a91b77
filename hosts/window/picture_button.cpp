// Picture buttons.
#include "picture_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace zunk {

PictureButton::PictureButton(QWidget* parent, const QString& name, QPixmap released,
                             QPixmap pressed)
    : QWidget(parent), released_(std::move(released)), pressed_(std::move(pressed)) {
  setObjectName(name);
  setCursor(Qt::PointingHandCursor);
}

void PictureButton::SetPictures(QPixmap released, QPixmap pressed) {
  if (released.cacheKey() == released_.cacheKey() && pressed.cacheKey() == pressed_.cacheKey()) {
    return;
  }
  released_ = std::move(released);
  pressed_ = std::move(pressed);
  update();
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPixmap& shown = held_ && !pressed_.isNull() ? pressed_ : released_;
  if (!shown.isNull()) {
    painter.drawPixmap(0, 0, shown);
  } else {
    // Without its art the button is still a visible, usable box.
    painter.fillRect(rect(), held_ ? QColor(90, 70, 50) : QColor(140, 110, 80));
  }
  if (!isEnabled()) painter.fillRect(rect(), QColor(60, 60, 60, 110));
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  held_ = true;
  repaint();
  emit Pressed();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !held_) return;
  held_ = false;
  repaint();
  if (rect().contains(event->position().toPoint())) emit Clicked();
}

void PictureButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(event);
}

}  // namespace zunk
