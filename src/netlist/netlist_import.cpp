#include "netlist/netlist_import.h"

#include <algorithm>
#include <limits>

#include "catalogue/node_type_table.h"
#include "platform/dialogs.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace vemu::netlist {
namespace {

using model::TheLine;
using model::TheNode;

constexpr std::size_t kMostTokens = 17;
constexpr std::size_t kNameLength = 30;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

// The first letter of an element's name and the type it gives. The sensors
// follow their own letters: U the voltage sensor, I the current sensor.
struct LetterType {
  char letter;
  std::uint8_t type;
};
constexpr LetterType kTypeLetters[] = {{'R', 19}, {'g', 20}, {'L', 21}, {'l', 22}, {'C', 23},
                                       {'c', 24}, {'E', 3},  {'J', 4},  {'U', 6},  {'I', 5},
                                       {'V', 7},  {'A', 8},  {'X', 29}, {'S', 29}};
// Controlled pairs: the first element holds the control link to the second.
struct PairTypes {
  char letter;
  std::uint8_t first;
  std::uint8_t second;
};
constexpr PairTypes kPairLetters[] = {{'N', 9, 10}, {'K', 12, 11}, {'H', 14, 13}, {'G', 16, 15}, {'B', 18, 17}};

std::int32_t ClampToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

std::string_view Cut(std::string_view name) { return name.substr(0, kNameLength); }

}  // namespace

std::vector<std::string_view> NetlistTokens(std::string_view line, std::size_t most) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (tokens.size() < most) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

struct NetlistImport::Tokens {
  std::vector<std::string_view> list;
  std::string_view name() const { return list.front(); }
  std::string_view value() const { return list.back(); }
};

void NetlistImport::BuildFromNetlist(const std::vector<std::string>& lines, ImportLayout mode) {
  // Each line with its end, so that a last empty line stays a line.
  std::string text;
  for (const std::string& line : lines) text.append(line).push_back('\n');
  BuildFromNetlist(std::string_view(text), mode);
}

void NetlistImport::BuildFromNetlist(std::string_view text, ImportLayout mode) {
  logging_ = c_.host.DiagnosticsChecked();
  if (logging_) c_.host.ShowDiagnosticMemo();
  if (!c_.graph.MainNode) {
    platform::dialogs().showMessage("ERROR(7506): Internal Programm error.");
    return;
  }
  owner_ = c_.graph.MainNode;
  width_ = c_.host.PaintBoxWidth();
  junctionsPlaced_ = 0;
  // The title (first line) and the last line (after which no text is left) are never parsed.
  platform::LineCursor cursor(text);
  std::string_view line;
  const bool titled = cursor.next(line);
  for (std::size_t i = 1; titled && cursor.next(line) && cursor.offset() < text.size(); ++i) {
    if (line.size() < 2 || IsBlank(line[0]) || line[0] == '*') continue;
    if (line.find(".END") != std::string_view::npos) break;
    if (line[0] == '.') {
      // ".X" or ".S" closes the sub-circuit; other dot lines are commands for the analysis.
      if (line[1] == 'X' || line[1] == 'S') owner_ = owner_->Upper ? owner_->Upper : c_.graph.MainNode;
      continue;
    }
    BuildElement(i, line);
  }
  if (logging_ && !log_.empty()) c_.host.AddDiagnosticLines(log_);
  log_.clear();
  // The tables of the parse are not needed by the layout.
  junctions_.clear();
  links_.Clear();
  const std::int32_t w = c_.host.PaintBoxWidth(), h = c_.host.PaintBoxHeight();
  if (mode == ImportLayout::Circle) LayOutOnCircle(c_.graph, w, h, c_.host.GridStep(), c_.host.ViewScale(), c_.random);
  if (mode == ImportLayout::Random) LayOutAtRandom(c_.graph, w, h, c_.random);
  c_.host.RefreshLevelWindows();
}

