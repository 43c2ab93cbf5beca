#include "platform/library_loader.h"

#include <dlfcn.h>

#include <utility>

#include "platform/shift_jis_text.h"

namespace lexiv::platform {

LibraryHandle LoadLibraryA(const char* name) {
  if (name == nullptr || *name == '\0') return nullptr;
  return ::dlopen(FileSystemName(name).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* GetProcAddress(LibraryHandle library, const char* symbolName) {
  if (library == nullptr || symbolName == nullptr) return nullptr;
  return ::dlsym(library, symbolName);
}

bool FreeLibrary(LibraryHandle library) { return library != nullptr && ::dlclose(library) == 0; }

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
