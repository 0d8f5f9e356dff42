#include "view/gesture_connect.h"

#include <cctype>
#include <set>
#include <vector>

#include "catalogue/messages.h"
#include "catalogue/node_type_table.h"
#include "model/node_types.h"
#include "model/placement.h"
#include "platform/dialogs.h"
#include "platform/text_codec.h"
#include "view/gesture_hit_test.h"
#include "view/redraw.h"

namespace vemu::view {

using catalogue::GetMsg;
using model::alControl;
using model::alHaveItem;
using model::alInPin;
using model::alOutPin;
using model::alWire;
using model::TheLine;
using model::TheNode;

namespace {

const catalogue::TNodeTypeInfo* TypeInfo(const GestureContext& ctx, int type) {
  if (type < 0 || static_cast<std::size_t>(type) >= ctx.nodeTypes.size()) return nullptr;
  return &ctx.nodeTypes[static_cast<std::size_t>(type)];
}

int OutLimit(const GestureContext& ctx, const TheNode* n) {
  const auto* info = TypeInfo(ctx, n->NodeType);
  return info ? info->L_out : 0;
}

int InLimit(const GestureContext& ctx, const TheNode* n) {
  const auto* info = TypeInfo(ctx, n->NodeType);
  return info ? info->L_in : 0;
}

// Index (1-based) of the first line of `kind`, 0 when there is none.
int FirstOfKind(const model::TheBaseOfGraf& graph, const TheNode* n, int kind) {
  const TheLine* l = graph.GetLineOfKinds(n, 1, {kind});
  return l ? graph.IndexOfLine(n, l) : 0;
}

// A wire at position 2 of the holder's list (the front when it is empty).
void AddWireSecond(model::TheBaseOfGraf& graph, TheNode* from, TheNode* to) {
  graph.AddLine(from->FirstLine ? 2 : 1, from, to, alWire);
}

// The first member junction of `container` named exactly `name`.
TheNode* MemberJunctionNamed(const TheNode* container, std::string_view name) {
  for (const TheLine* l = container->FirstLine.get(); l; l = l->Next.get())
    if (l->Kind == alHaveItem && l->Node && l->Node->IsJunction() && l->Node->Name == name) return l->Node;
  return nullptr;
}

bool IsInteger(const std::string& text) {
  std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (i >= text.size()) return false;
  for (; i < text.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

int CountNodesOfType(const model::TheBaseOfGraf& graph, int type) {
  int count = 0;
  graph.forEachNode([&](const TheNode* n) { count += n->NodeType == type ? 1 : 0; });
  return count;
}

}  // namespace

bool IsProbeOf(const GestureContext& ctx, int type) {
  return model::IsProbeType(type, ctx.SecondBuild);
}

std::string ListSubCircuitPinNames(const GestureContext& ctx, const TheNode* x, const TheNode* b) {
  // Whole names: a pin "12" is not hidden by a bound net "1".
  std::set<std::string> used;
  const bool doubleIn = ctx.settings.CheckDoubleIn;
  if (doubleIn) {
    for (const TheLine* l = x->FirstLine.get(); l; l = l->Next.get()) {
      if (l->Kind != alHaveItem || !l->Node || !l->Node->IsJunction()) continue;
      l->Node->forEachLine([&](const TheLine* w) {
        if (w->Node && w->Node->Upper != x) used.insert(w->Node->Name.str());
      });
    }
  }
  std::string result;
  std::vector<std::string> offered;
  for (const TheLine* l = x->FirstLine.get(); l; l = l->Next.get()) {
    if (!l->Node) continue;
    if (doubleIn && b && l->Node->Name == b->Name.str()) {
      result = GetMsg(67);
      offered.clear();
      break;
    }
    const std::string& name = l->Node->Name.str();
    if (used.count(name) || l->Kind != alHaveItem || !l->Node->IsJunction()) continue;
    bool seen = false;
    for (const auto& o : offered) seen = seen || o == name;
    if (seen) continue;
    offered.push_back(name);
    const std::string piece = " " + platform::cp1251ToUtf8(name);
    result = result.empty() ? piece : result + "," + piece;
  }
  if (result.empty()) result = GetMsg(66);
  return result;
}

void ConnectElementToNode(GestureContext& ctx, TheNode* a, TheNode* b) {
  model::TheBaseOfGraf& graph = ctx.graph;
  ctx.host.SetModified();
  ctx.host.PushUndoSnapshot();
  const bool container = a->IsContainer();
  const int existing = IsProbeOf(ctx, a->NodeType) ? FirstOfKind(graph, a, alOutPin) : graph.FindLineTo(a, b);
  if (existing > 0) {
    if (container) graph.UnlinkFromJunctions(a, b);
    graph.DeleteLine(a, existing);
    ctx.host.NumberNets();
    return;
  }
  const int limit = OutLimit(ctx, a);
  const int count = graph.CountLinesOfKinds(a, {alOutPin});
  // At or over the limit: the last output link gives way to the new one.
  if (limit >= 1 && count >= limit) {
    TheLine* last = graph.GetLineOfKinds(a, count, {alOutPin});
    if (container && last) graph.UnlinkFromJunctions(a, b);
    graph.DeleteLine(a, graph.IndexOfLine(a, last));
  }
  if (limit == 0 && !container) {
    ctx.host.NumberNets();
    return;
  }
  if (container) {
    const std::string offer = ListSubCircuitPinNames(ctx, a, b);
    std::optional<std::string> answer = platform::dialogs().inputQuery(GetMsg(55), GetMsg(54), offer);
    if (!answer) return;
    std::string pin;
    for (char c : *answer)
      if (c != ' ') pin += c;
    const std::string pinBytes = platform::utf8ToCp1251(pin);
    TheNode* m = IsInteger(pinBytes) ? MemberJunctionNamed(a, pinBytes) : nullptr;
    if (!m) {
      platform::dialogs().messageBox("Error", GetMsg(56) + " (" + pin + ")", platform::MsgButtons::Ok,
                                     platform::MsgIcon::Error);
      return;
    }
    AddWireSecond(graph, m, b);
  }
  graph.AddLine(-2, a, b, alOutPin);
  ctx.host.NumberNets();
}

void ConnectNodeToElement(GestureContext& ctx, TheNode* a, TheNode* b) {
  if (b->IsContainer()) {
    ConnectElementToNode(ctx, b, a);
    return;
  }
  model::TheBaseOfGraf& graph = ctx.graph;
  ctx.host.PushUndoSnapshot();
  ctx.host.SetModified();
  const int existing = IsProbeOf(ctx, b->NodeType) ? FirstOfKind(graph, b, alInPin) : graph.FindLineTo(b, a);
  if (existing > 0) {
    graph.DeleteLine(b, existing);
    return;
  }
  const int limit = InLimit(ctx, b);
  const int count = graph.CountLinesOfKinds(b, {alInPin});
  if (limit >= 1 && count >= limit)
    graph.DeleteLine(b, graph.IndexOfLine(b, graph.GetLineOfKinds(b, count, {alInPin})));
  ctx.host.SetStatusText(2, GetMsg(7));
  if (limit != 0) graph.AddLine(-2, b, a, alInPin);
}

void ConnectControlLink(GestureContext& ctx, TheNode* a, TheNode* b) {
  model::TheBaseOfGraf& graph = ctx.graph;
  if (ctx.SecondBuild) ctx.host.SetStatusText(2, "LineJoinUnitAndUnit;");
  ctx.host.PushUndoSnapshot();
  const auto* info = TypeInfo(ctx, a->NodeType);
  if (!info || !(info->TwoChars || info->UseInfoLink)) {
    ctx.host.SetStatusText(2, ctx.SecondBuild ? std::string("NoTwoChars LineJoinUnitAndUnit")
                                              : "ERROR: " + GetMsg(6) + " Unit-->Unit");
    return;
  }
  ctx.host.SetModified();
  const int existing = FirstOfKind(graph, a, alControl);
  if (existing > 0) {
    const bool toB = graph.GetLine(a, existing)->Node == b;
    graph.DeleteLine(a, existing);
    if (toB) return;
    graph.AddLine(-2, a, b, alControl);
    if (!ctx.SecondBuild)
      ctx.host.SetStatusText(2, GetMsg(6) + " (" + platform::cp1251ToUtf8(a->Name.str()) + ") =-> (" +
                                    platform::cp1251ToUtf8(b->Name.str()) + ")");
    return;
  }
  graph.AddLine(-2, a, b, alControl);
}

void ToggleWire(GestureContext& ctx, TheNode* a, TheNode* b) {
  model::TheBaseOfGraf& graph = ctx.graph;
  ctx.host.PushUndoSnapshot();
  ctx.host.SetStatusText(2, GetMsg(1));
  ctx.host.SetModified();
  if (const int i = graph.FindLineTo(a, b); i > 0) {
    graph.DeleteLine(a, i);
    ctx.host.SetStatusText(2, "Delete CIR(start)->CIR(stop)");
  } else if (const int j = graph.FindLineTo(b, a); j > 0) {
    graph.DeleteLine(b, j);
    ctx.host.SetStatusText(2, "Delete CIR(stop)->CIR(start)");
  } else {
    AddWireSecond(graph, a, b);
  }
  ctx.host.NumberNets();
}

TheNode* InsertElementBetween(GestureContext& ctx, TheNode* a, TheNode* b) {
  model::TheBaseOfGraf& graph = ctx.graph;
  TheNode* level = graph.MainNode;
  ctx.host.PushUndoSnapshot();
  ctx.host.SetStatusText(2, GetMsg(34));
  const model::TPoint at = FindFreePlace(a->GetPos(), b->GetPos(), level, ctx.GridStep, ctx.view.Scale);
  const std::string letter = [&] {
    const auto* info = TypeInfo(ctx, ctx.CurrentType);
    return info ? std::string(1, catalogue::TypeLetterByte(*info)) : std::string("?");
  }();
  TheNode* e = graph.AddNode(level, static_cast<std::uint8_t>(ctx.CurrentType));
  ctx.host.SetModified();
  e->X = at.x;
  e->Y = at.y;
  graph.AddLine(1, level, e, alHaveItem);
  e->Name = model::NewElementName(graph, e, letter, CountNodesOfType(graph, ctx.CurrentType));
  graph.AddLine(1, e, a, alInPin);
  graph.AddLine(1, e, b, alOutPin);
  ctx.host.AfterCreateElement(e);
  return e;
}

void MoveSelected(GestureContext& ctx, std::int32_t dx, std::int32_t dy) {
  TheNode* level = ctx.graph.MainNode;
  if (level && level->FirstLine) {
    const bool snap = ctx.settings.CheckUseGrid && ctx.settings.CheckFitToGridOnMoving;
    level->forEachLine([&](TheLine* l) {
      if (l->Kind != alHaveItem || !l->Node || !l->Node->Selected) return;
      TheNode* n = l->Node;
      n->X = Wrap(std::int64_t{n->X} + dx);
      n->Y = Wrap(std::int64_t{n->Y} + dy);
      if (snap) {
        n->X = SnapToGrid(n->X, ctx.GridStep);
        n->Y = SnapToGrid(n->Y, ctx.GridStep);
      }
    });
  }
  ctx.host.SetStatusText(2, GetMsg(5));
}

}  // namespace vemu::view
