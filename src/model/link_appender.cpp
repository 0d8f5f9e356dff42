#include "model/link_appender.h"

#include <memory>

namespace vemu::model {

TheLine* LinkAppender::Append(TheNode* holder, TheNode* target, std::uint8_t kind) {
  std::unique_ptr<TheLine> line = CreateLink(holder, target);
  line->Kind = kind;
  line->Node = target;
  TheLine* added = line.get();
  auto [slot, fresh] = lastLine_.try_emplace(holder, nullptr);
  if (fresh)
    for (TheLine* l = holder->FirstLine.get(); l; l = l->Next.get()) slot->second = l;
  if (slot->second) slot->second->Next = std::move(line);
  else holder->FirstLine = std::move(line);
  slot->second = added;
  return added;
}

}  // namespace vemu::model
