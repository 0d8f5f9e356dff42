#include "catalogue/captions_table.h"

#include <initializer_list>

namespace vemu::catalogue {
namespace {

using W = CaptionWindow;
using K = CaptionKind;

class LayoutBuilder {
 public:
  explicit LayoutBuilder(bool second) : second_(second) {}

  // One target on `line`.
  LayoutBuilder& at(int line, W window, std::string_view name, K kind) {
    targets_.push_back({line, window, name, kind, -1});
    return *this;
  }
  // A target only the full program has.
  LayoutBuilder& fullOnly(int line, W window, std::string_view name, K kind) {
    if (!second_) at(line, window, name, kind);
    return *this;
  }
  // Consecutive lines from `first`, one target each, all of the same kind.
  LayoutBuilder& run(int first, W window, std::initializer_list<std::string_view> names, K kind) {
    int line = first;
    for (std::string_view name : names) at(line++, window, name, kind);
    return *this;
  }
  LayoutBuilder& ignored(int line) { return at(line, W::Main, {}, K::Ignored); }
  // Consecutive description lines from `first` for the types from `firstType`.
  LayoutBuilder& descriptions(int first, int firstType, int count) {
    const K kind = second_ ? K::DescriptionText : K::Description;
    for (int i = 0; i < count; ++i) targets_.push_back({first + i, W::Main, {}, kind, firstType + i});
    return *this;
  }

  std::vector<CaptionTarget> take() { return std::move(targets_); }

