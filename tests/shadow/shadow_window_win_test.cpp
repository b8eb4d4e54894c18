// The shadow window under Wine: attaching, detaching, following the owner, never taking input.
#include "shadow/shadow_window_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "shadow/gdiplus_startup_win.h"
#include "tests/shadow/shadow_test_support_win.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

constexpr UINT kAskOwner = WM_APP + 7;
constexpr LRESULT kOwnerAnswer = 4242;
int g_owner_placements = 0;  // WM_MOVE and WM_SIZE seen by the owner itself

// The owner's own procedure, which must keep seeing its messages under the shadow's subclass.
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kAskOwner) return kOwnerAnswer;
  if (message == WM_MOVE || message == WM_SIZE) ++g_owner_placements;
  return DefWindowProcA(window, message, wparam, lparam);
}

class Owner {
 public:
  explicit Owner(RECT rect = {200, 150, 600, 400}) {
    static const ATOM kClass = [] {
      WNDCLASSEXA record{};
      record.cbSize = sizeof(record);
      record.lpfnWndProc = OwnerProc;
      record.hInstance = GetModuleHandleA(nullptr);
      record.lpszClassName = "SwShadowWindowTestOwner";
      return RegisterClassExA(&record);
    }();
    (void)kClass;
    window_ = CreateWindowExA(0, "SwShadowWindowTestOwner", "owner", WS_POPUP | WS_VISIBLE, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  ~Owner() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

HWND ShadowOf(HWND owner) { return static_cast<HWND>(GetPropA(owner, "Umbra.WndShadow")); }
UINT_PTR Prop(HWND window, const char* name) { return reinterpret_cast<UINT_PTR>(GetPropA(window, name)); }
WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)); }

RECT Inflated(RECT rect, int by) {
  InflateRect(&rect, by, by);
  return rect;
}
RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}
bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

class ShadowWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartGdiplus(); }
  test::CapturedShadow capture_;
};

TEST_F(ShadowWindow, AttachReattachAndDetach) {
  Owner owner;
  const WNDPROC own_proc = ProcOf(owner.get());

  // Left out: black, 5.
  ASSERT_TRUE(SetWindowShadow(owner.get()));
  HWND shadow = ShadowOf(owner.get());
  ASSERT_TRUE(IsWindow(shadow));
  char class_name[32] = {};
  GetClassNameA(shadow, class_name, sizeof class_name);
  EXPECT_STREQ(class_name, "Umbra.Shadow");
  EXPECT_EQ(GetWindow(shadow, GW_OWNER), owner.get()) << "owned: kept above the owner, destroyed with it";
  EXPECT_EQ(Prop(shadow, "Umbra.WndShadow.Color"), 0U);
  EXPECT_EQ(Prop(shadow, "Umbra.WndShadow.Size"), 5U);
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_TRUE(SameRect(WindowRect(shadow), Inflated(WindowRect(owner.get()), 5)));
  EXPECT_EQ(capture_.last().shadow, shadow);
  EXPECT_EQ(ProcOf(owner.get()), reinterpret_cast<WNDPROC>(&ShadowOwnerProc));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(Prop(owner.get(), "Umbra.WndShadow.Proc")), own_proc);
  EXPECT_EQ(SendMessageA(owner.get(), kAskOwner, 0, 0), kOwnerAnswer) << "the owner still answers for itself";

  // Again, with colour and size: same window, subclassed once, the new values win.
  ASSERT_TRUE(SetWindowShadow(owner.get(), RGB(255, 0, 0), 8));
  EXPECT_EQ(ShadowOf(owner.get()), shadow);
  EXPECT_EQ(Prop(shadow, "Umbra.WndShadow.Color"), 0xFFU);
  EXPECT_EQ(Prop(shadow, "Umbra.WndShadow.Size"), 8U);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(Prop(owner.get(), "Umbra.WndShadow.Proc")), own_proc)
      << "not our own proc";
  EXPECT_TRUE(SameRect(WindowRect(shadow), Inflated(WindowRect(owner.get()), 8)));
  // A colour alone leaves the size out: back to 5.
  ASSERT_TRUE(SetWindowShadow(owner.get(), RGB(0, 0, 255)));
  EXPECT_EQ(Prop(shadow, "Umbra.WndShadow.Size"), 5U);

  // Detach: false, window gone, properties gone, procedure back.
  EXPECT_FALSE(SetWindowShadow(owner.get(), 0, 0));
  EXPECT_FALSE(IsWindow(shadow));
  EXPECT_EQ(GetPropA(owner.get(), "Umbra.WndShadow"), nullptr);
  EXPECT_EQ(GetPropA(owner.get(), "Umbra.WndShadow.Proc"), nullptr);
  EXPECT_EQ(ProcOf(owner.get()), own_proc);
  EXPECT_EQ(SendMessageA(owner.get(), kAskOwner, 0, 0), kOwnerAnswer);
  // Detaching what is detached changes nothing and is still false.
  EXPECT_FALSE(SetWindowShadow(owner.get(), 0, -3));
  EXPECT_EQ(ProcOf(owner.get()), own_proc);
}

