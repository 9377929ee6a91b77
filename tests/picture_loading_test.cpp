// Picture loading: bitmaps of every depth, JPEG and ".img" pictures, ".zip" archives and their
// extraction, the panel picture cache, and the refusal of damaged or hostile files.

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

#include <fcntl.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "picture_files.h"
#include "screen/picture_loader.h"
#include "script/script_fault.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string Le(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A BMP with a 40-byte info header; extra (masks, palette) sits between header and pixels.
std::string Bmp(std::int32_t width, std::int32_t height, int bits, const std::string& extra,
                const std::string& pixels, std::uint32_t compression = 0, std::uint32_t used = 0) {
  const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(extra.size());
  return "BM" + Le(offset + pixels.size(), 4) + Le(0, 4) + Le(offset, 4) + Le(40, 4) +
         Le(width, 4) + Le(height, 4) + Le(1, 2) + Le(bits, 2) + Le(compression, 4) +
         Le(pixels.size(), 4) + Le(0, 8) + Le(used, 4) + Le(0, 4) + extra + pixels;
}

const Colour kRed = MakeColour(255, 0, 0), kGreen = MakeColour(0, 255, 0), kBlue = 0xFF0000;

// A one-pixel JPEG in a colour space EncodeJpeg does not write (grayscale, CMYK).
std::string SolidJpeg(J_COLOR_SPACE space, std::string sample) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = info.image_height = 1;
  info.input_components = static_cast<int>(sample.size());
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  JSAMPROW row = reinterpret_cast<JSAMPROW>(sample.data());
  jpeg_write_scanlines(&info, &row, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

class PictureLoadingTest : public GameTest {
 protected:
  void SetUp() override { Start(); }
  const Picture blocks_ = [] {  // red, green and blue 16 × 16 blocks side by side
    Picture p(48, 16, kRed);
    p.FillRect(16, 0, 16, 16, kGreen), p.FillRect(32, 0, 16, 16, kBlue);
    return p;
  }();
  Picture Load(const std::string& name, const std::string& bytes = "") {  // writes bytes if any
    if (!bytes.empty()) WriteFile(name, bytes);
    Picture picture;
    EXPECT_TRUE(LoadPicture(game(), picture, name)) << name;
    return picture;
  }
  void ExpectRefused(const std::string& name, const std::string& bytes) {  // and keep the picture
    WriteFile(name, bytes);
    Picture picture(2, 2, kMagenta);
    EXPECT_THROW(LoadPicture(game(), picture, name), ScriptFault) << name;
    EXPECT_EQ(picture, Picture(2, 2, kMagenta)) << name;
  }
};

TEST_F(PictureLoadingTest, BitmapsOfEveryDepthAndOrientation) {
  const auto px = [](int width, const std::vector<Colour>& pixels) {  // rows from the top
    Picture p(width, static_cast<int>(pixels.size()) / width);
    for (std::size_t i = 0; i < pixels.size(); ++i) p.SetPixel(i % width, i / width, pixels[i]);
    return p;
  };
  const std::uint32_t at = 14 + 12 + 6;  // the old 12-byte header, 3-byte palette entries
  const std::pair<std::string, Picture> cases[] = {
      // 1 bit, bottom-up: the file's first row is the picture's last.
      {Bmp(3, 2, 1, Le(0, 4) + Le(0xFF0000, 4), "\xA0\0\0\0\x40\0\0\0"s),
       px(3, {kBlack, kRed, kBlack, kRed, kBlack, kRed})},
      // 4 bits, top-down, three palette entries declared (more stored): index 5 is black.
      {Bmp(3, -2, 4, Le(0xFFFFFF, 4) + Le(0x00FF00, 4) + Le(0x0000FF, 4) + std::string(12, 9),
           "\x12\x50\0\0\x00\x10\0\0"s, 0, 3),
       px(3, {kGreen, kBlue, kBlack, kWhite, kWhite, kGreen})},
      // 8 bits with fewer palette entries than the depth allows (none declared).
      {Bmp(2, 1, 8, Le(0x0000FF, 4) + Le(0x0A141E, 4), "\x01\x00\0\0"s), px(2, {0x1E140A, kBlue})},
      {"BM" + Le(at + 4, 4) + Le(0, 4) + Le(at, 4) + Le(12, 4) + Le(2, 2) + Le(1, 2) + Le(1, 2) +
           Le(8, 2) + "\x00\x00\xFF\x1E\x14\x0A\x01\x00\0\0"s,
       px(2, {0x1E140A, kRed})},
      {Bmp(1, 2, 24, "", "\x00\x00\xFF\0\xFF\x00\x00\0"s), px(1, {kBlue, kRed})},  // padded rows
      // 32 bits plain (B, G, R, X) and with masks (R, G, B, X), 16 bits 5-5-5.
      {Bmp(2, -1, 32, "", "\x01\x02\x03\xFF\x04\x05\x06\x00"s), px(2, {0x010203, 0x040506})},
      {Bmp(1, 1, 32, Le(0xFF, 4) + Le(0xFF00, 4) + Le(0xFF0000, 4), "\x0A\x0B\x0C\x00"s, 3),
       px(1, {0x0C0B0A})},
      {Bmp(2, 1, 16, "", Le(0x7C00, 2) + Le(0x001F, 2)), px(2, {kRed, kBlue})},
      // Pixels far after the header: no palette for 24 bits, at most 256 entries for 8.
      {Bmp(1, 1, 24, std::string(400000, '\x55'), "\x01\x02\x03\0"s), px(1, {0x010203})},
      {Bmp(1, 1, 8, std::string(255 * 4, '\0') + Le(0x0A0B0C, 4) + std::string(4000, '\x77'),
           "\xFF\0\0\0"s),
       px(1, {0x0C0B0A})},
  };
  for (const auto& [bytes, expected] : cases)
    EXPECT_EQ(Load("p.bmp", bytes), expected) << &bytes - &cases[0].first;
}

TEST_F(PictureLoadingTest, WrittenPicturesComeBackAndScreenNameFollowsAvailability) {
  const auto ExpectNear = [](Colour actual, Colour expected, int tolerance) {
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(actual >> shift & 0xFF, expected >> shift & 0xFF, tolerance) << shift;
  };
  const std::string jpeg = EncodeJpeg(blocks_);
  const Picture decoded = Load("blocos.jpg", jpeg);
  ASSERT_EQ(std::pair(decoded.width(), decoded.height()), std::pair(48, 16));
  for (int x = 8; x < 48; x += 16) ExpectNear(decoded.Pixel(x, 8), blocks_.Pixel(x, 8), 12);
  ExpectNear(Load("cinza.jpg", SolidJpeg(JCS_GRAYSCALE, "\x80")).Pixel(0, 0), 0x808080, 2);
  // CMYK as Adobe stores it, inverted: no cyan, full magenta and yellow, no black is red.
  ExpectNear(Load("cmyk.jpg", SolidJpeg(JCS_CMYK, "\xFF\x00\x00\xFF"s)).Pixel(0, 0), kRed, 4);
  EXPECT_EQ(Load("blocos.img", EncodeImg(jpeg)), decoded);  // and leaves the plain JPEG
  EXPECT_EQ(ReadBytes(dir_.path() / "tmp.jpg"), jpeg);
  // ScreenName changes once the file is available, even if its kind (case-sensitive) is unknown.
  WriteFile("sala.JPG", jpeg);
  game().screen().screen_buffer = Picture(3, 3, kMagenta);
  EXPECT_FALSE(LoadScreen(game(), "sala.JPG"));
  EXPECT_FALSE(LoadScreen(game(), "nada.jpg"));
  EXPECT_EQ(std::pair(game().screen().screen_name, game().screen().screen_buffer),
            std::pair("sala.JPG"s, Picture(3, 3, kMagenta)));
  EXPECT_TRUE(LoadScreen(game(), "blocos.jpg"));
  EXPECT_EQ(game().screen().screen_buffer, decoded);
}

TEST_F(PictureLoadingTest, DamagedFilesAreRefusedAndLeaveThePictureAlone) {
  const std::string jpeg = EncodeJpeg(blocks_), zeros(16, '\0');
  const std::pair<const char*, std::string> files[] = {
      {"metade.jpg", jpeg.substr(0, jpeg.size() / 2)},    // cut in its tables
      {"cortado.jpg", jpeg.substr(0, jpeg.size() - 20)},  // cut in its pixel data
      {"lixo.jpg", "\xFF\xD8\xFF\xE0 not really a jpeg at all"},
      {"vazio.img", ""},
      {"enorme.bmp", Bmp(100000, 100000, 24, "", zeros)},
      {"largura.bmp", Bmp(-4, 1, 24, "", zeros)},
      {"altura.bmp", Bmp(4, 0, 24, "", zeros)},
      {"curto.bmp", Bmp(4, 4, 24, "", std::string(40, '\0'))},  // 48 bytes needed
      {"rle.bmp", Bmp(2, 2, 8, Le(0, 4), std::string(8, '\0'), 1)},
      {"longe.bmp", Bmp(1, 1, 24, "", zeros).replace(10, 4, Le(0xFFFFFFF0u, 4))},
      {"cabecalho.bmp", "BM\x10"},
      {"sem.zip", MakeZip({{"outra.bmp", EncodeBmp24(blocks_)}})},
  };
  for (const auto& [name, bytes] : files) ExpectRefused(name, bytes);
  // From a script line the fault ends the run and reaches the error display.
  RunLines({"tela lixo.jpg", "reg 1,7"});
  EXPECT_EQ(host_.errors, Strings{"Imagem inv\xE1lida: lixo.jpg"});
  EXPECT_EQ(world().reg[1], 0);
}

TEST_F(PictureLoadingTest, ArchivesAreExtractedOnceAndCannotLeaveTheFolderNorUnpackTooMuch) {
  const std::string scene =
      MakeZip({{"cena.bmp", EncodeBmp24(blocks_)}, {"extra/", ""}, {"extra/nota.txt", "ol\xE1"}});
  EXPECT_EQ(Load("cena.zip", scene), blocks_);
  EXPECT_EQ(ReadBytes(dir_.path() / "extra" / "nota.txt"), "ol\xE1");
  WriteFile("cena.bmp", EncodeBmp24(Picture(4, 2, kGreen)));  // later loads use it as it now is
  EXPECT_EQ(Load("cena.zip"), Picture(4, 2, kGreen));
  const std::string tag = dir_.path().filename().string();
  const fs::path above = dir_.path().parent_path() / ("zunk-fora-" + tag),
                 absolute = fs::temp_directory_path() / ("zunk-absoluto-" + tag);
  std::vector<std::pair<std::string, std::string>> entries{{"dentro/ok.txt", "ok"}};
  for (std::string name : {"../" + above.filename().string(), absolute.string(), "C:\\zunk-drive"s,
                           "sub/../../" + above.filename().string()})
    entries.emplace_back(name, "x");
  WriteFile("fuga.zip", MakeZip(entries));
  EXPECT_EQ(ExtractArchive(game(), "fuga.zip"), 1);
  EXPECT_EQ(ReadBytes(dir_.path() / "dentro" / "ok.txt"), "ok");
  for (const fs::path& path : {above, absolute, dir_.path() / "C:\\zunk-drive"})
    EXPECT_FALSE(fs::exists(path)) << path;
  const auto declaring = [](std::string zip, std::uint32_t size) {  // in both headers of each
    for (const auto& [signature, field] : {std::pair{"PK\x03\x04", 22}, {"PK\x01\x02", 24}})
      for (std::size_t at = 0; (at = zip.find(signature, at)) != std::string::npos; at += 4)
        zip.replace(at + field, 4, Le(size, 4));
    return zip;
  };
  // Entries claiming two gigabytes, and one unpacking past the module's limit, declared either way.
  const std::string big = MakeZip({{"zeros.bmp", std::string(65 * 1024 * 1024 + 1, '\0')}});
  for (const std::string& zip : {declaring(scene, 0x7FFFFFF0u), big, declaring(big, 1000)}) {
    WriteFile("zeros.zip", zip);
    EXPECT_EQ(ExtractArchive(game(), "zeros.zip"), 0);
  }
  EXPECT_FALSE(fs::exists(dir_.path() / "zeros.bmp"));
}

TEST_F(PictureLoadingTest, ArchiveNamesAreBoundedAndAFailedArchiveIsTriedAgainOnlyOnceChanged) {
  std::string deep_32, deep_33, deep_20000;
  for (int i = 0; i < 32; ++i) deep_32 += "d/";
  deep_33 = deep_32 + "d/";
  for (int i = 0; i < 20000; ++i) deep_20000 += "a/";
  const std::string long_260 =
      std::string(100, 'x') + "/" + std::string(100, 'y') + "/" + std::string(54, 'z') + ".txt";
  const std::string long_261 = std::string(101, 'x') + long_260.substr(100);
  WriteFile("nomes.zip", MakeZip({{deep_32 + "ok.txt", "1"},
                                  {deep_33 + "no.txt", "2"},
                                  {deep_20000 + "no.txt", "3"},
                                  {long_260, "4"},
                                  {long_261, "5"}}));
  EXPECT_EQ(ExtractArchive(game(), "nomes.zip"), 2);
  EXPECT_EQ(ReadBytes(dir_.path() / (deep_32 + "ok.txt")) + ReadBytes(dir_.path() / long_260),
            "14");
  EXPECT_FALSE(fs::exists(dir_.path() / deep_33) || fs::exists(dir_.path() / "a") ||
               fs::exists(dir_.path() / long_261.substr(0, 101)));

  // An archive without its bitmap is unpacked once; again only when it has changed.
  WriteFile("falha.zip", MakeZip({{"nota.txt", "1"}}));
  const auto load_fails = [&] {
    Picture picture;
    EXPECT_THROW(LoadPicture(game(), picture, "falha.zip"), ScriptFault);
    return fs::exists(dir_.path() / "nota.txt");
  };
  EXPECT_TRUE(load_fails());
  fs::remove(dir_.path() / "nota.txt");
  EXPECT_FALSE(load_fails());
  const fs::path archive = dir_.path() / "falha.zip";
  fs::last_write_time(archive, fs::last_write_time(archive) + std::chrono::seconds(5));
  EXPECT_TRUE(load_fails());
}

// A game kept in a static ends in an exit handler, after the zip module's own state has gone:
// closing its archive then must touch nothing that was freed (seen under the sanitizers).
TEST(ZipModuleTest, AGameEndedAtExitAfterTheModuleStateEndsCleanly) {
  static TempDir dir;
  static FakeHost host;
  static const auto game = std::make_unique<Game>(host, GameConfig{dir.path(), "teste", "", {}});
  WriteBytes(dir.path() / "a.zip", MakeZip({{"a.txt", "a"}}));
  // Descriptors held open make the archive's path ("/proc/self/fd/N") long enough for the
  // module to keep it on the heap.
  std::vector<Fd> held;
  for (int i = 0; i < 12; ++i) held.emplace_back(::open("/dev/null", O_RDONLY | O_CLOEXEC));
  EXPECT_EQ(ExtractArchive(*game, "a.zip"), 1);
}

TEST_F(PictureLoadingTest, CacheReusesAPictureWhileItsFileIsUnchanged) {
  const std::string good = EncodeBmp24(blocks_), green = EncodeBmp24(Picture(2, 2, kGreen));
  const auto time = fs::file_time_type::clock::now() - std::chrono::hours(1);
  Picture picture;
  const auto put = [&](const std::string& bytes, fs::file_time_type at) {
    WriteFile("obj.bmp", bytes);
    fs::last_write_time(dir_.path() / "obj.bmp", at);
    picture = Picture();
    return LoadPictureCached(game(), picture, "obj.bmp");
  };
  ASSERT_TRUE(put(good, time));
  ASSERT_TRUE(put("X" + good.substr(1), time));  // same size and time: the damaged file is not read
  EXPECT_EQ(picture, blocks_);
  ASSERT_TRUE(put(green, time));  // a new size is decoded again, and so is a new time
  EXPECT_EQ(picture, Picture(2, 2, kGreen));
  EXPECT_THROW(put("X" + green.substr(1), time + std::chrono::seconds(5)), ScriptFault);
  fs::remove(dir_.path() / "obj.bmp");  // a missing file is not served from the cache
  EXPECT_FALSE(LoadPictureCached(game(), picture, "obj.bmp"));
}

}  // namespace
}  // namespace zunk::testing
