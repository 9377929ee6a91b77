// The game window's layout, its forwarding of events to the game and its redraw.
#include "game_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <utility>

#include "game/panel_mouse.h"
#include "pointer_shapes.h"
#include "qt_pictures.h"
#include "qt_strings.h"
#include "qt_text.h"
#include "script/script_fault.h"
#include "shaped_window.h"
#include "web/browser_events.h"
#include "web_module.h"
#include "window_layout.h"

namespace zunk {
namespace {

constexpr QColor kNavy{0, 0, 128};
constexpr QColor kLampIdle{128, 0, 0};         // maroon
constexpr QColor kLampRequested{0, 255, 255};  // aqua
constexpr QColor kLampStarted{0, 255, 0};      // green
constexpr QColor kLampFetching{255, 0, 0};     // red

QFont StatusFont() {
  Font font;
  font.bold = true;
  font.underline = true;
  return ToQFont(font);
}

QFont InputFont() {
  QFont font("Arial");
  font.setPixelSize(11);
  font.setBold(true);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

void SetBackground(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Window, colour);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

}  // namespace

QString MessageText(const std::vector<std::string>& lines) {
  QString text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += FromCp1252(lines[i]);
  }
  return text;
}

GameWindow::GameWindow(Game& game, WindowArt art, bool scripted)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      game_(game),
      art_(std::move(art)),
      scripted_(scripted) {
  setObjectName("TJogo");
  setWindowTitle(QStringLiteral("zunk"));
  if (!art_.icon.isNull()) setWindowIcon(QIcon(QPixmap::fromImage(art_.icon)));
  setFixedSize(layout::kWindowWidth, layout::kWindowHeight);
  background_ = KeyedPixmap(art_.background).toImage();
  shape_ = RegionFromMagenta(art_.background);
  ShapeWindow(*this, art_.background);
  BuildPages();
  BuildTextElements();
  BuildPanels();
  BuildButtons();
  SetServedGameFolder(&game_.folder());
  Refresh();
}

GameWindow::~GameWindow() {
  SetServedGameFolder(nullptr);
  while (override_cursors_ > 0) {
    QGuiApplication::restoreOverrideCursor();
    --override_cursors_;
  }
}

int GameWindow::LightnessUnder(const QRect& rect) const {
  // The mean over the rectangle: captions sit on grained wood, not on one colour.
  long sum = 0;
  long count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (x >= art_.background.width() || y >= art_.background.height()) continue;
      const Colour c = art_.background.Pixel(x, y);
      sum += QColor(RedOf(c), GreenOf(c), BlueOf(c)).lightness();
      ++count;
    }
  }
  return count == 0 ? 255 : static_cast<int>(sum / count);
}

QColor GameWindow::BackgroundAt(const QRect& rect) const {
  const Colour c = art_.background.Pixel(rect.x(), rect.y());
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QLabel* GameWindow::Caption(const QString& text, const QRect& rect) {
  auto* label = new QLabel(text, this);
  label->setGeometry(rect);
  // A caption without a function of its own drags the window like the background.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText,
                   LightnessUnder(rect) < 128 ? QColor(240, 228, 200) : QColor(60, 45, 30));
  label->setPalette(palette);
  QFont font = StatusFont();
  font.setUnderline(false);
  label->setFont(font);
  return label;
}

void GameWindow::BuildPages() {
  abook_ = new QStackedWidget(this);
  abook_->setObjectName("Abook");
  abook_->setGeometry(layout::kAbook);

  tela_ = new PictureView(nullptr, "Tela");
  tela_->on_move = [this](int x, int y) { Dispatch([&] { game_.PointerMove(x, y); }); };
  tela_->on_press = [this](int x, int y) {
    pointer_saved_at_press_ = QCursor::pos();
    Dispatch([&] { game_.PointerPress(x, y); });
  };
  tela_->on_release = [this](int x, int y) { Dispatch([&] { game_.PointerRelease(x, y); }); };
  abook_->addWidget(tela_);

  // The extras page holds the buttons' pictures, as the window keeps them.
  auto* extras = new QLabel;
  extras->setObjectName("Extras");
  {
    QImage sheet(layout::kAbook.size(), QImage::Format_ARGB32);
    sheet.fill(QColor(236, 226, 196));
    QPainter painter(&sheet);
    int x = 8;
    for (const auto& [name, pictures] : art_.buttons) {
      painter.drawPixmap(x, 8, pictures.released);
      painter.drawPixmap(x, 30, pictures.pressed);
      x += 34;
    }
    painter.drawPixmap(8, 60, art_.tick_on);
    painter.drawPixmap(28, 60, art_.tick_off);
    painter.end();
    extras->setPixmap(QPixmap::fromImage(sheet));
  }
  abook_->addWidget(extras);

  web_ = new BrowserSlot(nullptr, "Web", EventsOf(Browser::Book));
  abook_->addWidget(web_);

  auto* config = new QLabel;
  config->setObjectName("Config");
  if (!art_.config_page.isNull()) {
    config->setPixmap(art_.config_page);
  } else {
    SetBackground(*config, QColor(236, 226, 196));
  }
  BuildSettingsPage(config);
  abook_->addWidget(config);
}

