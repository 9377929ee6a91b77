// The game window's art: zunk-window-art is run into temporary folders and its files are read
// back with the core's BMP decoder, then checked against window_art.h and the window's rules
// for magenta (the outline, the lamp's glass) and for the flat text areas.
#include "window_art.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "screen/bmp_decoder.h"
#include "screen/picture.h"

namespace zunk {
namespace {

namespace fs = std::filesystem;
namespace art = window_art;
using art::ArtRect;

std::string MakeTempDir() {
  std::string pattern = (fs::temp_directory_path() / "zunk-window-art-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

// Runs the generator into the folder; its exit status.
int Generate(const fs::path& out_dir) {
  const std::string command =
      std::string("'") + ZUNK_WINDOW_ART_PATH + "' '" + out_dir.string() + "' 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file the window expects, by window_art.h.
std::set<std::string> ExpectedFiles() {
  std::set<std::string> names = {art::kBackgroundFile, art::kSettingsFile, art::kTickOnFile,
                                 art::kTickOffFile,    art::kLedFile,      art::kIconFile};
  for (const art::ArtButton& b : art::kButtons) {
    names.insert(art::ReleasedFile(b));
    names.insert(art::PressedFile(b));
  }
  names.insert(art::popup::kBackgroundFile);
  for (const art::ArtButton& b : art::popup::kButtons) {
    names.insert(art::popup::ReleasedFile(b));
    names.insert(art::popup::PressedFile(b));
  }
  return names;
}

// The number of magenta pixels, and of those not reached from the picture's border through
// magenta (holes in a shaped window that clicks would fall through).
std::pair<int, int> MagentaAndHoles(const Picture& p) {
  const int w = p.width(), h = p.height();
  std::vector<bool> reached(static_cast<std::size_t>(w) * h, false);
  std::vector<std::pair<int, int>> pending;
  auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h || reached[y * w + x]) return;
    if (p.Pixel(x, y) != kMagenta) return;
    reached[y * w + x] = true;
    pending.emplace_back(x, y);
  };
  for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
  for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
  while (!pending.empty()) {
    const auto [x, y] = pending.back();
    pending.pop_back();
    visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
  }
  int magenta = 0, holes = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (p.Pixel(x, y) != kMagenta) continue;
      ++magenta;
      if (!reached[y * w + x]) ++holes;
    }
  }
  return {magenta, holes};
}

ArtRect Grow(const ArtRect& r, int by) {
  return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by};
}

std::string Describe(const ArtRect& r) {
  std::ostringstream out;
  out << r.x << "," << r.y << " " << r.width << "x" << r.height;
  return out.str();
}

class WindowArtTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new std::string(MakeTempDir());
    status_ = Generate(fs::path(*root_) / "art");
  }
  static void TearDownTestSuite() {
    std::error_code ec;
    fs::remove_all(*root_, ec);
    delete root_;
    root_ = nullptr;
  }
  void SetUp() override { ASSERT_EQ(status_, 0); }

  static fs::path Dir() { return fs::path(*root_) / "art"; }
  static Picture Load(const std::string& name) {
    std::optional<Picture> picture = DecodeBmp(ReadBytes(Dir() / name));
    if (!picture) ADD_FAILURE() << name << " is not a readable BMP file";
    return picture.value_or(Picture());
  }

  static std::string* root_;
  static int status_;
};

std::string* WindowArtTest::root_ = nullptr;
int WindowArtTest::status_ = -1;

TEST_F(WindowArtTest, WritesExactlyTheFilesTheWindowAndTheInstallExpect) {
  std::set<std::string> written;
  for (const auto& entry : fs::directory_iterator(Dir())) {
    written.insert(entry.path().filename().string());
  }
  EXPECT_EQ(written, ExpectedFiles());
  // The build's list of outputs (installed as they are) names the same files.
  std::set<std::string> built;
  std::istringstream list(ZUNK_WINDOW_ART_FILES);
  for (std::string name; std::getline(list, name, ',');) built.insert(name);
  EXPECT_EQ(built, ExpectedFiles());
}