TEST_F(ShadowWindow, RefusesWhatIsNotAWindow) {
  HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  const struct {
    HWND owner;
    const char* reason;
  } cases[] = {{nullptr, "no handle"}, {gone, "a destroyed window"}};
  testing::ForEachRow(cases, [](const auto& c) {
    EXPECT_FALSE(SetWindowShadow(c.owner));
    EXPECT_FALSE(SetWindowShadow(c.owner, 0, 0));
  });
}

TEST_F(ShadowWindow, DetachWithoutAShadowStillCleansUp) {
  Owner owner;
  const WNDPROC own_proc = ProcOf(owner.get());
  // A leftover handle and a subclass whose saved procedure is ours to put back.
  HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  SetPropA(owner.get(), "Umbra.WndShadow", gone);
  SetPropA(owner.get(), "Umbra.WndShadow.Proc",
           reinterpret_cast<HANDLE>(
               SetWindowLongPtrA(owner.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ShadowOwnerProc))));
  EXPECT_FALSE(SetWindowShadow(owner.get(), 0, 0));
  EXPECT_EQ(GetPropA(owner.get(), "Umbra.WndShadow"), nullptr);
  EXPECT_EQ(GetPropA(owner.get(), "Umbra.WndShadow.Proc"), nullptr);
  EXPECT_EQ(ProcOf(owner.get()), own_proc);
}

TEST_F(ShadowWindow, StaleShadowHandleGetsANewShadowWindow) {
  Owner owner;
  HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  SetPropA(owner.get(), "Umbra.WndShadow", gone);
  ASSERT_TRUE(SetWindowShadow(owner.get()));
  HWND shadow = ShadowOf(owner.get());
  EXPECT_NE(shadow, gone);
  EXPECT_TRUE(IsWindow(shadow));
  EXPECT_EQ(GetShadowWindow(owner.get()), shadow) << "a live shadow is reused";
}

TEST_F(ShadowWindow, FollowsItsOwner) {
  Owner owner;
  ASSERT_TRUE(SetWindowShadow(owner.get(), 0, 6));
  HWND shadow = ShadowOf(owner.get());
  auto around_owner = [&] { return SameRect(WindowRect(shadow), Inflated(WindowRect(owner.get()), 6)); };

  const struct {
    RECT rect;
    const char* reason;
  } moves[] = {
      {{300, 200, 700, 450}, "moved"},
      {{300, 200, 900, 600}, "resized"},
      {{-50, -40, 350, 260}, "partly off screen"},
      {{10, 20, 60, 70}, "small"},
  };
  testing::ForEachRow(moves, [&](const auto& m) {
    capture_.clear();
    const int placements_before = g_owner_placements;
    SetWindowPos(owner.get(), nullptr, m.rect.left, m.rect.top, m.rect.right - m.rect.left,
                 m.rect.bottom - m.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(around_owner());
    EXPECT_EQ(capture_.width(), m.rect.right - m.rect.left + 12) << "recomposed at the new size";
    EXPECT_EQ(capture_.height(), m.rect.bottom - m.rect.top + 12);
    EXPECT_GT(g_owner_placements, placements_before) << "the owner saw its own message first";
  });

  // Hiding the owner hides the shadow at once; the message decides, not the owner's current state.
  SendMessageA(owner.get(), WM_SHOWWINDOW, FALSE, 0);
  EXPECT_TRUE(IsWindowVisible(owner.get()));
  EXPECT_FALSE(IsWindowVisible(shadow));
  SendMessageA(owner.get(), WM_SHOWWINDOW, TRUE, 0);
  EXPECT_TRUE(IsWindowVisible(shadow));
  ShowWindow(owner.get(), SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(shadow));
  ShowWindow(owner.get(), SW_SHOWNA);
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_TRUE(around_owner());

  const RECT normal = WindowRect(owner.get());
  ShowWindow(owner.get(), SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(owner.get()));
  EXPECT_FALSE(IsWindowVisible(shadow)) << "a maximised owner has no shadow";
  ShowWindow(owner.get(), SW_RESTORE);
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_TRUE(SameRect(WindowRect(owner.get()), normal));
  EXPECT_TRUE(around_owner()) << "placed around the restored rectangle";
  ShowWindow(owner.get(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(owner.get()));
  EXPECT_FALSE(IsWindowVisible(shadow)) << "a minimised owner has no shadow";
  ShowWindow(owner.get(), SW_RESTORE);
  // Under a window manager a window comes back from the minimised state asynchronously: its final
  // placement, and the shadow's with it, arrive in later messages.
  for (int i = 0; i < 100 && !around_owner(); ++i) {
    test::PumpMessages();
    Sleep(20);
  }
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_TRUE(around_owner());
}

TEST_F(ShadowWindow, NeverTakesInputOrFocus) {
  Owner owner;
  ASSERT_TRUE(SetWindowShadow(owner.get()));
  HWND shadow = ShadowOf(owner.get());
  const LONG_PTR ex_style = GetWindowLongPtrA(shadow, GWL_EXSTYLE);
  EXPECT_EQ(ex_style & kShadowExStyle, static_cast<LONG_PTR>(0x08080020))
      << "layered, transparent, no-activate";
  // Created as a visible, disabled pop-up; the system adds WS_CLIPSIBLINGS to every top-level window.
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(shadow, GWL_STYLE)) & ~static_cast<DWORD>(WS_CLIPSIBLINGS),
            kShadowStyle);

  SetForegroundWindow(owner.get());
  test::PumpMessages();
  EXPECT_NE(GetForegroundWindow(), shadow);
  EXPECT_NE(GetActiveWindow(), shadow);
  // A click on the band goes to whatever lies below it.
  const RECT band = WindowRect(shadow);
  const POINT on_band{band.left + 2, (band.top + band.bottom) / 2};
  EXPECT_NE(WindowFromPoint(on_band), shadow);

  WNDCLASSEXA record{};
  record.cbSize = sizeof(record);
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "Umbra.Shadow", &record));
  EXPECT_EQ(record.lpfnWndProc, reinterpret_cast<WNDPROC>(&ShadowWindowProc));
  EXPECT_EQ(record.style, 0U);
  EXPECT_EQ(record.cbWndExtra, 0);
  EXPECT_EQ(record.hbrBackground, nullptr);
  EXPECT_EQ(record.hCursor, nullptr);
  EXPECT_TRUE(RegisterShadowClass("Umbra.Shadow")) << "registered already: still true";
}

