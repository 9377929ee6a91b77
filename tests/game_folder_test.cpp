// Case-insensitive lookup in a game folder with its kept folder listings: files made, removed
// or written after a folder was listed are seen, also when the folder's time does not move.
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

TEST(GameFolder, KeptListingsFollowTheFolder) {
  TempDir dir;
  GameFolder folder(dir.path());
  auto found = [&](std::string_view name) {
    const auto path = folder.Find(name);
    return path ? fs::relative(*path, dir.path()).string() : "-";
  };
  // A folder whose time lies an hour back has its listing kept.
  auto settle = [](const fs::path& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
  };
  WriteBytes(dir.path() / "a.txt", "1");
  WriteBytes(dir.path() / "A.txt", "2");
  WriteBytes(dir.path() / "Sub" / "Pic.JPG", "3");
  settle(dir.path());
  settle(dir.path() / "Sub");
  EXPECT_EQ(found("y.scpt"), "-");
  EXPECT_EQ(found("A.txt") + found("a.txt"), "A.txta.txt");
  EXPECT_EQ(found("sub\\pic.jpg") + found("sub") + found("../a.txt"), "Sub/Pic.JPG--");

  // Made and removed by someone else after the listing.
  WriteBytes(dir.path() / "Y.SCPT", "4");
  EXPECT_EQ(found("y.scpt"), "Y.SCPT");
  fs::remove(dir.path() / "Y.SCPT");
  EXPECT_EQ(found("y.scpt"), "-");

  // A change in the same time-stamp tick as a listing leaves the folder's time as it was; a
  // listing that recent is not kept.
  const auto listed = fs::last_write_time(dir.path());
  EXPECT_EQ(found("z.scpt"), "-");
  WriteBytes(dir.path() / "Z.scpt", "5");
  fs::last_write_time(dir.path(), listed);
  EXPECT_EQ(found("z.scpt"), "Z.scpt");

  // The folder's own writes are seen whatever the time says.
  settle(dir.path());
  const auto settled = fs::last_write_time(dir.path());
  EXPECT_EQ(found("NOVO.TXT"), "-");
  ASSERT_TRUE(folder.Write("novo.txt", "6"));
  fs::last_write_time(dir.path(), settled);
  EXPECT_EQ(found("NOVO.TXT"), "novo.txt");
}

}  // namespace
}  // namespace zunk::testing
