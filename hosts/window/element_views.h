// The small views of the game window that forward the pointer to the core and draw what it
// decided: Tela (the picture screen), the two object panels, the input line Frase, the lamp
// and the gauge.
#pragma once

#include <QImage>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

#include "platform/host.h"

namespace zunk {

// A view of a picture 1:1, drawn without smoothing, that hands its pointer events on in its
// own coordinates.
class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent, const QString& name);

  void SetImage(QImage image);
  const QImage& image() const { return image_; }

  std::function<void(int x, int y)> on_move;
  std::function<void(int x, int y)> on_press;
  std::function<void(int x, int y)> on_release;
  std::function<void(int x, int y)> on_double_click;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage image_;
};

// Frase: two lines high, wrapping, with a vertical scroll bar; Return is not inserted but
// handed on.
class InputLine : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit InputLine(QWidget* parent);
  std::function<void()> on_return;
  std::function<void()> on_key;  // any other key, after it acted on the text

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The fetch lamp Led: a small circle filled with the state's colour.
class LampView : public QWidget {
 public:
  LampView(QWidget* parent, QPixmap glass);
  void SetColour(const QColor& colour);
  QColor colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap glass_;
  QColor colour_{128, 0, 0};
};

// A progress gauge (0..100): G1, the running transfer, and G2, an update run.
class Gauge : public QWidget {
 public:
  explicit Gauge(QWidget* parent);
  void SetProgress(int percent);
  // Position of maximum (a maximum of 0 shows empty).
  void SetState(const GaugeState& state);
  int percent() const { return percent_; }
  // A frame around the gauge (G2 on the settings page).
  void SetFramed(bool framed) { framed_ = framed; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int percent_ = 0;
  bool framed_ = false;
};

}  // namespace zunk
