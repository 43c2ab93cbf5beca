#include "platform/controls/control_classes.h"

#include <map>

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/controls/rich_edit_control.h"
#include "platform/controls/static_control.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/toolbar.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return folded;
}

template <typename T>
ControlFactory FactoryOf() {
  return [] { return std::unique_ptr<Window>(new T()); };
}

std::map<std::string, ControlFactory>& Classes() {
  static std::map<std::string, ControlFactory> classes = {
      {FoldedName("Button"), FactoryOf<Button>()},
      {FoldedName("ListBox"), FactoryOf<ListBox>()},
      {FoldedName("ComboBox"), FactoryOf<ComboBox>()},
      {FoldedName("SysListView32"), FactoryOf<ListView>()},
      {FoldedName("ToolbarWindow32"), FactoryOf<Toolbar>()},
      {FoldedName("Static"), FactoryOf<StaticControl>()},
      {FoldedName("Edit"), FactoryOf<EditControl>()},
      {FoldedName(kRichEditClassName), FactoryOf<RichEditControl>()},
      {FoldedName("StatusBar"), FactoryOf<StatusBar>()},
  };
  return classes;
}

}  // namespace

void RegisterControlClass(std::string_view className, ControlFactory factory) {
  Classes()[FoldedName(className)] = std::move(factory);
}

std::unique_ptr<Window> MakeControl(std::string_view className) {
  const auto it = Classes().find(FoldedName(className));
  if (it != Classes().end() && it->second) return it->second();
  return std::make_unique<Window>();
}

HWND CreateControl(const CreateParams& params) {
  // Creation fails before a handle exists only for a missing parent; after that, a failed
  // creation destroys the window and the window deletes its own object.
  if ((params.style & WS_CHILD) && FromHandle(params.parent) == nullptr) return HWND{};
  std::unique_ptr<Window> control = MakeControl(params.className);
  control->SetAutoDelete(true);
  Window* raw = control.release();
  HWND made;
  if (raw->Create(params)) made = raw->hwnd();
  return made;
}

}  // namespace lexiv::platform
