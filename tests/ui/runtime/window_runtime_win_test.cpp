// The window-unit runtime under Wine: windows built from a description table made here, events raised
// from real messages, the picture button's states, modal loading, deferred destruction, the drawing panel.
#include "ui/runtime/window_runtime_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/text_codepage_win.h"
#include "tests/support/case_table.h"
#include "tests/ui/picture/picture_test_images.h"
#include "ui/description/window_description_writer.h"
#include "ui/runtime/unit_events.h"
#include "ui/units/draw_panel_unit_win.h"
#include "ui/units/pic_btn_unit_win.h"

namespace sw {
namespace {

// The table: window A with one unit of each type, window B to open modally over it.
constexpr std::uint32_t kWindowA = kWindowIdTag | 1;
constexpr std::uint32_t kWindowB = kWindowIdTag | 2;
constexpr std::uint32_t kOwnA = kWindowUnitIdTag | 1;
constexpr std::uint32_t kLabel = kUnitIdTag | 2;
constexpr std::uint32_t kButton = kUnitIdTag | 3;
constexpr std::uint32_t kBox = kUnitIdTag | 4;
constexpr std::uint32_t kEdit = kUnitIdTag | 5;
constexpr std::uint32_t kPanel = kUnitIdTag | 6;
constexpr std::uint32_t kOwnB = kWindowUnitIdTag | 7;
// Window C: picture buttons of the other kinds, each 40 x 20 at kVariantTop.
constexpr std::uint32_t kWindowC = kWindowIdTag | 3;
constexpr std::uint32_t kOwnC = kWindowUnitIdTag | 8;
constexpr std::uint32_t kTwoState = kUnitIdTag | 9;
constexpr std::uint32_t kWithDisabled = kUnitIdTag | 10;
constexpr std::uint32_t kNoCutout = kUnitIdTag | 11;
constexpr std::uint32_t kThirdIsFirst = kUnitIdTag | 12;
constexpr std::int32_t kVariantTop = 10;

constexpr std::uint32_t kRecordHandler = 1;
constexpr std::uint32_t kCharHandler = 2;

constexpr COLORREF kTeal = RGB(88, 201, 185);
constexpr COLORREF kBarColor = RGB(81, 157, 157);
constexpr int kWidthA = 240, kHeightA = 160;
const RECT kButtonRect{20, 40, 60, 60};  // 40 x 20

struct Recorded {
  std::uint32_t unit;
  std::int32_t event;
  std::array<std::int32_t, 3> args;
  bool window_visible;
};
std::vector<Recorded> g_events;
WindowRuntime* g_runtime = nullptr;

std::int32_t Record(const EventContext& context) {
  const HWND window = context.runtime.Handle(context.window_id);
  g_events.push_back({context.unit_id, context.event, context.args, IsWindowVisible(window) != FALSE});
  return 0;
}

// 'a' to 'z' become capitals, 'x' is dropped.
std::int32_t UpperCase(const EventContext& context) {
  Record(context);
  const std::int32_t c = context.args[0];
  if (c == 'x') return 0;
  return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

const HandlerBinding kHandlers[] = {
    {kRecordHandler, "Record", &Record},
    {kCharHandler, "UpperCase", &UpperCase},
};

// 40 x 20 RGBA: a 2-pixel transparent frame around a body of `body`; without the frame, `body` throughout.
Bytes ButtonPng(COLORREF body, bool framed = true) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool frame = framed && (x < 2 || y < 2 || x >= 38 || y >= 18);
      rgba.insert(rgba.end(),
                  {GetRValue(body), GetGValue(body), GetBValue(body), std::uint8_t(frame ? 0 : 255)});
    }
  }
  return test::WritePng(40, 20, rgba);
}

UnitRecord MakeUnit(std::uint32_t id, std::int32_t left, std::int32_t top, std::int32_t width,
                    std::int32_t height, TypeProperties p) {
  UnitRecord unit;
  unit.id = id;
  unit.name = "u" + std::to_string(id & 0xFF);
  unit.left = left;
  unit.top = top;
  unit.width = width;
  unit.height = height;
  unit.properties = std::move(p);
  return unit;
}

LogicalFont Font(std::int32_t height, std::int32_t weight = 400) {
  LogicalFont font;
  font.height = height;
  font.weight = weight;
  font.face = "Tahoma";
  return font;
}

