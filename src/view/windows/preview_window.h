// The sub-circuit preview window: shows one container of the main circuit,
// independently of the level shown in the main window, with its own zoom
// and pan. It has no painter of its own: for one redraw it lends its view
// and its level to the main window (view/preview_view.h).
#pragma once

#include <QDialog>
#include <QImage>
#include <cstdint>
#include <functional>

#include "model/graph.h"
#include "model/point.h"
#include "ui/app_windows.h"
#include "view/my_scale.h"

class QAction;
class QMenu;
class QTimer;
class PaintBox;

class TFormSubCircuit : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSubCircuit(AppWindows& app, QWidget* parent = nullptr);

  // --- state (in the order the window declares it) ---
  vemu::model::TPoint DownPoint;  // client pixels of the last press
  vemu::model::TPoint UpPoint;    // and of the last release
  std::uint8_t Panning = 0;       // 1 while a pan drag is in progress
  // The back buffer: an RGB32 picture of the client size, zero-filled when
  // made; a null image when it could not be made (then nothing is drawn).
  QImage BackBuffer;
  std::int32_t BackBufferWidth = 0;
  std::int32_t BackBufferHeight = 0;
  // The container shown; a reference into the main window's graph.
  vemu::model::TheNode* ShownNode = nullptr;
  // Parking place of the main view during a paint, and the window's own view.
  vemu::view::TMyScale SavedScale;
  vemu::view::TMyScale OwnScale;

  // --- controls ---
  QTimer* Timer1 = nullptr;  // 1000 ms, running for the whole run
  PaintBox* PaintBox1 = nullptr;  // the client area; shows the back buffer
  QMenu* PopupMenu1 = nullptr;    // opened by a right click when a node is shown
  QAction* ZoomIn1 = nullptr;
  QAction* ZoomOut1 = nullptr;
  QAction* DefaultScale1 = nullptr;

  // Shows n at scale 0.5 and origin (0, 0); nothing happens when n is null
  // or already shown.
  void SetNode(vemu::model::TheNode* n);
  // Paints the shown container now (only while the window is visible).
  // Without a container to show the window says so and hides itself.
  void DrawSubCircuit();
  // The redraw the window borrows; the main window's DrawAll unless a test
  // puts another here. It runs with the main view and shown level lent.
  std::function<void(QImage& bitmap, QWidget* destination)> PaintLevel;

  // --- handlers ---
  void Timer1Timer() { DrawSubCircuit(); }
  void FormResize();
  void FormMouseDown(Qt::MouseButton button, int x, int y);
  void FormMouseUp(int x, int y);
  // Swaps the shown level with the main window's.
  void FormDblClick();
  // Esc hides the window.
  void FormKeyPress(char key);
  void ZoomIn1Click();
  void ZoomOut1Click();
  void DefaultScale1Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateBackBuffer(int width, int height);
  vemu::view::TRect ClipRect() const;
  void ShowNothing();
  void PlaceBesideMainWindow();

  bool placed_ = false;

  AppWindows& app_;
};