 private:
  bool second_;
  std::vector<CaptionTarget> targets_;
};

std::vector<CaptionTarget> BuildTargets(bool second) {
  LayoutBuilder b(second);
  b.at(1, W::Main, "File1", K::Caption)
      .at(2, W::Main, "Newcircuit1", K::Caption)
      .at(2, W::Main, "ActNewCircuit", K::ActionHint)
      .at(3, W::Main, "LoadFile1", K::Caption)
      .fullOnly(3, W::Main, "LoadFile1", K::Hint)
      .at(3, W::Main, "ActLoad", K::ActionHint)
      .run(4, W::Main, {"Save1", "Exit1", "Edit1", "NewUnit1", "NewNode1", "Deleteobject1"}, K::Caption)
      .ignored(10)
      .at(11, W::Main, "CreateText1", K::Caption)
      .at(11, W::Main, "ActTextWin", K::ActionHint)
      .run(12, W::Main, {"Position1", "SelectAll1", "HideCross1", "UnselectAll1", "About1"}, K::Caption)
      .at(17, W::Main, "Settings1", K::Caption)
      .at(17, W::Main, "ActSettings", K::ActionHint)
      .run(18, W::Main, {"PrintScreen1", "Info1"}, K::Caption)
      .at(20, W::Main, "Button2", K::Caption)
      .at(21, W::Main, {}, K::FixedTitle)
      .at(22, W::Settings, {}, K::Caption)
      .run(23, W::Settings, {"GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4"}, K::Caption)
      .run(27, W::Settings,
           {"CheckShadow", "CheckShadowMoving", "CheckCross", "CheckNodeMove", "CheckNamesSee"}, K::Caption)
      .run(32, W::Settings, {"Label1", "Label2"}, K::Caption)
      .at(34, W::Settings, "CheckLineMove", K::Caption)
      .at(35, W::About, {}, K::Caption)
      .ignored(36)
      .ignored(37)
      .run(38, W::Main,
           {"SBUpHieracy", "SBDownHieracy", "FromCtoMButton", "RunButton", "SpeedButton1", "Button2", "Edit2",
            "Edit3"},
           K::Hint)
      .run(46, W::Settings, {"Label3", "Label4"}, K::Caption)
      .run(48, W::Settings, {"CheckTransparency", "CheckPlusMines"}, K::Caption)
      .run(50, W::Settings, {"Label5", "Label6", "Label7"}, K::Caption)
      .at(53, W::Main, "Centerscreen1", K::Caption)
      .run(54, W::Settings, {"CheckValues", "Checknodes", "CheckDrawAndCreate"}, K::Caption)
      .ignored(57)
      .at(58, W::Settings, "EditInfoColor", K::Text)
      .at(59, W::Settings, "CheckImages", K::Caption)
      .at(60, W::Main, "CopyToClipboard", K::Caption)
      .at(61, W::Settings, "CheckPMonCurrent", K::Caption)
      .at(62, W::Main, "CenteronSelect1", K::Caption)
      .at(63, W::Settings, "Label8", K::Caption)
      .run(64, W::Settings,
           {"CheckUseGrid", "CheckSeeGrid", "CheckAdditionalString", "CheckAutoLoadOutFile",
            "CheckFitToGridOnMoving", "CheckLoadDigitAnywere"},
           K::Caption)
      .run(70, W::Main, {"Option1", "Default1"}, K::Caption)
      .run(72, W::Main, {"SpeedButton33", "SpeedZoomin", "SpeedZumout"}, K::Hint)
      .run(75, W::Main, {"ClearAllInputValues1", "DeleteAllLines1"}, K::Caption)
      .run(77, W::Settings, {"CheckNodeToCenterIfError", "CheckAutoLoadClcFile"}, K::Caption)
      .at(79, W::Main, "GroundNode1", K::Caption)
      .run(80, W::Settings, {"EditTBrush", "EditTColor"}, K::Text)
      .at(82, W::Settings, "LabelText", K::Caption)
      .at(83, W::Main, "Rename", K::Caption)
      .at(84, W::Main, "SubCircuitWindow", K::Caption)
      .at(84, W::Main, "ActSubWin", K::ActionHint)
      .at(85, W::Main, "UpLevelWindow1", K::Caption)
      .at(85, W::Main, "ActMainWin", K::ActionHint)
      .run(86, W::Main, {"ConvertSelectedtoSubcircuit1", "ReturntoUPlevel1"}, K::Caption)
      .at(88, W::Settings, "CheckWindowDelete", K::Caption)
      .run(89, W::Preview, {"ZoomIn1", "ZoomOut1", "DefaultScale1"}, K::Caption)
      .run(92, W::Main, {"SpeedButtonDelete", "SpeedButtonUndo", "SpeedButtonRedo"}, K::Hint)
      .at(95, W::Main, "SaveSubcircuit1", K::Caption)
      .fullOnly(95, W::Main, "SaveSubcircuit1", K::Hint)
      .at(96, W::Main, "SaveSub1", K::Caption)
      .at(97, W::Main, "LoadSubcircuit1", K::Caption)
      .fullOnly(97, W::Main, "LoadSubcircuit1", K::Hint)
      .at(98, W::Main, "LoadSub1", K::Caption)
      .at(99, W::Main, "SaveAs1", K::Caption)
      .fullOnly(99, W::Main, "SaveAs1", K::Hint)
      .at(99, W::Main, "ActSaveAs", K::ActionHint)
      .run(100, W::Main, {"Russian1", "English1"}, K::Caption)
      .at(102, W::Main, "BrowseURL1", K::Caption)
      .run(103, W::Main, {"Polland1", "German1"}, K::Caption)
      .at(105, W::Settings, "LabelBatBox", K::Caption)
      .at(105, W::Settings, "BoxBat", K::ClearItems)
      .run(106, W::Settings, {"BoxBat", "BoxBat", "BoxBat", "BoxBat"}, K::AddItem)
      .at(109, W::Settings, "BoxBat", K::SelectFirst)
      .run(110, W::Main,
           {"UpLevel1", "DownLevel1", "MenuPanels", "FileSubMenu1", "EditSubMenu1", "OptSubMenu",
            "ScaelSubMenu1"},
           K::Caption)
      .run(117, W::Settings, {"CheckTreeActionByOnePress", "CheckEye"}, K::Caption)
      .at(119, W::Main, "GoBaby1", K::Caption)
      .at(120, W::Main, "CreateFromCir1", K::Caption)
      .fullOnly(120, W::Main, "CreateFromCir1", K::Hint)
      .at(121, W::Main, "Registerextention1", K::Caption)
      .run(122, W::Settings, {"CheckDoubleIn", "CheckBox1", "CheckBox2"}, K::Caption)
      .at(125, W::Main, "SpeedButton42", K::Hint)
      .descriptions(126, 0, 36);
  if (!second) {
    b.at(162, W::Main, "GraphX1", K::Caption)
        .run(163, W::Value, {"Value", "Label1", "Label2", "Label4"}, K::Caption)
        .run(167, W::Main, {"N13", "N14", "CIR1", "N15"}, K::Caption)
        .descriptions(171, 36, 3);
  }
  return b.take();
}

std::vector<DescriptionCopy> SecondBuildCopies() {
  std::vector<DescriptionCopy> copies = {
      {"SpeedButton32", K::Hint, 0}, {"SpeedButton41", K::Hint, 2}, {"SpeedButton3", K::Hint, 3},
      {"SpeedButton4", K::Hint, 4},  {"SpeedButton22", K::Hint, 5}, {"SpeedButton21", K::Hint, 6},
      {"SpeedButton23", K::Hint, 7}, {"SpeedButton24", K::Hint, 8}, {"SpeedButton11", K::Hint, 9},
      {"SpeedButton12", K::Hint, 10}, {"SpeedButton14", K::Hint, 11}, {"SpeedButton13", K::Hint, 12},
      {"SpeedButton18", K::Hint, 13}, {"SpeedButton17", K::Hint, 14}, {"SpeedButton16", K::Hint, 15},
      {"SpeedButton15", K::Hint, 16}, {"SpeedButton20", K::Hint, 17}, {"SpeedButton19", K::Hint, 18},
      {"SpeedButton5", K::Hint, 19}, {"SpeedButton6", K::Hint, 20}, {"SpeedButton9", K::Hint, 21},
      {"SpeedButton10", K::Hint, 22}, {"SpeedButton7", K::Hint, 23}, {"SpeedButton8", K::Hint, 24},
      {"K1", K::Caption, 25},        {"G1", K::Caption, 26},        {"B1", K::Caption, 27},
      {"H1", K::Caption, 28},        {"SpeedButton30", K::Hint, 29}, {"SpeedButton29", K::Hint, 30},
      {"SpeedButton28", K::Hint, 31}, {"SpeedButton31", K::Hint, 32},
  };
  return copies;
}

}  // namespace

const CaptionLayout& FullCaptionLayout() {
  static const CaptionLayout layout{173, BuildTargets(false), {}};
  return layout;
}

const CaptionLayout& SecondCaptionLayout() {
  static const CaptionLayout layout{161, BuildTargets(true), SecondBuildCopies()};
  return layout;
}

std::string_view FixedMainTitle(bool secondBuild) {
  return secondBuild ? "Vemu - circuit editor (1 September 2005)" : "Vemu3 - circuit editor (1 September 2005)";
}

}  // namespace vemu::catalogue
