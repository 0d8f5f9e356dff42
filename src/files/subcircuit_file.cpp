#include "files/subcircuit_file.h"

#include <charconv>
#include <limits>
#include <unordered_set>

#include "files/record_text.h"
#include "files/text_cursor.h"
#include "platform/text_file.h"
#include "view/my_line.h"

namespace vemu::files {
namespace {

using model::TheBaseOfGraf;
using model::TheLine;
using model::TheNode;

bool isNumbered(const TheNode* n) { return n && n->Number != 0; }

// The links written: those to numbered nodes; a membership link only from
// the node the walk made the member's owner, so that a damaged graph (a
// member held twice, a membership cycle) still gives a tree.
bool isWritten(const TheNode* holder, const TheLine* l) {
  return isNumbered(l->Node) && (l->Kind != model::alHaveItem || l->Node->Upper == holder);
}

void appendRecord(std::string& out, const TheNode* n, std::int32_t mainNumber) {
  std::int64_t lines = 0;
  n->forEachLine([&](TheLine* l) { lines += isWritten(n, l) ? 1 : 0; });
  AppendRecordNumbers(out, n->Number, n->X, n->Y, n->NodeType,
                      isNumbered(n->Upper) ? n->Upper->Number : mainNumber, lines, n->Wx, n->Wy);
  // An amplifier's sign goes before its name, as in the circuit file.
  AppendNameValueGround(out, *n);
  n->forEachLine([&](TheLine* l) {
    if (isWritten(n, l)) AppendLink(out, l->Kind, l->Node->Number);
  });
}

std::string numberLine(std::int32_t number, const TheNode* n) {
  std::string line;
  AppendInt(line, number, 0);
  if (line.size() < 2) line.insert(0, 2 - line.size(), '0');  // "%02d"
  line += "  ";
  line += n->Name.str();
  return line;
}

// Name, value, sign and ground mark from the text after a record's numbers,
// as the circuit reader takes them.
void fillTexts(SubcircuitRecord& record, std::string_view rest, std::size_t line) {
  if (!rest.empty()) rest.remove_prefix(1);
  const auto nameEnd = rest.find(' ');
  std::string_view name = rest.substr(0, nameEnd);
  std::string_view afterName = nameEnd == std::string_view::npos ? std::string_view() : rest.substr(nameEnd + 1);
  const std::string_view value = record.type == model::ntText ? afterName : afterName.substr(0, afterName.find(' '));
  CheckRecordText(name, "name", line);
  CheckRecordText(value, "value", line);
  record.polarity = 0;
  if (model::IsSignedAmplifierType(record.type) && !name.empty() && (name.front() == '+' || name.front() == '-')) {
    record.polarity = name.front() == '+' ? 1 : 0;
    name.remove_prefix(1);
  }
  record.name = std::string(name.substr(0, 30));
  record.ground = 0;
  if (record.type == model::ntText) {
    record.value = std::string(afterName);
    return;
  }
  const auto valueEnd = afterName.find(' ');
  record.value = std::string(afterName.substr(0, valueEnd));
  if (record.type == model::ntJunction && valueEnd != std::string_view::npos) {
    std::string_view mark = afterName.substr(valueEnd);
    if (mark.size() >= 3 && mark[1] == 'G' && mark[2] >= '1' && mark[2] <= '4' &&
        (mark.size() == 3 || mark[3] == ' '))
      record.ground = mark[2] - '0';
  }
}

struct MemberLink {
  std::int32_t owner;   // record number, or the main number for a top member
  std::int32_t member;
  std::size_t line;
};

void checkCount(std::int64_t count, std::size_t linesLeft, std::size_t line, const char* what) {
  if (count < 0 || static_cast<std::uint64_t>(count) > linesLeft)
    throw FormatError(line, std::string("The ") + what + " " + std::to_string(count) +
                                " does not match the lines of the file");
}

void readRecords(TextCursor& in, SubcircuitContent& content) {
  in.readLn();  // title
  const std::string_view flagsLine = in.readLine();
  const bool wxwy = flagsLine.find("WxWy") != std::string_view::npos;
  const bool cur = flagsLine.find("$Cur") != std::string_view::npos;
  in.readLn();  // rule
  const std::int32_t count = in.readInt();
  const std::size_t countLine = in.lineNumber();
  in.readLn();
  const std::int32_t mainNumber = in.readInt();
  in.readLn();
  if (count != mainNumber) {
    content.status = SubcircuitContent::Status::HeaderMismatch;
    return;
  }
  if (cur) in.readLn();
  in.readLn();  // column header
  if (count < 1) throw FormatError(countLine, "The node count " + std::to_string(count) + " is not a sub-circuit");
  checkCount(std::int64_t{count} - 1, in.linesLeft(), countLine, "node count");
  content.mainNumber = count;
  const std::size_t n = static_cast<std::size_t>(count) - 1;
  content.records.resize(n);
  std::vector<MemberLink> members;
  std::vector<std::size_t> recordLine(n + 1, 0);

  auto checkTarget = [&](std::int32_t target, std::size_t line) {
    if (target < 1 || target >= count)
      throw FormatError(line, "The link target " + std::to_string(target) + " names no node of the file");
  };
  for (std::size_t k = 1; k <= n; ++k) {
    SubcircuitRecord& record = content.records[k - 1];
    in.readInt();  // the record's own number: its position decides
    record.x = in.readInt();
    record.y = in.readInt();
    const std::int32_t type = in.readInt();
    recordLine[k] = in.lineNumber();
    record.up = in.readInt();
    const std::int32_t lines = in.readInt();
    const std::size_t linesLine = in.lineNumber();
    if (wxwy) {
      record.wx = in.readInt();
      record.wy = in.readInt();
    }
    if (type < 0 || type > model::ntLastType)
      throw FormatError(recordLine[k], "Unknown node type " + std::to_string(type));
    if (record.up < 1 || record.up > count)
      throw FormatError(recordLine[k], "The owner " + std::to_string(record.up) + " names no node of the file");
    checkCount(lines, in.linesLeft(), linesLine, "link count");
    record.type = static_cast<std::uint8_t>(type);
    fillTexts(record, in.restOfLine(), in.lineNumber());
    in.readLn();
    record.links.reserve(static_cast<std::size_t>(lines));
    for (std::int32_t j = 1; j <= lines; ++j) {
      const std::int32_t kind = in.readInt();
      const std::int32_t target = in.readInt();
      const std::size_t line = in.lineNumber();
      in.readLn();
      checkTarget(target, line);
      record.links.emplace_back(static_cast<std::uint8_t>(kind), target);
      if (static_cast<std::uint8_t>(kind) == model::alHaveItem)
        members.push_back({static_cast<std::int32_t>(k), target, line});
    }
  }

  // The main record: its link count, then one line per top member.
  for (int i = 0; i < 5; ++i) in.readInt();
  const std::int32_t topCount = in.readInt();
  const std::size_t topLine = in.lineNumber();
  in.readLn();
  checkCount(topCount, in.linesLeft(), topLine, "member count");
  content.topLinks.reserve(static_cast<std::size_t>(topCount));
  for (std::int32_t j = 1; j <= topCount; ++j) {
    SubcircuitContent::TopLink link;
    link.kind = in.readInt();
    link.target = in.readInt();
    const std::size_t line = in.lineNumber();
    link.rest = std::string(in.restOfLine());
    in.readLn();
    checkTarget(link.target, line);
    members.push_back({count, link.target, line});
    content.topLinks.push_back(std::move(link));
  }

  // Every node is a member of exactly its owner, once.
  std::vector<std::uint8_t> memberOf(n + 1, 0);
  for (const MemberLink& m : members) {
    const SubcircuitRecord& member = content.records[static_cast<std::size_t>(m.member) - 1];
    if (member.up != m.owner)
      throw FormatError(m.line, "Node " + std::to_string(m.member) + " is listed as a member of " +
                                    std::to_string(m.owner) + " but its owner is " + std::to_string(member.up));
    if (memberOf[static_cast<std::size_t>(m.member)]++)
      throw FormatError(m.line, "Node " + std::to_string(m.member) + " is listed twice as a member");
  }
  for (std::size_t k = 1; k <= n; ++k)
    if (!memberOf[k])
      throw FormatError(recordLine[k], "Node " + std::to_string(k) + " is not listed as a member of its owner " +
                                           std::to_string(content.records[k - 1].up));
  // Every chain of owners ends at the main record.
  std::vector<std::uint8_t> state(n + 1, 0);  // 1 on the chain being walked, 2 reaches the main record
  std::vector<std::size_t> chain;
  for (std::size_t k = 1; k <= n; ++k) {
    std::size_t at = k;
    chain.clear();
    while (at != static_cast<std::size_t>(count) && state[at] == 0) {
      state[at] = 1;
      chain.push_back(at);
      at = static_cast<std::size_t>(content.records[at - 1].up);
    }
    if (at != static_cast<std::size_t>(count) && state[at] == 1)
      throw FormatError(recordLine[at], "Node " + std::to_string(at) + " is its own owner through its members");
    for (std::size_t c : chain) state[c] = 2;
  }
  content.status = SubcircuitContent::Status::Ok;
}

void trace(std::string& line, std::int64_t value, std::size_t width) { AppendInt(line, value, width); }

}  // namespace

void NumberSubTree(TheBaseOfGraf& graph, TheNode* top, std::int32_t& counter, std::vector<TheNode*>& order,
                   std::vector<std::string>& memo) {
  auto fresh = [&](const TheNode* n) { return n && n != graph.MainNode && n->Number == 0; };
  if (!fresh(top)) return;
  auto number = [&](TheNode* n) {
    n->Number = ++counter;
    order.push_back(n);
    memo.push_back(numberLine(n->Number, n));
  };
  struct Frame {
    TheNode* node;
    TheLine* next;
  };
  std::vector<Frame> stack;
  number(top);
  stack.push_back({top, top->FirstLine.get()});
  while (!stack.empty()) {
    Frame& frame = stack.back();
    TheLine* l = frame.next;
    while (l && !(l->Kind == model::alHaveItem && fresh(l->Node))) l = l->Next.get();
    if (!l) {
      stack.pop_back();
      continue;
    }
    frame.next = l->Next.get();
    TheNode* member = l->Node;
    member->Upper = frame.node;
    number(member);
    stack.push_back({member, member->FirstLine.get()});
  }
}

SubcircuitText FormatSubcircuit(TheBaseOfGraf& graph) {
  SubcircuitText result;
  graph.SetAllNumbers(0);
  std::int32_t counter = 0;
  std::vector<TheNode*> order;
  std::vector<TheNode*> tops;
  if (TheNode* level = graph.MainNode) {
    level->forEachLine([&](TheLine* l) {
      TheNode* m = l->Node;
      if (l->Kind != model::alHaveItem || !m || m->Selected != 1 || m->Number != 0 || m == level) return;
      NumberSubTree(graph, m, counter, order, result.memoLines);
      tops.push_back(m);
    });
  }
  result.memberCount = static_cast<int>(tops.size());
  const std::int32_t mainNumber = counter + 1;

  std::string& out = result.text;
  out.reserve(order.size() * 60 + 512);
  out += "noname\r\n";
  out += "Vemu.exe (WxWy) $Cur $SS $Scale\r\n";
  out += "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n";
  AppendInt(out, mainNumber, 7);
  out += " - How many nodes\r\n";
  AppendInt(out, mainNumber, 7);
  out += " - Main node\r\n";
  AppendInt(out, 0, 7);
  out += " - Current node\r\n";
  out += "--N--X---Y-Type-Up-Lines-Name-Value\r\n";
  for (const TheNode* n : order) appendRecord(out, n, mainNumber);
  AppendRecordNumbers(out, mainNumber, 100, 100, model::ntRoot, 0, static_cast<std::int64_t>(tops.size()), 0, 0);
  out += "Main SubCircuit \r\n";
  for (const TheNode* m : tops) AppendLink(out, model::alHaveItem, m->Number);
  AppendInt(out, 0, 7);
  out += " SubCircuit \r\n";
  AppendInt(out, 0, 7);
  out += " 0 1.000\r\n";
  return result;
}

bool WriteSubcircuitFile(TheBaseOfGraf& graph, const std::string& path, std::vector<std::string>* memoLines,
                         std::string* error) {
  SubcircuitText content = FormatSubcircuit(graph);
  if (memoLines) *memoLines = std::move(content.memoLines);
  platform::SafeFileWriter writer(path);
  writer.write(std::move(content.text));
  if (writer.commit()) return true;
  if (error) *error = writer.error();
  return false;
}

SubcircuitContent ParseSubcircuitText(std::string_view text, const std::string& name) {
  SubcircuitContent content;
  TextCursor in(text);
  try {
    readRecords(in, content);
  } catch (const FormatError& e) {
    content.status = SubcircuitContent::Status::Damaged;
    content.error = name + "(" + std::to_string(e.line()) + "): " + e.what();
  }
  if (!content.ok()) {
    content.records.clear();
    content.topLinks.clear();
  }
  return content;
}

SubcircuitContent ReadSubcircuitFile(const std::string& path) {
  std::string reason;
  auto bytes = platform::readFileBytes(path, platform::kCircuitReadLimit, &reason);
  if (!bytes) {
    SubcircuitContent content;
    content.status = SubcircuitContent::Status::CannotOpen;
    content.error = platform::withSizeReason("Cannot open file " + path, reason);
    return content;
  }
  return ParseSubcircuitText(*bytes, path);
}

SubcircuitInsertion InsertSubcircuit(TheBaseOfGraf& graph, const SubcircuitContent& content) {
  SubcircuitInsertion result;
  TheNode* level = graph.MainNode;
  if (!level || !content.ok()) return result;
  graph.SetAllNumbers(0);
  // Where the level's members stand; a pasted member does not cover one.
  auto key = [](std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) | static_cast<std::uint32_t>(y);
  };
  std::unordered_set<std::uint64_t> taken;
  level->forEachLine([&](TheLine* l) {
    if (l->Kind != model::alHaveItem || !l->Node) return;
    l->Node->Selected = 0;
    taken.insert(key(l->Node->X, l->Node->Y));
  });
  const std::int32_t count = content.mainNumber;
  level->Number = count;

