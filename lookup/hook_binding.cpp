#include "lookup/hook_binding.h"

#include "lookup/lookup_protocol.h"

namespace lexiv::lookup {

HookBinding::~HookBinding() { Release(); }

void HookBinding::Bind(const std::string &dllDir) {
  if (library_ != nullptr)
    return;
  std::string path = dllDir;
  if (!path.empty() && path.back() != '/')
    path += '/';
  path += kHookLibraryFileName;
  library_ = platform::LoadLibraryA(path.c_str());
  if (library_ == nullptr)
    return;
  hook_ = reinterpret_cast<HookKeyHandlerFunction>(
      platform::GetProcAddress(library_, kHookKeyHandlerName));
  unhook_ = reinterpret_cast<UnHookKeyHandlerFunction>(
      platform::GetProcAddress(library_, kUnHookKeyHandlerName));
  // A hook that could be installed but never removed would outlive the
  // dictionary: both or none.
  if (hook_ == nullptr || unhook_ == nullptr)
    Release();
}

void HookBinding::Install() {
  if (hook_ != nullptr && hookHandle_ == 0)
    hookHandle_ = hook_();
}

void HookBinding::Release() {
  if (unhook_ != nullptr)
    unhook_(hookHandle_);
  hookHandle_ = 0;
  hook_ = nullptr;
  unhook_ = nullptr;
  if (library_ != nullptr)
    platform::FreeLibrary(library_);
  library_ = nullptr;
}

} // namespace lexiv::lookup