std::vector<std::uint8_t> TestTable() {
  DescriptionTable table;
  WindowDescription& a = table.windows.emplace_back();
  a.window_id = kWindowA;
  WindowProperties own_a;
  own_a.background_color = kTeal;
  own_a.caption = "\xB2\xE2\xCA\xD4";  // GBK for the two characters of "test"
  a.units.push_back(MakeUnit(kOwnA, 50, 50, kWidthA, kHeightA, own_a));
  a.units[0].events = {{event::kCreated, kRecordHandler},
                       {event::kDestroyed, kRecordHandler},
                       {event::kMouseWheel, kRecordHandler}};

  TransLabelProperties label;
  label.text = "Tips";
  label.font = Font(-12);
  label.text_color = RGB(255, 255, 255);
  a.units.push_back(MakeUnit(kLabel, 10, 4, 100, 20, label));
  a.units.back().parent = kBox;
  a.units.back().events = {{event::kLeftButtonDown, kRecordHandler}};

  PicBtnProperties button;
  button.cutout_color = kTeal;
  button.images = {ButtonPng(RGB(255, 0, 0)), ButtonPng(RGB(0, 255, 0)), ButtonPng(RGB(0, 0, 255)), {}};
  a.units.push_back(MakeUnit(kButton, kButtonRect.left, kButtonRect.top, 40, 20, button));
  a.units.back().events = {{event::kClicked, kRecordHandler}};

  PicBoxProperties box;
  box.background_color = kBarColor;
  a.units.push_back(MakeUnit(kBox, 0, 0, kWidthA, 28, box));
  a.units.back().children = {kLabel};
  a.units.back().events = {
      {event::kLeftButtonDown, kRecordHandler},  {event::kMouseMove, kRecordHandler},
      {event::kLeftDoubleClick, kRecordHandler}, {event::kRightButtonDown, kRecordHandler},
      {event::kRightButtonUp, kRecordHandler},   {event::kLeftButtonUp, kRecordHandler}};

  EditBoxProperties edit;
  edit.font = Font(-16);
  edit.background_color = RGB(255, 255, 255);
  a.units.push_back(MakeUnit(kEdit, 20, 80, 120, 24, edit));
  a.units.back().flags = kUnitVisible | kUnitTabStop;
  a.units.back().events = {{event::kFocusGained, kRecordHandler}, {event::kFocusLost, kRecordHandler},
                           {event::kKeyDown, kRecordHandler},     {event::kKeyUp, kRecordHandler},
                           {event::kCharacter, kCharHandler},     {event::kMouseWheel, kRecordHandler},
                           {event::kChanged, kRecordHandler}};

  DrawPanelProperties panel;
  panel.font = Font(-32, 700);
  panel.text_color = RGB(0, 0, 0);
  panel.background_color = RGB(255, 255, 255);
  a.units.push_back(MakeUnit(kPanel, 150, 40, 60, 30, panel));

  WindowDescription& b = table.windows.emplace_back();
  b.window_id = kWindowB;
  WindowProperties own_b;
  own_b.background_color = kTeal;
  own_b.background_picture = ButtonPng(RGB(0, 0, 255));
  own_b.background_picture_mode = 3;  // stretched over the window
  b.units.push_back(MakeUnit(kOwnB, 50, 50, 100, 60, own_b));
  b.units[0].events = {{event::kCreated, kRecordHandler}, {event::kDestroyed, kRecordHandler}};

  WindowDescription& c = table.windows.emplace_back();
  c.window_id = kWindowC;
  WindowProperties own_c;
  own_c.background_color = kTeal;
  c.units.push_back(MakeUnit(kOwnC, 50, 50, 220, 40, own_c));
  const Bytes red = ButtonPng(RGB(255, 0, 0)), green = ButtonPng(RGB(0, 255, 0)),
              blue = ButtonPng(RGB(0, 0, 255));
  struct Variant {
    std::uint32_t id;
    std::uint32_t two_state;
    std::uint32_t cutout;
    std::array<Bytes, 4> images;
  };
  const Variant variants[] = {
      {kTwoState, 1, kTeal, {red, green, blue, {}}},
      {kWithDisabled, 0, kTeal, {red, green, blue, ButtonPng(RGB(128, 128, 128), /*framed=*/false)}},
      {kNoCutout, 0, kNoColor, {red, green, blue, {}}},
      {kThirdIsFirst, 0, kTeal, {red, green, red, {}}},
  };
  std::int32_t left = 10;
  for (const Variant& variant : variants) {
    PicBtnProperties button;
    button.two_state = variant.two_state;
    button.cutout_color = variant.cutout;
    button.images = variant.images;
    c.units.push_back(MakeUnit(variant.id, left, kVariantTop, 40, 20, button));
    c.units.back().events = {{event::kClicked, kRecordHandler}};
    left += 50;
  }

  DescriptionWrite written = WriteDescriptionTable(table);
  EXPECT_TRUE(written.ok()) << written.message();
  return written.value();
}

void PumpMessages() {
  MSG message;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

void SetKeys(std::initializer_list<int> down) {
  BYTE keys[256] = {};
  for (int key : down) keys[key] = 0x80;
  SetKeyboardState(keys);
}

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table_ = TestTable();
    RuntimeStart start = WindowRuntime::Create(table_, kHandlers);
    ASSERT_TRUE(start.ok()) << start.message();
    runtime_ = std::move(start).value();
    g_runtime = runtime_.get();
    g_events.clear();
    SetKeys({});
  }
  void TearDown() override {
    g_runtime = nullptr;
    runtime_.reset();
  }
  void LoadA() {
    const LoadResult loaded = runtime_->LoadWindow(kWindowA);
    ASSERT_TRUE(loaded.ok()) << loaded.message();
    PumpMessages();
    g_events.clear();
  }
  HWND H(std::uint32_t id) const { return runtime_->Handle(id); }
  std::vector<Recorded> EventsOf(std::uint32_t unit) const {
    std::vector<Recorded> of;
    for (const Recorded& r : g_events) {
      if (r.unit == unit) of.push_back(r);
    }
    return of;
  }

  std::vector<std::uint8_t> table_;
  std::unique_ptr<WindowRuntime> runtime_;
};

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

RECT RectInParent(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(RuntimeTest, BuildsEachUnitWithItsClassParentAndGeometry) {
  LoadA();
  const HWND window = H(kWindowA);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ClassOf(window), L"_YQ_Window");
  EXPECT_EQ(GetWindow(window, GW_OWNER), runtime_->hidden_owner());
  EXPECT_EQ(ClassOf(runtime_->hidden_owner()), L"_YQ_HideOwner");
  EXPECT_FALSE(IsWindowVisible(runtime_->hidden_owner()));
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << "border style 0";
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, kWidthA);
  EXPECT_EQ(client.bottom, kHeightA);
  RECT placed{};
  GetWindowRect(window, &placed);
  EXPECT_EQ(placed.left, (GetSystemMetrics(SM_CXSCREEN) - kWidthA) / 2) << "start position 1 centres";
  EXPECT_EQ(placed.top, (GetSystemMetrics(SM_CYSCREEN) - kHeightA) / 2);
  wchar_t caption[16] = {};
  GetWindowTextW(window, caption, 16);
  EXPECT_STREQ(caption, L"\u6D4B\u8BD5") << "the GBK caption reaches Windows as UTF-16";

  struct Row {
    std::uint32_t unit;
    const wchar_t* window_class;
    std::uint32_t parent;
    RECT rect;
  };
  const Row rows[] = {
      {kLabel, L"_YQ_TransLabel", kBox, {10, 4, 110, 24}},
      {kButton, L"_YQ_RgnButton", kWindowA, kButtonRect},
      {kBox, L"_YQ_PicBox", kWindowA, {0, 0, kWidthA, 28}},
      {kEdit, L"Edit", kWindowA, {20, 80, 140, 104}},
      {kPanel, L"_YQ_DrawPanel", kWindowA, {150, 40, 210, 70}},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    const HWND unit = H(row.unit);
    ASSERT_NE(unit, nullptr) << std::hex << row.unit;
    EXPECT_EQ(_wcsicmp(ClassOf(unit).c_str(), row.window_class), 0) << std::hex << row.unit;
    EXPECT_EQ(GetParent(unit), H(row.parent)) << std::hex << row.unit;
    const RECT rect = RectInParent(unit);
    EXPECT_TRUE(EqualRect(&rect, &row.rect)) << std::hex << row.unit << ": " << rect.left << "," << rect.top
                                             << " " << rect.right << "," << rect.bottom;
  });
  // Description order is stacking order: the button, first on the window, lies on top.
  EXPECT_EQ(GetWindow(window, GW_CHILD), H(kButton));
  EXPECT_EQ(GetWindow(H(kButton), GW_HWNDNEXT), H(kBox));
  EXPECT_EQ(runtime_->GetText(kLabel), "Tips");
}

