// The main window's view commands: zoom, default scale, centring, the
// scroll bars, the JPEG export and the clipboard copy. The arithmetic is
// view::ViewCommands'; this file lends it the window and its controls.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <algorithm>

#include "catalogue/messages.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "view/jpeg_export.h"
#include "view/redraw.h"

using vemu::model::TheNode;
namespace view = vemu::view;
namespace platform = vemu::platform;

namespace {

// A bar shows its numbers: the thumb covers PageSize of the 100 steps and
// the slider reaches from 0 to 100 - PageSize, the range a scroll holds the
// position to. Setting them is no scroll event.
void ShowBar(QScrollBar* bar, const view::ScrollBarState& state) {
  if (!bar) return;
  const QSignalBlocker quiet(bar);
  const int page = std::clamp(state.PageSize, 0, view::kScrollMax);
  bar->setPageStep(page);
  bar->setRange(0, view::kScrollMax - page);
  bar->setValue(state.Position);
}

}  // namespace

// --- what the view commands reach of the window ---

view::TMyScale& TForm1::ViewCommandsHost::View() { return *form_.View; }

view::TRect TForm1::ViewCommandsHost::PaintBoxRect() const {
  if (!form_.PaintBox1) return {};
  return {0, 0, form_.PaintBox1->width(), form_.PaintBox1->height()};
}

const TheNode* TForm1::ViewCommandsHost::ShownLevel() const {
  return form_.Graph ? form_.Graph->MainNode : nullptr;
}

view::ScrollRule TForm1::ViewCommandsHost::Rule() const {
  return form_.Profile().kind == ProgramKind::Full ? view::ScrollRule::Full : view::ScrollRule::SecondBuild;
}

void TForm1::ViewCommandsHost::SetStatusText(int panel, const std::string& text) { form_.SetStatusText(panel, text); }

void TForm1::ViewCommandsHost::ShowScrollBars(const view::ScrollBarState& horizontal,
                                              const view::ScrollBarState& vertical) {
  ShowBar(form_.ScrollBar1, horizontal);
  ShowBar(form_.ScrollBar2, vertical);
}

void TForm1::ViewCommandsHost::Redraw() { form_.DrawAll(form_.BackBuffer, form_.PaintBox1, true); }

// --- routines and commands ---

void TForm1::ComputeItemsRect() {
  if (View) ViewCmds.ComputeItemsRect();
}

void TForm1::UpdateScrollBars() {
  if (View) ViewCmds.UpdateScrollBars();
}

std::int32_t TForm1::SnapToGrid(std::int32_t v) const { return view::SnapToGrid(v, GridStep); }

void TForm1::SetZoom(double value) {
  if (View) ViewCmds.SetZoom(value);
}

void TForm1::SpeedZoominClick() {
  if (View) ViewCmds.ZoomIn();
}

void TForm1::SpeedZumoutClick() {
  if (View) ViewCmds.ZoomOut();
}

void TForm1::Default1Click() {
  if (View) ViewCmds.DefaultScale();
}

void TForm1::Centerscreen1Click() {
  if (View) ViewCmds.CenterScreen(MousePoint);
}

void TForm1::CenteronSelect1Click() {
  if (Graph && Graph->CurrentNode) CenterOnNode(Graph->CurrentNode);
}

void TForm1::CenterOnNode(TheNode* node) {
  if (!node || !View || !Graph) return;
  TheNode* level = node->Upper ? node->Upper : node;
  const bool otherLevel = Graph->MainNode != level;
  Graph->MainNode = level;
  // The scroll extent is the new level's.
  if (otherLevel) ComputeItemsRect();
  ViewCmds.CenterOn(node->GetPos());
}

void TForm1::ScrollBar1Scroll(QScrollBar* moved) {
  if (!View) return;
  if (moved && moved == ScrollBar1) ViewCmds.ScrollBar1.Position = moved->value();
  if (moved && moved == ScrollBar2) ViewCmds.ScrollBar2.Position = moved->value();
  ViewCmds.Scroll();
}

void TForm1::PrintScreen1Click() {
  // No tick redraws the picture while the name is asked for and the file written.
  Timer1->stop();
  const std::optional<std::string> answer =
      platform::dialogs().inputQuery(vemu::catalogue::GetMsg(26), vemu::catalogue::GetMsg(27), PictureName);
  if (answer) {
    PictureName = *answer;
    const std::string path = platform::programFolder() + PictureName + ".jpg";
    std::string error;
    if (view::WriteJpegFile(BackBuffer, path, view::kJpegQuality, &error))
      SetStatusText(2, vemu::catalogue::GetMsg(28) + " <" + path + ">");
    else
      platform::dialogs().messageBox("Vemu", error, platform::MsgButtons::Ok, platform::MsgIcon::Error);
  }
  Timer1->start();
}

void TForm1::CopyToClipboardClick() {
  // A frame without grid, mouse mark or gesture feedback; the settings stay as they are.
  DrawAll(BackBuffer, PaintBox1, false, false);
  if (!BackBuffer.isNull()) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(BackBuffer.copy());
  }
  if (CopyToClipboard) SetStatusText(2, platform::toUtf8(CopyToClipboard->text()));
  DrawAll(BackBuffer, PaintBox1, true);
}

void TForm1::PaintBox1Paint() {
  if (!PaintBox1) return;
  PaintBox1->SetPicture(&BackBuffer);
  PaintBox1->update();
}

void TForm1::ConnectViewControls() {
  connect(ActScaleBig, &QAction::triggered, this, [this] { SpeedZoominClick(); });
  connect(ActScaleSmall, &QAction::triggered, this, [this] { SpeedZumoutClick(); });
  connect(Default1, &QAction::triggered, this, [this] { Default1Click(); });
  connect(SpeedButton33, &QToolButton::clicked, this, [this] { Default1Click(); });
  connect(Centerscreen1, &QAction::triggered, this, [this] { Centerscreen1Click(); });
  connect(CenteronSelect1, &QAction::triggered, this, [this] { CenteronSelect1Click(); });
  connect(PrintScreen1, &QAction::triggered, this, [this] { PrintScreen1Click(); });
  connect(CopyToClipboard, &QAction::triggered, this, [this] { CopyToClipboardClick(); });
  for (QScrollBar* bar : {ScrollBar1, ScrollBar2}) {
    view::ScrollBarState& state = bar == ScrollBar1 ? ViewCmds.ScrollBar1 : ViewCmds.ScrollBar2;
    // A click beside the thumb steps by LargeChange, not by the page.
    connect(bar, &QAbstractSlider::actionTriggered, this, [bar, &state](int action) {
      if (action == QAbstractSlider::SliderPageStepAdd) bar->setSliderPosition(bar->value() + state.LargeChange);
      if (action == QAbstractSlider::SliderPageStepSub) bar->setSliderPosition(bar->value() - state.LargeChange);
    });
    connect(bar, &QAbstractSlider::valueChanged, this, [this, bar] { ScrollBar1Scroll(bar); });
  }
}