TEST_F(WindowArtTest, EveryPictureHasTheSizeTheWindowPlacesItAt) {
  struct Size {
    std::string name;
    int width, height;
  };
  std::vector<Size> sizes = {
      {art::kBackgroundFile, art::kWindowWidth, art::kWindowHeight},
      {art::kSettingsFile, art::kAbook.width, art::kAbook.height},
      {art::kLedFile, art::kLed.width, art::kLed.height},
      {art::kIconFile, art::kIconSize, art::kIconSize},
      {art::kTickOnFile, art::kTickSize, art::kTickSize},
      {art::kTickOffFile, art::kTickSize, art::kTickSize},
  };
  for (const art::ArtButton& b : art::kButtons) {
    sizes.push_back({art::ReleasedFile(b), b.width, b.height});
    sizes.push_back({art::PressedFile(b), b.width, b.height});
  }
  sizes.push_back({art::popup::kBackgroundFile, art::popup::kWidth, art::popup::kHeight});
  for (const art::ArtButton& b : art::popup::kButtons) {
    sizes.push_back({art::popup::ReleasedFile(b), b.width, b.height});
    sizes.push_back({art::popup::PressedFile(b), b.width, b.height});
  }
  for (const Size& s : sizes) {
    const Picture p = Load(s.name);
    EXPECT_EQ(p.width(), s.width) << s.name;
    EXPECT_EQ(p.height(), s.height) << s.name;
  }
}