void GameWindow::BuildSettingsPage(QWidget* page) {
  auto label = [page](const char* text, const QRect& rect) {
    auto* l = new QLabel(QString::fromUtf8(text), page);
    l->setGeometry(rect);
    QFont font = l->font();
    font.setBold(true);
    l->setFont(font);
    return l;
  };
  auto field = [page](const char* name, const QRect& rect) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(name);
    edit->setGeometry(rect);
    return edit;
  };
  label("Url base:", layout::kUrlLabel);
  url_ = field("Url", layout::kUrl);
  label("Login", layout::kLoginLabel);
  login_ = field("Login", layout::kLogin);
  label("Senha", layout::kSenhaLabel);
  senha_ = field("Senha", layout::kSenha);
  senha_->setEchoMode(QLineEdit::Password);
  senha_->setStyleSheet("lineedit-password-character: 42");
  url_->setText(FromCp1252(game_.url));
  login_->setText(FromCp1252(game_.login));
  senha_->setText(FromCp1252(game_.senha));
  connect(url_, &QLineEdit::textEdited, this,
          [this](const QString& text) { game_.url = ToCp1252(text); });
  connect(login_, &QLineEdit::textEdited, this,
          [this](const QString& text) { game_.login = ToCp1252(text); });
  connect(senha_, &QLineEdit::textEdited, this,
          [this](const QString& text) { game_.senha = ToCp1252(text); });

  label("Scripts for\u00e7ar_busca:", layout::kScriptsHeading);
  label("Arquivos for\u00e7ar_busca:", layout::kFilesHeading);
  for (const auto& tick : layout::kTicks) {
    const QString name = QString::fromLatin1(tick.name);
    auto* button = new PictureButton(page, name, art_.tick_off, art_.tick_off);
    button->setGeometry(QRect(tick.at, QSize(layout::kTickSide, layout::kTickSide)));
    auto* text = new QLabel(QString::fromUtf8(tick.label), page);
    text->setGeometry(tick.at.x() + 18, tick.at.y() - 1, 118, 15);
    const auto which = WindowButtonByName(tick.name);
    connect(button, &PictureButton::Pressed, this,
            [this, which] { Dispatch([&] { PressWindowButton(game_, *which); }); });
    buttons_[name] = button;
  }
  BuildUpdateControls(page);
}