TEST_F(RuntimeTest, RaisesCreatedBeforeShowingAndDestroyedOnce) {
  ASSERT_TRUE(runtime_->LoadWindow(kWindowA).ok());
  ASSERT_EQ(EventsOf(kOwnA).size(), 1u);
  EXPECT_EQ(EventsOf(kOwnA)[0].event, event::kCreated);
  EXPECT_FALSE(EventsOf(kOwnA)[0].window_visible) << "created runs before the window is shown";
  EXPECT_TRUE(IsWindowVisible(H(kWindowA)));

  const HWND window = H(kWindowA);
  runtime_->DestroyWindowLater(kWindowA);
  runtime_->DestroyWindowLater(kWindowA);  // marked already: no second message
  EXPECT_TRUE(runtime_->IsLoaded(kWindowA)) << "destroyed only when the posted message is processed";
  EXPECT_TRUE(IsWindow(window));
  PumpMessages();
  EXPECT_FALSE(runtime_->IsLoaded(kWindowA));
  EXPECT_FALSE(IsWindow(window));
  ASSERT_EQ(EventsOf(kOwnA).size(), 2u);
  EXPECT_EQ(EventsOf(kOwnA)[1].event, event::kDestroyed);
  EXPECT_EQ(runtime_->Handle(kLabel), nullptr);

  ASSERT_TRUE(runtime_->LoadWindow(kWindowA).ok()) << "a destroyed window loads afresh";
  EXPECT_TRUE(runtime_->IsLoaded(kWindowA));
  EXPECT_EQ(EventsOf(kOwnA).size(), 3u);
}

TEST_F(RuntimeTest, RaisesCommonEventsWithTheirArguments) {
  LoadA();
  struct Row {
    std::uint32_t unit;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    std::initializer_list<int> keys;
    std::int32_t event;
    std::array<std::int32_t, 3> args;
    const char* reason;
  };
  const Row rows[] = {
      // 0
      {kBox,
       WM_LBUTTONDOWN,
       MK_LBUTTON,
       MAKELPARAM(5, 6),
       {},
       event::kLeftButtonDown,
       {5, 6, 0},
       "x, y, no keys"},
      {kBox,
       WM_LBUTTONUP,
       0,
       MAKELPARAM(7, 8),
       {VK_CONTROL},
       event::kLeftButtonUp,
       {7, 8, 1},
       "Ctrl is bit 0"},
      {kBox,
       WM_LBUTTONDBLCLK,
       0,
       MAKELPARAM(1, 2),
       {VK_SHIFT},
       event::kLeftDoubleClick,
       {1, 2, 2},
       "Shift bit 1"},
      {kBox,
       WM_RBUTTONDOWN,
       0,
       MAKELPARAM(3, 4),
       {VK_MENU},
       event::kRightButtonDown,
       {3, 4, 4},
       "Alt is bit 2"},
      {kBox,
       WM_RBUTTONUP,
       0,
       MAKELPARAM(3, 4),
       {VK_CONTROL, VK_SHIFT, VK_MENU},
       event::kRightButtonUp,
       {3, 4, 7},
       "all three"},
      // 5
      {kBox, WM_MOUSEMOVE, 0, MAKELPARAM(-3, 9), {}, event::kMouseMove, {-3, 9, 0}, "signed coordinates"},
      {kLabel,
       WM_LBUTTONDOWN,
       0,
       MAKELPARAM(2, 3),
       {},
       event::kLeftButtonDown,
       {2, 3, 0},
       "a label inside a box"},
      {kEdit, WM_KEYDOWN, 'A', 0, {VK_SHIFT}, event::kKeyDown, {'A', 2, 0}, "key code, shift state"},
      {kEdit, WM_KEYUP, VK_RETURN, 0, {}, event::kKeyUp, {VK_RETURN, 0, 0}, "key up"},
      {kEdit, WM_SYSKEYDOWN, VK_F10, 0, {}, event::kKeyDown, {VK_F10, 0, 0}, "system keys too"},
      // 10
      {kEdit,
       WM_MOUSEWHEEL,
       MAKEWPARAM(0, WHEEL_DELTA),
       0,
       {},
       event::kMouseWheel,
       {1, 0, 0},
       "one notch away"},
      {kEdit,
       WM_MOUSEWHEEL,
       MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
       0,
       {},
       event::kMouseWheel,
       {-1, 0, 0},
       "one notch back"},
      {kEdit,
       WM_MOUSEWHEEL,
       MAKEWPARAM(0, 2 * WHEEL_DELTA),
       0,
       {VK_CONTROL},
       event::kMouseWheel,
       {2, 1, 0},
       "two notches with Ctrl"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    g_events.clear();
    SetKeys(row.keys);
    SendMessageW(H(row.unit), row.message, row.wparam, row.lparam);
    SetKeys({});
    // A wheel message travels on to the parents; they raise nothing for it.
    ASSERT_GE(g_events.size(), 1u);
    EXPECT_EQ(g_events[0].unit, row.unit);
    EXPECT_EQ(g_events[0].event, row.event);
    EXPECT_EQ(g_events[0].args, row.args);
  });
}

