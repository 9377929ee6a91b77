// The browser over Qt WebEngine.
#include "web_browser_view.h"

namespace zunk {

GuardedPage::GuardedPage(QWebEngineProfile* profile, QObject* parent, const BrowserEvents& events)
    : QWebEnginePage(profile, parent), events_(events) {}

bool GuardedPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
  // A file: page could read the player's other files.
  if (url.isLocalFile() || url.scheme().compare("file", Qt::CaseInsensitive) == 0) return false;
  return !events_.navigation_requested || events_.navigation_requested(url);
}

QWebEnginePage* GuardedPage::createWindow(WebWindowType) {
  return this;
}

WebBrowserView::WebBrowserView(QWebEngineProfile* profile, QWidget* parent, BrowserEvents events)
    : events_(std::move(events)), view_(new QWebEngineView(parent)) {
  page_ = new GuardedPage(profile, view_, events_);
  view_->setPage(page_);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  timeout_.setSingleShot(true);
  QObject::connect(&timeout_, &QTimer::timeout, view_, [this] { Stop(); });
  QObject::connect(page_, &QWebEnginePage::loadStarted, view_, [this] { Began(); });
  QObject::connect(page_, &QWebEnginePage::loadProgress, view_, [this](int progress) {
    if (loading_ && events_.progress) events_.progress(progress, 100);
  });
  QObject::connect(page_, &QWebEnginePage::loadFinished, view_, [this](bool ok) {
    Ended();
    if (ok && events_.navigation_complete) events_.navigation_complete(page_->url());
  });
}

WebBrowserView::~WebBrowserView() {
  // The view (and its page) belong to the parent widget; nothing reports after this.
  QObject::disconnect(page_, nullptr, view_, nullptr);
  timeout_.stop();
}

void WebBrowserView::Began() {
  if (timeout_ms_ > 0) timeout_.start(timeout_ms_);
  if (loading_) return;
  loading_ = true;
  if (events_.download_begin) events_.download_begin();
}

void WebBrowserView::Ended() {
  timeout_.stop();
  if (!loading_) return;
  loading_ = false;
  if (events_.download_complete) events_.download_complete();
}

void WebBrowserView::Navigate(const QUrl& url) {
  if (!url.isValid() || url.isLocalFile()) return;
  view_->setUrl(url);
}

void WebBrowserView::Back() {
  view_->triggerPageAction(QWebEnginePage::Back);
}

void WebBrowserView::Forward() {
  view_->triggerPageAction(QWebEnginePage::Forward);
}

void WebBrowserView::Stop() {
  view_->triggerPageAction(QWebEnginePage::Stop);
  // The engine reports the end of a stopped load later, or not at all when nothing had
  // arrived: the download ends now either way.
  Ended();
}

}  // namespace zunk
