#include "ui/runtime/window_runtime_win.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>

#include "base/hex_text.h"
#include "ui/runtime/unit_events.h"
#include "ui/runtime/unit_events_win.h"
#include "ui/units/draw_panel_unit_win.h"
#include "ui/units/window_unit_win.h"

namespace sw {
namespace {

struct ClassEntry {
  const wchar_t* name;
  UINT style;
};

// The picture button has no CS_DBLCLKS: two quick clicks are two clicks, not a press and a double click.
constexpr ClassEntry kClasses[] = {
    {kWindowClass, CS_DBLCLKS}, {kPicBoxClass, CS_DBLCLKS},     {kDrawPanelClass, CS_DBLCLKS},
    {kPicBtnClass, 0},          {kTransLabelClass, CS_DBLCLKS},
};

// The program's icon is the module's first icon group, the one Explorer shows for the file, so that the
// runtime needs no resource id of the program's; a module without icons leaves the system's default.
struct IconGroup {
  LPCWSTR name = nullptr;  // an integer resource, or `text`
  std::wstring text;
};

BOOL CALLBACK TakeFirstGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR data) {
  auto* group = reinterpret_cast<IconGroup*>(data);
  if (IS_INTRESOURCE(name)) {
    group->name = name;
  } else {
    group->text = name;
    group->name = group->text.c_str();
  }
  return FALSE;  // the first is the one
}

// LR_SHARED at the system's own icon sizes: the system keeps the icon as long as the module, and nobody
// destroys it.
HICON LoadModuleIcon(HINSTANCE module, LPCWSTR group, int width_metric, int height_metric) {
  if (group == nullptr) return nullptr;
  return static_cast<HICON>(LoadImageW(module, group, IMAGE_ICON, GetSystemMetrics(width_metric),
                                       GetSystemMetrics(height_metric), LR_SHARED));
}

}  // namespace

RuntimeStart WindowRuntime::Create(std::span<const std::uint8_t> table,
                                   std::span<const HandlerBinding> handlers,
                                   std::span<const KeyShortcut> shortcuts) {
  DescriptionRead read = ReadDescriptionTable(table);
  if (!read.ok()) {
    return RuntimeFailure{RuntimeError::kUnreadableDescriptions,
                          "the window descriptions cannot be read: " + read.message()};
  }
  std::unique_ptr<WindowRuntime> runtime(new WindowRuntime());
  runtime->table_ = std::move(read).value();
  for (const HandlerBinding& binding : handlers) {
    if (binding.handler != nullptr) runtime->handlers_[binding.reference] = binding.handler;
  }
  // Every binding must find its handler now, not when the event first happens.
  for (const WindowDescription& window : runtime->table_.windows) {
    for (const UnitRecord& unit : window.units) {
      for (const EventBinding& binding : unit.events) {
        if (!runtime->handlers_.count(binding.handler)) {
          return RuntimeFailure{RuntimeError::kUnboundHandler,
                                "window " + HexId(window.window_id) + ", unit " + HexId(unit.id) +
                                    ": event " + std::to_string(binding.event) + " is bound to handler " +
                                    std::to_string(binding.handler) + ", which the program does not have"};
        }
      }
    }
  }
  for (const KeyShortcut& shortcut : shortcuts) {
    if (const std::string refused = runtime->CheckShortcut(shortcut); !refused.empty()) {
      return RuntimeFailure{RuntimeError::kBadShortcut, "the shortcut for key " + HexId(shortcut.key) +
                                                            " in window " + HexId(shortcut.window_id) + " " +
                                                            refused};
    }
    runtime->shortcuts_.push_back(shortcut);
  }
  if (std::string refused; !runtime->RegisterClasses(refused)) {
    return RuntimeFailure{RuntimeError::kSystemRefused, std::move(refused)};
  }
  // Screen readers get the units' accessible objects marshalled through COM, which wants an apartment on
  // the thread of the windows. A thread that has one of the other kind keeps it (the objects then go
  // without our additions to the system's).
  const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  runtime->entered_apartment_ = apartment == S_OK || apartment == S_FALSE;
  runtime->destroy_message_ = RegisterWindowMessageW(L"_YQ_DestroyWindow");
  runtime->hidden_owner_.reset(CreateWindowExW(0, kHideOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                               nullptr, GetModuleHandleW(nullptr), nullptr));
  if (!runtime->hidden_owner_ || runtime->destroy_message_ == 0) {
    return RuntimeFailure{RuntimeError::kSystemRefused, "the hidden owner window cannot be made"};
  }
  return runtime;
}

