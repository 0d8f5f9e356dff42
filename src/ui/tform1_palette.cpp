// The element palette at the left edge of the main window: one checkable
// button per element type (its Tag is the type code, one down at a time),
// the ground button, and the amplifier button with its pop-up menu. The
// glyphs are compiled in (ui/glyphs); a missing one leaves the button
// without a picture.
#include <QAction>
#include <QButtonGroup>
#include <QGridLayout>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>

#include "catalogue/glyphs.h"
#include "ui/tform1.h"

namespace {

struct PaletteEntry {
  const char* name;
  int tag;            // type code
  const char* label;  // shown when the glyph is missing
  const char* hint;   // design hint; the captions file replaces it
};

// The palette in its order on screen. Tags are those of the full program.
constexpr PaletteEntry kFullPalette[] = {
    {"SpeedButton41", 2, "o", "Node"},
    {"SpeedButton3", 3, "E", "\"E\" - voltage source"},
    {"SpeedButton4", 4, "J", "\"J\" - current source"},
    {"SpeedButton22", 5, "I", "\"I\" - current sensor"},
    {"SpeedButton21", 6, "U", "\"U\" - voltage sensor"},
    {"SpeedButton23", 7, "V", "\"V\" - voltmeter"},
    {"SpeedButton24", 8, "A", "\"A\" - ammeter"},
    {"SpeedButton11", 9, "Nr", "\"N\" - norator"},
    {"SpeedButton12", 10, "Nl", "\"N\" - nullator"},
    {"SpeedButton14", 11, "U>", "\"U\" - voltage-controlled voltage source, receiver"},
    {"SpeedButton13", 12, "KU", "\"KU\" - voltage-controlled voltage source, generator"},
    {"SpeedButton18", 13, "I>", "\"I\" - current-controlled voltage source, receiver"},
    {"SpeedButton17", 14, "HI", "\"HI\" - current-controlled voltage source, generator"},
    {"SpeedButton16", 15, "U>", "\"U\" - voltage-controlled current source, receiver"},
    {"SpeedButton15", 16, "GU", "\"GU\" - voltage-controlled current source, generator"},
    {"SpeedButton20", 17, "I>", "\"I\" - current-controlled current source, receiver"},
    {"SpeedButton19", 18, "BI", "\"BI\" - current-controlled current source, generator"},
    {"SpeedButton5", 19, "R", "\"R\" - resistance"},
    {"SpeedButton6", 20, "g", "\"g\" - conductance"},
    {"SpeedButton9", 21, "L", "\"L\" - inductive reactance"},
    {"SpeedButton10", 22, "l", "\"l\" - inductive susceptance"},
    {"SpeedButton7", 23, "C", "\"C\" - capacitive reactance"},
    {"SpeedButton8", 24, "c", "\"c\" - capacitive susceptance"},
    {"SpeedButton42", 25, "Amp", "Amplifiers"},
    {"SpeedButton30", 29, "X", "\"X\" - sub-circuit"},
    {"SpeedButton29", 30, "OA", "\"N\" - ideal operational amplifier"},
    {"SpeedButton28", 31, "P", "loop mark"},
    {"SpeedButton31", 32, "T", "TEXT"},
    {"SpeedButton26", 33, "H", "\"H\" - resistance amplifier"},
    {"SpeedButton25", 34, "G", "\"G\" - conductance amplifier"},
    {"SpeedButton44", 35, "P", ""},
    {"SpeedButton45", 36, "P", ""},
    {"SpeedButton46", 37, "P", ""},
    {"SpeedButton27", 38, "K", "\"K\" - voltage amplifier"},
};

// The second build: no probe buttons 44 to 46, and the three amplifier
// buttons place the amplifier codes of the pop-up menu.
int SecondBuildTag(const PaletteEntry& entry) {
  const std::string_view name = entry.name;
  if (name == "SpeedButton25") return 25;
  if (name == "SpeedButton26") return 26;
  if (name == "SpeedButton27") return 27;
  if (name == "SpeedButton44" || name == "SpeedButton45" || name == "SpeedButton46") return -1;
  return entry.tag;
}

// The picture of a palette button, or a null image when it is not there.
QImage LoadGlyph(const char* name) {
  return QImage(QStringLiteral(":/glyphs/%1.bmp").arg(QString::fromLatin1(name)));
}

QToolButton* NewPaletteButton(QWidget* panel, const char* name, const char* label, const char* hint) {
  auto* button = new QToolButton(panel);
  button->setObjectName(name);
  button->setText(QString::fromUtf8(label));
  button->setToolTip(QString::fromUtf8(hint));
  button->setFixedSize(32, 32);
  const QImage glyph = LoadGlyph(name);
  button->setProperty("glyph", glyph);
  if (!glyph.isNull()) {
    button->setIcon(QIcon(QPixmap::fromImage(vemu::catalogue::TransparentGlyph(glyph))));
    button->setIconSize(glyph.size().boundedTo(QSize(28, 28)));
  }
  return button;
}

QAction* AddAmplifierItem(QMenu* menu, const char* name, const char* caption, int tag) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setObjectName(name);
  item->setProperty("Tag", tag);
  return item;
}

}  // namespace

