#include "platform/services/file_mapping.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "platform/services/joined_session.h"
#include "platform/services/program_log.h"
#include "platform/services/session_table.h"
#include "platform/services/system_errors.h"

namespace lexiv::platform {
namespace {

constexpr std::uint64_t kViewGranularity = 65536;

// One block as this process has it open: the descriptor, its size, and (for a
// session block) which session's table holds it for us. Handles and views share
// it; when the last of them goes, the hold goes, and with the last hold in the
// session the file.
struct Block {
  std::string key; // the session directory and the name; empty for a block
                   // without a name
  std::string name;
  int fd = -1;
  std::uint64_t bytes = 0;
  bool readOnly = false;
  // The file, for finding a mapping of it kept from an earlier view (session
  // blocks only).
  dev_t device = 0;
  ino_t inode = 0;
  // The session that holds it for us; null for this process's own blocks.
  SessionTable *table = nullptr;
  int slot = -1;
  std::string directory;

  ~Block();
};

// Blocks this process has open, by key, so that a second open shares the first
// one's hold. The tables below live as long as the process, never destroyed at
// exit: blocks still open then would otherwise be destroyed after the tables
// they unregister from.
std::map<std::string, std::weak_ptr<Block>> &OpenBlocks() {
  static auto *blocks = new std::map<std::string, std::weak_ptr<Block>>;
  return *blocks;
}

struct View {
  std::size_t bytes;
  std::shared_ptr<Block> block;
  bool write = false;
};

// Mappings of session blocks kept after UnmapViewOfFile for the next view of
// the same bytes of the same file. A program that opens a small block afresh
// for every key (the lookup's hook does) would otherwise map and unmap it each
// time, and every unmapping stops the other processors to flush their address
// caches. A kept mapping holds the file's pages, not a hold on the block in the
// session: the block still goes with its last holder, and while the mapping
// lives the file's inode cannot be reused, so a block made afresh never meets
// it.
struct KeptMapping {
  dev_t device;
  ino_t inode;
  std::uint64_t offset;
  std::size_t bytes;
  bool write;
  void *address;
};
constexpr std::size_t kKeptMappings = 4;

std::vector<KeptMapping> &KeptMappings() {
  static auto *kept = new std::vector<KeptMapping>;
  return *kept;
}

void *TakeKeptMapping(const Block &block, std::uint64_t offset,
                      std::size_t bytes, bool write) {
  auto &kept = KeptMappings();
  for (auto it = kept.begin(); it != kept.end(); ++it)
    if (it->device == block.device && it->inode == block.inode &&
        it->offset == offset && it->bytes == bytes && it->write == write) {
      void *address = it->address;
      kept.erase(it);
      return address;
    }
  return nullptr;
}

void KeepMapping(const Block &block, std::uint64_t offset, std::size_t bytes,
                 bool write, void *address) {
  auto &kept = KeptMappings();
  if (kept.size() == kKeptMappings) {
    munmap(kept.front().address, kept.front().bytes);
    kept.erase(kept.begin());
  }
  kept.push_back(
      KeptMapping{block.device, block.inode, offset, bytes, write, address});
}

std::map<const void *, View> &Views() {
  static auto *views = new std::map<const void *, View>;
  return *views;
}

// The session still the one that held the block (tests join and leave sessions
// in one process).
bool StillJoined(const Block &block) {
  const JoinedSession &session = CurrentSession();
  return block.table != nullptr && session.table == block.table &&
         session.slot == block.slot && session.directory == block.directory;
}

Block::~Block() {
  if (fd >= 0)
    close(fd);
  if (!key.empty()) {
    auto &blocks = OpenBlocks();
    if (auto it = blocks.find(key); it != blocks.end() && it->second.expired())
      blocks.erase(it);
  }
  if (StillJoined(*this) && table->ReleaseBlock(name, slot))
    unlink(SharedBlockPath(directory, name).c_str());
}

class MappingObject final : public KernelObject {
public:
  MappingObject(std::shared_ptr<Block> block, bool writable)
      : block_(std::move(block)), writable_(writable) {}
  const std::shared_ptr<Block> &block() const { return block_; }
  bool writable() const { return writable_; }

private:
  std::shared_ptr<Block> block_;
  bool writable_;
};

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return HANDLE{};
}

HANDLE HandleFor(std::shared_ptr<Block> block, bool writable) {
  const HANDLE handle = AddKernelObject(
      std::make_unique<MappingObject>(std::move(block), writable));
  if (!handle)
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return handle;
}

// A zeroed descriptor of bytes that only this process sees.
int PrivateDescriptor(std::uint64_t bytes) {
  const int fd = memfd_create("lexiv-block", MFD_CLOEXEC);
  if (fd < 0)
    return -1;
  if (ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// The size of an existing block's file; 0 when it cannot be one of ours.
std::uint64_t BlockFileBytes(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0)
    return 0;
  const auto bytes = static_cast<std::uint64_t>(info.st_size);
  return bytes <= kMaxBlockBytes ? bytes : 0;
}

const JoinedSession *Session() {
  const JoinedSession &session = CurrentSession();
  return session.table != nullptr && session.slot >= 0 ? &session : nullptr;
}

std::shared_ptr<Block> NewBlock(const std::string &key, const std::string &name,
                                int fd, std::uint64_t bytes, bool readOnly,
                                const JoinedSession *session) {
  auto block = std::make_shared<Block>();
  block->key = key;
  block->name = name;
  block->fd = fd;
  block->bytes = bytes;
  block->readOnly = readOnly;
  if (session != nullptr) {
    block->table = session->table;
    block->slot = session->slot;
    block->directory = session->directory;
  }
  if (!key.empty())
    OpenBlocks()[key] = block;
  struct stat info {};
  if (session != nullptr && fstat(fd, &info) == 0) {
    block->device = info.st_dev;
    block->inode = info.st_ino;
  }
  return block;
}

std::string KeyOf(const JoinedSession *session, const std::string &name) {
  return (session != nullptr ? session->directory : std::string()) + '\n' +
         name;
}

std::shared_ptr<Block> AlreadyOpen(const std::string &key) {
  auto &blocks = OpenBlocks();
  auto it = blocks.find(key);
  return it != blocks.end() ? it->second.lock() : nullptr;
}

} // namespace

HANDLE CreateFileMappingA(HANDLE file, const void *, DWORD protect,
                          DWORD maximumSizeHigh, DWORD maximumSizeLow,
                          const char *name) {
  if (file != INVALID_HANDLE_VALUE)
    return Fail(ERROR_INVALID_HANDLE);
  if (protect != PAGE_READWRITE && protect != PAGE_READONLY)
    return Fail(ERROR_INVALID_PARAMETER);
  const std::uint64_t bytes =
      (std::uint64_t{maximumSizeHigh} << 32) | maximumSizeLow;
  if (bytes == 0 || bytes > kMaxBlockBytes)
    return Fail(ERROR_INVALID_PARAMETER);
  const bool readOnly = protect == PAGE_READONLY;

  if (name == nullptr) {
    const int fd = PrivateDescriptor(bytes);
    if (fd < 0)
      return Fail(ERROR_NOT_ENOUGH_MEMORY);
    SetLastError(ERROR_SUCCESS);
    return HandleFor(NewBlock({}, {}, fd, bytes, readOnly, nullptr), !readOnly);
  }
  const std::string blockName = name;
  if (blockName.empty() || blockName.size() > kMaxBlockNameBytes)
    return Fail(ERROR_INVALID_NAME);

  const JoinedSession *session = Session();
  const std::string key = KeyOf(session, blockName);
  if (std::shared_ptr<Block> open = AlreadyOpen(key)) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return HandleFor(std::move(open), !readOnly);
  }
  if (session == nullptr) {
    const int fd = PrivateDescriptor(bytes);
    if (fd < 0)
      return Fail(ERROR_NOT_ENOUGH_MEMORY);
    SetLastError(ERROR_SUCCESS);
    return HandleFor(NewBlock(key, blockName, fd, bytes, readOnly, nullptr),
                     !readOnly);
  }

