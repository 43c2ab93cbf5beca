#include "platform/core/session.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <dlfcn.h>
#include <link.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/messages.h"
#include "platform/core/remote_link.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"
#include "platform/services/joined_session.h"
#include "platform/services/outside_command.h"
#include "platform/services/process_identity.h"
#include "platform/services/program_log.h"
#include "platform/services/session_directory.h"
#include "platform/services/session_frame.h"
#include "platform/services/session_socket.h"
#include "platform/services/session_table.h"

namespace lexiv::platform {

namespace {

// Time-outs run on real time whatever the driver's clock: the other program lives in it.
std::uint64_t RealNowMs() {
  static const SystemClock clock;
  return clock.NowMs();
}

constexpr DWORD kDefaultSendTimeoutMs = 5000;

// Time-outs by registered name. The hook messages are sent on every key in every program, so a
// dictionary that hangs may cost each key at most a second; a lookup includes the foreground
// switch and its speech.
struct NamedTimeout {
  const char* name;
  DWORD ms;
};
constexpr NamedTimeout kNamedTimeouts[] = {
    {"WLKP_GETHOOKHANDLE", 1000},
    {"WLKP_CHECKCMDKEY", 1000},
    {"WLKPCNT_SEARCH", 10000},
    {"WLKPCNT_SEARCHINPUT", 10000},
};

bool SameIgnoringCase(const std::string& a, const char* b) {
  const std::size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// The registered numbers of a program outside a session.
std::map<std::string, UINT>& LocalMessageNames() {
  static std::map<std::string, UINT> names;
  return names;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Lets exactly the receiver of a synchronous send read this program's memory while the send
// lasts, where the kernel restricts reading to a process's debugger (Yama). Nested sends restore
// the outer receiver. Where Yama is absent the call fails with EINVAL and nothing is needed.
class PtracerScope {
 public:
  explicit PtracerScope(pid_t receiver) {
    Stack().push_back(receiver);
    prctl(PR_SET_PTRACER, static_cast<unsigned long>(receiver), 0, 0, 0);
  }
  ~PtracerScope() {
    Stack().pop_back();
    prctl(PR_SET_PTRACER, static_cast<unsigned long>(Stack().empty() ? 0 : Stack().back()), 0, 0, 0);
  }
  PtracerScope(const PtracerScope&) = delete;
  PtracerScope& operator=(const PtracerScope&) = delete;

 private:
  static std::vector<pid_t>& Stack() {
    static std::vector<pid_t> stack;
    return stack;
  }
};

// Whether a tmux pane ("%3") still exists in our tmux server.
bool TmuxPaneExists(const std::string& pane);

class SessionLink final : public RemoteLink {
 public:
  SessionLink(std::unique_ptr<SessionTable> table, std::unique_ptr<SessionSocket> socket, int slot)
      : table_(std::move(table)), socket_(std::move(socket)), slot_(slot), pid_(getpid()) {
    table_->onMemberRemoved = [this](pid_t pid) { ForgetMember(pid); };
    SetCurrentSession(JoinedSession{table_.get(), slot_, table_->Directory()});
  }
  ~SessionLink() override {
    SetCurrentSession(JoinedSession{});
    table_->Leave(slot_);
    if (UiThread* ui = UiThread::Current()) ui->sessionHooks.clear();
    for (LoadedHook& hook : loadedHooks_)
      if (hook.module != nullptr) dlclose(hook.module);
  }

  const std::string& Directory() const { return table_->Directory(); }
  SessionTable& Table() { return *table_; }

  int WaitDescriptor() const override { return socket_->WaitDescriptor(); }

  void ServeSentMessages() override {
    SyncSystemHooks();
    socket_->TakeRequests([this](const Frame& frame, int connection) { HandleRequest(frame, connection); });
  }

  std::uint32_t NewHandle() override { return table_->NewHandle(); }

  void WindowCreated(HWND hwnd, const std::string& className) override {
    table_->AddWindow(hwnd.value, slot_, className, false);
  }
  void WindowDestroyed(HWND hwnd) override { table_->RemoveWindow(hwnd.value); }

  std::optional<RemoteWindow> Describe(HWND hwnd) override {
    auto window = table_->FindWindow(hwnd.value);
    if (!window || window->pid == pid_) return std::nullopt;
    // A pane's window is a window for as long as the pane exists.
    if (!window->pane.empty() && !TmuxPaneExists(window->pane)) {
      table_->RemovePaneWindow(hwnd.value);
      return std::nullopt;
    }
    return RemoteWindow{window->pid, window->className, window->unicode};
  }

  HWND ClaimPaneWindow(const std::string& pane) {
    return HWND{table_->ClaimPaneWindow(pane, pid_, ProcessStartTime(pid_))};
  }
  void ReleasePaneWindow(HWND hwnd) { table_->ReleasePaneWindow(hwnd.value); }

  LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

  UINT RegisterMessage(const std::string& name) override { return table_->RegisterMessage(name); }

  HWND Foreground() override;
  void OurWindowActivated(HWND hwnd) override;
  bool ActivateRemote(HWND hwnd) override;
  // The tmux pane a program of the session runs in, selected (nothing outside tmux).
  void SelectPaneOf(int programSlot);
  void BringOwnPaneForward() { SelectPaneOf(slot_); }

  DWORD TimeoutFor(UINT message);

  std::uint32_t AddSystemHook(int idHook, const std::string& modulePath, std::uint64_t procOffset) override {
    return table_->AddHook(idHook, slot_, modulePath, procOffset);
  }
  bool RemoveSystemHook(std::uint32_t handle) override { return table_->RemoveHook(handle); }
  void SyncSystemHooks() override;

 private:
  // A system-wide hook as this program has it: the module loaded here (null when it could not
  // be, and the hook is skipped) and the procedure inside it.
  struct LoadedHook {
    std::uint32_t handle = 0;
    pid_t installer = 0;
    void* module = nullptr;
    HOOKPROC proc = nullptr;
  };
  LoadedHook LoadHook(const SessionHook& hook);
  std::vector<LoadedHook> loadedHooks_;
  std::uint64_t hookGeneration_ = 0;
  std::uint64_t lastInstallerCheckMs_ = 0;

  void HandleRequest(const Frame& frame, int connection);
  LRESULT Deliver(const Frame& frame, std::string* replyPayload);
  void ForgetMember(pid_t pid) {
    socket_->Forget(pid);
    unlink(SessionSocket::SocketPath(Directory(), pid).c_str());
  }
  bool PostFrame(pid_t pid, const Frame& frame) {
    const int connection = socket_->ConnectionTo(pid);
    if (connection < 0) return false;
    if (socket_->SendOn(connection, frame)) return true;
    socket_->Forget(pid);
    return false;
  }

  std::unique_ptr<SessionTable> table_;
  std::unique_ptr<SessionSocket> socket_;
  int slot_;
  pid_t pid_;
  std::uint64_t lastSeq_ = 0;
  // Replies that arrived while a nested send waited on the same connection for its own.
  std::map<std::uint64_t, Frame> earlyReplies_;
  std::set<std::uint64_t> waiting_;  // the sends still waiting for their replies
  std::unordered_map<UINT, DWORD> timeouts_;
};

SessionLink* Link() {
  UiThread* ui = UiThread::Current();
  return ui != nullptr ? static_cast<SessionLink*>(ui->remote.get()) : nullptr;
}

// The sender's side of a copied buffer: what goes into the frame.
bool PackRequest(Frame& frame, LPARAM lParam) {
  switch (frame.marshal) {
    case Marshal::kInText:
      if (lParam != 0) {
        const char* text = reinterpret_cast<const char*>(lParam);
        const std::size_t length = strnlen(text, kMaxFrameBytes);
        if (length + 1 + FrameHeaderBytes() > kMaxFrameBytes) return false;
        frame.payload.assign(text, length);
        frame.payload.push_back('\0');
      }
      return true;
    case Marshal::kLine: {
      if (lParam == 0) return false;
      WORD capacity;
      std::memcpy(&capacity, reinterpret_cast<const void*>(lParam), sizeof capacity);
      frame.payload.assign(reinterpret_cast<const char*>(&capacity), sizeof capacity);
      return true;
    }
    case Marshal::kCopyData: {
      if (lParam == 0) return true;
      const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (block->cbData > kMaxFrameBytes - FrameHeaderBytes() - 8) return false;
      const std::uint64_t data = block->dwData;
      frame.payload.assign(reinterpret_cast<const char*>(&data), sizeof data);
      if (block->cbData > 0 && block->lpData != nullptr)
        frame.payload.append(static_cast<const char*>(block->lpData), block->cbData);
      return true;
    }
    case Marshal::kOutText:
    case Marshal::kSelText:
      return lParam != 0;
    case Marshal::kSelection:
    case Marshal::kNone:
      return true;
  }
  return false;
}

// The sender's side after the reply: the receiver's copy written back into the sender's buffers,
// never more than they hold.
void UnpackReply(const Frame& request, const Frame& reply, WPARAM wParam, LPARAM lParam) {
  const std::string& data = reply.payload;
  switch (request.marshal) {
    case Marshal::kOutText: {
      if (wParam == 0) return;
      const std::size_t n = std::min<std::size_t>(data.size(), wParam - 1);
      char* buffer = reinterpret_cast<char*>(lParam);
      std::memcpy(buffer, data.data(), n);
      buffer[n] = '\0';
      return;
    }
    case Marshal::kSelection: {
      if (data.size() != 2 * sizeof(DWORD)) return;
      DWORD start, end;
      std::memcpy(&start, data.data(), sizeof start);
      std::memcpy(&end, data.data() + sizeof start, sizeof end);
      if (wParam != 0) std::memcpy(reinterpret_cast<void*>(wParam), &start, sizeof start);
      if (lParam != 0) std::memcpy(reinterpret_cast<void*>(lParam), &end, sizeof end);
      return;
    }
    case Marshal::kLine: {
      WORD capacity;
      std::memcpy(&capacity, request.payload.data(), sizeof capacity);
      std::memcpy(reinterpret_cast<void*>(lParam), data.data(), std::min<std::size_t>(data.size(), capacity));
      return;
    }
    case Marshal::kSelText: {
      char* buffer = reinterpret_cast<char*>(lParam);
      std::memcpy(buffer, data.data(), data.size());
      buffer[data.size()] = '\0';
      return;
    }
    case Marshal::kInText:
    case Marshal::kCopyData:
    case Marshal::kNone:
      return;
  }
}

LRESULT SessionLink::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!CrossesPrograms(message)) return 0;
  auto window = table_->FindWindow(hwnd.value, false);
  if (!window || window->pid == pid_) return 0;
  const pid_t receiver = window->pid;
  Frame request;
  request.kind = FrameKind::kSend;
  request.marshal = MarshalFor(message);
  request.seq = ++lastSeq_;
  request.hwnd = hwnd.value;
  request.message = message;
  request.wParam = wParam;
  request.lParam = static_cast<std::uint64_t>(lParam);
  request.senderPid = static_cast<std::uint32_t>(pid_);
  if (!PackRequest(request, lParam)) return 0;

  const int connection = socket_->ConnectionTo(receiver);
  if (connection < 0) {
    // Nobody listens there: the program has died. Its records go now.
    table_->RemoveDeadMembers();
    return 0;
  }
  PtracerScope readable(receiver);
  waiting_.insert(request.seq);
  struct Done {
    std::set<std::uint64_t>& waiting;
    std::uint64_t seq;
    ~Done() { waiting.erase(seq); }
  } done{waiting_, request.seq};
  if (!socket_->SendOn(connection, request)) {
    socket_->Forget(receiver);
    table_->RemoveDeadMembers();
    return 0;
  }
  const std::uint64_t deadline = RealNowMs() + TimeoutFor(message);
  Frame reply;
  for (;;) {
    if (auto early = earlyReplies_.find(request.seq); early != earlyReplies_.end()) {
      reply = std::move(early->second);
      earlyReplies_.erase(early);
      break;
    }
    const std::uint64_t now = RealNowMs();
    if (now >= deadline) return 0;
    const std::uint64_t left = deadline - now;  // hung: a reply arriving later is dropped by its number
    Frame got;
    const SessionSocket::Wait wait = socket_->WaitForReply(connection, static_cast<int>(left), &got);
    if (wait == SessionSocket::Wait::kClosed) {
      socket_->Forget(receiver);
      table_->RemoveDeadMembers();
      return 0;
    }
    if (wait == SessionSocket::Wait::kRequests) {
      // Messages sent to us while we wait are answered, or two programs sending to each other
      // would wait for each other for ever.
      ServeSentMessages();
      continue;
    }
    if (wait != SessionSocket::Wait::kReply) continue;
    if (got.seq == request.seq) {
      reply = std::move(got);
      break;
    }
    // A reply to an outer send on this connection (its waiter picks it up), or a late one to a
    // send that timed out (older than every waiter: dropped).
    if (waiting_.count(got.seq)) earlyReplies_[got.seq] = std::move(got);
  }
  if ((reply.flags & kFrameDelivered) == 0) return 0;
  UnpackReply(request, reply, wParam, lParam);
  return static_cast<LRESULT>(reply.result);
}

BOOL SessionLink::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!CrossesPrograms(message) || MarshalFor(message) != Marshal::kNone) return FALSE;
  auto window = table_->FindWindow(hwnd.value, false);
  if (!window || window->pid == pid_) return FALSE;
  Frame frame;
  frame.kind = FrameKind::kPost;
  frame.hwnd = hwnd.value;
  frame.message = message;
  frame.wParam = wParam;
  frame.lParam = static_cast<std::uint64_t>(lParam);
  frame.senderPid = static_cast<std::uint32_t>(pid_);
  if (PostFrame(window->pid, frame)) return TRUE;
  table_->RemoveDeadMembers();
  return FALSE;
}

