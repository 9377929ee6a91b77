// Picture loading: bitmaps of every depth, JPEG and ".img" pictures, ".zip" archives and their
// extraction, the panel picture cache, and the refusal of damaged or hostile files.

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

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

std::string Entry(int r, int g, int b) {
  return {char(b), char(g), char(r), '\0'};
}

const Colour kRed = MakeColour(255, 0, 0), kGreen = MakeColour(0, 255, 0), kBlue = 0xFF0000;

// Three 16 × 16 blocks, red, green and blue, side by side.
Picture ThreeBlocks() {
  Picture picture(48, 16, kRed);
  picture.FillRect(16, 0, 16, 16, kGreen);
  picture.FillRect(32, 0, 16, 16, kBlue);
  return picture;
}

void ExpectNear(Colour actual, Colour expected, int tolerance) {
  for (int shift : {0, 8, 16}) {
    EXPECT_NEAR(actual >> shift & 0xFF, expected >> shift & 0xFF, tolerance) << shift;
  }
}

// A 16 × 16 JPEG of one colour in a colour space EncodeJpeg does not write (grayscale, CMYK).
std::string SolidJpeg(J_COLOR_SPACE space, const std::string& sample) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = info.image_height = 16;
  info.input_components = static_cast<int>(sample.size());
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::string row;
  while (row.size() < 16 * sample.size()) row += sample;
  for (JSAMPROW rows[] = {reinterpret_cast<JSAMPROW>(row.data())}; info.next_scanline < 16;)
    jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

// Rewrites the uncompressed size of every entry, in the local and the central headers.
std::string WithDeclaredSize(std::string zip, std::uint32_t size) {
  for (const auto& [signature, field] : {std::pair{"PK\x03\x04", 22}, {"PK\x01\x02", 24}}) {
    for (std::size_t at = 0; (at = zip.find(signature, at)) != std::string::npos; at += 4)
      zip.replace(at + field, 4, Le(size, 4));
  }
  return zip;
}

class PictureLoadingTest : public GameTest {
 protected:
  void SetUp() override { Start(); }
  Picture Load(const std::string& name) {
    Picture picture;
    EXPECT_TRUE(LoadPicture(game(), picture, name)) << name;
    return picture;
  }
  // The load must fail with a fault and leave the picture as it was.
  void ExpectRefused(const std::string& name) {
    Picture picture(2, 2, kMagenta);
    EXPECT_THROW(LoadPicture(game(), picture, name), ScriptFault) << name;
    EXPECT_EQ(picture, Picture(2, 2, kMagenta)) << name;
  }
};

TEST_F(PictureLoadingTest, BitmapsOfEveryDepthAndOrientation) {
  const Colour dark = MakeColour(10, 20, 30);
  const auto px = [](int width, const std::vector<Colour>& pixels) {  // rows from the top
    Picture p(width, static_cast<int>(pixels.size()) / width);
    for (std::size_t i = 0; i < pixels.size(); ++i) p.SetPixel(i % width, i / width, pixels[i]);
    return p;
  };
  const std::uint32_t at = 14 + 12 + 6;  // the old 12-byte header, 3-byte palette entries
  const std::pair<std::string, Picture> cases[] = {
      // 1 bit, bottom-up: the file's first row is the picture's last.
      {Bmp(3, 2, 1, Entry(0, 0, 0) + Entry(255, 0, 0), "\xA0\0\0\0\x40\0\0\0"s),
       px(3, {kBlack, kRed, kBlack, kRed, kBlack, kRed})},
      // 4 bits, top-down, three palette entries declared (more stored): index 5 is black.
      {Bmp(3, -2, 4,
           Entry(255, 255, 255) + Entry(0, 255, 0) + Entry(0, 0, 255) + std::string(12, 9),
           "\x12\x50\0\0\x00\x10\0\0"s, 0, 3),
       px(3, {kGreen, kBlue, kBlack, kWhite, kWhite, kGreen})},
      // 8 bits with fewer palette entries than the depth allows (none declared).
      {Bmp(2, 1, 8, Entry(0, 0, 255) + Entry(10, 20, 30), "\x01\x00\0\0"s), px(2, {dark, kBlue})},
      {"BM" + Le(at + 4, 4) + Le(0, 4) + Le(at, 4) + Le(12, 4) + Le(2, 2) + Le(1, 2) + Le(1, 2) +
           Le(8, 2) + "\x00\x00\xFF\x1E\x14\x0A\x01\x00\0\0"s,
       px(2, {dark, kRed})},
      {Bmp(1, 2, 24, "", "\x00\x00\xFF\0\xFF\x00\x00\0"s), px(1, {kBlue, kRed})},  // padded rows
      // 32 bits plain (B, G, R, X) and with masks (R, G, B, X), 16 bits 5-5-5.
      {Bmp(2, -1, 32, "", "\x01\x02\x03\xFF\x04\x05\x06\x00"s), px(2, {0x010203, 0x040506})},
      {Bmp(1, 1, 32, Le(0xFF, 4) + Le(0xFF00, 4) + Le(0xFF0000, 4), "\x0A\x0B\x0C\x00"s, 3),
       px(1, {0x0C0B0A})},
      {Bmp(2, 1, 16, "", Le(0x7C00, 2) + Le(0x001F, 2)), px(2, {kRed, kBlue})},
  };
  for (const auto& [bytes, expected] : cases) {
    WriteFile("p.bmp", bytes);
    EXPECT_EQ(Load("p.bmp"), expected) << &bytes - &cases[0].first;
  }
}