TEST_F(RuntimeTest, WheelRaisesOnceForTheUnitItIsAddressedToNotForTheParentsItIsPassedTo) {
  LoadA();
  struct Row {
    std::uint32_t target;
    std::vector<std::uint32_t> raised;
    const char* reason;
  };
  const Row rows[] = {
      {kEdit, {kEdit}, "the edit box's binding only, not the window's as well"},
      {kLabel, {}, "the label has none; the box and the window that it passes through raise nothing"},
      {kWindowA, {kOwnA}, "addressed to the window itself"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    g_events.clear();
    POINT at{5, 5};
    ClientToScreen(H(row.target), &at);  // a wheel message carries screen coordinates
    SendMessageW(H(row.target), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(at.x, at.y));
    std::vector<std::uint32_t> raised;
    for (const Recorded& r : g_events) {
      if (r.event == event::kMouseWheel) raised.push_back(r.unit);
    }
    EXPECT_EQ(raised, row.raised);
  });
}

TEST_F(RuntimeTest, CharacterHandlerReplacesOrDropsTheCharacter) {
  LoadA();
  for (wchar_t c : std::wstring(L"axb")) SendMessageW(H(kEdit), WM_CHAR, c, 0);
  EXPECT_EQ(runtime_->GetText(kEdit), "AB") << "a and b upper-cased, x dropped";
  const auto chars = EventsOf(kEdit);
  int character_events = 0;
  for (const Recorded& r : chars) character_events += r.event == event::kCharacter;
  EXPECT_EQ(character_events, 3);
}

TEST_F(RuntimeTest, FocusAndChangeEventsOfTheEditBox) {
  LoadA();
  ASSERT_TRUE(runtime_->SetFocusTo(kEdit));
  ASSERT_FALSE(EventsOf(kEdit).empty());
  EXPECT_EQ(EventsOf(kEdit).back().event, event::kFocusGained);
  SetFocus(H(kWindowA));
  EXPECT_EQ(EventsOf(kEdit).back().event, event::kFocusLost);
  g_events.clear();
  ASSERT_TRUE(runtime_->SetText(kEdit, "12"));
  ASSERT_FALSE(EventsOf(kEdit).empty());
  EXPECT_EQ(EventsOf(kEdit).back().event, event::kChanged);
}

TEST_F(RuntimeTest, ShortcutsWithAltArriveAsSystemKeysAndAct) {
  // Alt+G presses the button: with Alt (and no Ctrl) the keyboard sends system keys.
  const KeyShortcut alt_g[] = {{kWindowA, 0, 'G', event::kAltDown, kButton, 0}};
  runtime_.reset();
  RuntimeStart start = WindowRuntime::Create(table_, kHandlers, alt_g);
  ASSERT_TRUE(start.ok()) << start.message();
  runtime_ = std::move(start).value();
  LoadA();
  struct Row {
    UINT message;
    std::int32_t shift_state;
    bool repeat;
    bool clicked;
    const char* reason;
  };
  constexpr LPARAM kAltContext = LPARAM{1} << 29;
  constexpr LPARAM kWasDown = LPARAM{1} << 30;
  const Row rows[] = {
      {WM_SYSKEYDOWN, event::kAltDown, false, true, "Alt+G as the keyboard sends it"},
      {WM_SYSKEYDOWN, event::kAltDown, true, false, "held, it acts once"},
      {WM_KEYDOWN, event::kAltDown | event::kCtrlDown, false, false, "Ctrl+Alt+G is another key"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    ASSERT_TRUE(runtime_->SetFocusTo(kEdit));
    SetKeys((row.shift_state & event::kCtrlDown) != 0 ? std::initializer_list<int>{VK_MENU, VK_CONTROL}
                                                      : std::initializer_list<int>{VK_MENU});
    g_events.clear();
    const LPARAM bits = 1 | (row.message == WM_SYSKEYDOWN ? kAltContext : 0) | (row.repeat ? kWasDown : 0);
    const MSG key{H(kEdit), row.message, 'G', bits, 0, {}};
    runtime_->Deliver(key);
    SetKeys({});
    std::size_t clicks = 0;
    for (const Recorded& r : EventsOf(kButton)) clicks += r.event == event::kClicked;
    EXPECT_EQ(clicks, row.clicked ? 1u : 0u);
  });
}

TEST_F(RuntimeTest, AShortcutsKeyIsTakenUntilReleased) {
  // The focused edit box records its key events; the Menu key runs the window's handler.
  const KeyShortcut menu_key[] = {{kWindowA, 0, VK_APPS, 0, 0, kRecordHandler}};
  runtime_.reset();
  RuntimeStart start = WindowRuntime::Create(table_, kHandlers, menu_key);
  ASSERT_TRUE(start.ok()) << start.message();
  runtime_ = std::move(start).value();
  LoadA();
  enum Stroke { kPress, kRepeat, kRelease };
  struct Row {
    std::vector<std::pair<UINT, Stroke>> strokes;
    int handled;                  // the shortcut's handler ran this often
    std::size_t edit_key_events;  // key-down and key-up events the edit box saw
    const char* reason;
  };
  const Row rows[] = {
      {{{VK_APPS, kPress}, {VK_APPS, kRepeat}, {VK_APPS, kRelease}},
       1,
       0,
       "its repeats and its release too: the release would open an edit box's own menu"},
      {{{VK_APPS, kRelease}}, 0, 1, "a release without its press taken reaches the box"},
      {{{VK_APPS, kPress}, {VK_APPS, kRelease}, {VK_APPS, kRelease}}, 1, 1, "taken once, released once"},
      {{{VK_APPS, kPress}, {'Q', kPress}, {'Q', kRelease}, {VK_APPS, kRelease}},
       1,
       2,
       "another key pressed and released meanwhile reaches the box; the shortcut's release does not"},
      {{{VK_APPS, kPress}, {VK_APPS, kPress}, {VK_APPS, kRelease}},
       2,
       0,
       "pressed anew (its release went elsewhere): taken again"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    ASSERT_TRUE(runtime_->SetFocusTo(kEdit));
    g_events.clear();
    for (const auto& [key, stroke] : row.strokes) {
      constexpr LPARAM kWasDown = LPARAM{1} << 30;
      constexpr LPARAM kReleased = LPARAM{1} << 31;
      const UINT message = stroke == kRelease ? WM_KEYUP : WM_KEYDOWN;
      const LPARAM bits = 1 | (stroke != kPress ? kWasDown : 0) | (stroke == kRelease ? kReleased : 0);
      runtime_->Deliver(MSG{H(kEdit), message, key, bits, 0, {}});
    }
    int handled = 0;
    for (const Recorded& r : EventsOf(kOwnA)) handled += r.event == event::kKeyDown;
    std::size_t edit_keys = 0;
    for (const Recorded& r : EventsOf(kEdit))
      edit_keys += r.event == event::kKeyDown || r.event == event::kKeyUp;
    EXPECT_EQ(handled, row.handled);
    EXPECT_EQ(edit_keys, row.edit_key_events);
  });
}

