// zunk-fuzz-data DEMO_DIR TESTS_DATA_DIR SEEDS_DIR ZIP_MODULE OUT_DIR: writes the seed corpus
// (OUT_DIR/corpora/TARGET/) and the dictionary (OUT_DIR/dicts/TARGET.dict) of every fuzz
// target, made from the built demo game, the walkthroughs of the tests, the committed seeds
// (SEEDS_DIR/TARGET/) and small pictures written here; and the game folder the interpreter
// and sentence targets play (OUT_DIR/game/): the demo with lowered screens.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "corpus_words.h"
#include "fuzz_game.h"
#include "media_files.h"
#include "picture_file.h"
#include "picture_files.h"
#include "platform/game_folder.h"
#include "platform/zip_library.h"
#include "screen/bmp_decoder.h"
#include "screen/jpeg_decoder.h"
#include "script/script_codec.h"

namespace zunk::fuzz {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;
using namespace std::string_literals;

const Words kBmpWords = {"BM",
                         "\x0C\0\0\0"s,  // header sizes
                         "\x28\0\0\0"s,
                         "\x6C\0\0\0"s,
                         "\x7C\0\0\0"s,
                         "\x01\0"s,  // planes, 1 bit
                         "\x04\0"s,
                         "\x08\0"s,
                         "\x10\0"s,
                         "\x18\0"s,
                         "\x20\0"s,
                         "\x03\0\0\0"s,  // colour masks
                         "\xFF\xFF\xFF\xFF"s,
                         "\0\0\0\x80"s};

const Words kJpegWords = {"\xFF\xD8\xFF"s, "\xFF\xC0"s, "\xFF\xC1"s, "\xFF\xC2"s,
                          "\xFF\xC4"s,     "\xFF\xCC"s, "\xFF\xD9"s, "\xFF\xDA"s,
                          "\xFF\xDB"s,     "\xFF\xDD"s, "\xFF\xE0"s, "\xFF\xE1"s,
                          "\xFF\xEE"s,     "\xFF\xFE"s, "JFIF\0"s,   "Adobe"};

const Words kZipWords = {"PK\x03\x04"s, "PK\x01\x02"s, "PK\x05\x06"s, "PK\x06\x06"s,
                         "PK\x06\x07"s, "PK\x07\x08"s, kZipBitmap,    "/",
                         "../",         "\\",          "BM"};

const Words kSentenceWords = {",", " E ", "-", "@"};

const Words kScriptFileWords = {"\r\n", "\r", "\n"};

// One target's seed folder and dictionary.
class Corpus {
 public:
  Corpus(const fs::path& out, const std::string& target)
      : dir_(out / "corpora" / target), dictionary_(out / "dicts" / (target + ".dict")) {
    fs::create_directories(dir_);
    fs::create_directories(dictionary_.parent_path());
  }
  void Seed(const std::string& name, std::string_view bytes) const {
    std::ofstream(dir_ / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  // Copies in every file of the folder whose name ends with the extension ("": all).
  void CopySeeds(const fs::path& from, std::string_view extension) const {
    if (!fs::is_directory(from)) return;
    for (const auto& entry : fs::directory_iterator(from)) {
      if (entry.is_regular_file() && entry.path().string().ends_with(extension)) {
        fs::copy_file(entry.path(), dir_ / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
      }
    }
  }
  void Dictionary(Words words) const {
    std::ofstream(dictionary_, std::ios::binary) << DictionaryText(std::move(words));
  }

 private:
  fs::path dir_;
  fs::path dictionary_;
};

std::string ReadOrEmpty(const fs::path& path) {
  return ReadWholeFile(path).value_or("");
}

std::string JoinLines(const Words& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

void Append(Words& to, const Words& words) {
  to.insert(to.end(), words.begin(), words.end());
}

// A small picture of two colours, for seeds that decode quickly.
Picture SmallPicture() {
  Picture picture(16, 8, kWhite);
  picture.FillRect(0, 0, 8, 8, MakeColour(200, 40, 30));
  return picture;
}

// Demo scripts as the codec reads them and, decoded, as the interpreter's input (run as a
// script, and line by line); the interpreter's words are the command words and the names
// the scripts and the folder give.
void ScriptCorpora(const fs::path& demo, const fs::path& out) {
  const Corpus codec(out, "script_codec");
  const Corpus interpreter(out, "interpreter");
  codec.CopySeeds(demo, kScriptExt);
  Words words = CommandWords();
  for (const auto& entry : fs::directory_iterator(demo)) {
    const fs::path& path = entry.path();
    words.push_back(path.filename().string());
    words.push_back(path.stem().string());
    if (path.extension() != kScriptExt) continue;
    const Words lines = DecodeScript(ReadOrEmpty(path)).lines;
    interpreter.Seed(path.stem().string(), JoinLines(lines));
    interpreter.Seed(path.stem().string() + "-lines", "!\n" + JoinLines(lines));
    Append(words, ScriptNames(lines));
  }
  codec.Dictionary(kScriptFileWords);
  interpreter.Dictionary(words);
}

// Each sentence of the walkthroughs on a fresh game, and the first sentences of each
// walkthrough typed in order after the start script; the words are the demo's vocabulary.
void SentenceCorpus(const fs::path& demo, const fs::path& tests_data, const fs::path& out) {
  constexpr char kOneSentence = 0, kStartedLines = 3;
  constexpr std::size_t kPlayedSentences = 8;
  const Corpus corpus(out, "sentence");
  int n = 0;
  for (const std::string kind : {"", "_clicks", "_night", "_newcomer"}) {
    const Words sentences =
        WalkthroughSentences(ReadOrEmpty(tests_data / ("demo_walkthrough" + kind + ".txt")));
    for (const std::string& sentence : sentences) {
      corpus.Seed("sentence-" + std::to_string(++n), kOneSentence + sentence);
    }
    const Words played(sentences.begin(),
                       sentences.begin() + std::min(kPlayedSentences, sentences.size()));
    corpus.Seed("played" + kind, kStartedLines + JoinLines(played));
  }
  Words words = kSentenceWords;
  for (const char* extension : {".vrb", ".plr", ".ign"}) {
    Append(words, VocabularyWords(LineList(
                      SplitLines(ReadOrEmpty(demo / (std::string(kDemoBaseName) + extension))))));
  }
  corpus.Dictionary(words);
}

// The demo's pictures of each kind, the committed seeds, and small pictures of each kind.
void PictureCorpora(const fs::path& demo, const fs::path& seeds, const fs::path& out) {
  const std::string small_bmp = EncodeBmp24(SmallPicture());
  const std::string small_jpeg = EncodeJpeg(SmallPicture(), 75);

  const Corpus bmp(out, "bmp");
  bmp.CopySeeds(demo, ".bmp");
  bmp.CopySeeds(seeds / "bmp", "");
  bmp.Dictionary(kBmpWords);

  const Corpus jpeg(out, "jpeg");
  jpeg.CopySeeds(demo, ".jpg");
  jpeg.Seed("small.jpg", small_jpeg);
  jpeg.Dictionary(kJpegWords);

  const Corpus img(out, "img");
  img.CopySeeds(demo, ".img");
  img.Seed("small.img", EncodeImg(small_jpeg));
  Words scrambled_words = kJpegWords;
  for (std::string& word : scrambled_words) word = EncodeImg(word);
  img.Dictionary(scrambled_words);

  const Corpus zip(out, "zip");
  zip.CopySeeds(demo, ".zip");  // its bitmap has another name: extraction only
  zip.Seed("small.zip", MakeZip({{kZipBitmap, small_bmp}}));
  zip.Seed("folders.zip", MakeZip({{"sub/", ""},
                                   {"sub/deeper/note.txt", "ol\xE1"},
                                   {kZipBitmap, ReadOrEmpty(seeds / "bmp" / "8bit-used.bmp")}}));
  zip.Dictionary(kZipWords);
}

// The words of media headers and of MIDI tracks.
const Words kMediaWords = {"RIFF",  "WAVE",  "AVI ",          "fmt ",          "data",
                           "LIST",  "MThd",  "MTrk",          "\0\0\0\6"s,     "OggS",
                           "ID3",   "ftyp",  "\xFF\xFB\x90"s, "\xFF\x51\x03"s, "\xFF\x2F\x00"s,
                           "\xF0"s, "\x90"s, "\xE7\x28"s};

// The demo's sounds, tune and film, and small files of each kind.
void MediaCorpus(const fs::path& demo, const fs::path& out) {
  const Corpus media(out, "media");
  for (const char* extension : {".wav", ".mid", ".avi"}) media.CopySeeds(demo, extension);
  media.Seed("short.wav", EncodeWaveTone(20));
  media.Seed("tune.mid", EncodeMidiTune({{60, 240}, {67, 240}}, 300000));
  media.Seed("film.avi", EncodeMjpegAvi({SmallPicture()}, 2));
  media.Seed("ogg", "OggS\0\2\0\0\0\0\0\0\0\0\0\0"s);
  media.Seed("id3", "ID3\4\0\0\0\0\0\0"s);
  media.Seed("mp4",
             "\0\0\0\x18"
             "ftypmp42\0\0\0\0"s);
  media.Dictionary(kMediaWords);
}

// How much lower the screens of the played game are than the demo's.
constexpr int kLowering = 10;

std::string LoweredJpeg(const std::string& jpeg) {
  const auto picture = DecodeJpeg(jpeg);
  return picture ? EncodeJpeg(Lowered(*picture, kLowering)) : jpeg;
}

// The archive with each of its bitmaps lowered.
std::string LoweredArchive(ZipLibrary& zip, const fs::path& archive) {
  zip.OpenArchive(archive.string());
  std::vector<std::pair<std::string, std::string>> entries;
  for (std::string name : SplitLines(zip.ListEntries())) {
    std::string bytes = zip.ReadEntry(name).value_or("");
    if (const auto picture = DecodeBmp(bytes)) bytes = EncodeBmp24(Lowered(*picture, kLowering));
    std::replace(name.begin(), name.end(), '\\', '/');
    entries.emplace_back(name, bytes);
  }
  zip.CloseArchive();
  return MakeZip(entries);
}

// The demo game as the interpreter and sentence targets play it: its files, with every screen
// (a ".jpg", an ".img", the bitmaps of a ".zip") a tenth of its height, so that the
// transitions animating each screen cost a tenth as much.
void PlayedGame(const fs::path& demo, const fs::path& zip_module, const fs::path& out) {
  const auto zip = ZipLibrary::Load(zip_module);
  fs::create_directories(out);
  for (const auto& entry : fs::directory_iterator(demo)) {
    const fs::path& path = entry.path();
    std::string bytes = ReadOrEmpty(path);
    if (path.extension() == ".jpg") bytes = LoweredJpeg(bytes);
    if (path.extension() == ".img") bytes = EncodeImg(LoweredJpeg(EncodeImg(bytes)));
    if (path.extension() == ".zip") bytes = LoweredArchive(*zip, path);
    WriteFileAtomic(out / path.filename(), bytes);
  }
}

}  // namespace
}  // namespace zunk::fuzz

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: zunk-fuzz-data DEMO_DIR TESTS_DATA_DIR SEEDS_DIR ZIP_MODULE OUT_DIR\n";
    return 2;
  }
  const std::filesystem::path demo = argv[1], tests_data = argv[2], seeds = argv[3],
                              zip_module = argv[4], out = argv[5];
  zunk::fuzz::ScriptCorpora(demo, out);
  zunk::fuzz::SentenceCorpus(demo, tests_data, out);
  zunk::fuzz::PictureCorpora(demo, seeds, out);
  zunk::fuzz::MediaCorpus(demo, out);
  zunk::fuzz::PlayedGame(demo, zip_module, out / "game");
  return 0;
}
