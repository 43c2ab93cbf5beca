// Linked into every module's tests: they never reach the desktop around them (its clipboard, its
// editor) nor the tmux they may run in, so a developer's clipboard and tmux buffers are neither
// read nor changed by a test run. Tests that need tmux start a server of their own and point TMUX
// at it.
#include <cstdlib>
#include <initializer_list>

namespace {

struct HermeticEnvironment {
  HermeticEnvironment() {
    for (const char* name : {"TMUX", "TMUX_PANE", "WAYLAND_DISPLAY", "DISPLAY", "VISUAL", "EDITOR", "PAGER"}) unsetenv(name);
  }
};

const HermeticEnvironment hermeticEnvironment;

}  // namespace