void GameWindow::BuildUpdateControls(QWidget* page) {
  auto update_button = [this, page](const char* name, const QRect& rect, UpdateKind kind) {
    auto* button = new QPushButton(QStringLiteral("Atualizar"), page);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this,
            [this, kind] { Dispatch([&] { PressUpdate(game_, kind); }); });
  };
  update_button("btAtscp", layout::kAtualizarScripts, UpdateKind::Scripts);
  update_button("btAtarq", layout::kAtualizarFiles, UpdateKind::Files);

  g2_ = new Gauge(page);
  g2_->setObjectName("G2");
  g2_->SetFramed(true);
  g2_->setGeometry(QRect(QPoint(0, layout::kG2Top), layout::kG2Size));
  g2_->hide();

  auto* version = new QWidget(page);
  version->setObjectName("Versao");
  version->setGeometry(layout::kVersionArea);
  auto* check = new QPushButton(QString::fromUtf8("Verificar vers\u00e3o"), version);
  check->setObjectName("btVer");
  check->setGeometry(layout::kBtVer);
  check->setFocusPolicy(Qt::NoFocus);
  QFont small = check->font();
  small.setPixelSize(11);
  check->setFont(small);
  connect(check, &QPushButton::clicked, this,
          [this] { Dispatch([&] { PressVersionCheck(game_); }); });
  lb_down_ = new QLabel(QString::fromUtf8("Baixar nova vers\u00e3o"), version);
  lb_down_->setObjectName("lbDown");
  lb_down_->setGeometry(layout::kLbDown);
  lb_down_->setFont(small);
  auto* download = new QToolButton(version);
  download->setObjectName("btDown");
  download->setArrowType(Qt::DownArrow);
  download->setGeometry(layout::kBtDown);
  download->setFocusPolicy(Qt::NoFocus);
  connect(download, &QToolButton::clicked, this, [this] {
    WindowAction action = WindowAction::None;
    Dispatch([&] { action = PressDownload(game_); });
    Perform(action);
  });
  bt_down_ = download;
  st_down_ = new QLabel(page);
  st_down_->setObjectName("stDown");
  st_down_->setGeometry(layout::kStDown);
  QFont bold = st_down_->font();
  bold.setBold(true);
  st_down_->setFont(bold);
  RefreshUpdateControls();
}

void GameWindow::RefreshUpdateControls() {
  const UpdateControls& controls = game_.update_controls();
  const QString st_down = FromCp1252(controls.st_down);
  if (st_down_->text() != st_down) st_down_->setText(st_down);
  lb_down_->setVisible(controls.download_shown);
  bt_down_->setVisible(controls.download_shown);
  if (vrs_ != nullptr) {
    const QString version = FromCp1252(controls.version);
    if (vrs_->text() != version) vrs_->setText(version);
  }
  ShowGauge(GaugeId::G2, controls.g2);
}

void GameWindow::BuildTextElements() {
  mensag_ = new QPlainTextEdit(this);
  mensag_->setObjectName("Mensag");
  mensag_->setGeometry(layout::kMensag);
  mensag_->setReadOnly(true);
  mensag_->setFrameShape(QFrame::NoFrame);
  mensag_->setFocusPolicy(Qt::NoFocus);
  mensag_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mensag_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mensag_->document()->setDocumentMargin(2);
  SetBackground(*mensag_, BackgroundAt(layout::kMensag));
  mensag_->viewport()->installEventFilter(this);

  stk_ = new QLabel(this);
  stk_->setObjectName("Stk");
  stk_->setGeometry(layout::kStk);
  stk_->setFont(StatusFont());
  stk_->setAttribute(Qt::WA_TransparentForMouseEvents);
  {
    QPalette palette = stk_->palette();
    palette.setColor(QPalette::WindowText, LightnessUnder(layout::kStk) < 128
                                               ? QColor(240, 228, 200)
                                               : QColor(40, 30, 20));
    stk_->setPalette(palette);
  }

  frase_ = new InputLine(this);
  frase_->setGeometry(layout::kFrase);
  frase_->setFont(InputFont());
  SetBackground(*frase_, BackgroundAt(layout::kFrase));
  frase_->on_return = [this] {
    game_.frase = ToCp1252(frase_->toPlainText());
    Dispatch([&] { game_.PressReturn(); });
  };
  connect(frase_, &QPlainTextEdit::textChanged, this,
          [this] { game_.frase = ToCp1252(frase_->toPlainText()); });

  pan_sg_ = new QWidget(this);
  pan_sg_->setObjectName("PanSg");
  pan_sg_->setGeometry(layout::kPanSg);
  SetBackground(*pan_sg_, BackgroundAt(layout::kPanSg));
  // The panel's background drags the window: its presses go on to the window.
  pan_sg_->setAttribute(Qt::WA_NoMousePropagation, false);
  QFont suggestion_font = StatusFont();
  for (int n = 1; n <= 3; ++n) {
    auto* label = new QLabel(pan_sg_);
    label->setObjectName(QStringLiteral("Sg%1").arg(n));
    label->setGeometry(0, (n - 1) * layout::kSuggestionStep, layout::kPanSg.width(),
                       layout::kSuggestionStep);
    label->setFont(suggestion_font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kNavy);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    suggestions_[static_cast<std::size_t>(n - 1)] = label;
  }

  Caption(QString::fromUtf8("No local:"), layout::kObjLocCaption);
  Caption(QString::fromUtf8("Com voc\u00ea:"), layout::kObjJogCaption);
  vrs_ = Caption(FromCp1252(game_.update_controls().version), layout::kVrs);
  vrs_->setObjectName("Vrs");

  led_ = new LampView(this, art_.led);
  led_->setGeometry(layout::kLed);
  g1_ = new Gauge(this);
  g1_->setGeometry(layout::kG1);
}

