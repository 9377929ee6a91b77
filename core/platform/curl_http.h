// The host's HTTP service over libcurl: one blocking GET into memory with basic
// authentication. Only http and https are followed; a status of 400 or more is a failure.
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
