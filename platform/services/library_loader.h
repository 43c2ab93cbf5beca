// Loading a shared library by name and finding its functions by name. A bare name ("libm.so.6")
// is looked for in the executable's directory first, so libraries installed beside the program
// win, then along the system's search path; a name with '/' is a path.
// Names are program text and are converted to the file system's spelling.
#pragma once

#include <string>
#include <string_view>

namespace lexiv::platform {

using LibraryHandle = void*;

// The library, or null when it cannot be loaded.
LibraryHandle LoadLibraryA(const char* name);
// The address of the exported symbol, or null when the handle is null or the symbol is missing.
void* GetProcAddress(LibraryHandle library, const char* symbolName);
// Releases one load of the library; false for a null handle or when the system refuses.
bool FreeLibrary(LibraryHandle library);
// The handle of the loaded library that holds address (a library's own module handle, for the
// code inside it), without adding a load; null when no library holds it.
LibraryHandle ModuleContaining(const void* address);

// Owns one load of a library; an object whose load failed is empty and finds no symbols.
class LoadedLibrary {
 public:
  LoadedLibrary() = default;
  explicit LoadedLibrary(std::string_view name);
  ~LoadedLibrary();
  LoadedLibrary(LoadedLibrary&& other) noexcept;
  LoadedLibrary& operator=(LoadedLibrary&& other) noexcept;
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  // Why the last load failed, as the system said it; empty after a successful load.
  const std::string& error() const { return error_; }

  // The symbol cast to the caller's function-pointer type, or null.
  template <typename Function>
  Function Find(const char* symbolName) const {
    return reinterpret_cast<Function>(GetProcAddress(handle_, symbolName));
  }

 private:
  LibraryHandle handle_ = nullptr;
  std::string error_;
};

}  // namespace lexiv::platform
