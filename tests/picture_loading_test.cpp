// Picture loading: bitmaps of every depth, JPEG and ".img" pictures, ".zip" archives and their
// extraction, the panel picture cache, and the refusal of damaged or hostile files.
#include <unistd.h>

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

std::string Le(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A BMP with a 40-byte info header; extra (masks, palette) sits between header and pixels.
std::string Bmp(std::int32_t width, std::int32_t height, int bits, const std::string& extra,
                const std::string& pixels, std::uint32_t compression = 0,
                std::uint32_t colours_used = 0) {
  const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(extra.size());
  return "BM" + Le(offset + pixels.size(), 4) + Le(0, 4) + Le(offset, 4) + Le(40, 4) +
         Le(width, 4) + Le(height, 4) + Le(1, 2) + Le(bits, 2) + Le(compression, 4) +
         Le(pixels.size(), 4) + Le(0, 8) + Le(colours_used, 4) + Le(0, 4) + extra + pixels;
}

std::string Entry(int r, int g, int b) {
  return {char(b), char(g), char(r), '\0'};
}

const Colour kRed = MakeColour(255, 0, 0);
const Colour kGreen = MakeColour(0, 255, 0);
const Colour kBlue = MakeColour(0, 0, 255);

// Three 16 × 16 blocks, red, green and blue, side by side.
Picture ThreeBlocks() {
  Picture picture(48, 16, kRed);
  picture.FillRect(16, 0, 16, 16, kGreen);
  picture.FillRect(32, 0, 16, 16, kBlue);
  return picture;
}

void ExpectNear(Colour actual, Colour expected, int tolerance = 12) {
  EXPECT_NEAR(RedOf(actual), RedOf(expected), tolerance);
  EXPECT_NEAR(GreenOf(actual), GreenOf(expected), tolerance);
  EXPECT_NEAR(BlueOf(actual), BlueOf(expected), tolerance);
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
  for (int x = 0; x < 16; ++x) row += sample;
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[] = {reinterpret_cast<JSAMPROW>(row.data())};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

// Rewrites the uncompressed size of every entry, in the local and the central headers.
std::string WithDeclaredSize(std::string zip, std::uint32_t size) {
  for (std::size_t at = 0; (at = zip.find("PK\x03\x04", at)) != std::string::npos; at += 4) {
    zip.replace(at + 22, 4, Le(size, 4));
  }
  for (std::size_t at = 0; (at = zip.find("PK\x01\x02", at)) != std::string::npos; at += 4) {
    zip.replace(at + 24, 4, Le(size, 4));
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
  // 1 bit, bottom-up: the file's first row is the picture's last.
  WriteFile("um.bmp", Bmp(3, 2, 1, Entry(0, 0, 0) + Entry(255, 0, 0),
                          std::string("\xA0\0\0\0", 4) + std::string("\x40\0\0\0", 4)));
  Picture one = Load("um.bmp");
  ASSERT_EQ(one.width(), 3);
  ASSERT_EQ(one.height(), 2);
  EXPECT_EQ(one.Pixel(0, 0), kBlack);
  EXPECT_EQ(one.Pixel(1, 0), kRed);
  EXPECT_EQ(one.Pixel(0, 1), kRed);
  EXPECT_EQ(one.Pixel(2, 1), kRed);

  // 4 bits, top-down, three palette entries declared (more stored): index 5 lies beyond them
  // and is black.
  WriteFile("quatro.bmp",
            Bmp(3, -2, 4,
                Entry(255, 255, 255) + Entry(0, 255, 0) + Entry(0, 0, 255) + Entry(9, 9, 9) +
                    Entry(9, 9, 9) + Entry(9, 9, 9),
                std::string("\x12\x50\0\0", 4) + std::string("\x00\x10\0\0", 4), 0, 3));
  Picture four = Load("quatro.bmp");
  EXPECT_EQ(four.Pixel(0, 0), kGreen);
  EXPECT_EQ(four.Pixel(1, 0), kBlue);
  EXPECT_EQ(four.Pixel(2, 0), kBlack);
  EXPECT_EQ(four.Pixel(0, 1), kWhite);
  EXPECT_EQ(four.Pixel(2, 1), kGreen);

  // 8 bits with fewer palette entries than the depth allows (none declared).
  WriteFile("oito.bmp",
            Bmp(2, 1, 8, Entry(0, 0, 255) + Entry(10, 20, 30), std::string("\x01\x00\0\0", 4)));
  Picture eight = Load("oito.bmp");
  EXPECT_EQ(eight.Pixel(0, 0), MakeColour(10, 20, 30));
  EXPECT_EQ(eight.Pixel(1, 0), kBlue);

  // The old 12-byte header: 16-bit sizes and palette entries of three bytes.
  const std::uint32_t offset = 14 + 12 + 6;
  WriteFile("antigo.bmp", "BM" + Le(offset + 4, 4) + Le(0, 4) + Le(offset, 4) + Le(12, 4) +
                              Le(2, 2) + Le(1, 2) + Le(1, 2) + Le(8, 2) +
                              std::string("\x00\x00\xFF\x1E\x14\x0A", 6) +
                              std::string("\x01\x00\0\0", 4));
  Picture old = Load("antigo.bmp");
  EXPECT_EQ(old.Pixel(0, 0), MakeColour(10, 20, 30));
  EXPECT_EQ(old.Pixel(1, 0), kRed);

  // 24 bits, bottom-up, rows padded to four bytes.
  WriteFile("vinte.bmp", Bmp(1, 2, 24, "", std::string("\x00\x00\xFF\0\xFF\x00\x00\0", 8)));
  Picture twenty_four = Load("vinte.bmp");
  EXPECT_EQ(twenty_four.Pixel(0, 0), kBlue);
  EXPECT_EQ(twenty_four.Pixel(0, 1), kRed);

  // 32 bits plain (B, G, R, X) and with masks (R, G, B, X), 16 bits 5-5-5.
  WriteFile("trinta.bmp", Bmp(2, -1, 32, "", std::string("\x01\x02\x03\xFF\x04\x05\x06\x00", 8)));
  EXPECT_EQ(Load("trinta.bmp").Pixel(1, 0), MakeColour(6, 5, 4));
  WriteFile("mascara.bmp", Bmp(1, 1, 32, Le(0xFF, 4) + Le(0xFF00, 4) + Le(0xFF0000, 4),
                               std::string("\x0A\x0B\x0C\x00", 4), 3));
  EXPECT_EQ(Load("mascara.bmp").Pixel(0, 0), MakeColour(0x0A, 0x0B, 0x0C));
  WriteFile("dezesseis.bmp", Bmp(2, 1, 16, "", Le(0x7C00, 2) + Le(0x001F, 2)));
  Picture sixteen = Load("dezesseis.bmp");
  EXPECT_EQ(sixteen.Pixel(0, 0), kRed);
  EXPECT_EQ(sixteen.Pixel(1, 0), kBlue);
}

TEST_F(PictureLoadingTest, WrittenBitmapsAndJpegsComeBack) {
  const Picture blocks = ThreeBlocks();
  WriteFile("blocos.bmp", EncodeBmp24(blocks));
  EXPECT_EQ(Load("blocos.bmp"), blocks);

  WriteFile("blocos.jpg", EncodeJpeg(blocks));
  const Picture jpeg = Load("blocos.jpg");
  ASSERT_EQ(jpeg.width(), 48);
  ASSERT_EQ(jpeg.height(), 16);
  ExpectNear(jpeg.Pixel(8, 8), kRed);
  ExpectNear(jpeg.Pixel(24, 8), kGreen);
  ExpectNear(jpeg.Pixel(40, 8), kBlue);
}

TEST_F(PictureLoadingTest, GrayscaleAndCmykJpegsBecomeColourPictures) {
  WriteFile("cinza.jpg", SolidJpeg(JCS_GRAYSCALE, "\x80"));
  ExpectNear(Load("cinza.jpg").Pixel(5, 5), MakeColour(128, 128, 128), 2);
  // CMYK as Adobe stores it, inverted: no cyan, full magenta and yellow, no black is red.
  WriteFile("cmyk.jpg", SolidJpeg(JCS_CMYK, std::string("\xFF\x00\x00\xFF", 4)));
  ExpectNear(Load("cmyk.jpg").Pixel(5, 5), kRed, 4);
}

TEST_F(PictureLoadingTest, ScrambledPictureLoadsAsItsJpegAndLeavesThePlainFile) {
  const std::string jpeg = EncodeJpeg(ThreeBlocks());
  WriteFile("blocos.jpg", jpeg);
  WriteFile("blocos.img", EncodeImg(jpeg));
  EXPECT_EQ(Load("blocos.img"), Load("blocos.jpg"));
  EXPECT_EQ(ReadBytes(dir_.path() / "tmp.jpg"), jpeg);
}

TEST_F(PictureLoadingTest, ArchiveIsExtractedOnceAndItsBitmapReused) {
  const Picture blocks = ThreeBlocks();
  WriteFile(
      "cena.zip",
      MakeZip({{"cena.bmp", EncodeBmp24(blocks)}, {"extra/", ""}, {"extra/nota.txt", "ol\xE1"}}));
  EXPECT_EQ(Load("cena.zip"), blocks);
  EXPECT_EQ(ReadBytes(dir_.path() / "extra" / "nota.txt"), "ol\xE1");

  // The extracted bitmap is used from now on; the archive is not opened again.
  WriteFile("cena.zip", "not an archive");
  EXPECT_EQ(Load("cena.zip"), blocks);
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
  WriteFile("metade.jpg", jpeg.substr(0, jpeg.size() / 2));  // cut in its tables
  Picture noise(64, 64);
  for (int i = 0; i < 64 * 64; ++i) noise.SetPixel(i % 64, i / 64, (i * 2654435761u) & 0xFFFFFF);
  const std::string detailed = EncodeJpeg(noise);
  WriteFile("cortado.jpg", detailed.substr(0, detailed.size() - 200));  // cut in its pixel data
  WriteFile("lixo.jpg", "\xFF\xD8\xFF\xE0 not really a jpeg at all");
  WriteFile("vazio.img", "");
  WriteFile("enorme.bmp", Bmp(100000, 100000, 24, "", std::string(16, '\0')));
  WriteFile("largura.bmp", Bmp(-4, 1, 24, "", std::string(16, '\0')));
  WriteFile("altura.bmp", Bmp(4, 0, 24, "", std::string(16, '\0')));
  WriteFile("curto.bmp", Bmp(4, 4, 24, "", std::string(40, '\0')));  // 48 bytes needed
  WriteFile("rle.bmp", Bmp(2, 2, 8, Entry(0, 0, 0), std::string(8, '\0'), 1));
  std::string far_offset = Bmp(1, 1, 24, "", std::string(4, '\0'));
  far_offset.replace(10, 4, Le(0xFFFFFFF0u, 4));
  WriteFile("longe.bmp", far_offset);
  WriteFile("cabecalho.bmp", "BM\x10");
  WriteFile("sem.zip", MakeZip({{"outra.bmp", EncodeBmp24(ThreeBlocks())}}));
  for (const char* name :
       {"metade.jpg", "cortado.jpg", "lixo.jpg", "vazio.img", "enorme.bmp", "largura.bmp",
        "altura.bmp", "curto.bmp", "rle.bmp", "longe.bmp", "cabecalho.bmp", "sem.zip"}) {
    ExpectRefused(name);
  }

  // From a script line the fault ends the run and reaches the error display.
  RunLines({"tela lixo.jpg", "reg 1,7"});
  ASSERT_EQ(host_.errors.size(), 1u);
  EXPECT_EQ(host_.errors[0], "Imagem inv\xE1lida: lixo.jpg");
  EXPECT_EQ(world().reg[1], 0);
}

TEST_F(PictureLoadingTest, ArchiveEntriesCannotLeaveTheGameFolder) {
  const std::string tag = std::to_string(::getpid());
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
  // With no bitmap written the load is refused rather than reading anything outside.
  ExpectRefused("fuga.zip");
}

TEST_F(PictureLoadingTest, OversizedEntriesAreNotUnpacked) {
  // A tiny entry whose headers claim two gigabytes.
  WriteFile("mentira.zip",
            WithDeclaredSize(MakeZip({{"mentira.bmp", EncodeBmp24(ThreeBlocks())}}), 0x7FFFFFF0u));
  EXPECT_EQ(ExtractArchive(game(), "mentira.zip"), 0);
  // An entry that really unpacks past the module's limit, declared large and declared small.
  const std::string zeros(65 * 1024 * 1024 + 1, '\0');
  const std::string big = MakeZip({{"zeros.bmp", zeros}});
  WriteFile("zeros.zip", big);
  EXPECT_EQ(ExtractArchive(game(), "zeros.zip"), 0);
  WriteFile("zeros.zip", WithDeclaredSize(big, 1000));
  EXPECT_EQ(ExtractArchive(game(), "zeros.zip"), 0);
  EXPECT_FALSE(fs::exists(dir_.path() / "zeros.bmp"));
  ExpectRefused("zeros.zip");
}

TEST_F(PictureLoadingTest, CacheReusesAPictureWhileItsFileIsUnchanged) {
  const Picture blocks = ThreeBlocks();
  WriteFile("obj.bmp", EncodeBmp24(blocks));
  Picture picture;
  ASSERT_TRUE(LoadPictureCached(game(), picture, "obj.bmp"));
  EXPECT_EQ(picture, blocks);

  // Same size and time: the cached picture is used, the damaged file is not read.
  const fs::path path = dir_.path() / "obj.bmp";
  const auto time = fs::last_write_time(path);
  std::string damaged = EncodeBmp24(blocks);
  damaged[0] = 'X';
  WriteFile("obj.bmp", damaged);
  fs::last_write_time(path, time);
  Picture again;
  ASSERT_TRUE(LoadPictureCached(game(), again, "obj.bmp"));
  EXPECT_EQ(again, blocks);

  // A new time means a new decode.
  fs::last_write_time(path, time + std::chrono::seconds(5));
  EXPECT_THROW(LoadPictureCached(game(), again, "obj.bmp"), ScriptFault);

  // So does a new size at the same time.
  WriteFile("obj.bmp", EncodeBmp24(blocks));
  fs::last_write_time(path, time);
  ASSERT_TRUE(LoadPictureCached(game(), again, "obj.bmp"));
  WriteFile("obj.bmp", EncodeBmp24(Picture(2, 2, kGreen)));
  fs::last_write_time(path, time);
  ASSERT_TRUE(LoadPictureCached(game(), again, "obj.bmp"));
  EXPECT_EQ(again, Picture(2, 2, kGreen));

  // Availability is still asked every time: a missing file is not served from the cache.
  fs::remove(path);
  EXPECT_FALSE(LoadPictureCached(game(), again, "obj.bmp"));
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
