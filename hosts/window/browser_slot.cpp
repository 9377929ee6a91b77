// A browser made on first use.
#include "browser_slot.h"

#include <QResizeEvent>

#include "qt_strings.h"
#include "web_module.h"

namespace zunk {

BrowserSlot::BrowserSlot(QWidget* parent, const QString& name, BrowserEvents events)
    : QWidget(parent), events_(std::move(events)) {
  setObjectName(name);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setAutoFillBackground(true);
}

BrowserSlot::~BrowserSlot() = default;

void BrowserSlot::Navigate(const std::string& url) {
  if (!view_) {
    view_ = MakeBrowser(this, events_);
    if (!view_) return;
    view_->widget()->setGeometry(rect());
    view_->widget()->show();
  }
  view_->Navigate(QUrl(FromCp1252(url), QUrl::TolerantMode));
}

void BrowserSlot::Order(BrowserOrder order) {
  if (!view_) return;
  switch (order) {
    case BrowserOrder::Back:
      view_->Back();
      break;
    case BrowserOrder::Forward:
      view_->Forward();
      break;
    case BrowserOrder::Stop:
      view_->Stop();
      break;
  }
}

void BrowserSlot::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (view_) view_->widget()->setGeometry(rect());
}

}  // namespace zunk
