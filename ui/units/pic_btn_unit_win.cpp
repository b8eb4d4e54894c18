#include "ui/units/pic_btn_unit_win.h"

#include <algorithm>
#include <vector>

#include "base/text_codepage_win.h"
#include "ui/picture/picture_paint_win.h"
#include "ui/runtime/unit_events.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw {

ScopedRegion RegionWithout(HDC dc, HBITMAP bitmap, int width, int height, COLORREF cutout) {
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) != height) {
    return {};
  }
  // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
  const std::uint32_t key = (GetRValue(cutout) << 16) | (GetGValue(cutout) << 8) | GetBValue(cutout);
  std::vector<RECT> runs;
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width;) {
      if ((row[x] & 0x00FFFFFF) == key) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width && (row[x] & 0x00FFFFFF) != key) ++x;
      runs.push_back({start, y, x, y + 1});
    }
  }
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(runs.size());
  header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  header->rcBound = {0, 0, width, height};
  std::copy(reinterpret_cast<const std::uint8_t*>(runs.data()),
            reinterpret_cast<const std::uint8_t*>(runs.data() + runs.size()),
            data.data() + sizeof(RGNDATAHEADER));
  return ScopedRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                      reinterpret_cast<const RGNDATA*>(data.data())));
}

PicBtnUnit::PicBtnUnit(WindowInstance& window, const UnitRecord& record)
    : Unit(window, record),
      properties_(std::get<PicBtnProperties>(record.properties)),
      states_(properties_.two_state != 0, properties_.latched != 0) {
  for (std::size_t i = 0; i < images_.size(); ++i) images_[i].Set(properties_.images[i]);
}

bool PicBtnUnit::Create(HWND parent) {
  // The label is the window's text: what screen readers and other tools read as the button's name.
  if (!CreateSystemWindow(0, kPicBtnClass, WideFromGbk(properties_.label), ChildStyle(), parent))
    return false;
  ShowCurrentImage();
  return true;
}

COLORREF PicBtnUnit::FlattenColor() const {
  // Transparent pixels become the cut-out colour, so that the region removes them.
  return properties_.cutout_color != kNoColor ? static_cast<COLORREF>(properties_.cutout_color)
                                              : RGB(0, 0, 0);
}

ButtonImage PicBtnUnit::ImageNow() const {
  std::array<bool, 4> has{};
  for (std::size_t i = 0; i < images_.size(); ++i) has[i] = !images_[i].empty();
  const ButtonImage image = states_.ImageToShow(IsWindowEnabled(hwnd()) != FALSE, has);
  // The focus shows as the mouse-over image: the skin has no other picture for it.
  if (image == ButtonImage::kNormal && GetFocus() == hwnd() &&
      has[static_cast<std::size_t>(ButtonImage::kMouseOver)]) {
    return ButtonImage::kMouseOver;
  }
  return image;
}

std::optional<AccessibleFacts> PicBtnUnit::Accessible() const {
  AccessibleFacts facts;  // named by its label, the window's text
  facts.role = states_.two_state() ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON;
  facts.checkable = states_.two_state();
  facts.default_action = WideFromGbk(kPressActionGbk);
  facts.focusable = tab_stop();
  return facts;
}

void PicBtnUnit::Pressing() { Apply(states_.Toggle()); }