void NetlistImport::BuildElement(std::size_t lineIndex, std::string_view line) {
  Tokens t{NetlistTokens(line, kMostTokens)};
  const char first = t.name().front();
  // Name and nets without a value: the value is "0".
  if (first != 'X' && first != 'S' && (t.list.size() == 3 || t.list.size() == 5)) {
    if (logging_) {
      std::string note(line);
      note.append(platform::utf8ToCp1251(t.list.size() == 3 ? " *** отсутствие 4 последнего параметра"
                                                            : " ***** отсутствие 6 последнего параметра"));
      Log(std::move(note));
    }
    t.list.push_back("0");
  }
  TheNode* e = AddMember(owner_, model::ntText);
  c_.host.SetModified(true);
  e->X = width_ / 4;
  e->Y = ClampToInt32(static_cast<std::int64_t>(lineIndex) * 20 + 5);
  e->Value = std::string(t.value());
  TheNode* partner = nullptr;
  const auto* letter = std::find_if(std::begin(kTypeLetters), std::end(kTypeLetters),
                                    [&](const LetterType& l) { return l.letter == first; });
  const auto* pair = std::find_if(std::begin(kPairLetters), std::end(kPairLetters),
                                  [&](const PairTypes& p) { return p.letter == first; });
  if (letter != std::end(kTypeLetters)) {
    e->NodeType = letter->type;
    e->Name = ElementName(letter->type, t.name());
    if (letter->type == model::ntSubCircuit) {
      e->Value.clear();
      BuildSubCircuitPins(e, t);
      owner_ = e;  // the following lines fill the sub-circuit up to its ".X"
      return;
    }
  } else if (pair != std::end(kPairLetters)) {
    e->NodeType = pair->first;
    e->Name = ElementName(pair->first, t.name());
    partner = AddMember(owner_, pair->second);
    partner->X = e->X;
    partner->Y = e->Y;
    partner->Name = ElementName(pair->second, t.name());
    partner->Value = std::string(t.value());
    c_.graph.AddLine(1, e, partner, model::alControl);
  } else {
    e->Name = "?";
    e->Value = platform::utf8ToCp1251("Неопознанный тип/");
    e->Value.append(t.name());
  }
  LinkNets(e, partner, t);
}

void NetlistImport::BuildSubCircuitPins(TheNode* element, const Tokens& t) {
  for (std::size_t k = 1; k < t.list.size(); ++k) {
    const std::string_view name = Cut(t.list[k]);
    TheNode* outer = FindOrAddJunction(owner_, name);
    AppendLine(element, outer, model::alOutPin);
    PlaceAsNextJunction(outer, name);
    TheNode* inner = FindOrAddJunction(element, name);
    AppendLine(inner, outer, model::alWire);
    PlaceAsNextJunction(inner, name);
    if (logging_) {
      Log("NewCIR-1: " + owner_->Name.str() + "." + outer->Name.str() + "  <- " + element->Name.str());
      Log("NewCIR-2: " + element->Name.str() + "." + inner->Name.str() + "  <- " + outer->Name.str());
    }
  }
}

void NetlistImport::LinkNets(TheNode* element, TheNode* partner, const Tokens& t) {
  // The nets come as the netlist lists them: the element's input and output,
  // then its partner's input and output; further nets are left out.
  const std::size_t last = t.list.size() - 1;
  for (std::size_t k = 1; k < last && k <= 4; ++k) {
    const std::string_view name = Cut(t.list[k]);
    const std::size_t before = junctionCount_;
    TheNode* junction = FindOrAddJunction(owner_, name);
    if (junctionCount_ != before) PlaceAsNextJunction(junction, name);
    TheNode* holder = k <= 2 ? element : partner;
    if (holder) AppendLine(holder, junction, k % 2 == 1 ? model::alInPin : model::alOutPin);
  }
}

TheNode* NetlistImport::FindOrAddJunction(TheNode* level, std::string_view name) {
  auto [slot, fresh] = junctions_.try_emplace(level);
  model::NodesByName& byName = slot->second;
  if (fresh) {
    // The junctions the level had before the import, the first of each name.
    for (const TheLine* l = level->FirstLine.get(); l; l = l->Next.get())
      if (l->Kind == model::alHaveItem && l->Node && l->Node->IsJunction()) byName.Add(l->Node);
  }
  if (TheNode* found = byName.Find(name)) return found;
  TheNode* junction = AddMember(level, model::ntJunction);
  junction->Name = name;  // the key it is found by
  byName.Add(junction);
  ++junctionCount_;
  return junction;
}

void NetlistImport::PlaceAsNextJunction(TheNode* junction, std::string_view name) {
  ++junctionsPlaced_;
  junction->X = (width_ / 4) * 3;
  junction->Y = ClampToInt32(std::int64_t{junctionsPlaced_} * 20 + 5);
  junction->Name = name;
  if (name == "0") junction->Ground = 1;
}

TheNode* NetlistImport::AddMember(TheNode* owner, std::uint8_t type) {
  TheNode* node = c_.graph.AddNode(owner, type);
  AppendLine(owner, node, model::alHaveItem);
  return node;
}

void NetlistImport::AppendLine(TheNode* holder, TheNode* target, std::uint8_t kind) {
  links_.Append(holder, target, kind);
}

std::string NetlistImport::ElementName(std::uint8_t type, std::string_view token) const {
  const char letter = type < c_.types.size() ? catalogue::TypeLetterByte(c_.types[type]) : '?';
  std::string name(1, letter);
  name.append(token.substr(1));
  return name;
}

void NetlistImport::Log(std::string line) { log_.push_back(std::move(line)); }

}  // namespace vemu::netlist
