// TJogo, the game window: a borderless window cut to the shape of its background picture,
// holding the picture screen and the pages of Abook, the message window, the status line, the
// input line, the suggestions, the object panels and the picture buttons. It forwards every
// event to one entry point of the game and then redraws from the game's state.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <map>

#include "browser_slot.h"
#include "drag_window.h"
#include "element_views.h"
#include "game/game.h"
#include "game/window_buttons.h"
#include "picture_button.h"
#include "popup_browser.h"
#include "window_dragger.h"
#include "window_pictures.h"

class QLineEdit;

namespace zunk {

class GameWindow : public QWidget {
  Q_OBJECT

 public:
  // scripted: the lines of an input file drive the game (no start script on activation).
  GameWindow(Game& game, WindowArt art, bool scripted);
  ~GameWindow() override;

  // Runs one call into the game as an event handler, then redraws. A program that is ending
  // stops every run at once (RunsEnded): the call just ends.
  void Dispatch(const std::function<void()>& call);

  // Reads the game's state into the widgets: messages, status, input line, suggestions,
  // page, ticks, screen and panels.
  void Refresh();
  void ShowScreenNow();
  void ShowPanelsNow();
  void ShowPage(BookPage page);
  void SetScreenPointer(int cursor_code);
  void SetPanelPointer(Panel panel, int cursor_code);
  void SetDragPointer(bool on);
  void HidePointer();
  void RestorePointer();
  void SetLamp(Lamp lamp);
  void ShowGauge(GaugeId gauge, const GaugeState& state);
  // The status line now, during a transfer.
  void ShowStatusNow();
  void ShowDragWindow(const Picture& picture, int x, int y);
  void MoveDragWindow(int x, int y);
  void HideDragWindow();
  void FocusInput();
  // The browsers: Web on the web page and the pop-up TFm2 (made on first use).
  void NavigateBook(const std::string& url);
  void ShowPopupBrowser(const std::string& url);
  void NavigatePopup(const std::string& url);
  void HidePopupBrowser();
  void OrderBrowser(Browser browser, BrowserOrder order);
  BrowserSlot& web() { return *web_; }
  PopupBrowser& popup();
  bool has_popup() const { return popup_ != nullptr; }

  bool closing() const { return closing_; }
  DragWindow& drag_window() { return drag_window_; }
  InputLine& frase() { return *frase_; }
  PictureView& tela() { return *tela_; }
  PictureView& panel(Panel p) { return p == Panel::Loc ? *obj_loc_ : *obj_jog_; }
  QLabel& suggestion(int n) { return *suggestions_[static_cast<std::size_t>(n - 1)]; }
  PictureButton* button(const QString& name);
  Gauge& gauge(GaugeId id) { return id == GaugeId::G1 ? *g1_ : *g2_; }
  LampView& led() { return *led_; }
  QRegion shape() const { return shape_; }

  // Called once, after the window's first frame has been painted (each call adds one, run in
  // the order they were added).
  void OnFirstPaint(std::function<void()> call) { on_first_paint_.push_back(std::move(call)); }

  // Invoked when btFim or btMin asks to end or minimise (after the 200 ms pause).
  void Perform(WindowAction action);
  // What the last btFim or btMin release asked for.
  WindowAction last_action() const { return last_action_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildPages();
  void BuildSettingsPage(QWidget* page);
  void BuildTextElements();
  void BuildPanels();
  void BuildButtons();
  BrowserEvents EventsOf(Browser browser);
  QColor BackgroundAt(const QRect& rect) const;
  int LightnessUnder(const QRect& rect) const;
  QLabel* Caption(const QString& text, const QRect& rect);
  void RefreshTicks();
  void BuildUpdateControls(QWidget* page);
  void RefreshUpdateControls();

  Game& game_;
  WindowArt art_;
  bool scripted_;
  QImage background_;
  QRegion shape_;

  QStackedWidget* abook_ = nullptr;
  PictureView* tela_ = nullptr;
  QPlainTextEdit* mensag_ = nullptr;
  QLabel* stk_ = nullptr;
  InputLine* frase_ = nullptr;
  QWidget* pan_sg_ = nullptr;
  std::array<QLabel*, 3> suggestions_{};
  PictureView* obj_loc_ = nullptr;
  PictureView* obj_jog_ = nullptr;
  LampView* led_ = nullptr;
  Gauge* g1_ = nullptr;
  Gauge* g2_ = nullptr;
  QLabel* vrs_ = nullptr;
  QLabel* st_down_ = nullptr;
  QLabel* lb_down_ = nullptr;
  QWidget* bt_down_ = nullptr;
  QLineEdit* url_ = nullptr;
  QLineEdit* login_ = nullptr;
  QLineEdit* senha_ = nullptr;
  std::map<QString, PictureButton*> buttons_;
  DragWindow drag_window_;
  BrowserSlot* web_ = nullptr;
  std::unique_ptr<PopupBrowser> popup_;
  BrowserDisplay shown_book_display_;

  WindowDragger dragger_;
  QPoint pointer_saved_at_press_;
  int override_cursors_ = 0;
  bool closing_ = false;
  WindowAction last_action_ = WindowAction::None;
  bool first_show_ = true;
  std::vector<std::function<void()>> on_first_paint_;
  std::vector<std::string> shown_lines_;
  Picture shown_tela_;
  Picture shown_loc_;
  Picture shown_jog_;
  Font shown_font_;
  bool font_shown_ = false;
};

// The text of the message lines as the message window shows them.
QString MessageText(const std::vector<std::string>& lines);

}  // namespace zunk
