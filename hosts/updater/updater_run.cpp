// The updater's work.
#include "updater_run.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <thread>

#include "game/game.h"
#include "platform/cp1252.h"
#include "web/update_list.h"

extern char** environ;

namespace zunk {
namespace {

bool ProcessGone(long pid) {
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return true;
  // A process that has ended but was not yet reaped by its parent is a zombie: gone for us.
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  const std::size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

HttpResult Get(const std::string& url_cp1252, const std::string& name,
               const Credentials& credentials, const HttpLimits& limits) {
  HttpRequest request;
  request.url = EncodeBaseUrl(url_cp1252) + EncodeUrlPath(name);
  request.user = credentials.user;
  request.password = credentials.password;
  return CurlGet(request, limits);
}

}  // namespace

bool AccessCodeValid(const UpdaterCommand& command) {
  const std::string prefix = kAccessCodePrefix;
  if (command.access_code.size() <= prefix.size() ||
      command.access_code.compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  const std::string base_name = Utf8ToCp1252(command.access_code.substr(prefix.size()));
  return base_name.find('/') == std::string::npos && HoldsGame(command.game_dir, base_name);
}

bool WaitForProcessEnd(long pid, std::chrono::milliseconds limit) {
  if (pid <= 0) return true;
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!ProcessGone(pid)) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

UpdaterOutcome UpdateGameFiles(const GameFolder& folder, const std::string& url_utf8,
                               const Credentials& credentials, const HttpLimits& limits,
                               const UpdaterProgress& progress) {
  UpdaterOutcome outcome;
  const std::string url = Utf8ToCp1252(url_utf8);
  std::vector<UpdateEntry> entries;
  outcome.lists_read = true;
  for (const char* list_name : {"scripts.txt", "arquivos.txt"}) {
    const HttpResult list = Get(url, list_name, credentials, limits);
    if (!list.ok || !folder.Write(list_name, list.body)) {
      outcome.lists_read = false;
      continue;
    }
    for (UpdateEntry& entry : ParseUpdateList(list.body).entries) {
      if (entry.usable) entries.push_back(std::move(entry));
    }
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const UpdateEntry& entry = entries[i];
    if (progress) progress(entry.name, i, entries.size());
    ++outcome.checked;
    const auto stamp = folder.Stamp(entry.name);
    if (stamp && stamp->size == entry.size) continue;
    const HttpResult file = Get(url, entry.name, credentials, limits);
    // The whole file is in memory before it replaces the old one in a single rename.
    if (file.ok && folder.Write(entry.name, file.body)) {
      ++outcome.fetched;
    } else {
      ++outcome.failed;
    }
  }
  if (progress) progress("", entries.size(), entries.size());
  return outcome;
}

bool RestartGame(const std::vector<std::string>& command) {
  if (command.empty()) return false;
  std::vector<std::string> args = command;
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  const int failed =
      ::posix_spawnp(&pid, args[0].c_str(), nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  return failed == 0;
}

}  // namespace zunk