// The compiled-in glyphs live in a static library: register them once.
static void RegisterGlyphResources() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  Q_INIT_RESOURCE(glyphs);
}

void TForm1::CreatePalette() {
  RegisterGlyphResources();
  const bool second = Profile().kind == ProgramKind::Second;

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedWidth(65);
  auto* grid = new QGridLayout(Panel1);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(1);

  PaletteGroup = new QButtonGroup(this);
  PaletteGroup->setObjectName("PaletteGroup");
  PaletteGroup->setExclusive(true);

  int cell = 0;
  auto place = [&](QToolButton* button) {
    grid->addWidget(button, cell / 2, cell % 2);
    ++cell;
  };
  for (const PaletteEntry& entry : kFullPalette) {
    const int tag = second ? SecondBuildTag(entry) : entry.tag;
    if (tag < 0) continue;
    QToolButton* button = NewPaletteButton(Panel1, entry.name, entry.label, entry.hint);
    button->setProperty("Tag", tag);
    button->setCheckable(true);
    PaletteGroup->addButton(button);
    PaletteButtons.push_back(button);
    place(button);
    if (tag == 2) {
      SpeedButton41 = button;
      // The ground button sits beside the junction tool; it stands for no
      // type and is not part of the group.
      SpeedButton32 = NewPaletteButton(Panel1, "SpeedButton32", "Gnd", "Ground");
      place(SpeedButton32);
    }
  }
  grid->setRowStretch(cell / 2 + 1, 1);

  SpeedButton31 = Panel1->findChild<QToolButton*>("SpeedButton31");
  SpeedButton42 = Panel1->findChild<QToolButton*>("SpeedButton42");
  SpeedButton41->setChecked(true);  // the junction is the type placed first

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  K1 = AddAmplifierItem(PopupMenu1, "K1", "G - conductance amplifier", 25);
  G1 = AddAmplifierItem(PopupMenu1, "G1", "H - resistance amplifier", 26);
  B1 = AddAmplifierItem(PopupMenu1, "B1", "8", 27);
  H1 = AddAmplifierItem(PopupMenu1, "H1", "B - current amplifier", 28);
  SpeedButton42->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(SpeedButton42, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(SpeedButton42->mapToGlobal(at)); });
  ConnectPlacementControls();
}

void TForm1::FillButtonOfType() {
  ButtonOfType.assign(static_cast<std::size_t>(Profile().nodeTypeCount), nullptr);
  for (std::size_t t = 0; t < ButtonOfType.size(); ++t) {
    const int code = static_cast<int>(t);
    if (code <= 2) {
      ButtonOfType[t] = SpeedButton41;
    } else if (code >= 25 && code <= 28) {
      ButtonOfType[t] = SpeedButton42;
    } else {
      for (QToolButton* button : PaletteButtons)
        if (ControlTag(button) == code) ButtonOfType[t] = button;
      // Codes without a button of their own (the spare codes of the second
      // build) show the junction tool.
      if (!ButtonOfType[t]) ButtonOfType[t] = SpeedButton41;
    }
  }
}
