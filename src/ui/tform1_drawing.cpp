// The main window's side of the drawing: the back buffer, the redraw of the
// shown level into it and the failure path of the redraw.
#include <QPlainTextEdit>
#include <QTimer>

#include "catalogue/settings.h"
#include "model/graph.h"
#include "platform/image_canvas.h"
#include "platform/text_file.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "view/redraw.h"

namespace {

// What the redraw asks of the main window.
class MainRedrawHost : public vemu::view::RedrawHost {
 public:
  MainRedrawHost(TForm1& form, QWidget* destination) : form_(form), destination_(destination) {}
  void RedrawFailed() override { form_.RedrawFailed(); }
  void ShowPicture() override {
    if (destination_) destination_->update();
  }

 private:
  TForm1& form_;
  QWidget* destination_;
};

}  // namespace

void TForm1::CreateBackBuffer(int width, int height) {
  BackBufferWidth = width;
  BackBufferHeight = height;
  BackBuffer = vemu::platform::MakeBackBuffer(width, height);
  if (PaintBox1) PaintBox1->SetPicture(&BackBuffer);
}

void TForm1::FormResize() {
  // Only once the back buffer exists.
  if (!PaintBox1 || !View || BackBuffer.isNull()) return;
  CreateBackBuffer(PaintBox1->width(), PaintBox1->height());
  View->WinRect.Right = View->WinRect.Left + PaintBox1->width();
  View->WinRect.Bottom = View->WinRect.Top + PaintBox1->height();
  UpdateScrollBars();
}

vemu::view::DrawContext TForm1::MakeDrawContext(vemu::platform::Canvas& canvas) {
  vemu::view::DrawContext ctx;
  ctx.canvas = &canvas;
  ctx.view = View.get();
  ctx.graph = Graph.get();
  ctx.settings = app_.Settings;
  ctx.nodeTypes = &NodeTypes;
  ctx.random = &DrawRandomSource;
  ctx.ShadowPhase = ShadowPhase;
  ctx.WhirlCounter = WhirlCounter;
  ctx.AnimAngle = AnimAngle;
  ctx.MouseState = MouseState;
  ctx.DownNode = DownNode;
  ctx.HoverNode = HoverNode;
  ctx.DownPoint = DownPoint;
  ctx.MousePoint = MousePoint;
  ctx.LineWidth0 = LineWidth0;
  ctx.LineWidth1 = LineWidth1;
  ctx.LineWidth2 = LineWidth2;
  ctx.GridStep = GridStep;
  ctx.RedrawRequest = RedrawRequest != 0;
  ctx.OpenBoxBitmap = OpenBoxBitmap.isNull() ? nullptr : &OpenBoxBitmap;
  return ctx;
}

void TForm1::DrawAll(QImage& bitmap, QWidget* destination, bool feedback, bool grid) {
  if (vemu::model::GraphBusy || !app_.Settings) return;
  // A picture that failed to be made is never drawn into.
  if (bitmap.isNull() || bitmap.format() != QImage::Format_RGB32) {
    if (destination) destination->update();
    return;
  }
  vemu::platform::ImageCanvas canvas(bitmap);
  DrawAllOn(canvas, destination, feedback, grid);
}

void TForm1::DrawAllOn(vemu::platform::Canvas& canvas, QWidget* destination, bool feedback, bool grid) {
  if (vemu::model::GraphBusy || !app_.Settings) return;
  vemu::view::DrawContext ctx = MakeDrawContext(canvas);
  vemu::view::RedrawState state;
  state.graph = Graph.get();
  state.DownNode = DownNode;
  state.MouseState = &MouseState;
  state.RedrawRequest = &RedrawRequest;
  state.ArrangeMode = ArrangeMode != 0;
  state.ShowGrid = grid;
  state.PaintBoxWidth = PaintBox1 ? PaintBox1->width() : 0;
  state.PaintBoxHeight = PaintBox1 ? PaintBox1->height() : 0;
  MainRedrawHost host(*this, destination);
  vemu::view::DrawAll(ctx, state, host, feedback);
}

void TForm1::RedrawFailed() {
  Timer1->stop();
  Memo1->setEnabled(true);
  Memo1->show();
  // The second build leaves the splitter as it is.
  if (Profile().kind == ProgramKind::Full) Splitter1->show();
  Memo1DblClick();
}

bool TForm1::LoadOpenBoxBitmap(const std::string& path) {
  OpenBoxBitmap = QImage();
  if (!vemu::platform::fileExists(path)) return false;
  QImage picture(QString::fromStdString(path));
  if (!picture.isNull()) OpenBoxBitmap = picture.convertToFormat(QImage::Format_RGB32);
  return !OpenBoxBitmap.isNull();
}
