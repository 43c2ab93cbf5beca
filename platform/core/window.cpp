#include "platform/core/window.h"

#include "platform/core/accessibility.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"

namespace lexiv::platform {

const MessageMap& Window::ClassMessageMap() {
  static const MessageMap map(&CommandTarget::ClassMessageMap());
  return map;
}

Window::~Window() {
  // A window dying with its object can no longer be deleted by PostNcDestroy.
  autoDelete_ = false;
  if (hwnd_ && UiThread::Current() != nullptr) DestroyWindow(hwnd_);
}

bool Window::Create(const CreateParams& params) {
  if (hwnd_) return false;
  UiThread& ui = Ui();
  Window* parent = nullptr;
  if (params.style & WS_CHILD) {
    parent = FromHandle(params.parent);
    if (parent == nullptr || WindowInternals::Foreign(*parent)) return false;
  }
  const HWND handle{ui.NewHandle()};
  hwnd_ = handle;
  className_ = params.className.empty() ? std::string(ClassName()) : params.className;
  text_ = params.text;
  style_ = params.style;
  exStyle_ = params.exStyle;
  rect_ = params.rect;
  normalRect_ = params.rect;
  id_ = params.id;
  ui.windows[handle.value] = this;
  if (ui.remote) ui.remote->WindowCreated(handle, className_);
  if (parent != nullptr) {
    parent_ = parent;
    parent->children_.push_back(this);
  } else {
    if (IsWindow(params.parent)) owner_ = params.parent;
    menu_ = params.menu;
    ui.topLevels.insert(ui.topLevels.begin(), this);
  }

  CREATESTRUCT cs;
  cs.lpCreateParams = params.param;
  cs.hMenu = parent != nullptr ? HMENU{params.id} : params.menu;
  cs.hwndParent = params.parent;
  cs.x = params.rect.left;
  cs.y = params.rect.top;
  cs.cx = params.rect.Width();
  cs.cy = params.rect.Height();
  cs.style = static_cast<LONG>(params.style);
  cs.lpszName = text_.c_str();
  cs.lpszClass = className_.c_str();
  cs.dwExStyle = params.exStyle;
  if (SendMessage(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(handle);
    return false;
  }
  if (!IsWindow(handle)) return false;
  SendMessage(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(rect_.Width()), static_cast<WORD>(rect_.Height())));
  if (!IsWindow(handle)) return false;
  SendMessage(handle, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(rect_.left), static_cast<WORD>(rect_.top)));
  return IsWindow(handle) != FALSE;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  DispatchFrame frame{message, wParam, lParam, &GetMessageMap(), false, frame_};
  frame_ = &frame;
  const LRESULT result = Continue(frame);
  frame_ = frame.outer;
  return result;
}

LRESULT Window::Default() {
  if (frame_ == nullptr) return 0;
  return Continue(*frame_);
}

LRESULT Window::Continue(DispatchFrame& frame) {
  for (const MessageMap* map = frame.next; map != nullptr; map = map->Base()) {
    if (const MapEntry* entry = map->FindMessage(frame.message)) {
      frame.next = map->Base();
      return entry->handler(*this, frame.wParam, frame.lParam);
    }
  }
  frame.next = nullptr;
  if (!frame.routed) {
    frame.routed = true;
    if (frame.message == WM_COMMAND) return OnCommandMessage(frame.wParam, frame.lParam);
    if (frame.message == WM_NOTIFY) return OnNotifyMessage(frame.wParam, frame.lParam);
  }
  return DefWindowProc(hwnd_, frame.message, frame.wParam, frame.lParam);
}

bool Window::PreTranslateMessage(Msg& msg) {
  (void)msg;
  return false;
}

int Window::AccessRole() const { return ROLE_SYSTEM_CLIENT; }

void Window::PostNcDestroy() {
  if (autoDelete_) WindowInternals::ScheduleDelete(this);
}

LRESULT Window::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  const HWND control = HwndFromParam(lParam);
  if (control) {
    Window* child = FromHandle(control);
    LRESULT result = 0;
    if (child != nullptr && child != this &&
        WindowInternals::Reflect(child, MapEntryKind::kReflectedCommand, code, wParam, lParam, &result))
      return result;
  } else if (code == 0 || code == 1) {
    // A menu item or accelerator whose enable rule says disabled does nothing.
    CommandUI probe(id);
    OnUpdateCmdUI(probe);
    if (probe.handled && probe.enabled() == false) return 0;
  }
  OnCmdMsg(id, code, control);
  return 0;
}

LRESULT Window::OnNotifyMessage(WPARAM wParam, LPARAM lParam) {
  (void)wParam;
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header == nullptr) return 0;
  Window* child = FromHandle(header->hwndFrom);
  LRESULT result = 0;
  if (child != nullptr && child != this &&
      WindowInternals::Reflect(child, MapEntryKind::kReflectedNotify, header->code, wParam, lParam, &result))
    return result;
  for (const MessageMap* map = &GetMessageMap(); map != nullptr; map = map->Base()) {
    if (const MapEntry* entry = map->FindNotify(static_cast<UINT>(header->idFrom), header->code))
      return entry->handler(*this, wParam, lParam);
  }
  return 0;
}

WindowInternals::Guard::Guard(Window* window) : w(window) { ++w->dispatchDepth_; }

WindowInternals::Guard::~Guard() {
  if (--w->dispatchDepth_ == 0 && w->deletePending_) delete w;
}

LRESULT WindowInternals::Call(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
  Guard guard(w);
  return w->WindowProc(message, wParam, lParam);
}

void WindowInternals::ScheduleDelete(Window* w) {
  if (w->dispatchDepth_ > 0) {
    w->deletePending_ = true;
    return;
  }
  delete w;
}

bool WindowInternals::Reflect(Window* control, MapEntryKind kind, UINT code, WPARAM wParam, LPARAM lParam,
                              LRESULT* result) {
  for (const MessageMap* map = &control->GetMessageMap(); map != nullptr; map = map->Base()) {
    if (const MapEntry* entry = map->FindReflected(kind, code)) {
      Guard guard(control);
      *result = entry->handler(*control, wParam, lParam);
      return true;
    }
  }
  return false;
}

}  // namespace lexiv::platform