TEST_F(RuntimeTest, MessagesToWindowsThatAreNotUnitsRaiseNothing) {
  LoadA();
  // An inner window of a unit, such as a control's own child, belongs to no unit.
  const HWND inner = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, H(kBox), nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(inner, nullptr);
  SendMessageW(inner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageW(inner, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_TRUE(g_events.empty());
  EXPECT_EQ(runtime_->UnitForHandle(inner), nullptr);
  // The window itself has no binding for a press: nothing either.
  SendMessageW(H(kWindowA), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 150));
  EXPECT_TRUE(g_events.empty());
  DestroyWindow(inner);
}

class PictureButtonTest : public RuntimeTest {
 protected:
  PicBtnUnit& Button() { return dynamic_cast<PicBtnUnit&>(*runtime_->FindUnit(kButton)); }
  void Send(UINT message, WPARAM wparam, POINT at) {
    SendMessageW(H(kButton), message, wparam, MAKELPARAM(at.x, at.y));
  }
  int Clicks() const {
    int clicks = 0;
    for (const Recorded& r : g_events) clicks += r.unit == kButton && r.event == event::kClicked;
    return clicks;
  }
  static constexpr POINT kInside{20, 10};
  static constexpr POINT kOutside{80, 10};  // over the window, beside the button
};

TEST_F(PictureButtonTest, ShowsMouseOverAndPressedImagesAndClicksOnReleaseInside) {
  LoadA();
  EXPECT_EQ(Button().shown(), ButtonImage::kNormal);
  Send(WM_MOUSEMOVE, 0, kInside);
  EXPECT_EQ(Button().shown(), ButtonImage::kMouseOver);
  EXPECT_EQ(GetCapture(), H(kButton)) << "captured while over it, to see the cursor leave";
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  EXPECT_EQ(Button().shown(), ButtonImage::kPressed);
  Send(WM_LBUTTONUP, 0, kInside);
  EXPECT_EQ(Clicks(), 1);
  EXPECT_EQ(Button().shown(), ButtonImage::kNormal);
  EXPECT_NE(GetCapture(), H(kButton));
  Send(WM_MOUSEMOVE, 0, kOutside);
  EXPECT_EQ(Button().shown(), ButtonImage::kNormal);
}

TEST_F(PictureButtonTest, ReleaseOutsideRaisesNoClick) {
  LoadA();
  Send(WM_MOUSEMOVE, 0, kInside);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  Send(WM_MOUSEMOVE, MK_LBUTTON, kOutside);
  EXPECT_EQ(Button().shown(), ButtonImage::kNormal);
  EXPECT_EQ(GetCapture(), H(kButton)) << "kept while the button is held, to see the release";
  Send(WM_MOUSEMOVE, MK_LBUTTON, kInside);
  EXPECT_EQ(Button().shown(), ButtonImage::kPressed) << "back over it, still held";
  Send(WM_MOUSEMOVE, MK_LBUTTON, kOutside);
  Send(WM_LBUTTONUP, 0, kOutside);
  EXPECT_EQ(Clicks(), 0);
  EXPECT_EQ(Button().shown(), ButtonImage::kNormal);
  EXPECT_NE(GetCapture(), H(kButton));
}

TEST_F(PictureButtonTest, RegionCutsOutTheCutOutColor) {
  LoadA();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(H(kButton), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0)) << "transparent frame pixels flatten to the cut-out colour";
  EXPECT_FALSE(PtInRegion(region, 39, 19));
  EXPECT_TRUE(PtInRegion(region, 2, 2));
  EXPECT_TRUE(PtInRegion(region, 20, 10));
  DeleteObject(region);
  // A release on a cut-out pixel is outside the button.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  Send(WM_LBUTTONUP, 0, POINT{0, 0});
  EXPECT_EQ(Clicks(), 0);
  // What shows through the cut-out corner is the window's background.
  HDC screen = GetDC(nullptr);
  POINT corner{0, 0};
  ClientToScreen(H(kButton), &corner);
  RedrawWindow(H(kWindowA), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(GetPixel(screen, corner.x, corner.y), kTeal);
  EXPECT_EQ(GetPixel(screen, corner.x + 20, corner.y + 10), RGB(255, 0, 0)) << "the normal image's body";
  ReleaseDC(nullptr, screen);
}

// Window C's buttons, driven by messages and read back from the screen.
class ButtonKindsTest : public RuntimeTest {
 protected:
  void LoadC() {
    ASSERT_TRUE(runtime_->LoadWindow(kWindowC).ok());
    PumpMessages();
    g_events.clear();
  }
  PicBtnUnit& Button(std::uint32_t id) { return dynamic_cast<PicBtnUnit&>(*runtime_->FindUnit(id)); }
  int Clicks(std::uint32_t id) const {
    int clicks = 0;
    for (const Recorded& r : g_events) clicks += r.unit == id && r.event == event::kClicked;
    return clicks;
  }
  // What the screen shows at a point of the unit, once Wine has copied the windows' drawing to the screen
  // (it does so when the message queue runs empty).
  COLORREF Pixel(std::uint32_t id, POINT at) const {
    PumpMessages();
    ClientToScreen(H(id), &at);
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return color;
  }
  // False when the button's window region leaves the point out.
  bool InRegion(std::uint32_t id, POINT at) const {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has_region = GetWindowRgn(H(id), region) != ERROR;
    const bool in = !has_region || PtInRegion(region, at.x, at.y) != FALSE;
    DeleteObject(region);
    return in;
  }

  struct Step {
    UINT message;
    WPARAM wparam;
    POINT at;
    ButtonImage shown;
    COLORREF body;  // on the screen, in the middle of the button
    bool captured;
    int clicks;
    const char* reason;
  };
  void Run(std::uint32_t id, std::initializer_list<Step> steps) {
    int i = 0;
    for (const Step& step : steps) {
      SendMessageW(H(id), step.message, step.wparam, MAKELPARAM(step.at.x, step.at.y));
      EXPECT_FALSE(GetUpdateRect(H(id), nullptr, FALSE)) << i << " " << step.reason << ": repainted at once";
      EXPECT_EQ(Button(id).shown(), step.shown) << i << " " << step.reason;
      EXPECT_EQ(Pixel(id, kBody), step.body) << i << " " << step.reason;
      EXPECT_EQ(GetCapture() == H(id), step.captured) << i << " " << step.reason;
      EXPECT_EQ(Clicks(id), step.clicks) << i << " " << step.reason;
      ++i;
    }
  }
  static constexpr POINT kBody{20, 10};
  static constexpr POINT kCorner{0, 0};    // a transparent pixel of the framed images
  static constexpr POINT kBeside{-5, 10};  // on the window, left of the button
  static constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
};

TEST_F(ButtonKindsTest, TwoStateButtonLatchesOnEachReleaseInside) {
  LoadC();
  using B = ButtonImage;
  Run(kTwoState,
      {
          {WM_MOUSEMOVE, 0, kBody, B::kNormal, kRed, false, 0,
           "mouse moves change nothing and take no capture"},
          {WM_LBUTTONDOWN, MK_LBUTTON, kBody, B::kNormal, kRed, false, 0,
           "a press neither shows nor captures"},
          {WM_LBUTTONUP, 0, kBody, B::kPressed, kBlue, false, 1, "the release latches: pressed image, click"},
          {WM_MOUSEMOVE, 0, kBeside, B::kPressed, kBlue, false, 1, "latched while the cursor is elsewhere"},
          {WM_LBUTTONDOWN, MK_LBUTTON, kBody, B::kPressed, kBlue, false, 1, "a press on a latched button"},
          {WM_LBUTTONUP, 0, kBody, B::kNormal, kRed, false, 2, "the next release unlatches and clicks again"},
          {WM_LBUTTONUP, 0, kBeside, B::kNormal, kRed, false, 2, "a release outside: no toggle, no click"},
      });
}

TEST_F(ButtonKindsTest, ThirdImageEqualToTheFirstShowsNoPressButStillTheMouseOver) {
  LoadC();
  using B = ButtonImage;
  Run(kThirdIsFirst,
      {
          {WM_MOUSEMOVE, 0, kBody, B::kMouseOver, kGreen, true, 0, "the mouse-over image while over it"},
          {WM_LBUTTONDOWN, MK_LBUTTON, kBody, B::kPressed, kRed, true, 0, "pressed looks as normal"},
          {WM_LBUTTONUP, 0, kBody, B::kNormal, kRed, false, 1, "released inside: click"},
      });
}

TEST_F(ButtonKindsTest, DisabledButtonShowsItsDisabledImageWithItsShapeAndDoesNotClick) {
  LoadC();
  const HWND button = H(kWithDisabled);
  EnableWindow(button, FALSE);
  EXPECT_EQ(Button(kWithDisabled).shown(), ButtonImage::kDisabled);
  EXPECT_EQ(Pixel(kWithDisabled, kBody), RGB(128, 128, 128));
  EXPECT_TRUE(InRegion(kWithDisabled, kCorner)) << "the disabled image has no cut-out pixels";
  EXPECT_EQ(Pixel(kWithDisabled, kCorner), RGB(128, 128, 128));
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kBody.x, kBody.y));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(kBody.x, kBody.y));
  EXPECT_EQ(Clicks(kWithDisabled), 0) << "a disabled button does not click";
  EXPECT_EQ(Button(kWithDisabled).shown(), ButtonImage::kDisabled);

  EnableWindow(button, TRUE);
  EXPECT_EQ(Button(kWithDisabled).shown(), ButtonImage::kNormal);
  EXPECT_EQ(Pixel(kWithDisabled, kBody), kRed);
  EXPECT_FALSE(InRegion(kWithDisabled, kCorner)) << "the normal image's frame is cut out again";
  EXPECT_EQ(Pixel(kWithDisabled, kCorner), kTeal);
}

