#include "platform/core/caret.h"

#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {

struct CaretRecord {
  const UiThread* thread = nullptr;  // the caret belongs to the thread that made it
  CaretState state;
};

CaretRecord& Record() {
  static CaretRecord record;
  // A caret outlives neither its thread nor its window.
  if (record.thread != UiThread::Current() || (record.state.owner && !IsWindow(record.state.owner))) {
    record = CaretRecord{};
    record.thread = UiThread::Current();
  }
  return record;
}

}  // namespace

BOOL CreateCaret(HWND hwnd, int width, int height) {
  if (!IsWindow(hwnd) || width < 1 || height < 1) return FALSE;
  CaretRecord& r = Record();
  r.state = CaretState{};
  r.state.owner = hwnd;
  r.state.size = SIZE{width, height};
  return TRUE;
}

BOOL DestroyCaret() {
  CaretRecord& r = Record();
  if (!r.state.owner) return FALSE;
  r.state = CaretState{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  CaretRecord& r = Record();
  if (!r.state.owner || (hwnd && hwnd != r.state.owner)) return FALSE;
  r.state.visible = true;
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  CaretRecord& r = Record();
  if (!r.state.owner || (hwnd && hwnd != r.state.owner)) return FALSE;
  r.state.visible = false;
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  CaretRecord& r = Record();
  if (!r.state.owner) return FALSE;
  r.state.position = POINT{x, y};
  return TRUE;
}

BOOL GetCaretPos(POINT* point) {
  CaretRecord& r = Record();
  if (point == nullptr || !r.state.owner) return FALSE;
  *point = r.state.position;
  return TRUE;
}

CaretState CurrentCaret() { return Record().state; }

}  // namespace lexiv::platform
