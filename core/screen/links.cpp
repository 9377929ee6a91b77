// The link table and the link command.
#include "screen/links.h"

#include "game/game.h"
#include "script/operands.h"

namespace zunk {
namespace {

std::uint8_t LowestByte(std::int32_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

Link* LinkTable::Current() {
  if (current < 0 || current >= kLinkCount) return nullptr;
  return &links[current];
}

void LinkTable::DeactivateAll() {
  for (Link& link : links) link.active = false;
}

void LinkCommand(Game& game, std::string_view args) {
  if (args.empty()) return;
  const World& world = game.world();
  Fields fields(TrimBlanks(args));
  const std::int32_t index = ValueOf(world, fields.Take());
  // The table holds ten links: any other index changes nothing, not even the current link.
  if (index < 0 || index >= kLinkCount) return;
  LinkTable& table = game.links();
  table.current = index;
  if (fields.rest().empty()) return;
  Link& link = table.links[index];
  if (fields.rest() == "off" || fields.rest() == "on") {
    link.active = fields.rest() == "on";
    return;
  }
  // Each field is kept as soon as it is read; a definition that runs out early leaves the
  // link as active or inactive as it was.
  for (std::int32_t* number : {&link.x, &link.y, &link.width, &link.height}) {
    *number = ValueOf(world, fields.Take());
    if (fields.rest().empty()) return;
  }
  link.cursor_code = LowestByte(ValueOf(world, fields.Take()));
  if (fields.rest().empty()) return;
  link.action_code = LowestByte(ValueOf(world, fields.Take()));
  if (fields.rest().empty()) return;
  link.argument.assign(fields.rest());
  link.active = true;
}

}  // namespace zunk
