// Script file encoding and decoding.
#include "script/script_codec.h"

#include <algorithm>
#include <cstring>

namespace zunk {

const std::array<std::uint8_t, kScriptKeyLength> kScriptKey = {
    0x5B, 0xC3, 0x17, 0x8E, 0x2A, 0xF1, 0x64, 0x39, 0xD0, 0x7C, 0xA5, 0x4E};

namespace {

constexpr std::uint8_t kNotHex = 0xFF;

constexpr std::array<std::uint8_t, 256> MakeHexTable() {
  std::array<std::uint8_t, 256> table{};
  for (auto& v : table) v = kNotHex;
  for (int c = '0'; c <= '9'; ++c) table[c] = static_cast<std::uint8_t>(c - '0');
  for (int c = 'A'; c <= 'F'; ++c) table[c] = static_cast<std::uint8_t>(c - 'A' + 10);
  for (int c = 'a'; c <= 'f'; ++c) table[c] = static_cast<std::uint8_t>(c - 'a' + 10);
  return table;
}
constexpr std::array<std::uint8_t, 256> kHex = MakeHexTable();

}  // namespace

DecodedScript DecodeScript(std::string_view bytes) {
  DecodedScript result;
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  std::size_t key = 0;
  // The next CR and the next LF (or the end), each searched for once and kept until the
  // lines pass it: a library search beats testing every digit for both.
  const auto next = [end](const char* from, char c) {
    const void* found =
        from < end ? std::memchr(from, c, static_cast<std::size_t>(end - from)) : nullptr;
    return found != nullptr ? static_cast<const char*>(found) : end;
  };
  const char* next_cr = next(p, '\r');
  const char* next_lf = next(p, '\n');
  while (p < end) {
    if (next_cr < p) next_cr = next(p, '\r');
    if (next_lf < p) next_lf = next(p, '\n');
    const char* const line_end = std::min(next_cr, next_lf);
    const std::size_t length = static_cast<std::size_t>(line_end - p);
    if (length > 0) {
      std::string line(length / 2, '\0');
      for (std::size_t i = 0; i < length / 2; ++i) {
        const std::uint8_t hi = kHex[static_cast<unsigned char>(p[2 * i])];
        const std::uint8_t lo = kHex[static_cast<unsigned char>(p[2 * i + 1])];
        if (hi == kNotHex || lo == kNotHex) {
          result.complete = false;  // the lines before this one stay
          return result;
        }
        line[i] = static_cast<char>(((hi << 4) | lo) ^ kScriptKey[key]);
        if (++key == kScriptKeyLength) key = 0;
      }
      result.lines.push_back(std::move(line));
    }
    p = line_end;
    while (p < end && (*p == '\r' || *p == '\n')) ++p;
  }
  return result;
}

std::string EncodeScript(const std::vector<std::string>& lines) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  std::size_t total = 0;
  for (const auto& line : lines) total += 2 * line.size() + 2;
  out.reserve(total);
  std::size_t key = 0;
  for (const std::string& line : lines) {
    for (char c : line) {
      const auto v = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) ^ kScriptKey[key]);
      out += kDigits[v >> 4];
      out += kDigits[v & 0xF];
      if (++key == kScriptKeyLength) key = 0;
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace zunk
