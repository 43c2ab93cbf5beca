// Dropping data onto a window: a window registers a drop target; a drop on the window or one of
// its descendants reaches the nearest registered target above it. The target sees the formats
// offered and answers with the effect it accepts.
#pragma once

#include <map>
#include <string>

#include "platform/services/clipboard.h"
#include "platform/win_types.h"

namespace lexiv::platform {

// The data being dropped: bytes per clipboard format (CF_TEXT: Shift-JIS text, no terminator).
class DataObject {
 public:
  void Set(UINT format, std::string bytes) { formats_[format] = std::move(bytes); }
  bool Has(UINT format) const { return formats_.count(format) != 0; }
  // Empty when absent.
  const std::string& Get(UINT format) const;

 private:
  std::map<UINT, std::string> formats_;
};

class DropTarget {
 public:
  virtual ~DropTarget() = default;
  // The effect the target would accept (DROPEFFECT_NONE refuses the drop).
  virtual DWORD DragEnter(const DataObject& data, DWORD allowedEffects) = 0;
  // Takes the data; returns the effect performed.
  virtual DWORD Drop(const DataObject& data, DWORD allowedEffects) = 0;
};

// 0 on success, -1 for a dead window or a null target. The target is not owned.
int RegisterDragDrop(HWND hwnd, DropTarget* target);
int RevokeDragDrop(HWND hwnd);
// Performs a drop on hwnd; returns the effect (DROPEFFECT_NONE when refused or no target).
DWORD DropData(HWND hwnd, const DataObject& data, DWORD allowedEffects);

}  // namespace lexiv::platform
