#include <gtest/gtest.h>

#include <string>

#include "model/graph.h"
#include "model/node_types.h"
#include "model/short_string.h"

using namespace vemu::model;

namespace {

TEST(NodeTypeNames, NamesOfTypesAndKinds) {
  EXPECT_EQ(NodeTypeName(0), "NoType");
  EXPECT_EQ(NodeTypeName(1), "System Node");
  EXPECT_EQ(NodeTypeName(2), "Symple Line");
  EXPECT_EQ(NodeTypeName(3), "Connector");
  EXPECT_EQ(NodeTypeName(4), "4 Uncknown node Type");
  EXPECT_EQ(NodeTypeName(19), "19 Uncknown node Type");
  EXPECT_EQ(NodeTypeName(255), "255 Uncknown node Type");
  EXPECT_EQ(LineKindName(0), "NoType");
  EXPECT_EQ(LineKindName(1), "alHaveItem");
  EXPECT_EQ(LineKindName(2), "alUponFace");
  EXPECT_EQ(LineKindName(3), "LineTo");
  EXPECT_EQ(LineKindName(4), "UnkcnownLine4");
  EXPECT_EQ(LineKindName(6), "UnkcnownLine6");
  EXPECT_EQ(LineKindName(103), "UnkcnownLine103");
}

TEST(NodeTypeNames, AsTextJoinsNameAndTypeName) {
  TheNode n;
  n.Name = "R1";
  n.NodeType = 19;
  EXPECT_EQ(n.AsText(), "R119 Uncknown node Type");
  n.NodeType = 1;
  n.Name = "Upper Level";
  EXPECT_EQ(n.AsText(), "Upper LevelSystem Node");
}

TEST(NodeTypeSets, ProbesAndSignedAmplifiers) {
  for (int t = 0; t < 256; ++t) {
    const bool probe = t == 31 || t == 35 || t == 36 || t == 37 || t == 38;
    const bool signedAmp = (t >= 25 && t <= 28) || t == 30;
    EXPECT_EQ(IsProbeType(t), probe) << t;
    EXPECT_EQ(IsSignedAmplifierType(t), signedAmp) << t;
  }
}

// Restores the full build's rules whatever a test does.
class VariantGuard {
 public:
  explicit VariantGuard(ModelVariant v) : previous_(CurrentModelVariant()) { SetModelVariant(v); }
  ~VariantGuard() { SetModelVariant(previous_); }
  VariantGuard(const VariantGuard&) = delete;
  VariantGuard& operator=(const VariantGuard&) = delete;

