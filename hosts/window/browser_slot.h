// A place in a window for a browser: empty (white) until the first page is asked for, then
// the web module's browser filling it. The browser engine loads only then.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "browser_view.h"
#include "platform/host.h"

namespace zunk {

class BrowserSlot : public QWidget {
 public:
  // events: what the browser reports, wired to the game by the window.
  BrowserSlot(QWidget* parent, const QString& name, BrowserEvents events);
  ~BrowserSlot() override;

  // Goes to a CP1252 address; the browser is made on the first call.
  void Navigate(const std::string& url);
  // Back, forward or stop; nothing before the first page.
  void Order(BrowserOrder order);
  // The browser, once made.
  BrowserView* view() { return view_.get(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  BrowserEvents events_;
  std::unique_ptr<BrowserView> view_;
};

}  // namespace zunk
