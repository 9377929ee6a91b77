// How the game starts its updater zunk-atualiza: the command line (the access code first, then
// the game folder, the base URL, the game's process id and the command that starts the game
// again) and the login and password, which never travel on a command line or in the
// environment: the game writes them into a pipe on the updater's standard input.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zunk {

inline constexpr const char* kUpdaterProgram = "zunk-atualiza";
inline constexpr const char* kAccessCodePrefix = "9k41p2w ";

// zunk-atualiza CODE --pasta DIR --url URL --pid PID [--login-stdin] [-- RESTART...]
struct UpdaterCommand {
  std::string program;      // the updater's path (not part of the arguments)
  std::string access_code;  // "9k41p2w " + base name, UTF-8
  std::string game_dir;
  std::string url;    // UTF-8
  long game_pid = 0;  // 0: no process to wait for
  bool login_on_stdin = true;
  std::vector<std::string> restart;  // the program and arguments that start the game again
};

struct Credentials {
  std::string user;      // UTF-8
  std::string password;  // UTF-8
};

std::vector<std::string> UpdaterArguments(const UpdaterCommand& command);
// Nothing when the arguments are not an updater's command line.
std::optional<UpdaterCommand> ParseUpdaterArguments(const std::vector<std::string>& arguments);

// Starts the updater in a session of its own with the credentials waiting on its standard
// input; its process id, or -1 when it could not be started.
long LaunchUpdater(const UpdaterCommand& command, const Credentials& credentials);

// The credentials as written into the pipe, and read back (at most a few kilobytes).
std::string EncodeCredentials(const Credentials& credentials);
Credentials ReadCredentials(int fd);

}  // namespace zunk
