// The BrowserView over Qt WebEngine: a QWebEngineView whose page asks before each navigation,
// reports its downloads, and never goes to file: addresses.
#pragma once

#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "browser_view.h"

namespace zunk {

class GuardedPage : public QWebEnginePage {
 public:
  GuardedPage(QWebEngineProfile* profile, QObject* parent, const BrowserEvents& events);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool is_main_frame) override;
  // Links that would open a new window open in this one.
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  const BrowserEvents& events_;
};

class WebBrowserView : public BrowserView {
 public:
  WebBrowserView(QWebEngineProfile* profile, QWidget* parent, BrowserEvents events);
  ~WebBrowserView() override;

  QWidget* widget() override { return view_; }
  void Navigate(const QUrl& url) override;
  void Back() override;
  void Forward() override;
  void Stop() override;
  QUrl url() const override { return view_->url(); }
  void SetLoadTimeout(int milliseconds) override { timeout_ms_ = milliseconds; }

 private:
  void Began();
  void Ended();

  BrowserEvents events_;
  QWebEngineView* view_;
  GuardedPage* page_;
  QTimer timeout_;
  int timeout_ms_ = 30000;
  bool loading_ = false;
};

}  // namespace zunk
