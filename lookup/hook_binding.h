// The dictionary's hold on the hook library: loaded from the library directory
// at start-up, its hook installed once the main window is published in the
// shared block, removed at exit before the library is freed. A missing library
// or entry point means no lookups from other programs, and nothing is said
// about it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/services/library_loader.h"
#include "platform/win_types.h"

namespace lexiv::lookup {

// The library's two exports, by their plain names.
using HookKeyHandlerFunction = std::uint32_t (*)();
using UnHookKeyHandlerFunction = int (*)(std::uint32_t hookHandle);
inline constexpr char kHookKeyHandlerName[] = "HookKeyHandler";
inline constexpr char kUnHookKeyHandlerName[] = "UnHookKeyHandler";

class HookBinding {
public:
  HookBinding() = default;
  ~HookBinding();
  HookBinding(const HookBinding &) = delete;
  HookBinding &operator=(const HookBinding &) = delete;

  // Loads dllDir + the library's file name ("/" added when dllDir lacks it) and
  // finds both exports.
  void Bind(const std::string &dllDir);
  // Calls HookKeyHandler when it was found; its result is the hook handle (0:
  // no hook).
  void Install();
  // Calls UnHookKeyHandler with the hook handle when it was found, then frees
  // the library.
  void Release();

  bool Bound() const { return hook_ != nullptr; }
  std::uint32_t hookHandle() const { return hookHandle_; }

private:
  platform::LibraryHandle library_ = nullptr;
  HookKeyHandlerFunction hook_ = nullptr;
  UnHookKeyHandlerFunction unhook_ = nullptr;
  std::uint32_t hookHandle_ = 0;
};

} // namespace lexiv::lookup
