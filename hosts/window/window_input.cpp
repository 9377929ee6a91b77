// Scripted play through the window's widgets.
#include "window_input.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "qt_strings.h"
#include "window_layout.h"

namespace zunk {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  const Qt::MouseButton which = type == QEvent::MouseMove ? Qt::NoButton : button;
  QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), which, held,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &event);
}

QImage GrabWindow(GameWindow& window) {
  QImage drawn = window.grab().toImage();
  if (drawn.size() != QSize(layout::kWindowWidth, layout::kWindowHeight)) {
    drawn = drawn.scaled(layout::kWindowWidth, layout::kWindowHeight, Qt::IgnoreAspectRatio,
                         Qt::FastTransformation);
  }
  QImage shaped(drawn.size(), QImage::Format_ARGB32);
  shaped.fill(Qt::transparent);
  QPainter painter(&shaped);
  if (!window.shape().isEmpty()) painter.setClipRegion(window.shape());
  painter.drawImage(0, 0, drawn);
  return shaped;
}

void WindowInput::TypeSentence(const std::string& sentence) {
  InputLine& frase = window_.frase();
  frase.setFocus();
  frase.setPlainText(FromCp1252(sentence));
  frase.moveCursor(QTextCursor::End);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QCoreApplication::sendEvent(&frase, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QCoreApplication::sendEvent(&frase, &release);
}

void WindowInput::MoveOnScreen(std::int32_t x, std::int32_t y) {
  SendMouse(window_.tela(), QEvent::MouseMove, QPoint(x, y));
}

void WindowInput::PressOnScreen(std::int32_t x, std::int32_t y) {
  SendMouse(window_.tela(), QEvent::MouseButtonPress, QPoint(x, y));
}

void WindowInput::ReleaseOnScreen(std::int32_t x, std::int32_t y) {
  SendMouse(window_.tela(), QEvent::MouseButtonRelease, QPoint(x, y));
}

void WindowInput::MoveOnPanel(Panel panel, std::int32_t x, std::int32_t y) {
  // A move with the button held reaches the pressed panel, wherever the pointer is.
  SendMouse(window_.panel(panel), QEvent::MouseMove, QPoint(x, y));
}

void WindowInput::PressOnPanel(Panel panel, std::int32_t x, std::int32_t y) {
  SendMouse(window_.panel(panel), QEvent::MouseButtonPress, QPoint(x, y));
}

void WindowInput::ReleaseOnPanel(Panel panel, std::int32_t x, std::int32_t y) {
  SendMouse(window_.panel(panel), QEvent::MouseButtonRelease, QPoint(x, y));
}

void WindowInput::DoubleClickOnPanel(Panel panel, std::int32_t x, std::int32_t y) {
  SendMouse(window_.panel(panel), QEvent::MouseButtonDblClick, QPoint(x, y));
}

void WindowInput::PressSuggestion(int n) {
  SendMouse(window_.suggestion(n), QEvent::MouseButtonPress, QPoint(2, 2));
  SendMouse(window_.suggestion(n), QEvent::MouseButtonRelease, QPoint(2, 2));
}

WindowAction WindowInput::PressButton(WindowButton button) {
  PictureButton* widget = window_.button(QString::fromLatin1(WindowButtonName(button)));
  if (widget == nullptr || !widget->isEnabled()) return WindowAction::None;
  const QPoint centre = widget->rect().center();
  window_.Perform(WindowAction::None);
  SendMouse(*widget, QEvent::MouseButtonPress, centre);
  SendMouse(*widget, QEvent::MouseButtonRelease, centre);
  return window_.last_action();
}

bool WindowInput::RunCommand(const std::string& command, const std::string& utf8_argument,
                             std::ostream& out) {
  if (command == "window") {
    window_.Refresh();  // what console commands of this turn changed
    if (utf8_argument.empty()) {
      out << "aviso: uso: !window ARQUIVO.png\n";
    } else if (!GrabWindow(window_).save(QString::fromStdString(utf8_argument), "PNG")) {
      out << "aviso: não foi possível gravar " << utf8_argument << '\n';
    }
    return true;
  }
  return false;
}

}  // namespace zunk
