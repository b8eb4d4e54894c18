// The four windows built from the embedded table under Wine: every unit of every description with its class,
// parent, geometry, visibility and text, and the skin's colours where they show.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/handler_table_win.h"
#include "app/layout_ids.h"
#include "ui/runtime/window_runtime_win.h"
#include "ui/units/draw_panel_unit_win.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

namespace sw {
namespace {

using namespace layout;

std::int32_t Nothing(const EventContext&) { return 0; }

// Every handler does nothing: what shows is the descriptions' own content.
std::vector<HandlerBinding> QuietHandlers() {
  std::vector<HandlerBinding> handlers;
  for (std::uint32_t reference = 1; reference <= kHandlerCount; ++reference) {
    handlers.push_back({reference, kHandlerNames[reference - 1].data(), &Nothing});
  }
  return handlers;
}

const wchar_t* ClassFor(UnitType type) {
  switch (type) {
    case UnitType::kWindow: return kWindowClass;
    case UnitType::kEditBox: return L"Edit";
    case UnitType::kPicBox: return kPicBoxClass;
    case UnitType::kDrawPanel: return kDrawPanelClass;
    case UnitType::kPicBtn: return kPicBtnClass;
    case UnitType::kTransLabel: return kTransLabelClass;
    case UnitType::kComboBox: return L"ComboBox";
  }
  return L"";
}

class AppWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    handlers_ = QuietHandlers();
    RuntimeStart start = WindowRuntime::Create(resources::kWindowDescriptions, handlers_);
    ASSERT_TRUE(start.ok()) << start.message();
    runtime_ = std::move(start).value();
  }
  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  COLORREF ScreenPixel(std::uint32_t unit, int x, int y) {
    POINT point{x, y};
    ClientToScreen(runtime_->Handle(unit), &point);
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return color;
  }
  // A window shows on the screen once the window manager has mapped it, which Wine does not wait for (on
  // a busy machine that takes a while): painted anew and read again, for up to 2 s, until the pixel is
  // `expected`; the last reading if it never is.
  COLORREF ScreenPixelOnceShown(std::uint32_t unit, int x, int y, COLORREF expected) {
    COLORREF color = ScreenPixel(unit, x, y);
    for (int tries = 0; tries < 100 && color != expected; ++tries) {
      Sleep(20);
      Pump();
      RedrawWindow(GetAncestor(runtime_->Handle(unit), GA_ROOT), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      color = ScreenPixel(unit, x, y);
    }
    return color;
  }
  // With SW_WINDOW_PICTURES set to a folder, each window is also saved there as a BMP, for a look.
  void SavePicture(std::uint32_t window_id, const char* name) {
    const char* folder = std::getenv("SW_WINDOW_PICTURES");
    if (folder == nullptr) return;
    RECT rect{};
    GetWindowRect(runtime_->Handle(window_id), &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD rows = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
    BITMAPFILEHEADER file{0x4D42,
                          static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + rows), 0,
                          0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    if (FILE* out = std::fopen((std::string(folder) + "\\" + name + ".bmp").c_str(), "wb")) {
      std::fwrite(&file, sizeof file, 1, out);
      std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
      std::fwrite(bits, 1, rows, out);
      std::fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  // Every unit of the description against the window that was built for it.
  void ExpectBuiltAsDescribed(std::uint32_t window_id) {
    const WindowDescription* description = FindDescription(runtime_->descriptions(), window_id);
    ASSERT_NE(description, nullptr);
    const HWND window = runtime_->Handle(window_id);
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, description->units[0].width) << "border style 0: the client is the whole window";
    EXPECT_EQ(client.bottom, description->units[0].height);
    RECT placed{};
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.left, (GetSystemMetrics(SM_CXSCREEN) - description->units[0].width) / 2);
    EXPECT_EQ(placed.top, (GetSystemMetrics(SM_CYSCREEN) - description->units[0].height) / 2);
    EXPECT_EQ(IsWindowVisible(window) != FALSE, (description->units[0].flags & kUnitVisible) != 0);
    for (const UnitRecord& unit : description->units) {
      const HWND hwnd = runtime_->Handle(unit.id);
      ASSERT_NE(hwnd, nullptr) << std::hex << unit.id;
      wchar_t name[64] = {};
      GetClassNameW(hwnd, name, 64);
      EXPECT_EQ(_wcsicmp(name, ClassFor(TypeOf(unit))), 0) << std::hex << unit.id;
      if (TypeOf(unit) == UnitType::kWindow) continue;
      EXPECT_EQ(GetParent(hwnd), runtime_->Handle(unit.parent == 0 ? window_id : unit.parent))
          << std::hex << unit.id;
      RECT rect{};
      GetWindowRect(hwnd, &rect);
      MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
      const RECT expected{unit.left, unit.top, unit.left + unit.width, unit.top + unit.height};
      EXPECT_TRUE(EqualRect(&rect, &expected)) << std::hex << unit.id;
      if (const auto* label = std::get_if<TransLabelProperties>(&unit.properties)) {
        EXPECT_EQ(runtime_->GetText(unit.id), label->text) << std::hex << unit.id;
      }
      if (const auto* edit = std::get_if<EditBoxProperties>(&unit.properties)) {
        EXPECT_EQ(runtime_->GetText(unit.id), edit->text) << std::hex << unit.id;
      }
    }
  }

  std::vector<HandlerBinding> handlers_;
  std::unique_ptr<WindowRuntime> runtime_;
};

constexpr COLORREF kTeal = RGB(88, 201, 185);
constexpr COLORREF kBar = RGB(81, 157, 157);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// JPEG pictures come close to their colour, not exactly.
bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 3 && std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 3;
}

TEST(AppHandlers, EveryBindingOfTheDescriptionsHasAHandler) {
  const RuntimeStart start = WindowRuntime::Create(resources::kWindowDescriptions, app::HandlerTable());
  EXPECT_TRUE(start.ok()) << start.message();
}

TEST_F(AppWindows, MainWindowHasEveryUnitInPlaceAndItsSkin) {
  ASSERT_TRUE(runtime_->LoadWindow(MainWindow::kId).ok());
  Pump();
  ExpectBuiltAsDescribed(MainWindow::kId);
  RedrawWindow(runtime_->Handle(MainWindow::kId), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SavePicture(MainWindow::kId, "main_window");
  EXPECT_EQ(ScreenPixelOnceShown(MainWindow::kId, 30, 150, kTeal), kTeal) << "window background";
  EXPECT_TRUE(Near(ScreenPixel(MainWindow::kId, 463, 14), kBar))
      << "title bar between label and close button";
  EXPECT_EQ(ScreenPixel(MainWindow::kBarcodePicture, 172, 60), kWhite) << "empty barcode picture";
  EXPECT_EQ(ScreenPixel(MainWindow::kTitleIcon, 0, 0), kBar) << "the icon's box colour around the icon";
  // The corner of a rounded button is cut out: the window's teal shows there.
  EXPECT_EQ(ScreenPixel(MainWindow::kGenerateButton, 0, 0), kTeal);
  EXPECT_EQ(ScreenPixelOnceShown(MainWindow::kGenerateButton, 8, 15, kWhite), kWhite) << "the button's body";
  // Description order is stacking order: the frame lies under the barcode picture, FocusSink under both.
  const HWND picture = runtime_->Handle(MainWindow::kBarcodePicture);
  EXPECT_EQ(GetWindow(picture, GW_HWNDNEXT), runtime_->Handle(MainWindow::kBarcodeFrame));
  EXPECT_EQ(GetWindow(runtime_->Handle(MainWindow::kId), GW_CHILD),
            runtime_->Handle(MainWindow::kContentEdit));
  POINT sink{10, 10};
  ClientToScreen(runtime_->Handle(MainWindow::kFocusSink), &sink);
  EXPECT_EQ(WindowFromPoint(sink), picture) << "FocusSink is covered";
}

TEST_F(AppWindows, HostWindowStaysHidden) {
  ASSERT_TRUE(runtime_->LoadWindow(BarcodeHostWindow::kId).ok());
  ExpectBuiltAsDescribed(BarcodeHostWindow::kId);
  EXPECT_FALSE(IsWindowVisible(runtime_->Handle(BarcodeHostWindow::kId)));
  ASSERT_NE(runtime_->FindDrawPanel(BarcodeHostWindow::kBarcodePanel), nullptr);
  EXPECT_EQ(runtime_->FindDrawPanel(BarcodeHostWindow::kBarcodePanel)->FontSizePoints(), 24);
}

TEST_F(AppWindows, TipsWindowsOpenOverTheMainWindow) {
  ASSERT_TRUE(runtime_->LoadWindow(MainWindow::kId).ok());
  const std::pair<std::uint32_t, const char*> windows[] = {{ErrorTipsWindow::kId, "error_tips_window"},
                                                           {TipsWindow::kId, "tips_window"},
                                                           {ProgressWindow::kId, "progress_window"},
                                                           {ReplaceTipsWindow::kId, "replace_tips_window"}};
  for (const auto& [window, name] : windows) {
    ASSERT_TRUE(runtime_->LoadWindow(window, MainWindow::kId).ok());
    Pump();
    ExpectBuiltAsDescribed(window);
    EXPECT_EQ(GetWindow(runtime_->Handle(window), GW_OWNER), runtime_->Handle(MainWindow::kId));
    RedrawWindow(runtime_->Handle(window), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SavePicture(window, name);
    EXPECT_EQ(ScreenPixelOnceShown(window, 150, 120, kTeal), kTeal) << name;
    runtime_->DestroyWindowLater(window);
    Pump();
    Sleep(20);
    Pump();
    EXPECT_FALSE(runtime_->IsLoaded(window));
  }
  // Its title bar has no picture: its colour shows beside the icon.
  ASSERT_TRUE(runtime_->LoadWindow(TipsWindow::kId, MainWindow::kId).ok());
  Pump();
  EXPECT_EQ(ScreenPixelOnceShown(TipsWindow::kTipsTitleBar, 2, 14, kBar), kBar);
  // The title label lies on the window above the bar and shows the bar through itself, all along
  // (the message label, also below it, must not paint its own background there).
  for (int x : {2, 200, 320}) {
    EXPECT_EQ(ScreenPixelOnceShown(TipsWindow::kTipsTitleLabel, x, 2, kBar), kBar) << x;
  }
}

}  // namespace
}  // namespace sw
