// A window: a C++ object with a 32-bit handle, a class name, style, parent and children in
// z-order, a rectangle in logical pixels, Shift-JIS text, enabled and visible state. Messages
// reach it through WindowProc, which looks them up in the class's message map and falls back
// to default processing (DefWindowProc). Most code names windows by handle and uses the
// Windows-named functions of window_functions.h; classes derive from Window and bind handlers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/command_target.h"
#include "platform/core/message_queue.h"
#include "platform/win_types.h"

namespace lexiv::platform {

struct CreateParams {
  std::string className;  // empty: the class's own name (Window::ClassName)
  std::string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect;              // in the parent's client coordinates; screen coordinates at the top
  HWND parent;            // with WS_CHILD the parent, otherwise the owner
  UINT id = 0;            // control id of a child window
  HMENU menu;             // menu bar of a top-level window
  void* param = nullptr;  // CREATESTRUCT::lpCreateParams
};

class Window : public CommandTarget {
 public:
  Window() = default;
  // Destroys the window if it still exists. Destroy it before its derived object goes away when
  // its derived handlers must see WM_DESTROY.
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  static const MessageMap& ClassMessageMap();
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }

  // Makes the window: a handle, the place in its parent's children (last in z-order), then
  // WM_CREATE (answering -1 fails the creation and destroys the window), WM_SIZE and WM_MOVE.
  // Returns false on failure.
  bool Create(const CreateParams& params);
  HWND hwnd() const { return hwnd_; }
  // A window made with auto-delete deletes its object once it has been destroyed (controls
  // created from a description, views made by a splitter).
  void SetAutoDelete(bool on) { autoDelete_ = on; }

  // The window procedure. Override only to see every message before the map does.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Inside a handler: the processing that the handler replaced, i.e. the next matching entry of
  // the base classes' tables, then the built-in command and notification routing, then
  // DefWindowProc.
  LRESULT Default();
  // Sees a message taken from the queue before it is translated and dispatched; the walk starts
  // at the message's window and goes up to its top-level window. True consumes the message.
  // The message may be changed (a key turned into another key).
  virtual bool PreTranslateMessage(Msg& msg);

  // The name GetClassName reports when Create was given none.
  virtual std::string_view ClassName() const { return "LexivWindow"; }
  // Accessibility: role (ROLE_SYSTEM_*), state bits added to the ones the core knows, value.
  virtual int AccessRole() const;
  virtual DWORD AccessState() const { return 0; }
  virtual std::string AccessValue() const { return {}; }
  // Screen model: lines that describe what the window shows beyond its text (list items, panes).
  virtual void DescribeContents(std::vector<std::string>& lines) const { (void)lines; }

  // Called after WM_NCDESTROY, when the handle is gone. Deletes auto-delete windows.
  virtual void PostNcDestroy();

 protected:
  // The built-in handling of WM_COMMAND: a control's notification is first offered to the
  // control itself (reflection); a menu or accelerator command whose enable rule says disabled
  // is dropped; then OnCmdMsg routes it.
  virtual LRESULT OnCommandMessage(WPARAM wParam, LPARAM lParam);
  // The built-in handling of WM_NOTIFY: reflection to the control, then this table's entries.
  virtual LRESULT OnNotifyMessage(WPARAM wParam, LPARAM lParam);

 private:
  friend struct WindowInternals;

  struct DispatchFrame {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const MessageMap* next;  // where Default() continues; null once the tables are exhausted
    bool routed;             // built-in routing already done
    DispatchFrame* outer;
  };
  LRESULT Continue(DispatchFrame& frame);

  HWND hwnd_;
  std::string className_;
  std::string text_;
  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  RECT rect_;        // parent client coordinates (screen coordinates for a top-level window)
  RECT normalRect_;  // the restored rectangle of a top-level window
  UINT id_ = 0;
  HMENU menu_;
  LPARAM userData_ = 0;
  Window* parent_ = nullptr;  // WS_CHILD windows
  HWND owner_;                // top-level windows
  std::vector<Window*> children_;  // z-order, topmost first
  bool minimized_ = false;
  bool maximized_ = false;
  bool restoreToMaximized_ = false;
  bool autoDelete_ = false;
  bool destroying_ = false;
  bool foreign_ = false;  // stands for a window of another application
  int dispatchDepth_ = 0;
  bool deletePending_ = false;
  DispatchFrame* frame_ = nullptr;
};

}  // namespace lexiv::platform
