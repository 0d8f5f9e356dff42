// The small dialogs: the move-to dialog's list of target nodes and its
// refusals, the About window's picture and text, the properties window's keys.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>
#include <cstdio>

#include "catalogue/messages.h"
#include "editing_program.h"
#include "model/move_targets.h"
#include "ui/about_window.h"
#include "ui/ask_insert_move.h"
#include "ui/properties_window.h"
#include "build2/second_profile.h"

namespace vemu::test {
namespace {

using model::MoveTarget;
using model::MoveTargetKind;
using model::MoveTargetRefusal;
using model::TheNode;

// The root level holds X1 (with X2 inside), a resistor named like a
// container, X3 and a junction.
struct MoveToFixture : ::testing::Test {
  EditingProgram program;
  TForm1& form = program.form();
  TAskInsertMove& dialog = *program.set.windows().AskInsertMove;
  TheNode* root = program.root();
  TheNode* x1 = add(root, 29, "X1");
  TheNode* x2 = add(x1, 29, "X2");
  TheNode* fake = add(root, 19, "X3");
  TheNode* x3 = add(root, 29, "X3");
  TheNode* j = add(root, 2, "5");

  TheNode* add(TheNode* level, int type, const char* name) {
    TheNode* n = form.Graph->AddNode(level, static_cast<std::uint8_t>(type));
    n->Name = name;
    form.Graph->AddLine(-1, level, n, model::alHaveItem);
    return n;
  }
  std::vector<QString> items() const {
    std::vector<QString> out;
    for (int i = 0; i < dialog.ListBox1->count(); ++i) out.push_back(dialog.ListBox1->item(i)->text());
    return out;
  }
};

TEST_F(MoveToFixture, TheListHoldsTheContainersOfTheLevelAsNodes) {
  j->Selected = 1;
  dialog.FillTargets(root);
  const QString fresh = QString::fromStdString(catalogue::GetMsg(64));
  const QString above = QString::fromStdString(catalogue::GetMsg(65));
  EXPECT_EQ(items(), (std::vector<QString>{fresh, above, "X1", "X3"}));
  EXPECT_EQ(dialog.Targets[3], (MoveTarget{MoveTargetKind::Container, x3}));  // the container, not the resistor
  EXPECT_EQ(dialog.Targets[1], (MoveTarget{MoveTargetKind::OwnerLevel, nullptr}));
  EXPECT_EQ(dialog.ListBox1->currentRow(), 0);

  // A selected container moves itself: it is not offered.
  x1->Selected = 1;
  dialog.FillTargets(root);
  EXPECT_EQ(items(), (std::vector<QString>{fresh, above, "X3"}));
  dialog.FillTargets(x1);
  EXPECT_EQ(items(), (std::vector<QString>{fresh, above, "X2"}));
  EXPECT_EQ(dialog.Targets[1].node, root);
}

TEST_F(MoveToFixture, TheChoiceGoesBackAsItsNode) {
  j->Selected = 1;
  struct Case {
    const char* click;  // item clicked before OK; null: none
    int result;
    std::optional<MoveTarget> target;
  };
  const Case cases[] = {
      {nullptr, 1, MoveTarget{MoveTargetKind::NewSubCircuit, nullptr}},  // OK alone: item 0
      {"X3", 1, MoveTarget{MoveTargetKind::Container, x3}},
      {"X1", 2, std::nullopt},  // cancelled
  };
  for (const Case& c : cases) {
    ModalWindows::onShow = [&](QWidget& window) {
      EXPECT_EQ(&window, &dialog);
      EXPECT_EQ(dialog.ChosenIndex, 0);
      if (c.click) {
        EXPECT_TRUE(dialog.ChooseItem(c.click));
        EXPECT_EQ(dialog.windowTitle(), QString("=->") + c.click);
      }
      return c.result;
    };
    EXPECT_EQ(dialog.AskMoveTarget(root), c.target) << (c.click ? c.click : "none");
    EXPECT_TRUE(dialog.Targets.empty());  // no node pointer kept
  }
  EXPECT_TRUE(program.dialogs.boxes.empty());
  EXPECT_FALSE(dialog.ChooseItem("X9"));
}

TEST_F(MoveToFixture, ATargetThatWouldMoveIsRefused) {
  // The plain rule: selected, inside a selected member, or not in the level.
  x1->Selected = 1;
  const auto refusal = [&](TheNode* n) {
    return model::RefuseMoveTarget(*form.Graph, root, {MoveTargetKind::Container, n});
  };
  EXPECT_EQ(refusal(x1), MoveTargetRefusal::Selected);
  EXPECT_EQ(refusal(x2), MoveTargetRefusal::InsideSelected);
  EXPECT_EQ(refusal(x3), MoveTargetRefusal::None);
  EXPECT_EQ(refusal(fake), MoveTargetRefusal::NotAContainer);
  EXPECT_EQ(refusal(nullptr), MoveTargetRefusal::NotAContainer);
  EXPECT_EQ(model::RefuseMoveTarget(*form.Graph, x1, {MoveTargetKind::Container, x3}),
            MoveTargetRefusal::NotAContainer);
  EXPECT_EQ(model::RefuseMoveTarget(*form.Graph, root, {MoveTargetKind::OwnerLevel, nullptr}),
            MoveTargetRefusal::None);

  // Through the dialog: X3 becomes selected while the dialog asks.
  ModalWindows::onShow = [&](QWidget&) {
    dialog.ChooseItem("X3");
    x3->Selected = 1;
    return 1;
  };
  EXPECT_EQ(dialog.AskMoveTarget(root), std::nullopt);
  ASSERT_EQ(program.dialogs.boxes.size(), 1u);
  EXPECT_EQ(program.dialogs.boxes[0].text, catalogue::GetMsg(56) + "\n\rX3");
  EXPECT_EQ(program.dialogs.boxes[0].icon, platform::MsgIcon::Warning);
}

TEST_F(MoveToFixture, EscCancelsAndNoRunnerWithoutADisplayCancels) {
  dialog.FillTargets(root);
  dialog.show();
  program.key(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), 2);
  EXPECT_FALSE(dialog.isVisible());
  form.RunModalWindow = nullptr;
  EXPECT_EQ(dialog.AskMoveTarget(root), std::nullopt);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Переместить в..."));
}

// What the About window's picture area shows at a size.
QImage PaintedAbout(TForm4& about, int w, int h) {
  about.PaintBox1->resize(w, h);
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  about.PaintBox1Paint(painter);
  return image;
}

TEST(AboutWindow, PictureStretchedWhenTheFileExistsAndTheTextAlways) {
  for (const bool withPicture : {true, false}) {
    ScratchFolder folder;
    folder.copyShippedData();
    if (!withPicture) std::remove(folder.file("IMAGES/About2.bmp").c_str());
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    WindowSet set(FullProgramProfile(), {"vemu3"});
    TForm4& about = *set.windows().Form4;
    EXPECT_EQ(about.Picture != nullptr, withPicture);
    EXPECT_TRUE(about.Memo1->isReadOnly());
    EXPECT_TRUE(about.Memo1->toPlainText().contains("Circuit editor"));
    for (const QSize size : {QSize(180, 160), QSize(320, 240)}) {
      const QImage painted = PaintedAbout(about, size.width(), size.height());
      if (!withPicture) {
        EXPECT_EQ(painted.pixel(size.width() - 1, size.height() - 1), QColor(Qt::white).rgb());
        continue;
      }
      // The picture's corners reach the area's corners at every size.
      const QImage picture = about.Picture->convertToFormat(QImage::Format_RGB32);
      EXPECT_EQ(painted.pixel(0, 0), picture.pixel(0, 0));
      EXPECT_EQ(painted.pixel(size.width() - 1, size.height() - 1),
                picture.pixel(picture.width() - 1, picture.height() - 1));
    }
    about.show();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&about, &esc);
    EXPECT_FALSE(about.isVisible());
  }
}

TEST(PropertiesWindow, MadeWithItsControlsAndEndedByEnterOrEsc) {
  EditingProgram program(SecondProgramProfile());
  TFrm_Properties& window = *program.set.windows().Frm_Properties;
  EXPECT_EQ(window.Check1Info->text(), "Invertion");
  EXPECT_TRUE(window.Check1Info->isChecked());
  EXPECT_EQ(window.ButtonCansel->text(), "Cansel");
  EXPECT_EQ(window.findChild<QLineEdit*>("EditName"), window.EditName);
  for (const auto& [key, result] : {std::pair{Qt::Key_Return, 1}, std::pair{Qt::Key_Escape, 2}}) {
    window.show();
    program.key(&window, key);
    EXPECT_EQ(window.result(), result);
    EXPECT_FALSE(window.isVisible());
  }
}

}  // namespace
}  // namespace vemu::test