std::string WindowRuntime::CheckShortcut(const KeyShortcut& shortcut) const {
  const WindowDescription* window = FindDescription(table_, shortcut.window_id);
  if (window == nullptr) return "names no window of the descriptions";
  auto lacks = [window](std::uint32_t id) {
    for (const UnitRecord& unit : window->units) {
      if (unit.id == id) return false;
    }
    return true;
  };
  if (shortcut.focus_unit != 0 && lacks(shortcut.focus_unit)) return "names a focus unit the window lacks";
  if ((shortcut.press_unit != 0) == (shortcut.handler != 0)) {
    return "must press a unit or run a handler, not both";
  }
  if (shortcut.press_unit != 0 && lacks(shortcut.press_unit)) return "presses a unit the window lacks";
  if (shortcut.handler != 0 && !handlers_.count(shortcut.handler)) {
    return "runs a handler the program does not have";
  }
  return {};
}

bool WindowRuntime::RegisterClasses(std::string& error) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  IconGroup icon;
  const auto group_type = reinterpret_cast<LPCWSTR>(RT_GROUP_ICON);  // a number, spelt for the W call
  EnumResourceNamesW(instance, group_type, &TakeFirstGroup, reinterpret_cast<LONG_PTR>(&icon));
  const HICON large_icon = LoadModuleIcon(instance, icon.name, SM_CXICON, SM_CYICON);
  const HICON small_icon = LoadModuleIcon(instance, icon.name, SM_CXSMICON, SM_CYSMICON);
  auto register_one = [&](const wchar_t* name, UINT style, WNDPROC procedure) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = style;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    if (std::wstring_view(name) == kWindowClass) {  // the windows: taskbar, Alt+Tab, the title's icon
      window_class.hIcon = large_icon;
      window_class.hIconSm = small_icon;
    }
    window_class.lpszClassName = name;
    if (RegisterClassExW(&window_class) != 0) {
      registered_classes_.emplace_back(name);
      return true;
    }
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  };
  for (const ClassEntry& entry : kClasses) {
    if (!register_one(entry.name, entry.style, UnitWindowProc)) {
      error = "the window class cannot be registered";
      return false;
    }
  }
  if (!register_one(kHideOwnerClass, 0, DefWindowProcW)) {
    error = "the hidden owner's class cannot be registered";
    return false;
  }
  return true;
}

