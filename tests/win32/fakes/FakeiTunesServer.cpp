// A stand-in for iTunes' automation server: an in-process COM server of the
// application object's class, late-bound only (IDispatch without a type
// library), as the program reads it. The test steers what it plays through
// the exports at the end; it loads this same DLL by path, so the test and COM
// share the one copy of the state below. Single-threaded, like the
// apartment-threaded server it is registered as.

#include <windows.h>
#include <oleauto.h>

#include <new>

namespace {

constexpr CLSID kApplicationClass = {0xDC0C2640, 0x1415, 0x4644, {0x87, 0x5C, 0x6F, 0x4D, 0x76, 0x98, 0x39, 0xBA}};

// The track's properties; DISPID n + 1 is property n.
constexpr const wchar_t* kTrackProperties[] = {L"Album", L"Artist",     L"BitRate", L"Duration", L"Name",
                                               L"SampleRate", L"Size", L"Year",    L"Genre"};
constexpr int kTrackPropertyCount = sizeof kTrackProperties / sizeof kTrackProperties[0];
constexpr int kCurrentTrack = kTrackPropertyCount;  // the application's one property, in `failing`

struct State {
  bool playing = true;
  VARIANT values[kTrackPropertyCount] = {};  // all-zero bits: VT_EMPTY
  bool failing[kTrackPropertyCount + 1] = {};
  LONG creations = 0;
};
State state;
LONG liveObjects = 0;  // applications and tracks not yet released
LONG serverLocks = 0;  // LockServer and references to the class factory

// The index of a property by name, compared as IDispatch names are, without
// regard to case; -1 when unknown.
int TrackProperty(const wchar_t* name) {
  for (int i = 0; i < kTrackPropertyCount; ++i)
    if (name != nullptr && lstrcmpiW(name, kTrackProperties[i]) == 0) return i;
  return -1;
}

HRESULT Raise(EXCEPINFO* exception) {
  if (exception != nullptr) {
    *exception = EXCEPINFO{};
    exception->wCode = 1001;
    exception->bstrSource = SysAllocString(L"FakeiTunes");
    exception->bstrDescription = SysAllocString(L"The property cannot be read now.");
  }
  return DISP_E_EXCEPTION;
}

// IDispatch for named properties read without arguments; the DISPIDs are 1..n.
class DispatchObject : public IDispatch {
 public:
  DispatchObject() { InterlockedIncrement(&liveObjects); }
  virtual ~DispatchObject() { InterlockedDecrement(&liveObjects); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    HRESULT outcome = S_OK;
    for (UINT i = 0; i < count; ++i) {
      // Names after the first would name arguments; these properties have none.
      int index = i == 0 ? Lookup(names[i]) : -1;
      ids[i] = index < 0 ? DISPID_UNKNOWN : index + 1;
      if (index < 0) outcome = DISP_E_UNKNOWNNAME;
    }
    return outcome;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* arguments, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if ((flags & DISPATCH_PROPERTYGET) == 0) return DISP_E_MEMBERNOTFOUND;
    if (arguments != nullptr && arguments->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    if (result == nullptr) return E_POINTER;
    VariantInit(result);
    return Read(id - 1, *result, exception);
  }

 protected:
  virtual int Lookup(const wchar_t* name) const = 0;
  virtual HRESULT Read(int index, VARIANT& result, EXCEPINFO* exception) = 0;

 private:
  LONG references_ = 1;
};

// Reads the shared state when asked, not when it was created.
class Track final : public DispatchObject {
 protected:
  int Lookup(const wchar_t* name) const override { return TrackProperty(name); }
  HRESULT Read(int index, VARIANT& result, EXCEPINFO* exception) override {
    if (index < 0 || index >= kTrackPropertyCount) return DISP_E_MEMBERNOTFOUND;
    if (state.failing[index]) return Raise(exception);
    return VariantCopy(&result, &state.values[index]);
  }
};

class Application final : public DispatchObject {
 protected:
  int Lookup(const wchar_t* name) const override {
    return name != nullptr && lstrcmpiW(name, L"CurrentTrack") == 0 ? 0 : -1;
  }
  HRESULT Read(int index, VARIANT& result, EXCEPINFO* exception) override {
    if (index != 0) return DISP_E_MEMBERNOTFOUND;
    if (state.failing[kCurrentTrack]) return Raise(exception);
    V_VT(&result) = VT_DISPATCH;  // no track: a null object, as the real one answers
    V_DISPATCH(&result) = nullptr;
    if (!state.playing) return S_OK;
    V_DISPATCH(&result) = new (std::nothrow) Track;
    return V_DISPATCH(&result) != nullptr ? S_OK : E_OUTOFMEMORY;
  }
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  // One static factory: its references only keep the DLL loaded.
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&serverLocks)); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&serverLocks)); }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    Application* application = new (std::nothrow) Application;
    if (application == nullptr) return E_OUTOFMEMORY;
    HRESULT outcome = application->QueryInterface(iid, object);
    application->Release();
    if (SUCCEEDED(outcome)) InterlockedIncrement(&state.creations);
    return outcome;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      InterlockedIncrement(&serverLocks);
    } else {
      InterlockedDecrement(&serverLocks);
    }
    return S_OK;
  }
};
Factory factory;

}  // namespace

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(classId, kApplicationClass)) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, object);
}

STDAPI DllCanUnloadNow() { return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE; }

// The test's controls.
extern "C" {

// A track plays, every property empty and readable; nothing created yet.
void FakeiTunesReset() {
  for (VARIANT& value : state.values) VariantClear(&value);
  for (bool& failing : state.failing) failing = false;
  state.playing = true;
  state.creations = 0;
}

// The value a track property gives (a copy is kept); false for an unknown name.
BOOL FakeiTunesSetProperty(const wchar_t* name, const VARIANT* value) {
  int index = TrackProperty(name);
  // MinGW's VariantCopy takes its source as non-const; it does not change it.
  return index >= 0 && value != nullptr && SUCCEEDED(VariantCopy(&state.values[index], const_cast<VARIANT*>(value)));
}

void FakeiTunesClearTrack() { state.playing = false; }

// From now on reading that property ("CurrentTrack" or a track's) raises an exception.
BOOL FakeiTunesFailProperty(const wchar_t* name) {
  int index = name != nullptr && lstrcmpiW(name, L"CurrentTrack") == 0 ? kCurrentTrack : TrackProperty(name);
  if (index < 0) return FALSE;
  state.failing[index] = true;
  return TRUE;
}

LONG FakeiTunesCreations() { return state.creations; }

LONG FakeiTunesLiveObjects() { return liveObjects; }

}  // extern "C"
