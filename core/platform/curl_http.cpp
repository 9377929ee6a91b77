// libcurl GET into memory, with the request's progress callback able to break it off.
#include "platform/curl_http.h"

#include <curl/curl.h>

#include <exception>
#include <mutex>

namespace zunk {
namespace {

struct Sink {
  std::string* body;
  std::size_t max_bytes;
  bool too_large = false;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const std::size_t n = size * count;
  if (sink->body->size() + n > sink->max_bytes) {
    sink->too_large = true;
    return 0;  // aborts the transfer
  }
  sink->body->append(data, n);
  return n;
}

struct Progress {
  const HttpRequest* request;
  bool stopped = false;
  std::exception_ptr failure;  // an exception may not cross libcurl: it is thrown afterwards
};

int ReportProgress(void* user, curl_off_t announced, curl_off_t received, curl_off_t, curl_off_t) {
  auto* progress = static_cast<Progress*>(user);
  try {
    const bool go_on =
        progress->request->progress(static_cast<std::uint64_t>(received < 0 ? 0 : received),
                                    static_cast<std::uint64_t>(announced < 0 ? 0 : announced));
    if (!go_on) progress->stopped = true;
  } catch (...) {
    progress->failure = std::current_exception();
    progress->stopped = true;
  }
  return progress->stopped ? 1 : 0;  // nonzero aborts the transfer
}

void InitOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

HttpResult CurlGet(const HttpRequest& request, const HttpLimits& limits) {
  InitOnce();
  HttpResult result;
  CURL* curl = curl_easy_init();
  if (curl == nullptr) {
    result.error = "curl_easy_init failed";
    return result;
  }
  std::string body;
  Sink sink{&body, limits.max_bytes};
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, limits.connect_timeout_seconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.stall_timeout_seconds);
  if (!request.user.empty() || !request.password.empty()) {
    curl_easy_setopt(curl, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    curl_easy_setopt(curl, CURLOPT_USERNAME, request.user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, request.password.c_str());
  }
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
  Progress progress{&request, false, nullptr};
  if (request.progress) {
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, ReportProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &progress);
  }

  const CURLcode code = curl_easy_perform(curl);
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
  curl_easy_cleanup(curl);
  if (progress.failure) std::rethrow_exception(progress.failure);

  if (code == CURLE_OK && result.status >= 200 && result.status < 300) {
    result.ok = true;
    result.body = std::move(body);
  } else if (progress.stopped) {
    result.error = "transfer broken off";
  } else if (sink.too_large) {
    result.error = "file too large";
  } else {
    result.error = curl_easy_strerror(code);
  }
  return result;
}

}  // namespace zunk
