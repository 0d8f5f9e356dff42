#include "model/link_appender.h"

#include <memory>

namespace vemu::model {

LinkAppender::Recent& LinkAppender::RecentSlot(const TheNode* holder) {
  const auto bits = reinterpret_cast<std::uintptr_t>(holder);
  return recent_[(bits >> 4 ^ bits >> 12) % kRecent];
}

TheLine* LinkAppender::Append(TheNode* holder, TheNode* target, std::uint8_t kind) {
  std::unique_ptr<TheLine> line = CreateLink(holder, target);
  line->Kind = kind;
  line->Node = target;
  TheLine* added = line.get();
  // A holder is either among the many-linked ones or at most in its recent slot.
  Recent& recent = RecentSlot(holder);
  TheLine** last = nullptr;
  TheLine* walked = nullptr;
  if (recent.holder == holder) {
    last = &recent.last;
  } else if (const auto it = many_.find(holder); it != many_.end()) {
    last = &it->second;
  } else {
    int count = 0;
    for (TheLine* l = holder->FirstLine.get(); l; l = l->Next.get(), ++count) walked = l;
    if (count >= kManyLinks) {
      last = &many_.emplace(holder, walked).first->second;
    } else {
      recent = {holder, walked};
      last = &recent.last;
    }
  }
  if (*last) (*last)->Next = std::move(line);
  else holder->FirstLine = std::move(line);
  *last = added;
  return added;
}

void LinkAppender::Clear() {
  recent_.fill({});
  many_.clear();
}

}  // namespace vemu::model
