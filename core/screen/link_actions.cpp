// The ten link actions: go to a location, draw a picture, run a script, press a two-state
// button, run from a label, play a sound or a video, open a web page, enter a sentence,
// show a text.
#include "screen/link_actions.h"

#include <cstring>
#include <string>
#include <string_view>

#include "game/game.h"
#include "game/world/sentence_text.h"
#include "screen/picture_loader.h"
#include "screen/screen_commands.h"
#include "script/operands.h"
#include "script/script_codec.h"
#include "web/web_pages.h"

namespace zunk {
namespace {

// A script name as a link gives it: trimmed, and a name holding the script extension
// anywhere loses that many characters from its end.
std::string ScriptNameOf(std::string_view argument) {
  std::string name(TrimBlanks(argument));
  if (name.find(kScriptExt) != std::string::npos) {
    name.resize(name.size() - std::strlen(kScriptExt));
  }
  return name;
}

void GoToLocationLink(Game& game, const Link& link) {
  const std::string name = ScriptNameOf(link.argument);
  if (game.ScriptAvailable(name)) game.interpreter().GoToLocation(name);
}

void RunScriptLink(Game& game, const Link& link) {
  const std::string name = ScriptNameOf(link.argument);
  if (game.ScriptAvailable(name)) game.interpreter().RunFoundScript(name);
}

// The shape layer's picture, stretched to the link's rectangle.
void PictureLink(Game& game, const Link& link) {
  Screen& screen = game.screen();
  const std::string name(TrimBlanks(link.argument));
  if (name != screen.shape_name) {
    if (!LoadPicture(game, screen.shape_picture, name)) return;
    screen.shape_name = name;
  }
  const Picture& shape = screen.shape_picture;
  DrawKeyed(screen.screen_buffer, shape, link.x, link.y, 0, 0, shape.width(), shape.height(),
            link.width, link.height);
  RefreshScreen(game);
}

// One half of a two-state button picture (pressed on the left, released on the right),
// stretched to the link's rectangle.
void DrawButtonHalf(Game& game, const Link& link, bool released) {
  Screen& screen = game.screen();
  const Picture& strip = screen.frame_picture;
  const int half = strip.width() / 2;
  DrawKeyed(screen.screen_buffer, strip, link.x, link.y, released ? half : 0, 0, half,
            strip.height(), link.width, link.height);
  RefreshScreen(game);
}

void PressButtonLink(Game& game, const Link& link) {
  Screen& screen = game.screen();
  const std::string name(TrimBlanks(link.argument));
  if (name != screen.frame_name) {
    if (!LoadPicture(game, screen.frame_picture, name)) return;
    screen.frame_name = name;
  }
  DrawButtonHalf(game, link, false);
}

void RunFromLabelLink(Game& game, const Link& link) {
  Interpreter& interpreter = game.interpreter();
  if (interpreter.script_lines.Count() == 0) return;
  std::string label(TrimBlanks(link.argument));
  if (label.find(':') == std::string::npos) label = ":" + label;
  interpreter.RunFromLabel(interpreter.script_lines, label, interpreter.main_line);
}

void SoundLink(Game& game, const Link& link) {
  game.media().PlaySoundLink(link.argument);
}

void VideoLink(Game& game, const Link& link) {
  game.media().PlayVideoLink(link.argument, link);
}

void WebPageLink(Game& game, const Link& link) {
  const std::string page(TrimBlanks(link.argument));
  OpenGamePage(game, page, /*focus_input=*/false);
}

// As if the player had typed the sentence and pressed Return.
void SentenceLink(Game& game, const Link& link) {
  game.frase = UpperAscii(TrimBlanks(link.argument));
  if (!game.frase.empty()) game.parser().Parse();
}

void TextLink(Game& game, const Link& link) {
  game.output().ShowMessage(std::string(TrimBlanks(link.argument)));
}

}  // namespace

void StartLinkAction(Game& game, const Link& link) {
  switch (link.action_code) {
    case kLinkLocation:
      return GoToLocationLink(game, link);
    case kLinkPicture:
      return PictureLink(game, link);
    case kLinkScript:
      return RunScriptLink(game, link);
    case kLinkButton:
      return PressButtonLink(game, link);
    case kLinkLabel:
      return RunFromLabelLink(game, link);
    case kLinkSound:
      return SoundLink(game, link);
    case kLinkVideo:
      return VideoLink(game, link);
    case kLinkWebPage:
      return WebPageLink(game, link);
    case kLinkSentence:
      return SentenceLink(game, link);
    case kLinkText:
      return TextLink(game, link);
    default:
      return;  // 0 and codes above 10 do nothing
  }
}

void ReleaseButtonLink(Game& game, const Link& link) {
  Screen& screen = game.screen();
  // The name as stored, untrimmed; a picture that does not load leaves the last one in place,
  // and that one is drawn.
  if (link.argument != screen.frame_name &&
      LoadPicture(game, screen.frame_picture, link.argument)) {
    screen.frame_name = link.argument;
  }
  DrawButtonHalf(game, link, true);
}

}  // namespace zunk
