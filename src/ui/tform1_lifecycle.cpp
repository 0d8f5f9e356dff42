// The main window's creation, keys, closing and destruction.
#include <unistd.h>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTimer>

#include "catalogue/messages.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "view/view_globals.h"

using vemu::model::TheNode;
namespace platform = vemu::platform;

namespace {

std::string Format(const char* pattern, std::initializer_list<int> values) {
  std::string text = pattern;
  for (int v : values) {
    const std::size_t at = text.find("%d");
    if (at == std::string::npos) break;
    text.replace(at, 2, std::to_string(v));
  }
  return text;
}

}  // namespace

void TForm1::FormCreate() {
  connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
  RedrawRequest = 0;
  LastFile.clear();
  vemu::model::GraphBusy = true;
  PendingHalf = nullptr;
  Memo1->clear();
  Timer1->stop();
  ArrangeMode = 0;
  LoadIni();
  Backup.Reset();
  Backup.UndoRedoFlag = false;
  IgnoreMouseDown = 0;
  GridStep = 15;
  FillButtonOfType();
  CurrentType = 2;
  View = std::make_unique<vemu::view::TMyScale>();
  View->WinRect = {0, 0, PaintBox1->width(), PaintBox1->height()};
  vemu::view::ArrowSize = 6;
  Messages.clear();
  const QDateTime now = QDateTime::currentDateTime();
  SetStatusText(2, platform::toUtf8(QLocale().toString(now.date(), QLocale::LongFormat) + " " +
                                    now.toString("hh:mm")));
  const std::string folder = platform::programFolder();
  DialogInitialFolder = folder + "FILES";
  // A last file from the settings stays the dialogs' preset.
  if (LastFile.empty()) SaveDialogFileName = "noname.dag";
  SubCircuitFile = "select.dag";
  if (!LoadOpenBoxBitmap(folder + "IMAGES/OpenBox3.bmp"))
    platform::dialogs().messageBox("Vemu", "Cannot find the picture " + folder + "IMAGES/OpenBox3.bmp",
                                   platform::MsgButtons::Ok, platform::MsgIcon::Warning);
  if (::chdir(folder.c_str()) != 0) SetStatusText(0, "Cannot enter " + folder);
  std::string reason;
  if (auto loaded = vemu::catalogue::LoadMessageFile(folder + "IMAGES/language1.txt", &reason))
    Messages = std::move(*loaded);
  else if (platform::isTooLarge(reason))
    platform::dialogs().messageBox("Vemu", "Cannot read file " + folder + "IMAGES/language1.txt: " + reason,
                                   platform::MsgButtons::Ok, platform::MsgIcon::Error);
  ChooseWriteFolders();
  vemu::catalogue::SetMessageSource(&Messages);
  PictureName = "noname";
  Modified = 0;
  ShadowPhase = 0;
  MouseState = 0;
  DownNode = nullptr;
  HoverNode = nullptr;
  AnimAngle = 0;
  InitNodeTypeTable();
  Graph = std::make_unique<vemu::model::TheBaseOfGraf>();
  TheNode* root = Graph->AddNode(nullptr, 1);
  Graph->MainNode = root;
  root->Name = "Upper Level";
  CreateBackBuffer(PaintBox1->width(), PaintBox1->height());
  SetCurrentNode(nullptr);
  View->Scale = 1.0;
  ComputeItemsRect();
  UpdateScrollBars();
  UpdateUndoEnables(false, false);
  if (Profile().kind == ProgramKind::Second) SetStatusText(1, "Vemu");
  vemu::model::GraphBusy = false;
}

void TForm1::FormDestroy() {
  SaveInit();
  ReleaseSnapshotFolder();
  vemu::catalogue::ReleaseMessageSource(&Messages);
  Messages.clear();
  NodeTypes.clear();  // the glyphs go with their records
  Timer1->stop();
  if (Graph) Graph->Clear();
  Graph.reset();
  BackBuffer = QImage();
  OpenBoxBitmap = QImage();
  View.reset();
}

void TForm1::FormKeyPress(char key) {
  const std::string shown = platform::cp1251ToUtf8(std::string(1, key));
  SetStatusText(0, shown);
  const bool full = Profile().kind == ProgramKind::Full;
  switch (key) {
    case 27:
      MouseState = 0;
      ArrangeMode = 0;
      break;
    case 13:
      if (full) ActionItemInfoExecute();
      break;
    case '+':
      SpeedZoominClick();
      break;
    case '-':
      SpeedZumoutClick();
      break;
    default:
      break;
  }
  if (full)
    SetStatusText(0, "Key=" + shown + " " + std::to_string(static_cast<unsigned char>(key)));
  else
    SetStatusText(0, "Key=" + shown);
}

bool TForm1::CanCloseMainWindow() {
  if (!endingWithoutQuestion_ && !ConfirmDiscardUnsaved()) return false;
  if (View) {
    SetStatusText(0, Format("Sft(%d,%d)", {View->OriginX, View->OriginY}));
    const auto& items = View->ItemsRect;
    SetStatusText(1, Format("Items(%d,%d,%d,%d)", {View->XToScreen(items.Left), View->YToScreen(items.Top),
                                                   View->XToScreen(items.Right), View->YToScreen(items.Bottom)}));
    const auto& win = View->WinRect;
    const auto& max = View->MaxRect;
    SetStatusText(2, Format("WIN(%d,%d,%d,%d)Maxx(%d,%d,%d,%d)", {win.Left, win.Top, win.Right, win.Bottom,
                                                                  max.Left, max.Top, max.Right, max.Bottom}));
  }
  return true;
}

void TForm1::Exit1Click() {
  // The close box's path: closeEvent asks and closes.
  close();
}

void TForm1::EndWithoutQuestion() {
  endingWithoutQuestion_ = true;
  close();
  // Also when a question of Exit itself is open (the window is closing
  // already, so close() does nothing): every loop ends, open boxes with it.
  QCoreApplication::quit();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!CanCloseMainWindow()) {
    event->ignore();
    return;
  }
  RememberToolBarPlaces();
  QMainWindow::closeEvent(event);
  // Closing the main window ends the program, whatever other window is open.
  if (event->isAccepted()) QCoreApplication::quit();
}
