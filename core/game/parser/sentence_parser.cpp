// Sentence parsing: counters, normalisation, ignored words, verb and word lookup, directions,
// pronoun and list sentences, and script selection.
#include "game/parser/sentence_parser.h"

#include "game/game.h"
#include "game/object_panels.h"
#include "game/parser/script_names.h"
#include "game/parser/token_reader.h"
#include "game/world/sentence_text.h"

namespace zunk {
namespace {

constexpr int kUnknownVerbMessage = 1;
constexpr int kNoScriptMessage = 2;
constexpr int kNoWayMessage = 3;

// Registers wrap like the 32-bit integers they are.
std::int32_t Step(std::int32_t value, std::int32_t delta) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) +
                                   static_cast<std::uint32_t>(delta));
}

}  // namespace

void SentenceParser::Parse() {
  if (!CountSentence()) return;
  // The sentence lives in this call alone: a sentence entered while one of its scripts waits
  // refills Frase and parses it without touching this one.
  const std::string sentence = RaiseSentenceText(game_.frase + "@");
  game_.frase.clear();
  std::string echo = "] ";
  if (sentence.front() == '@') {
    RepeatLocation(echo);
    return;
  }

  World& world = game_.world();
  const bool list_sentence =
      sentence.find(" E ") != std::string::npos || sentence.find(',') != std::string::npos;
  const bool pronoun_sentence = sentence.find('-') != std::string::npos;
  for (int r = kRegFirstListWord; r <= kRegLastListWord; ++r) world.reg[r] = 0;

  TokenReader reader(sentence, IgnoredText(), echo);
  const auto verb = verbs_.FindAnywhere(world.verb_list, reader.Next());
  if (!verb) {
    ShowEcho(echo);
    Reply(kUnknownVerbMessage);
    return;
  }
  echo += verb->synonym;
  const std::int32_t verb_code = verb->line + 1;
  world.reg[kRegVerb] = verb_code;
  world.reg[kRegWord1] = 0;
  world.reg[kRegWord2] = 0;

  const int direction = verb_code % 128;
  if (direction >= 1 && direction <= 4) {
    ShowEcho(echo);
    Walk(direction);
    return;
  }
  ReadObjects(reader, pronoun_sentence, list_sentence, echo);
  ShowEcho(echo);
  SelectScripts(list_sentence);
}

bool SentenceParser::CountSentence() {
  auto& reg = game_.world().reg;
  reg[kRegSinceMove] = Step(reg[kRegSinceMove], 1);
  reg[kRegSinceStart] = Step(reg[kRegSinceStart], 1);
  if (reg[kRegCountUp] != 0) reg[kRegCountUp] = Step(reg[kRegCountUp], 1);
  if (reg[kRegCountDown] == 0) return true;
  reg[kRegCountDown] = Step(reg[kRegCountDown], -1);
  if (reg[kRegCountDown] != 0) return true;
  // The countdown ran out: the sentence stays in Frase and the countdown's script runs.
  const std::string script = game_.world().fncdef[2];
  if (!script.empty()) game_.interpreter().RunScript(script);
  return false;
}

void SentenceParser::RepeatLocation(const std::string& echo) {
  ShowEcho(echo);
  game_.ShowPage(BookPage::Screen);
  const std::string location = game_.world().local;
  if (!location.empty()) game_.interpreter().RunScript(location);
  RedrawPanels(game_);
}

std::optional<VocabularyMatch> SentenceParser::LookUpWord(std::string_view word) {
  auto match = words_.FindAtSynonymStart(game_.world().word_list, word);
  if (match) last_word_index = match->line;
  return match;
}

void SentenceParser::ReadObjects(TokenReader& reader, bool pronoun_sentence, bool list_sentence,
                                 std::string& echo) {
  World& world = game_.world();
  const std::string_view first = reader.Next();
  if (pronoun_sentence) {
    world.reg[kRegWord1] = pronoun_referent;
    // The word named last; a list made shorter since then has nothing to show.
    if (world.word_list.Has(last_word_index)) {
      echo += ' ';
      echo += world.word_list.Get(last_word_index);
    }
    if (const auto second = LookUpWord(first)) {
      world.reg[kRegWord2] = second->line + 1;
      echo += ' ';
      echo += second->synonym;
    }
    return;
  }

  const auto object = LookUpWord(first);
  if (!object) return;
  world.reg[kRegWord1] = object->line + 1;
  echo += ' ';
  echo += object->synonym;
  if (list_sentence) {
    for (int r = kRegFirstListWord; r <= kRegLastListWord; ++r) {
      const auto next = LookUpWord(reader.Next());
      if (!next) break;
      world.reg[r] = next->line + 1;
      echo += ' ';
      echo += next->synonym;
    }
  } else if (const auto second = LookUpWord(reader.Next())) {
    world.reg[kRegWord2] = second->line + 1;
    echo += ' ';
    echo += second->synonym;
  }
}

void SentenceParser::Walk(int direction) {
  const World& world = game_.world();
  const std::string* const exits[] = {&world.norte, &world.leste, &world.sul, &world.oeste};
  const std::string exit = *exits[direction - 1];
  if (!exit.empty()) game_.interpreter().GoToLocation(exit);
  const std::string script = GeneralScriptName(direction);
  if (game_.ScriptAvailable(script)) {
    game_.interpreter().RunFoundScript(script);
  } else {
    Reply(kNoWayMessage);
  }
}

void SentenceParser::SelectScripts(bool list_sentence) {
  World& world = game_.world();
  auto& reg = world.reg;
  pronoun_referent = reg[kRegWord1];
  int list_index = 3;
  for (;;) {
    std::string script = CodeScriptName(reg[kRegVerb], reg[kRegWord1], reg[kRegWord2]);
    if (!game_.ScriptAvailable(script)) {
      // A word of no object has no general script to fall back on.
      if (reg[kRegWord1] != 0 && world.FindObjectByWordCode(reg[kRegWord1]) == 0) break;
      script = GeneralScriptName(reg[kRegVerb]);
      if (!game_.ScriptAvailable(script)) break;
    }
    game_.interpreter().RunFoundScript(script);
    if (!list_sentence || list_index == 8 || reg[kRegVerb + list_index] == 0) return;
    // The next object of the list gets its own run, in an emptied message window.
    reg[kRegWord1] = reg[kRegVerb + list_index];
    ++list_index;
    pronoun_referent = reg[kRegWord1];
    game_.output().ClearMessages();
  }
  Reply(reg[kRegWord1] != 0 ? kNoScriptMessage : kUnknownVerbMessage);
}

void SentenceParser::ShowEcho(const std::string& echo) {
  game_.output().echo_line = echo;
  game_.output().ShowEcho();
}

void SentenceParser::Reply(int message) {
  const std::string* text = game_.world().Message(message);
  game_.output().ShowMessage(text ? *text : std::string());
}

const std::string& SentenceParser::IgnoredText() {
  const LineList& ignored = game_.world().ignored_words;
  if (!ignored_built_ || ignored_generation_ != ignored.generation()) {
    ignored_text_ = ignored.Text();
    ignored_generation_ = ignored.generation();
    ignored_built_ = true;
  }
  return ignored_text_;
}

}  // namespace zunk