TEST_F(ButtonKindsTest, NoCutOutColorMeansNoWindowRegion) {
  LoadC();
  const HWND button = H(kNoCutout);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(button, region), ERROR) << "0xFF000000: the whole button, transparent frame too";
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(kBody.x, kBody.y));
  EXPECT_EQ(Button(kNoCutout).shown(), ButtonImage::kMouseOver);
  EXPECT_EQ(GetWindowRgn(button, region), ERROR) << "nor for the mouse-over image";
  DeleteObject(region);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kBody.x, kBody.y));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(kCorner.x, kCorner.y));
  EXPECT_EQ(Clicks(kNoCutout), 1) << "the corner belongs to the button";
}

void CALLBACK CloseModalSoon(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (g_runtime == nullptr) return;
  g_events.push_back({0, IsWindowEnabled(g_runtime->Handle(kWindowA)) ? 1 : 0, {}, false});
  g_runtime->DestroyWindowLater(kWindowB);
}

TEST_F(RuntimeTest, ModalLoadDisablesTheOwnerAndReturnsAfterDestruction) {
  LoadA();
  SetTimer(nullptr, 0, 50, CloseModalSoon);
  const LoadResult loaded = runtime_->LoadWindow(kWindowB, kWindowA, /*modal=*/true);
  ASSERT_TRUE(loaded.ok()) << loaded.message();
  EXPECT_FALSE(runtime_->IsLoaded(kWindowB)) << "returns only after the window is destroyed";
  EXPECT_TRUE(IsWindowEnabled(H(kWindowA))) << "the owner is enabled again";
  const auto during = EventsOf(0);
  ASSERT_EQ(during.size(), 1u) << "the timer ran inside the modal loop";
  EXPECT_EQ(during[0].event, 0) << "the owner was disabled while the modal window was open";
  ASSERT_EQ(EventsOf(kOwnB).size(), 2u);
  EXPECT_EQ(EventsOf(kOwnB)[1].event, event::kDestroyed);
}

