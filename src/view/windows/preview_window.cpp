#include "view/windows/preview_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/image_canvas.h"
#include "platform/qt/qt_text.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "view/preview_view.h"

namespace {

constexpr int kDesignedWidth = 227;
constexpr int kDesignedHeight = 200;
constexpr int kTimerInterval = 1000;
// The caption holds at most this many characters.
constexpr std::size_t kCaptionLength = 43;
constexpr const char* kNoSubCircuitText = "No SubSircuit";

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setObjectName(name);
  return item;
}

}  // namespace

TFormSubCircuit::TFormSubCircuit(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormSubCircuit");
  setWindowTitle("SubCircuit");
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
  app_.FormSubCircuit = this;

  PaintBox1 = new PaintBox(this);
  PaintBox1->setObjectName("PaintBox1");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(PaintBox1);
  PaintBox1->OnResize = [this] { FormResize(); };
  PaintBox1->OnMouseDown = [this](QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    FormMouseDown(e->button(), p.x(), p.y());
  };
  PaintBox1->OnMouseUp = [this](QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    FormMouseUp(p.x(), p.y());
  };
  PaintBox1->OnDblClick = [this] { FormDblClick(); };

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  ZoomIn1 = AddItem(PopupMenu1, "ZoomIn1", "ZoomIn");
  ZoomOut1 = AddItem(PopupMenu1, "ZoomOut1", "ZoomOut");
  DefaultScale1 = AddItem(PopupMenu1, "DefaultScale1", "Default Scale");
  connect(ZoomIn1, &QAction::triggered, this, [this] { ZoomIn1Click(); });
  connect(ZoomOut1, &QAction::triggered, this, [this] { ZoomOut1Click(); });
  connect(DefaultScale1, &QAction::triggered, this, [this] { DefaultScale1Click(); });

  PaintLevel = [this](QImage& bitmap, QWidget* destination) {
    if (app_.Form1) app_.Form1->DrawAll(bitmap, destination, false);
  };

  // The designed client size, beside the main window's canvas.
  CreateBackBuffer(kDesignedWidth, kDesignedHeight);
  resize(kDesignedWidth, kDesignedHeight);
  PlaceBesideMainWindow();

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kTimerInterval);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  Timer1->start();
}

void TFormSubCircuit::PlaceBesideMainWindow() {
  TForm1* main = app_.Form1;
  if (!main) return;
  const int top = main->PaintBox1 ? main->PaintBox1->mapTo(main, QPoint(0, 0)).y() : 0;
  move(main->x() + main->width() - width(), main->y() + top);
}

void TFormSubCircuit::CreateBackBuffer(int width, int height) {
  BackBufferWidth = width;
  BackBufferHeight = height;
  BackBuffer = vemu::platform::MakeBackBuffer(width, height);
  PaintBox1->SetPicture(&BackBuffer);
}

vemu::view::TRect TFormSubCircuit::ClipRect() const { return {0, 0, PaintBox1->width(), PaintBox1->height()}; }

void TFormSubCircuit::SetNode(vemu::model::TheNode* n) {
  if (!n || n == ShownNode) return;
  ShownNode = n;
  vemu::view::ResetPreviewView(OwnScale, ClipRect());
}

void TFormSubCircuit::ShowNothing() {
  if (!BackBuffer.isNull()) {
    QPainter painter(&BackBuffer);
    painter.fillRect(BackBuffer.rect(), palette().color(QPalette::Button));
    painter.setPen(Qt::black);
    const QPoint at(PaintBox1->width() / 2 - 30, PaintBox1->height() / 2 - 5);
    painter.drawText(QRect(at, QSize(200, 20)), Qt::AlignLeft | Qt::AlignTop, kNoSubCircuitText);
  }
  PaintBox1->update();
  hide();
}

void TFormSubCircuit::DrawSubCircuit() {
  // A hidden window paints nothing: the once-a-second tick runs all along.
  if (!isVisible()) return;
  TForm1* main = app_.Form1;
  // A node no longer in the circuit counts as none (it is never read).
  const bool shown = ShownNode && main && main->Graph && main->View && main->Graph->Contains(ShownNode);
  if (!shown || !ShownNode->IsContainer()) {
    ShowNothing();
    return;
  }
  {
    vemu::view::BorrowedLevel lent(*main->View, *main->Graph, OwnScale, ShownNode, SavedScale);
    if (PaintLevel) PaintLevel(BackBuffer, PaintBox1);
  }
  const std::string caption = "\rSubCircuit = " + ShownNode->Name.str();
  setWindowTitle(vemu::platform::fromCp1251(std::string_view(caption).substr(0, kCaptionLength)));
}

void TFormSubCircuit::FormResize() {
  if (BackBuffer.isNull()) return;
  CreateBackBuffer(PaintBox1->width(), PaintBox1->height());
  OwnScale.WinRect = ClipRect();
}

void TFormSubCircuit::FormMouseDown(Qt::MouseButton button, int x, int y) {
  Panning = 0;
  DownPoint = {x, y};
  if (button == Qt::RightButton) {
    // popup, not exec: the menu never holds the caller in a loop of its own.
    if (ShownNode) PopupMenu1->popup(PaintBox1->mapToGlobal(QPoint(x, y)));
    DrawSubCircuit();
    return;
  }
  Panning = 1;
}

void TFormSubCircuit::FormMouseUp(int x, int y) {
  UpPoint = {x, y};
  if (Panning != 1) return;
  Panning = 0;
  OwnScale.MoveBy(vemu::view::Wrap(std::int64_t{UpPoint.x} - DownPoint.x),
                  vemu::view::Wrap(std::int64_t{UpPoint.y} - DownPoint.y));
  DrawSubCircuit();
}

void TFormSubCircuit::FormDblClick() {
  TForm1* main = app_.Form1;
  // Only a container of the circuit ever becomes the main window's level.
  if (!ShownNode || !main || !main->Graph || !main->Graph->Contains(ShownNode) || !ShownNode->IsContainer()) return;
  vemu::model::TheNode* former = main->Graph->MainNode;
  main->Graph->MainNode = ShownNode;
  SetNode(former);
  if (main->ActUpSub) main->ActUpSub->setEnabled(main->Graph->MainNode->Upper != nullptr);
  if (main->ActDownSub) main->ActDownSub->setEnabled(ShownNode && ShownNode->IsContainer());
}

void TFormSubCircuit::FormKeyPress(char key) {
  if (key == 27) hide();
}

void TFormSubCircuit::ZoomIn1Click() {
  if (const auto next = vemu::view::PreviewZoomedIn(OwnScale.Scale)) OwnScale.SetScale(*next);
  DrawSubCircuit();
}

void TFormSubCircuit::ZoomOut1Click() {
  if (const auto next = vemu::view::PreviewZoomedOut(OwnScale.Scale)) OwnScale.SetScale(*next);
  DrawSubCircuit();
}

void TFormSubCircuit::DefaultScale1Click() {
  vemu::view::PreviewDefaultScale(OwnScale);
  DrawSubCircuit();
}

void TFormSubCircuit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    FormKeyPress(27);
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFormSubCircuit::showEvent(QShowEvent* event) {
  // The main window is laid out only once it is shown: the first showing
  // places this window again, right edges aligned, at the top of its canvas.
  if (!placed_) {
    placed_ = true;
    PlaceBesideMainWindow();
  }
  QDialog::showEvent(event);
  // The window's paint: the back buffer is made again from the graph.
  DrawSubCircuit();
}
