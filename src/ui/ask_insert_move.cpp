#include "ui/ask_insert_move.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/messages.h"
#include "platform/dialogs.h"
#include "platform/qt/qt_text.h"
#include "ui/tform1.h"

namespace platform = vemu::platform;
using vemu::model::MoveTarget;
using vemu::model::MoveTargetKind;
using vemu::model::MoveTargetRefusal;

namespace {

constexpr const char* kCaption = "Переместить в...";
constexpr int kOk = 1;
constexpr int kCancel = 2;

QString ItemText(const MoveTarget& target) {
  switch (target.kind) {
    case MoveTargetKind::NewSubCircuit: return platform::fromUtf8(vemu::catalogue::GetMsg(64));
    case MoveTargetKind::OwnerLevel: return platform::fromUtf8(vemu::catalogue::GetMsg(65));
    case MoveTargetKind::Container: return target.node ? platform::fromCp1251(target.node->Name.str()) : QString();
  }
  return QString();
}

}  // namespace

TAskInsertMove::TAskInsertMove(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("AskInsertMove");
  setWindowTitle(QString::fromUtf8(kCaption));
  app_.AskInsertMove = this;

  auto* column = new QVBoxLayout(this);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  column->addWidget(ListBox1);
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  auto* buttons = new QHBoxLayout(Panel1);
  Button1 = new QPushButton("OK", Panel1);
  Button1->setObjectName("Button1");
  Button2 = new QPushButton("Cansel", Panel1);
  Button2->setObjectName("Button2");
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  column->addWidget(Panel1);
  connect(Button1, &QPushButton::clicked, this, [this] { done(kOk); });
  connect(Button2, &QPushButton::clicked, this, [this] { done(kCancel); });
  connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
}

void TAskInsertMove::FillTargets(const vemu::model::TheNode* level) {
  Targets = vemu::model::MoveTargetsOf(level);
  ListBox1->clear();
  for (const MoveTarget& target : Targets) ListBox1->addItem(ItemText(target));
  if (ListBox1->count() > 0) ListBox1->setCurrentRow(0);
  ChosenIndex = 0;
  setWindowTitle(QString::fromUtf8(kCaption));
}

bool TAskInsertMove::ChooseItem(const QString& text) {
  for (int i = 0; i < ListBox1->count(); ++i) {
    if (ListBox1->item(i)->text() != text) continue;
    ListBox1->setCurrentRow(i);
    ListBox1Click();
    return true;
  }
  return false;
}

void TAskInsertMove::ListBox1Click() {
  ChosenIndex = ListBox1->currentRow();
  const QListWidgetItem* item = ListBox1->currentItem();
  setWindowTitle("=->" + (item ? item->text() : QString()));
}

void TAskInsertMove::FormKeyPress(char key) {
  if (key == 27) done(kCancel);
}

void TAskInsertMove::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    FormKeyPress(27);
    return;
  }
  QDialog::keyPressEvent(event);
}

int TAskInsertMove::RunModal() {
  TForm1* main = app_.Form1;
  if (main && main->RunModalWindow) return main->RunModalWindow(*this);
  // Without a display nobody could close the dialog: it counts as cancelled.
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return kCancel;
  return exec();
}

std::optional<MoveTarget> TAskInsertMove::AskMoveTarget(vemu::model::TheNode* level) {
  TForm1* main = app_.Form1;
  if (!level || !main || !main->Graph) return std::nullopt;
  FillTargets(level);
  const bool confirmed = RunModal() == kOk;
  // The list's nodes are not kept beyond the question.
  std::vector<MoveTarget> targets;
  targets.swap(Targets);
  if (!confirmed || ChosenIndex < 0 || static_cast<std::size_t>(ChosenIndex) >= targets.size()) return std::nullopt;
  const MoveTarget target = targets[static_cast<std::size_t>(ChosenIndex)];
  const MoveTargetRefusal refusal = vemu::model::RefuseMoveTarget(*main->Graph, level, target);
  if (refusal == MoveTargetRefusal::None) return target;
  const int message = refusal == MoveTargetRefusal::NotAContainer ? 47 : 56;
  const std::string item = platform::toUtf8(ListBox1->item(ChosenIndex)->text());
  platform::dialogs().messageBox("Vemu", vemu::catalogue::GetMsg(message) + "\n\r" + item, platform::MsgButtons::Ok,
                                 platform::MsgIcon::Warning);
  return std::nullopt;
}
