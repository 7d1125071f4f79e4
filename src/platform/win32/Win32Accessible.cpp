#include "platform/win32/Win32Accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <new>
#include <vector>

namespace lanternfly {
namespace {

LONG RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kStaticText: return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::kPushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kCheckBox: return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::kOptionButton: return ROLE_SYSTEM_RADIOBUTTON;
    case AccessibleRole::kGrouping: return ROLE_SYSTEM_GROUPING;
    case AccessibleRole::kList: return ROLE_SYSTEM_LIST;
    default: return ROLE_SYSTEM_CLIENT;
  }
}

bool TakesFocus(AccessibleRole role) {
  return role == AccessibleRole::kPushButton || role == AccessibleRole::kCheckBox ||
         role == AccessibleRole::kOptionButton || role == AccessibleRole::kList;
}

// The focus of the window's own thread: readers call from other threads.
bool Focused(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus == window;
}

void SetId(VARIANT* out, LONG child) {
  out->vt = VT_I4;
  out->lVal = child;
}

VARIANT Self() {
  VARIANT self;
  VariantInit(&self);
  SetId(&self, CHILDID_SELF);
  return self;
}

HRESULT Text(const std::u16string& text, BSTR* out) {
  const auto* characters = reinterpret_cast<const OLECHAR*>(text.data());
  *out = text.empty() ? nullptr : SysAllocStringLen(characters, static_cast<UINT>(text.size()));
  return text.empty() ? S_FALSE : *out ? S_OK : E_OUTOFMEMORY;
}

// A COM object of one interface, gone with its last reference.
template <typename Interface>
class Counted : public Interface {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Counted() = default;
  HRESULT Give(bool known, void** out) {
    *out = known ? this : nullptr;
    if (!known) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

 private:
  ULONG references_ = 1;
};

// The selected items of a list, handed out one child id at a time.
class ChildIds final : public Counted<IEnumVARIANT> {
 public:
  explicit ChildIds(std::vector<LONG> ids, ULONG next = 0) : ids_(std::move(ids)), next_(next) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return Give(iid == IID_IUnknown || iid == IID_IEnumVARIANT, out);
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    ULONG given = 0;
    for (; given < count && next_ < ids_.size(); ++given) SetId(&out[given], ids_[next_++]);
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const bool all = count <= ids_.size() - next_;
    next_ = all ? next_ + count : static_cast<ULONG>(ids_.size());
    return all ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override { return next_ = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    *out = new (std::nothrow) ChildIds(ids_, next_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  std::vector<LONG> ids_;
  ULONG next_;
};

}  // namespace

// Child id 0 (CHILDID_SELF) is the control, 1 to n a list's items. A list
// answers for its items itself; every other control leaves its children
// (the windows inside a frame), its place and its parent to the standard
// object.
class Win32Accessible::Object final : public Counted<IAccessible> {
 public:
  Object(HWND window, const ControlSurface& control, IAccessible* standard)
      : window_(window), control_(&control), standard_(standard) {}

  void Disconnect() {
    control_ = nullptr;
    standard_->Release();
    standard_ = nullptr;
  }

