// The window-unit runtime: builds windows and their units from the embedded description table, raises
// unit events into the program's handlers, and offers the window operations and properties by number.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/handles_win.h"
#include "base/result.h"
#include "ui/description/window_description.h"
#include "ui/runtime/unit_win.h"

namespace sw {

class DrawPanelUnit;

struct EventContext {
  WindowRuntime& runtime;
  std::uint32_t window_id;
  std::uint32_t unit_id;  // the window's own unit id for a window event
  std::int32_t event;
  std::array<std::int32_t, 3> args;  // by event; see ui/unit_events.h
};
// The result replaces the character of a character event (0 drops it); other events ignore it.
using EventHandler = std::int32_t (*)(const EventContext& context);

struct HandlerBinding {
  std::uint32_t reference;  // as stored in the event bindings
  const char* name;
  EventHandler handler;
};

// A key that acts for a whole window: pressed (not held) with exactly these shift keys while the focus is
// in the window (or, with focus_unit, in that unit), it presses press_unit, raising its clicked event as
// a click would (when the unit is visible and enabled), or runs `handler` with the key as a key-down event
// of the window. The key is then taken until released: the focused unit sees neither it, its character,
// its repeats nor its release. Keys with Alt (and no Ctrl) arrive as system keys, and are matched as well.
struct KeyShortcut {
  std::uint32_t window_id;
  std::uint32_t focus_unit;  // 0: anywhere in the window
  std::uint32_t key;         // virtual-key code
  std::int32_t shift_state;  // event::kCtrlDown, kShiftDown and kAltDown bits
  std::uint32_t press_unit;  // a unit of the window, or 0 and
  std::uint32_t handler;     // a handler reference
};

// Why the runtime cannot start, or a window cannot be loaded.
enum class RuntimeError {
  kUnreadableDescriptions,  // the description table is refused
  kUnboundHandler,          // an event is bound to a handler the program does not have
  kBadShortcut,             // a shortcut names a window, unit or handler that does not exist
  kNoDescription,           // no description has the window id
  kOwnerNotLoaded,          // the owner window is not loaded
  kSystemRefused,           // Windows refused a class, the hidden owner, a window or a unit
};
using RuntimeFailure = Failure<RuntimeError>;
using LoadResult = Result<Done, RuntimeError>;
using RuntimeStart = Result<std::unique_ptr<WindowRuntime>, RuntimeError>;

class WindowRuntime {
 public:
  // Reads the table, checks that every event binding and shortcut has its handler or unit, registers the
  // window classes (the windows' with the module's first icon group, large and small) and makes the hidden
  // owner of the windows loaded without an owner.
  static RuntimeStart Create(std::span<const std::uint8_t> table, std::span<const HandlerBinding> handlers,
                             std::span<const KeyShortcut> shortcuts = {});
  ~WindowRuntime();
  WindowRuntime(const WindowRuntime&) = delete;
  WindowRuntime& operator=(const WindowRuntime&) = delete;

  // Creates the window and its units, raises its created event and shows it (unless its flags hide it).
  // owner_window_id 0: owned by the hidden owner. With `modal`, the owner is disabled and the call returns
  // only when the window has been destroyed.
  LoadResult LoadWindow(std::uint32_t window_id, std::uint32_t owner_window_id = 0, bool modal = false);
  // Marks the window and posts it a private message; it is destroyed when that message is processed.
  void DestroyWindowLater(std::uint32_t window_id);
  bool IsLoaded(std::uint32_t window_id) const;
  // A window id, a window unit id or a unit id; nullptr when not loaded.
  HWND Handle(std::uint32_t id) const;
  LRESULT SendToWindow(std::uint32_t window_id, UINT message, WPARAM wparam, LPARAM lparam);
  bool SetFocusTo(std::uint32_t unit_id);
  // Presses a unit (not a window) as a click would: raises its clicked event when it and its window are
  // visible and enabled. False when it could not be pressed now.
  bool Press(std::uint32_t unit_id);
  // Runs the message loop until the window is destroyed (or WM_QUIT arrives); returns the exit code.
  int RunUntilClosed(std::uint32_t window_id);
  // One step of a message loop (this runtime's, a modal window's, a test's): a key that is a shortcut acts
  // as such; every other message is translated and dispatched.
  void Deliver(const MSG& message);

