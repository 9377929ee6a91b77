// The body of restart.
#include "game/restart.h"

#include <string>

#include "game/game.h"
#include "game/timers.h"

namespace zunk {

void RestartGame(Game& game, std::string_view start_script) {
  game.screen().hud_on = false;
  SetPeriodicTimer(game, false, 0);
  game.ShowPage(BookPage::Screen);

  // A data file that is not available keeps its lines, except the ignored words, which fall
  // back to the built-in list.
  World& world = game.world();
  if (!game.LoadDataFile(".ign", world.ignored_words)) {
    world.ignored_words.SetText(kDefaultIgnoredWords);
  }
  game.LoadDataFile(".plr", world.word_list);
  game.LoadDataFile(".vrb", world.verb_list);
  game.LoadDataFile(".msg", world.message_list);
  game.LoadDataFile(".obj", world.object_list);

  world.ClearRegisters();
  for (int i = 2; i <= kSpecialScripts; ++i) world.fncdef[i].clear();
  if (!start_script.empty()) world.fncdef[1] = std::string(start_script);

  game.links().DeactivateAll();

  game.output().ClearOutput();
  // The panels show nothing until they are next drawn, and no cell stands for an object.
  ObjectPanels& panels = game.panels();
  panels.loc.Fill(kMagenta);
  panels.jog.Fill(kMagenta);
  panels.loc_slots.fill(0);
  panels.jog_slots.fill(0);
  game.host().ShowPanels();
}

}  // namespace zunk
