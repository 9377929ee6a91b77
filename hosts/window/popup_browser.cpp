// The pop-up browser's layout and its forwarding of buttons.
#include "popup_browser.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "shaped_window.h"
#include "window_art.h"

namespace zunk {
namespace {

QRect ToQRect(const window_art::ArtRect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

// The captions of the four site buttons, in the order of their pages (web/web_pages.h).
constexpr const char* kSiteCaptions[] = {"In\u00edcio", "Guia do jogador", "Frases",
                                         "Sobre o zunk"};

QPixmap WithCaption(QPixmap picture, const QString& caption, int shift) {
  if (picture.isNull()) return picture;
  QPainter painter(&picture);
  QFont font("Arial");
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(58, 38, 20));
  painter.drawText(picture.rect().translated(shift, shift), Qt::AlignCenter, caption);
  return picture;
}

}  // namespace

PopupBrowser::PopupBrowser(const PopupArt& art, BrowserEvents events)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
  namespace popup = window_art::popup;
  setObjectName("TFm2");
  setWindowTitle(QString::fromUtf8("zunk \u2014 p\u00e1ginas"));
  setFixedSize(popup::kWidth, popup::kHeight);
  background_ = KeyedPixmap(art.background).toImage();
  ShapeWindow(*this, art.background);

  grip_ = new QWidget(this);
  grip_->setObjectName("Imp");
  grip_->setGeometry(ToQRect(popup::kGrip));
  grip_->setCursor(Qt::SizeAllCursor);
  grip_->installEventFilter(this);
  auto* title = new QLabel(QString::fromUtf8("P\u00e1ginas do jogo"), grip_);
  title->setGeometry(ToQRect(popup::kTitle).translated(-popup::kGrip.x, -popup::kGrip.y));
  title->setAttribute(Qt::WA_TransparentForMouseEvents);
  QFont font("Arial");
  font.setPixelSize(12);
  font.setBold(true);
  title->setFont(font);
  QPalette palette = title->palette();
  palette.setColor(QPalette::WindowText, QColor(240, 228, 200));
  title->setPalette(palette);

  browser_ = new BrowserSlot(this, "Web", std::move(events));
  browser_->setGeometry(ToQRect(popup::kBrowser));

  for (const auto& place : popup::kButtons) {
    const QString name = QString::fromLatin1(place.name);
    const auto found = art.buttons.find(name);
    ButtonArt pictures = found == art.buttons.end() ? ButtonArt{} : found->second;
    const auto which = PopupButtonByName(place.name);
    if (which >= PopupButton::Site1) {
      const int index = static_cast<int>(*which) - static_cast<int>(PopupButton::Site1);
      const QString caption = QString::fromUtf8(kSiteCaptions[index]);
      pictures.released = WithCaption(pictures.released, caption, 0);
      pictures.pressed = WithCaption(pictures.pressed, caption, 1);
    }
    auto* button = new PictureButton(this, name, pictures.released, pictures.pressed);
    button->setGeometry(place.x, place.y, place.width, place.height);
    connect(button, &PictureButton::Clicked, this, [this, which] {
      if (on_button && which) on_button(*which);
    });
    buttons_[name] = button;
  }
  buttons_["btRet"]->setToolTip(QString::fromUtf8("Voltar"));
  buttons_["btPrx"]->setToolTip(QString::fromUtf8("Avan\u00e7ar"));
  buttons_["btStp"]->setToolTip(QString::fromUtf8("Parar"));
  buttons_["btFim"]->setToolTip(QString::fromUtf8("Fechar"));

  led_ = new LampView(this, art.led);
  led_->setGeometry(ToQRect(popup::kLed));
  g1_ = new Gauge(this);
  g1_->setGeometry(ToQRect(popup::kG1));
}

PictureButton* PopupBrowser::button(const QString& name) {
  const auto found = buttons_.find(name);
  return found == buttons_.end() ? nullptr : found->second;
}

void PopupBrowser::ShowPage(const std::string& url) {
  browser_->Navigate(url);
  show();
  raise();
  activateWindow();
}

void PopupBrowser::Refresh(const BrowserDisplay& display) {
  if (display.lamp != shown_.lamp) {
    led_->SetColour(display.lamp == Lamp::Idle ? QColor(128, 0, 0) : QColor(255, 0, 0));
  }
  if (display.progress != shown_.progress || display.maximum != shown_.maximum) {
    GaugeState state;
    state.maximum = static_cast<std::uint64_t>(std::max(display.maximum, 0));
    state.position = static_cast<std::uint64_t>(std::max(display.progress, 0));
    g1_->SetState(state);
  }
  shown_ = display;
}

void PopupBrowser::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, background_);
}

bool PopupBrowser::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grip_) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        dragger_.Press(*static_cast<QMouseEvent*>(event));
        return true;
      case QEvent::MouseMove:
        dragger_.Move(*this, *static_cast<QMouseEvent*>(event));
        return true;
      case QEvent::MouseButtonRelease:
        dragger_.Release();
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zunk
