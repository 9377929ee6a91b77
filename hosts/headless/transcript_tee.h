// A stream buffer that passes everything to another buffer and keeps a copy, so the player's
// transcript reaches standard output and can still be compared at the end.
#pragma once

#include <streambuf>
#include <string>

namespace zunk {

class TeeBuffer : public std::streambuf {
 public:
  explicit TeeBuffer(std::streambuf* target) : target_(target) {}
  const std::string& copy() const { return copy_; }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    copy_ += traits_type::to_char_type(c);
    return target_->sputc(traits_type::to_char_type(c));
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    copy_.append(s, static_cast<std::size_t>(n));
    return target_->sputn(s, n);
  }
  int sync() override { return target_->pubsync(); }

 private:
  std::streambuf* target_;
  std::string copy_;
};

}  // namespace zunk