void PicBtnUnit::ShowCurrentImage() {
  shown_ = ImageNow();

  const std::size_t slot = static_cast<std::size_t>(shown_);
  const DecodedPicture* picture = images_[slot].Decoded();
  if (!region_made_[slot] && properties_.cutout_color != kNoColor && picture != nullptr) {
    const ScopedWindowDc dc = GetClientDc(hwnd());
    PictureBitmap made = MakePictureBitmap(dc.get().dc, *picture, FlattenColor());
    if (made.bitmap.get() != nullptr) {
      regions_[slot] = RegionWithout(dc.get().dc, made.bitmap.get(), made.width, made.height,
                                     static_cast<COLORREF>(properties_.cutout_color));
    }
  }
  region_made_[slot] = true;
  // The window takes ownership of the region it is given: it gets a copy. No region removes the cut-out.
  ScopedRegion current(CreateRectRgn(0, 0, 0, 0));
  const bool has_region = GetWindowRgn(hwnd(), current.get()) != ERROR;
  const bool same =
      regions_[slot] ? has_region && EqualRgn(current.get(), regions_[slot].get()) : !has_region;
  if (!same) {
    ScopedRegion region;
    if (regions_[slot]) {
      region.reset(CreateRectRgn(0, 0, 0, 0));
      CombineRgn(region.get(), regions_[slot].get(), nullptr, RGN_COPY);
    }
    // Redrawn: pixels that the new shape cuts out must show the parent again, not the previous image.
    // The mouse-over image often has the same shape: no change and no redraw then.
    if (SetWindowRgn(hwnd(), region.get(), TRUE) != 0) region.release();
  }
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

void PicBtnUnit::PaintContent(HDC dc, const RECT&) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const DecodedPicture* picture = images_[static_cast<std::size_t>(shown_)].Decoded();
  if (picture == nullptr) return;
  const PictureBitmap made = MakePictureBitmap(dc, *picture, FlattenColor());
  DrawPictureBitmap(dc, made, 0, 0, -1, -1, SRCCOPY);
}

bool PicBtnUnit::Over(LPARAM lparam) const {
  if (!IsWindowEnabled(hwnd())) return false;
  POINT point{static_cast<std::int16_t>(LOWORD(lparam)), static_cast<std::int16_t>(HIWORD(lparam))};
  const POINT client_point = point;
  ClientToScreen(hwnd(), &point);
  const HWND under = WindowFromPoint(point);
  if (under == hwnd()) return true;
  RECT client{};
  GetClientRect(hwnd(), &client);
  return under == nullptr && PtInRect(&client, client_point);
}

bool PicBtnUnit::Inside(LPARAM lparam) const {
  if (!IsWindowEnabled(hwnd())) return false;
  const POINT point{static_cast<std::int16_t>(LOWORD(lparam)), static_cast<std::int16_t>(HIWORD(lparam))};
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (!PtInRect(&client, point)) return false;
  // A cut-out pixel is outside the button, as it looks.
  ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(hwnd(), region.get()) == ERROR) return true;
  return PtInRegion(region.get(), point.x, point.y) != FALSE;
}

void PicBtnUnit::Apply(const ButtonStep& step) {
  if (step.capture == CaptureChange::kTake && GetCapture() != hwnd()) SetCapture(hwnd());
  if (step.capture == CaptureChange::kRelease && GetCapture() == hwnd()) ReleaseCapture();
  if (ImageNow() != shown_) ShowCurrentImage();
}

LRESULT PicBtnUnit::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE:
      Apply(states_.MouseMove(Over(lparam), (wparam & MK_LBUTTON) != 0, GetCapture() == hwnd()));
      return 0;
    case WM_LBUTTONDOWN: Apply(states_.LeftButtonDown(Inside(lparam))); return 0;
    case WM_LBUTTONUP: {
      const ButtonStep step = states_.LeftButtonUp(Inside(lparam));
      Apply(step);
      // Last: the handler may open a modal window or destroy this one.
      if (step.clicked) runtime().Raise(*this, event::kClicked);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != hwnd()) Apply(states_.CaptureLost());
      return 0;
    case WM_ENABLE: ShowCurrentImage(); return 0;
    case BM_GETCHECK: return states_.two_state() && states_.latched() ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      if (states_.two_state()) {
        states_.set_latched(wparam == BST_CHECKED);
        ShowCurrentImage();
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: ShowCurrentImage(); return 0;
    // Space and Enter press a focused button, once for each press of the key.
    case WM_KEYDOWN:
      if ((wparam == VK_SPACE || wparam == VK_RETURN) && (lparam & (LPARAM{1} << 30)) == 0) {
        PressKeepingFocus();  // last: the handler may open a modal window or destroy this one
        return 0;
      }
      return Default(message, wparam, lparam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      const ScopedPaint paint = BeginPainting(hwnd());
      PaintContent(paint.get().info.hdc, paint.get().info.rcPaint);
      return 0;
    }
    default: return Default(message, wparam, lparam);
  }
}

}  // namespace sw
