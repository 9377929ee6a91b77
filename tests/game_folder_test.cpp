// Case-insensitive lookup in a game folder whose kept listings follow later changes, and
// names that symbolic links in the folder would lead outside it, with the kernel's confined
// lookup and with the fallback check.
#include <sys/stat.h>

#include "picture_files.h"
#include "screen/picture_loader.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

TEST(GameFolder, KeptListingsFollowTheFolder) {
  TempDir dir;
  GameFolder folder(dir.path());
  auto found = [&](std::string_view name) {
    const auto path = folder.Locate(name);
    return path.value_or("-") + " ";
  };
  // A folder whose time lies an hour back has its listing kept.
  for (const char* name : {"a.txt", "A.txt", "Sub/Pic.JPG"}) WriteBytes(dir.path() / name, "1");
  SettleTime(dir.path() / "Sub");
  SettleTime(dir.path());
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
  SettleTime(dir.path());
  const auto settled = fs::last_write_time(dir.path());
  EXPECT_EQ(found("NOVO.TXT"), "- ");
  ASSERT_TRUE(folder.Write("novo.txt", "6"));
  fs::last_write_time(dir.path(), settled);
  EXPECT_EQ(found("NOVO.TXT"), "novo.txt ");
}

// A game folder beside a folder it must never reach, with links planted in the game folder.
class ConfinedGameFolder : public GameTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    fallback_ = GetParam();
    if (!fallback_ && !ConfinedFolder::KernelLookupAvailable()) {
      GTEST_SKIP() << "the kernel has no confined lookup here";
    }
    ConfinedFolder::ForceFallbackForTesting(fallback_);
    WriteBytes(outside_.path() / "segredo.txt", "segredo");
    WriteBytes(outside_.path() / "alvo.jpg", "alvo");
    WriteFile("real/ok.txt", "ok");
    const std::pair<const char*, fs::path> links[] = {
        {"sub", outside_.path()},  // absolute
        {"rel", fs::relative(outside_.path(), dir_.path())},
        {"link.txt", fs::relative(outside_.path() / "segredo.txt", dir_.path())},
        {"tmp.jpg", outside_.path() / "alvo.jpg"},
        {"dentro", "real"},  // stays inside: allowed
        {"dentro.txt", "real/ok.txt"},
    };
    for (const auto& [name, target] : links) fs::create_symlink(target, dir_.path() / name);
    Start();
  }
  void TearDown() override { ConfinedFolder::ForceFallbackForTesting(false); }
  // The names in the outside folder.
  std::string OutsideNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(outside_.path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) joined += name + " ";
    return joined;
  }

  TempDir outside_;
  bool fallback_ = false;
};

TEST_P(ConfinedGameFolder, LinksNeverLeadReadsOrWritesOutside) {
  const GameFolder& folder = game().folder();
  for (const char* name : {"sub/segredo.txt", "SUB\\SEGREDO.TXT", "rel/segredo.txt", "link.txt"}) {
    EXPECT_FALSE(folder.Exists(name)) << name;
    EXPECT_EQ(folder.ReadBounded(name).status, ReadStatus::Missing) << name;
    EXPECT_FALSE(folder.Stamp(name) || folder.OpenForLibrary(name)) << name;
  }
  EXPECT_EQ(folder.Read("dentro/ok.txt").value_or("-") + folder.Read("DENTRO.TXT").value_or("-"),
            "okok");
  // Writes, and the folders they would create, stay inside; a link in a file's place is
  // replaced by the file, never written through.
  for (const char* name : {"sub/x.txt", "rel\\novo\\x.txt", "sub/novo/x.txt"})
    EXPECT_FALSE(folder.Write(name, "x")) << name;
  EXPECT_TRUE(folder.Write("link.txt", "novo") && folder.Write("dentro/dois.txt", "2"));
  EXPECT_EQ(folder.Read("link.txt").value_or("-") + ReadBytes(dir_.path() / "real/dois.txt"),
            "novo2");
  EXPECT_FALSE(fs::is_symlink(dir_.path() / "link.txt"));

  // Through the game: a fetch, an archive and the scratch file of ".img" pictures.
  host_.http = [](const HttpRequest&) { return HttpResult{true, 200, "baixado", ""}; };
  game().url = "http://jogo/";
  EXPECT_FALSE(game().FetchFile("sub\\baixado.txt"));
  EXPECT_TRUE(game().FetchFile("baixado.txt"));
  WriteFile("fuga.zip", MakeZip({{"sub/x.txt", "x"}, {"rel/novo/y.txt", "y"}, {"ok.txt", "ok"}}));
  EXPECT_EQ(ExtractArchive(game(), "fuga.zip"), 1);
  fs::copy_file(dir_.path() / "fuga.zip", outside_.path() / "fora.zip");
  fs::create_symlink(outside_.path() / "fora.zip", dir_.path() / "ligada.zip");
  EXPECT_EQ(ExtractArchive(game(), "ligada.zip"), 0);  // the archive itself lies outside
  const Picture blue(2, 2, 0xFF0000);
  WriteFile("azul.img", EncodeImg(EncodeJpeg(blue)));
  Picture loaded;
  EXPECT_TRUE(LoadPicture(game(), loaded, "azul.img"));
  EXPECT_FALSE(fs::is_symlink(dir_.path() / "tmp.jpg"));
  EXPECT_EQ(OutsideNames(), "alvo.jpg fora.zip segredo.txt ");
  EXPECT_EQ(ReadBytes(outside_.path() / "alvo.jpg") + ReadBytes(outside_.path() / "segredo.txt"),
            "alvosegredo");
}

