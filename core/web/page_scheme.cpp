// Serving pages from one folder through a confined scheme.
#include "web/page_scheme.h"

#include <array>
#include <utility>

#include "platform/cp1252.h"
#include "platform/game_folder.h"

namespace zunk {
namespace {

// The largest page served; pages are small, and a bound keeps a huge file out of memory.
constexpr std::uint64_t kMaxPageBytes = 16ULL * 1024 * 1024;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

}  // namespace

std::optional<std::string> PageNameFromUrlPath(std::string_view url_path) {
  const auto decoded = PercentDecode(url_path);
  if (!decoded || decoded->empty() || decoded->front() != '/') return std::nullopt;
  const std::string name = Utf8ToCp1252(std::string_view(*decoded).substr(1));
  // The name check refuses "..", absolute paths, drive prefixes and NUL bytes; a ":" has no
  // business in a page's name either.
  if (name.find(':') != std::string::npos || !SafeRelativePath(name)) return std::nullopt;
  return name;
}

std::string PageMimeType(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, const char*>, 13> kTypes = {{
      {".htm", "text/html"},
      {".html", "text/html"},
      {".css", "text/css"},
      {".js", "text/javascript"},
      {".txt", "text/plain"},
      {".jpg", "image/jpeg"},
      {".jpeg", "image/jpeg"},
      {".png", "image/png"},
      {".gif", "image/gif"},
      {".bmp", "image/bmp"},
      {".svg", "image/svg+xml"},
      {".ico", "image/x-icon"},
      {".webp", "image/webp"},
  }};
  for (const auto& [extension, type] : kTypes) {
    if (name.size() < extension.size()) continue;
    const std::string_view end = name.substr(name.size() - extension.size());
    bool same = true;
    for (std::size_t i = 0; i < end.size() && same; ++i) {
      same = FoldCp1252(end[i]) == FoldCp1252(extension[i]);
    }
    if (same) return type;
  }
  return "application/octet-stream";
}

std::optional<ServedPage> ServePage(const GameFolder& folder, std::string_view url_path) {
  const auto name = PageNameFromUrlPath(url_path);
  if (!name) return std::nullopt;
  ReadResult read = folder.ReadBounded(*name, kMaxPageBytes);
  if (read.status != ReadStatus::Ok) return std::nullopt;
  return ServedPage{std::move(read.bytes), PageMimeType(*name)};
}

}  // namespace zunk
