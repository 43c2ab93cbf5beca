// The reader's status values, as VOXASetStatus and VOXAGetStatus see them.
//
// Kinds 0x1xxxx are tables of options by index: SetStatus(kind, index, value). Every other kind
// holds one value: SetStatus(kind, value, extra). A set returns the value it replaced (0 for one
// never set), so a caller can restore it.
#pragma once

#include <cstdint>
#include <map>
#include <utility>

#include "voxausr.h"

namespace lexiv::reader {

inline constexpr VoxaValue kOptionTable = 0x10001;
inline constexpr VoxaValue kStatusCallbackKind = 0x20001;
inline constexpr VoxaValue kAutoReadKind = 0x20002;
inline constexpr VoxaValue kCommandCallbackKind = 0x20004;

// Indexes of the option table 0x10001.
inline constexpr VoxaValue kOptionWholeLineOnUpDown = 7;  // read the rest of the line on Up and Down
inline constexpr VoxaValue kOptionHoldOwnReading = 9;      // the reader's own readings wait
inline constexpr VoxaValue kOptionUrgent = 13;             // VOXAPRead is not cut by the reader's own readings
inline constexpr VoxaValue kOptionActive = 28;             // read only: non-zero while the reader is active

// Bits of kind 0x20002: what the reader reads of the program's windows on its own. A program that
// sets the kind at all speaks for itself: its windows that are not inside a dialog (the main
// window and its panes) are its own and are never read, whatever the bits say. In a program that
// never sets it the reader reads a focused edit wherever it is (edit_reading.h). Menus are read
// wherever they open.
namespace auto_read {
// The low half: what to read.
inline constexpr std::uint32_t kMenus = 0x0001;         // menus as the user moves through them
inline constexpr std::uint32_t kLists = 0x0002;         // focus on a list, its selection changing
inline constexpr std::uint32_t kEdits = 0x0004;         // focus on an edit or combo box, value changes
inline constexpr std::uint32_t kChecks = 0x0008;        // check boxes and radio buttons
inline constexpr std::uint32_t kButtons = 0x0040;       // push buttons gaining the focus
inline constexpr std::uint32_t kDialogs = 0x0100;       // dialogs and message boxes opening, and every
                                                        // control of a dialog gaining the focus
// The high half: what the program speaks itself, and how menus are read.
inline constexpr std::uint32_t kProgramSpeaksLists = 0x00020000;    // list boxes are never read
inline constexpr std::uint32_t kProgramSpeaksTyping = 0x00080000;   // an edit's text is not read
inline constexpr std::uint32_t kMenuKeys = 0x02000000;              // a menu item's shortcut key
inline constexpr std::uint32_t kMenuStates = 0x04000000;            // gray and check marks of menu items

// Until the program says otherwise the reader reads everything, as it would for any program.
inline constexpr std::uint32_t kUntilSet = 0xFFFF;
}  // namespace auto_read

class ReaderStatus {
 public:
  ReaderStatus() { values_[{kAutoReadKind, 0}] = auto_read::kUntilSet; }

  // Returns the previous value of the kind (or of the kind's index).
  VoxaValue Set(VoxaValue kind, VoxaValue valueOrIndex, VoxaValue extra);
  VoxaValue Get(VoxaValue kind, VoxaValue index) const;

  std::uint32_t AutoRead() const { return static_cast<std::uint32_t>(Get(kAutoReadKind, 0)); }
  // Whether the program has set kind 0x20002: once it has told the reader what to read on its
  // own, the rest of its windows are its own to speak, for as long as the reader is loaded.
  bool ProgramSpeaksForItself() const { return autoReadSet_; }
  bool Option(VoxaValue index) const { return Get(kOptionTable, index) != 0; }

  static bool IsTableKind(VoxaValue kind) { return (kind & ~VoxaValue{0xFFFF}) == 0x10000; }

 private:
  std::map<std::pair<VoxaValue, VoxaValue>, VoxaValue> values_;
  bool autoReadSet_ = false;
};

}  // namespace lexiv::reader
