// The element-type window and the picture chooser on a scratch program folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "catalogue/nodes_info_file.h"
#include "catalogue/windows/node_type_window.h"
#include "catalogue/windows/picture_chooser.h"
#include "platform/text_file.h"
#include "ui/editing_program.h"

namespace vemu::test {
namespace {

struct ElementTypeWindow : ::testing::Test {
  EditingProgram program;
  TFormAddNewNodeType& window = *program.set.windows().FormAddNewNodeType;
  TFormLoadImage& chooser = *program.set.windows().FormLoadImage;

  void SetUp() override {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    program.folder.makeDir("PICS");
    for (const char* name : {"IMAGES/pa.bmp", "IMAGES/pb.bmp", "PICS/pa.bmp", "PICS/pb.BMP"})
      picture.save(program.folder.file(name).c_str(), "BMP");
  }
  // Puts the chooser's caret on the line of `name` and previews it.
  void pick(const QString& name) {
    chooser.Memo1->setTextCursor(chooser.Memo1->document()->find(name));
    chooser.Memo1Click();
  }
  const catalogue::TNodeTypeInfo& type(int i) { return program.form().NodeTypes[static_cast<std::size_t>(i)]; }
};

TEST_F(ElementTypeWindow, TheMenuCommandListsEveryTypeAndShowsTypeZero) {
  window.ShowType(7);
  program.form().AddNewNodeType->trigger();
  EXPECT_EQ(ModalWindows::shown, 1);
  EXPECT_EQ(window.Memo1->document()->blockCount(), 39);
  EXPECT_EQ(window.Memo1->document()->findBlockByNumber(3).text(), "[3] " + QString::fromStdString(type(3).Uinfo));
  EXPECT_EQ(window.Label4->text(), "NAME: 0 type");
  window.Memo1->setTextCursor(QTextCursor(window.Memo1->document()->findBlockByNumber(12)));
  window.Memo1Click();
  EXPECT_EQ(window.Label4->text(), "NAME: 12 type");
  EXPECT_TRUE(window.CheckBox1->isChecked());
  EXPECT_TRUE(window.CheckBox4->isChecked());
  EXPECT_EQ(window.Edit1->text(), "1");
  window.ShowType(39);
  EXPECT_EQ(program.dialogs.texts(), std::vector<std::string>{"Error unit type"});
  EXPECT_EQ(window.CurrentType(), 12);
}

TEST_F(ElementTypeWindow, LoadCfgTakesPictureNamesAndEnablesSave) {
  const std::string path = program.folder.file("IMAGES/nodesinfo.txt");
  platform::removeFile(path);
  window.ButtonLoadFile->click();
  EXPECT_EQ(program.dialogs.texts(), std::vector<std::string>{"Cannot open file\r" + path});
  EXPECT_FALSE(window.ButtonSave->isEnabled());
  std::vector<std::string> lines = catalogue::NodesInfoLines(program.form().NodeTypes);
  lines[3 + 4 * 9 + 7] = "[4].filename=pb.bmp";
  ASSERT_TRUE(platform::writeLines(path, lines));
  window.ButtonLoadFile->click();
  EXPECT_TRUE(window.ButtonSave->isEnabled());
  EXPECT_EQ(window.Memo2->document()->findBlockByNumber(4).text(), "[4].FileName,46 {pb.bmp)");
  window.ShowType(4);
  EXPECT_FALSE(window.Image3->pixmap().isNull());
  platform::removeFile(path);
  window.ButtonSave->click();
  EXPECT_EQ(window.windowTitle().toStdString(), path);
  EXPECT_EQ(platform::readLines(path, platform::kSettingsReadLimit), std::optional(catalogue::NodesInfoLines(program.form().NodeTypes)));
  EXPECT_EQ((*platform::readLines(path, platform::kSettingsReadLimit))[3 + 4 * 9 + 7], "[4].FileName=pb.bmp");
}

TEST_F(ElementTypeWindow, ThePictureChoiceSetsTheCurrentTypesPicture) {
  window.ShowType(6);
  ModalWindows::onShow = [this](QWidget& shown) {
    EXPECT_EQ(&shown, &chooser);
    pick("pa.bmp");
    platform::removeFile(program.folder.file("IMAGES/pa.bmp"));
    pick("pa.bmp");  // a line naming no file keeps the choice
    EXPECT_EQ(chooser.windowTitle(), "Erroro image [pa.bmp]");
    EXPECT_EQ(chooser.Choice(), "pa.bmp");
    pick("pb.bmp");
    return 1;
  };
  window.ButtonLoadImg->click();
  EXPECT_EQ(type(6).filename.str(), "pb.bmp");
  EXPECT_EQ(window.windowTitle(), "pb.bmp");
  EXPECT_EQ(window.Edit4->text(), "pb.bmp");
  EXPECT_FALSE(window.Image3->pixmap().isNull());
  ModalWindows::onShow = [this](QWidget&) {
    pick("pb.bmp");
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(chooser.Memo1, &esc);
    EXPECT_TRUE(chooser.Choice().empty());
    return chooser.result();
  };
  window.ButtonLoadImg->click();
  EXPECT_EQ(type(6).filename.str(), "pb.bmp");
}

TEST_F(ElementTypeWindow, TheChooserPreviewsWithTheArrowKeysAndRefusesAMissingFolder) {
  ASSERT_TRUE(chooser.ShowFolder(program.folder.file("PICS/")));
  ASSERT_EQ(chooser.Memo1->document()->blockCount(), 2);
  const QString first = chooser.Memo1->document()->firstBlock().text();
  const QString second = chooser.Memo1->document()->lastBlock().text();
  chooser.Memo1->setFocus();
  for (int key : {Qt::Key_Down, Qt::Key_Up}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier), release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(chooser.Memo1, &press);
    QApplication::sendEvent(chooser.Memo1, &release);
    EXPECT_EQ(chooser.windowTitle(), key == Qt::Key_Down ? second : first);
    EXPECT_EQ(chooser.Choice(), (key == Qt::Key_Down ? second : first).toStdString());
  }
  EXPECT_FALSE(chooser.Image1->pixmap().isNull());
  EXPECT_FALSE(chooser.ShowFolder(program.folder.file("NONE/")));
  EXPECT_EQ(program.dialogs.texts(), std::vector<std::string>{"Cannot Find Directry\r" + program.folder.file("NONE/")});
  EXPECT_TRUE(chooser.Choice().empty());
}

}  // namespace
}  // namespace vemu::test