// Refuses the creation of every shadow window while it is installed, as a system out of window
// resources would.
class RefuseShadowWindows {
 public:
  RefuseShadowWindows() : hook_(SetWindowsHookExA(WH_CBT, &Refuse, nullptr, GetCurrentThreadId())) {}
  RefuseShadowWindows(const RefuseShadowWindows&) = delete;
  RefuseShadowWindows& operator=(const RefuseShadowWindows&) = delete;
  ~RefuseShadowWindows() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  }
  bool installed() const { return hook_ != nullptr; }

 private:
  static LRESULT CALLBACK Refuse(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
      char class_name[32] = {};
      GetClassNameA(reinterpret_cast<HWND>(wparam), class_name, sizeof class_name);
      if (std::string(class_name) == "Umbra.Shadow") return 1;  // nonzero: the window is not created
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  HHOOK hook_;
};

TEST_F(ShadowWindow, AShadowWindowThatCannotBeCreatedLeavesTheOwnerUntouched) {
  Owner owner;
  const WNDPROC own_proc = ProcOf(owner.get());
  {
    RefuseShadowWindows refuse;
    ASSERT_TRUE(refuse.installed());
    EXPECT_FALSE(SetWindowShadow(owner.get()));
    EXPECT_EQ(GetShadowWindow(owner.get()), nullptr);
  }
  EXPECT_EQ(GetPropA(owner.get(), "Umbra.WndShadow"), nullptr) << "no property set";
  EXPECT_EQ(GetPropA(owner.get(), "Umbra.WndShadow.Proc"), nullptr);
  EXPECT_EQ(ProcOf(owner.get()), own_proc) << "not subclassed";
  EXPECT_EQ(capture_.last().count, 0) << "nothing composed";
  // Once windows can be made again, the next attach works as ever.
  ASSERT_TRUE(SetWindowShadow(owner.get()));
  EXPECT_TRUE(IsWindow(ShadowOf(owner.get())));
}

TEST_F(ShadowWindow, AClassThatCannotBeRegisteredIsRefused) {
  // Longer than a class name may be (255 characters): neither found nor registered.
  const std::string too_long(300, 'U');
  EXPECT_FALSE(RegisterShadowClass(too_long.c_str()));
}

TEST_F(ShadowWindow, AnEmptyOwnerIsNeitherCoveredNorDrawn) {
  const struct {
    RECT rect;
    const char* reason;
  } cases[] = {
      {{300, 200, 300, 200}, "no width and no height"},
      {{300, 200, 300, 400}, "no width"},
      {{300, 200, 700, 200}, "no height"},
  };
  testing::ForEachRow(cases, [&](const auto& c) {
    Owner owner(c.rect);
    capture_.clear();
    ASSERT_TRUE(SetWindowShadow(owner.get())) << "attached all the same";
    const HWND shadow = ShadowOf(owner.get());
    EXPECT_TRUE(SameRect(WindowRect(shadow), RECT{0, 0, 0, 0})) << "not placed";
    EXPECT_EQ(capture_.last().count, 0) << "not composed";
  });
  // An owner that shrinks to nothing leaves its shadow where it was, as it was.
  Owner owner;
  ASSERT_TRUE(SetWindowShadow(owner.get()));
  const RECT placed = WindowRect(ShadowOf(owner.get()));
  capture_.clear();
  SetWindowPos(owner.get(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(SameRect(WindowRect(ShadowOf(owner.get())), placed));
  EXPECT_EQ(capture_.last().count, 0);
}

}  // namespace
}  // namespace sw
