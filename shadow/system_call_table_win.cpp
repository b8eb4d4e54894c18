#include "shadow/system_call_table_win.h"

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>

#include "shadow/binding_messages.h"
#include "shadow/fatal_error_win.h"
#include "shadow/shadow_handles_win.h"

namespace sw {

// clang-format off
const std::array<SystemCallName, kSystemCallRowCount> kSystemCallNames = {{
    {"gdiplus.dll",  "GdiplusStartup"},              // 0
    {"user32",       "IsWindow"},
    {"",             "GetPropA"},
    {"user32",       "RemovePropA"},
    {"user32",       "DestroyWindow"},
#ifdef _WIN64
    // SetWindowLongA keeps 32 bits, too few for a window procedure's address here.
    {"user32",       "SetWindowLongPtrA"},           // 5
#else
    {"user32",       "SetWindowLongA"},              // 5
#endif
    {"",             "SetPropA"},
    {"kernel32",     "GetModuleHandleA"},
    {"user32",       "CreateWindowExA"},
    {"user32.dll",   "GetClassInfoExA"},
    {"kernel32.dll", "LocalSize"},                   // 10
    {"user32",       "RegisterClassExA"},
    {"user32",       "DefWindowProcA"},
    {"user32",       "IsWindowVisible"},
    {"user32",       "ShowWindow"},
    {"user32",       "IsZoomed"},                    // 15
    {"user32",       "IsIconic"},
    {"",             "GetWindowRect"},
    {"user32",       "SetWindowPos"},
    {"",             "GetDC"},
    {"",             "CreateCompatibleDC"},          // 20
    {"gdi32",        "CreateDIBSection"},
    {"",             "SelectObject"},
    {"user32.dll",   "UpdateLayeredWindow"},
    {"",             "DeleteObject"},
    {"",             "DeleteDC"},                    // 25
    {"",             "ReleaseDC"},
    {"GdiPlus.dll",  "GdipCreateFromHDC"},
    {"gdi32",        "CreateRectRgn"},
    {"GdiPlus.dll",  "GdipSetClipHrgn"},
    {"GdiPlus.dll",  "GdipSetSmoothingMode"},        // 30
    {"GdiPlus.dll",  "GdipSetCompositingQuality"},
    {"GdiPlus.dll",  "GdipCreatePen1"},
    {"GdiPlus.dll",  "GdipDrawPath"},
    {"GdiPlus.dll",  "GdipDeletePath"},
    {"GdiPlus.dll",  "GdipDeletePen"},               // 35
    {"GdiPlus.dll",  "GdipResetClip"},
    {"GdiPlus.dll",  "GdipDeleteGraphics"},
    {"GdiPlus.dll",  "GdipGetImageDimension"},
    {"GdiPlus.dll",  "GdipDrawImageRectRect"},
    {"GdiPlus.dll",  "GdipCreatePath"},              // 40
    {"GdiPlus.dll",  "GdipAddPathRectangle"},
    {"GdiPlus.dll",  "GdipAddPathArc"},
    {"GdiPlus.dll",  "GdipClosePathFigure"},
    {"user32",       "CallWindowProcA"},
    {"gdiplus.dll",  "GdipDisposeImage"},            // 45
    {"",             "GlobalFree"},
    {"",             "GlobalAlloc"},
    {"ole32.dll",    "CreateStreamOnHGlobal"},
    {"",             "GlobalLock"},
    {"",             "RtlMoveMemory"},               // 50
    {"",             "GlobalUnlock"},
    {"",             "lstrcpyn"},
    {"",             "RtlMoveMemory"},
    {"GdiPlus.dll",  "GdipCreateBitmapFromStream"},
    {"GdiPlus.dll",  "GdipGetImageWidth"},           // 55
    {"GdiPlus.dll",  "GdipGetImageHeight"},
}};
// clang-format on

namespace {

// Searched in this order when a row names no library.
constexpr std::array<const char*, 6> kSystemLibraries = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                                         "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};

struct BoundSystemCall {
  UntypedFunction address = nullptr;
  HMODULE library = nullptr;
};
std::array<BoundSystemCall, kSystemCallRowCount> g_bound{};

UntypedFunction FindExport(HMODULE library, const char* function) {
  FARPROC found = nullptr;
  if (function[0] == '#') {
    // An ordinal: the decimal number after "#", low 16 bits. Ordinal 0 does not exist.
    const std::string_view digits{function + 1};
    unsigned long ordinal = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), ordinal);
    const WORD low = static_cast<WORD>(ordinal & 0xFFFF);
    if (error != std::errc{} || end != digits.data() + digits.size() || low == 0) return nullptr;
    found = GetProcAddress(library, MAKEINTRESOURCEA(low));
  } else {
    found = GetProcAddress(library, function);
  }
  return reinterpret_cast<UntypedFunction>(found);
}

}  // namespace

ExportLookup LookUpExport(const char* dll, const char* function) {
  ExportLookup result;
  if (dll[0] == '\0') {
    for (const char* name : kSystemLibraries) {
      LoadedLibrary library{LoadSystemLibrary(name)};
      if (!library) continue;
      if (UntypedFunction address = FindExport(library.get(), function)) {
        result.address = address;
        result.library = library.release();  // the table keeps it loaded
        return result;
      }
    }
    result.failure = MissingSystemExportMessage(function);
    return result;
  }
  // Every library of this table is a system library: a bare name is looked for in the system folder
  // only, never first beside the program or in the current directory, where a planted copy would win.
  LoadedLibrary library{LoadSystemLibrary(dll)};
  UntypedFunction address = library ? FindExport(library.get(), function) : nullptr;
  if (address == nullptr) {
    result.failure = MissingExportMessage(dll, function);
    return result;
  }
  result.address = address;
  result.library = library.release();  // the table keeps it loaded
  return result;
}

ExportLookup BindExport(const char* dll, const char* function) {
  ExportLookup found = LookUpExport(dll, function);
  if (found.address == nullptr) ReportFatalError(found.failure);
  return found;
}

UntypedFunction BindSystemCall(std::size_t row) {
  if (row >= kSystemCallRowCount) return nullptr;
  BoundSystemCall& bound = g_bound[row];
  if (bound.address == nullptr) {
    const ExportLookup found = BindExport(kSystemCallNames[row].dll, kSystemCallNames[row].function);
    bound.address = found.address;
    bound.library = found.library;
  }
  return bound.address;
}

bool IsSystemCallBound(std::size_t row) {
  return row < kSystemCallRowCount && g_bound[row].address != nullptr;
}

HMODULE SystemCallLibrary(std::size_t row) {
  return row < kSystemCallRowCount ? g_bound[row].library : nullptr;
}

}  // namespace sw
