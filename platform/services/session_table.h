// The shared table of a session: a file in the session directory that every member maps, holding
// what all programs must agree on: the live programs (pid and start time), every window's handle
// with its owner and class, the registered message names, the system-wide keyboard hooks, the
// holders of named shared blocks, and the foreground window.
//
// Every access takes an exclusive flock on the file, so a program that dies while holding it
// releases it. Programs that died without leaving (SIGKILL) are noticed by the next look at them
// (their pid no longer runs with the recorded start time) and their records are removed then.
// Bytes in the table come from other processes: every index and string read from it is checked,
// so a damaged table can make a call fail but never read or write outside the mapping.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace lexiv::platform {

struct SessionTableData;

// A live member of the session.
struct SessionProgram {
  int slot = -1;
  pid_t pid = 0;
  std::uint64_t startTime = 0;
  std::string name;  // the program's name ("lexiv", "penra")
  std::string pane;  // the tmux pane it runs in ("%3"), empty outside tmux
  std::uint32_t activeWindow = 0;  // the window it last made active
  // Not a program: a tmux pane that runs none of ours, standing in the session as one window
  // (activeWindow); pid is the program handling a request for it, 0 for none.
  bool paneWindow = false;
};

// A window of some member.
struct SessionWindow {
  std::uint32_t hwnd = 0;
  int programSlot = -1;
  pid_t pid = 0;
  std::string className;
  bool unicode = false;
  std::string pane;  // for the window of a tmux pane (pid is then its handler's, or 0)
};

// A system-wide keyboard hook: the module's path and the procedure's offset inside it.
struct SessionHook {
  std::uint32_t handle = 0;
  int idHook = 0;
  int programSlot = -1;
  std::string modulePath;
  std::uint64_t procOffset = 0;
};

class SessionTable {
 public:
  // The table of the session in directory dir (created when missing). Nothing, with the reason,
  // when the file cannot be opened or holds a table of another layout.
  static std::unique_ptr<SessionTable> Open(const std::string& dir, std::string* problem);
  ~SessionTable();
  SessionTable(const SessionTable&) = delete;
  SessionTable& operator=(const SessionTable&) = delete;

  const std::string& Directory() const { return dir_; }

  // Members. Join takes a free slot (after removing dead members); -1 when the table is full.
  int Join(pid_t pid, std::uint64_t startTime, const std::string& name, const std::string& pane);
  // Removes the member and everything it held (windows, hooks, block holds).
  void Leave(int slot);
  std::optional<SessionProgram> Program(int slot);
  std::optional<SessionProgram> ProgramByPid(pid_t pid);
  std::vector<SessionProgram> Programs();
  void SetActiveWindow(int slot, std::uint32_t hwnd);

  // The window that stands for a tmux pane running none of our programs, made the first time and
  // the same for the pane ever after; pid (with its start time) handles its requests until it
  // releases it or dies. 0 when the table is full.
  std::uint32_t ClaimPaneWindow(const std::string& pane, pid_t pid, std::uint64_t startTime);
  void ReleasePaneWindow(std::uint32_t hwnd);
  // The pane has gone: so does its window.
  void RemovePaneWindow(std::uint32_t hwnd);

  // A handle no window of the session has had, and none will be given again.
  std::uint32_t NewHandle();

  void AddWindow(std::uint32_t hwnd, int programSlot, const std::string& className, bool unicode);
  void RemoveWindow(std::uint32_t hwnd);
  // The window, when its owner still lives.
  // The window, when its owner still lives. Without checkOwner the record is taken as it stands
  // (cheaper: no look at the owner's process), for callers that find out themselves.
  std::optional<SessionWindow> FindWindow(std::uint32_t hwnd, bool checkOwner = true);

  // A registered message's number (0xC000-0xFFFF), the same for the name in every program; names
  // compare without case. 0 for an empty or over-long name or a full table.
  unsigned RegisterMessage(const std::string& name);
  // The name registered under number; empty for none.
  std::string MessageName(unsigned number);

  // The foreground window of the session (0 for none).
  std::uint32_t Foreground();
  void SetForeground(std::uint32_t hwnd);

  // Hooks. The generation changes with every install and removal, so a member re-reads the list
  // only when it has changed.
  std::uint32_t AddHook(int idHook, int programSlot, const std::string& modulePath, std::uint64_t procOffset);
  bool RemoveHook(std::uint32_t handle);
  std::vector<SessionHook> Hooks();
  std::uint64_t HookGeneration();

  // Named shared blocks: a member holds a name while it has a handle open. Hold returns whether
  // the name was held before by a live member. Release returns true when nobody holds it any more
  // (the caller removes the block's file). names are compared exactly.
  bool HoldBlock(const std::string& name, int programSlot);
  bool ReleaseBlock(const std::string& name, int programSlot);
  // How many live members hold the name (0: no such block).
  int BlockHolders(const std::string& name);
  // Runs work with the table locked, so that what it does beside the table (a block's file made
  // or opened) and the table's records change together for every other program.
  void WithLock(const std::function<void()>& work);

  // Removes members whose process died; calls onRemoved for each (its pid) with the lock held.
  void RemoveDeadMembers();
  // Called (with the table locked) for each dead member removed, and for each block name nobody
  // holds any more; the session cleans up their files. Set by whoever owns the files (the
  // session link for sockets, the shared blocks for theirs).
  std::function<void(pid_t)> onMemberRemoved;
  std::function<void(const std::string&)> onBlockFreed;

 private:
  SessionTable(std::string dir, int fd, SessionTableData* data);
  class Lock;
  void RemoveDeadLocked();
  void LeaveLocked(int slot);
  bool SlotLive(int slot);

  std::string dir_;
  int fd_ = -1;
  SessionTableData* data_ = nullptr;
  int lockDepth_ = 0;
};

}  // namespace lexiv::platform
