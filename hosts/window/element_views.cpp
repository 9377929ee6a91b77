// Tela, the panels, Frase, the lamp and the gauge.
#include "element_views.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace zunk {

PictureView::PictureView(QWidget* parent, const QString& name) : QWidget(parent) {
  setObjectName(name);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::SetImage(QImage image) {
  image_ = std::move(image);
  update();
}

void PictureView::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(0, 0, image_);
}

namespace {
QPoint At(const QMouseEvent* event) {
  return event->position().toPoint();
}
}  // namespace

void PictureView::mouseMoveEvent(QMouseEvent* event) {
  if (on_move) on_move(At(event).x(), At(event).y());
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  if (on_press) on_press(At(event).x(), At(event).y());
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
  if (on_release) on_release(At(event).x(), At(event).y());
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (on_double_click) {
    on_double_click(At(event).x(), At(event).y());
  } else if (on_press) {
    on_press(At(event).x(), At(event).y());
  }
}

InputLine::InputLine(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("Frase");
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::NoFrame);
  setTabChangesFocus(true);
  document()->setDocumentMargin(1);
}

void InputLine::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (on_return) on_return();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
  if (on_key) on_key();
}

LampView::LampView(QWidget* parent, QPixmap glass) : QWidget(parent), glass_(std::move(glass)) {
  setObjectName("Led");
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LampView::SetColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  repaint();
}

void LampView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QColor(40, 30, 20));
  painter.setBrush(colour_);
  painter.drawEllipse(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
  if (!glass_.isNull()) painter.drawPixmap(0, 0, glass_);
}

Gauge::Gauge(QWidget* parent) : QWidget(parent) {
  setObjectName("G1");
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Gauge::SetProgress(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == percent_) return;
  percent_ = percent;
  repaint();  // a transfer keeps the thread busy: paint now
}

void Gauge::SetState(const GaugeState& state) {
  if (state.maximum == 0) {  // size not announced: nothing to show a share of
    SetProgress(0);
    return;
  }
  const std::uint64_t position = std::min(state.position, state.maximum);
  // Scaled down first, so that huge sizes cannot overflow.
  const std::uint64_t scale = state.maximum > (UINT64_MAX / 100) ? state.maximum / 1000000 : 1;
  SetProgress(static_cast<int>(position / scale * 100 / (state.maximum / scale)));
}

void Gauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (framed_) {
    painter.setPen(QColor(90, 70, 50));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  if (percent_ == 0) return;
  painter.fillRect(QRect(0, 0, width() * percent_ / 100, height()), QColor(60, 140, 60));
}

}  // namespace zunk
