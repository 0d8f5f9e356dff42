// The main window's netlist import: "CreateCircuitFromCir", the load of a
// netlist file and the build itself, through the netlist layer with the
// window as its host.
#include <QAction>
#include <QPlainTextEdit>
#include <QStringList>

#include "netlist/analysis_run.h"
#include "netlist/netlist_import_commands.h"
#include "netlist/windows/text_window.h"
#include "platform/qt/qt_text.h"
#include "platform/random_source.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"

namespace netlist = vemu::netlist;
namespace platform = vemu::platform;
using vemu::model::TheNode;

namespace {

class Form1ImportHost final : public netlist::NetlistImportHost {
 public:
  explicit Form1ImportHost(TForm1& form) : form_(form) {}

  int PaintBoxWidth() const override { return form_.PaintBox1 ? form_.PaintBox1->width() : 0; }
  int PaintBoxHeight() const override { return form_.PaintBox1 ? form_.PaintBox1->height() : 0; }
  std::int32_t GridStep() const override { return form_.GridStep; }
  double ViewScale() const override { return form_.View ? form_.View->Scale : 1.0; }
  void SetModified(bool modified) override {
    form_.Modified = modified ? 1 : 0;
    if (modified) form_.NoteUnsavedEdit();
  }
  bool DiagnosticsChecked() const override { return form_.CIR1 && form_.CIR1->isChecked(); }
  void ShowDiagnosticMemo() override {
    form_.Memo1->clear();
    form_.Memo1->setVisible(true);
  }
  void AddDiagnosticLines(const std::vector<std::string>& lines) override {
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) shown.push_back(platform::fromCp1251(line));
    form_.Memo1->appendPlainText(shown.join(QLatin1Char('\n')));
  }
  bool ConfirmDiscardUnsaved() override { return form_.ConfirmDiscardUnsaved(); }
  void EnableSave() override {
    if (form_.Save1) form_.Save1->setEnabled(true);
  }
  void SetCurrentNode(TheNode* node) override { form_.SetCurrentNode(node); }
  std::string ImportItemHint() const override {
    return form_.CreateFromCir1 ? platform::toUtf8(form_.CreateFromCir1->toolTip()) : std::string();
  }
  void NewCircuit() override { form_.StartNewCircuit(); }
  void SetCaption(const std::string& text) override { form_.SetCaption(text); }
  void ShowFileInTextWindow(const std::string& path, std::string_view cp1251) override {
    if (TForm6* text = form_.App().Form6) netlist::ShowFileText(*text, path, cp1251);
  }
  void ComputeItemsRect() override { form_.ComputeItemsRect(); }
  void UpdateScrollBars() override { form_.UpdateScrollBars(); }
  void RefreshLevelWindows() override { form_.RefreshLevelWindows(); }

 private:
  TForm1& form_;
};

// Runs one import command on the window.
template <typename Command>
void WithImport(TForm1& form, Command command) {
  Form1ImportHost host(form);
  netlist::NetlistImportCommands commands({*form.Graph, form.NodeTypes, host, platform::randomSource()},
                                          {form.OpenDialogFilterIndex, form.DialogInitialFolder,
                                           form.OpenDialogFileName});
  command(commands);
}

}  // namespace

void TForm1::CreateFromCir1Click() {
  if (Profile().kind == ProgramKind::Second) {
    SecondBuildCreateFromCir1Click();
    return;
  }
  WithImport(*this, [](netlist::NetlistImportCommands& c) { c.CreateFromCir1Click(); });
}

void TForm1::OpenNetlistAndBuild(const std::string& fileName) {
  WithImport(*this, [&](netlist::NetlistImportCommands& c) { c.OpenNetlistAndBuild(fileName); });
}

void TForm1::BuildFromNetlist(int mode) {
  TForm6* text = App().Form6;
  const std::vector<std::string> lines = text ? text->MemoLines() : std::vector<std::string>();
  Form1ImportHost host(*this);
  netlist::NetlistImport({*Graph, NodeTypes, host, platform::randomSource()})
      .BuildFromNetlist(lines, static_cast<netlist::ImportLayout>(mode));
}

void TForm1::ConnectImportControls() {
  connect(CreateFromCir1, &QAction::triggered, this, [this] { CreateFromCir1Click(); });
}