TEST_F(RuntimeTest, WindowBackgroundPictureIsPlacedByItsMode) {
  ASSERT_TRUE(runtime_->LoadWindow(kWindowB).ok());
  RedrawWindow(H(kWindowB), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpMessages();  // Wine copies the drawing to the screen when the queue runs empty
  HDC screen = GetDC(nullptr);
  POINT centre{50, 30};
  POINT corner{0, 0};
  ClientToScreen(H(kWindowB), &centre);
  ClientToScreen(H(kWindowB), &corner);
  EXPECT_EQ(GetPixel(screen, centre.x, centre.y), RGB(0, 0, 255))
      << "the 40 x 20 picture stretched to 100 x 60";
  EXPECT_EQ(GetPixel(screen, corner.x, corner.y), kTeal)
      << "its transparent frame shows the background colour";
  ReleaseDC(nullptr, screen);
}

TEST_F(RuntimeTest, PropertiesByNumber) {
  LoadA();
  EXPECT_EQ(runtime_->GetNumber(kEdit, Property::kLeft), 20);
  EXPECT_EQ(runtime_->GetNumber(kEdit, Property::kTop), 80);
  EXPECT_EQ(runtime_->GetNumber(kEdit, Property::kWidth), 120);
  EXPECT_EQ(runtime_->GetNumber(kEdit, Property::kHeight), 24);
  ASSERT_TRUE(runtime_->SetProperty(kEdit, Property::kLeft, std::int32_t{30}));
  ASSERT_TRUE(runtime_->SetProperty(kEdit, Property::kHeight, std::int32_t{26}));
  EXPECT_EQ(runtime_->GetNumber(kEdit, Property::kLeft), 30);
  EXPECT_EQ(runtime_->GetNumber(kEdit, Property::kHeight), 26);
  EXPECT_EQ(runtime_->GetNumber(kEdit, Property::kTop), 80) << "the other values stay";
  EXPECT_FALSE(runtime_->SetProperty(kEdit, Property::kWidth, std::int32_t{-1}));

  // The window's own numbers are screen positions; a window id stands for its own unit.
  ASSERT_TRUE(runtime_->SetProperty(kWindowA, Property::kWidth, std::int32_t{0}));
  ASSERT_TRUE(runtime_->SetProperty(kWindowA, Property::kHeight, std::int32_t{0}));
  EXPECT_EQ(runtime_->GetNumber(kWindowA, Property::kWidth), 0);
  EXPECT_EQ(runtime_->GetNumber(kOwnA, Property::kHeight), 0);

  const std::string gbk =
      "\xCC\xF5\xC2\xEB"
      "A1";  // two Chinese characters, then A1: 6 bytes
  ASSERT_TRUE(runtime_->SetText(kEdit, gbk));
  wchar_t wide[16] = {};
  GetWindowTextW(H(kEdit), wide, 16);
  EXPECT_STREQ(wide, L"\u6761\u7801A1");
  EXPECT_EQ(runtime_->GetText(kEdit), gbk);
  ASSERT_TRUE(runtime_->SetText(kLabel, gbk));
  EXPECT_EQ(runtime_->GetText(kLabel), gbk);

  const Bytes png = ButtonPng(RGB(1, 2, 3));
  ASSERT_TRUE(runtime_->SetPicture(kBox, png));
  EXPECT_EQ(runtime_->GetPicture(kBox), png);
  // A picture box's text is never drawn: it tells screen readers what the picture shows.
  EXPECT_EQ(runtime_->GetText(kBox), "");
  ASSERT_TRUE(runtime_->SetText(kBox, gbk));
  EXPECT_EQ(runtime_->GetText(kBox), gbk);
  EXPECT_EQ(runtime_->GetPicture(kBox), png);
  EXPECT_FALSE(runtime_->SetText(kUnitIdTag | 99, "x")) << "no such unit";
  EXPECT_FALSE(runtime_->GetNumber(kUnitIdTag | 99, Property::kLeft).has_value());
}

TEST_F(RuntimeTest, DrawingPanelReadsBackAsBottomUp24BitBmpEvenWhenItsWindowIsHidden) {
  LoadA();
  DrawPanelUnit* panel = runtime_->FindDrawPanel(kPanel);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->FontSizePoints(), 24) << "height -32 at 96 pixels an inch";
  constexpr int kW = 50, kH = 20;
  ASSERT_TRUE(runtime_->SetProperty(kPanel, Property::kWidth, std::int32_t{kW}));
  ASSERT_TRUE(runtime_->SetProperty(kPanel, Property::kHeight, std::int32_t{kH}));
  // A background picture whose top row is red, the rest white.
  test::BmpFile file{kW, kH};
  for (int y = 0; y < kH; ++y) {
    const std::uint8_t other = y == 0 ? 0 : 255;
    Bytes row;
    for (int x = 0; x < kW; ++x) row.insert(row.end(), {other, other, 255});  // blue, green, red
    file.rows.push_back(row);
  }
  ASSERT_TRUE(panel->SetBackgroundPicture(test::MakeBmp(file)));
  ASSERT_TRUE(panel->DrawTextAt(2, 2, "A"));
  // The host window shrinks to nothing and hides; the panel's image stays readable.
  runtime_->SetProperty(kWindowA, Property::kWidth, std::int32_t{0});
  ShowWindow(H(kWindowA), SW_HIDE);

  const Bytes bmp = panel->ImageAsBmp();
  constexpr std::size_t kStride = (kW * 3 + 3) / 4 * 4;
  constexpr std::size_t kHeaders = sw::bmp::kSmallestFile;
  ASSERT_EQ(bmp.size(), kHeaders + kStride * kH);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  ByteReader header(bmp);
  EXPECT_EQ(header.U32At(sw::bmp::kBfSize), bmp.size());
  EXPECT_EQ(header.U32At(test::bmp::kOffBits), kHeaders);
  EXPECT_EQ(header.I32At(test::bmp::kWidth), kW);
  EXPECT_EQ(header.I32At(test::bmp::kHeight), kH) << "positive height: bottom-up rows";
  EXPECT_EQ(bmp[test::bmp::kBitCount], 24);
  auto pixel = [&](int x, int file_row) {
    const std::size_t at = kHeaders + file_row * kStride + x * 3;
    return RGB(bmp[at + 2], bmp[at + 1], bmp[at]);
  };
  EXPECT_EQ(pixel(kW - 1, kH - 1), RGB(255, 0, 0)) << "the picture's top row is the file's last";
  EXPECT_EQ(pixel(kW - 1, 0), RGB(255, 255, 255));
  bool text_drawn = false;
  for (int row = 0; row < kH; ++row) {
    for (int x = 0; x < 20; ++x) text_drawn = text_drawn || pixel(x, row) == RGB(0, 0, 0);
  }
  EXPECT_TRUE(text_drawn) << "the text went onto the panel's own image";
}

