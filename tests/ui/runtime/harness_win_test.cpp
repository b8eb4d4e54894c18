// Proves the Windows test harness: a real window class, window and message round trip under Wine.
#include <windows.h>
#include <gtest/gtest.h>

namespace {

constexpr UINT kPing = WM_APP + 1;

LRESULT CALLBACK EchoProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kPing) return static_cast<LRESULT>(wparam * 2 + lparam);
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST(Harness, WindowHandlesASentMessage) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = EchoProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"SwHarnessEcho";
  ASSERT_NE(RegisterClassW(&window_class), 0);

  HWND window = CreateWindowExW(0, window_class.lpszClassName, L"echo", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, window_class.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SendMessageW(window, kPing, 20, 2), 42);
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_TRUE(UnregisterClassW(window_class.lpszClassName, window_class.hInstance));
}

TEST(Harness, RunsOnAPrivateDisplay) {
  // The desktop exists and has the size the harness gave its Xvfb screen.
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
}

}  // namespace