TEST_F(PictureLoadingTest, WrittenPicturesComeBack) {
  const Picture blocks = ThreeBlocks();
  const std::string jpeg = EncodeJpeg(blocks);
  WriteFile("blocos.bmp", EncodeBmp24(blocks));
  EXPECT_EQ(Load("blocos.bmp"), blocks);
  WriteFile("blocos.jpg", jpeg);
  const Picture decoded = Load("blocos.jpg");
  ASSERT_EQ(std::pair(decoded.width(), decoded.height()), std::pair(48, 16));
  for (int x = 8; x < 48; x += 16) ExpectNear(decoded.Pixel(x, 8), blocks.Pixel(x, 8), 12);
  WriteFile("cinza.jpg", SolidJpeg(JCS_GRAYSCALE, "\x80"));
  ExpectNear(Load("cinza.jpg").Pixel(5, 5), MakeColour(128, 128, 128), 2);
  // CMYK as Adobe stores it, inverted: no cyan, full magenta and yellow, no black is red.
  WriteFile("cmyk.jpg", SolidJpeg(JCS_CMYK, "\xFF\x00\x00\xFF"s));
  ExpectNear(Load("cmyk.jpg").Pixel(5, 5), kRed, 4);
  // A scrambled picture loads as its JPEG and leaves the plain file.
  WriteFile("blocos.img", EncodeImg(jpeg));
  EXPECT_EQ(Load("blocos.img"), decoded);
  EXPECT_EQ(ReadBytes(dir_.path() / "tmp.jpg"), jpeg);
}

TEST_F(PictureLoadingTest, ArchiveIsExtractedOnceAndItsBitmapReused) {
  const Picture blocks = ThreeBlocks();
  WriteFile(
      "cena.zip",
      MakeZip({{"cena.bmp", EncodeBmp24(blocks)}, {"extra/", ""}, {"extra/nota.txt", "ol\xE1"}}));
  EXPECT_EQ(Load("cena.zip"), blocks);
  EXPECT_EQ(ReadBytes(dir_.path() / "extra" / "nota.txt"), "ol\xE1");
  // Later loads use the extracted bitmap as it now is; the archive is not unpacked again.
  const Picture edited(4, 2, 0x00FF00);
  WriteFile("cena.bmp", EncodeBmp24(edited));
  EXPECT_EQ(Load("cena.zip"), edited);
}

TEST_F(PictureLoadingTest, ScreenNameFollowsAvailabilityNotTheKind) {
  WriteFile("sala.JPG", EncodeJpeg(ThreeBlocks()));
  Screen& screen = game().screen();
  screen.screen_buffer = Picture(3, 3, kMagenta);
  EXPECT_FALSE(LoadScreen(game(), "sala.JPG"));  // the kind test is case-sensitive
  EXPECT_EQ(screen.screen_name, "sala.JPG");
  EXPECT_EQ(screen.screen_buffer, Picture(3, 3, kMagenta));
  EXPECT_FALSE(LoadScreen(game(), "nada.jpg"));  // not available: nothing changes
  EXPECT_EQ(screen.screen_name, "sala.JPG");
  WriteFile("sala.jpg", EncodeJpeg(ThreeBlocks()));
  EXPECT_TRUE(LoadScreen(game(), "sala.jpg"));
  EXPECT_EQ(screen.screen_buffer.width(), 48);
}

TEST_F(PictureLoadingTest, DamagedFilesAreRefusedAndLeaveThePictureAlone) {
  const std::string jpeg = EncodeJpeg(ThreeBlocks());
  Picture noise(64, 64);
  for (int i = 0; i < 64 * 64; ++i) noise.SetPixel(i % 64, i / 64, (i * 2654435761u) & 0xFFFFFF);
  const std::string detailed = EncodeJpeg(noise);
  std::string far_offset = Bmp(1, 1, 24, "", std::string(4, '\0'));
  far_offset.replace(10, 4, Le(0xFFFFFFF0u, 4));
  const std::string zeros(16, '\0');
  const std::pair<const char*, std::string> files[] = {
      {"metade.jpg", jpeg.substr(0, jpeg.size() / 2)},             // cut in its tables
      {"cortado.jpg", detailed.substr(0, detailed.size() - 200)},  // cut in its pixel data
      {"lixo.jpg", "\xFF\xD8\xFF\xE0 not really a jpeg at all"},
      {"vazio.img", ""},
      {"enorme.bmp", Bmp(100000, 100000, 24, "", zeros)},
      {"largura.bmp", Bmp(-4, 1, 24, "", zeros)},
      {"altura.bmp", Bmp(4, 0, 24, "", zeros)},
      {"curto.bmp", Bmp(4, 4, 24, "", std::string(40, '\0'))},  // 48 bytes needed
      {"rle.bmp", Bmp(2, 2, 8, Entry(0, 0, 0), std::string(8, '\0'), 1)},
      {"longe.bmp", far_offset},
      {"cabecalho.bmp", "BM\x10"},
      {"sem.zip", MakeZip({{"outra.bmp", EncodeBmp24(ThreeBlocks())}})},
  };
  for (const auto& [name, bytes] : files) {
    WriteFile(name, bytes);
    ExpectRefused(name);
  }
  // From a script line the fault ends the run and reaches the error display.
  RunLines({"tela lixo.jpg", "reg 1,7"});
  EXPECT_EQ(host_.errors, Strings{"Imagem inv\xE1lida: lixo.jpg"});
  EXPECT_EQ(world().reg[1], 0);
}