  SessionTable &table = *session->table;
  const std::string path = SharedBlockPath(session->directory, blockName);
  DWORD error = ERROR_SUCCESS;
  std::shared_ptr<Block> block;
  table.WithLock([&] {
    // A holder that died gives its hold back here, so its block is made afresh
    // below.
    table.RemoveDeadMembers();
    const bool existed = table.HoldBlock(blockName, session->slot);
    if (table.BlockHolders(blockName) == 0) {
      error = ERROR_TOO_MANY_NAMES;
      return;
    }
    int fd = -1;
    std::uint64_t size = bytes;
    if (existed) {
      fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
      size = fd >= 0 ? BlockFileBytes(fd) : 0;
      if (size == 0) {
        // The holders' file is unusable: nothing can be shared; give the hold
        // back.
        ReportToLog("The shared block " + path +
                    " cannot be used: it is missing or damaged.");
        if (fd >= 0)
          close(fd);
        if (table.ReleaseBlock(blockName, session->slot))
          unlink(path.c_str());
        error = ERROR_NOT_ENOUGH_MEMORY;
        return;
      }
    } else {
      // Nobody holds the name: a file left there is the remains of a block
      // whose holders died.
      unlink(path.c_str());
      fd = open(path.c_str(),
                O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
      if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
        if (fd >= 0)
          close(fd);
        unlink(path.c_str());
        table.ReleaseBlock(blockName, session->slot);
        error = ERROR_NOT_ENOUGH_MEMORY;
        return;
      }
    }
    block = NewBlock(key, blockName, fd, size, readOnly, session);
    error = existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
  });
  if (!block)
    return Fail(error);
  SetLastError(error);
  return HandleFor(std::move(block), !readOnly);
}