WindowRuntime::~WindowRuntime() {
  // Each destruction takes its window out of windows_: collect the handles first.
  std::vector<HWND> loaded;
  for (const auto& [id, window] : windows_) loaded.push_back(window->hwnd());
  for (HWND hwnd : loaded) {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  windows_.clear();
  gone_.clear();
  hidden_owner_.reset();  // before its class is unregistered
  for (const std::wstring& name : registered_classes_)
    UnregisterClassW(name.c_str(), GetModuleHandleW(nullptr));
  if (entered_apartment_) CoUninitialize();
}

WindowInstance* WindowRuntime::Loaded(std::uint32_t window_id) const {
  const auto found = windows_.find(window_id);
  if (found == windows_.end() || found->second->hwnd() == nullptr) return nullptr;
  return found->second.get();
}

bool WindowRuntime::IsLoaded(std::uint32_t window_id) const { return Loaded(window_id) != nullptr; }

Unit* WindowRuntime::FindUnit(std::uint32_t id) const {
  if ((id & kIdTagMask) == kWindowIdTag) {
    WindowInstance* window = Loaded(id);
    return window != nullptr ? &window->own() : nullptr;
  }
  for (const auto& [window_id, window] : windows_) {
    if (window->hwnd() == nullptr) continue;
    if (Unit* unit = window->Find(id)) return unit;
  }
  return nullptr;
}

DrawPanelUnit* WindowRuntime::FindDrawPanel(std::uint32_t unit_id) const {
  return dynamic_cast<DrawPanelUnit*>(FindUnit(unit_id));
}

Unit* WindowRuntime::UnitForHandle(HWND hwnd) const {
  if (hwnd == nullptr) return nullptr;
  for (const auto& [window_id, window] : windows_) {
    if (Unit* unit = window->FindByHandle(hwnd)) return unit;
  }
  return nullptr;
}

HWND WindowRuntime::Handle(std::uint32_t id) const {
  Unit* unit = FindUnit(id);
  return unit != nullptr ? unit->hwnd() : nullptr;
}

LoadResult WindowRuntime::LoadWindow(std::uint32_t window_id, std::uint32_t owner_window_id, bool modal) {
  const WindowDescription* description = FindDescription(table_, window_id);
  if (description == nullptr) {
    return RuntimeFailure{RuntimeError::kNoDescription, "there is no window description " + HexId(window_id)};
  }
  if (WindowInstance* existing = Loaded(window_id)) {
    if (!existing->marked_for_destroy) {
      // One instance of each description: loading it again brings it forward.
      ShowWindow(existing->hwnd(), SW_SHOW);
      SetForegroundWindow(existing->hwnd());
      if (modal) RunModal(window_id);
      return Done{};
    }
    DestroyWindow(existing->hwnd());  // marked already: it goes now, and a fresh one is built
  }
  HWND owner = hidden_owner_.get();
  if (owner_window_id != 0) {
    owner = Handle(owner_window_id);
    if (owner == nullptr) {
      return RuntimeFailure{RuntimeError::kOwnerNotLoaded,
                            "the owner window " + HexId(owner_window_id) + " is not loaded"};
    }
  }
  LoadResult built = Build(*description, owner);
  if (!built.ok()) return built;

  WindowInstance* window = Loaded(window_id);
  if (window == nullptr) return Done{};  // its created handler already destroyed it
  auto& own = static_cast<WindowUnit&>(window->own());
  if (modal && owner != hidden_owner_.get() && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    window->disabled_owner = owner;
  }
  if (own.visible_flag()) {
    ShowWindow(own.hwnd(), own.ShowCommand());
    UpdateWindow(own.hwnd());
  }
  if (modal) RunModal(window_id);
  return Done{};
}

LoadResult WindowRuntime::Build(const WindowDescription& description, HWND owner) {
  auto instance = std::make_unique<WindowInstance>(*this, description);
  for (const UnitRecord& record : description.units) instance->units.push_back(MakeUnit(*instance, record));
  WindowInstance* window = instance.get();
  if (!window->own().Create(owner)) {
    return RuntimeFailure{RuntimeError::kSystemRefused,
                          "window " + HexId(description.window_id) + " cannot be created"};
  }
  windows_[description.window_id] = std::move(instance);  // handlers may look it up from here on

  // Description order is creation order. A unit whose container comes later in the description starts on
  // the window and moves into its container once that exists.
  const HWND top = window->hwnd();
  for (std::size_t i = 1; i < window->units.size(); ++i) {
    Unit& unit = *window->units[i];
    Unit* container = unit.Container();
    const HWND parent = container != nullptr && container->hwnd() != nullptr ? container->hwnd() : top;
    if (!unit.Create(parent)) {
      DestroyWindow(top);
      return RuntimeFailure{
          RuntimeError::kSystemRefused,
          "unit " + HexId(unit.id()) + " of window " + HexId(description.window_id) + " cannot be created"};
    }
  }
  for (std::size_t i = 1; i < window->units.size(); ++i) {
    Unit& unit = *window->units[i];
    Unit* container = unit.Container();
    if (container != nullptr && GetParent(unit.hwnd()) != container->hwnd())
      SetParent(unit.hwnd(), container->hwnd());
  }
  // Stacking follows description order too: the first unit lies on top of the ones after it.
  for (std::size_t i = 1; i < window->units.size(); ++i) {
    SetWindowPos(window->units[i]->hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }
  Raise(window->own(), event::kCreated);
  return Done{};
}

WindowRuntime::PumpEnd WindowRuntime::PumpWhileLoaded(std::uint32_t window_id, int& quit_code) {
  MSG message{};
  while (IsLoaded(window_id)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) return PumpEnd::kFailed;
    if (got == 0) {
      quit_code = static_cast<int>(message.wParam);
      return PumpEnd::kQuit;
    }
    Deliver(message);
  }
  return PumpEnd::kClosed;
}

void WindowRuntime::RunModal(std::uint32_t window_id) {
  int quit_code = 0;
  if (PumpWhileLoaded(window_id, quit_code) == PumpEnd::kQuit) {
    PostQuitMessage(quit_code);  // the outer loop must see it too
  }
}

int WindowRuntime::RunUntilClosed(std::uint32_t window_id) {
  int quit_code = 0;
  switch (PumpWhileLoaded(window_id, quit_code)) {
    case PumpEnd::kFailed: return 1;
    case PumpEnd::kQuit: return quit_code;
    case PumpEnd::kClosed: break;
  }
  return 0;
}

void WindowRuntime::Deliver(const MSG& message) {
  if (TakeTab(message) || TakeShortcut(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

bool WindowRuntime::PressUnit(Unit& unit) {
  // A unit that could not be clicked now is not pressed by its key either.
  const HWND hwnd = unit.hwnd();
  if (hwnd == nullptr || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) ||
      !IsWindowEnabled(GetAncestor(hwnd, GA_ROOT))) {
    return false;
  }
  MessageScope scope(*this);  // as a click would be, the press is handled inside a message
  try {
    unit.Pressing();
    Raise(unit, event::kClicked);
  } catch (...) {
    // No exception leaves a handler, from here as from a window procedure.
  }
  return true;
}

bool WindowRuntime::Press(std::uint32_t unit_id) {
  // A window's own unit has no click: its event 0 is its creation.
  Unit* unit = FindUnit(unit_id);
  return unit != nullptr && unit != &unit->window().own() && PressUnit(*unit);
}

WindowInstance* WindowRuntime::HoldingFocus(HWND focus) const {
  const HWND root = GetAncestor(focus, GA_ROOT);
  for (const auto& [id, loaded] : windows_) {
    if (loaded->hwnd() != nullptr && loaded->hwnd() == root) return loaded.get();
  }
  return nullptr;
}

bool WindowRuntime::TakeTab(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  const std::int32_t shift_state = ShiftState();
  if (shift_state != 0 && shift_state != event::kShiftDown) return false;
  WindowInstance* window = HoldingFocus(message.hwnd);
  if (window == nullptr || window->marked_for_destroy || !IsWindowEnabled(window->hwnd())) return false;
  // The stops in reading order: by their top edge on the screen, then their left edge.
  struct Stop {
    RECT rect;
    Unit* unit;
  };
  std::vector<Stop> stops;
  for (const auto& unit : window->units) {
    const HWND hwnd = unit->hwnd();
    if (!unit->tab_stop() || unit.get() == &window->own() || hwnd == nullptr || !IsWindowVisible(hwnd) ||
        !IsWindowEnabled(hwnd)) {
      continue;
    }
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    stops.push_back({rect, unit.get()});
  }
  if (stops.empty()) return true;
  std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
    return a.rect.top != b.rect.top ? a.rect.top < b.rect.top : a.rect.left < b.rect.left;
  });
  const bool back = shift_state == event::kShiftDown;
  const auto count = static_cast<std::ptrdiff_t>(stops.size());
  const auto at = [&](std::uint32_t id) {
    const auto found =
        std::find_if(stops.begin(), stops.end(), [id](const Stop& stop) { return stop.unit->id() == id; });
    return found == stops.end() ? std::ptrdiff_t{-1} : found - stops.begin();
  };
  const Unit* focused = window->FindByHandle(message.hwnd);
  // From a unit that is no stop (the focus parked by a handler), Tab goes on from the stop used last.
  std::ptrdiff_t from = focused != nullptr ? at(focused->id()) : -1;
  if (from < 0) from = at(window->last_tab_stop);
  std::ptrdiff_t to = 0;
  if (from < 0) {
    to = back ? count - 1 : 0;
  } else {
    to = (from + (back ? count - 1 : 1)) % count;
  }
  SetFocus(stops[static_cast<std::size_t>(to)].unit->hwnd());
  return true;
}

bool WindowRuntime::TakeShortcut(const MSG& message) {
  // Bit 30 of a key-down: the key was down already, an auto-repeat. A held key acts once.
  constexpr LPARAM kRepeat = LPARAM{1} << 30;
  const bool key_down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  const bool key_up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
  const bool repeat = key_down && (message.lParam & kRepeat) != 0;
  // A taken key stays taken until it is released: the focused unit sees neither its repeats nor its
  // release, whose default processing acts on some keys (an edit box opens its own menu on the release
  // of the Menu key).
  if (taken_key_ != 0 && message.wParam == taken_key_ && (repeat || key_up)) {
    if (key_up) taken_key_ = 0;
    return true;
  }
  if (!key_down || repeat) return false;
  // Pressed anew: its last release went elsewhere (a menu's loop takes the keys while it is open).
  if (message.wParam == taken_key_) taken_key_ = 0;
  if (shortcuts_.empty()) return false;
  // The key goes to the focused window; the shortcuts are those of the loaded window that holds it.
  WindowInstance* window = HoldingFocus(message.hwnd);
  if (window == nullptr || window->marked_for_destroy || !IsWindowEnabled(window->hwnd())) return false;
  const Unit* focused = window->FindByHandle(message.hwnd);
  const std::int32_t shift_state = ShiftState();
  for (const KeyShortcut& shortcut : shortcuts_) {
    if (shortcut.window_id != window->description.window_id || shortcut.key != message.wParam ||
        shortcut.shift_state != shift_state ||
        (shortcut.focus_unit != 0 && (focused == nullptr || focused->id() != shortcut.focus_unit))) {
      continue;
    }
    taken_key_ = static_cast<std::uint32_t>(message.wParam);
    if (shortcut.press_unit != 0) {
      if (Unit* unit = window->Find(shortcut.press_unit)) PressUnit(*unit);
      return true;
    }
    MessageScope scope(*this);
    try {
      const std::array<std::int32_t, 3> key_args = {static_cast<std::int32_t>(message.wParam), shift_state,
                                                    0};
      const EventContext context{*this, window->description.window_id, window->own().id(), event::kKeyDown,
                                 key_args};
      handlers_.at(shortcut.handler)(context);
    } catch (...) {
      // No exception leaves a handler, from here as from a window procedure.
    }
    return true;
  }
  return false;
}

void WindowRuntime::DestroyWindowLater(std::uint32_t window_id) {
  WindowInstance* window = Loaded(window_id);
  if (window == nullptr || window->marked_for_destroy) return;
  window->marked_for_destroy = true;
  if (!PostMessageW(window->hwnd(), destroy_message_, 0, 0)) {
    DestroyWindow(window->hwnd());  // a full queue must not leave the window behind
  }
}

void WindowRuntime::WindowGone(WindowInstance& window) {
  for (auto it = windows_.begin(); it != windows_.end(); ++it) {
    if (it->second.get() == &window) {
      gone_.push_back(std::move(it->second));
      windows_.erase(it);
      break;
    }
  }
}

void WindowRuntime::LeaveMessage() {
  if (--message_depth_ == 0) gone_.clear();
}

LRESULT WindowRuntime::SendToWindow(std::uint32_t window_id, UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND hwnd = Handle(window_id);
  return hwnd != nullptr ? SendMessageW(hwnd, message, wparam, lparam) : 0;
}

bool WindowRuntime::SetFocusTo(std::uint32_t unit_id) {
  const HWND hwnd = Handle(unit_id);
  return hwnd != nullptr && SetFocus(hwnd) != nullptr;
}

std::optional<std::int32_t> WindowRuntime::Raise(Unit& unit, std::int32_t event,
                                                 const std::array<std::int32_t, 3>& args) {
  const EventBinding* bound = nullptr;
  for (const EventBinding& binding : unit.record().events) {
    if (binding.event == event) bound = &binding;
  }
  if (bound == nullptr) return std::nullopt;
  if (event == event::kClicked && unit.tab_stop() && &unit != &unit.window().own()) {
    unit.window().last_tab_stop = unit.id();
  }
  const auto handler = handlers_.find(bound->handler);
  if (handler == handlers_.end()) return std::nullopt;
  const EventContext context{*this, unit.window().description.window_id, unit.id(), event, args};
  return handler->second(context);
}

std::optional<PropertyValue> WindowRuntime::GetProperty(std::uint32_t unit_id, Property property) const {
  const Unit* unit = FindUnit(unit_id);
  return unit != nullptr ? unit->GetProperty(property) : std::nullopt;
}

bool WindowRuntime::SetProperty(std::uint32_t unit_id, Property property, const PropertyValue& value) {
  Unit* unit = FindUnit(unit_id);
  return unit != nullptr && unit->SetProperty(property, value);
}

std::optional<std::int32_t> WindowRuntime::GetNumber(std::uint32_t unit_id, Property property) const {
  const auto value = GetProperty(unit_id, property);
  const std::int32_t* number = value ? std::get_if<std::int32_t>(&*value) : nullptr;
  return number != nullptr ? std::optional<std::int32_t>(*number) : std::nullopt;
}

std::optional<std::string> WindowRuntime::GetText(std::uint32_t unit_id) const {
  auto value = GetProperty(unit_id, Property::kText);
  auto* text = value ? std::get_if<std::string>(&*value) : nullptr;
  return text != nullptr ? std::optional<std::string>(std::move(*text)) : std::nullopt;
}

bool WindowRuntime::SetText(std::uint32_t unit_id, std::string_view gbk) {
  return SetProperty(unit_id, Property::kText, PropertyValue{std::string(gbk)});
}

std::optional<Bytes> WindowRuntime::GetPicture(std::uint32_t unit_id) const {
  auto value = GetProperty(unit_id, Property::kPicture);
  auto* bytes = value ? std::get_if<Bytes>(&*value) : nullptr;
  return bytes != nullptr ? std::optional<Bytes>(std::move(*bytes)) : std::nullopt;
}

bool WindowRuntime::SetPicture(std::uint32_t unit_id, std::span<const std::uint8_t> bytes) {
  return SetProperty(unit_id, Property::kPicture, PropertyValue{Bytes(bytes.begin(), bytes.end())});
}

}  // namespace sw
