#include "ui/runtime/unit_accessible_win.h"

#include <oleacc.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "base/system_library_win.h"

namespace sw {
namespace {

// Interface ids by __uuidof: the 64-bit oleacc import library also names IID_IAccessible, as an import
// thunk, and a link may take those bytes for the id.

// Active Accessibility's calls, bound from the system folder: the library is not a known one, so an import
// would load a copy lying beside the program in its place.
struct AccessibilityCalls {
  decltype(&::CreateStdAccessibleObject) standard_object;
  decltype(&::LresultFromObject) result_from_object;
};
const AccessibilityCalls& Accessibility() {
  static const AccessibilityCalls calls{
      SystemFunction<decltype(&::CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject"),
      SystemFunction<decltype(&::LresultFromObject)>("oleacc.dll", "LresultFromObject")};
  return calls;
}

// Whether a user could act on the unit now: it and its window are enabled (a modal window disables its
// owner, not the owner's units).
bool Usable(HWND hwnd) { return IsWindowEnabled(hwnd) && IsWindowEnabled(GetAncestor(hwnd, GA_ROOT)); }

// Delegates to the standard object; what AccessibleFacts says takes its place. It keeps only the window's
// handle, never the unit: a reader may hold the object after the unit has gone.
class UnitAccessible final : public IAccessible, public IOleWindow {
 public:
  UnitAccessible(HWND hwnd, IAccessible* standard, AccessibleFacts facts)
      : hwnd_(hwnd), standard_(standard), facts_(std::move(facts)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    // Only our own interfaces: another of the standard object's (its marshalling, say) would stand for
    // that object, not this one. Readers find the children through get_accChild without enumeration.
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow)) {
      *out = static_cast<IOleWindow*>(this);  // WindowFromAccessibleObject asks for it
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
    if (hwnd == nullptr) return E_POINTER;
    *hwnd = hwnd_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
      standard_->Release();
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  // IDispatch: none. The standard object's would answer late-bound clients with its own name and role.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: the answers of our own
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!Self(child)) return standard_->get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    std::wstring text;
    if (facts_.name) {
      text = *facts_.name;
    } else {
      text.resize(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1);
      text.resize(
          static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    }
    if (text.empty()) return S_FALSE;
    *name = SysAllocString(text.c_str());
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!Self(child) || facts_.role == 0) return standard_->get_accRole(child, role);
    if (role == nullptr) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = facts_.role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT got = standard_->get_accState(child, state);
    if (!Self(child) || FAILED(got) || state->vt != VT_I4) return got;
    LONG bits = state->lVal & ~static_cast<LONG>(STATE_SYSTEM_FOCUSABLE);
    if (facts_.focusable) bits |= STATE_SYSTEM_FOCUSABLE;
    if (!Usable(hwnd_)) bits |= STATE_SYSTEM_UNAVAILABLE;
    if (facts_.hidden) bits |= STATE_SYSTEM_INVISIBLE;
    if (facts_.checkable && SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED)
      bits |= STATE_SYSTEM_CHECKED;
    state->lVal = bits;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!Self(child) || facts_.default_action.empty()) return standard_->get_accDefaultAction(child, action);
    if (action == nullptr) return E_POINTER;
    *action = SysAllocString(facts_.default_action.c_str());
    return *action != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!Self(child) || facts_.default_action.empty()) return standard_->accDoDefaultAction(child);
    if (!Usable(hwnd_) || !IsWindowVisible(hwnd_)) return E_FAIL;
    return PostMessageW(hwnd_, UnitPressMessage(), 0, 0) ? S_OK : E_FAIL;
  }

  // IAccessible: the standard object's answers
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!Self(child) || !facts_.chosen_entry_value) return standard_->get_accValue(child, value);
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    const LRESULT chosen = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    const LRESULT length = chosen == CB_ERR ? CB_ERR : SendMessageW(hwnd_, CB_GETLBTEXTLEN, chosen, 0);
    if (length == CB_ERR) return S_FALSE;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(
        0, SendMessageW(hwnd_, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text.data())))));
    *value = SysAllocString(text.c_str());
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return standard_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~UnitAccessible() = default;
  static bool Self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

  LONG references_ = 1;
  HWND hwnd_;
  IAccessible* standard_;
  AccessibleFacts facts_;
};

// The object, with one reference for the caller; nullptr when the system gives no standard one.
IAccessible* NewUnitAccessible(HWND hwnd, const AccessibleFacts& facts) {
  IAccessible* standard = nullptr;
  if (Accessibility().standard_object == nullptr || Accessibility().result_from_object == nullptr ||
      FAILED(Accessibility().standard_object(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&standard))) ||
      standard == nullptr) {
    return nullptr;
  }
  auto* wrapper = new (std::nothrow) UnitAccessible(hwnd, standard, facts);
  if (wrapper == nullptr) standard->Release();
  return wrapper;
}

}  // namespace

std::optional<LRESULT> AnswerAccessibleObject(HWND hwnd, const AccessibleFacts& facts, WPARAM wparam,
                                              LPARAM lparam) {
  if (static_cast<LONG>(lparam) != OBJID_CLIENT) return std::nullopt;
  IAccessible* wrapper = NewUnitAccessible(hwnd, facts);
  if (wrapper == nullptr) return std::nullopt;
  // The result holds its own reference; ours goes. A negative result is an error the reader sees.
  const LRESULT result = Accessibility().result_from_object(__uuidof(IAccessible), wparam, wrapper);
  wrapper->Release();
  return result;
}

UINT UnitPressMessage() {
  static const UINT message = RegisterWindowMessageW(L"_YQ_PressUnit");
  return message;
}

}  // namespace sw
