// A picture button of a borderless window: its pressed picture while the mouse button is
// held on it, its released picture afterwards. Tick pictures are picture buttons that show
// their state instead.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace zunk {

class PictureButton : public QWidget {
  Q_OBJECT

 public:
  PictureButton(QWidget* parent, const QString& name, QPixmap released, QPixmap pressed);

  // For tick pictures: the picture of the state, replacing the released one.
  void SetPictures(QPixmap released, QPixmap pressed);
  bool held() const { return held_; }

 signals:
  void Pressed();
  // Released over the button (a click).
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QPixmap released_;
  QPixmap pressed_;
  bool held_ = false;
};

}  // namespace zunk