DWORD SessionLink::TimeoutFor(UINT message) {
  if (message < 0xC000) return kDefaultSendTimeoutMs;
  if (auto known = timeouts_.find(message); known != timeouts_.end()) return known->second;
  DWORD ms = kDefaultSendTimeoutMs;
  const std::string name = table_->MessageName(message);
  for (const NamedTimeout& named : kNamedTimeouts)
    if (SameIgnoringCase(name, named.name)) ms = named.ms;
  timeouts_[message] = ms;
  return ms;
}

bool OwnWindow(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w != nullptr && !WindowInternals::Foreign(*w);
}

void SessionLink::HandleRequest(const Frame& frame, int connection) {
  const HWND hwnd{frame.hwnd};
  switch (frame.kind) {
    case FrameKind::kSend: {
      Frame reply;
      reply.kind = FrameKind::kReply;
      reply.seq = frame.seq;
      reply.hwnd = frame.hwnd;
      reply.message = frame.message;
      reply.senderPid = static_cast<std::uint32_t>(pid_);
      if (OwnWindow(hwnd)) {
        reply.result = Deliver(frame, &reply.payload);
        reply.flags = kFrameDelivered;
      }
      socket_->SendOn(connection, reply);
      return;
    }
    case FrameKind::kPost:
      if (!frame.hwnd || OwnWindow(hwnd)) PostMessage(hwnd, frame.message, static_cast<WPARAM>(frame.wParam), static_cast<LPARAM>(frame.lParam));
      return;
    case FrameKind::kActivate:
      if (OwnWindow(hwnd)) SetForegroundWindow(hwnd);
      return;
    case FrameKind::kDeactivate:
      if (IsApplicationActive()) DeactivateApplication(HWND{static_cast<std::uint32_t>(frame.wParam)});
      return;
    case FrameKind::kReply:
      return;
  }
}

