#include "platform/services/session_table.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/services/process_identity.h"

namespace lexiv::platform {

namespace {

constexpr char kMagic[8] = {'L', 'X', 'V', 'S', 'E', 'S', 'S', '\n'};
constexpr std::uint32_t kLayoutVersion = 2;  // a change of any record below makes a new one
constexpr int kPrograms = 64;
constexpr std::uint32_t kWindows = 8192;  // a power of two: the window records are a hash table
constexpr int kNames = 1024;
constexpr int kHooks = 64;
constexpr int kBlocks = 128;
constexpr std::uint32_t kFirstHandle = 0x10000;
// The handle table never gives out the top handles: SetWindowPos's special values live there, and
// the window records use the last one for "deleted".
constexpr std::uint32_t kLastHandle = 0xFFFFFF00u;
constexpr std::uint32_t kDeletedWindow = 0xFFFFFFFFu;
constexpr unsigned kFirstMessage = 0xC000;

// A record is a program, or a tmux pane that runs none of ours: the pane's window belongs to the
// session, and pid and startTime are those of the program handling a request for it (0: none).
enum RecordKind : std::uint32_t { kProgramRecord = 0, kPaneRecord = 1 };
constexpr char kPaneWindowClass[] = "TmuxPane";

struct ProgramRecord {
  std::int32_t pid;
  std::uint32_t used;
  std::uint64_t startTime;
  std::uint32_t activeWindow;
  std::uint32_t kind;
  char name[32];
  char pane[32];
};

struct WindowRecord {
  std::uint32_t hwnd;  // 0: never used; kDeletedWindow: deleted
  std::int16_t slot;
  std::uint8_t unicode;
  std::uint8_t reserved;
  char className[56];
};

struct NameRecord {
  char name[128];
};

struct HookRecord {
  std::uint32_t handle;
  std::int32_t idHook;
  std::int32_t slot;
  std::uint32_t reserved;
  std::uint64_t offset;
  char module[4096];
};

struct BlockRecord {
  char name[120];
  std::uint64_t holders;  // one bit a member slot
};

}  // namespace

struct SessionTableData {
  char magic[8];
  std::uint32_t version;
  std::uint32_t size;
  std::uint32_t nextHandle;
  std::uint32_t foreground;
  std::uint32_t nextHookHandle;
  std::uint32_t deletedWindows;
  std::uint64_t hookGeneration;
  ProgramRecord programs[kPrograms];
  WindowRecord windows[kWindows];
  NameRecord names[kNames];
  HookRecord hooks[kHooks];
  BlockRecord blocks[kBlocks];
};

namespace {

// A string field written by another process: read up to its size, never past it.
template <std::size_t N>
std::string ReadField(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

// Copies text into a field, cut to fit and always terminated. False when it had to be cut.
template <std::size_t N>
bool WriteField(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  const std::size_t length = std::min(text.size(), N - 1);
  std::memcpy(field, text.data(), length);
  return length == text.size();
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]);
    const unsigned char y = static_cast<unsigned char>(b[i]);
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; };
    if (lower(x) != lower(y)) return false;
  }
  return true;
}

std::uint32_t WindowHome(std::uint32_t hwnd) { return (hwnd * 2654435761u) & (kWindows - 1); }

}  // namespace

