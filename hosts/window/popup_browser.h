// TFm2, the pop-up browser: a borderless window cut to the shape of its own background
// picture, dragged by its grip Imp, with a browser, back, forward, stop and hide buttons, four
// buttons for the site's pages, and its own lamp and gauge. A view: its buttons go to the
// game (on_button), and Refresh shows what the game keeps of its lamp and gauge.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <map>

#include "browser_slot.h"
#include "element_views.h"
#include "picture_button.h"
#include "web/browser_events.h"
#include "web/web_state.h"
#include "window_dragger.h"
#include "window_pictures.h"

namespace zunk {

class PopupBrowser : public QWidget {
 public:
  PopupBrowser(const PopupArt& art, BrowserEvents events);

  // Page 0, the address, visible and in front.
  void ShowPage(const std::string& url);
  BrowserSlot& browser() { return *browser_; }
  PictureButton* button(const QString& name);
  LampView& led() { return *led_; }
  Gauge& gauge() { return *g1_; }
  QWidget& grip() { return *grip_; }
  void Refresh(const BrowserDisplay& display);

  std::function<void(PopupButton)> on_button;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QImage background_;
  QWidget* grip_ = nullptr;
  BrowserSlot* browser_ = nullptr;
  LampView* led_ = nullptr;
  Gauge* g1_ = nullptr;
  std::map<QString, PictureButton*> buttons_;
  WindowDragger dragger_;
  BrowserDisplay shown_;
};

}  // namespace zunk