LRESULT SessionLink::Deliver(const Frame& frame, std::string* replyPayload) {
  const HWND hwnd{frame.hwnd};
  const auto wParam = static_cast<WPARAM>(frame.wParam);
  const auto lParam = static_cast<LPARAM>(frame.lParam);
  const std::size_t room = kMaxFrameBytes - FrameHeaderBytes() - 1;
  switch (frame.marshal) {
    case Marshal::kNone:
      return SendMessage(hwnd, frame.message, wParam, lParam);
    case Marshal::kInText:
      return SendMessage(hwnd, frame.message, wParam, lParam != 0 ? reinterpret_cast<LPARAM>(frame.payload.c_str()) : 0);
    case Marshal::kOutText: {
      const std::size_t capacity = std::min<std::size_t>(wParam, room);
      std::string buffer(capacity + 1, '\0');
      const LRESULT result = SendMessage(hwnd, frame.message, capacity, reinterpret_cast<LPARAM>(buffer.data()));
      const std::size_t copied = result > 0 ? std::min<std::size_t>(static_cast<std::size_t>(result), capacity) : 0;
      replyPayload->assign(buffer.data(), copied);
      return result;
    }
    case Marshal::kSelection: {
      DWORD start = 0, end = 0;
      const LRESULT result = SendMessage(hwnd, frame.message, wParam != 0 ? reinterpret_cast<WPARAM>(&start) : 0,
                                         lParam != 0 ? reinterpret_cast<LPARAM>(&end) : 0);
      replyPayload->assign(reinterpret_cast<const char*>(&start), sizeof start);
      replyPayload->append(reinterpret_cast<const char*>(&end), sizeof end);
      return result;
    }
    case Marshal::kLine: {
      WORD capacity;
      std::memcpy(&capacity, frame.payload.data(), sizeof capacity);
      const std::size_t size = std::min<std::size_t>(std::max<std::size_t>(capacity, sizeof capacity), room);
      std::string buffer(size + 1, '\0');
      std::memcpy(buffer.data(), &capacity, sizeof capacity);
      const LRESULT result = SendMessage(hwnd, frame.message, wParam, reinterpret_cast<LPARAM>(buffer.data()));
      const std::size_t copied = result > 0 ? std::min<std::size_t>(static_cast<std::size_t>(result), size) : 0;
      replyPayload->assign(buffer.data(), copied);
      return result;
    }
    case Marshal::kSelText: {
      // The sender's buffer holds the selection; ours is sized from the selection the same way.
      DWORD start = 0, end = 0;
      SendMessage(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      const std::size_t size = std::min<std::size_t>(end > start ? (end - start) * 2 + 16 : 16, room);
      std::string buffer(size + 1, '\0');
      const LRESULT result = SendMessage(hwnd, frame.message, wParam, reinterpret_cast<LPARAM>(buffer.data()));
      replyPayload->assign(buffer.data(), strnlen(buffer.data(), size));
      return result;
    }
    case Marshal::kCopyData: {
      if (lParam == 0) return SendMessage(hwnd, frame.message, wParam, 0);
      COPYDATASTRUCT block;
      std::uint64_t data;
      std::memcpy(&data, frame.payload.data(), sizeof data);
      block.dwData = static_cast<std::uintptr_t>(data);
      block.cbData = static_cast<DWORD>(frame.payload.size() - sizeof data);
      block.lpData = block.cbData > 0 ? const_cast<char*>(frame.payload.data() + sizeof data) : nullptr;
      return SendMessage(hwnd, frame.message, wParam, reinterpret_cast<LPARAM>(&block));
    }
  }
  return 0;
}

SessionLink::LoadedHook SessionLink::LoadHook(const SessionHook& hook) {
  LoadedHook loaded;
  loaded.handle = hook.handle;
  if (auto installer = table_->Program(hook.programSlot)) loaded.installer = installer->pid;
  loaded.module = dlopen(hook.modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (loaded.module == nullptr) {
    const char* why = dlerror();
    ReportToLog("The keyboard hook module " + hook.modulePath + " cannot be loaded here (" + (why != nullptr ? why : "unknown reason") +
                "); keys pass on without it.");
    return loaded;
  }
  // The module's base here, from its dynamic section, plus the procedure's place inside it.
  link_map* map = nullptr;
  Dl_info where{};
  if (dlinfo(loaded.module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || dladdr(map->l_ld, &where) == 0 ||
      where.dli_fbase == nullptr) {
    ReportToLog("The keyboard hook module " + hook.modulePath + " has no place in memory here; keys pass on without it.");
    dlclose(loaded.module);
    loaded.module = nullptr;
    return loaded;
  }
  void* proc = static_cast<char*>(where.dli_fbase) + hook.procOffset;
  // The offset came from another process: it must land inside this same module.
  Dl_info check{};
  if (dladdr(proc, &check) == 0 || check.dli_fbase != where.dli_fbase) {
    ReportToLog("The keyboard hook in " + hook.modulePath + " points outside its module; keys pass on without it.");
    dlclose(loaded.module);
    loaded.module = nullptr;
    return loaded;
  }
  loaded.proc = reinterpret_cast<HOOKPROC>(proc);
  return loaded;
}

void SessionLink::SyncSystemHooks() {
  UiThread& ui = Ui();
  // Never while a hook runs: its module must stay loaded until it returns.
  if (!ui.hookCalls.empty()) return;
  // An installer that died took its hooks with it, though nobody may have noticed yet: a look at
  // each installer's pid costs little, and a full look (start times, for a pid the kernel gave
  // to a new process) is made at most once a second.
  const std::uint64_t now = RealNowMs();
  bool installerGone = now - lastInstallerCheckMs_ >= 1000 && !loadedHooks_.empty();
  for (const LoadedHook& hook : loadedHooks_)
    if (hook.installer > 0 && hook.installer != pid_ && kill(hook.installer, 0) != 0 && errno == ESRCH) installerGone = true;
  if (installerGone) {
    lastInstallerCheckMs_ = now;
    table_->RemoveDeadMembers();
  }
  const std::uint64_t generation = table_->HookGeneration();
  if (generation == hookGeneration_) return;
  hookGeneration_ = generation;
  // A hook whose installer died goes with it.
  table_->RemoveDeadMembers();
  std::vector<SessionHook> hooks = table_->Hooks();
  std::vector<LoadedHook> kept;
  for (LoadedHook& loaded : loadedHooks_) {
    const bool stays = std::any_of(hooks.begin(), hooks.end(), [&](const SessionHook& h) { return h.handle == loaded.handle; });
    if (stays) {
      kept.push_back(loaded);
    } else if (loaded.module != nullptr) {
      dlclose(loaded.module);
    }
  }
  for (const SessionHook& hook : hooks) {
    const bool known = std::any_of(kept.begin(), kept.end(), [&](const LoadedHook& l) { return l.handle == hook.handle; });
    if (!known && hook.idHook == WH_KEYBOARD) kept.push_back(LoadHook(hook));
  }
  loadedHooks_ = std::move(kept);
  // Newest first: the session's handles count up.
  std::sort(loadedHooks_.begin(), loadedHooks_.end(), [](const LoadedHook& a, const LoadedHook& b) { return a.handle > b.handle; });
  ui.sessionHooks.clear();
  for (const LoadedHook& loaded : loadedHooks_)
    if (loaded.proc != nullptr) ui.sessionHooks.push_back(WindowsHook{HHOOK{loaded.handle}, loaded.proc});
}

// Inside tmux, the pane the user looks at decides which program is in front: the user may have
// moved between panes without any of ours being told (tmux reports focus changes only where the
// user turned its focus-events on). The active pane of the active window of our own tmux session.
std::string ActiveTmuxPane(const std::string& ourPane) {
  if (ourPane.empty() || std::getenv("TMUX") == nullptr) return {};
  const auto listing = RunOutsideCommand({"tmux", "list-panes", "-s", "-t", ourPane, "-F", "#{window_active}#{pane_active} #{pane_id}"}, 1000);
  if (!listing) return {};
  std::size_t at = 0;
  while (at < listing->size()) {
    std::size_t end = listing->find('\n', at);
    if (end == std::string::npos) end = listing->size();
    const std::string line = listing->substr(at, end - at);
    if (line.rfind("11 ", 0) == 0) return line.substr(3);
    at = end + 1;
  }
  return {};
}

bool TmuxPaneExists(const std::string& pane) {
  if (std::getenv("TMUX") == nullptr) return false;
  const auto found = RunOutsideCommand({"tmux", "display-message", "-p", "-t", pane, "#{pane_id}"}, 1000);
  return found && found->rfind(pane, 0) == 0;
}

HWND SessionLink::Foreground() {
  const HWND recorded{table_->Foreground()};
  const auto self = table_->Program(slot_);
  const std::string active = self ? ActiveTmuxPane(self->pane) : std::string();
  if (active.empty()) return recorded;
  for (const SessionProgram& program : table_->Programs())
    if (program.pane == active) return program.activeWindow != 0 ? HWND{program.activeWindow} : recorded;
  return recorded;
}

void SessionLink::OurWindowActivated(HWND hwnd) {
  const HWND previous{table_->Foreground()};
  table_->SetForeground(hwnd.value);
  table_->SetActiveWindow(slot_, hwnd.value);
  // Taking the foreground on a terminal in tmux brings our own pane forward, from another
  // program's pane (as that program's pane is brought forward when it is given the foreground)
  // or from a pane that runs none of ours, which the table does not record as in front.
  const auto self = table_->Program(slot_);
  const std::string active = self ? ActiveTmuxPane(self->pane) : std::string();
  bool elsewhere = !active.empty() && active != self->pane;
  if (previous && previous != hwnd) {
    auto window = table_->FindWindow(previous.value, false);
    if (window && window->pid != pid_ && window->pane.empty()) {
      elsewhere = true;
      Frame frame;
      frame.kind = FrameKind::kDeactivate;
      frame.hwnd = previous.value;
      frame.wParam = hwnd.value;
      frame.senderPid = static_cast<std::uint32_t>(pid_);
      PostFrame(window->pid, frame);
    }
  }
  if (elsewhere) BringOwnPaneForward();
}

bool SessionLink::ActivateRemote(HWND hwnd) {
  auto window = table_->FindWindow(hwnd.value);
  if (!window || window->pid == pid_) return false;
  if (!window->pane.empty()) {
    // No program of ours is there to tell: bringing the pane forward is all there is to do.
    if (!TmuxPaneExists(window->pane)) {
      table_->RemovePaneWindow(hwnd.value);
      return false;
    }
    table_->SetForeground(hwnd.value);
    SelectPaneOf(window->programSlot);
    return true;
  }
  table_->SetForeground(hwnd.value);
  Frame frame;
  frame.kind = FrameKind::kActivate;
  frame.hwnd = hwnd.value;
  frame.senderPid = static_cast<std::uint32_t>(pid_);
  if (!PostFrame(window->pid, frame)) return false;
  // On a terminal in tmux, bringing a program forward is bringing its pane forward.
  SelectPaneOf(window->programSlot);
  return true;
}

void SessionLink::SelectPaneOf(int programSlot) {
  const auto owner = table_->Program(programSlot);
  if (owner && !owner->pane.empty() && std::getenv("TMUX") != nullptr) {
    RunOutsideCommand({"tmux", "select-window", "-t", owner->pane}, 1000);
    RunOutsideCommand({"tmux", "select-pane", "-t", owner->pane}, 1000);
  }
}

}  // namespace

bool JoinSession(const std::string& programName) {
  UiThread& ui = Ui();
  if (ui.remote) return true;
  auto alone = [&](const std::string& why) {
    ReportToLog(programName + ": " + why + " Running without a session.");
    return false;
  };
  if (!ui.windows.empty()) return alone("The session must be joined before the first window is made.");
  std::string problem;
  std::optional<std::string> dir = OpenSessionDirectory(&problem);
  if (!dir) return alone(problem);
  SetProgramLog(programName, *dir);
  std::unique_ptr<SessionTable> table = SessionTable::Open(*dir, &problem);
  if (!table) return alone(problem);
  const pid_t pid = getpid();
  std::unique_ptr<SessionSocket> socket = SessionSocket::Listen(*dir, pid, &problem);
  if (!socket) return alone(problem);
  const char* pane = std::getenv("TMUX_PANE");
  const int slot = table->Join(pid, ProcessStartTime(pid), programName, pane != nullptr ? pane : "");
  if (slot < 0) return alone("The session " + *dir + " has no room for another program.");
  ui.remote = std::make_unique<SessionLink>(std::move(table), std::move(socket), slot);
  return true;
}

void LeaveSession() {
  if (UiThread* ui = UiThread::Current()) ui->remote.reset();
}

bool InSession() { return Link() != nullptr; }

std::string SessionDirectoryInUse() {
  SessionLink* link = Link();
  return link != nullptr ? link->Directory() : std::string();
}

DWORD SendTimeoutFor(UINT message) {
  SessionLink* link = Link();
  return link != nullptr ? link->TimeoutFor(message) : kDefaultSendTimeoutMs;
}

HWND ClaimPaneWindow(const std::string& pane) {
  SessionLink* link = Link();
  return link != nullptr ? link->ClaimPaneWindow(pane) : HWND{};
}

void ReleasePaneWindow(HWND hwnd) {
  if (SessionLink* link = Link()) link->ReleasePaneWindow(hwnd);
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  DWORD pid = 0;
  if (OwnWindow(hwnd)) {
    pid = GetCurrentProcessId();
  } else if (SessionLink* link = Link()) {
    if (auto window = link->Describe(hwnd)) pid = static_cast<DWORD>(window->pid);
  }
  if (processId != nullptr) *processId = pid;
  return pid;
}

UINT RegisterWindowMessage(const char* name) {
  if (name == nullptr || *name == '\0') return 0;
  if (SessionLink* link = Link()) return link->RegisterMessage(name);
  auto& names = LocalMessageNames();
  const std::string key = LowerAscii(name);
  if (auto it = names.find(key); it != names.end()) return it->second;
  if (names.size() >= 0x4000) return 0;
  const UINT number = 0xC000 + static_cast<UINT>(names.size());
  names[key] = number;
  return number;
}

}  // namespace lexiv::platform
