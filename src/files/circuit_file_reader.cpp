#include <algorithm>
#include <vector>

#include "files/circuit_file.h"
#include "files/text_cursor.h"
#include "platform/dialogs.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "view/my_line.h"

namespace vemu::files {
namespace {

using model::TheBaseOfGraf;
using model::TheLine;
using model::TheNode;

struct Flags {
  bool wxwy = false, cur = false, ss = false, scale = false;
};

// Splits the text after a record's numbers into name, value and ground mark.
// `rest` starts with the blank the writer puts before the name.
void fillTexts(TheNode* node, std::string_view rest, std::size_t line) {
  if (!rest.empty()) rest.remove_prefix(1);
  const auto nameEnd = rest.find(' ');
  std::string_view name = rest.substr(0, nameEnd);
  std::string_view afterName = nameEnd == std::string_view::npos ? std::string_view() : rest.substr(nameEnd + 1);
  CheckRecordText(name, "name", line);
  CheckRecordText(node->IsText() ? afterName : afterName.substr(0, afterName.find(' ')), "value", line);

  // The sign of an amplifier comes off before the name is cut to its size,
  // so a name of full length keeps its last character.
  node->Polarity = 0;
  if (model::IsSignedAmplifierType(node->NodeType) && !name.empty() &&
      (name.front() == '+' || name.front() == '-')) {
    node->Polarity = name.front() == '+' ? 1 : 0;
    name.remove_prefix(1);
  }
  node->Name = name;

  if (node->IsText()) {
    node->Value = std::string(afterName);
    node->Ground = 0;
    return;
  }
  const auto valueEnd = afterName.find(' ');
  node->Value = std::string(afterName.substr(0, valueEnd));
  node->Ground = 0;
  if (node->NodeType == model::ntJunction && valueEnd != std::string_view::npos) {
    // The mark is the " G" token the writer puts right after the value.
    std::string_view mark = afterName.substr(valueEnd);
    if (mark.size() >= 3 && mark[1] == 'G' && mark[2] >= '1' && mark[2] <= '4' &&
        (mark.size() == 3 || mark[3] == ' '))
      node->Ground = mark[2] - '0';
  }
}

// The links whose target number names no node: counted, the first ten
// described, and reported in one box once the file is read.
struct MissingTargets {
  static constexpr std::size_t kListed = 10;
  std::size_t count = 0;
  std::vector<std::string> listed;  // code page 1251

