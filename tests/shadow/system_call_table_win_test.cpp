// The run-time-bound call table under Wine: binding rules, library search, the fatal path and typing.
#include "shadow/system_call_table_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "shadow/binding_messages.h"
#include "shadow/fatal_error_win.h"
#include "shadow/gdiplus_startup_win.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

// A wrong argument count or type for a row must not compile.
template <std::size_t Row, typename... Args>
constexpr bool kCallable = requires(Args... args) {
  CallSystem<Row>(args...);
};
static_assert(kCallable<sysrow::kIsWindow, HWND>);
static_assert(!kCallable<sysrow::kIsWindow>, "IsWindow takes one argument");
static_assert(!kCallable<sysrow::kIsWindow, HWND, int>, "IsWindow takes one argument");
static_assert(!kCallable<sysrow::kGetPropA, HWND>, "GetPropA takes two");
static_assert(!kCallable<sysrow::kGdipCreatePen1, gdip::ARGB, float, Gdiplus::GpUnit>,
              "the pen's out pointer");
static_assert(kCallable<sysrow::kSetWindowLong, HWND, int, LONG_PTR>, "a whole procedure address fits");

TEST(SystemCallTable, RowWithoutLibraryBindsFromTheFirstSystemLibraryThatExportsIt) {
  const HWND desktop = GetDesktopWindow();
  EXPECT_EQ(CallSystem<sysrow::kGetPropA>(desktop, "SwNoSuchProperty"), nullptr);
  ASSERT_TRUE(IsSystemCallBound(sysrow::kGetPropA));
  EXPECT_EQ(SystemCallLibrary(sysrow::kGetPropA), GetModuleHandleA("user32.dll"))
      << "not in Kernel32 or Gdi32";
}

TEST(SystemCallTable, BothLetterCasesOfTheGraphicsLibraryLoadTheSameModule) {
  // Binding is what is tested here, not the calls: a bad argument suffices.
  CallSystem<sysrow::kGdipDeleteGraphics>(nullptr);  // "GdiPlus.dll"
  CallSystem<sysrow::kGdipDisposeImage>(nullptr);    // "gdiplus.dll"
  ASSERT_NE(SystemCallLibrary(sysrow::kGdipDeleteGraphics), nullptr);
  EXPECT_EQ(SystemCallLibrary(sysrow::kGdipDeleteGraphics), SystemCallLibrary(sysrow::kGdipDisposeImage));
  EXPECT_EQ(SystemCallLibrary(sysrow::kGdipDeleteGraphics), GetModuleHandleA("gdiplus.dll"));
}

TEST(SystemCallTable, EachRowIsBoundByItselfAndOnlyWhenCalled) {
  // Rows 50 and 53 name the same function; calling one leaves the other unbound.
  ASSERT_FALSE(IsSystemCallBound(sysrow::kRtlMoveMemory));
  ASSERT_FALSE(IsSystemCallBound(sysrow::kRtlMoveMemoryPointer));
  int from = 42, to = 0;
  CallSystem<sysrow::kRtlMoveMemory>(&to, &from, sizeof(int));
  EXPECT_EQ(to, 42);
  EXPECT_TRUE(IsSystemCallBound(sysrow::kRtlMoveMemory));
  EXPECT_FALSE(IsSystemCallBound(sysrow::kRtlMoveMemoryPointer));
  EXPECT_EQ(SystemCallLibrary(sysrow::kRtlMoveMemory), GetModuleHandleA("kernel32.dll"));
  // Row 52's undecorated name is exported too.
  char copy[4] = {};
  CallSystem<sysrow::kLstrcpyn>(copy, "abcdef", 4);
  EXPECT_STREQ(copy, "abc");
}

TEST(SystemCallTable, FailedLookupsReleaseWhatTheyLoadedAndSayWhy) {
  // Mpr.dll and Shell32.dll come only from the search for a function that no earlier library has.
  ASSERT_EQ(GetModuleHandleA("mpr.dll"), nullptr);
  const struct {
    const char* dll;
    const char* function;
    std::string failure;
    const char* reason;
  } cases[] = {
      {"", "SwNoSuchExport", MissingSystemExportMessage("SwNoSuchExport"),
       "none of the six libraries has it"},
      {"mpr.dll", "SwNoSuchExport", MissingExportMessage("mpr.dll", "SwNoSuchExport"),
       "library loads, no export"},
      {"sw-no-such-library", "GetPropA", MissingExportMessage("sw-no-such-library", "GetPropA"),
       "no library"},
      {"C:\\sw\\nowhere.dll", "GetPropA", MissingExportMessage("C:\\sw\\nowhere.dll", "GetPropA"), "a path"},
      {"user32", "#0", MissingExportMessage("user32", "#0"), "ordinal 0 does not exist"},
      {"user32", "#12x", MissingExportMessage("user32", "#12x"), "not a number"},
  };
  testing::ForEachRow(cases, [](const auto& c) {
    const ExportLookup found = LookUpExport(c.dll, c.function);
    EXPECT_EQ(found.address, nullptr);
    EXPECT_EQ(found.failure, c.failure);
    EXPECT_EQ(GetModuleHandleA("mpr.dll"), nullptr) << "released again";
  });
}

TEST(SystemCallTable, SearchKeepsTheLibraryThatExportsTheFunction) {
  ASSERT_EQ(GetModuleHandleA("mpr.dll"), nullptr);
  const ExportLookup found = LookUpExport("", "WNetGetUserA");  // in Mpr.dll, the fifth library
  ASSERT_NE(found.address, nullptr);
  EXPECT_EQ(found.library, GetModuleHandleA("mpr.dll"));
  EXPECT_TRUE(found.failure.empty());
  FreeLibrary(found.library);
}

