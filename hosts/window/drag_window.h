// TDrag: the small borderless, always-on-top window that carries a dragged object's picture
// under the pointer, its outline cut from the picture's magenta. It can be dragged alone.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "screen/picture.h"
#include "window_dragger.h"

namespace zunk {

class DragWindow : public QWidget {
 public:
  DragWindow();

  // The picture (20 × 20) and the outline cut from it.
  void SetPicture(const Picture& picture);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  WindowDragger dragger_;
};

}  // namespace zunk
