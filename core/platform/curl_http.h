// The host's HTTP service over libcurl: one blocking GET into memory with basic
// authentication. Only http and https are followed; a status of 400 or more is a failure.
// The request's progress callback is called while the transfer runs (at least once a second,
// also while a server says nothing) and may break it off.
#pragma once

#include <cstddef>

#include "platform/host.h"

namespace zunk {

struct HttpLimits {
  long connect_timeout_seconds = 15;
  // A transfer slower than one byte a second for this long is broken off (a server that
  // accepted the connection and then says nothing).
  long stall_timeout_seconds = 30;
  std::size_t max_bytes = 256u * 1024u * 1024u;
};

HttpResult CurlGet(const HttpRequest& request, const HttpLimits& limits = {});

}  // namespace zunk