TEST_F(PictureLoadingTest, ArchivesCannotLeaveTheFolderNorUnpackTooMuch) {
  const std::string tag = dir_.path().filename().string();
  const fs::path above = dir_.path().parent_path() / ("zunk-fora-" + tag);
  const fs::path absolute = fs::temp_directory_path() / ("zunk-absoluto-" + tag);
  WriteFile("fuga.zip", MakeZip({{"../zunk-fora-" + tag, "x"},
                                 {absolute.string(), "x"},
                                 {"C:\\zunk-drive", "x"},
                                 {"sub/../../zunk-fora-" + tag, "x"},
                                 {"dentro/ok.txt", "ok"}}));
  EXPECT_EQ(ExtractArchive(game(), "fuga.zip"), 1);
  EXPECT_EQ(ReadBytes(dir_.path() / "dentro" / "ok.txt"), "ok");
  EXPECT_FALSE(fs::exists(above));
  EXPECT_FALSE(fs::exists(absolute));
  EXPECT_FALSE(fs::exists(dir_.path() / "C:\\zunk-drive"));
  ExpectRefused("fuga.zip");  // no bitmap written: nothing outside is read

  // A tiny entry whose headers claim two gigabytes; one that really unpacks past the module's
  // limit, declared large and declared small.
  const std::string lie = MakeZip({{"mentira.bmp", EncodeBmp24(ThreeBlocks())}});
  const std::string big = MakeZip({{"zeros.bmp", std::string(65 * 1024 * 1024 + 1, '\0')}});
  for (const std::string& zip :
       {WithDeclaredSize(lie, 0x7FFFFFF0u), big, WithDeclaredSize(big, 1000)}) {
    WriteFile("zeros.zip", zip);
    EXPECT_EQ(ExtractArchive(game(), "zeros.zip"), 0);
  }
  EXPECT_FALSE(fs::exists(dir_.path() / "zeros.bmp"));
  ExpectRefused("zeros.zip");
}

TEST_F(PictureLoadingTest, CacheReusesAPictureWhileItsFileIsUnchanged) {
  const Picture blocks = ThreeBlocks();
  const fs::path path = dir_.path() / "obj.bmp";
  Picture picture;
  const auto load = [&] { return LoadPictureCached(game(), picture, "obj.bmp"); };
  WriteFile("obj.bmp", EncodeBmp24(blocks));
  ASSERT_TRUE(load());
  EXPECT_EQ(picture, blocks);
  // Same size and time: the cached picture is used, the damaged file is not read.
  const auto time = fs::last_write_time(path);
  WriteFile("obj.bmp", "X" + EncodeBmp24(blocks).substr(1));
  fs::last_write_time(path, time);
  picture = Picture();
  ASSERT_TRUE(load());
  EXPECT_EQ(picture, blocks);
  fs::last_write_time(path, time + std::chrono::seconds(5));  // a new time: a new decode
  EXPECT_THROW(load(), ScriptFault);
  // So does a new size at the same time.
  WriteFile("obj.bmp", EncodeBmp24(blocks));
  fs::last_write_time(path, time);
  ASSERT_TRUE(load());
  WriteFile("obj.bmp", EncodeBmp24(Picture(2, 2, kGreen)));
  fs::last_write_time(path, time);
  ASSERT_TRUE(load());
  EXPECT_EQ(picture, Picture(2, 2, kGreen));
  fs::remove(path);  // availability is still asked: a missing file is not served from the cache
  EXPECT_FALSE(load());
}

TEST(ZipModuleTest, MissingModuleStopsStartUp) {
  TempDir dir;
  FakeHost host;
  try {
    Game game(host, GameConfig{dir.path(), "teste", "", dir.path() / "zipdll.so"});
    FAIL() << "the game started without its zip module";
  } catch (const StartupFailure& failure) {
    EXPECT_STREQ(failure.what(), "Falha na inicializa\xE7\xE3o da biblioteca zipdll.dll");
  }
}

}  // namespace
}  // namespace zunk::testing
