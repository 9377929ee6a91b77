// While a blocking wait runs (a sound or film that plays to its end, an HTTP transfer) the
// window handles only painting, media events and what may break the wait off: the player's
// input is held back and delivered once the wait has ended, in the order it came. Holds nest;
// input held by an inner hold is caught again by the outer one when it is re-delivered.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace zunk {

class InputHold : public QObject {
 public:
  // passes: input that still goes through during the hold (Escape ending a film, a press on
  // btStp breaking off a transfer). released: called once after the outermost hold ended.
  using Passes = std::function<bool(QWidget* target, QEvent* event)>;
  explicit InputHold(Passes passes = {}, std::function<void()> released = {});
  ~InputHold() override;
  InputHold(const InputHold&) = delete;
  InputHold& operator=(const InputHold&) = delete;

  // Whether any hold is in force.
  static bool Active();
  // The widget an input event is meant for: the widget it was sent to, the child of a
  // top-level window under a mouse event, or the focus widget for keys.
  static QWidget* TargetOf(QObject* receiver, QEvent* event);
  // Whether the event is the player's input (keys, mouse buttons and wheel, context menus).
  static bool IsInput(const QEvent* event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Held {
    QPointer<QObject> receiver;
    std::unique_ptr<QEvent> event;
  };
  Passes passes_;
  std::function<void()> released_;
  std::vector<Held> held_;
};

}  // namespace zunk
