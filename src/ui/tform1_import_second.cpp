// The second build's netlist import: "CreateCircuitFromCir" adds the netlist
// to the shown level through netlist::SecondBuildImport, with the window as
// its host.
#include <QAction>

#include "netlist/analysis_run.h"
#include "netlist/second_import.h"
#include "netlist/windows/text_window.h"
#include "platform/qt/qt_text.h"
#include "platform/random_source.h"
#include "ui/action_link.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"

namespace netlist = vemu::netlist;
namespace platform = vemu::platform;

namespace {

class Form1SecondImportHost final : public netlist::SecondImportHost {
 public:
  explicit Form1SecondImportHost(TForm1& form) : form_(form) {}

  int PaintBoxWidth() const override { return form_.PaintBox1 ? form_.PaintBox1->width() : 0; }
  int PaintBoxHeight() const override { return form_.PaintBox1 ? form_.PaintBox1->height() : 0; }
  void SetModified(bool modified) override {
    form_.Modified = modified ? 1 : 0;
    if (modified) form_.NoteUnsavedEdit();
  }
  void SetCaption(const std::string& text) override { form_.SetCaption(text); }
  bool ConfirmDiscardUnsaved() override { return form_.ConfirmDiscardUnsaved(); }
  void EnableSave() override {
    if (form_.Save1) form_.Save1->setEnabled(true);
  }
  void SetCurrentNode(vemu::model::TheNode* node) override { form_.SetCurrentNode(node); }
  std::string ImportItemCaption() const override { return PlainCaption(form_.CreateFromCir1); }
  void ShowFileInTextWindow(const std::string& path, std::string_view cp1251) override {
    if (TForm6* text = form_.App().Form6) vemu::netlist::ShowFileText(*text, path, cp1251);
  }
  void PushUndoSnapshot() override { form_.PushUndoSnapshot(); }
  void ComputeItemsRect() override { form_.ComputeItemsRect(); }
  void UpdateScrollBars() override { form_.UpdateScrollBars(); }
  void RefreshLevelWindows() override { form_.RefreshLevelWindows(); }
  void StartArrangeMode() override { form_.ArrangeMode = 1; }

 private:
  TForm1& form_;
};

}  // namespace

void TForm1::SecondBuildCreateFromCir1Click() {
  Form1SecondImportHost host(*this);
  netlist::SecondBuildImport({*Graph, NodeTypes, host, platform::randomSource()})
      .CreateFromCir1Click({DialogInitialFolder, OpenDialogFileName});
}
