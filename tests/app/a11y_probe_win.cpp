// What a screen reader learns from the running program: for each of its windows (the main window, then the
// Error Tips window that a generate with an empty box opens) and each unit in it, the accessible name,
// role, state and default action that Active Accessibility gives for the unit's client area. Run beside
// the program, of the same word size, under the same Wine (tests/app/a11y_table.sh does both); it prints
// one table row per unit, UTF-8.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr,
                      nullptr);
  return out;
}

std::string TakeBstr(HRESULT hr, BSTR text) {
  char failed[32];
  std::snprintf(failed, sizeof failed, hr == S_FALSE ? "-" : "- (0x%08lx)", static_cast<unsigned long>(hr));
  std::string out = hr == S_OK && text != nullptr ? "\"" + Utf8(text) + "\"" : failed;
  SysFreeString(text);
  return out;
}

std::string RoleText(DWORD role) {
  wchar_t text[64] = {};
  GetRoleTextW(role, text, 64);
  return Utf8(text);
}

std::string StateText(DWORD state) {
  std::string out;
  for (DWORD bit = 1; bit != 0; bit <<= 1) {
    if ((state & bit) == 0) continue;
    wchar_t text[64] = {};
    GetStateTextW(bit, text, 64);
    if (!out.empty()) out += ", ";
    out += Utf8(text);
  }
  return out.empty() ? "normal" : out;
}

void Row(HWND hwnd, HWND root) {
  wchar_t class_name[64] = {};
  GetClassNameW(hwnd, class_name, 64);
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&rect), 2);
  IAccessible* accessible = nullptr;
  const HRESULT got = AccessibleObjectFromWindow(
      hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&accessible));
  std::printf("| %s at %ld,%ld %ldx%ld |", Utf8(class_name).c_str(), rect.left, rect.top,
              rect.right - rect.left, rect.bottom - rect.top);
  if (FAILED(got) || accessible == nullptr) {
    std::printf(" no object (0x%08lx) | | | |\n", static_cast<unsigned long>(got));
    return;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  // The call first: an argument list may be evaluated in any order.
  auto ask = [&](auto method) {
    BSTR text = nullptr;
    const HRESULT hr = (accessible->*method)(self, &text);
    return TakeBstr(hr, text);
  };
  const std::string name = ask(&IAccessible::get_accName);
  const std::string action = ask(&IAccessible::get_accDefaultAction);
  const std::string description = ask(&IAccessible::get_accDescription);
  VARIANT role{};
  VARIANT state{};
  const bool has_role = accessible->get_accRole(self, &role) == S_OK && role.vt == VT_I4;
  const bool has_state = accessible->get_accState(self, &state) == S_OK && state.vt == VT_I4;
  std::printf(" %s | %s | %s | %s | %s |\n", name.c_str(),
              has_role ? RoleText(static_cast<DWORD>(role.lVal)).c_str() : "-",
              has_state ? StateText(static_cast<DWORD>(state.lVal)).c_str() : "-", action.c_str(),
              description.c_str());
  accessible->Release();
}

BOOL CALLBACK RowForChild(HWND child, LPARAM root) {
  Row(child, reinterpret_cast<HWND>(root));
  return TRUE;
}

void Table(HWND window, const char* title) {
  std::printf(
      "\n%s\n\n| window or unit | name | role | state | default action | description |\n"
      "| --- | --- | --- | --- | --- | --- |\n",
      title);
  Row(window, window);
  EnumChildWindows(window, RowForChild, reinterpret_cast<LPARAM>(window));
}

HWND WaitFor(const wchar_t* class_name, const wchar_t* title, HWND other_than) {
  for (int i = 0; i < 200; ++i) {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, class_name, title)) != nullptr) {
      if (found != other_than && IsWindowVisible(found)) return found;
    }
    Sleep(50);
  }
  return nullptr;
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const HWND main_window = WaitFor(L"_YQ_Window", L"Stripewright", nullptr);
  if (main_window == nullptr) {
    std::fprintf(stderr, "a11y_probe: no Stripewright window\n");
    return 1;
  }
  Sleep(500);
  Table(main_window, "Main window");
  // An empty box: generate opens the Error Tips window. The generate button is the leftmost of the
  // buttons on the bottom row.
  SetForegroundWindow(main_window);
  HWND generate = nullptr;
  for (HWND child = GetWindow(main_window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t class_name[64] = {};
    GetClassNameW(child, class_name, 64);
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, main_window, reinterpret_cast<POINT*>(&rect), 2);
    if (std::wstring(class_name) == L"_YQ_RgnButton" && rect.top > 240 && rect.left < 100) generate = child;
  }
  if (generate == nullptr) return 1;
  PostMessageW(generate, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
  PostMessageW(generate, WM_LBUTTONUP, 0, MAKELPARAM(50, 15));
  const HWND tips = WaitFor(L"_YQ_Window", nullptr, main_window);
  if (tips == nullptr) {
    std::fprintf(stderr, "a11y_probe: no tips window\n");
    return 1;
  }
  Sleep(500);
  Table(tips, "Error Tips window");
  CoUninitialize();
  return 0;
}
