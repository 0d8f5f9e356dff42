// The shipped language packs, loaded the way the program loads them, and the
// shipped user guide against the menus those captions give.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <string>

#include "catalogue/node_type_table.h"
#include "catalogue/settings_file.h"
#include "catalogue/windows/settings_window.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "build2/second_profile.h"
#include "support/scratch_folder.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

using vemu::platform::ScopedDialogs;
using vemu::platform::ScriptedDialogs;

namespace {

// The letters of the types 0 to 38, the same in every pack.
const char* const kLetters[39] = {"O", "S", "N", "E", "J", "I", "U", "V", "A", "N", "N", "U", "K",
                                  "I", "H", "U", "G", "I", "B", "R", "g", "L", "l", "C", "c", "G",
                                  "H", "K", "B", "X", "N", "P", "T", "H", "G", "Q", "Y", "W", "K"};

// Keys the main window takes itself, outside any action: window size, the
// Delete key, Esc, the zoom characters and the modifiers of mouse gestures.
const QStringList kWindowKeys = {"F4", "Ctrl+F4", "Delete", "Esc", "+", "-", "Shift", "Ctrl", "Alt"};

// The page's text of a mark, with its entities and line breaks undone.
QString PlainText(QString html) {
  html.replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
  return html.simplified();
}

// The visible menu item at "Menu > Item" (or "Menu > Submenu > Item").
QAction* MenuItemAt(TForm1& form, const QString& path) {
  QList<QAction*> actions = form.menuBar()->actions();
  QAction* found = nullptr;
  for (const QString& part : path.split(" > ")) {
    found = nullptr;
    for (QAction* a : actions)
      if (a->isVisible() && QString(a->text()).remove('&') == part) found = a;
    if (!found) return nullptr;
    actions = found->menu() ? found->menu()->actions() : QList<QAction*>{};
  }
  return found;
}

bool IsShortcutOfWindow(TForm1& form, const QString& key) {
  const QKeySequence wanted(key, QKeySequence::PortableText);
  const auto has = [&](QAction* a) { return !wanted.isEmpty() && a->shortcuts().contains(wanted); };
  return kWindowKeys.contains(key) || std::ranges::any_of(form.findChildren<QAction*>(), has);
}

bool ShowsHint(TForm1& form, const QString& hint) {
  const auto shows = [&](QAbstractButton* b) { return b->toolTip() == hint; };
  return std::ranges::any_of(form.findChildren<QAbstractButton*>(), shows);
}

}  // namespace

