// The confined schemes' handler.
#include "page_scheme_handler.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace zunk {

void RegisterPageSchemes() {
  for (const char* name : {kGameScheme, kSiteScheme}) {
    if (!QWebEngineUrlScheme::schemeByName(name).name().isEmpty()) continue;
    QWebEngineUrlScheme scheme(name);
    // zunk-jogo://jogo/page.htm: a host, so relative links resolve and ".." cannot climb.
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Local: a web page cannot link or load into it; it cannot reach file: either.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
  }
}

PageSchemeHandler::PageSchemeHandler(QObject* parent, PageReader reader)
    : QWebEngineUrlSchemeHandler(parent), reader_(std::move(reader)) {}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  if (job->requestMethod() != "GET") {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  const QUrl url = job->requestUrl();
  QByteArray bytes;
  QByteArray mime_type;
  if (!reader_ || !reader_(url.scheme(), url.path(QUrl::FullyEncoded).toUtf8(), bytes, mime_type)) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  auto* buffer = new QBuffer(job);
  buffer->setData(bytes);
  job->reply(mime_type, buffer);
}

}  // namespace zunk
