#include "ui/tform1.h"

#include <unistd.h>

#include <filesystem>

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QAction>

#include "catalogue/settings.h"
#include "files/circuit_file.h"
#include "netlist/windows/text_window.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "ui/paint_box.h"
#include "view/my_line.h"
#include "view/view_globals.h"
#include "view/windows/preview_window.h"

using vemu::model::TheNode;
namespace platform = vemu::platform;

TForm1::TForm1(AppWindows& app, const ProgramProfile& profile, const std::vector<std::string>& args,
               QWidget* parent)
    : QMainWindow(parent), app_(app), profile_(profile) {
  app_.Form1 = this;
  if (args.size() > 1 && !args[1].empty()) {
    // Taken before the program folder becomes the current folder.
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(args[1], ec);
    CmdLineFile = ec ? args[1] : absolute.string();
  }
  qApp->installEventFilter(this);
  CreateControls();
  FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::SetStatusText(int panel, const std::string& text) {
  if (panel >= 0 && panel < 3 && StatusPanels[panel]) StatusPanels[panel]->setText(platform::fromUtf8(text));
}

std::string TForm1::StatusText(int panel) const {
  if (panel >= 0 && panel < 3 && StatusPanels[panel]) return platform::toUtf8(StatusPanels[panel]->text());
  return std::string();
}

void TForm1::SetCaption(const std::string& text) { setWindowTitle(platform::fromUtf8(text)); }

void TForm1::UpdateUndoEnables(bool canUndo, bool canRedo) {
  if (Undo1) Undo1->setEnabled(canUndo);
  if (Redo1) Redo1->setEnabled(canRedo);
  if (SpeedButtonUndo) SpeedButtonUndo->setEnabled(canUndo);
  if (SpeedButtonRedo) SpeedButtonRedo->setEnabled(canRedo);
}

bool TForm1::WriteCircuitFile(const std::string& fileName) {
  vemu::files::CircuitViewState state;
  // The preview's node only counts while it is still part of the circuit.
  TheNode* shown = app_.FormSubCircuit ? app_.FormSubCircuit->ShownNode : nullptr;
  state.shownNode = shown && Graph->Contains(shown) ? shown : nullptr;
  state.originX = View->OriginX;
  state.originY = View->OriginY;
  state.scale = View->Scale;
  std::string error;
  if (vemu::files::WriteCircuitFile(*Graph, state, fileName, &error)) return true;
  platform::dialogs().messageBox("Vemu", error, platform::MsgButtons::Ok, platform::MsgIcon::Error);
  return false;
}

bool TForm1::ReadCircuitFile(const std::string& fileName) {
  Timer1->stop();
  // Going again however the read ends, also when it runs out of memory.
  const struct Restart {
    QTimer* timer;
    ~Restart() { timer->start(); }
  } restart{Timer1};
  auto result = vemu::files::ReadCircuitFile(
      fileName, profile_.linksSwingAfterRead ? vemu::files::LinkStart::Swinging : vemu::files::LinkStart::AtRest);
  if (!result.ok) {
    // The open circuit stays as it was.
    platform::dialogs().messageBox("Vemu", result.error, platform::MsgButtons::Ok,
                                   platform::MsgIcon::Error);
    return false;
  }
  ForgetNodePointers();
  if (app_.Form6) app_.Form6->Memo1->clear();
  Memo1->clear();
  Graph->Swap(*result.graph);
  result.graph.reset();  // the former circuit
  Graph->MainNode = result.mainNode;
  if (result.modified) Modified = 1;
  if (result.hasOrigin) {
    View->OriginX = result.originX;
    View->OriginY = result.originY;
  }
  if (result.scale) View->Scale = *result.scale;
  SetCurrentNode(result.currentNode);
  if (app_.FormSubCircuit) {
    // The preview goes on with the node the file names.
    app_.FormSubCircuit->ShownNode = result.shownNode;
    app_.FormSubCircuit->SetNode(result.shownNode);
  }
  return true;
}

void TForm1::Timer1Timer() {
  // The second build only remakes the back buffer from the resize handler.
  if (Profile().kind == ProgramKind::Full &&
      (BackBuffer.width() != PaintBox1->width() || BackBuffer.height() != PaintBox1->height())) {
    FormResize();
    return;
  }
  if (vemu::model::GraphBusy) return;
  const vemu::catalogue::Settings& settings = *app_.Settings;
  if (settings.CheckShadowMoving) {
    ShadowPhase += 10;
    if (ShadowPhase > 360) ShadowPhase = 0;
  }
  if (++WhirlCounter > 360) WhirlCounter = 0;
  AnimAngle += 3;
  if (AnimAngle > 360) AnimAngle = 0;
  const bool lineMoves = settings.CheckLineMove;
  Graph->forEachNode([lineMoves](TheNode* n) {
    n->forEachLine([lineMoves](vemu::model::TheLine* l) {
      if (l->Kind == vemu::model::alHaveItem || !l->Node) return;
      if (auto* drawn = vemu::view::AsMyLine(l)) drawn->Step(lineMoves, vemu::view::LineSpeed);
    });
  });
  DrawAll(BackBuffer, PaintBox1, true);
}

void TForm1::FormActivate() {
  if (CmdLineFile.empty()) return;
  if (!platform::fileExists(CmdLineFile)) {
    // The full program leaves the name queued without a word; the second
    // build reports it once and goes on with the empty circuit.
    if (!profile_.reportsMissingCommandLineFile) return;
    const std::string missing = CmdLineFile;
    CmdLineFile.clear();
    platform::dialogs().messageBox("Vemu", "Cannot open file " + missing, platform::MsgButtons::Ok,
                                   platform::MsgIcon::Error);
    return;
  }
  const std::string file = CmdLineFile;
  CmdLineFile.clear();
  OpenCommandLineFile(file);
}

void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  QMainWindow::changeEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // The window sees every character typed into any of its controls first;
  // the key then goes on to the control. A key event is taken where it is
  // first delivered: the focused control, or the window itself.
  if (event->type() == QEvent::MouseButtonDblClick && Memo1 && watched == Memo1->viewport()) {
    Memo1DblClick();
    return false;
  }
  if (event->type() == QEvent::MouseButtonPress && watched == this) {
    // A press on the tool-bar area itself or on a bar's empty part (which
    // passes the press on to the window).
    const auto* press = static_cast<QMouseEvent*>(event);
    if (InToolBarArea(press->position().toPoint())) ControlBar1MouseDown(press->buttons(), press->modifiers());
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  QWidget* focus = QApplication::focusWidget();
  if (widget != focus && !(focus == nullptr && widget == this)) return false;
  const auto* keyEvent = static_cast<QKeyEvent*>(event);
  FormKeyDown(keyEvent->key(), keyEvent->modifiers());
  // Delete types no character (the toolkit gives it the text DEL).
  const std::string key = platform::toCp1251(keyEvent->text());
  if (key.size() == 1 && keyEvent->key() != Qt::Key_Delete) FormKeyPress(key[0]);
  return false;
}
