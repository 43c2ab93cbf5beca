#include "platform/services/library_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {

namespace {

// The directory of the running executable, empty when it cannot be told.
std::filesystem::path ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : executable.parent_path();
}

}  // namespace

LibraryHandle LoadLibraryA(const char* name) {
  if (name == nullptr || *name == '\0') return nullptr;
  const std::string fileName = FileSystemName(name);
  // A bare name is looked for beside the executable first, as Windows does. The run path would
  // find it too, but not when a sanitizer runtime intercepts dlopen: the run path searched is
  // then the runtime's, not the executable's.
  if (fileName.find('/') == std::string::npos) {
    const std::filesystem::path directory = ExecutableDirectory();
    std::error_code error;
    if (!directory.empty() && std::filesystem::is_regular_file(directory / fileName, error))
      return ::dlopen((directory / fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  return ::dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* GetProcAddress(LibraryHandle library, const char* symbolName) {
  if (library == nullptr || symbolName == nullptr) return nullptr;
  return ::dlsym(library, symbolName);
}

bool FreeLibrary(LibraryHandle library) { return library != nullptr && ::dlclose(library) == 0; }

LibraryHandle ModuleContaining(const void* address) {
  Dl_info where{};
  if (address == nullptr || ::dladdr(address, &where) == 0 || where.dli_fname == nullptr) return nullptr;
  // Asking for a library already loaded gives its handle and one more load, given back at once:
  // the library stays loaded as long as its code runs.
  LibraryHandle handle = ::dlopen(where.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr) ::dlclose(handle);
  return handle;
}

LoadedLibrary::LoadedLibrary(std::string_view name) {
  ::dlerror();
  handle_ = LoadLibraryA(std::string(name).c_str());
  if (handle_ == nullptr) {
    const char* reason = ::dlerror();
    error_ = reason != nullptr ? reason : "no library name given";
  }
}

LoadedLibrary::~LoadedLibrary() { FreeLibrary(handle_); }

LoadedLibrary::LoadedLibrary(LoadedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

LoadedLibrary& LoadedLibrary::operator=(LoadedLibrary&& other) noexcept {
  if (this != &other) {
    FreeLibrary(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
    error_ = std::move(other.error_);
  }
  return *this;
}

}  // namespace lexiv::platform
