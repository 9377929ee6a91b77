// The loopback web server of the HTTP tests (tests/http_server.py) as an object: it serves a
// folder of its own behind a login and counts the requests it answers, on its side.
#pragma once

#include <signal.h>

#include <cstdio>
#include <string>

#include "test_support.h"

namespace zunk::testing {

class TestHttpServer {
 public:
  static constexpr const char* kUser = "jogador";
  static constexpr const char* kPassword = "segredo";

  TestHttpServer() {
    ::setenv("no_proxy", "127.0.0.1", 1);  // no proxy from the environment in between
    const std::string command = "exec python3 -I '" + std::string(ZUNK_TEST_DATA_DIR) +
                                "/http_server.py' '" + root_.path().string() + "' " + kUser + " " +
                                kPassword + " '" + log_path() + "'";
    pipe_ = ::popen(command.c_str(), "r");
    if (pipe_ == nullptr || std::fscanf(pipe_, "%d %d", &port_, &pid_) != 2) port_ = 0;
  }
  ~TestHttpServer() {
    if (pid_ > 0) ::kill(pid_, SIGKILL);
    if (pipe_ != nullptr) ::pclose(pipe_);
  }
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  bool running() const { return port_ > 0; }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
  const std::filesystem::path& root() const { return root_.path(); }
  void Serve(const std::string& utf8_name, const std::string& bytes) {
    WriteBytes(root_.path() / utf8_name, bytes);
  }
  // The paths asked for since the last call, in order.
  Strings TakeRequests() {
    Strings requests;
    std::string line;
    std::istringstream in(ReadBytes(log_path()));
    while (std::getline(in, line)) requests.push_back(line);
    std::filesystem::remove(log_path());
    return requests;
  }

 private:
  std::string log_path() const { return (log_dir_.path() / "requests.log").string(); }

  TempDir root_;
  TempDir log_dir_;
  FILE* pipe_ = nullptr;
  int pid_ = -1;
  int port_ = 0;
};

}  // namespace zunk::testing
