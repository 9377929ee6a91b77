// Holding the player's input back during a blocking wait.
#include "input_hold.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace zunk {
namespace {

int active_holds = 0;

// Enough for any burst of typing and clicking during one wait; more is dropped.
constexpr std::size_t kMaxHeldEvents = 4096;

}  // namespace

InputHold::InputHold(Passes passes, std::function<void()> released)
    : passes_(std::move(passes)), released_(std::move(released)) {
  ++active_holds;
  qApp->installEventFilter(this);
}

InputHold::~InputHold() {
  qApp->removeEventFilter(this);
  --active_holds;
  for (Held& held : held_) {
    if (held.receiver != nullptr) QCoreApplication::postEvent(held.receiver, held.event.release());
  }
  if (active_holds == 0 && released_) released_();
}

bool InputHold::Active() {
  return active_holds > 0;
}

bool InputHold::IsInput(const QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
      return true;
    default:
      return false;
  }
}

QWidget* InputHold::TargetOf(QObject* receiver, QEvent* event) {
  if (auto* widget = qobject_cast<QWidget*>(receiver)) return widget;
  auto* window = qobject_cast<QWindow*>(receiver);
  if (window == nullptr) return nullptr;
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    return QApplication::focusWidget();
  }
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->windowHandle() != window) continue;
    if (auto* mouse = dynamic_cast<QMouseEvent*>(event)) {
      QWidget* child = top->childAt(mouse->position().toPoint());
      return child != nullptr ? child : top;
    }
    return top;
  }
  return nullptr;
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
  if (!IsInput(event)) return false;
  if (passes_ && passes_(TargetOf(watched, event), event)) return false;
  // Pointer moves are not worth keeping: the next move after the wait says where it is.
  if (event->type() == QEvent::MouseMove) return true;
  if (held_.size() < kMaxHeldEvents) {
    held_.push_back({QPointer<QObject>(watched), std::unique_ptr<QEvent>(event->clone())});
  }
  return true;
}

}  // namespace zunk
