// Drawing the object panels: which objects get a cell, in which order and where their
// pictures land.
#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

constexpr Colour kGrey = 0x808080;

// The picture of object n: 20 × 20 in a colour of its own, its top-left quarter magenta.
Colour ObjectColour(int n) {
  return MakeColour(10 * n, 200 - 10 * n, 50);
}
Picture ObjectPicture(int n) {
  Picture picture(20, 20, ObjectColour(n));
  picture.FillRect(0, 0, 10, 10, kMagenta);
  return picture;
}

struct Record {
  std::string loc;
  std::string flags;
  std::string shp;
};

// "o" + n + ".bmp", built by appending (GCC 12 warns falsely on "o" + std::string in Release).
std::string PictureName(int n) {
  return std::string("o").append(std::to_string(n)).append(".bmp");
}

class ObjectPanelsTest : public GameTest {
 protected:
  void SetUp() override {
    for (int n = 1; n <= 12; ++n) {
      WriteFile(PictureName(n), EncodeBmp24(ObjectPicture(n)));
    }
  }
  void StartWith(const std::vector<Record>& records) {
    std::string objects;
    for (std::size_t i = 0; i < records.size(); ++i) {
      objects += "OBJ" + std::to_string(i + 1) + "\nobjeto\n" + records[i].loc + "\n" +
                 records[i].flags + "\n1\n1\n" + records[i].shp + "\n\n\n\n";
    }
    WriteFile("teste.obj", objects);
    Start();
    world().local = "sala";
  }
  ObjectPanels& panels() { return game().panels(); }
  // Object n's picture fills the cell at x, y, stretched 2×, its magenta quarter showing
  // the panel's own magenta.
  void ExpectCell(const Picture& panel, int x, int y, int n) {
    EXPECT_EQ(panel.Pixel(x + 5, y + 5), kMagenta) << n;
    EXPECT_EQ(panel.Pixel(x + 19, y + 19), kMagenta) << n;
    EXPECT_EQ(panel.Pixel(x + 20, y), ObjectColour(n)) << n;
    EXPECT_EQ(panel.Pixel(x, y + 20), ObjectColour(n)) << n;
    EXPECT_EQ(panel.Pixel(x + 39, y + 39), ObjectColour(n)) << n;
  }
  using Slots = std::array<int, kPanelSlots>;
};

TEST_F(ObjectPanelsTest, SevenObjectsFillSixCellsHereAndFiveCarriedInOrder) {
  std::vector<Record> records;
  for (int n = 1; n <= 7; ++n) records.push_back({"sala", "........", PictureName(n)});
  for (int n = 1; n <= 7; ++n) records.push_back({"jog1", "X.......", PictureName(n)});
  StartWith(records);
  RedrawPanels(game());
  EXPECT_EQ(panels().loc_slots, (Slots{1, 2, 3, 4, 5, 6}));
  for (int n = 1; n <= 6; ++n) ExpectCell(panels().loc, (n - 1) % 2 * 40, (n - 1) / 2 * 40, n);
  EXPECT_EQ(panels().jog_slots, (Slots{8, 9, 10, 11, 12}));
  for (int n = 1; n <= 5; ++n) ExpectCell(panels().jog, (n - 1) * 40, 0, n);
  EXPECT_EQ(host_.log.back(), "panels");
}

TEST_F(ObjectPanelsTest, OnlyVisibleObjectsWithALoadablePictureTakeACell) {
  WriteFile("ruim.bmp", "BM isto nao e uma imagem");
  StartWith({
      {"sala", ".......X", "o1.bmp"},  // hidden
      {"sala", "........", ""},        // no picture
      {"sala", "........", "nada.bmp"},
      {"sala", "........", "ruim.bmp"},  // cannot be decoded
      {"sala", "X.......", "o5.bmp"},    // carried flag, but lying here
      {"jog1", "X.......", "o6.bmp"},
      {"sala", "........", "o7.bmp"},
      {"cozinha", "........", "o8.bmp"},
      {"sala", ".", "o9.bmp"},  // no eighth position
      {"jog1", "x.......", "o10.bmp"},
      {"jog1", "X......X", "o11.bmp"},
      {"sala", "........", "o12.bmp"},
      {"sala", "x.......", "o1.bmp"},  // lying here, but not marked '.'
  });
  RedrawPanels(game());
  EXPECT_TRUE(host_.errors.empty());
  EXPECT_EQ(panels().loc_slots, (Slots{7, 12}));
  ExpectCell(panels().loc, 0, 0, 7);
  ExpectCell(panels().loc, 40, 0, 12);
  EXPECT_EQ(panels().loc.Pixel(0, 40), kMagenta);
  EXPECT_EQ(panels().jog_slots, (Slots{6}));
  ExpectCell(panels().jog, 0, 0, 6);
  EXPECT_EQ(panels().jog.Pixel(40, 0), kMagenta);

  // Taking an object away from the location leaves its old cell empty on the next redraw.
  world().SetObjectLine(6, kLoc, "cozinha");
  RedrawPanel(game(), Panel::Loc);
  EXPECT_EQ(panels().loc_slots, (Slots{12}));
  EXPECT_EQ(panels().loc.Pixel(79, 39), kMagenta);
}

TEST_F(ObjectPanelsTest, EmptyObjectListLeavesThePanelsAsTheyWere) {
  Start();
  panels().loc.Fill(kGrey);
  panels().loc_slots[0] = 3;
  RedrawPanels(game());
  EXPECT_EQ(panels().loc, Picture(80, 120, kGrey));
  EXPECT_EQ(panels().loc_slots[0], 3);
  EXPECT_EQ(panels().jog, Picture(200, 40, kMagenta));
  for (const std::string& entry : host_.log) EXPECT_NE(entry, "panels");
}

}  // namespace
}  // namespace zunk::testing
