// Small circuits built in code for the file tests, and the exact bytes the
// writer gives for them.
#pragma once

#include <memory>
#include <string>

#include "files/circuit_file.h"
#include "model/graph.h"

namespace vemu::test {

// Root "Upper Level" holding: R1 (type 19, value 10k) from junction 3 to
// junction 4, junction 3 (ground mark 2, empty value) wired to junction 4,
// amplifier K1 (type 26, "+" sign) controlled by R1, and a two-line text
// note with its own label offsets. Node 2 (R1) is current; node 5 (K1) is
// in the preview window.
struct SampleCircuit {
  std::unique_ptr<model::TheBaseOfGraf> graph = std::make_unique<model::TheBaseOfGraf>();
  model::TheNode* root = nullptr;
  model::TheNode* r1 = nullptr;
  model::TheNode* j3 = nullptr;
  model::TheNode* j4 = nullptr;
  model::TheNode* k1 = nullptr;
  model::TheNode* text = nullptr;
  files::CircuitViewState view;

  SampleCircuit() {
    model::TheBaseOfGraf& g = *graph;
    root = g.AddNode(nullptr, model::ntRoot);
    root->Name = "Upper Level";
    auto member = [&](std::uint8_t type, const char* name, const char* value, int x, int y) {
      model::TheNode* n = g.AddNode(root, type);
      n->Name = name;
      n->Value = value;
      n->X = x;
      n->Y = y;
      g.AddLine(-2, root, n, model::alHaveItem);
      return n;
    };
    r1 = member(19, "R1", "10k", 100, 50);
    j3 = member(model::ntJunction, "3", "", 200, 50);
    j3->Ground = 2;
    j4 = member(model::ntJunction, "4", "", 200, 150);
    k1 = member(26, "K1", "2.5", 300, 50);
    k1->Polarity = 1;
    text = member(model::ntText, "T1", "a text/two lines", 50, 250);
    text->Wx = 10;
    text->Wy = -5;
    g.AddLine(-2, r1, j3, model::alOutPin);
    g.AddLine(-2, r1, j4, model::alInPin);
    g.AddLine(-2, j3, j4, model::alWire);
    g.AddLine(-2, k1, r1, model::alControl);
    g.MainNode = root;
    g.CurrentNode = r1;
    view.shownNode = k1;
    view.originX = 12;
    view.originY = -30;
    view.scale = 1.21;
  }
};

// What the writer gives for SampleCircuit.
inline std::string SampleCircuitText() {
  return "noname\r\n"
         "Vemu.exe (WxWy) $Cur $SS $Scale\r\n"
         "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n"
         "      6 - How many nodes\r\n"
         "      1 - Main node\r\n"
         "      2 - Current node\r\n"
         "--N--X---Y-Type-Up-Lines-Name-Value\r\n"
         "  1   0   0  1   0 5 -15 -15 Upper Level \r\n"
         "       1   2\r\n"
         "       1   3\r\n"
         "       1   4\r\n"
         "       1   5\r\n"
         "       1   6\r\n"
         "  2 100  50 19   1 2 -15 -15 R1 10k\r\n"
         "       4   3\r\n"
         "       5   4\r\n"
         "  3 200  50  2   1 1 -15 -15 3  G2\r\n"
         "       6   4\r\n"
         "  4 200 150  2   1 0 -15 -15 4 \r\n"
         "  5 300  50 26   1 1 -15 -15 +K1 2.5\r\n"
         "       7   2\r\n"
         "  6  50 250 32   1 0  10  -5 T1 a text/two lines\r\n"
         "      5 SubCircuit \r\n"
         "     12 -30 1.210\r\n";
}

}  // namespace vemu::test
