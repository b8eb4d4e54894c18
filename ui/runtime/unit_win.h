// A unit: one control of a loaded window, built from its record, with the system window that shows it.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ui/description/window_description.h"
#include "ui/runtime/unit_accessible_win.h"

namespace sw {

class WindowRuntime;
struct WindowInstance;

// Property numbers that handlers read and write.
enum class Property : std::int32_t { kLeft = 0, kTop = 1, kWidth = 2, kHeight = 3, kText = 8, kPicture = 10 };
// A number (geometry), a GBK text or image bytes.
using PropertyValue = std::variant<std::int32_t, std::string, Bytes>;

class Unit {
 public:
  Unit(WindowInstance& window, const UnitRecord& record) : window_(window), record_(record) {}
  virtual ~Unit() = default;
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  const UnitRecord& record() const { return record_; }
  std::uint32_t id() const { return record_.id; }
  UnitType type() const { return TypeOf(record_); }
  // Presses the unit as a click would; a unit that had the focus keeps it, even where the click's handler
  // parks the focus in a helper unit that Tab never reaches (a keyboard user goes on from the button).
  void PressKeepingFocus();
  // Called by a press that is not a click (a key, a reader's default action) before its clicked event.
  virtual void Pressing() {}
  HWND hwnd() const { return hwnd_; }
  WindowInstance& window() const { return window_; }
  WindowRuntime& runtime() const;
  bool visible_flag() const { return (record_.flags & kUnitVisible) != 0; }

  // Makes the system window: a child of `parent`, or for the window's own unit a window owned by it.
  virtual bool Create(HWND parent) = 0;
  // The message after its events have been raised.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Draws what the unit shows, in its client coordinates; also used by a transparent label lying above it.
  virtual void PaintContent(HDC dc, const RECT& update);
  // The colour behind the unit's picture or text: its own, else its container's, else the window's.
  virtual COLORREF Background() const;
  // WM_CTLCOLOR* for a system control: sets the colours in `dc` and returns the brush, or nullptr.
  virtual HBRUSH ControlColors(HDC dc);

  // What screen readers are told beyond what the system knows of the window; none: the system's answers.
  virtual std::optional<AccessibleFacts> Accessible() const { return std::nullopt; }
  bool tab_stop() const { return (record_.flags & kUnitTabStop) != 0; }

  virtual std::optional<PropertyValue> GetProperty(Property property) const;
  virtual bool SetProperty(Property property, const PropertyValue& value);

  // The containing unit, or the window's own unit for a unit placed directly on the window.
  Unit* Container() const;

  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void Detach() { hwnd_ = nullptr; }
  virtual LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  // CreateWindowExW with this unit as the creation parameter, at the record's geometry.
  bool CreateSystemWindow(DWORD ex_style, const wchar_t* class_name, const std::wstring& text, DWORD style,
                          HWND parent);
  DWORD ChildStyle() const;  // WS_CHILD, clipping, and WS_VISIBLE when the record's flags say so
  // Repaints this unit and any transparent label that lies above it.
  void Invalidate();
  // The system window's text as GBK, read and written for the units whose text is their window's.
  std::optional<PropertyValue> WindowTextAsGbk() const;   // nullopt before the window exists
  bool SetWindowTextFromGbk(const PropertyValue& value);  // false for a value that is not text

 private:
  WindowInstance& window_;
  const UnitRecord& record_;
  HWND hwnd_ = nullptr;
};

// A loaded window: its description, its units in description order (its own unit first) and its state.
struct WindowInstance {
  WindowInstance(WindowRuntime& runtime, const WindowDescription& description)
      : runtime(runtime), description(description) {}
  Unit* Find(std::uint32_t unit_id) const;
  Unit* FindByHandle(HWND hwnd) const;
  Unit& own() const { return *units.front(); }
  HWND hwnd() const { return units.empty() ? nullptr : units.front()->hwnd(); }

  WindowRuntime& runtime;
  const WindowDescription& description;
  std::vector<std::unique_ptr<Unit>> units;
  bool marked_for_destroy = false;
  HWND disabled_owner = nullptr;    // the owner a modal load disabled, enabled again when this one goes
  std::uint32_t last_tab_stop = 0;  // the Tab stop focused or clicked last: Tab goes on from there
};

std::unique_ptr<Unit> MakeUnit(WindowInstance& window, const UnitRecord& record);

// The one window procedure of the runtime's classes.
LRESULT CALLBACK UnitWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// Raises the message's events, then lets the unit handle it; shared with subclassed system controls.
LRESULT RunUnitMessage(Unit& unit, UINT message, WPARAM wparam, LPARAM lparam);

// The unit's geometry as a RECT in its parent's client coordinates.
RECT RecordRect(const UnitRecord& record);

}  // namespace sw
