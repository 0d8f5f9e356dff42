#include "ui/diagnostics.h"

#include <cstdio>
#include <utility>

#include "model/node_tree_dump.h"
#include "platform/text_codec.h"

namespace vemu::ui {

namespace {

class TypeTableDescriptions final : public model::NodeTreeDumpHost {
 public:
  explicit TypeTableDescriptions(const catalogue::NodeTypeTable& types) : types_(types) {}
  std::optional<std::string> TypeDescription(int code) const override {
    if (code < 0 || static_cast<std::size_t>(code) >= types_.size()) return std::nullopt;
    return platform::utf8ToCp1251(types_[static_cast<std::size_t>(code)].Uinfo);
  }

 private:
  const catalogue::NodeTypeTable& types_;
};

// A list of strings, each with an object beside it.
class StringList {
 public:
  int AddObject(std::string text, std::intptr_t object) {
    items_.emplace_back(std::move(text), object);
    return static_cast<int>(items_.size()) - 1;
  }
  std::intptr_t Objects(int index) const { return items_.at(static_cast<std::size_t>(index)).second; }

 private:
  std::vector<std::pair<std::string, std::intptr_t>> items_;
};

}  // namespace

void Diagnostics::DumpNodeTree() {
  const TypeTableDescriptions types(host_.NodeTypes());
  const model::DumpForm form = host_.SecondBuild() ? model::DumpForm::Second : model::DumpForm::Full;
  std::vector<std::string> lines = model::DumpNodeTree(host_.Graph(), form, types);
  for (std::string& line : lines) line = platform::cp1251ToUtf8(line);
  host_.SetMemoLines(lines);
}

void Diagnostics::ListAllComponents() { host_.SetMemoLines(ComponentListing(host_.Forms())); }

void Diagnostics::ListAllTypes() { host_.SetMemoLines(TypeListing(host_.NodeTypes())); }

void Diagnostics::ListWindowHandles() { host_.SetMemoLines(WindowHandleListing(host_.Handles())); }

void Diagnostics::ReportToolBarTop() {
  host_.AddMemoLine("ToolBarNewSaveLoad.Top=" + std::to_string(host_.FileToolBarTop()));
}

void Diagnostics::ToggleMemo() { host_.ShowMemo(!host_.MemoVisible(), !host_.SecondBuild()); }

void Diagnostics::Debug() {
  host_.RepairSubCircuitLines();
  host_.SetCaption(StringListCheckCaption());
}

std::vector<std::string> ComponentListing(const std::vector<FormRecord>& forms) {
  std::vector<std::string> lines;
  for (const FormRecord& form : forms) {
    lines.push_back("*     " + form.name + ":" + form.className);
    lines.push_back("   Caption=" + form.caption);
    for (const ComponentRecord& c : form.components) {
      const std::string base = "(" + c.className + "):" + form.name + "." + c.name;
      switch (c.kind) {
        case ComponentKind::HintedControl:
          lines.push_back(base + ".Hint=" + c.text);
          break;
        case ComponentKind::Label:
          lines.push_back(base + ".Caption=" + c.text);
          break;
        case ComponentKind::MenuItem:
          lines.push_back(base + ".Caption= " + c.text);
          break;
        case ComponentKind::Other:
          break;
      }
    }
  }
  return lines;
}

std::vector<std::string> TypeListing(const catalogue::NodeTypeTable& types) {
  std::vector<std::string> lines;
  for (std::size_t code = 0; code < types.size(); ++code)
    lines.push_back(std::to_string(code) + ": " + platform::cp1251ToUtf8(types[code].filename.str()) + "," +
                    types[code].Uinfo);
  return lines;
}

std::vector<std::string> WindowHandleListing(const WindowHandles& handles) {
  return {"Application.Handle= " + std::to_string(handles.application), "Application.Title= " + handles.title,
          "Form1.Handle= " + std::to_string(handles.form1), "Form1.Text= " + handles.caption};
}

std::string StringListCheckCaption() {
  StringList list;
  const int index = list.AddObject("", 4660);
  const auto value = static_cast<unsigned>(list.Objects(index));
  char text[64];
  std::snprintf(text, sizeof text, "L=%u a=%x b=%X", value, value & 0xFF00u, value & 0xFFu);
  return text;
}

}  // namespace vemu::ui
