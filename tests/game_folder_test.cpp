// Case-insensitive lookup in a game folder whose kept listings follow later changes.
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

TEST(GameFolder, KeptListingsFollowTheFolder) {
  TempDir dir;
  GameFolder folder(dir.path());
  auto found = [&](std::string_view name) {
    const auto path = folder.Find(name);
    return (path ? fs::relative(*path, dir.path()).string() : "-") + " ";
  };
  // A folder whose time lies an hour back has its listing kept.
  auto settle = [](const fs::path& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
  };
  for (const char* name : {"a.txt", "A.txt", "Sub/Pic.JPG"}) WriteBytes(dir.path() / name, "1");
  settle(dir.path() / "Sub");
  settle(dir.path());
  EXPECT_EQ(found("y.scpt") + found("A.txt") + found("a.txt") + found("sub\\pic.jpg") +
                found("sub") + found("../a.txt"),
            "- A.txt a.txt Sub/Pic.JPG - - ");
  // Made and removed by others after the listing.
  WriteBytes(dir.path() / "Y.SCPT", "4");
  EXPECT_EQ(found("y.scpt"), "Y.SCPT ");
  fs::remove(dir.path() / "Y.SCPT");
  // A change in the tick of a recent listing leaves the folder's time: that listing is not kept.
  const auto listed = fs::last_write_time(dir.path());
  EXPECT_EQ(found("y.scpt") + found("z.scpt"), "- - ");
  WriteBytes(dir.path() / "Z.scpt", "5");
  fs::last_write_time(dir.path(), listed);
  EXPECT_EQ(found("z.scpt"), "Z.scpt ");
  // The folder's own writes are seen whatever the time says.
  settle(dir.path());
  const auto settled = fs::last_write_time(dir.path());
  EXPECT_EQ(found("NOVO.TXT"), "- ");
  ASSERT_TRUE(folder.Write("novo.txt", "6"));
  fs::last_write_time(dir.path(), settled);
  EXPECT_EQ(found("NOVO.TXT"), "novo.txt ");
}

}  // namespace
}  // namespace zunk::testing
