// libzunk_web.so's factory: registers the confined schemes, installs their handler on the
// profile the browsers share, and makes browsers.
#include <QWebEngineProfile>

#include "browser_view.h"
#include "page_scheme_handler.h"
#include "web_browser_view.h"

namespace zunk {
namespace {

class QtWebModule : public WebModule {
 public:
  explicit QtWebModule(PageReader reader) {
    RegisterPageSchemes();
    // An off-the-record profile: pages leave no cookies, cache or history on disk.
    profile_ = new QWebEngineProfile();
    handler_ = new PageSchemeHandler(profile_, std::move(reader));
    profile_->installUrlSchemeHandler(kGameScheme, handler_);
    profile_->installUrlSchemeHandler(kSiteScheme, handler_);
  }

  std::unique_ptr<BrowserView> CreateView(QWidget* parent, BrowserEvents events) override {
    return std::make_unique<WebBrowserView>(profile_, parent, std::move(events));
  }

 private:
  // Lives as long as the process: pages of the browsers refer to it until they go.
  QWebEngineProfile* profile_ = nullptr;
  PageSchemeHandler* handler_ = nullptr;
};

}  // namespace
}  // namespace zunk

extern "C" __attribute__((visibility("default"))) zunk::WebModule* zunk_web_module_v1(
    const zunk::PageReader* reader) {
  static zunk::QtWebModule* module = new zunk::QtWebModule(reader ? *reader : zunk::PageReader());
  return module;
}