  // IUnknown, IDispatch: readers call IAccessible's methods directly.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return Give(iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible, out);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
    *out = nullptr;
    return standard_ ? standard_->get_accParent(out) : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    *count = 0;
    Target t;
    HRESULT answer;
    if (!AsList(t, answer, [&](IAccessible* standard) { return standard->get_accChildCount(count); })) return answer;
    *count = static_cast<LONG>(t.d.items.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** out) override {
    *out = nullptr;
    Target t;
    if (const HRESULT found = Find(id, t); FAILED(found)) return found;
    if (t.d.role != AccessibleRole::kList) return standard_->get_accChild(id, out);
    return t.item ? S_FALSE : E_INVALIDARG;  // items are simple elements, with no object of their own
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* out) override {
    *out = nullptr;
    Target t;
    if (const HRESULT found = Find(id, t); FAILED(found)) return found;
    return Text(t.item ? t.item->name : t.d.name, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* out) override { return Nothing(id, out); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* out) override { return Nothing(id, out); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* out) override { return Nothing(id, out); }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* out) override { return Nothing(id, out); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* out) override { return Nothing(id, out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) override {
    *topic = 0;
    return Nothing(id, file);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* out) override {
    VariantInit(out);
    Target t;
    if (const HRESULT found = Find(id, t); FAILED(found)) return found;
    SetId(out, t.item ? ROLE_SYSTEM_LISTITEM : RoleOf(t.d.role));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* out) override {
    VariantInit(out);
    Target t;
    if (const HRESULT found = Find(id, t); FAILED(found)) return found;
    const bool enabled = IsWindowEnabled(window_), focused = Focused(window_);
    LONG state = IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE;
    if (!enabled) state |= STATE_SYSTEM_UNAVAILABLE;
    if (t.item) {
      state |= STATE_SYSTEM_SELECTABLE | (enabled ? STATE_SYSTEM_FOCUSABLE : 0);
      if (t.item->selected) state |= STATE_SYSTEM_SELECTED;
      if (focused && id.lVal == t.d.current + 1) state |= STATE_SYSTEM_FOCUSED;
      if (!t.item->shown) state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    } else {
      if (enabled && TakesFocus(t.d.role)) state |= STATE_SYSTEM_FOCUSABLE;
      if (focused) state |= STATE_SYSTEM_FOCUSED;
      if (t.d.checked)
        state |= t.d.role == AccessibleRole::kPushButton ? STATE_SYSTEM_PRESSED : STATE_SYSTEM_CHECKED;
      if (t.d.role == AccessibleRole::kStaticText) state |= STATE_SYSTEM_READONLY;
      if (t.d.multipleSelection) state |= STATE_SYSTEM_MULTISELECTABLE;
    }
    SetId(out, state);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    VariantInit(out);
    Target t;
    HRESULT answer;
    if (!AsList(t, answer, [&](IAccessible* standard) { return standard->get_accFocus(out); })) return answer;
    const AccessibleDescription& d = t.d;
    if (!Focused(window_)) return S_FALSE;
    SetId(out, d.current >= 0 && d.current < static_cast<int>(d.items.size()) ? d.current + 1 : CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    VariantInit(out);
    Target t;
    HRESULT answer;
    if (!AsList(t, answer, [&](IAccessible* standard) { return standard->get_accSelection(out); })) return answer;
    const AccessibleDescription& d = t.d;
    std::vector<LONG> selected;
    for (size_t i = 0; i < d.items.size(); ++i)
      if (d.items[i].selected) selected.push_back(static_cast<LONG>(i + 1));
    if (selected.empty()) return S_FALSE;
    if (selected.size() == 1) return SetId(out, selected[0]), S_OK;
    auto* ids = new (std::nothrow) ChildIds(std::move(selected));
    if (!ids) return E_OUTOFMEMORY;
    out->vt = VT_UNKNOWN;
    out->punkVal = ids;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override {
    Target t;
    if (const HRESULT found = Find(id, t); FAILED(found)) return found;
    return t.item ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(flags, id);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height, VARIANT id) override {
    *x = *y = *width = *height = 0;
    Target t;
    if (const HRESULT found = Find(id, t); FAILED(found)) return found;
    if (!t.item) return standard_->accLocation(x, y, width, height, id);
    POINT corner{t.item->place.left, t.item->place.top};
    ClientToScreen(window_, &corner);
    *x = corner.x;
    *y = corner.y;
    *width = t.item->place.Width();
    *height = t.item->place.Height();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
    VariantInit(out);
    Target t;
    if (const HRESULT found = Find(start, t); FAILED(found)) return found;
    const LONG count = static_cast<LONG>(t.d.items.size());
    const bool intoItems = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
    if (t.d.role != AccessibleRole::kList || (!t.item && !intoItems))
      return standard_->accNavigate(direction, start, out);
    LONG to = 0;
    switch (direction) {
      case NAVDIR_FIRSTCHILD: to = t.item ? 0 : 1; break;
      case NAVDIR_LASTCHILD: to = t.item ? 0 : count; break;
      case NAVDIR_NEXT:
      case NAVDIR_DOWN: to = start.lVal + 1; break;
      case NAVDIR_PREVIOUS:
      case NAVDIR_UP: to = start.lVal - 1; break;
      default: break;
    }
    if (to < 1 || to > count) return S_FALSE;
    SetId(out, to);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
    VariantInit(out);
    Target t;
    HRESULT answer;
    if (!AsList(t, answer, [&](IAccessible* standard) { return standard->accHitTest(x, y, out); })) return answer;
    const AccessibleDescription& d = t.d;
    POINT at{x, y};
    RECT client{};
    ScreenToClient(window_, &at);
    GetClientRect(window_, &client);
    if (!PtInRect(&client, at)) return S_FALSE;
    SetId(out, CHILDID_SELF);
    for (size_t i = 0; i < d.items.size(); ++i)
      if (d.items[i].shown && d.items[i].place.Contains(Point{at.x, at.y})) SetId(out, static_cast<LONG>(i + 1));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
    Target t;
    if (const HRESULT found = Find(id, t); FAILED(found)) return found;
    return t.item ? DISP_E_MEMBERNOTFOUND : standard_->accDoDefaultAction(id);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  struct Target {
    AccessibleDescription d;
    const AccessibleItem* item = nullptr;  // none: the control itself
  };

  // The control's description now, and the item a child id names.
  HRESULT Find(const VARIANT& id, Target& t) const {
    if (!control_) return RPC_E_DISCONNECTED;
    if (id.vt != VT_I4) return E_INVALIDARG;
    try {
      t.d = control_->Describe();
    } catch (...) {
      return E_OUTOFMEMORY;  // nothing may unwind into COM
    }
    if (id.lVal == CHILDID_SELF) return S_OK;
    if (id.lVal < 1 || id.lVal > static_cast<LONG>(t.d.items.size())) return E_INVALIDARG;
    t.item = &t.d.items[static_cast<size_t>(id.lVal - 1)];
    return S_OK;
  }

  // A list's description in `t`; for another control, false and the
  // standard object's answer.
  template <typename Ask>
  bool AsList(Target& t, HRESULT& answer, Ask standard) const {
    answer = Find(Self(), t);
    if (FAILED(answer)) return false;
    if (t.d.role == AccessibleRole::kList) return true;
    answer = standard(standard_);
    return false;
  }

  // A property the controls do not have: none, for the control and its items.
  HRESULT Nothing(const VARIANT& id, BSTR* out) const {
    *out = nullptr;
    Target t;
    const HRESULT found = Find(id, t);
    return FAILED(found) ? found : S_FALSE;
  }

  HWND window_;
  const ControlSurface* control_;
  IAccessible* standard_;
};

Win32Accessible::~Win32Accessible() {
  if (!object_) return;
  object_->Disconnect();
  CoDisconnectObject(object_, 0);
  object_->Release();
}

LRESULT Win32Accessible::Answer(WPARAM wParam) {
  // Handing the object out marshals it, which needs COM on this thread. It
  // stays started for the thread's life: readers may call at any time.
  static thread_local const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  (void)com;
  if (!object_) {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window_, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))))
      return 0;
    object_ = new (std::nothrow) Object(window_, control_, standard);
    if (!object_) return standard->Release(), 0;
    told_ = control_.Describe();
    toldFocus_ = Focused(window_) ? told_.current : -1;
  }
  const LRESULT answer = LresultFromObject(IID_IAccessible, wParam, object_);
  return answer > 0 ? answer : 0;
}

void Win32Accessible::Notify(DWORD event, LONG child) const { NotifyWinEvent(event, window_, OBJID_CLIENT, child); }

void Win32Accessible::Changed() {
  if (!object_) return;
  AccessibleDescription now = control_.Describe();
  const int focus = Focused(window_) ? now.current : -1;
  if (now.name != told_.name) Notify(EVENT_OBJECT_NAMECHANGE, CHILDID_SELF);
  if (now.checked != told_.checked) Notify(EVENT_OBJECT_STATECHANGE, CHILDID_SELF);
  const bool sameItems = std::equal(now.items.begin(), now.items.end(), told_.items.begin(), told_.items.end(),
                                    [](const AccessibleItem& a, const AccessibleItem& b) { return a.name == b.name; });
  if (!sameItems) {
    Notify(EVENT_OBJECT_REORDER, CHILDID_SELF);
  } else {
    for (size_t i = 0; i < now.items.size(); ++i) {
      // A single choice moving tells only where it went, as a list box does.
      if (now.items[i].selected == told_.items[i].selected || (!now.items[i].selected && !now.multipleSelection))
        continue;
      const DWORD event = !now.items[i].selected     ? EVENT_OBJECT_SELECTIONREMOVE
                          : now.multipleSelection ? EVENT_OBJECT_SELECTIONADD
                                                  : EVENT_OBJECT_SELECTION;
      Notify(event, static_cast<LONG>(i + 1));
    }
  }
  if (focus != toldFocus_ && focus >= 0) Notify(EVENT_OBJECT_FOCUS, focus + 1);
  told_ = std::move(now);
  toldFocus_ = focus;
}

}  // namespace lanternfly
