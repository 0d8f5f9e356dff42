// The main window's netlist commands: they build the netlist through the
// netlist layer and show its questions on the drawing.
#include <QPlainTextEdit>
#include <QStringList>

#include "catalogue/settings.h"
#include "netlist/element_lines.h"
#include "netlist/level_selection.h"
#include "netlist/net_numbering.h"
#include "netlist/netlist_builder.h"
#include "netlist/netlist_questions.h"
#include "netlist/windows/text_window.h"
#include "platform/program_folder.h"
#include "ui/paint_box.h"
#include "platform/qt/qt_text.h"
#include "platform/text_codec.h"
#include "ui/tform1.h"

namespace netlist = vemu::netlist;
namespace platform = vemu::platform;
using vemu::model::TheNode;

namespace {

// The main window as the netlist builder's host; `memo` is the memo the
// netlist goes into (null: none).
class Form1NetlistHost final : public netlist::NetlistHost {
 public:
  Form1NetlistHost(TForm1& form, QPlainTextEdit* memo) : form_(form), memo_(memo) {}

  void ShowLevel(TheNode* container) override {
    form_.Graph->MainNode = container;
    form_.PaintBox1->update();
  }
  void SetLevelSelection(std::uint8_t flag) override { netlist::SetLevelSelection(*form_.Graph, flag); }
  void SetCurrentNode(TheNode* node) override { form_.SetCurrentNode(node); }
  void CenterOnNode(TheNode* node) override { form_.CenterOnNode(node); }
  void SetStatusText(int panel, const std::string& utf8) override { form_.SetStatusText(panel, utf8); }
  void ShowMemo(const std::vector<std::string>* linesSoFar) override {
    if (!memo_) return;
    if (linesSoFar) SetMemoLines(*linesSoFar);
    memo_->setVisible(true);
    if (QWidget* window = memo_->window(); window && window->isHidden()) window->show();
  }
  void SetMemoLines(const std::vector<std::string>& lines) override {
    if (!memo_) return;
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines) shown.push_back(platform::fromCp1251(line));
    memo_->setPlainText(shown.join(QLatin1Char('\n')));
  }
  void SetMemoCaption(const std::string& utf8) override {
    if (form_.App().Form6) form_.App().Form6->setWindowTitle(platform::fromUtf8(utf8));
  }

 private:
  TForm1& form_;
  QPlainTextEdit* memo_;
};

const vemu::catalogue::Settings& settingsOf(TForm1& form) {
  static const vemu::catalogue::Settings kDefaults;
  return form.App().Settings ? *form.App().Settings : kDefaults;
}

QPlainTextEdit* textWindowMemo(TForm1& form) { return form.App().Form6 ? form.App().Form6->Memo1 : nullptr; }

}  // namespace

netlist::BuildEnd TForm1::BuildNetlist(QPlainTextEdit* memo) {
  Form1NetlistHost host(*this, memo);
  netlist::NetlistBuilder builder({*Graph, NodeTypes, settingsOf(*this), host, ListNotPacked});
  return builder.BuildNetlist(platform::utf8ToCp1251(platform::fileNamePart(SaveDialogFileName)));
}

void TForm1::SetStoreInCirFlag() { netlist::SetStoreInCirFlag(*Graph); }

void TForm1::NumberNets() {
  Form1NetlistHost host(*this, textWindowMemo(*this));
  netlist::NetlistBuilder({*Graph, NodeTypes, settingsOf(*this), host, ListNotPacked}).NumberNets();
}

void TForm1::SortByName() { netlist::SortByName(*Graph); }

void TForm1::AppendLinkNodes(std::string& text, int count, TheNode* node,
                             const vemu::model::KindSet& kinds) {
  netlist::AppendLinkNodes(text, count, node, kinds);
}

std::string TForm1::SubCircuitPinList(TheNode* node) { return netlist::SubCircuitPinList(node); }

bool TForm1::AskNetlistProblem(TheNode* element, const std::string& text, const std::string& caption) {
  Form1NetlistHost host(*this, textWindowMemo(*this));
  netlist::NetlistContext context{*Graph, NodeTypes, settingsOf(*this), host, ListNotPacked};
  return netlist::NetlistQuestions(context, nullptr).AskNetlistProblem(element, text, caption);
}

bool TForm1::AskElementValue(TheNode* element, const std::string& caption, const std::string& prompt) {
  Form1NetlistHost host(*this, textWindowMemo(*this));
  netlist::NetlistContext context{*Graph, NodeTypes, settingsOf(*this), host, ListNotPacked};
  return netlist::NetlistQuestions(context, nullptr).AskElementValue(element, caption, prompt);
}
