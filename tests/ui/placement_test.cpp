// Element placement in the main window: palette texts, the amplifier menu,
// double clicks that place or open, pairs through the palette, junctions,
// text notes and the arrangement switch, in both programs.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "build2/second_profile.h"
#include "catalogue/messages.h"
#include "catalogue/node_type_table.h"
#include "model/placement.h"
#include "editing_program.h"

using vemu::catalogue::GetMsg;
using vemu::model::TheNode;
using vemu::test::EditingProgram;
using vemu::test::ModalWindows;

namespace {

std::string Uinfo(TForm1& form, int type) { return form.NodeTypes[static_cast<std::size_t>(type)].Uinfo; }

TEST(PlacementPalette, ButtonsChooseTheirTypeAndShowItsTexts) {
  EditingProgram program;
  TForm1& form = program.form();
  const struct { const char* button; int type; const char* limits; } cases[] = {
      {"SpeedButton5", 19, "IN:=1, OUT:=1"}, {"SpeedButton30", 29, ""}, {"SpeedButton13", 12, nullptr}};
  for (const auto& c : cases) {
    program.choose(c.button);
    EXPECT_EQ(form.CurrentType, c.type) << c.button;
    EXPECT_EQ(form.StatusText(2), GetMsg(31) + ":" + Uinfo(form, c.type)) << c.button;
    const auto& info = form.NodeTypes[static_cast<std::size_t>(c.type)];
    if (c.limits) EXPECT_EQ(form.StatusText(1), c.limits) << c.button;
    else EXPECT_EQ(form.StatusText(1), vemu::model::LinkLimitsText(info.L_in, info.L_out));
  }
  program.choose("SpeedButton41");
  EXPECT_EQ(form.CurrentType, 2);
  EXPECT_EQ(form.StatusText(2), GetMsg(33));
  EXPECT_EQ(form.StatusText(1), GetMsg(49));
}

TEST(PlacementPalette, AmplifierButtonAndItsMenu) {
  EditingProgram program;
  TForm1& form = program.form();
  form.show();
  program.choose("SpeedButton42");
  EXPECT_EQ(form.CurrentType, 25);
  EXPECT_EQ(form.StatusText(2), Uinfo(form, 25));
  EXPECT_EQ(form.StatusText(1), "IN:=1; OUT:=1;");
  EXPECT_TRUE(form.PopupMenu1->isVisible());
  form.B1->trigger();
  EXPECT_EQ(form.CurrentType, 27);
  EXPECT_EQ(form.StatusText(2), Uinfo(form, 27));
  form.PopupMenu1->hide();
  form.H1->trigger();
  EXPECT_EQ(form.CurrentType, 28);
  program.doubleClick(200, 100);
  TheNode* amp = program.members().front();
  EXPECT_EQ(amp->NodeType, 28);
  EXPECT_EQ(amp->Wx, -15 + 8);
}

TEST(PlacementDoubleClick, PlacesNamedElementsFirstAndMakesThemCurrent) {
  EditingProgram program;
  TForm1& form = program.form();
  const std::string letter = vemu::catalogue::TypeLetter(form.NodeTypes[19]);
  program.choose("SpeedButton5");
  program.doubleClick(100, 120);
  program.doubleClick(300, 120);
  const auto members = program.members();
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0]->Name.str(), letter + "2");
  EXPECT_EQ(members[1]->Name.str(), letter + "1");
  EXPECT_EQ(members[1]->X, 100);
  EXPECT_EQ(members[1]->Y, 120);
  EXPECT_EQ(form.Graph->CurrentNode, members[0]);
  EXPECT_EQ(form.Modified, 1);
  EXPECT_EQ(form.Backup.BackupCount, 2);
  // On a node: the value window, nothing new.
  program.doubleClick(105, 118);
  EXPECT_EQ(ModalWindows::shown, 1);
  EXPECT_EQ(program.members().size(), 2u);
  form.NewUnit1->trigger();  // the menu twin at the same point
  EXPECT_EQ(ModalWindows::shown, 2);
  // Without a runner and without a display the window counts as cancelled.
  form.RunModalWindow = nullptr;
  program.doubleClick(105, 118);
  EXPECT_EQ(program.members().size(), 2u);
}

TEST(PlacementDoubleClick, JunctionsTakeTheirNetNumber) {
  EditingProgram program;
  TForm1& form = program.form();
  program.doubleClick(50, 50);  // the junction tool is down after start-up
  form.MousePoint = {150, 50};
  form.NewNode1->trigger();
  const auto members = program.members();
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0]->NodeType, 2);
  EXPECT_EQ(members[1]->X, 150);
  EXPECT_EQ(members[0]->Name.str(), "1");
  EXPECT_EQ(members[1]->Name.str(), "2");
}

TEST(PlacementDoubleClick, NoratorSwitchesThePaletteAndPairsWithTheNullator) {
  EditingProgram program;
  TForm1& form = program.form();
  program.choose("SpeedButton11");
  form.MousePoint = {100, 100};
  form.PaintBox1DblClick();  // the placement alone: the press after it writes its own status
  EXPECT_EQ(form.CurrentType, 10);
  EXPECT_TRUE(form.findChild<QToolButton*>("SpeedButton12")->isChecked());
  EXPECT_EQ(form.StatusText(2), GetMsg(31) + ":" + Uinfo(form, 10));
  EXPECT_EQ(form.PendingHalf, program.members().front());
  program.doubleClick(300, 100);
  TheNode* nullator = program.members()[0];
  TheNode* norator = program.members()[1];
  EXPECT_EQ(nullator->Value, "1");
  EXPECT_EQ(norator->Value, "1");
  EXPECT_EQ(form.Graph->FindLineTo(norator, nullator) >= 0 ? 1 : 0, 1);
  EXPECT_EQ(form.PendingHalf, nullptr);
  EXPECT_EQ(form.CurrentType, 9);
}

TEST(PlacementDoubleClick, TextNoteOpensItsEntry) {
  {
    // Closed before the next program: each program saves its settings into its own folder.
    EditingProgram program;
    TForm1& form = program.form();
    program.choose("SpeedButton31");
    form.MousePoint = {80, 90};
    form.PaintBox1DblClick();  // the placement alone: a redraw sizes the note's block
    TheNode* note = program.members().front();
    EXPECT_EQ(note->Value, "I am the TEXT/next line");
    EXPECT_EQ(note->Name.str(), "text");
    EXPECT_EQ(note->Wx, 0);
    EXPECT_EQ(ModalWindows::shown, 1);
  }

  EditingProgram second(SecondProgramProfile());
  TForm1& form2 = second.form();
  second.dialogs.inputAnswers.push_back(std::string("Hello"));
  second.choose("SpeedButton31");
  second.doubleClick(80, 90);
  TheNode* note2 = second.members().front();
  EXPECT_EQ(note2->Value, "Hello");
  EXPECT_EQ(second.dialogs.prompts, std::vector<std::string>{"text"});
  EXPECT_EQ(ModalWindows::shown, 0);
  // The press of the double click comes after the box: it is ignored once.
  EXPECT_EQ(form2.IgnoreMouseDown, 0);
}

TEST(PlacementArrange, MenuTogglesAndEscEnds) {
  EditingProgram program;
  TForm1& form = program.form();
  form.GoBaby1->trigger();
  EXPECT_EQ(form.ArrangeMode, 1);
  EXPECT_EQ(program.dialogs.texts(), std::vector<std::string>{GetMsg(56)});
  form.FormKeyPress(27);
  EXPECT_EQ(form.ArrangeMode, 0);
}

}  // namespace
