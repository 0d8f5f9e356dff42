// The main window's file commands, sub-circuit file and clipboard file:
// thin handlers over files::FileCommands, with the window as its host.
#include <QAction>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTabBar>

#include "files/file_commands.h"
#include "model/selection.h"
#include "netlist/windows/text_window.h"
#include "platform/qt/qt_text.h"
#include "platform/text_file.h"
#include "ui/action_link.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "ui/value_window.h"
#include "view/windows/preview_window.h"

namespace files = vemu::files;
namespace platform = vemu::platform;
using files::FileMenuItem;
using vemu::model::TheNode;

namespace {

class Form1FileHost final : public files::FileCommandsHost {
 public:
  explicit Form1FileHost(TForm1& form) : form_(form) {}

  vemu::model::TheBaseOfGraf& Graph() override { return *form_.Graph; }
  bool ReadCircuitFile(const std::string& path) override { return form_.ReadCircuitFile(path); }
  bool WriteCircuitFile(const std::string& path) override { return form_.WriteCircuitFile(path); }
  void ReplaceWithEmptyCircuit() override {
    form_.ForgetNodePointers();
    form_.Graph->Clear();
    TheNode* root = form_.Graph->AddNode(nullptr, vemu::model::ntRoot);
    form_.Graph->MainNode = root;
    root->Name = "Upper Level";
  }
  void SetCurrentNode(TheNode* node) override { form_.SetCurrentNode(node); }
  void ClearPreview() override {
    if (form_.App().FormSubCircuit) form_.App().FormSubCircuit->ShownNode = nullptr;
  }
  void PushUndoSnapshot() override { form_.PushUndoSnapshot(); }
  void ResetUndoRing() override {
    form_.Backup.Reset();
    form_.UpdateUndoEnables(form_.Backup.CanUndo(), form_.Backup.CanRedo());
  }
  void NumberNets() override { form_.NumberNets(); }
  void ComputeItemsRect() override { form_.ComputeItemsRect(); }
  void UpdateScrollBars() override { form_.UpdateScrollBars(); }
  void Redraw() override { form_.DrawAll(form_.BackBuffer, form_.PaintBox1, true); }
  void DefaultView() override { form_.Default1Click(); }
  void SetViewScale(double scale) override { form_.View->Scale = scale; }
  void SetViewOrigin(std::int32_t x, std::int32_t y) override {
    form_.View->OriginX = x;
    form_.View->OriginY = y;
  }
  void FitViewToPaintBox() override {
    form_.View->WinRect = {0, 0, form_.PaintBox1->width(), form_.PaintBox1->height()};
  }
  void SetCaption(const std::string& text) override { form_.SetCaption(text); }
  std::string ProgramTitle() const override { return form_.Profile().applicationTitle; }
  void SetStatusText(int panel, const std::string& text) override { form_.SetStatusText(panel, text); }
  std::string ItemCaption(FileMenuItem item) const override { return PlainCaption(itemOf(item)); }
  std::string ItemHint(FileMenuItem item) const override {
    const QAction* action = itemOf(item);
    return action ? platform::toUtf8(action->toolTip()) : std::string();
  }
  void EnableSave() override {
    if (form_.Save1) form_.Save1->setEnabled(true);
  }
  void SetLastOpenCaption(const std::string& text) override {
    if (form_.LastOpen1) form_.LastOpen1->setText(platform::fromUtf8(text));
  }
  std::vector<std::string> BuildNetlistIntoTextWindow() override {
    TForm6* text = form_.App().Form6;
    if (!text) return {};
    form_.BuildNetlist(text->Memo1);
    return text->MemoLines();
  }
  void SetTextWindowLines(const std::vector<std::string>& lines) override {
    if (TForm6* text = form_.App().Form6) text->SetMemoLines(lines);
  }
  bool SaveTextWindow(const std::string& path) override {
    TForm6* text = form_.App().Form6;
    return text && text->SaveMemoToFile(path);
  }
  bool OpenNetlistAndBuild(const std::string& path) override {
    form_.OpenNetlistAndBuild(path);
    return true;
  }
  void ClearDiagnosticMemo() override { form_.Memo1->clear(); }
  void AddDiagnosticLines(const std::vector<std::string>& lines) override {
    if (lines.empty()) return;
    // A trace of a huge sub-circuit is shown up to the size a window shows.
    const std::size_t kept = platform::linesWithin(lines, platform::kShownTextBytes);
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(kept) + 1);
    for (std::size_t k = 0; k < kept; ++k) shown.push_back(platform::fromCp1251(lines[k]));
    if (kept < lines.size()) shown.push_back(QStringLiteral("[%1 more lines not shown]").arg(lines.size() - kept));
    form_.Memo1->appendPlainText(shown.join(QLatin1Char('\n')));
  }
  std::string PrivateFolder() const override { return form_.PrivateFolder(); }

