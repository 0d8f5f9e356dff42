// The main window: owner of the open circuit (graph, view, undo ring) and of
// the editor's shared state. Its handlers are thin: the circuit logic lives
// in the model, files and view layers below.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/messages.h"
#include "catalogue/node_type_info.h"
#include "files/undo_ring.h"
#include "model/graph.h"
#include "model/point.h"
#include "ui/app_windows.h"
#include "ui/program_profile.h"
#include "view/my_scale.h"

class QAbstractButton;
class QAction;
class QLabel;
class QPlainTextEdit;
class QScrollBar;
class QSplitter;
class QTimer;
class QToolButton;
class QWidget;

class TForm1 : public QMainWindow, public vemu::files::UndoHost {
  Q_OBJECT
 public:
  TForm1(AppWindows& app, const ProgramProfile& profile, const std::vector<std::string>& args,
         QWidget* parent = nullptr);
  ~TForm1() override;

  // --- state (in the order the window declares it) ---
  vemu::files::UndoRing Backup{*this};  // BackupCount, BackupStart, BackupPos, UndoRedoFlag
  std::uint8_t IgnoreMouseDown = 0;
  std::uint8_t ArrangeMode = 0;
  std::string CmdLineFile;
  std::uint8_t RedrawRequest = 0;
  std::string SubCircuitFile = "select.dag";
  std::string LastFile;
  std::int32_t GridStep = 15;
  std::int32_t AnimAngle = 0;
  std::int32_t LineWidth0 = 0;
  std::int32_t LineWidth1 = 0;
  std::int32_t LineWidth2 = 0;
  std::unique_ptr<vemu::view::TMyScale> View;
  std::string PictureName = "noname";
  vemu::catalogue::MessageList Messages;  // UTF-8, line n is message n
  vemu::catalogue::NodeTypeTable NodeTypes;  // one record per type code
  std::int32_t MouseState = 0;
  vemu::model::TheNode* DownNode = nullptr;
  vemu::model::TheNode* HoverNode = nullptr;
  vemu::model::TPoint DownPoint;
  vemu::model::TPoint MousePoint;
  std::unique_ptr<vemu::model::TheBaseOfGraf> Graph;
  std::uint8_t ListNotPacked = 0;
  std::uint8_t Modified = 0;
  std::int32_t ShadowPhase = 0;
  std::int32_t WhirlCounter = 0;
  std::int32_t CurrentType = 2;
  vemu::model::TheNode* PendingHalf = nullptr;

  // --- controls ---
  QTimer* Timer1 = nullptr;
  QWidget* PaintBox1 = nullptr;
  QScrollBar* ScrollBar1 = nullptr;
  QScrollBar* ScrollBar2 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QWidget* Splitter1 = nullptr;
  QLabel* StatusPanels[3] = {nullptr, nullptr, nullptr};
  QAction* Undo1 = nullptr;
  QAction* Redo1 = nullptr;
  QToolButton* SpeedButtonUndo = nullptr;
  QToolButton* SpeedButtonRedo = nullptr;
  // For each type code the palette button that stands for it.
  std::vector<QAbstractButton*> ButtonOfType;

  const ProgramProfile& Profile() const { return profile_; }
  AppWindows& App() { return app_; }

  // --- operations ---
  void SetStatusText(int panel, const std::string& text);
  std::string StatusText(int panel) const;
  bool WriteCircuitFile(const std::string& fileName);
  bool ReadCircuitFile(const std::string& fileName);
  void PushUndoSnapshot() { Backup.PushUndoSnapshot(); }
  void Undo1Click() { Backup.Undo(); }
  void Redo1Click() { Backup.Redo(); }
  void SetCurrentNode(vemu::model::TheNode* n);
  void RequestRedraw() override { RedrawRequest = 1; }
  void Timer1Timer();
  void FormKeyPress(char key);
  // The first activation opens the file named on the command line.
  void FormActivate();

  // --- element catalogue and languages (tform1_catalogue.cpp) ---
  void InitNodeTypeTable();
  // The one handler of the four language menu items; tag 1 Russian, 2 English,
  // 3 Polish, anything else German.
  void Russian1Click(int tag);
  void PatchSetupSym(bool russian);

  // UndoHost
  bool WriteSnapshot(const std::string& path) override { return WriteCircuitFile(path); }
  bool ReadSnapshot(const std::string& path) override { return ReadCircuitFile(path); }
  void SetModified() override { Modified = 1; }
  void SetCaption(const std::string& text) override;
  void UpdateUndoEnables(bool canUndo, bool canRedo) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FormCreate();
  void FormDestroy();
  void CreateControls();

  AppWindows& app_;
  ProgramProfile profile_;
};
