// The main window's element-type table and language menu.
#include <QAbstractButton>
#include <QVariant>
#include <QWidget>

#include "catalogue/language_switch.h"
#include "catalogue/messages.h"
#include "catalogue/node_type_table.h"
#include "catalogue/windows/settings_window.h"
#include "platform/qt/qt_text.h"
#include "ui/tform1.h"

namespace catalogue = vemu::catalogue;

namespace {

void SetHint(QWidget& form, const char* name, int message) {
  if (auto* w = form.findChild<QWidget*>(QString::fromLatin1(name)))
    w->setToolTip(vemu::platform::fromUtf8(catalogue::GetMsg(message)));
}

// The hints that come from the numbered messages: text tool, ground button,
// junction tool.
void SetMessageHints(QWidget& form) {
  SetHint(form, "SpeedButton31", 62);
  SetHint(form, "SpeedButton32", 61);
  SetHint(form, "SpeedButton41", 33);
}

}  // namespace

void TForm1::InitNodeTypeTable() {
  const auto kind =
      Profile().kind == ProgramKind::Second ? catalogue::TypeCatalogue::Second : catalogue::TypeCatalogue::Full;
  catalogue::InitNodeTypeTable(
      NodeTypes, Profile().nodeTypeCount,
      [this](int code) {
        const auto i = static_cast<std::size_t>(code);
        if (i >= ButtonOfType.size() || !ButtonOfType[i]) return QImage();
        return ButtonOfType[i]->property("glyph").value<QImage>();
      },
      kind);
  SetMessageHints(*this);
}

void TForm1::Russian1Click(int tag) {
  if (catalogue::SwitchLanguage(tag, Messages) != catalogue::SwitchResult::Switched) return;
  if (App().Form3) App().Form3->LoadLanguageFile();
  SetMessageHints(*this);
}

void TForm1::PatchSetupSym(bool russian) { catalogue::PatchSetupSym(russian); }
