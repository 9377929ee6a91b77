// Shared test helpers.
#include "test_support.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "script/script_codec.h"

namespace zunk::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zunk-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

void GameTest::WriteFile(const std::string& name, const std::string& bytes) {
  WriteBytes(dir_.path() / name, bytes);
}

void GameTest::WriteData(const std::string& extension, const std::string& text) {
  WriteFile(std::string(kBase) + extension, text);
}

void GameTest::WriteScript(const std::string& name, const std::vector<std::string>& lines) {
  WriteFile(name + ".scpt", EncodeScript(lines));
}

Game& GameTest::Start(const std::string& url) {
  GameConfig config;
  config.game_dir = dir_.path();
  config.base_name = kBase;
  config.url = url;
  game_ = std::make_unique<Game>(host_, config);
  return *game_;
}

void GameTest::RunLines(const std::vector<std::string>& lines) {
  WriteScript("t", lines);
  game_->RunScriptFromHost("t");
}

}  // namespace zunk::testing