  // Properties by number. A window id stands for its own unit.
  std::optional<PropertyValue> GetProperty(std::uint32_t unit_id, Property property) const;
  bool SetProperty(std::uint32_t unit_id, Property property, const PropertyValue& value);
  std::optional<std::int32_t> GetNumber(std::uint32_t unit_id, Property property) const;
  std::optional<std::string> GetText(std::uint32_t unit_id) const;
  bool SetText(std::uint32_t unit_id, std::string_view gbk);
  std::optional<Bytes> GetPicture(std::uint32_t unit_id) const;
  bool SetPicture(std::uint32_t unit_id, std::span<const std::uint8_t> bytes);

  Unit* FindUnit(std::uint32_t id) const;
  DrawPanelUnit* FindDrawPanel(std::uint32_t unit_id) const;
  const DescriptionTable& descriptions() const { return table_; }
  HWND hidden_owner() const { return hidden_owner_.get(); }

  // For the units: raises `event` on `unit` when it has a binding; the handler's result, or none.
  std::optional<std::int32_t> Raise(Unit& unit, std::int32_t event,
                                    const std::array<std::int32_t, 3>& args = {});
  Unit* UnitForHandle(HWND hwnd) const;
  UINT destroy_message() const { return destroy_message_; }
  // The window's system window has gone (WM_NCDESTROY): its units are released once no message of
  // theirs is being handled any more.
  void WindowGone(WindowInstance& window);
  void EnterMessage() { ++message_depth_; }
  void LeaveMessage();
  // The unit window whose default processing is passing a wheel message on to its parent, or nullptr.
  HWND wheel_passed_on_by() const { return wheel_passed_on_by_; }
  void set_wheel_passed_on_by(HWND hwnd) { wheel_passed_on_by_ = hwnd; }

 private:
  WindowRuntime() = default;
  bool RegisterClasses(std::string& error);
  WindowInstance* Loaded(std::uint32_t window_id) const;
  LoadResult Build(const WindowDescription& description, HWND owner);
  void RunModal(std::uint32_t window_id);
  // Gets and delivers messages while the window is loaded.
  enum class PumpEnd { kClosed, kQuit, kFailed };
  PumpEnd PumpWhileLoaded(std::uint32_t window_id, int& quit_code);
  bool TakeShortcut(const MSG& message);
  // Tab and Shift+Tab move the focus through the window's Tab stops, around.
  bool TakeTab(const MSG& message);
  WindowInstance* HoldingFocus(HWND focus) const;  // the loaded window holding the focused window
  bool PressUnit(Unit& unit);
  // Empty when the shortcut fits the descriptions and handlers; else what is wrong with it.
  std::string CheckShortcut(const KeyShortcut& shortcut) const;

  DescriptionTable table_;
  std::map<std::uint32_t, EventHandler> handlers_;
  std::vector<KeyShortcut> shortcuts_;
  std::map<std::uint32_t, std::unique_ptr<WindowInstance>> windows_;
  std::vector<std::unique_ptr<WindowInstance>> gone_;
  std::vector<std::wstring> registered_classes_;
  ScopedWindow hidden_owner_;
  UINT destroy_message_ = 0;
  int message_depth_ = 0;
  HWND wheel_passed_on_by_ = nullptr;
  bool entered_apartment_ = false;  // this runtime holds a reference on the thread's COM apartment
  std::uint32_t taken_key_ = 0;     // the virtual key of a shortcut pressed and not yet released, or 0
};

// Counts nested messages so that a window's units outlive every message of theirs still being handled.
class MessageScope {
 public:
  explicit MessageScope(WindowRuntime& runtime) : runtime_(runtime) { runtime_.EnterMessage(); }
  ~MessageScope() { runtime_.LeaveMessage(); }
  MessageScope(const MessageScope&) = delete;
  MessageScope& operator=(const MessageScope&) = delete;

 private:
  WindowRuntime& runtime_;
};

// The runtime's window class names.
inline constexpr wchar_t kWindowClass[] = L"_YQ_Window";
inline constexpr wchar_t kPicBoxClass[] = L"_YQ_PicBox";
inline constexpr wchar_t kDrawPanelClass[] = L"_YQ_DrawPanel";
inline constexpr wchar_t kPicBtnClass[] = L"_YQ_RgnButton";
inline constexpr wchar_t kTransLabelClass[] = L"_YQ_TransLabel";
inline constexpr wchar_t kHideOwnerClass[] = L"_YQ_HideOwner";

}  // namespace sw