  std::vector<TheNode*> nodes;
  nodes.reserve(content.records.size());
  for (const SubcircuitRecord& record : content.records) {
    TheNode* node = graph.AddNode(nullptr, 0);
    node->Number = static_cast<std::int32_t>(nodes.size()) + 1;
    node->X = record.x;
    node->Y = record.y;
    node->NodeType = record.type;
    node->Wx = record.wx;
    node->Wy = record.wy;
    node->Name = record.name;
    node->Value = record.value;
    node->Ground = record.ground;
    node->Polarity = record.polarity;
    nodes.push_back(node);
  }
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    const std::int32_t up = content.records[k].up;
    nodes[k]->Upper = up == count ? level : nodes[static_cast<std::size_t>(up) - 1];
  }

  std::string head;
  trace(head, count, 0);
  for (std::int64_t v : {std::int64_t{level->X}, std::int64_t{level->Y}, std::int64_t{level->NodeType},
                         std::int64_t{TheBaseOfGraf::GetNumber(level->Upper)}}) {
    head += ' ';
    trace(head, v, 0);
  }
  result.memoLines.push_back(std::move(head));

  // The top members, each moved off the places already taken, linked in
  // file order ahead of the level's own members.
  std::unique_ptr<TheLine> firstTop;
  TheLine* lastTop = nullptr;
  constexpr std::int32_t kStep = 10;
  constexpr std::int32_t kLimit = std::numeric_limits<std::int32_t>::max() - kStep;
  for (const SubcircuitContent::TopLink& link : content.topLinks) {
    std::string line = " ";
    trace(line, link.kind, 8);
    line += ' ';
    trace(line, link.target, 0);
    line += ' ';
    line += link.rest;
    result.memoLines.push_back(std::move(line));
    TheNode* member = nodes[static_cast<std::size_t>(link.target) - 1];
    while (taken.count(key(member->X, member->Y)) && member->X <= kLimit && member->Y <= kLimit) {
      member->X += kStep;
      member->Y += kStep;
    }
    taken.insert(key(member->X, member->Y));
    auto made = std::make_unique<view::TMyLine>(level, member);
    made->Kind = model::alHaveItem;
    made->Node = member;
    TheLine* raw = made.get();
    if (lastTop) lastTop->Next = std::move(made);
    else firstTop = std::move(made);
    lastTop = raw;
    member->Selected = 1;
    result.topNodes.push_back(member);
  }
  if (lastTop) {
    lastTop->Next = std::move(level->FirstLine);
    level->FirstLine = std::move(firstTop);
  }

  // The links of the new nodes, made where their ends now stand, so that
  // they swing into place.
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    TheNode* node = nodes[k];
    TheLine* tail = nullptr;
    for (const auto& [kind, target] : content.records[k].links) {
      TheNode* to = nodes[static_cast<std::size_t>(target) - 1];
      auto made = std::make_unique<view::TMyLine>(node, to);
      made->Kind = kind;
      made->Node = to;
      TheLine* raw = made.get();
      if (tail) tail->Next = std::move(made);
      else node->FirstLine = std::move(made);
      tail = raw;
    }
  }
  result.nodesAdded = static_cast<int>(nodes.size());
  return result;
}

}  // namespace vemu::files
