// What the viewer's controls tell the form: each control does its own part of a key or click and
// hands the rest to the form, which knows the lists, the reader and the reading.
#pragma once

#include "platform/win_types.h"

namespace lexiv::docpick {

enum class FormList { kProducts, kManuals, kDrives, kFolders };

class FormEvents {
 public:
  virtual ~FormEvents() = default;
  // A key went down in a list. True: the form handled it and the list must not move.
  virtual bool ListKeyDown(FormList list, platform::UINT vk) = 0;
  virtual void ListKeyUp(FormList list, platform::UINT vk) = 0;
  virtual void ListFocused(FormList list) = 0;
  virtual void ListUnfocused(FormList list) = 0;
  // The current entry changed; byMouse when a click made the change.
  virtual void ListSelectionChanged(FormList list, bool byMouse) = 0;
  virtual void ListDoubleClicked(FormList list) = 0;
  virtual void ListRightButtonUp(FormList list) = 0;
  virtual void HeadingClicked(FormList list) = 0;
  virtual void TextFocused(bool focused) = 0;
  // The picture that toggles folder selection (double click) and the zoom picture (any button).
  virtual void FolderPictureDoubleClicked() = 0;
  virtual void ZoomPictureClicked(bool leftButton) = 0;
  // A reading button was pressed (by key or click) and released.
  virtual void ReadingButtonPressed(int item) = 0;
  // The button bar's focused button, to be said.
  virtual void ReadingButtonFocused(int item) = 0;
};

}  // namespace lexiv::docpick
