#include "view/node_painter.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "view/draw_primitives.h"
#include "view/element_symbols.h"
#include "view/my_scale.h"
#include "view/shadow.h"
#include "view/view_globals.h"
#include "view/wires.h"

namespace vemu::view {

namespace {

using platform::ClampCoord;

void SetBrush(Canvas& c, std::uint32_t color) {
  c.brush.Color = color;
  c.brush.Style = platform::BrushStyle::Solid;
}

std::int32_t Half(std::int32_t v) { return v / 2; }

TPoint Offset(TPoint s, std::int64_t dx, std::int64_t dy) { return {ClampCoord(s.x + dx), ClampCoord(s.y + dy)}; }

void RoundBox(Canvas& c, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
  c.RoundRect(ClampCoord(l), ClampCoord(t), ClampCoord(r), ClampCoord(b), 25, 15);
}

// A node's label and its extent.
struct LabelBox {
  std::string text;
  platform::TSize size;
};

LabelBox MeasureLabel(const DrawContext& dc, const model::TheNode& n, Canvas& c) {
  LabelBox box{NodeLabelText(dc, n), {}};
  box.size = c.TextExtent(box.text);
  return box;
}

// Elements by the drawing's program: the second build counts only 3 to 31.
bool IsElementNode(const DrawContext& dc, const model::TheNode& n) {
  return dc.SecondBuild() ? n.NodeType >= 3 && n.NodeType <= 31 : n.IsElement();
}

// 20 red dots around a node the gesture is on; each dot's y offset is drawn first.
void GestureDust(const DrawContext& dc, TPoint s, Canvas& c) {
  if (!dc.random) return;
  for (int i = 0; i < 20; ++i) {
    const std::int64_t dy = dc.random->Next(40);
    const std::int64_t dx = dc.random->Next(40);
    c.SetPixel(ClampCoord(s.x - 20 + dx), ClampCoord(s.y - 20 + dy), kRed);
  }
}

void GestureFrame(bool down, bool hover, TPoint s, Canvas& c) {
  c.pen.Color = down && hover ? kYellow : down ? kBlue : kBlack;
  c.MoveTo(Offset(s, -11, -11));
  c.LineTo(Offset(s, 11, -11));
  c.LineTo(Offset(s, 11, 11));
  c.LineTo(Offset(s, -11, 11));
  c.LineTo(Offset(s, -11, -11));
}

void DrawTextNote(const DrawContext& dc, model::TheNode& n, TPoint s, const LabelBox& label, Canvas& c) {
  const catalogue::Settings& st = *dc.settings;
  const bool multi = n.IsMultiLineText();
  std::int64_t hw = Half(label.size.cx) + 4;
  std::int64_t hh = Half(label.size.cy);
  if (multi) {
    hw = Half(n.Wx) + 4;
    hh = Half(n.Wy) + 4;
  }
  if (n.Selected) DrawRotatingStarXY(dc, c, s.x, s.y, 8, 8);
  if (!multi) {
    c.pen.Color = n.Selected ? kBlue : st.TLineColor;
    const TPoint tip = dc.view->LogicalToScreen(
        {Wrap(std::int64_t{n.X} + n.Wx), Wrap(std::int64_t{n.Y} + n.Wy)});
    ArrowSizeKeeper keep;
    ArrowSize = TextPointerHeadSize(st.EditTLine);
    DrawArrowAt(Offset(s, hw, hh), tip, c, 1.0);
  }
  c.pen.Color = st.TColorColor;
  SetBrush(c, st.TBrushColor);
  RoundBox(c, std::int64_t{s.x} - 3, std::int64_t{s.y} - 3, s.x + 2 * hw + 3, s.y + 2 * hh + 3);
  c.FontColor = kBlack;
  if (multi) {
    std::int64_t y = 0;
    std::int32_t w = 0;
    static std::string buffer;  // the drawing runs on the one user-interface thread
    const std::string_view value = std::string_view(n.Value).substr(0, kTextNoteBytesMax);
    ForEachTextNoteLine(
        value, buffer,
        [&](const std::string& line) {
          const platform::TSize e = c.TextExtent(line);
          w = std::max(w, e.cx);
          c.TextOut(ClampCoord(s.x + 3 + (std::int64_t{n.Wx} - e.cx) / 2), ClampCoord(s.y + y), line);
          y += e.cy;
        },
        kLabelBytesMax);
    n.Wx = w;
    n.Wy = ClampCoord(y);
    if (st.CheckEye) {
      DrawEye(dc, false, ClampCoord(s.x + std::int64_t{w / 2} - 6), ClampCoord(s.y - std::int64_t{2}), c, kYellow,
              kYellow);
      DrawEye(dc, false, ClampCoord(s.x + std::int64_t{w / 2} + 6), ClampCoord(s.y - std::int64_t{2}), c, kYellow,
              kYellow);
    }
  } else {
    c.TextOut(ClampCoord(s.x + std::int64_t{5}), s.y, label.text);
    if (st.CheckEye)
      DrawEye(dc, false, ClampCoord(s.x + std::int64_t{6}), ClampCoord(s.y - std::int64_t{2}), c, kYellow,
              kYellow);
  }
  if (n.Selected) DrawRotatingStarXY(dc, c, s.x, s.y, 5, 5);
  c.FontColor = kBlack;
}

void DrawJunction(const DrawContext& dc, const model::TheNode& n, TPoint s, const LabelBox& label, Canvas& c) {
  const std::int64_t hw = Half(label.size.cx) + 4;
  const std::int64_t hh = Half(label.size.cy);
  c.pen.Color = kGreen;
  SetBrush(c, kGreen);
  RoundBox(c, s.x - hw, s.y - hh, s.x + hw, s.y + hh);
  c.FontColor = kWhite;
  c.TextOut(ClampCoord(s.x - std::int64_t{Half(label.size.cx)}), ClampCoord(s.y - hh), label.text);
  c.FontColor = kBlack;
  if (n.Ground > 0 && dc.settings->CheckEye) DrawEye(dc, n.Selected != 0, s.x, s.y, c, kGreen, kGreen);
}

void DrawElement(const DrawContext& dc, const model::TheNode& n, const catalogue::TNodeTypeInfo& info, TPoint s,
                 const LabelBox& label, Canvas& c) {
  if (info.B0.isNull()) return;
  if (IsSymbolType(n.NodeType, dc.Variant) && !dc.settings->CheckImages)
    DrawElementSymbol(dc, &n, c);
  else if (n.NodeType == model::ntSubCircuit && !n.FirstLine)
    DrawOpenBox(dc, s, c);
  else
    DrawNodePicture(dc, ClampCoord(s.x - std::int64_t{16}), ClampCoord(s.y - std::int64_t{16}), c, &info.B0);
  c.FontColor = info.V ? kBlack : kRed;
  SetBrush(c, kWhite);
  c.brush.Style = platform::BrushStyle::Clear;
  c.TextOut(ClampCoord(std::int64_t{s.x} + n.Wx - Half(label.size.cx)),
            ClampCoord(std::int64_t{s.y} + n.Wy - Half(label.size.cy)), label.text);
  SetBrush(c, kWhite);
  c.FontColor = kBlack;
}

}  // namespace

std::string NodeLabelText(const DrawContext& dc, const model::TheNode& n) {
  const catalogue::Settings& st = *dc.settings;
  std::string label;
  if (n.IsText()) {
    label = LabelPart(n.Value);
  } else if (n.IsJunction()) {
    if (st.Checknodes) label = LabelPart(n.Name.str());
  } else if (IsElementNode(dc, n)) {
    if (st.CheckNamesSee) label = LabelPart(n.Name.str());
    if (st.CheckValues) {
      if (!label.empty() && !n.Value.empty()) label += "= ";
      label += LabelPart(n.Value);
    }
  }
  if (label.size() > kLabelBytesMax) label.resize(kLabelBytesMax);
  if (label.empty()) label.push_back(' ');
  return label;
}

std::vector<std::string> TextNoteLines(const std::string& value) {
  std::vector<std::string> lines;
  std::string buffer;
  ForEachTextNoteLine(value, buffer, [&lines](const std::string& line) { lines.push_back(line); });
  return lines;
}

std::int32_t TextPointerHeadSize(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  std::int32_t v = 0;
  const auto [end, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || end != last || first == last) return kTextPointerDefaultHead;
  return ClampTextArrowSize(v);
}

void DrawNodePicture(const DrawContext& dc, std::int32_t x, std::int32_t y, Canvas& canvas, const QImage* bitmap) {
  if (!bitmap || bitmap->isNull()) return;
  canvas.Draw(x, y, *bitmap, dc.settings && dc.settings->CheckTransparency);
}

void DrawNode(const DrawContext& dc, model::TheNode* N, Canvas& canvas) {
  const catalogue::TNodeTypeInfo* info = dc.TypeOf(N);
  if (!info || !dc.view || !dc.settings) return;
  model::TheNode& n = *N;
  const TPoint s = dc.view->LogicalToScreen(n.GetPos());
  if (dc.IsProbe(n.NodeType)) DrawProbeLink(dc, N, false, canvas);
  const bool down = N == dc.DownNode;
  const bool hover = N == dc.HoverNode;
  if (down || hover) GestureDust(dc, s, canvas);
  canvas.pen.Color = kBlack;
  DrawGroundMark(n.Ground, s, canvas);
  if (n.Selected) {
    if (n.IsJunction()) DrawRotatingStar(dc, canvas, s.x, s.y, 10);
    else if (IsElementNode(dc, n)) DrawRotatingStar(dc, canvas, s.x, s.y, 25);
  }
  // The second build marks the current node with the node itself.
  if (dc.SecondBuild() && dc.graph && dc.graph->CurrentNode == N)
    DrawMovingArrows(dc, canvas, s.x, s.y, n.IsJunction() ? 10 : 25);
  const LabelBox label = MeasureLabel(dc, n, canvas);
  if (n.IsText()) DrawTextNote(dc, n, s, label, canvas);
  else if (n.IsJunction()) DrawJunction(dc, n, s, label, canvas);
  else if (IsElementNode(dc, n)) DrawElement(dc, n, *info, s, label, canvas);
  if (down || hover) GestureFrame(down, hover, s, canvas);
}

void DrawNodeShadow(const DrawContext& dc, const model::TheNode* N, Canvas& canvas) {
  const catalogue::TNodeTypeInfo* info = dc.TypeOf(N);
  if (!info || !dc.view || !dc.settings) return;
  const model::TheNode& n = *N;
  const catalogue::Settings& st = *dc.settings;
  if (n.NodeType == 31) {
    DrawProbeLink(dc, N, true, canvas);
    return;
  }
  const TPoint o = ShadowOffset(dc.ShadowPhase, dc.view->LogicalToScreen(n.GetPos()));
  canvas.pen.Color = kShadowColor;
  SetBrush(canvas, kShadowColor);
  DrawGroundMark(n.Ground, o, canvas);
  // Only junctions and text notes have a label in the shadow (its size).
  const LabelBox label = n.IsText() || n.IsJunction() ? MeasureLabel(dc, n, canvas) : LabelBox{};
  std::int64_t hw = Half(label.size.cx) + 5;
  std::int64_t hh = Half(label.size.cy) + 1;
  if (n.IsText()) {
    SetBrush(canvas, kWhite);
    canvas.FontColor = kShadowColor;
    canvas.pen.Color = kMoneyGreen;
    if (n.IsMultiLineText()) {
      hw = Half(n.Wx) + 7;
      hh = Half(n.Wy) + 7;
      RoundBox(canvas, o.x, o.y, o.x + 2 * hw, o.y + 2 * hh);
    } else {
      canvas.TextOut(o.x, o.y, label.text);
    }
    SetBrush(canvas, kShadowColor);
  } else if (n.IsJunction()) {
    RoundBox(canvas, o.x - hw, o.y - hh, o.x + hw, o.y + hh);
  } else if (IsElementNode(dc, n) && !info->BS.isNull()) {
    if (IsSymbolType(n.NodeType, dc.Variant) && n.NodeType != 31 && !st.CheckImages)
      DrawElementSymbolShadow(dc, N, canvas);
    else
      canvas.Draw(ClampCoord(o.x - std::int64_t{16}), ClampCoord(o.y - std::int64_t{16}), info->BS, true);
    if (st.CheckEye && n.NodeType == model::ntSubCircuit) {
      const bool hasLines = n.FirstLine != nullptr;
      for (std::int64_t dx : {-6, 6}) {
        const std::int32_t x = ClampCoord(o.x + dx);
        if (hasLines) DrawEye(dc, n.Selected != 0, x, o.y, canvas, kBlue, kShadowColor);
        else DrawEyeRolling(dc, n.Selected != 0, x, o.y, canvas, kBlue, kShadowColor);
      }
    }
  }
}

}  // namespace vemu::view