void GameWindow::BuildPanels() {
  for (Panel panel : {Panel::Loc, Panel::Jog}) {
    auto* view = new PictureView(this, panel == Panel::Loc ? "ObjLoc" : "ObjJog");
    view->setGeometry(panel == Panel::Loc ? layout::kObjLoc : layout::kObjJog);
    view->on_move = [this, panel](int x, int y) {
      Dispatch([&] { PanelMove(game_, panel, x, y); });
    };
    view->on_press = [this, panel](int x, int y) {
      Dispatch([&] { PanelPress(game_, panel, x, y); });
    };
    view->on_release = [this, panel](int x, int y) {
      Dispatch([&] { PanelRelease(game_, panel, x, y); });
    };
    // A double click examines or opens, then counts as a press, as the system sends it.
    view->on_double_click = [this, panel](int x, int y) {
      Dispatch([&] { PanelDoubleClick(game_, panel); });
      if (!closing_) Dispatch([&] { PanelPress(game_, panel, x, y); });
    };
    (panel == Panel::Loc ? obj_loc_ : obj_jog_) = view;
  }
}

void GameWindow::BuildButtons() {
  for (const auto& place : window_art::kButtons) {
    const QString name = QString::fromLatin1(place.name);
    const ButtonArt& pictures = art_.buttons[name];
    auto* button = new PictureButton(this, name, pictures.released, pictures.pressed);
    const QRect rect(place.x, place.y, place.width, place.height);
    button->setGeometry(rect);
    for (const auto& text : layout::kButtonTexts) {
      if (name != QLatin1String(text.name)) continue;
      button->setToolTip(QString::fromUtf8(text.hint));
      if (text.label != nullptr) {
        Caption(QString::fromUtf8(text.label),
                QRect(rect.right() + 4, rect.y() - 1, 90, rect.height() + 2));
      }
    }
    const auto which = WindowButtonByName(place.name);
    connect(button, &PictureButton::Pressed, this,
            [this, which] { Dispatch([&] { PressWindowButton(game_, *which); }); });
    connect(button, &PictureButton::Clicked, this, [this, which] {
      WindowAction action = WindowAction::None;
      Dispatch([&] { action = ReleaseWindowButton(game_, *which); });
      Perform(action);
    });
    buttons_[name] = button;
  }
  // The script editor comes later.
  buttons_["btEdt"]->setEnabled(false);
}

PictureButton* GameWindow::button(const QString& name) {
  const auto found = buttons_.find(name);
  return found == buttons_.end() ? nullptr : found->second;
}

void GameWindow::Perform(WindowAction action) {
  last_action_ = action;
  if (closing_) return;
  if (action == WindowAction::End) {
    close();
  } else if (action == WindowAction::Minimise) {
    showMinimized();
  }
}

void GameWindow::Dispatch(const std::function<void()>& call) {
  if (closing_) return;
  try {
    call();
  } catch (const RunsEnded&) {
    return;  // the program is ending: nothing more is drawn
  }
  if (!closing_) Refresh();
}

