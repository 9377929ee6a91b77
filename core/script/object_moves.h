// Moving objects between the location, the player and containers: the plain moves that
// change a record silently, and the checked take, put-into and drop that answer the player.
#pragma once

#include <string_view>

namespace zunk {

class Game;
struct World;

// Loc := the player's name, Flags 1 := 'X', 8 := '.', one more object carried. No checks.
void GiveToPlayer(World& world, int record);
// Loc := Local, Flags 1 := '.', 8 := '.', one object fewer carried. No checks.
void LayDownHere(World& world, int record);

// The take, put-into and drop of the game's sentences: refusals and "Ok." go to the message
// window, and the panels are redrawn when an object moved. record -1 is no object.
void TakeChecked(Game& game, int record);
void PutIntoChecked(Game& game, int record, std::string_view container_operand);
void DropChecked(Game& game, int record);

}  // namespace zunk
