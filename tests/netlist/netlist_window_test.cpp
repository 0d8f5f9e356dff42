// The main window's netlist commands: "Create text file" into the text
// window, the questions on the drawing, centring on a node.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolButton>

#include "catalogue/settings.h"
#include "netlist/windows/text_window.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "ui/window_set.h"
#include "support/graph_members.h"

using vemu::model::TheNode;
using vemu::platform::MsgResult;

namespace {

struct Program {
  Program() : scope(dialogs), set(FullProgramProfile(), {"vemu3"}) {
    // The netlist only: no analysis run after it.
    set.windows().Settings->CheckTreeActionByOnePress = false;
    root = form().Graph->MainNode;
  }
  TForm1& form() { return *set.windows().Form1; }
  TForm6& text() { return *set.windows().Form6; }
  TheNode* add(TheNode* owner, std::uint8_t type, const char* name) {
    return vemu::testing::AddMember(*form().Graph, owner, type, name);
  }
  std::vector<std::string> memo() {
    std::vector<std::string> lines;
    for (QTextBlock b = text().Memo1->document()->firstBlock(); b.isValid(); b = b.next())
      lines.push_back(vemu::platform::toUtf8(b.text()));
    return lines;
  }

  vemu::test::ScratchFolder folder;
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope;
  WindowSet set;
  TheNode* root = nullptr;
};

TEST(NetlistWindow, CreateTextFileFillsTheTextWindowAndMarksAnUnpackedList) {
  Program p;
  TForm1& form = p.form();
  TheNode* g = p.add(p.root, vemu::model::ntJunction, "g");
  g->Ground = 1;
  TheNode* x1 = p.add(p.root, vemu::model::ntSubCircuit, "X1");
  TheNode* r = p.add(x1, 19, "R1");
  r->Value = "1";
  r->X = 400;
  r->Y = 300;
  form.Graph->AddLine(-2, r, g, vemu::model::alOutPin);
  form.SaveDialogFileName = "/some/folder/Circuit.dag";
  form.RunButton->setEnabled(false);
  p.dialogs.boxAnswers = {MsgResult::Ignore};
  form.FromCtoMButtonClick();
  EXPECT_EQ(p.memo(), (std::vector<std::string>{"Circuit.dag", ".AC LOG 5 10100", "X1", "R1  0    1", ".X",
                                                ".END", "List not packed."}));
  EXPECT_TRUE(form.RunButton->isEnabled());
  EXPECT_TRUE(p.text().isVisible());
  EXPECT_EQ(p.text().windowTitle().toStdString(), vemu::platform::programFolder() + "cir");
  // The question showed R1 on its level, selected, current and centred.
  EXPECT_EQ(form.Graph->MainNode, x1);
  EXPECT_EQ(form.Graph->CurrentNode, r);
  EXPECT_EQ(r->Selected, 1);
  const auto at = form.View->LogicalToScreen(r->GetPos());
  EXPECT_EQ(at.x, form.PaintBox1->width() / 2);
  EXPECT_EQ(at.y, form.PaintBox1->height() / 4);
  EXPECT_EQ(form.StatusText(2), p.dialogs.boxes.back().text);
}

TEST(NetlistWindow, CenterOnNodeShowsTheNodeItselfWithoutOwner) {
  Program p;
  TForm1& form = p.form();
  form.View->Scale = 2.0;
  p.root->X = 10;
  p.root->Y = -20;
  form.CenterOnNode(p.root);
  EXPECT_EQ(form.Graph->MainNode, p.root);
  const auto at = form.View->LogicalToScreen(p.root->GetPos());
  EXPECT_EQ(at.x, form.PaintBox1->width() / 2);
  EXPECT_EQ(at.y, form.PaintBox1->height() / 4);
  form.CenterOnNode(nullptr);  // nothing
  EXPECT_EQ(form.Graph->MainNode, p.root);
}

}  // namespace
