// The common controls' subclass calls, bound from the system folder: the library is not a known one, so
// an import would load a copy lying beside the program in its place.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "base/system_library_win.h"

namespace sw {

struct SubclassCalls {
  decltype(&::SetWindowSubclass) set;
  decltype(&::RemoveWindowSubclass) remove;
  decltype(&::DefSubclassProc) next;
  bool complete() const { return set != nullptr && remove != nullptr && next != nullptr; }
};

inline const SubclassCalls& Subclassing() {
  static const SubclassCalls calls{
      SystemFunction<decltype(&::SetWindowSubclass)>("comctl32.dll", "SetWindowSubclass"),
      SystemFunction<decltype(&::RemoveWindowSubclass)>("comctl32.dll", "RemoveWindowSubclass"),
      SystemFunction<decltype(&::DefSubclassProc)>("comctl32.dll", "DefSubclassProc")};
  return calls;
}

}  // namespace sw