struct FatalRecord {
  int shown = 0;
  std::string caption, message;
  int ended = 0;
  unsigned exit_code = 0;
};
FatalRecord g_fatal;

TEST(SystemCallTable, BindingFailureShowsTheRuntimeErrorAndEndsTheProcess) {
  g_fatal = {};
  const FatalErrorHooks previous = SetFatalErrorHooks({
      [](const char* caption, const char* message) {
        ++g_fatal.shown;
        g_fatal.caption = caption;
        g_fatal.message = message;
      },
      [](unsigned exit_code) {
        EXPECT_EQ(g_fatal.shown, 1) << "the box comes first";
        ++g_fatal.ended;
        g_fatal.exit_code = exit_code;
      },
  });
  const ExportLookup found = BindExport("gdiplus.dll", "SwNoSuchExport");
  SetFatalErrorHooks(previous);

  EXPECT_EQ(found.address, nullptr);
  EXPECT_EQ(g_fatal.shown, 1);
  EXPECT_EQ(g_fatal.caption, kRuntimeErrorCaption);
  EXPECT_EQ(g_fatal.message, MissingExportMessage("gdiplus.dll", "SwNoSuchExport"));
  EXPECT_EQ(g_fatal.ended, 1);
  EXPECT_EQ(g_fatal.exit_code, kFatalExitCode);
  EXPECT_NE(g_fatal.exit_code, 0U) << "a fatal end is not reported as success";
}

TEST(SystemCallTable, WindowLongRowKeepsAWholeValueOfThisWordSize) {
#ifdef _WIN64
  EXPECT_STREQ(kSystemCallNames[sysrow::kSetWindowLong].function, "SetWindowLongPtrA");
  const LONG_PTR value = static_cast<LONG_PTR>(0x123456789ABCULL);  // SetWindowLongA would cut it to 32 bits
#else
  EXPECT_STREQ(kSystemCallNames[sysrow::kSetWindowLong].function, "SetWindowLongA");
  const LONG_PTR value = static_cast<LONG_PTR>(0x89ABCDEF);
#endif
  const HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  CallSystem<sysrow::kSetWindowLong>(window, GWLP_USERDATA, value);
  EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), value);
  DestroyWindow(window);
}

#ifndef _WIN64
// On i686 a row typed with the wrong calling convention or argument sizes leaves the stack pointer moved
// after the call (the callee of a WINAPI function pops its own arguments). Read around the call itself,
// inside one function, before any epilogue could put the pointer back.
#define SW_STACK_DRIFT(call)                            \
  [&] {                                                 \
    std::uintptr_t before = 0, after = 0;               \
    asm volatile("movl %%esp, %0" : "=r"(before));      \
    call;                                               \
    asm volatile("movl %%esp, %0" : "=r"(after));       \
    return static_cast<std::ptrdiff_t>(after - before); \
  }

TEST(SystemCallTable, TypedCallsLeaveTheStackWhereTheyFoundIt) {
  StartGdiplus();
  gdip::GpPath* path = nullptr;
  gdip::GpPen* pen = nullptr;
  int from = 7, to = 0;
  char copy[4] = {};
  const struct {
    const char* reason;
    std::function<std::ptrdiff_t()> drift;
  } cases[] = {
      {"IsWindow: one handle", SW_STACK_DRIFT(CallSystem<sysrow::kIsWindow>(GetDesktopWindow()))},
      {"GdipCreatePath: enum, out pointer",
       SW_STACK_DRIFT(CallSystem<sysrow::kGdipCreatePath>(Gdiplus::FillModeAlternate, &path))},
      {"GdipAddPathRectangle: four floats",
       SW_STACK_DRIFT(CallSystem<sysrow::kGdipAddPathRectangle>(path, 1.f, 2.f, 3.f, 4.f))},
      {"GdipCreatePen1: colour, float, enum, out",
       SW_STACK_DRIFT(CallSystem<sysrow::kGdipCreatePen1>(0xFF000000, 1.5f, Gdiplus::UnitPixel, &pen))},
      {"GdipDeletePen", SW_STACK_DRIFT(CallSystem<sysrow::kGdipDeletePen>(pen))},
      {"GdipDeletePath", SW_STACK_DRIFT(CallSystem<sysrow::kGdipDeletePath>(path))},
      {"RtlMoveMemory: the macro's own type",
       SW_STACK_DRIFT(CallSystem<sysrow::kRtlMoveMemory>(&to, &from, sizeof(int)))},
      {"lstrcpyn: three arguments", SW_STACK_DRIFT(CallSystem<sysrow::kLstrcpyn>(copy, "abcdef", 4))},
  };
  testing::ForEachRow(cases, [](const auto& c) { EXPECT_EQ(c.drift(), 0); });
  EXPECT_NE(path, nullptr);
  EXPECT_NE(pen, nullptr);
  EXPECT_EQ(to, 7);
  EXPECT_STREQ(copy, "abc");
}
#undef SW_STACK_DRIFT
#endif

TEST(SystemCallTableDeathTest, DefaultEndStopsTheProcessWithTheFatalExitCode) {
  // The real end, with only the box replaced (nobody is there to close it).
  EXPECT_EXIT(
      {
        SetFatalErrorHooks({[](const char*, const char* message) { std::fputs(message, stderr); },
                            DefaultFatalErrorHooks().end});
        BindExport("sw-no-such-library", "GetPropA");
      },
      ::testing::ExitedWithCode(static_cast<int>(kFatalExitCode)), "DLL");
}

}  // namespace
}  // namespace sw
