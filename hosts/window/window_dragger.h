// Dragging a borderless window by a part of itself: a press records the pointer, each move
// shifts the window by the pointer's displacement, a release ends the drag.
#pragma once

#include <QMouseEvent>
#include <QPoint>
#include <QWidget>

namespace zunk {

class WindowDragger {
 public:
  void Press(const QMouseEvent& event) {
    active_ = true;
    last_ = event.globalPosition().toPoint();
  }
  void Move(QWidget& window, const QMouseEvent& event) {
    if (!active_) return;
    const QPoint now = event.globalPosition().toPoint();
    window.move(window.pos() + (now - last_));
    last_ = now;
  }
  void Release() { active_ = false; }

 private:
  bool active_ = false;
  QPoint last_;
};

}  // namespace zunk