// A table of one window, 200 x 100 at 30, 40, with the given window values.
std::vector<std::uint8_t> OneWindowTable(const WindowProperties& own) {
  DescriptionTable table;
  WindowDescription& window = table.windows.emplace_back();
  window.window_id = kWindowA;
  window.units.push_back(MakeUnit(kOwnA, 30, 40, 200, 100, own));
  DescriptionWrite written = WriteDescriptionTable(table);
  EXPECT_TRUE(written.ok()) << written.message();
  return written.value();
}

TEST(WindowValues, StartPositionCloseAndTopmost) {
  struct Row {
    std::uint32_t start_position;
    std::uint32_t border_style;
    std::uint32_t close_allowed;
    std::uint32_t topmost;
    bool minimised, maximised, closes, on_top;
    const char* reason;
  };
  const Row rows[] = {
      // 0
      {2, 0, 1, 0, true, false, true, false, "start position 2: minimised"},
      {3, 1, 1, 0, false, true, true, false, "start position 3 with a frame: maximised"},
      {3, 0, 1, 0, false, false, true, false, "start position 3 without a border cannot resize: as stored"},
      {0, 1, 0, 0, false, false, false, false, "close not allowed: the system's Close does nothing"},
      {0, 0, 0, 0, false, false, false, false, "close not allowed on a borderless window"},
      // 5
      {0, 0, 1, 1, false, false, true, true, "topmost"},
      {0, 0, 1, 0, false, false, true, false, "not topmost"},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    WindowProperties own;
    own.background_color = kTeal;
    own.start_position = row.start_position;
    own.border_style = row.border_style;
    own.close_allowed = row.close_allowed;
    own.topmost = row.topmost;
    const std::vector<std::uint8_t> table = OneWindowTable(own);
    RuntimeStart start = WindowRuntime::Create(table, kHandlers);
    ASSERT_TRUE(start.ok()) << start.message();
    WindowRuntime& runtime = *start.value();
    ASSERT_TRUE(runtime.LoadWindow(kWindowA).ok());
    PumpMessages();
    const HWND window = runtime.Handle(kWindowA);
    EXPECT_EQ(IsIconic(window) != FALSE, row.minimised);
    EXPECT_EQ(IsZoomed(window) != FALSE, row.maximised);
    EXPECT_EQ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, row.on_top);
    // Every start position but 1 keeps the stored place (for minimised and maximised: the restored one).
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(window, &placement));
    EXPECT_EQ(placement.rcNormalPosition.left, 30);
    EXPECT_EQ(placement.rcNormalPosition.top, 40);

    const UINT close_item = GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
    const bool close_offered =
        close_item != static_cast<UINT>(-1) && (close_item & (MF_GRAYED | MF_DISABLED)) == 0;
    EXPECT_EQ(close_offered, row.closes) << "the system menu's Close item";
    SendMessageW(window, WM_SYSKEYDOWN, VK_F4, MAKELPARAM(1, KF_ALTDOWN));  // Alt+F4: the system's Close
    PumpMessages();
    EXPECT_EQ(!runtime.IsLoaded(kWindowA), row.closes);
  });
}

TEST(WindowRuntimeStart, RefusesTablesItCannotUse) {
  const std::vector<std::uint8_t> table = TestTable();
  const HandlerBinding only_record[] = {{kRecordHandler, "Record", &Record}};
  // Keys of window A: one pressing window B's unit, one running a handler that is missing, one doing both.
  const KeyShortcut other_window[] = {{kWindowA, 0, VK_RETURN, 0, kOwnB, 0}};
  const KeyShortcut no_handler[] = {{kWindowA, kEdit, VK_RETURN, 0, 0, 9}};
  const KeyShortcut both[] = {{kWindowA, 0, VK_RETURN, 0, kButton, kRecordHandler}};
  struct Row {
    std::vector<std::uint8_t> table;
    std::span<const HandlerBinding> handlers;
    RuntimeError code;
    const char* reason;
    std::span<const KeyShortcut> shortcuts = {};
  };
  using E = RuntimeError;
  const Row rows[] = {
      {std::vector<std::uint8_t>(table.begin(), table.end() - 1), kHandlers, E::kUnreadableDescriptions,
       "a table one byte short cannot be read"},
      {table, only_record, E::kUnboundHandler,
       "an event is bound to handler 2, which the program does not have"},
      {table, kHandlers, E::kBadShortcut, "a key presses a unit the window lacks", other_window},
      {table, kHandlers, E::kBadShortcut, "a key runs a handler the program does not have", no_handler},
      {table, kHandlers, E::kBadShortcut, "a key must press a unit or run a handler, not both", both},  // 5
  };
  testing::ForEachRow(rows, [](const Row& row) {
    const RuntimeStart start = WindowRuntime::Create(row.table, row.handlers, row.shortcuts);
    ASSERT_FALSE(start.ok());
    EXPECT_EQ(start.code(), row.code) << start.message();
  });
}

TEST(TextCodePage, GbkAndUtf16RoundTrip) {
  struct Row {
    std::string gbk;
    std::wstring wide;
    const char* reason;
  };
  const Row rows[] = {
      {"", L"", "empty"},
      {"AZaz09 !", L"AZaz09 !", "ASCII is the same in both"},
      {"\xCC\xF5\xC2\xEB\xBF\xD8\xBC\xFE", L"\u6761\u7801\u63A7\u4EF6", "four double-byte characters"},
      {"\xA3\xAC\xA3\xA1", L"\uFF0C\uFF01", "full-width comma and exclamation mark"},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    EXPECT_EQ(WideFromGbk(row.gbk), row.wide);
    EXPECT_EQ(GbkFromWide(row.wide), row.gbk);
  });
}

}  // namespace
}  // namespace sw
