// What the fuzz targets' seeds, dictionaries and game folder are made of: libFuzzer
// dictionary lines, the script language's command words, the names scripts use, the words of
// vocabulary files, the sentences of a walkthrough, and lowered screens.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/world/line_list.h"
#include "screen/picture.h"

namespace zunk::fuzz {

// One dictionary line: the bytes in double quotes, with quotes, backslashes and every byte
// outside printable ASCII written as \xNN.
std::string DictionaryEntry(std::string_view bytes);

// A dictionary file: each distinct non-empty word once, one a line, in byte order.
std::string DictionaryText(std::vector<std::string> words);

// The command words of the script language, in the order of the command table.
std::vector<std::string> CommandWords();

// The names script lines give: labels (":name" lines, as they stand) and the register names
// of "def" lines.
std::vector<std::string> ScriptNames(const std::vector<std::string>& lines);

// The words of a vocabulary file (verbs, words or ignored words): each line's synonyms,
// separated by ':'.
std::vector<std::string> VocabularyWords(const LineList& list);

// The sentences a walkthrough types, as CP1252: its lines (UTF-8) less blank ones and the
// console commands, which start with '!'.
std::vector<std::string> WalkthroughSentences(std::string_view utf8_text);

// The picture at the same width and a factor-th of the height (at least one row): every
// factor-th row, from the first.
Picture Lowered(const Picture& picture, int factor);

}  // namespace zunk::fuzz
