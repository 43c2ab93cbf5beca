#include "reader_status.h"

namespace lexiv::reader {

VoxaValue ReaderStatus::Set(VoxaValue kind, VoxaValue valueOrIndex, VoxaValue extra) {
  const bool table = IsTableKind(kind);
  if (kind == kAutoReadKind) autoReadSet_ = true;
  const auto key = std::make_pair(kind, table ? valueOrIndex : VoxaValue{0});
  VoxaValue& slot = values_[key];
  const VoxaValue previous = slot;
  slot = table ? extra : valueOrIndex;
  return previous;
}

VoxaValue ReaderStatus::Get(VoxaValue kind, VoxaValue index) const {
  const auto it = values_.find(std::make_pair(kind, IsTableKind(kind) ? index : VoxaValue{0}));
  return it == values_.end() ? 0 : it->second;
}

}  // namespace lexiv::reader