// A settled listing answers lookups alone only for regular files reached through real
// folders; a file or folder swapped for a link afterwards is looked at again.
TEST_P(ConfinedGameFolder, SwappingAFileForALinkIsSeenThroughAKeptListing) {
  const GameFolder& folder = game().folder();
  WriteFile("real/carta.txt", "carta");
  WriteFile("nota.txt", "nota");
  WriteBytes(outside_.path() / "carta.txt", "fora");
  SettleTime(dir_.path() / "real");
  SettleTime(dir_.path());
  ASSERT_TRUE(folder.Exists("NOTA.TXT") && folder.Exists("Real\\Carta.txt"));
  fs::remove(dir_.path() / "nota.txt");
  fs::create_symlink(outside_.path() / "segredo.txt", dir_.path() / "nota.txt");
  fs::rename(dir_.path() / "real", dir_.path() / "antigo");
  fs::create_symlink(outside_.path(), dir_.path() / "real");
  for (int settled = 0; settled < 2; ++settled) {  // listed while recent, then settled
    EXPECT_FALSE(folder.Exists("NOTA.TXT") || folder.Exists("nota.txt"));
    EXPECT_FALSE(folder.Exists("Real\\Carta.txt") || folder.Exists("real/carta.txt"));
    EXPECT_TRUE(folder.Exists("antigo/carta.txt"));
    SettleTime(dir_.path());
  }
}

// The scratch file is rewritten in place while it is ours alone; a hard link planted under
// its name is replaced, never written through.
TEST_P(ConfinedGameFolder, ScratchWritesNeverReachALinkedFile) {
  const GameFolder& folder = game().folder();
  fs::remove(dir_.path() / "tmp.jpg");
  ASSERT_TRUE(folder.WriteScratch("tmp.jpg", "primeiro, mais longo"));
  auto inode = [&] {
    struct stat info {};
    return ::stat((dir_.path() / "tmp.jpg").c_str(), &info) == 0 ? info.st_ino : 0;
  };
  const auto first = inode();
  ASSERT_TRUE(folder.WriteScratch("TMP.JPG", "curto"));
  EXPECT_EQ(ReadBytes(dir_.path() / "tmp.jpg"), "curto");
  EXPECT_EQ(inode(), first);

  fs::remove(dir_.path() / "tmp.jpg");
  std::error_code ec;
  fs::create_hard_link(outside_.path() / "alvo.jpg", dir_.path() / "tmp.jpg", ec);
  if (ec) GTEST_SKIP() << "no hard links between these folders";
  ASSERT_TRUE(folder.WriteScratch("tmp.jpg", "novo"));
  EXPECT_EQ(ReadBytes(outside_.path() / "alvo.jpg"), "alvo");
  EXPECT_EQ(ReadBytes(dir_.path() / "tmp.jpg"), "novo");
  EXPECT_EQ(fs::hard_link_count(outside_.path() / "alvo.jpg"), 1u);
}

INSTANTIATE_TEST_SUITE_P(KernelAndFallback, ConfinedGameFolder, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Fallback" : "Kernel"; });

}  // namespace
}  // namespace zunk::testing