void GameWindow::Refresh() {
  const Output& output = game_.output();
  const Font& font = game_.screen().message_font;
  if (!font_shown_ || !(font == shown_font_)) {
    mensag_->setFont(ToQFont(font));
    QPalette palette = mensag_->palette();
    palette.setColor(QPalette::Text,
                     QColor(RedOf(font.colour), GreenOf(font.colour), BlueOf(font.colour)));
    mensag_->setPalette(palette);
    shown_font_ = font;
    font_shown_ = true;
  }
  if (output.lines() != shown_lines_) {
    shown_lines_ = output.lines();
    mensag_->setPlainText(MessageText(shown_lines_));
  }
  const QString status = FromCp1252(output.status());
  if (stk_->text() != status) stk_->setText(status);
  if (ToCp1252(frase_->toPlainText()) != game_.frase) {
    const QSignalBlocker block(frase_);
    frase_->setPlainText(FromCp1252(game_.frase));
    frase_->moveCursor(QTextCursor::End);
  }
  for (int n = 1; n <= 3; ++n) {
    const QString caption = FromCp1252(output.suggestions[static_cast<std::size_t>(n - 1)].caption);
    if (suggestion(n).text() != caption) suggestion(n).setText(caption);
  }
  if (abook_->currentIndex() != static_cast<int>(game_.page())) {
    abook_->setCurrentIndex(static_cast<int>(game_.page()));
  }
  RefreshTicks();
  RefreshUpdateControls();
  // The gauge shows the browser's progress when that changed (transfers set it too).
  const BrowserDisplay& book = game_.web.book;
  if (book.progress != shown_book_display_.progress ||
      book.maximum != shown_book_display_.maximum) {
    GaugeState state;
    state.maximum = static_cast<std::uint64_t>(std::max(book.maximum, 0));
    state.position = static_cast<std::uint64_t>(std::max(book.progress, 0));
    g1_->SetState(state);
  }
  shown_book_display_ = book;
  if (popup_) popup_->Refresh(game_.web.popup);
  ShowScreenNow();
  ShowPanelsNow();
}

void GameWindow::RefreshTicks() {
  for (const auto& tick : layout::kTicks) {
    PictureButton* b = button(QString::fromLatin1(tick.name));
    const bool on = TickShown(game_, *WindowButtonByName(tick.name));
    const QPixmap& picture = on ? art_.tick_on : art_.tick_off;
    b->SetPictures(picture, picture);
  }
}

void GameWindow::ShowScreenNow() {
  // Every event refreshes: a picture that did not change is neither converted nor repainted.
  const Picture& tela = game_.screen().tela;
  if (tela == shown_tela_) return;
  shown_tela_ = tela;
  tela_->SetImage(ToQImage(tela));
}

void GameWindow::ShowPanelsNow() {
  // Empty cells are magenta: the background shows through them.
  const ObjectPanels& panels = game_.panels();
  if (!(panels.loc == shown_loc_)) {
    shown_loc_ = panels.loc;
    obj_loc_->SetImage(ToKeyedQImage(shown_loc_));
  }
  if (!(panels.jog == shown_jog_)) {
    shown_jog_ = panels.jog;
    obj_jog_->SetImage(ToKeyedQImage(shown_jog_));
  }
}

void GameWindow::ShowPage(BookPage page) {
  abook_->setCurrentIndex(static_cast<int>(page));
}

void GameWindow::SetScreenPointer(int cursor_code) {
  tela_->setCursor(PointerShape(cursor_code));
}

void GameWindow::SetPanelPointer(Panel p, int cursor_code) {
  panel(p).setCursor(PointerShape(cursor_code));
}

void GameWindow::SetDragPointer(bool on) {
  if (on) {
    QGuiApplication::setOverrideCursor(PointerShape(kMultiDragPointer));
    ++override_cursors_;
  } else if (override_cursors_ > 0) {
    QGuiApplication::restoreOverrideCursor();
    --override_cursors_;
  }
}

void GameWindow::HidePointer() {
  QGuiApplication::setOverrideCursor(Qt::BlankCursor);
  ++override_cursors_;
}

void GameWindow::RestorePointer() {
  // Only a hidden pointer comes back to where it was pressed: restoring a pointer that was
  // never hidden (stop after no film) leaves it where the player holds it.
  if (override_cursors_ <= 0) return;
  QGuiApplication::restoreOverrideCursor();
  --override_cursors_;
  QCursor::setPos(pointer_saved_at_press_);
}

void GameWindow::SetLamp(Lamp lamp) {
  switch (lamp) {
    case Lamp::Idle:
      led_->SetColour(kLampIdle);
      break;
    case Lamp::Requested:
      led_->SetColour(kLampRequested);
      break;
    case Lamp::Started:
      led_->SetColour(kLampStarted);
      break;
    case Lamp::Fetching:
      led_->SetColour(kLampFetching);
      break;
  }
}

void GameWindow::ShowGauge(GaugeId id, const GaugeState& state) {
  Gauge& shown = gauge(id);
  if (id == GaugeId::G2) {
    shown.move(state.left, layout::kG2Top);
    shown.setVisible(state.visible);
  }
  shown.SetState(state);
}

