// The updater's command line and the credentials pipe.
#include "updater_command.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace zunk {

std::vector<std::string> UpdaterArguments(const UpdaterCommand& command) {
  std::vector<std::string> args = {command.access_code,
                                   "--pasta",
                                   command.game_dir,
                                   "--url",
                                   command.url,
                                   "--pid",
                                   std::to_string(command.game_pid)};
  if (command.login_on_stdin) args.emplace_back("--login-stdin");
  if (!command.restart.empty()) {
    args.emplace_back("--");
    args.insert(args.end(), command.restart.begin(), command.restart.end());
  }
  return args;
}

std::optional<UpdaterCommand> ParseUpdaterArguments(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  UpdaterCommand command;
  command.access_code = arguments[0];
  command.login_on_stdin = false;
  std::size_t i = 1;
  for (; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "--") {
      command.restart.assign(arguments.begin() + static_cast<long>(i) + 1, arguments.end());
      break;
    }
    if (option == "--login-stdin") {
      command.login_on_stdin = true;
      continue;
    }
    if (i + 1 >= arguments.size()) return std::nullopt;
    const std::string& value = arguments[++i];
    if (option == "--pasta") {
      command.game_dir = value;
    } else if (option == "--url") {
      command.url = value;
    } else if (option == "--pid") {
      char* end = nullptr;
      errno = 0;
      command.game_pid = std::strtol(value.c_str(), &end, 10);
      if (errno != 0 || end == value.c_str() || *end != '\0' || command.game_pid < 0) {
        return std::nullopt;
      }
    } else {
      return std::nullopt;
    }
  }
  if (command.game_dir.empty() || command.url.empty()) return std::nullopt;
  return command;
}

std::string EncodeCredentials(const Credentials& credentials) {
  std::string bytes = credentials.user;
  bytes += '\0';
  bytes += credentials.password;
  bytes += '\0';
  return bytes;
}

Credentials ReadCredentials(int fd) {
  constexpr std::size_t kMaxBytes = 8192;
  std::string bytes;
  char buffer[1024];
  while (bytes.size() < kMaxBytes) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  Credentials credentials;
  const std::size_t first = bytes.find('\0');
  if (first == std::string::npos) return credentials;
  const std::size_t second = bytes.find('\0', first + 1);
  if (second == std::string::npos) return credentials;
  credentials.user = bytes.substr(0, first);
  credentials.password = bytes.substr(first + 1, second - first - 1);
  return credentials;
}

long LaunchUpdater(const UpdaterCommand& command, const Credentials& credentials) {
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return -1;
  // Written before the start: a few bytes always fit into the pipe, and the updater reads
  // them whenever it likes, also after the game has ended.
  const std::string bytes = EncodeCredentials(credentials);
  const bool written =
      ::write(pipe_fds[1], bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  ::close(pipe_fds[1]);
  if (!written) {
    ::close(pipe_fds[0]);
    return -1;
  }
  std::vector<std::string> args = UpdaterArguments(command);
  args.insert(args.begin(), command.program);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[0], STDIN_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);  // outlives the game
  pid_t pid = 0;
  const int failed =
      ::posix_spawn(&pid, command.program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[0]);
  return failed == 0 ? static_cast<long>(pid) : -1;
}

}  // namespace zunk