class SessionTable::Lock {
 public:
  explicit Lock(SessionTable& table) : table_(table) {
    if (table_.lockDepth_++ == 0) {
      while (flock(table_.fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~Lock() {
    if (--table_.lockDepth_ == 0) flock(table_.fd_, LOCK_UN);
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  SessionTable& table_;
};

std::unique_ptr<SessionTable> SessionTable::Open(const std::string& dir, std::string* problem) {
  const std::string path = dir + "/session.table";
  auto fail = [&](const std::string& why) -> std::unique_ptr<SessionTable> {
    if (problem != nullptr) *problem = "The session table " + path + " cannot be used: " + why + ".";
    return nullptr;
  };
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return fail(std::strerror(errno));
  while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    const int error = errno;
    close(fd);
    return fail(std::strerror(error));
  }
  const bool fresh = info.st_size == 0;
  if (!fresh && static_cast<std::size_t>(info.st_size) != sizeof(SessionTableData)) {
    close(fd);
    return fail("it has the size of another layout");
  }
  if (fresh && ftruncate(fd, sizeof(SessionTableData)) != 0) {
    const int error = errno;
    close(fd);
    return fail(std::strerror(error));
  }
  void* memory = mmap(nullptr, sizeof(SessionTableData), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (memory == MAP_FAILED) {
    const int error = errno;
    close(fd);
    return fail(std::strerror(error));
  }
  auto* data = static_cast<SessionTableData*>(memory);
  if (fresh) {
    std::memcpy(data->magic, kMagic, sizeof kMagic);
    data->version = kLayoutVersion;
    data->size = sizeof(SessionTableData);
    data->nextHandle = kFirstHandle;
    data->nextHookHandle = 1;
  } else if (std::memcmp(data->magic, kMagic, sizeof kMagic) != 0 || data->version != kLayoutVersion ||
             data->size != sizeof(SessionTableData)) {
    munmap(memory, sizeof(SessionTableData));
    close(fd);
    return fail("it is not a session table of this layout");
  }
  flock(fd, LOCK_UN);
  return std::unique_ptr<SessionTable>(new SessionTable(dir, fd, data));
}

SessionTable::SessionTable(std::string dir, int fd, SessionTableData* data) : dir_(std::move(dir)), fd_(fd), data_(data) {}

SessionTable::~SessionTable() {
  munmap(data_, sizeof(SessionTableData));
  close(fd_);
}

namespace {

SessionProgram ProgramOf(int slot, const ProgramRecord& p) {
  return SessionProgram{slot, p.pid, p.startTime, ReadField(p.name), ReadField(p.pane), p.activeWindow,
                        p.kind == kPaneRecord};
}

}  // namespace

bool SessionTable::SlotLive(int slot) {
  if (slot < 0 || slot >= kPrograms) return false;
  const ProgramRecord& p = data_->programs[slot];
  return p.used != 0;
}

int SessionTable::Join(pid_t pid, std::uint64_t startTime, const std::string& name, const std::string& pane) {
  Lock lock(*this);
  RemoveDeadLocked();
  // A pane that now runs one of ours no longer needs a window of its own.
  for (int slot = 0; slot < kPrograms && !pane.empty(); ++slot) {
    const ProgramRecord& p = data_->programs[slot];
    if (p.used != 0 && p.kind == kPaneRecord && ReadField(p.pane) == pane) LeaveLocked(slot);
  }
  for (int slot = 0; slot < kPrograms; ++slot) {
    ProgramRecord& p = data_->programs[slot];
    if (p.used != 0) continue;
    p.pid = pid;
    p.startTime = startTime;
    WriteField(p.name, name);
    WriteField(p.pane, pane);
    p.used = 1;
    return slot;
  }
  return -1;
}

void SessionTable::Leave(int slot) {
  Lock lock(*this);
  LeaveLocked(slot);
}

void SessionTable::LeaveLocked(int slot) {
  if (slot < 0 || slot >= kPrograms) return;
  for (WindowRecord& w : data_->windows) {
    if (w.hwnd != 0 && w.hwnd != kDeletedWindow && w.slot == slot) {
      if (w.hwnd == data_->foreground) data_->foreground = 0;
      w.hwnd = kDeletedWindow;
      ++data_->deletedWindows;
    }
  }
  bool hooksChanged = false;
  for (HookRecord& h : data_->hooks) {
    if (h.handle != 0 && h.slot == slot) {
      h.handle = 0;
      hooksChanged = true;
    }
  }
  if (hooksChanged) __atomic_add_fetch(&data_->hookGeneration, 1, __ATOMIC_RELEASE);
  const std::uint64_t bit = std::uint64_t{1} << slot;
  for (BlockRecord& b : data_->blocks) {
    if (b.name[0] == '\0' || (b.holders & bit) == 0) continue;
    b.holders &= ~bit;
    if (b.holders == 0) {
      const std::string name = ReadField(b.name);
      std::memset(b.name, 0, sizeof b.name);
      if (onBlockFreed) onBlockFreed(name);
    }
  }
  data_->programs[slot] = ProgramRecord{};
}

std::optional<SessionProgram> SessionTable::Program(int slot) {
  Lock lock(*this);
  if (!SlotLive(slot)) return std::nullopt;
  const ProgramRecord& p = data_->programs[slot];
  return ProgramOf(slot, p);
}

std::optional<SessionProgram> SessionTable::ProgramByPid(pid_t pid) {
  Lock lock(*this);
  for (int slot = 0; slot < kPrograms; ++slot) {
    const ProgramRecord& p = data_->programs[slot];
    if (p.used != 0 && p.kind != kPaneRecord && p.pid == pid) return ProgramOf(slot, p);
  }
  return std::nullopt;
}

std::vector<SessionProgram> SessionTable::Programs() {
  Lock lock(*this);
  std::vector<SessionProgram> programs;
  for (int slot = 0; slot < kPrograms; ++slot) {
    const ProgramRecord& p = data_->programs[slot];
    if (p.used != 0) programs.push_back(ProgramOf(slot, p));
  }
  return programs;
}

void SessionTable::SetActiveWindow(int slot, std::uint32_t hwnd) {
  Lock lock(*this);
  if (SlotLive(slot)) data_->programs[slot].activeWindow = hwnd;
}

std::uint32_t SessionTable::NewHandle() {
  Lock lock(*this);
  std::uint32_t handle = data_->nextHandle;
  if (handle < kFirstHandle) handle = kFirstHandle;
  if (handle >= kLastHandle) return 0;  // four billion handles in one session: none is reused
  data_->nextHandle = handle + 1;
  return handle;
}

void SessionTable::AddWindow(std::uint32_t hwnd, int programSlot, const std::string& className, bool unicode) {
  if (hwnd == 0 || hwnd == kDeletedWindow) return;
  Lock lock(*this);
  // Deleted records lengthen every search; once they fill a quarter of the table it is rebuilt.
  if (data_->deletedWindows > kWindows / 4) {
    std::vector<WindowRecord> live;
    for (const WindowRecord& w : data_->windows)
      if (w.hwnd != 0 && w.hwnd != kDeletedWindow) live.push_back(w);
    std::memset(data_->windows, 0, sizeof data_->windows);
    data_->deletedWindows = 0;
    for (const WindowRecord& w : live) {
      for (std::uint32_t i = 0, at = WindowHome(w.hwnd); i < kWindows; ++i, at = (at + 1) & (kWindows - 1)) {
        if (data_->windows[at].hwnd == 0) {
          data_->windows[at] = w;
          break;
        }
      }
    }
  }
  for (std::uint32_t i = 0, at = WindowHome(hwnd); i < kWindows; ++i, at = (at + 1) & (kWindows - 1)) {
    WindowRecord& w = data_->windows[at];
    if (w.hwnd != 0 && w.hwnd != kDeletedWindow) {
      if (w.hwnd == hwnd) return;
      continue;
    }
    if (w.hwnd == kDeletedWindow) --data_->deletedWindows;
    w.hwnd = hwnd;
    w.slot = static_cast<std::int16_t>(programSlot);
    w.unicode = unicode ? 1 : 0;
    WriteField(w.className, className);
    return;
  }
}

void SessionTable::RemoveWindow(std::uint32_t hwnd) {
  if (hwnd == 0 || hwnd == kDeletedWindow) return;
  Lock lock(*this);
  for (std::uint32_t i = 0, at = WindowHome(hwnd); i < kWindows; ++i, at = (at + 1) & (kWindows - 1)) {
    WindowRecord& w = data_->windows[at];
    if (w.hwnd == 0) return;
    if (w.hwnd != hwnd) continue;
    w.hwnd = kDeletedWindow;
    ++data_->deletedWindows;
    if (data_->foreground == hwnd) data_->foreground = 0;
    return;
  }
}

std::optional<SessionWindow> SessionTable::FindWindow(std::uint32_t hwnd, bool checkOwner) {
  if (hwnd == 0 || hwnd == kDeletedWindow) return std::nullopt;
  Lock lock(*this);
  for (std::uint32_t i = 0, at = WindowHome(hwnd); i < kWindows; ++i, at = (at + 1) & (kWindows - 1)) {
    const WindowRecord& w = data_->windows[at];
    if (w.hwnd == 0) return std::nullopt;
    if (w.hwnd != hwnd) continue;
    if (!SlotLive(w.slot)) return std::nullopt;
    const ProgramRecord& owner = data_->programs[w.slot];
    if (owner.kind == kPaneRecord) {
      // A pane's window outlives the programs that handle its requests.
      const bool handled = owner.pid != 0 && ProcessIsAlive(owner.pid, owner.startTime);
      return SessionWindow{w.hwnd, w.slot, handled ? owner.pid : 0, ReadField(w.className), false, ReadField(owner.pane)};
    }
    if (checkOwner && !ProcessIsAlive(owner.pid, owner.startTime)) {
      // The owner died without leaving: clean up after it now.
      RemoveDeadLocked();
      return std::nullopt;
    }
    return SessionWindow{w.hwnd, w.slot, owner.pid, ReadField(w.className), w.unicode != 0, {}};
  }
  return std::nullopt;
}

unsigned SessionTable::RegisterMessage(const std::string& name) {
  if (name.empty() || name.size() >= sizeof(NameRecord::name)) return 0;
  Lock lock(*this);
  for (int i = 0; i < kNames; ++i) {
    NameRecord& record = data_->names[i];
    if (record.name[0] == '\0') {
      WriteField(record.name, name);
      return kFirstMessage + static_cast<unsigned>(i);
    }
    if (SameNameIgnoringCase(ReadField(record.name), name)) return kFirstMessage + static_cast<unsigned>(i);
  }
  return 0;
}

std::string SessionTable::MessageName(unsigned number) {
  if (number < kFirstMessage || number >= kFirstMessage + kNames) return {};
  Lock lock(*this);
  return ReadField(data_->names[number - kFirstMessage].name);
}

std::uint32_t SessionTable::Foreground() {
  Lock lock(*this);
  return data_->foreground;
}

void SessionTable::SetForeground(std::uint32_t hwnd) {
  Lock lock(*this);
  data_->foreground = hwnd;
}

std::uint32_t SessionTable::AddHook(int idHook, int programSlot, const std::string& modulePath, std::uint64_t procOffset) {
  if (modulePath.size() >= sizeof(HookRecord::module)) return 0;
  Lock lock(*this);
  for (HookRecord& h : data_->hooks) {
    if (h.handle != 0) continue;
    std::uint32_t handle = data_->nextHookHandle;
    if (handle == 0) handle = 1;
    data_->nextHookHandle = handle + 1;
    h.handle = handle;
    h.idHook = idHook;
    h.slot = programSlot;
    h.offset = procOffset;
    WriteField(h.module, modulePath);
    __atomic_add_fetch(&data_->hookGeneration, 1, __ATOMIC_RELEASE);
    return handle;
  }
  return 0;
}

bool SessionTable::RemoveHook(std::uint32_t handle) {
  if (handle == 0) return false;
  Lock lock(*this);
  for (HookRecord& h : data_->hooks) {
    if (h.handle != handle) continue;
    h.handle = 0;
    __atomic_add_fetch(&data_->hookGeneration, 1, __ATOMIC_RELEASE);
    return true;
  }
  return false;
}

std::vector<SessionHook> SessionTable::Hooks() {
  Lock lock(*this);
  std::vector<SessionHook> hooks;
  for (const HookRecord& h : data_->hooks) {
    if (h.handle == 0 || !SlotLive(h.slot)) continue;
    hooks.push_back(SessionHook{h.handle, h.idHook, h.slot, ReadField(h.module), h.offset});
  }
  return hooks;
}

std::uint64_t SessionTable::HookGeneration() {
  // Asked at every key and every look at the queue, so without the lock: the writers change it
  // under the lock with an atomic increment, and a reader that sees the new value takes the lock
  // to read the hooks.
  return __atomic_load_n(&data_->hookGeneration, __ATOMIC_ACQUIRE);
}

bool SessionTable::HoldBlock(const std::string& name, int programSlot) {
  if (name.empty() || name.size() >= sizeof(BlockRecord::name) || programSlot < 0 || programSlot >= kPrograms) return false;
  Lock lock(*this);
  const std::uint64_t bit = std::uint64_t{1} << programSlot;
  BlockRecord* free = nullptr;
  for (BlockRecord& b : data_->blocks) {
    if (b.name[0] == '\0') {
      if (free == nullptr) free = &b;
      continue;
    }
    if (ReadField(b.name) != name) continue;
    const bool heldBefore = b.holders != 0;
    b.holders |= bit;
    return heldBefore;
  }
  if (free != nullptr) {
    WriteField(free->name, name);
    free->holders = bit;
  }
  return false;
}

bool SessionTable::ReleaseBlock(const std::string& name, int programSlot) {
  if (programSlot < 0 || programSlot >= kPrograms) return false;
  Lock lock(*this);
  const std::uint64_t bit = std::uint64_t{1} << programSlot;
  for (BlockRecord& b : data_->blocks) {
    if (b.name[0] == '\0' || ReadField(b.name) != name) continue;
    b.holders &= ~bit;
    if (b.holders != 0) return false;
    std::memset(b.name, 0, sizeof b.name);
    return true;
  }
  return true;
}

int SessionTable::BlockHolders(const std::string& name) {
  Lock lock(*this);
  for (const BlockRecord& b : data_->blocks) {
    if (b.name[0] == '\0' || ReadField(b.name) != name) continue;
    int holders = 0;
    for (int slot = 0; slot < kPrograms; ++slot)
      if ((b.holders & (std::uint64_t{1} << slot)) != 0 && SlotLive(slot)) ++holders;
    return holders;
  }
  return 0;
}

void SessionTable::WithLock(const std::function<void()>& work) {
  Lock lock(*this);
  work();
}

void SessionTable::RemoveDeadMembers() {
  Lock lock(*this);
  RemoveDeadLocked();
}

std::uint32_t SessionTable::ClaimPaneWindow(const std::string& pane, pid_t pid, std::uint64_t startTime) {
  if (pane.empty() || pane.size() >= sizeof(ProgramRecord::pane)) return 0;
  Lock lock(*this);
  RemoveDeadLocked();
  int free = -1;
  for (int slot = 0; slot < kPrograms; ++slot) {
    ProgramRecord& p = data_->programs[slot];
    if (p.used == 0) {
      if (free < 0) free = slot;
      continue;
    }
    if (p.kind != kPaneRecord || ReadField(p.pane) != pane) continue;
    p.pid = pid;
    p.startTime = startTime;
    return p.activeWindow;
  }
  if (free < 0) return 0;
  const std::uint32_t hwnd = NewHandle();
  if (hwnd == 0) return 0;
  ProgramRecord& p = data_->programs[free];
  p = ProgramRecord{};
  p.pid = pid;
  p.startTime = startTime;
  p.kind = kPaneRecord;
  WriteField(p.name, "tmux pane");
  WriteField(p.pane, pane);
  p.activeWindow = hwnd;
  p.used = 1;
  AddWindow(hwnd, free, kPaneWindowClass, false);
  return hwnd;
}

void SessionTable::ReleasePaneWindow(std::uint32_t hwnd) {
  Lock lock(*this);
  for (ProgramRecord& p : data_->programs) {
    if (p.used == 0 || p.kind != kPaneRecord || p.activeWindow != hwnd) continue;
    p.pid = 0;
    p.startTime = 0;
  }
}

void SessionTable::RemovePaneWindow(std::uint32_t hwnd) {
  Lock lock(*this);
  for (int slot = 0; slot < kPrograms; ++slot) {
    const ProgramRecord& p = data_->programs[slot];
    if (p.used != 0 && p.kind == kPaneRecord && p.activeWindow == hwnd) LeaveLocked(slot);
  }
}

void SessionTable::RemoveDeadLocked() {
  for (int slot = 0; slot < kPrograms; ++slot) {
    ProgramRecord& p = data_->programs[slot];
    if (p.used == 0 || ProcessIsAlive(p.pid, p.startTime)) continue;
    if (p.kind == kPaneRecord) {
      // The program that handled the pane's request has gone; the pane's window stays.
      p.pid = 0;
      p.startTime = 0;
      continue;
    }
    const pid_t pid = p.pid;
    LeaveLocked(slot);
    if (onMemberRemoved) onMemberRemoved(pid);
  }
}

}  // namespace lexiv::platform
