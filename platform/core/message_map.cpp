#include "platform/core/message_map.h"

namespace lexiv::platform {

const MapEntry* MessageMap::FindMessage(UINT message) const {
  for (const MapEntry& e : entries_) {
    if (e.kind == MapEntryKind::kMessage && e.message == message) return &e;
  }
  return nullptr;
}

const MapEntry* MessageMap::FindCommand(UINT id, UINT code, bool fromControl) const {
  for (const MapEntry& e : entries_) {
    if (id < e.firstId || id > e.lastId) continue;
    // A button click (BN_CLICKED, 0) is a command like a menu item's.
    if (e.kind == MapEntryKind::kCommand && (code == 0 || code == 1)) return &e;
    if (e.kind == MapEntryKind::kControlCommand && fromControl && e.code == code) return &e;
  }
  return nullptr;
}

const MapEntry* MessageMap::FindNotify(UINT id, UINT code) const {
  for (const MapEntry& e : entries_) {
    if (e.kind == MapEntryKind::kNotify && e.code == code && id >= e.firstId && id <= e.lastId) return &e;
  }
  return nullptr;
}

const MapEntry* MessageMap::FindReflected(MapEntryKind kind, UINT code) const {
  for (const MapEntry& e : entries_) {
    if (e.kind == kind && e.code == code) return &e;
  }
  return nullptr;
}

const MapEntry* MessageMap::FindUpdate(UINT id) const {
  for (const MapEntry& e : entries_) {
    if (e.kind == MapEntryKind::kUpdateCommand && id >= e.firstId && id <= e.lastId) return &e;
  }
  return nullptr;
}

}  // namespace lexiv::platform
