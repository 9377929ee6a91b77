// The drag window.
#include "drag_window.h"

#include <QMouseEvent>
#include <QPainter>

#include "game/panel_mouse.h"
#include "qt_pictures.h"
#include "shaped_window.h"

namespace zunk {

DragWindow::DragWindow()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus) {
  setObjectName("TDrag");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kDragPictureSide, kDragPictureSide);
}

void DragWindow::SetPicture(const Picture& picture) {
  image_ = ToQImage(picture);
  ShapeWindow(*this, picture);
  update();
}

void DragWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
}

void DragWindow::mousePressEvent(QMouseEvent* event) {
  dragger_.Press(*event);
}

void DragWindow::mouseMoveEvent(QMouseEvent* event) {
  dragger_.Move(*this, *event);
}

void DragWindow::mouseReleaseEvent(QMouseEvent*) {
  dragger_.Release();
}

}  // namespace zunk
