// The controls of the main window: the tool-bar area on top, the element
// palette (Panel1) at the left, the canvas with its level tabs and scroll
// bars (Panel2), the diagnostic memo at the right and the status bar. The
// menus, tool bars and palette have files of their own.
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/paint_box.h"
#include "ui/tform1.h"

void TForm1::CreateControls() {
  setObjectName("Form1");
  setWindowTitle("Vemu");
  resize(900, 650);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(50);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  Panel2 = new QWidget(central);
  Panel2->setObjectName("Panel2");
  auto* column = new QVBoxLayout(Panel2);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  if (Profile().kind == ProgramKind::Full) {
    TabSet1 = new QTabBar(Panel2);
    TabSet1->setObjectName("TabSet1");
    column->addWidget(TabSet1);
  }
  auto* canvasRow = new QHBoxLayout();
  PaintBox1 = new PaintBox(Panel2);
  PaintBox1->OnResize = [this] { FormResize(); };
  PaintBox1->setObjectName("PaintBox1");
  PaintBox1->setMinimumSize(200, 150);
  canvasRow->addWidget(PaintBox1, 1);
  ScrollBar2 = new QScrollBar(Qt::Vertical, Panel2);
  ScrollBar2->setObjectName("ScrollBar2");
  ScrollBar2->setRange(0, 100);
  canvasRow->addWidget(ScrollBar2);
  column->addLayout(canvasRow, 1);
  ScrollBar1 = new QScrollBar(Qt::Horizontal, Panel2);
  ScrollBar1->setObjectName("ScrollBar1");
  ScrollBar1->setRange(0, 100);
  column->addWidget(ScrollBar1);

  Splitter1 = new QWidget(central);
  Splitter1->setObjectName("Splitter1");
  Splitter1->setFixedWidth(3);
  Splitter1->hide();
  Memo1 = new QPlainTextEdit(central);
  Memo1->setObjectName("Memo1");
  Memo1->hide();

  StatusBar1 = statusBar();
  StatusBar1->setObjectName("StatusBar1");
  const int widths[3] = {150, 200, 50};
  for (int i = 0; i < 3; ++i) {
    StatusPanels[i] = new QLabel(StatusBar1);
    StatusPanels[i]->setObjectName(QString("StatusPanel%1").arg(i));
    if (i < 2) StatusPanels[i]->setFixedWidth(widths[i]);
    else StatusPanels[i]->setMinimumWidth(widths[i]);
    StatusBar1->addWidget(StatusPanels[i], i == 2 ? 1 : 0);
  }

  CreateActions();
  CreateToolBars();
  CreateMenus();
  CreateMemoMenu();
  CreatePalette();
  FillButtonOfType();
  ConnectGestureControls();

  row->addWidget(Panel1);
  row->addWidget(Panel2, 1);
  row->addWidget(Splitter1);
  row->addWidget(Memo1);
  setCentralWidget(central);
}
