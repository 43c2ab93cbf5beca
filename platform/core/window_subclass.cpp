#include "platform/core/window_subclass.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"

namespace lexiv::platform {

namespace {

struct Subclass {
  SUBCLASSPROC proc;
  UINT_PTR id;
  UINT_PTR refData;
};

// Chains by window handle, the first entry running first. Kept for one thread state: a test's
// next UiThread hands out the same handles again.
struct SubclassTable {
  const UiThread* owner = nullptr;
  std::unordered_map<std::uint32_t, std::vector<Subclass>> chains;
};

SubclassTable& Table() {
  static SubclassTable table;
  if (table.owner != UiThread::Current()) {
    table.chains.clear();
    table.owner = UiThread::Current();
  }
  return table;
}

// The chain being walked for a message, so that DefSubclassProc knows where to go on.
struct ChainFrame {
  HWND hwnd;
  std::vector<Subclass> chain;  // a copy: procedures may come and go while it runs
  std::size_t next;
  ChainFrame* outer;
};
ChainFrame* g_frame = nullptr;

LRESULT CallOwnProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return 0;
  return WindowInternals::Call(w, message, wParam, lParam);
}

LRESULT Continue(ChainFrame& frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (frame.next >= frame.chain.size()) return CallOwnProcedure(frame.hwnd, message, wParam, lParam);
  // Restored afterwards, so that one procedure may pass on several messages.
  const std::size_t at = frame.next++;
  const Subclass s = frame.chain[at];
  const LRESULT result = s.proc(frame.hwnd, message, wParam, lParam, s.id, s.refData);
  frame.next = at;
  return result;
}

}  // namespace

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR subclassId, UINT_PTR refData) {
  if (!IsWindow(hwnd) || proc == nullptr) return FALSE;
  std::vector<Subclass>& chain = Table().chains[hwnd.value];
  for (Subclass& s : chain) {
    if (s.proc == proc && s.id == subclassId) {
      s.refData = refData;
      return TRUE;
    }
  }
  chain.insert(chain.begin(), Subclass{proc, subclassId, refData});
  return TRUE;
}

BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR subclassId) {
  SubclassTable& table = Table();
  const auto it = table.chains.find(hwnd.value);
  if (it == table.chains.end()) return FALSE;
  std::vector<Subclass>& chain = it->second;
  const auto found = std::find_if(chain.begin(), chain.end(), [&](const Subclass& s) { return s.proc == proc && s.id == subclassId; });
  if (found == chain.end()) return FALSE;
  chain.erase(found);
  if (chain.empty()) table.chains.erase(it);
  return TRUE;
}

LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_frame != nullptr && g_frame->hwnd == hwnd) return Continue(*g_frame, message, wParam, lParam);
  return CallOwnProcedure(hwnd, message, wParam, lParam);
}

bool HasWindowSubclass(HWND hwnd) {
  if (UiThread::Current() == nullptr) return false;
  const SubclassTable& table = Table();
  return !table.chains.empty() && table.chains.count(hwnd.value) != 0;
}

LRESULT CallThroughSubclasses(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = window->hwnd();
  const auto it = Table().chains.find(hwnd.value);
  if (it == Table().chains.end()) return WindowInternals::Call(window, message, wParam, lParam);
  ChainFrame frame{hwnd, it->second, 0, g_frame};
  g_frame = &frame;
  const LRESULT result = WindowInternals::Guarded(window, [&] { return Continue(frame, message, wParam, lParam); });
  g_frame = frame.outer;
  if (message == WM_NCDESTROY) Table().chains.erase(hwnd.value);
  return result;
}

}  // namespace lexiv::platform
