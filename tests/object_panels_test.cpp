// The object panels: which objects get a cell, in which order and where their pictures land.
#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

constexpr Colour kGrey = 0x808080;

using Record = std::array<std::string, 3>;  // location, flags, picture

class ObjectPanelsTest : public GameTest {
 protected:
  // Object n's picture, "<n>.bmp", is 20 × 20 in a colour of its own, its top-left quarter
  // magenta; in a cell it is stretched to 40 × 40, keyed on magenta.
  static Picture Look(int n, int size) {
    Picture picture(size, size, MakeColour(10 * n, 200 - 10 * n, 50));
    picture.FillRect(0, 0, size / 2, size / 2, kMagenta);
    return picture;
  }
  static std::string Name(int n) { return std::to_string(n) + ".bmp"; }
  void SetUp() override {
    for (int n = 1; n <= 12; ++n) WriteFile(Name(n), EncodeBmp24(Look(n, 20)));
  }
  void StartWith(const std::vector<Record>& records) {
    std::string objects;
    int i = 0;
    for (const auto& [loc, flags, shp] : records)
      objects += "OBJ" + std::to_string(++i) + "\nobjeto\n" + loc + "\n" + flags + "\n1\n1\n" +
                 shp + "\n\n\n\n";
    WriteFile("teste.obj", objects);
    Start();
    world().local = "sala";
  }
  ObjectPanels& panels() { return game().panels(); }
  void ExpectCell(const Picture& panel, int x, int y, int n) {  // the cell at x, y shows n
    Picture cell(40, 40);
    CopyRect(cell, 0, 0, panel, x, y, 40, 40);
    EXPECT_EQ(cell, Look(n, 40)) << n;
  }
  using Slots = std::array<int, kPanelSlots>;
};

TEST_F(ObjectPanelsTest, SevenObjectsFillSixCellsHereAndFiveCarriedInOrder) {
  std::vector<Record> records;
  for (int n = 1; n <= 7; ++n) records.push_back({"sala", "........", Name(n)});
  for (int n = 1; n <= 7; ++n) records.push_back({"jog1", "X.......", Name(n)});
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
      {"sala", ".......X", "1.bmp"},  // hidden
      {"sala", "........", ""},       // no picture
      {"sala", "........", "nada.bmp"},
      {"sala", "........", "ruim.bmp"},  // cannot be decoded
      {"sala", "X.......", "5.bmp"},     // carried flag, but lying here
      {"jog1", "X.......", "6.bmp"},
      {"sala", "........", "7.bmp"},
      {"cozinha", "........", "8.bmp"},
      {"sala", ".", "9.bmp"},  // no eighth position
      {"jog1", "x.......", "10.bmp"},
      {"jog1", "X......X", "11.bmp"},
      {"sala", "........", "12.bmp"},
      {"sala", "x.......", "1.bmp"},  // lying here, but not marked '.'
  });
  RedrawPanels(game());
  EXPECT_TRUE(host_.errors.empty());
  EXPECT_EQ(std::pair(panels().loc_slots, panels().jog_slots), std::pair(Slots{7, 12}, Slots{6}));
  ExpectCell(panels().loc, 0, 0, 7);
  ExpectCell(panels().loc, 40, 0, 12);
  ExpectCell(panels().jog, 0, 0, 6);
  EXPECT_EQ(std::pair(panels().loc.Pixel(0, 40), panels().jog.Pixel(40, 0)),
            std::pair(kMagenta, kMagenta));
  // Taking an object away from the location leaves its old cell empty on the next redraw.
  world().SetObjectLine(6, kLoc, "cozinha");
  RedrawPanel(game(), Panel::Loc);
  EXPECT_EQ(std::pair(panels().loc_slots, panels().loc.Pixel(79, 39)),
            std::pair(Slots{12}, kMagenta));
}

TEST_F(ObjectPanelsTest, EmptyObjectListLeavesThePanelsAsTheyWere) {
  Start();
  panels().loc.Fill(kGrey);
  panels().loc_slots[0] = 3;
  RedrawPanels(game());
  EXPECT_EQ(std::tuple(panels().loc, panels().loc_slots[0], panels().jog),
            std::tuple(Picture(80, 120, kGrey), 3, Picture(200, 40, kMagenta)));
  for (const std::string& entry : host_.log) EXPECT_NE(entry, "panels");
}

}  // namespace
}  // namespace zunk::testing
