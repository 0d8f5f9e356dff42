// IMAGES/nodesinfo.txt written from the type table and its picture names read back.
#include <gtest/gtest.h>

#include "catalogue/node_type_table.h"
#include "catalogue/nodes_info_file.h"
#include "catalogue/picture_files.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"

using namespace vemu::catalogue;

namespace {

NodeTypeTable FullTable() {
  NodeTypeTable table;
  InitNodeTypeTable(table, 39, [](int) { return QImage(); });
  SetDescription(table[3], "\"R\" Резистор");
  table[3].filename = "r.bmp";
  return table;
}

TEST(NodesInfoFile, WritesNineLinesPerTypeAfterTheHeader) {
  vemu::test::ScratchFolder folder;
  std::string error;
  ASSERT_TRUE(WriteNodesInfo(FullTable(), NodesInfoPath(), error)) << error;
  const auto lines = vemu::platform::readLines(folder.file("IMAGES/nodesinfo.txt"), vemu::platform::kSettingsReadLimit);
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 354u);
  EXPECT_EQ((*lines)[0], "*** Vemu3.exe file");
  EXPECT_EQ((*lines)[1], "*** ");
  EXPECT_EQ((*lines)[2], "*** 0..38 units");
  const std::vector<std::string> type3(lines->begin() + 30, lines->begin() + 39);
  EXPECT_EQ(type3, (std::vector<std::string>{"[3].UseInfoLink=0", "[3].L_in=1", "[3].L_out=1", "[3].UseValue=1",
                                             "[3].Name=1", "[3].Flag_Arrow=0", "[3].TwoChars=0",
                                             "[3].FileName=r.bmp", "[3].Info=\"R\" \xD0\xE5\xE7\xE8\xF1\xF2\xEE\xF0"}));
  EXPECT_EQ(lines->back(), "[38].Info=");
  EXPECT_EQ(folder.read("IMAGES/nodesinfo.txt").substr(0, 20), "*** Vemu3.exe file\r\n");
}

TEST(NodesInfoFile, AFailedWriteNamesTheFile) {
  vemu::test::ScratchFolder folder;
  std::string error;
  EXPECT_FALSE(WriteNodesInfo(FullTable(), folder.file("NOFOLDER/nodesinfo.txt"), error));
  EXPECT_NE(error.find("NOFOLDER/nodesinfo.txt"), std::string::npos) << error;
}

TEST(NodesInfoFile, ReadsPictureNamesByKeyWithoutRegardToCase) {
  NodeTypeTable table = FullTable();
  table[5].filename = "kept.bmp";
  std::vector<std::string> lines = NodesInfoLines(table);
  lines[30 + 7] = "[3].filename=x.bmp";                     // lower-case key
  lines[12 + 7] = "[1].FileName=" + std::string(34, 'L');   // over 30 characters
  lines[48 + 7] = "[5].Picture=none";                       // type 5 has no key
  lines.insert(lines.begin(), "[2].FILENAME=first.bmp");    // the first line of a key counts
  const auto report = LoadPictureNames(table, lines);
  ASSERT_EQ(report.size(), 39u);
  EXPECT_EQ(report[0], "[0].FileName,11 {)");
  EXPECT_EQ(report[1], "[1].FileName," + std::to_string(13 + 7) + " {" + std::string(34, 'L') + ")");
  EXPECT_EQ(report[2], "[2].FileName,0 {first.bmp)");
  EXPECT_EQ(report[3], "[3].FileName,38 {x.bmp)");
  EXPECT_EQ(report[5], "[5].FileName,-1 {)");
  EXPECT_EQ(table[1].filename.str(), std::string(30, 'L'));
  EXPECT_EQ(table[2].filename.str(), "first.bmp");
  EXPECT_EQ(table[3].filename.str(), "x.bmp");
  EXPECT_EQ(table[5].filename.str(), "kept.bmp");
  EXPECT_EQ(NodesInfoLines(table)[30 + 7], "[3].FileName=x.bmp");
}

TEST(PictureFiles, ListsRegularBitmapFilesInAnyCase) {
  vemu::test::ScratchFolder folder;
  for (const char* name : {"IMAGES/a.bmp", "IMAGES/B.BMP", "IMAGES/c.Bmp", "IMAGES/d.png", "IMAGES/bmp", "IMAGES/e\nf.bmp"})
    folder.write(name, "x");
  folder.makeDir("IMAGES/dir.bmp");
  auto names = ListBitmapFiles(folder.file("IMAGES"));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"B.BMP", "a.bmp", "c.Bmp"}));
  EXPECT_TRUE(ListBitmapFiles(folder.file("NONE")).empty());
  EXPECT_EQ(PictureNameOf("Картинка-" + std::string(30, 'z')), "\xCA\xE0\xF0\xF2\xE8\xED\xEA\xE0-" + std::string(21, 'z'));
}

}  // namespace