TEST(ShippedPacks, EveryPackHasItsLinesAndTheSameTypeLetters) {
  vemu::test::ScratchFolder folder;
  folder.copyShippedData();
  ScriptedDialogs dialogs;
  ScopedDialogs scope(dialogs);
  WindowSet set(FullProgramProfile(), {"vemu3"});
  TForm1& form = *set.windows().Form1;
  // English at start: the shipped language files are the English pack.
  EXPECT_EQ(folder.read("IMAGES/language1.txt"), folder.read("IMAGES/L1e.txt"));
  EXPECT_EQ(folder.read("IMAGES/language2.txt"), folder.read("IMAGES/L2e.txt"));

  // The shipped start.txt is what SAVE writes from the default values with
  // the results put on the drawing.
  vemu::catalogue::Settings design;
  design.CheckUpdateDigitsOnCircuit = true;
  const std::string shipped = folder.read("IMAGES/start.txt");
  EXPECT_EQ(vemu::platform::splitLines(shipped), vemu::catalogue::StartFileLines(design));
  EXPECT_EQ((std::vector<int>{form.LineWidth0, form.LineWidth1, form.LineWidth2}), (std::vector<int>{2, 1, 1}));
  set.windows().Form3->ButtonSAVE->click();
  EXPECT_EQ(folder.read("IMAGES/start.txt"), shipped);

  QAction* items[4] = {form.Russian1, form.English1, form.Polland1, form.German1};
  const char* suffix[4] = {"r", "e", "p", "g"};
  for (int pack = 0; pack < 4; ++pack) {
    SCOPED_TRACE(suffix[pack]);
    const std::string l1 = std::string("IMAGES/L1") + suffix[pack] + ".txt";
    const std::string l2 = std::string("IMAGES/L2") + suffix[pack] + ".txt";
    EXPECT_EQ(vemu::platform::splitLines(vemu::platform::decodeFileText(folder.read(l1))).size(), 70u);
    EXPECT_EQ(vemu::platform::splitLines(vemu::platform::decodeFileText(folder.read(l2))).size(), 173u);

    items[pack]->trigger();  // through the menu, as the user switches
    EXPECT_EQ(folder.read("IMAGES/language1.txt"), folder.read(l1));
    EXPECT_EQ(form.Messages.size(), 70u);
    ASSERT_EQ(form.NodeTypes.size(), 39u);
    for (int t = 0; t < 39; ++t)
      EXPECT_EQ(vemu::catalogue::TypeLetter(form.NodeTypes[static_cast<std::size_t>(t)]), kLetters[t])
          << "type " << t;
    EXPECT_EQ(set.windows().Form3->BoxBat->count(), 4);
    // setup.sym follows the language: "0" for Russian, "1" for the others.
    const auto setup = vemu::platform::splitLines(folder.read("setup.sym"));
    bool found = false;
    for (std::size_t i = 0; i + 1 < setup.size(); ++i)
      if (setup[i] == "Output \"s\" (1) or \"p\" (0)") {
        EXPECT_EQ(setup[i + 1], pack == 0 ? "0" : "1");
        found = true;
      }
    EXPECT_TRUE(found);
  }
  // The shipped examples name their sensors by the same letters.
  for (const char* example : {"amplifier", "divider", "example", "gallery", "rc_filter", "subcircuit"}) {
    ASSERT_TRUE(form.ReadCircuitFile(folder.file(std::string("FILES/") + example + ".dag")));
    form.Graph->forEachNode([&](const vemu::model::TheNode* n) {
      if (n->NodeType == 5 || n->NodeType == 6) {
        EXPECT_EQ(n->Name.str().substr(0, 1), kLetters[n->NodeType]) << example << " " << n->Name.str();
      }
    });
  }
  EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text;
}

// Every menu item the help page names is one of the window's menus, with the
// page's short-cut; every other key it names is one the window has; every
// tool button it names shows that hint. Items marked "full" are vemu3's only.
TEST(ShippedPacks, HelpPageNamesTheMenusAsTheyAre) {
  for (const bool second : {false, true}) {
    SCOPED_TRACE(second ? "vemu" : "vemu3");
    vemu::test::ScratchFolder folder;
    folder.copyShippedData();
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    WindowSet set(second ? SecondProgramProfile() : FullProgramProfile(), {second ? "vemu" : "vemu3"});
    TForm1& form = *set.windows().Form1;
    QString page = QString::fromUtf8(folder.read("HELP/Help2/index.html"));
    int items = 0, keys = 0, buttons = 0;
    static const QRegularExpression menuMark(R"re(<b class="menu( full)?">(.*?)</b>(\s*<kbd>(.*?)</kbd>)?)re",
                                             QRegularExpression::DotMatchesEverythingOption);
    for (const auto& m : menuMark.globalMatch(page)) {
      const QString path = PlainText(m.captured(2));
      const QAction* item = MenuItemAt(form, path);
      ++items;
      EXPECT_EQ(item != nullptr, !second || m.captured(1).isEmpty()) << path.toStdString();
      if (item && m.hasCaptured(4)) {
        EXPECT_EQ(item->shortcut().toString().toStdString(),
                  QKeySequence(m.captured(4), QKeySequence::PortableText).toString().toStdString())
            << path.toStdString();
      }
    }
    page.remove(menuMark);
    static const QRegularExpression keyMark("<kbd>(.*?)</kbd>"), buttonMark(R"re(<b class="button">(.*?)</b>)re");
    for (const auto& m : keyMark.globalMatch(page)) {
      ++keys;
      EXPECT_TRUE(IsShortcutOfWindow(form, PlainText(m.captured(1)))) << m.captured(1).toStdString();
    }
    for (const auto& m : buttonMark.globalMatch(page)) {
      ++buttons;
      EXPECT_TRUE(ShowsHint(form, PlainText(m.captured(1)))) << m.captured(1).toStdString();
    }
    EXPECT_GT(items, 40);
    EXPECT_GT(keys, 5);
    EXPECT_EQ(buttons, 3);
  }
}
