// Per-class tables that bind messages, command ids, control notifications and enable rules to
// member functions. A class's table names its base class's table; a lookup walks from the most
// derived table to the root, and a handler that wants the behaviour of its base classes (and in
// the end the default processing) calls Window::Default().
//
//   class SampleFrame : public FrameWindow {
//     LEXIV_DECLARE_MESSAGE_MAP();
//     LRESULT OnSize(WPARAM, LPARAM);
//     void OnGreet();
//     void OnUpdateGreet(CommandUI& ui);
//   };
//   const MessageMap& SampleFrame::ClassMessageMap() {
//     static const MessageMap map = MessageMapOf<SampleFrame>(FrameWindow::ClassMessageMap())
//         .On(WM_SIZE, &SampleFrame::OnSize)
//         .OnCommand(ID_GREET, &SampleFrame::OnGreet)
//         .OnUpdateCommand(ID_GREET, &SampleFrame::OnUpdateGreet);
//     return map;
//   }
#pragma once

#include <functional>
#include <vector>

#include "platform/core/command_ui.h"
#include "platform/win_types.h"

namespace lexiv::platform {

class CommandTarget;

enum class MapEntryKind {
  kMessage,          // a window message
  kCommand,          // WM_COMMAND from a menu, an accelerator or a button click (code 0 or 1)
  kControlCommand,   // WM_COMMAND from a control with a notification code (EN_CHANGE, ...)
  kNotify,           // WM_NOTIFY from a control id with a code
  kReflectedCommand, // the control's own WM_COMMAND notification, handed back by its parent
  kReflectedNotify,  // the control's own WM_NOTIFY, handed back by its parent
  kUpdateCommand,    // the enable rule of a command id
};

// Every handler is stored in one shape. For commands wParam carries the id; for notifications
// lParam carries the NMHDR*; for enable rules lParam carries the CommandUI*.
using MapHandler = std::function<LRESULT(CommandTarget&, WPARAM, LPARAM)>;

struct MapEntry {
  MapEntryKind kind;
  UINT message = 0;  // kMessage
  UINT code = 0;     // notification code
  UINT firstId = 0;  // command or control id range, inclusive
  UINT lastId = 0;
  MapHandler handler;
};

class MessageMap {
 public:
  explicit MessageMap(const MessageMap* base = nullptr) : base_(base) {}
  const MessageMap* Base() const { return base_; }
  const std::vector<MapEntry>& Entries() const { return entries_; }
  void Add(MapEntry entry) { entries_.push_back(std::move(entry)); }
  // The first entry of this table alone that matches.
  const MapEntry* FindMessage(UINT message) const;
  const MapEntry* FindCommand(UINT id, UINT code, bool fromControl) const;
  const MapEntry* FindNotify(UINT id, UINT code) const;
  const MapEntry* FindReflected(MapEntryKind kind, UINT code) const;
  const MapEntry* FindUpdate(UINT id) const;

 private:
  const MessageMap* base_;
  std::vector<MapEntry> entries_;
};

// Builds the table of class T, whose handlers are member functions of T.
template <typename T>
class MessageMapOf {
 public:
  explicit MessageMapOf(const MessageMap& base) : map_(&base) {}
  MessageMapOf() : map_(nullptr) {}

  MessageMapOf& On(UINT message, LRESULT (T::*fn)(WPARAM, LPARAM)) {
    map_.Add({MapEntryKind::kMessage, message, 0, 0, 0,
              [fn](CommandTarget& t, WPARAM w, LPARAM l) { return (static_cast<T&>(t).*fn)(w, l); }});
    return *this;
  }
  MessageMapOf& OnCommand(UINT id, void (T::*fn)()) {
    map_.Add({MapEntryKind::kCommand, 0, 0, id, id, [fn](CommandTarget& t, WPARAM, LPARAM) {
                (static_cast<T&>(t).*fn)();
                return LRESULT{0};
              }});
    return *this;
  }
  MessageMapOf& OnCommandRange(UINT firstId, UINT lastId, void (T::*fn)(UINT id)) {
    map_.Add({MapEntryKind::kCommand, 0, 0, firstId, lastId, [fn](CommandTarget& t, WPARAM w, LPARAM) {
                (static_cast<T&>(t).*fn)(static_cast<UINT>(w));
                return LRESULT{0};
              }});
    return *this;
  }
  MessageMapOf& OnControlCommand(UINT id, UINT code, void (T::*fn)()) {
    map_.Add({MapEntryKind::kControlCommand, 0, code, id, id, [fn](CommandTarget& t, WPARAM, LPARAM) {
                (static_cast<T&>(t).*fn)();
                return LRESULT{0};
              }});
    return *this;
  }
  MessageMapOf& OnNotify(UINT id, UINT code, LRESULT (T::*fn)(NMHDR*)) {
    map_.Add({MapEntryKind::kNotify, 0, code, id, id, [fn](CommandTarget& t, WPARAM, LPARAM l) {
                return (static_cast<T&>(t).*fn)(reinterpret_cast<NMHDR*>(l));
              }});
    return *this;
  }
  MessageMapOf& OnReflectedCommand(UINT code, void (T::*fn)()) {
    map_.Add({MapEntryKind::kReflectedCommand, 0, code, 0, 0, [fn](CommandTarget& t, WPARAM, LPARAM) {
                (static_cast<T&>(t).*fn)();
                return LRESULT{0};
              }});
    return *this;
  }
  MessageMapOf& OnReflectedNotify(UINT code, LRESULT (T::*fn)(NMHDR*)) {
    map_.Add({MapEntryKind::kReflectedNotify, 0, code, 0, 0, [fn](CommandTarget& t, WPARAM, LPARAM l) {
                return (static_cast<T&>(t).*fn)(reinterpret_cast<NMHDR*>(l));
              }});
    return *this;
  }
  MessageMapOf& OnUpdateCommand(UINT id, void (T::*fn)(CommandUI&)) { return OnUpdateCommandRange(id, id, fn); }
  MessageMapOf& OnUpdateCommandRange(UINT firstId, UINT lastId, void (T::*fn)(CommandUI&)) {
    map_.Add({MapEntryKind::kUpdateCommand, 0, 0, firstId, lastId, [fn](CommandTarget& t, WPARAM, LPARAM l) {
                (static_cast<T&>(t).*fn)(*reinterpret_cast<CommandUI*>(l));
                return LRESULT{0};
              }});
    return *this;
  }

  operator MessageMap() const { return map_; }

 private:
  MessageMap map_;
};

// Declares a class's table and hands it to the dispatch; define ClassMessageMap() in the .cpp.
#define LEXIV_DECLARE_MESSAGE_MAP()                                \
 public:                                                           \
  static const ::lexiv::platform::MessageMap& ClassMessageMap();   \
  const ::lexiv::platform::MessageMap& GetMessageMap() const override { return ClassMessageMap(); }

}  // namespace lexiv::platform
