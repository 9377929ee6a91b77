// The browser as the web module gives it to the windows: a widget that navigates, goes back
// and forward, stops, and reports its navigations and downloads. The program itself does not
// link the browser engine; web_module.* loads the module on first use. Header shared by the
// program and the module (Qt only, no core).
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

namespace zunk {

// The module's factory is looked up by this name; a module built from other headers has
// another name and is not used.
inline constexpr const char* kWebModuleFactory = "zunk_web_module_v1";
inline constexpr const char* kWebModuleFile = "libzunk_web.so";

// The confined schemes the module registers (their pages come from a PageReader).
inline constexpr const char* kGameScheme = "zunk-jogo";
inline constexpr const char* kSiteScheme = "zunk-site";

// The bytes and MIME type of a confined scheme's page, by scheme and percent-encoded path;
// false when there is no such page (or it would lie outside its folder).
using PageReader = std::function<bool(const QString& scheme, const QByteArray& encoded_path,
                                      QByteArray& bytes, QByteArray& mime_type)>;

struct BrowserEvents {
  // Before each navigation (also of frames); false cancels it.
  std::function<bool(const QUrl& url)> navigation_requested;
  // A page arrived and was shown.
  std::function<void(const QUrl& url)> navigation_complete;
  std::function<void()> download_begin;
  std::function<void(int progress, int maximum)> progress;
  // The download ended: loaded, failed, stopped or timed out.
  std::function<void()> download_complete;
};

class BrowserView {
 public:
  virtual ~BrowserView() = default;
  virtual QWidget* widget() = 0;
  virtual void Navigate(const QUrl& url) = 0;
  virtual void Back() = 0;
  virtual void Forward() = 0;
  // Stops the download; a download that was running completes now.
  virtual void Stop() = 0;
  virtual QUrl url() const = 0;
  // A download that has not completed after this long is stopped (0: never).
  virtual void SetLoadTimeout(int milliseconds) = 0;
};

class WebModule {
 public:
  virtual ~WebModule() = default;
  virtual std::unique_ptr<BrowserView> CreateView(QWidget* parent, BrowserEvents events) = 0;
};

// The module's factory: made once per process, with the reader of the confined schemes.
using WebModuleFactory = WebModule* (*)(const PageReader* reader);

}  // namespace zunk