void GameWindow::ShowStatusNow() {
  const QString status = FromCp1252(game_.output().status());
  if (stk_->text() == status) return;
  stk_->setText(status);
  stk_->repaint();
}

void GameWindow::ShowDragWindow(const Picture& picture, int x, int y) {
  drag_window_.SetPicture(picture);
  drag_window_.move(mapToGlobal(QPoint(x, y)));
  drag_window_.show();
  drag_window_.raise();
}

void GameWindow::MoveDragWindow(int x, int y) {
  drag_window_.move(mapToGlobal(QPoint(x, y)));
}

void GameWindow::HideDragWindow() {
  drag_window_.hide();
}

void GameWindow::FocusInput() {
  frase_->setFocus(Qt::OtherFocusReason);
}

BrowserEvents GameWindow::EventsOf(Browser browser) {
  BrowserEvents events;
  events.navigation_requested = [this, browser](const QUrl& url) {
    bool allowed = true;
    const std::string address = ToCp1252(url.toString(QUrl::FullyEncoded));
    Dispatch([&] { allowed = BrowserNavigationRequested(game_, browser, address); });
    return allowed && !closing_;
  };
  events.navigation_complete = [this, browser](const QUrl&) {
    Dispatch([&] { BrowserNavigationComplete(game_, browser); });
  };
  events.download_begin = [this, browser] {
    Dispatch([&] { BrowserDownloadBegin(game_, browser); });
  };
  events.progress = [this, browser](int progress, int maximum) {
    Dispatch([&] { BrowserProgress(game_, browser, progress, maximum); });
  };
  events.download_complete = [this, browser] {
    Dispatch([&] { BrowserDownloadComplete(game_, browser); });
  };
  return events;
}

PopupBrowser& GameWindow::popup() {
  if (!popup_) {
    popup_ = std::make_unique<PopupBrowser>(LoadPopupArt(art_.folder), EventsOf(Browser::Popup));
    popup_->on_button = [this](PopupButton button) {
      Dispatch([&] { ReleasePopupButton(game_, button); });
    };
    popup_->Refresh(game_.web.popup);
  }
  return *popup_;
}

void GameWindow::NavigateBook(const std::string& url) {
  web_->Navigate(url);
}

void GameWindow::ShowPopupBrowser(const std::string& url) {
  popup().ShowPage(url);
}

void GameWindow::NavigatePopup(const std::string& url) {
  popup().browser().Navigate(url);
}

void GameWindow::HidePopupBrowser() {
  if (popup_) popup_->hide();
}

void GameWindow::OrderBrowser(Browser browser, BrowserOrder order) {
  if (browser == Browser::Book) {
    web_->Order(order);
  } else if (popup_) {
    popup_->browser().Order(order);
  }
}

void GameWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(0, 0, background_);
  // After this paint and its children's have reached the screen.
  for (auto& call : std::exchange(on_first_paint_, {}))
    QTimer::singleShot(0, this, std::move(call));
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
  // The background, captions without a function and the suggestion panel drag the window.
  dragger_.Press(*event);
}

void GameWindow::mouseMoveEvent(QMouseEvent* event) {
  dragger_.Move(*this, *event);
}

void GameWindow::mouseReleaseEvent(QMouseEvent*) {
  dragger_.Release();
}

bool GameWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == mensag_->viewport()) {
      FocusInput();
      return false;
    }
    for (int n = 1; n <= 3; ++n) {
      if (watched == &suggestion(n)) {
        Dispatch([&] { game_.PressSuggestion(n); });
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void GameWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!first_show_) return;
  first_show_ = false;
  FocusInput();
  // The first activation runs the start script; a window manager that never activates a new
  // window must not keep the game from starting.
  if (!scripted_) {
    QTimer::singleShot(0, this, [this] { Dispatch([&] { game_.Activate(); }); });
  }
}

void GameWindow::closeEvent(QCloseEvent* event) {
  closing_ = true;
  drag_window_.hide();
  if (popup_) popup_->hide();
  // An open error box has a loop of its own: it ends too.
  for (auto* box : findChildren<QDialog*>()) box->reject();
  event->accept();
  QApplication::quit();
}

}  // namespace zunk
