// SystemCallTable: the Windows and GDI+ functions of the shadow, each bound by name the first time
// its row is called and kept for the rest of the run. A row's function type is fixed at compile
// time, so a call with the wrong arguments does not compile; rows are known by number only.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <array>
#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

#include "base/system_library_win.h"
#include "shadow/gdiplus_flat_win.h"

namespace sw {

inline constexpr std::size_t kSystemCallRowCount = 57;

struct SystemCallName {
  const char* dll;       // as written: may be empty, may lack ".dll", letter case varies
  const char* function;  // export name; "#<decimal>" would name an ordinal
};
extern const std::array<SystemCallName, kSystemCallRowCount> kSystemCallNames;

// Row numbers.
namespace sysrow {
// clang-format off
inline constexpr std::size_t kGdiplusStartup             = 0;
inline constexpr std::size_t kIsWindow                   = 1;
inline constexpr std::size_t kGetPropA                   = 2;
inline constexpr std::size_t kRemovePropA                = 3;
inline constexpr std::size_t kDestroyWindow              = 4;
inline constexpr std::size_t kSetWindowLong              = 5;   // SetWindowLongPtrA on 64-bit Windows
inline constexpr std::size_t kSetPropA                   = 6;
inline constexpr std::size_t kGetModuleHandleA           = 7;
inline constexpr std::size_t kCreateWindowExA            = 8;
inline constexpr std::size_t kGetClassInfoExA            = 9;
inline constexpr std::size_t kLocalSize                  = 10;
inline constexpr std::size_t kRegisterClassExA           = 11;
inline constexpr std::size_t kDefWindowProcA             = 12;
inline constexpr std::size_t kIsWindowVisible            = 13;
inline constexpr std::size_t kShowWindow                 = 14;
inline constexpr std::size_t kIsZoomed                   = 15;
inline constexpr std::size_t kIsIconic                   = 16;
inline constexpr std::size_t kGetWindowRect              = 17;
inline constexpr std::size_t kSetWindowPos               = 18;
inline constexpr std::size_t kGetDC                      = 19;
inline constexpr std::size_t kCreateCompatibleDC         = 20;
inline constexpr std::size_t kCreateDIBSection           = 21;
inline constexpr std::size_t kSelectObject               = 22;
inline constexpr std::size_t kUpdateLayeredWindow        = 23;
inline constexpr std::size_t kDeleteObject               = 24;
inline constexpr std::size_t kDeleteDC                   = 25;
inline constexpr std::size_t kReleaseDC                  = 26;
inline constexpr std::size_t kGdipCreateFromHDC          = 27;
inline constexpr std::size_t kCreateRectRgn              = 28;
inline constexpr std::size_t kGdipSetClipHrgn            = 29;
inline constexpr std::size_t kGdipSetSmoothingMode       = 30;
inline constexpr std::size_t kGdipSetCompositingQuality  = 31;
inline constexpr std::size_t kGdipCreatePen1             = 32;
inline constexpr std::size_t kGdipDrawPath               = 33;
inline constexpr std::size_t kGdipDeletePath             = 34;
inline constexpr std::size_t kGdipDeletePen              = 35;
inline constexpr std::size_t kGdipResetClip              = 36;
inline constexpr std::size_t kGdipDeleteGraphics         = 37;
inline constexpr std::size_t kGdipGetImageDimension      = 38;
inline constexpr std::size_t kGdipDrawImageRectRect      = 39;
inline constexpr std::size_t kGdipCreatePath             = 40;
inline constexpr std::size_t kGdipAddPathRectangle       = 41;
inline constexpr std::size_t kGdipAddPathArc             = 42;
inline constexpr std::size_t kGdipClosePathFigure        = 43;
inline constexpr std::size_t kCallWindowProcA            = 44;
inline constexpr std::size_t kGdipDisposeImage           = 45;
inline constexpr std::size_t kGlobalFree                 = 46;
inline constexpr std::size_t kGlobalAlloc                = 47;
inline constexpr std::size_t kCreateStreamOnHGlobal      = 48;
inline constexpr std::size_t kGlobalLock                 = 49;
inline constexpr std::size_t kRtlMoveMemory              = 50;
inline constexpr std::size_t kGlobalUnlock               = 51;
inline constexpr std::size_t kLstrcpyn                   = 52;
inline constexpr std::size_t kRtlMoveMemoryPointer       = 53;
inline constexpr std::size_t kGdipCreateBitmapFromStream = 54;
inline constexpr std::size_t kGdipGetImageWidth          = 55;
inline constexpr std::size_t kGdipGetImageHeight         = 56;
// clang-format on
}  // namespace sysrow

// The exact type of each row's function. Windows functions take their type from the system
// headers (decltype names them without importing them).
template <std::size_t Row>
struct SystemCallSignature;

using MoveMemoryFn = VOID(WINAPI*)(VOID*, const VOID*, SIZE_T);  // a macro in the headers
#ifdef _WIN64
using SetWindowLongFn = decltype(&::SetWindowLongPtrA);
#else
using SetWindowLongFn = decltype(&::SetWindowLongA);
#endif

#define SW_SYSTEM_CALL_ROW(row, ...) \
  template <>                        \
  struct SystemCallSignature<row> {  \
    using type = __VA_ARGS__;        \
  }
// clang-format off
SW_SYSTEM_CALL_ROW(0,  gdip::GdiplusStartupFn);
SW_SYSTEM_CALL_ROW(1,  decltype(&::IsWindow));
SW_SYSTEM_CALL_ROW(2,  decltype(&::GetPropA));
SW_SYSTEM_CALL_ROW(3,  decltype(&::RemovePropA));
SW_SYSTEM_CALL_ROW(4,  decltype(&::DestroyWindow));
SW_SYSTEM_CALL_ROW(5,  SetWindowLongFn);
SW_SYSTEM_CALL_ROW(6,  decltype(&::SetPropA));
SW_SYSTEM_CALL_ROW(7,  decltype(&::GetModuleHandleA));
SW_SYSTEM_CALL_ROW(8,  decltype(&::CreateWindowExA));
SW_SYSTEM_CALL_ROW(9,  decltype(&::GetClassInfoExA));
SW_SYSTEM_CALL_ROW(10, decltype(&::LocalSize));
SW_SYSTEM_CALL_ROW(11, decltype(&::RegisterClassExA));
SW_SYSTEM_CALL_ROW(12, decltype(&::DefWindowProcA));
SW_SYSTEM_CALL_ROW(13, decltype(&::IsWindowVisible));
SW_SYSTEM_CALL_ROW(14, decltype(&::ShowWindow));
SW_SYSTEM_CALL_ROW(15, decltype(&::IsZoomed));
SW_SYSTEM_CALL_ROW(16, decltype(&::IsIconic));
SW_SYSTEM_CALL_ROW(17, decltype(&::GetWindowRect));
SW_SYSTEM_CALL_ROW(18, decltype(&::SetWindowPos));
SW_SYSTEM_CALL_ROW(19, decltype(&::GetDC));
// 20
SW_SYSTEM_CALL_ROW(20, decltype(&::CreateCompatibleDC));
SW_SYSTEM_CALL_ROW(21, decltype(&::CreateDIBSection));
SW_SYSTEM_CALL_ROW(22, decltype(&::SelectObject));
SW_SYSTEM_CALL_ROW(23, decltype(&::UpdateLayeredWindow));
SW_SYSTEM_CALL_ROW(24, decltype(&::DeleteObject));
SW_SYSTEM_CALL_ROW(25, decltype(&::DeleteDC));
SW_SYSTEM_CALL_ROW(26, decltype(&::ReleaseDC));
SW_SYSTEM_CALL_ROW(27, gdip::GdipCreateFromHDCFn);
SW_SYSTEM_CALL_ROW(28, decltype(&::CreateRectRgn));
SW_SYSTEM_CALL_ROW(29, gdip::GdipSetClipHrgnFn);
// 30
SW_SYSTEM_CALL_ROW(30, gdip::GdipSetSmoothingModeFn);
SW_SYSTEM_CALL_ROW(31, gdip::GdipSetCompositingQualityFn);
SW_SYSTEM_CALL_ROW(32, gdip::GdipCreatePen1Fn);
SW_SYSTEM_CALL_ROW(33, gdip::GdipDrawPathFn);
SW_SYSTEM_CALL_ROW(34, gdip::GdipDeletePathFn);
SW_SYSTEM_CALL_ROW(35, gdip::GdipDeletePenFn);
SW_SYSTEM_CALL_ROW(36, gdip::GdipResetClipFn);
SW_SYSTEM_CALL_ROW(37, gdip::GdipDeleteGraphicsFn);
SW_SYSTEM_CALL_ROW(38, gdip::GdipGetImageDimensionFn);
SW_SYSTEM_CALL_ROW(39, gdip::GdipDrawImageRectRectFn);
// 40
SW_SYSTEM_CALL_ROW(40, gdip::GdipCreatePathFn);
SW_SYSTEM_CALL_ROW(41, gdip::GdipAddPathRectangleFn);
SW_SYSTEM_CALL_ROW(42, gdip::GdipAddPathArcFn);
SW_SYSTEM_CALL_ROW(43, gdip::GdipClosePathFigureFn);
SW_SYSTEM_CALL_ROW(44, decltype(&::CallWindowProcA));
SW_SYSTEM_CALL_ROW(45, gdip::GdipDisposeImageFn);
SW_SYSTEM_CALL_ROW(46, decltype(&::GlobalFree));
SW_SYSTEM_CALL_ROW(47, decltype(&::GlobalAlloc));
SW_SYSTEM_CALL_ROW(48, decltype(&::CreateStreamOnHGlobal));
SW_SYSTEM_CALL_ROW(49, decltype(&::GlobalLock));
// 50
SW_SYSTEM_CALL_ROW(50, MoveMemoryFn);
SW_SYSTEM_CALL_ROW(51, decltype(&::GlobalUnlock));
SW_SYSTEM_CALL_ROW(52, decltype(&::lstrcpynA));
SW_SYSTEM_CALL_ROW(53, MoveMemoryFn);
SW_SYSTEM_CALL_ROW(54, gdip::GdipCreateBitmapFromStreamFn);
SW_SYSTEM_CALL_ROW(55, gdip::GdipGetImageWidthFn);
SW_SYSTEM_CALL_ROW(56, gdip::GdipGetImageHeightFn);
// clang-format on
#undef SW_SYSTEM_CALL_ROW

template <std::size_t Row>
using SystemCallFunction = typename SystemCallSignature<Row>::type;

// A bound address before it is given its row's type; void(*)() converts to any function type.
using UntypedFunction = void (*)();

// The row's address, binding it first if needed. A row that cannot be bound is fatal; only when
// the fatal hooks have been replaced (tests) does this return null.
UntypedFunction BindSystemCall(std::size_t row);

// Calls row `Row` with its function's arguments and returns its result unchanged. The call goes
// through a pointer of the function's exact type and calling convention, so the function removes
// exactly the argument bytes that were pushed; the stack cannot come back at another depth.
template <std::size_t Row, typename... Args>
requires(Row < kSystemCallRowCount &&
         std::is_invocable_v<SystemCallFunction<Row>, Args...>) auto CallSystem(Args&&... args)
    -> std::invoke_result_t<SystemCallFunction<Row>, Args...> {
  using Result = std::invoke_result_t<SystemCallFunction<Row>, Args...>;
  const auto function = reinterpret_cast<SystemCallFunction<Row>>(BindSystemCall(Row));
  if (function == nullptr) {
    if constexpr (std::is_void_v<Result>) {
      return;
    } else {
      return Result{};
    }
  }
  return function(std::forward<Args>(args)...);
}

// Where a row stands: bound or not, and the library it was found in.
bool IsSystemCallBound(std::size_t row);
HMODULE SystemCallLibrary(std::size_t row);

// Looks an export up by the table's rules without touching any row: an empty DLL name searches the
// six system libraries in order, releasing those that lack the export; any other name is loaded with
// LoadSystemLibrary, from the system folder only. On failure `address` is null and `failure` holds the
// message to show.
struct ExportLookup {
  UntypedFunction address = nullptr;
  HMODULE library = nullptr;
  std::string failure;
};
ExportLookup LookUpExport(const char* dll, const char* function);

// LookUpExport, with a failure reported as fatal (the run-time error box, then the end of the process).
ExportLookup BindExport(const char* dll, const char* function);

}  // namespace sw
