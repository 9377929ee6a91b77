// libzunk_web.so's factory: registers the confined schemes, installs their handler on the
// profile the browsers share, and makes browsers.
#include <QCoreApplication>
#include <QOpenGLContext>
#include <QWebEngineProfile>

#include "browser_view.h"
#include "page_scheme_handler.h"
#include "web_browser_view.h"

// Qt's setter of the shared context (exported by Qt GUI, declared in its private headers).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace zunk {
namespace {

// The engine composites with OpenGL contexts shared with the application's. Qt makes the
// shared context at start-up when asked before the application is made; the program does not
// ask, since that context alone costs some 60 MB of resident memory before any page is shown.
// No OpenGL context exists before the first browser (the windows draw in software), so making
// the shared context here, on first use, gives the engine the same as at start-up.
void MakeSharedOpenGLContext() {
  if (QOpenGLContext::globalShareContext() != nullptr) return;
  // As Qt does at start-up: the context is set even when the platform has no OpenGL (the
  // engine then draws in software, and expects a context object all the same).
  auto* context = new QOpenGLContext();  // lives as long as the process, as Qt's own would
  context->setFormat(QSurfaceFormat::defaultFormat());
  context->create();
  qt_gl_set_global_share_context(context);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

class QtWebModule : public WebModule {
 public:
  explicit QtWebModule(PageReader reader) {
    MakeSharedOpenGLContext();
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