  void note(const TheNode* node, std::int32_t number) {
    if (count++ < kListed) listed.push_back(node->Describe() + ",NIL, find " + std::to_string(number) + " node");
  }
  void report() const {
    if (count == 0) return;
    std::string text = std::to_string(count) + (count == 1 ? " link names no node and was dropped:"
                                                           : " links name no node and were dropped");
    if (count > 1) text += count > kListed ? ", the first ten:" : ":";
    for (const std::string& line : listed) {
      text += '\n';
      text += platform::cp1251ToUtf8(line);
    }
    platform::dialogs().messageBox("LOAD-NIL", text, platform::MsgButtons::Ok, platform::MsgIcon::None);
  }
};

// Ownership must form trees: every chain of owners ends at a node without
// owner, and no node is reached again through membership links from
// itself. A damaged file that breaks this would nest a level inside itself.
void checkOwnership(const std::vector<TheNode*>& byNumber, const std::vector<std::size_t>& recordLine) {
  const std::size_t count = byNumber.size() - 1;
  const auto lineOf = [&](const TheNode* n) { return recordLine[static_cast<std::size_t>(n->Number)]; };
  const auto name = [](const TheNode* n) { return "Node " + std::to_string(n->Number); };
  // 0 not yet walked, 1 on the walk in progress, 2 done.
  std::vector<std::uint8_t> state(count + 1, 0);
  std::vector<TheNode*> chain;
  for (std::size_t k = 1; k <= count; ++k) {
    chain.clear();
    TheNode* at = byNumber[k];
    while (at && state[static_cast<std::size_t>(at->Number)] == 0) {
      state[static_cast<std::size_t>(at->Number)] = 1;
      chain.push_back(at);
      at = at->Upper;
    }
    if (at && state[static_cast<std::size_t>(at->Number)] == 1)
      throw FormatError(lineOf(at), at->Upper == at ? name(at) + " is its own owner"
                                                    : "The owners of " + name(at) + " run in a circle");
    for (TheNode* c : chain) state[static_cast<std::size_t>(c->Number)] = 2;
  }

  std::fill(state.begin(), state.end(), 0);
  struct Frame {
    TheNode* node;
    TheLine* next;
  };
  std::vector<Frame> stack;
  for (std::size_t k = 1; k <= count; ++k) {
    if (state[k] != 0) continue;
    state[k] = 1;
    stack.push_back({byNumber[k], byNumber[k]->FirstLine.get()});
    while (!stack.empty()) {
      Frame& frame = stack.back();
      TheLine* l = frame.next;
      while (l && l->Kind != model::alHaveItem) l = l->Next.get();
      if (!l) {
        state[static_cast<std::size_t>(frame.node->Number)] = 2;
        stack.pop_back();
        continue;
      }
      frame.next = l->Next.get();
      TheNode* member = l->Node;
      const auto m = static_cast<std::size_t>(member->Number);
      if (state[m] == 1)
        throw FormatError(lineOf(frame.node), member == frame.node
                                                  ? name(member) + " lists itself as a member"
                                                  : name(member) + " is a member of its own members");
      if (state[m] == 0) {
        state[m] = 1;
        stack.push_back({member, member->FirstLine.get()});
      }
    }
  }
}

void readBody(TextCursor& in, CircuitReadResult& result, MissingTargets& missing, LinkStart links) {
  in.readLn();  // title
  const std::string_view flagsLine = in.readLine();
  Flags flags;
  flags.wxwy = flagsLine.find("WxWy") != std::string_view::npos;
  flags.cur = flagsLine.find("$Cur") != std::string_view::npos;
  flags.ss = flagsLine.find("$SS") != std::string_view::npos;
  flags.scale = flagsLine.find("$Scale") != std::string_view::npos;
  in.readLn();  // rule

  const std::int32_t count = in.readInt();
  const std::size_t countLine = in.lineNumber();
  in.readLn();
  const std::int32_t mainNumber = in.readInt();
  in.readLn();
  std::int32_t currentNumber = 0;
  if (flags.cur) {
    currentNumber = in.readInt();
    in.readLn();
  }
  in.readLn();  // column header
  if (count == 0)
    throw FormatError(in.lineNumber(), "The file holds no circuit (no node records)");
  if (count < 0 || static_cast<std::size_t>(count) > in.linesLeft())
    throw FormatError(countLine, "The node count " + std::to_string(count) +
                                           " does not match the records of the file");

  TheBaseOfGraf& graph = *result.graph;
  std::vector<TheNode*> byNumber(static_cast<std::size_t>(count) + 1, nullptr);
  for (std::int32_t k = 1; k <= count; ++k) byNumber[static_cast<std::size_t>(k)] = graph.AddNode(nullptr, 0);
  graph.Renumber();
  result.modified = count > 0;
  auto find = [&](std::int32_t number) -> TheNode* {
    return number >= 1 && number <= count ? byNumber[static_cast<std::size_t>(number)] : nullptr;
  };
  graph.MainNode = find(mainNumber);
  std::vector<std::size_t> recordLine(byNumber.size(), 0);

  for (std::int32_t k = 1; k <= count; ++k) {
    TheNode* node = byNumber[static_cast<std::size_t>(k)];
    node->Wx = node->Wy = -15;
    in.readInt();  // the record's own number: its position decides
    recordLine[static_cast<std::size_t>(k)] = in.lineNumber();
    const std::int32_t x = in.readInt();
    const std::int32_t y = in.readInt();
    const std::int32_t type = in.readInt();
    const std::size_t typeLine = in.lineNumber();
    const std::int32_t up = in.readInt();
    const std::int32_t lines = in.readInt();
    const std::size_t linesLine = in.lineNumber();
    if (flags.wxwy) {
      node->Wx = in.readInt();
      node->Wy = in.readInt();
    }
    if (type < 0 || type > model::ntLastType)
      throw FormatError(typeLine, "Unknown node type " + std::to_string(type));
    if (lines < 0 || static_cast<std::size_t>(lines) > in.linesLeft())
      throw FormatError(linesLine, "The link count " + std::to_string(lines) +
                                             " does not match the lines of the file");
    const std::string_view rest = in.restOfLine();
    node->X = x;
    node->Y = y;
    node->NodeType = static_cast<std::uint8_t>(type);
    node->Upper = find(up);
    fillTexts(node, rest, in.lineNumber());
    in.readLn();
    // A node without owner is named "Upper Level", and so carries no sign.
    if (!node->Upper) {
      node->Name = "Upper Level";
      node->Polarity = 0;
    }

    // Link j goes to position j, as AddLine places it. The list's length
    // and tail are known here, so every case is decided without walking
    // the list: position j follows the tail when j - 1 links are in; after
    // a dropped link position j lies past the end, and such a link goes
    // first, as AddLine puts a link whose position it does not find.
    int added = 0;
    TheLine* tail = nullptr;
    for (std::int32_t j = 1; j <= lines; ++j) {
      const std::int32_t kind = in.readInt();
      const std::int32_t targetNumber = in.readInt();
      in.readLn();
      TheNode* target = find(targetNumber);
      if (!target) {
        missing.note(node, targetNumber);
        continue;
      }
      auto link = std::make_unique<view::TMyLine>(node, target);
      link->Kind = static_cast<std::uint8_t>(kind);
      link->Node = target;
      TheLine* raw = link.get();
      if (!tail) {
        node->FirstLine = std::move(link);
        tail = raw;
      } else if (j == added + 1) {
        tail->Next = std::move(link);
        tail = raw;
      } else {
        link->Next = std::move(node->FirstLine);
        node->FirstLine = std::move(link);
      }
      ++added;
    }
  }

  if (flags.ss) {
    result.shownNode = find(in.readInt());
    in.readLn();
  }
  if (flags.scale) {
    result.originX = in.readInt();
    result.originY = in.readInt();
    result.hasOrigin = true;
    double scale = 0;
    if (ParseLooseDouble(in.restOfLine(), scale) && scale > 0) result.scale = scale;
    in.readLn();
  }
  // What follows the trailer lines can only be records the count left out.
  if (!in.onlyBlanksLeft())
    throw FormatError(countLine, "The node count " + std::to_string(count) +
                                     " does not match the records of the file");
  checkOwnership(byNumber, recordLine);

  // Every link read starts as a new link between its ends does, and then
  // at rest, its middle on the midpoint of its ends, unless it is to swing.
  graph.forEachNode([links](TheNode* n) {
    n->forEachLine([n, links](TheLine* l) {
      if (auto* drawn = dynamic_cast<view::TMyLine*>(l)) {
        drawn->Arm(n, l->Node);
        if (links == LinkStart::AtRest) drawn->SetAtRest();
      }
    });
  });

  result.currentNode = find(currentNumber);
  result.mainNode = graph.MainNode;
  if (result.currentNode && result.currentNode->Upper) result.mainNode = result.currentNode->Upper;
}

}  // namespace

CircuitReadResult ReadCircuitText(std::string_view text, const std::string& name, LinkStart links) {
  CircuitReadResult result;
  result.graph = std::make_unique<TheBaseOfGraf>();
  TextCursor in(text);
  MissingTargets missing;
  try {
    readBody(in, result, missing, links);
    result.ok = true;
    missing.report();
  } catch (const FormatError& e) {
    result.ok = false;
    result.error = name + "(" + std::to_string(e.line()) + "): " + e.what();
    result.graph.reset();
    result.mainNode = result.currentNode = result.shownNode = nullptr;
  }
  return result;
}

CircuitViewState SettleForRewrite(CircuitReadResult& result) {
  CircuitViewState view;
  if (result.graph) {
    result.graph->MainNode = result.mainNode;
    result.graph->CurrentNode = result.currentNode;
  }
  view.shownNode = result.shownNode;
  view.originX = result.originX;
  view.originY = result.originY;
  view.scale = result.scale.value_or(1.0);
  return view;
}

CircuitReadResult ReadCircuitFile(const std::string& path, LinkStart links) {
  std::string reason;
  auto bytes = platform::readFileBytes(path, platform::kCircuitReadLimit, &reason);
  if (!bytes) {
    CircuitReadResult result;
    result.error = platform::withSizeReason("Cannot open file " + path, reason);
    return result;
  }
  return ReadCircuitText(*bytes, path, links);
}

}  // namespace vemu::files
