// Case-insensitive lookup in a game folder with its kept folder listings: files made, removed
// or written after a folder was listed are seen, also when the folder's time does not move.
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

class GameFolderTest : public ::testing::Test {
 protected:
  // Moves the folder's time an hour back, so its next listing is kept.
  void Settle(const fs::path& dir) {
    fs::last_write_time(dir, fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  std::string Found(std::string_view name) {
    const auto path = folder_.Find(name);
    return path ? fs::relative(*path, dir_.path()).string() : "-";
  }

  TempDir dir_;
  GameFolder folder_{dir_.path()};
};

TEST_F(GameFolderTest, KeptListingsFollowTheFolder) {
  WriteBytes(dir_.path() / "a.txt", "1");
  WriteBytes(dir_.path() / "A.txt", "2");
  WriteBytes(dir_.path() / "Sub" / "Pic.JPG", "3");
  Settle(dir_.path());
  Settle(dir_.path() / "Sub");
  EXPECT_EQ(Found("y.scpt"), "-");  // lists the folder
  EXPECT_EQ(Found("A.txt"), "A.txt");
  EXPECT_EQ(Found("a.txt"), "a.txt");
  EXPECT_EQ(Found("sub\\pic.jpg"), "Sub/Pic.JPG");
  EXPECT_EQ(Found("sub"), "-");  // a folder is not a file
  EXPECT_EQ(Found("../a.txt"), "-");

  // Made and removed by someone else after the listing.
  WriteBytes(dir_.path() / "Y.SCPT", "4");
  EXPECT_EQ(Found("y.scpt"), "Y.SCPT");
  fs::remove(dir_.path() / "Y.SCPT");
  EXPECT_EQ(Found("y.scpt"), "-");

  // A change in the same time-stamp tick as the listing leaves the folder's time as it was;
  // a listing that recent is not kept.
  const auto listed = fs::last_write_time(dir_.path());
  EXPECT_EQ(Found("z.scpt"), "-");
  WriteBytes(dir_.path() / "Z.scpt", "5");
  fs::last_write_time(dir_.path(), listed);
  EXPECT_EQ(Found("z.scpt"), "Z.scpt");

  // The folder's own writes are seen whatever the time says.
  Settle(dir_.path());
  const auto settled = fs::last_write_time(dir_.path());
  EXPECT_EQ(Found("NOVO.TXT"), "-");
  ASSERT_TRUE(folder_.Write("novo.txt", "6"));
  fs::last_write_time(dir_.path(), settled);
  EXPECT_EQ(Found("NOVO.TXT"), "novo.txt");
  EXPECT_EQ(folder_.Read("Sub/PIC.jpg"), "3");
}

}  // namespace
}  // namespace zunk::testing
