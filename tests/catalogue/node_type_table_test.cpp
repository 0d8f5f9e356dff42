#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <set>

#include "catalogue/node_type_table.h"

using namespace vemu::catalogue;

namespace {

// One row of the catalogue as the element palette documents it.
struct Row {
  int code;
  int links;  // L_in = L_out
  bool v;
  char wire;
  bool controlLink;
  bool twoChars;
};

// The full program's 39 types.
const Row kFullRows[] = {
    {0, 0, false, '1', false, false},  {1, 0, false, '1', false, false},
    {2, 1, false, '1', false, false},  {3, 1, true, '1', false, false},
    {4, 1, true, '1', false, false},   {5, 1, false, '2', false, false},
    {6, 1, false, '2', false, false},  {7, 1, true, '2', false, false},
    {8, 1, true, '2', false, false},   {9, 1, false, '2', true, false},
    {10, 1, false, '2', false, false}, {11, 1, false, '1', false, false},
    {12, 1, true, '1', true, true},    {13, 1, false, '1', false, false},
    {14, 1, true, '1', true, true},    {15, 1, false, '1', false, false},
    {16, 1, true, '1', true, true},    {17, 1, false, '1', false, false},
    {18, 1, true, '1', true, true},    {19, 1, true, '1', false, false},
    {20, 1, true, '1', false, false},  {21, 1, true, '1', false, false},
    {22, 1, true, '1', false, false},  {23, 1, true, '1', false, false},
    {24, 1, true, '1', false, false},  {25, 1, true, '1', false, false},
    {26, 1, true, '1', false, false},  {27, 1, true, '1', false, false},
    {28, 1, true, '1', false, false},  {29, 0, false, '2', false, false},
    {30, 1, true, '1', false, false},  {31, 1, true, '1', false, false},
    {32, 0, false, '1', false, false}, {33, 1, true, '1', false, false},
    {34, 0, true, '1', false, false},  {35, 1, true, '1', false, false},
    {36, 1, true, '1', false, false},  {37, 1, true, '1', false, false},
    {38, 1, true, '1', false, false},
};

QImage SolidGlyph(QRgb colour) {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

void ExpectRow(const TNodeTypeInfo& info, const Row& row) {
  SCOPED_TRACE("type code " + std::to_string(row.code));
  EXPECT_EQ(info.L_in, row.links);
  EXPECT_EQ(info.L_out, row.links);
  EXPECT_EQ(info.V, row.v);
  EXPECT_EQ(info.L_types, row.wire);
  EXPECT_EQ(info.UseInfoLink, row.controlLink);
  EXPECT_EQ(info.TwoChars, row.twoChars);
  EXPECT_FALSE(info.Flag_Arrow);
  EXPECT_TRUE(info.filename.empty());
}

}  // namespace

TEST(NodeTypeTable, FullCatalogueColumnByColumn) {
  NodeTypeTable table;
  InitNodeTypeTable(table, 39, [](int) { return QImage(); });
  ASSERT_EQ(table.size(), 39u);
  for (const Row& row : kFullRows) ExpectRow(table[static_cast<std::size_t>(row.code)], row);

  // The same columns as sets, so a slip in one row cannot hide in the list.
  std::set<int> noLinks, values, wire2, control, twoChars;
  for (int t = 0; t < 39; ++t) {
    const auto& info = table[static_cast<std::size_t>(t)];
    if (info.L_in == 0) noLinks.insert(t);
    if (info.V) values.insert(t);
    if (info.L_types == '2') wire2.insert(t);
    if (info.UseInfoLink) control.insert(t);
    if (info.TwoChars) twoChars.insert(t);
    EXPECT_GE(info.L_in, 0) << "no type has unlimited links";
  }
  EXPECT_EQ(noLinks, (std::set<int>{0, 1, 29, 32, 34}));
  EXPECT_EQ(values, (std::set<int>{3, 4, 7, 8, 12, 14, 16, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27,
                                   28, 30, 31, 33, 34, 35, 36, 37, 38}));
  EXPECT_EQ(wire2, (std::set<int>{5, 6, 7, 8, 9, 10, 29}));
  EXPECT_EQ(control, (std::set<int>{9, 12, 14, 16, 18}));
  EXPECT_EQ(twoChars, (std::set<int>{12, 14, 16, 18}));
}

TEST(NodeTypeTable, AmplifiersThirtyThreeAndThirtyFourDifferInLinks) {
  EXPECT_EQ(TypeRules(33).L_in, 1);
  EXPECT_EQ(TypeRules(33).L_out, 1);
  EXPECT_EQ(TypeRules(34).L_in, 0);
  EXPECT_EQ(TypeRules(34).L_out, 0);
  EXPECT_TRUE(TypeRules(34).V);
}

TEST(NodeTypeTable, SecondBuildHasThirtySixTypesWithSpareCodes) {
  NodeTypeTable table;
  InitNodeTypeTable(table, 36, [](int) { return QImage(); }, TypeCatalogue::Second);
  ASSERT_EQ(table.size(), 36u);
  // Codes 0 to 32 are those of the full program.
  for (int t = 0; t <= 32; ++t) ExpectRow(table[static_cast<std::size_t>(t)], kFullRows[t]);
  // 33, 34 and 35 accept no links and need no value.
  for (int t = 33; t <= 35; ++t) ExpectRow(table[static_cast<std::size_t>(t)], Row{t, 0, false, '1', false, false});
}

TEST(NodeTypeTable, GlyphsComeFromTheButtonOfEachType) {
  // Junction button for 0, 1 and 2; amplifier button for 25 to 28; none for 31.
  const QRgb junction = qRgb(10, 20, 30);
  const QRgb amplifier = qRgb(40, 50, 60);
  std::vector<int> asked;
  NodeTypeTable table;
  InitNodeTypeTable(table, 39, [&](int code) {
    asked.push_back(code);
    if (code <= 2) return SolidGlyph(junction);
    if (code >= 25 && code <= 28) return SolidGlyph(amplifier);
    if (code == 31) return QImage();
    return SolidGlyph(qRgb(code, code, code));
  });
  ASSERT_EQ(asked.size(), 39u);
  for (int t = 0; t < 39; ++t) EXPECT_EQ(asked[static_cast<std::size_t>(t)], t) << "ascending order";
  for (int t : {0, 1, 2}) EXPECT_EQ(table[static_cast<std::size_t>(t)].B0.pixel(1, 1), junction);
  for (int t : {25, 26, 27, 28}) EXPECT_EQ(table[static_cast<std::size_t>(t)].B0.pixel(2, 0), amplifier);
  EXPECT_EQ(table[19].B0.pixel(0, 0), qRgb(19, 19, 19));
  EXPECT_EQ(table[19].B0.size(), QSize(4, 3));
  EXPECT_EQ(table[19].BS.size(), QSize(4, 3));
  // A one-colour glyph is all background: its silhouette is all yellow.
  EXPECT_EQ(table[19].BS.pixel(3, 0), qRgb(255, 255, 0));
  // A type without a glyph gets empty pictures and the rest of its record.
  EXPECT_TRUE(table[31].B0.isNull());
  EXPECT_TRUE(table[31].BS.isNull());
  EXPECT_TRUE(table[31].V);
}

TEST(NodeTypeTable, BuildingKeepsDescriptionsAndGlyphsAreOwnCopies) {
  NodeTypeTable table(39);
  SetDescription(table[3], "\"E\" -voltage source");
  table[4].Flag_Arrow = true;
  table[4].filename = "old.bmp";
  QImage glyph = SolidGlyph(qRgb(1, 2, 3));
  InitNodeTypeTable(table, 39, [&](int) { return glyph; });
  EXPECT_EQ(table[3].Uinfo, "\"E\" -voltage source");
  EXPECT_FALSE(table[4].Flag_Arrow);
  EXPECT_TRUE(table[4].filename.empty());
  glyph.fill(qRgb(9, 9, 9));  // the button's glyph changes later
  EXPECT_EQ(table[3].B0.pixel(0, 0), qRgb(1, 2, 3));
  table[3].B0.setPixel(0, 0, qRgb(7, 7, 7));
  EXPECT_EQ(table[4].B0.pixel(0, 0), qRgb(1, 2, 3)) << "records do not share pixels";
}

TEST(NodeTypeTable, TypeLetterIsTheSecondCharacter) {
  TNodeTypeInfo info;
  EXPECT_EQ(TypeLetter(info), "?") << "no description yet";
  EXPECT_EQ(TypeLetterByte(info), '?');
  info.Uinfo = "\"";
  EXPECT_EQ(TypeLetter(info), "?");
  info.Uinfo = "\"KU\" -voltage-controlled voltage source";
  EXPECT_EQ(TypeLetter(info), "K") << "generators use the first letter of the designator";
  EXPECT_EQ(TypeLetterByte(info), 'K');
  info.Uinfo = "\"\xD0\x96\" \xD1\x82\xD0\xB5\xD1\x81\xD1\x82";  // "Ж" тест
  EXPECT_EQ(TypeLetter(info), "\xD0\x96");
  EXPECT_EQ(TypeLetterByte(info), '\xC6') << "code page 1251 byte of the Cyrillic letter";
  info.Uinfo = "\xD0\x96g rest";  // a two-byte first character
  EXPECT_EQ(TypeLetter(info), "g");
}

TEST(NodeTypeTable, DescriptionIsCutToOneHundredCharacters) {
  TNodeTypeInfo info;
  std::string cyrillic;
  for (int i = 0; i < 120; ++i) cyrillic += "\xD0\xAF";  // Я, two bytes each
  SetDescription(info, cyrillic);
  EXPECT_EQ(info.Uinfo.size(), 200u) << "100 characters, not 100 bytes";
  SetDescription(info, "short");
  EXPECT_EQ(info.Uinfo, "short");
}
