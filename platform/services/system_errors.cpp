#include "platform/services/system_errors.h"

namespace lexiv::platform {
namespace {
thread_local DWORD g_lastError = 0;
}  // namespace

DWORD GetLastError() { return g_lastError; }
void SetLastError(DWORD error) { g_lastError = error; }

}  // namespace lexiv::platform