 private:
  const QAction* itemOf(FileMenuItem item) const {
    switch (item) {
      case FileMenuItem::LoadFile1: return form_.LoadFile1;
      case FileMenuItem::Save1: return form_.Save1;
      case FileMenuItem::SaveAs1: return form_.SaveAs1;
      case FileMenuItem::LoadSubcircuit1: return form_.LoadSubcircuit1;
      case FileMenuItem::SaveSubcircuit1: return form_.SaveSubcircuit1;
    }
    return nullptr;
  }

  TForm1& form_;
};

// Runs one command of the file layer on the window.
template <typename Command>
auto WithFileCommands(TForm1& form, Command command) {
  Form1FileHost host(form);
  files::FileCommands commands(host, {form.Modified, form.LastFile, form.SubCircuitFile, form.SaveDialogFileName,
                                      form.OpenDialogFileName, form.DialogInitialFolder, form.OpenDialogFilterIndex,
                                      form.SaveDialogFilterIndex, form.UnsavedEdits, form.HasOwnFile,
                                      form.Profile().kind == ProgramKind::Second});
  return command(commands);
}

}  // namespace

bool TForm1::ConfirmDiscardUnsaved() {
  return WithFileCommands(*this, [](files::FileCommands& c) { return c.ConfirmDiscardUnsaved(); });
}

void TForm1::Newcircuit1Click() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.Newcircuit1Click(); });
}

void TForm1::OpenCommandLineFile(const std::string& path) {
  WithFileCommands(*this, [&path](files::FileCommands& c) { c.OpenCommandLineFile(path); });
}

void TForm1::StartNewCircuit() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.StartNewCircuit(); });
}

void TForm1::LoadFile1Click() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.LoadFile1Click(); });
}

void TForm1::Save1Click() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.Save1Click(); });
}

void TForm1::SaveAs1Click() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.SaveAs1Click(); });
}

void TForm1::LastOpen1Click() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.LastOpen1Click(); });
}

bool TForm1::SaveSubcircuit(const std::string& fileName) {
  return WithFileCommands(*this, [&](files::FileCommands& c) { return c.SaveSubcircuit(fileName); });
}

bool TForm1::ReadSnapshot(const std::string& path) {
  // A snapshot names the preview's node of its own time; when it names
  // none, the preview stays on the sub-circuit of the name it shows.
  TFormSubCircuit* preview = app_.FormSubCircuit;
  const TheNode* previewed = preview ? preview->ShownNode : nullptr;
  const std::string previewedName = previewed && Graph->Contains(previewed) ? previewed->Name.str() : std::string();
  if (!ReadCircuitFile(path)) return false;
  NoteUnsavedEdit();  // the circuit shown is in no file now
  if (preview && !preview->ShownNode && !previewedName.empty()) {
    Graph->forEachNode([&](TheNode* n) {
      if (!preview->ShownNode && n->IsContainer() && n->Name == previewedName) preview->ShownNode = n;
    });
  }
  RefreshLevelWindows();
  return true;
}

bool TForm1::LoadSSFile(const std::string& fileName) {
  return WithFileCommands(*this, [&](files::FileCommands& c) { return c.LoadSSFile(fileName); });
}

int TForm1::CountSelected() {
  return vemu::model::CountSelected(*Graph);
}

void TForm1::SaveSubcircuit1Click() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.SaveSubcircuit1Click(); });
}

void TForm1::LoadSubcircuit1Click() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.LoadSubcircuit1Click(); });
}

void TForm1::SaveSub1Click() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.SaveSub1Click(); });
}

void TForm1::LoadSub1Click() {
  WithFileCommands(*this, [](files::FileCommands& c) { c.LoadSub1Click(); });
}

void TForm1::ForgetNodePointers() {
  DownNode = nullptr;
  HoverNode = nullptr;
  PendingHalf = nullptr;
  if (Graph) Graph->CurrentNode = nullptr;
  if (app_.FormSubCircuit) app_.FormSubCircuit->ShownNode = nullptr;
  if (app_.FormInputValue) app_.FormInputValue->Node = nullptr;
  for (QTabBar* tabs : {TabSet1, TabControl2})
    if (tabs)
      for (int i = 0; i < tabs->count(); ++i) tabs->setTabData(i, QVariant());
}

void TForm1::ConnectFileControls() {
  connect(ActNewCircuit, &QAction::triggered, this, [this] { Newcircuit1Click(); });
  connect(ActLoad, &QAction::triggered, this, [this] { LoadFile1Click(); });
  connect(Save1, &QAction::triggered, this, [this] { Save1Click(); });
  connect(ActSaveAs, &QAction::triggered, this, [this] { SaveAs1Click(); });
  connect(LastOpen1, &QAction::triggered, this, [this] { LastOpen1Click(); });
  connect(SaveSubcircuit1, &QAction::triggered, this, [this] { SaveSubcircuit1Click(); });
  connect(LoadSubcircuit1, &QAction::triggered, this, [this] { LoadSubcircuit1Click(); });
  connect(SaveSub1, &QAction::triggered, this, [this] { SaveSub1Click(); });
  connect(LoadSub1, &QAction::triggered, this, [this] { LoadSub1Click(); });
}