// The window's outline is cut from the background's magenta: outside the outline, and only
// there, the background is magenta, and every element lies inside with a pixel to spare.
TEST_F(WindowArtTest, BackgroundIsMagentaOutsideTheOutlineAndFramesEveryElement) {
  const Picture p = Load(art::kBackgroundFile);
  ASSERT_EQ(p.width(), art::kWindowWidth);
  ASSERT_EQ(p.height(), art::kWindowHeight);
  const int w = p.width(), h = p.height();
  for (const auto& [x, y] : {std::pair(0, 0), {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
    EXPECT_EQ(p.Pixel(x, y), kMagenta) << x << "," << y;
  }
  std::vector<ArtRect> rects(art::kElements.begin(), art::kElements.end());
  for (const art::ArtButton& b : art::kButtons) rects.push_back({b.x, b.y, b.width, b.height});
  for (const ArtRect& element : rects) {
    const ArtRect r = Grow(element, 1);
    int holes = 0;
    for (int y = r.y; y < r.y + r.height; ++y) {
      for (int x = r.x; x < r.x + r.width; ++x) {
        if (x < 0 || y < 0 || x >= w || y >= h || p.Pixel(x, y) == kMagenta) ++holes;
      }
    }
    EXPECT_EQ(holes, 0) << Describe(element);
  }
  // No stray magenta inside: every magenta pixel is reached from the picture's border through
  // magenta, or the window would have holes that clicks fall through.
  const auto [magenta, inside] = MagentaAndHoles(p);
  EXPECT_EQ(inside, 0);
  EXPECT_GT(magenta, 4 * 40) << "the outline should be shaped, not a plain rectangle";
}

// The pop-up browser's outline is cut the same way: its corners are outside, its grip, browser,
// lamp, gauge and buttons inside, and it has no holes.
TEST_F(WindowArtTest, PopupBackgroundIsShapedAroundEveryElement) {
  namespace popup = art::popup;
  const Picture p = Load(popup::kBackgroundFile);
  ASSERT_EQ(p.width(), popup::kWidth);
  ASSERT_EQ(p.height(), popup::kHeight);
  const int w = p.width(), h = p.height();
  for (const auto& [x, y] :
       {std::pair(0, 0), {w - 1, 0}, {w - 1, 14}, {0, h - 1}, {w - 1, h - 1}}) {
    EXPECT_EQ(p.Pixel(x, y), kMagenta) << x << "," << y;
  }
  std::vector<ArtRect> rects = {popup::kGrip, popup::kBrowser, popup::kLed, popup::kG1,
                                popup::kTitle};
  for (const art::ArtButton& b : popup::kButtons) rects.push_back({b.x, b.y, b.width, b.height});
  for (const ArtRect& element : rects) {
    const ArtRect r = Grow(element, 1);
    int outside = 0;
    for (int y = r.y; y < r.y + r.height; ++y) {
      for (int x = r.x; x < r.x + r.width; ++x) {
        if (x < 0 || y < 0 || x >= w || y >= h || p.Pixel(x, y) == kMagenta) ++outside;
      }
    }
    EXPECT_EQ(outside, 0) << Describe(element);
  }
  const auto [magenta, holes] = MagentaAndHoles(p);
  EXPECT_EQ(holes, 0);
  EXPECT_GT(magenta, 200 * 10) << "the tab should stand out of the top edge";
}

// A widget takes the top-left pixel of its rectangle as its background, so each text area is
// one flat colour, light enough for the dark khaki text.
TEST_F(WindowArtTest, TextAreasAreOneFlatLightColour) {
  const Picture p = Load(art::kBackgroundFile);
  ASSERT_FALSE(p.empty());
  for (const ArtRect& r : art::kFlatAreas) {
    const Colour first = p.Pixel(r.x, r.y);
    int other = 0;
    for (int y = r.y; y < r.y + r.height; ++y) {
      for (int x = r.x; x < r.x + r.width; ++x) other += p.Pixel(x, y) != first;
    }
    EXPECT_EQ(other, 0) << Describe(r);
    const int lightness = RedOf(first) + GreenOf(first) + BlueOf(first);
    EXPECT_GT(lightness, 3 * 180) << Describe(r);
    EXPECT_NE(first, kMagenta) << Describe(r);
  }
}

// Sprites are drawn without blending into magenta: a pixel is the key exactly or a colour
// well away from it, never a tinge of it.
TEST_F(WindowArtTest, NoPixelIsAlmostMagenta) {
  for (const std::string& name : ExpectedFiles()) {
    const Picture p = Load(name);
    int near = 0;
    for (int y = 0; y < p.height(); ++y) {
      for (int x = 0; x < p.width(); ++x) {
        const Colour c = p.Pixel(x, y);
        const int distance = (255 - RedOf(c)) + GreenOf(c) + (255 - BlueOf(c));
        if (c != kMagenta && distance < 90) ++near;
      }
    }
    EXPECT_EQ(near, 0) << name;
  }
}

TEST_F(WindowArtTest, PressedButtonsLookDifferentFromReleasedOnes) {
  for (const art::ArtButton& b : art::kButtons) {
    const Picture up = Load(art::ReleasedFile(b)), down = Load(art::PressedFile(b));
    ASSERT_EQ(up.width(), down.width()) << b.name;
    ASSERT_EQ(up.height(), down.height()) << b.name;
    int changed = 0;
    for (int y = 0; y < up.height(); ++y) {
      for (int x = 0; x < up.width(); ++x) changed += up.Pixel(x, y) != down.Pixel(x, y);
    }
    EXPECT_GT(changed, up.width() * up.height() / 4) << b.name;
  }
  EXPECT_NE(Load(art::kTickOnFile), Load(art::kTickOffFile));
}

// The window fills the lamp's circle with the state's colour and draws the glass over it: the
// glass must let the middle through and cover some of the rim.
TEST_F(WindowArtTest, LampGlassIsClearInTheMiddle) {
  const Picture led = Load(art::kLedFile);
  ASSERT_EQ(led.width(), art::kLed.width);
  const int cx = led.width() / 2, cy = led.height() / 2;
  for (int y = cy - 1; y <= cy + 1; ++y) {
    for (int x = cx - 1; x <= cx + 1; ++x) EXPECT_EQ(led.Pixel(x, y), kMagenta) << x << "," << y;
  }
  int opaque = 0;
  for (int y = 0; y < led.height(); ++y) {
    for (int x = 0; x < led.width(); ++x) opaque += led.Pixel(x, y) != kMagenta;
  }
  EXPECT_GT(opaque, 8);

  const Picture icon = Load(art::kIconFile);
  ASSERT_EQ(icon.width(), art::kIconSize);
  EXPECT_EQ(icon.Pixel(0, 0), kMagenta);
  EXPECT_NE(icon.Pixel(art::kIconSize / 2, art::kIconSize / 2), kMagenta);
}

TEST_F(WindowArtTest, SameBytesOnEveryRun) {
  const fs::path again = fs::path(*root_) / "again";
  ASSERT_EQ(Generate(again), 0);
  for (const std::string& name : ExpectedFiles()) {
    const std::string first = ReadBytes(Dir() / name);
    EXPECT_FALSE(first.empty()) << name;
    EXPECT_TRUE(first == ReadBytes(again / name)) << name;
  }
}

TEST(WindowArtToolTest, RefusesAMissingFolderArgumentAndAnUnwritableFolder) {
  const std::string usage = std::string("'") + ZUNK_WINDOW_ART_PATH + "' 2>/dev/null";
  const int status = std::system(usage.c_str());
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
  EXPECT_EQ(Generate("/proc/zunk-no-such-folder"), 1);
}

}  // namespace
}  // namespace zunk