HANDLE OpenFileMappingA(DWORD desiredAccess, BOOL, const char *name) {
  if (name == nullptr || *name == '\0')
    return Fail(ERROR_INVALID_PARAMETER);
  const std::string blockName = name;
  if (blockName.size() > kMaxBlockNameBytes)
    return Fail(ERROR_INVALID_NAME);
  const bool wantsWrite = (desiredAccess & FILE_MAP_WRITE) != 0;
  const JoinedSession *session = Session();
  const std::string key = KeyOf(session, blockName);
  auto handleFor = [&](std::shared_ptr<Block> block) {
    if (wantsWrite && block->readOnly)
      return Fail(ERROR_ACCESS_DENIED);
    SetLastError(ERROR_SUCCESS);
    return HandleFor(std::move(block), wantsWrite);
  };
  if (std::shared_ptr<Block> open = AlreadyOpen(key))
    return handleFor(std::move(open));
  if (session == nullptr)
    return Fail(ERROR_FILE_NOT_FOUND);

  SessionTable &table = *session->table;
  const std::string path = SharedBlockPath(session->directory, blockName);
  std::shared_ptr<Block> block;
  DWORD error = ERROR_FILE_NOT_FOUND;
  table.WithLock([&] {
    table.RemoveDeadMembers();
    if (table.BlockHolders(blockName) == 0)
      return;
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    const std::uint64_t size = fd >= 0 ? BlockFileBytes(fd) : 0;
    if (size == 0) {
      if (fd >= 0)
        close(fd);
      return;
    }
    table.HoldBlock(blockName, session->slot);
    // A block made read-only by its maker is not known here: the file's mode
    // keeps it shared, and only this program's handle decides whether its views
    // may write.
    block = NewBlock(key, blockName, fd, size, false, session);
  });
  if (!block)
    return Fail(error);
  return handleFor(std::move(block));
}

void *MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD fileOffsetHigh,
                    DWORD fileOffsetLow, std::size_t bytes) {
  auto *object = KernelObjectAs<MappingObject>(mapping);
  if (object == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const bool write = (desiredAccess & FILE_MAP_WRITE) != 0;
  if (write && !object->writable()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const std::shared_ptr<Block> &block = object->block();
  const std::uint64_t offset =
      (std::uint64_t{fileOffsetHigh} << 32) | fileOffsetLow;
  if (offset % kViewGranularity != 0 || offset >= block->bytes ||
      bytes > block->bytes - offset) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::size_t length =
      bytes != 0 ? bytes : static_cast<std::size_t>(block->bytes - offset);
  void *address = block->inode != 0
                      ? TakeKeptMapping(*block, offset, length, write)
                      : nullptr;
  if (address == nullptr) {
    address = mmap(nullptr, length, write ? PROT_READ | PROT_WRITE : PROT_READ,
                   MAP_SHARED, block->fd, static_cast<off_t>(offset));
    if (address == MAP_FAILED) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  Views().emplace(address, View{length, block, write});
  SetLastError(ERROR_SUCCESS);
  return address;
}

BOOL UnmapViewOfFile(const void *baseAddress) {
  auto &views = Views();
  auto it = views.find(baseAddress);
  if (it == views.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  View view = std::move(it->second);
  views.erase(it);
  void *address = const_cast<void *>(baseAddress);
  // Only views of a whole block are kept: they all start at 0, and they are the
  // small ones.
  if (view.block->inode != 0 && view.bytes == view.block->bytes) {
    KeepMapping(*view.block, 0, view.bytes, view.write, address);
    return TRUE;
  }
  munmap(address, view.bytes);
  return TRUE;
}

} // namespace lexiv::platform
