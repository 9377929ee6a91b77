// Serves the confined schemes' pages from the program's PageReader; anything it refuses is
// "not found", so a page cannot reach outside its folder through them.
#pragma once

#include <QWebEngineUrlSchemeHandler>

#include "browser_view.h"

namespace zunk {

class PageSchemeHandler : public QWebEngineUrlSchemeHandler {
 public:
  PageSchemeHandler(QObject* parent, PageReader reader);
  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  PageReader reader_;
};

// Registers the schemes with the engine. It must run before the engine starts, which happens
// when the first browser is made, not when the application is (so loading late is fine).
void RegisterPageSchemes();

}  // namespace zunk