 private:
  ModelVariant previous_;
};

TEST(NodePredicates, FullBuildTypeTable) {
  VariantGuard full(ModelVariant::Full);
  TheNode n;
  for (int t = 0; t < 256; ++t) {
    n.NodeType = static_cast<std::uint8_t>(t);
    const bool element = (t >= 3 && t <= 31) || (t >= 33 && t <= 38);
    EXPECT_EQ(n.IsJunction(), t == 2) << t;
    EXPECT_EQ(n.IsElement(), element) << t;
    EXPECT_EQ(n.IsText(), t == 32) << t;
    EXPECT_EQ(n.IsContainer(), t == 1 || t == 29) << t;
    EXPECT_FALSE(n.IsMultiLineText()) << t;  // no value
  }
  n.NodeType = 29;  // the sub-circuit element is both
  EXPECT_TRUE(n.IsElement());
  EXPECT_TRUE(n.IsContainer());
  n.NodeType = 32;  // a text is neither
  EXPECT_FALSE(n.IsElement());
  EXPECT_FALSE(n.IsContainer());
  n.NodeType = 0;  // no type at all
  EXPECT_FALSE(n.IsElement() || n.IsJunction() || n.IsText() || n.IsContainer());
}

TEST(NodePredicates, SecondBuildCountsOnlyThreeToThirtyOneAsElements) {
  VariantGuard second(ModelVariant::Second);
  EXPECT_EQ(CurrentModelVariant(), ModelVariant::Second);
  TheNode n;
  for (int t = 0; t < 256; ++t) {
    n.NodeType = static_cast<std::uint8_t>(t);
    EXPECT_EQ(n.IsElement(), t >= 3 && t <= 31) << t;
    EXPECT_EQ(n.IsContainer(), t == 1 || t == 29) << t;
    EXPECT_EQ(n.IsText(), t == 32) << t;
    EXPECT_EQ(n.IsJunction(), t == 2) << t;
  }
}

TEST(NodePredicates, VariantGoesBackToFull) {
  { VariantGuard second(ModelVariant::Second); }
  EXPECT_EQ(CurrentModelVariant(), ModelVariant::Full);
  TheNode n;
  n.NodeType = 35;
  EXPECT_TRUE(n.IsElement());
}

TEST(NodePredicates, MultiLineTextNeedsATextWithASlash) {
  TheNode n;
  n.NodeType = 32;
  n.Value = "one line";
  EXPECT_TRUE(n.IsText());
  EXPECT_FALSE(n.IsMultiLineText());
  n.Value = "first/second";
  EXPECT_TRUE(n.IsMultiLineText());
  n.Value = "/";
  EXPECT_TRUE(n.IsMultiLineText());
  n.Value = "a\\b";
  EXPECT_FALSE(n.IsMultiLineText());
  n.NodeType = 19;  // a value with a slash on an element
  n.Value = "1/2";
  EXPECT_FALSE(n.IsMultiLineText());
}

TEST(NodeDescribe, PrefixFollowsTheOwner) {
  TheNode root, x1, x2, r;
  root.Name = "Upper Level";
  x1.Name = "X1";
  x1.Upper = &root;
  x2.Name = "X2";
  x2.Upper = &x1;
  r.Name = "R1";
  r.Number = 5;

  EXPECT_EQ(r.Describe(), "nil:R1 [#5] ");
  r.Upper = &root;
  EXPECT_EQ(r.Describe(), "R1 [#5] ");
  r.Upper = &x1;
  EXPECT_EQ(r.Describe(), "X1.R1 [#5] ");
  r.Upper = &x2;  // only the owner's own name, not the whole path
  EXPECT_EQ(r.Describe(), "X2.R1 [#5] ");
  r.Number = -12;
  r.Upper = &root;
  EXPECT_EQ(r.Describe(), "R1 [#-12] ");
  EXPECT_EQ(root.Describe(), "nil:Upper Level [#0] ");
  // An owner with an owner of its own but an empty name still gives a dot.
  x1.Name = "";
  r.Upper = &x1;
  EXPECT_EQ(r.Describe(), ".R1 [#-12] ");
  TheNode unnamed;
  EXPECT_EQ(unnamed.Describe(), "nil: [#0] ");
  // The second build names every owner, the root included.
  VariantGuard second(ModelVariant::Second);
  EXPECT_EQ(unnamed.Describe(), "nil/ [0] ");
  x1.Name = "X1";
  EXPECT_EQ(r.Describe(), "X1/R1 [-12] ");
  r.Upper = &root;
  EXPECT_EQ(r.Describe(), "Upper Level/R1 [-12] ");
}

TEST(ShortStrings, CutToThirtyBytes) {
  const std::string forty(40, 'a');
  ShortString<30> s(forty);
  EXPECT_EQ(s.size(), 30u);
  EXPECT_EQ(s.str(), std::string(30, 'a'));
  s = std::string("0123456789012345678901234567890123");
  EXPECT_EQ(s.str(), "012345678901234567890123456789");
  s = "short";
  EXPECT_EQ(s.str(), "short");
  s = std::string_view("\xC0\xC1\xC2");
  EXPECT_EQ(s.size(), 3u);  // single-byte characters
  EXPECT_EQ(ShortString<30>::capacity(), 30u);
  ShortString<30> exact(std::string(30, 'z'));
  EXPECT_EQ(exact.size(), 30u);
  EXPECT_TRUE(ShortString<30>().empty());

  TheNode n;
  n.Name = std::string(31, 'N');
  EXPECT_EQ(n.Name.str(), std::string(30, 'N'));
  TheBaseOfGraf g;
  g.Name = "A graph name longer than thirty characters";
  EXPECT_EQ(g.Name.str(), "A graph name longer than thirt");
}

}  // namespace
