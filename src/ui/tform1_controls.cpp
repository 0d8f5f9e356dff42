// The controls of the main window.
#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/tform1.h"

void TForm1::CreateControls() {
  setObjectName("Form1");
  setWindowTitle("Vemu");
  resize(900, 650);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(50);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

  auto* menu = menuBar()->addMenu("Position");
  Undo1 = menu->addAction("Undo");
  Undo1->setObjectName("Undo1");
  Undo1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Backspace));
  connect(Undo1, &QAction::triggered, this, [this] { Undo1Click(); });
  Redo1 = menu->addAction("Redo");
  Redo1->setObjectName("Redo1");
  Redo1->setShortcut(QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace));
  connect(Redo1, &QAction::triggered, this, [this] { Redo1Click(); });

  auto* undoBar = addToolBar("ToolBarUndo");
  undoBar->setObjectName("ToolBarUndo");
  SpeedButtonUndo = new QToolButton(undoBar);
  SpeedButtonUndo->setObjectName("SpeedButtonUndo");
  SpeedButtonUndo->setText("Undo");
  connect(SpeedButtonUndo, &QToolButton::clicked, this, [this] { Undo1Click(); });
  undoBar->addWidget(SpeedButtonUndo);
  SpeedButtonRedo = new QToolButton(undoBar);
  SpeedButtonRedo->setObjectName("SpeedButtonRedo");
  SpeedButtonRedo->setText("Redo");
  connect(SpeedButtonRedo, &QToolButton::clicked, this, [this] { Redo1Click(); });
  undoBar->addWidget(SpeedButtonRedo);

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  auto* panel2 = new QWidget(central);
  panel2->setObjectName("Panel2");
  auto* grid = new QVBoxLayout(panel2);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* canvasRow = new QHBoxLayout();
  PaintBox1 = new QWidget(panel2);
  PaintBox1->setObjectName("PaintBox1");
  PaintBox1->setMinimumSize(200, 150);
  canvasRow->addWidget(PaintBox1, 1);
  ScrollBar2 = new QScrollBar(Qt::Vertical, panel2);
  ScrollBar2->setObjectName("ScrollBar2");
  ScrollBar2->setRange(0, 100);
  canvasRow->addWidget(ScrollBar2);
  grid->addLayout(canvasRow, 1);
  ScrollBar1 = new QScrollBar(Qt::Horizontal, panel2);
  ScrollBar1->setObjectName("ScrollBar1");
  ScrollBar1->setRange(0, 100);
  grid->addWidget(ScrollBar1);
  row->addWidget(panel2, 1);
  Splitter1 = new QWidget(central);
  Splitter1->setObjectName("Splitter1");
  Splitter1->setFixedWidth(3);
  Splitter1->hide();
  row->addWidget(Splitter1);
  Memo1 = new QPlainTextEdit(central);
  Memo1->setObjectName("Memo1");
  Memo1->hide();
  row->addWidget(Memo1);
  setCentralWidget(central);

  auto* bar = statusBar();
  bar->setObjectName("StatusBar1");
  const int widths[3] = {150, 200, 50};
  for (int i = 0; i < 3; ++i) {
    StatusPanels[i] = new QLabel(bar);
    StatusPanels[i]->setObjectName(QString("StatusPanel%1").arg(i));
    StatusPanels[i]->setMinimumWidth(widths[i]);
    bar->addWidget(StatusPanels[i], i == 2 ? 1 : 0);
  }
}
