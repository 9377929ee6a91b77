// Fuzzes the script interpreter on a copy of the demo game. The input's lines run as a
// script, as a host runs one; when the first line is "!" the others run one at a time, as the
// editor runs single lines. A line budget ends a script's own endless loop; the fuzz host's
// pumps tick the timers, so timer runs start inside waiting runs. Each input runs twice, with
// the run loops reusing what they read of each line and reading every line from its text:
// the registers must end the same.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_game.h"
#include "game/world/line_list.h"
#include "script/script_codec.h"

namespace {

constexpr std::uint64_t kLineBudget = 160;
constexpr char kScriptName[] = "fuzz";
constexpr char kLineByLine[] = "!";

}  // namespace

namespace zunk {
namespace {

using Registers = std::array<std::int32_t, kRegisterCount + 1>;

Registers RunInput(const fuzz::FuzzFolder& folder, const std::vector<std::string>& lines,
                   bool line_reuse) {
  Registers registers{};
  {
    fuzz::FuzzGame fuzz_game(folder.path(), fuzz::kDemoBaseName, kLineBudget);
    Game& game = fuzz_game.game();
    game.random().seed(1);  // rnd draws the same numbers in both runs
    game.interpreter().SetLineReuse(line_reuse);
    if (!lines.empty() && lines.front() == kLineByLine) {
      for (std::size_t i = 1; i < lines.size(); ++i) game.ExecLineFromHost(lines[i]);
    } else {
      folder.Write(std::string(kScriptName) + kScriptExt, EncodeScript(lines));
      game.RunScriptFromHost(kScriptName);
    }
    // The event loop goes on: timers left on fall due once more.
    fuzz_game.host().PumpEvents();
    registers = game.world().reg;
  }
  folder.RemoveAdded();
  return registers;
}

}  // namespace
}  // namespace zunk

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zunk;
  static const fuzz::FuzzFolder folder(fuzz::PlayedGameDir());
  const std::vector<std::string> lines = SplitLines({reinterpret_cast<const char*>(data), size});
  if (RunInput(folder, lines, true) != RunInput(folder, lines, false)) std::abort();
  return 0;
}
