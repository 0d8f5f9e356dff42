#include <gtest/gtest.h>

#include "model/graph.h"
#include "model/node_types.h"

using namespace vemu::model;

TEST(NodeTypeNames, NamesOfTypesAndKinds) {
  EXPECT_EQ(NodeTypeName(0), "NoType");
  EXPECT_EQ(NodeTypeName(1), "System Node");
  EXPECT_EQ(NodeTypeName(2), "Symple Line");
  EXPECT_EQ(NodeTypeName(3), "Connector");
  EXPECT_EQ(NodeTypeName(19), "19 Uncknown node Type");
  EXPECT_EQ(LineKindName(0), "NoType");
  EXPECT_EQ(LineKindName(1), "alHaveItem");
  EXPECT_EQ(LineKindName(2), "alUponFace");
  EXPECT_EQ(LineKindName(3), "LineTo");
  EXPECT_EQ(LineKindName(6), "UnkcnownLine6");
}
