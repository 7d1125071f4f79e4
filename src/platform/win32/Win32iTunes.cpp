// iTunes on Windows through COM. There is no header for its interfaces, but
// they are dual, so every property is read late-bound through IDispatch.

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <new>
#include <utility>

#include "platform/ITunesAutomation.h"

namespace lanternfly {
namespace {

// The class of iTunes' application object.
constexpr CLSID kApplicationClass = {0xDC0C2640, 0x1415, 0x4644, {0x87, 0x5C, 0x6F, 0x4D, 0x76, 0x98, 0x39, 0xBA}};

// Owns one reference to a dispatch interface.
class DispatchRef {
 public:
  DispatchRef() = default;
  explicit DispatchRef(IDispatch* adopted) : pointer_(adopted) {}
  DispatchRef(DispatchRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  DispatchRef& operator=(DispatchRef&& other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~DispatchRef() {
    if (pointer_ != nullptr) pointer_->Release();
  }

  IDispatch* Get() const { return pointer_; }
  // Gives the reference up without releasing it.
  void Abandon() { pointer_ = nullptr; }

 private:
  IDispatch* pointer_ = nullptr;
};

// A VARIANT that frees what it holds (a string, an interface) when it goes.
struct Variant {
  Variant() { VariantInit(&value); }
  ~Variant() { VariantClear(&value); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  // Converts in place; false when the value cannot be had as that type.
  bool As(VARTYPE type) { return V_VT(&value) == type || SUCCEEDED(VariantChangeType(&value, &value, 0, type)); }
  // Empty and null answers carry no value, whatever they would convert to.
  bool Holds() const { return V_VT(&value) != VT_EMPTY && V_VT(&value) != VT_NULL; }

  VARIANT value;
};

// Reads the property `name` of `object` without arguments. False when the
// object does not know the name or the read fails.
bool ReadProperty(IDispatch* object, const wchar_t* name, Variant& result) {
  if (object == nullptr) return false;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  DISPPARAMS noArguments{};
  EXCEPINFO exception{};
  UINT badArgument = 0;
  HRESULT outcome = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &noArguments,
                                   &result.value, &exception, &badArgument);
  // A server that raised an exception handed us its texts to free.
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return SUCCEEDED(outcome);
}

std::optional<std::u16string> ReadText(IDispatch* object, const wchar_t* name) {
  Variant result;
  if (!ReadProperty(object, name, result) || !result.Holds() || !result.As(VT_BSTR)) return std::nullopt;
  BSTR text = V_BSTR(&result.value);
  if (text == nullptr) return std::u16string();
  try {
    // A BSTR is UTF-16 with its length in front: no code page, and a NUL
    // inside the text does not end it.
    return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<std::int32_t> ReadNumber(IDispatch* object, const wchar_t* name) {
  Variant result;
  if (!ReadProperty(object, name, result) || !result.Holds() || !result.As(VT_I4)) return std::nullopt;
  return static_cast<std::int32_t>(V_I4(&result.value));
}

// COM started on one thread as an apartment-threaded thread, ended when the
// last object that calls into it goes (a track may outlive its automation).
class Apartment {
 public:
  // Nothing when COM cannot be started here.
  static std::shared_ptr<Apartment> Start() {
    std::shared_ptr<Apartment> apartment;
    try {
      apartment.reset(new Apartment);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
    HRESULT outcome = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_FALSE: COM was already started here, and this start counts as well.
    // RPC_E_CHANGED_MODE: the thread is in the multithreaded apartment, which
    // serves as well but is not ours to end.
    if (FAILED(outcome) && outcome != RPC_E_CHANGED_MODE) return nullptr;
    apartment->started_ = SUCCEEDED(outcome);
    return apartment;
  }

  ~Apartment() {
    if (started_ && Here()) CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

  // Interfaces of the apartment may be called, and released, only on its thread.
  bool Here() const { return GetCurrentThreadId() == thread_; }

 private:
  Apartment() = default;

  bool started_ = false;
  DWORD thread_ = GetCurrentThreadId();
};

// Interfaces left behind rather than released on the wrong thread: calling
// into another apartment's object from here is the greater harm.
void ReleaseHere(const Apartment& apartment, DispatchRef& reference) {
  if (apartment.Here()) {
    reference = DispatchRef();
  } else {
    reference.Abandon();
  }
}

class Win32ITunesTrack final : public ITunesTrack {
 public:
  Win32ITunesTrack(std::shared_ptr<Apartment> apartment, DispatchRef track)
      : apartment_(std::move(apartment)), track_(std::move(track)) {}
  ~Win32ITunesTrack() override { ReleaseHere(*apartment_, track_); }
  Win32ITunesTrack(const Win32ITunesTrack&) = delete;
  Win32ITunesTrack& operator=(const Win32ITunesTrack&) = delete;

  std::optional<std::u16string> Album() override { return ReadText(Object(), L"Album"); }
  std::optional<std::u16string> Artist() override { return ReadText(Object(), L"Artist"); }
  std::optional<std::int32_t> BitRate() override { return ReadNumber(Object(), L"BitRate"); }
  std::optional<std::int32_t> Duration() override { return ReadNumber(Object(), L"Duration"); }
  std::optional<std::u16string> Name() override { return ReadText(Object(), L"Name"); }
  std::optional<std::int32_t> SampleRate() override { return ReadNumber(Object(), L"SampleRate"); }
  std::optional<std::int32_t> Size() override { return ReadNumber(Object(), L"Size"); }
  std::optional<std::int32_t> Year() override { return ReadNumber(Object(), L"Year"); }
  std::optional<std::u16string> Genre() override { return ReadText(Object(), L"Genre"); }

 private:
  IDispatch* Object() const { return apartment_->Here() ? track_.Get() : nullptr; }

  std::shared_ptr<Apartment> apartment_;  // declared first: it outlasts the track's reference
  DispatchRef track_;
};

// Belongs to the thread that first connects: COM is started there, and the
// application object lives in that apartment for as long as this object.
class Win32ITunes final : public ITunesAutomation {
 public:
  Win32ITunes() = default;
  Win32ITunes(const Win32ITunes&) = delete;
  Win32ITunes& operator=(const Win32ITunes&) = delete;
  ~Win32ITunes() override {
    if (apartment_ != nullptr) ReleaseHere(*apartment_, application_);
  }

  bool Connect() override {
    if (apartment_ == nullptr && (apartment_ = Apartment::Start()) == nullptr) return false;
    if (!apartment_->Here()) return false;
    if (application_.Get() == nullptr) {
      IDispatch* created = nullptr;
      HRESULT outcome = CoCreateInstance(kApplicationClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                         IID_IDispatch, reinterpret_cast<void**>(&created));
      if (SUCCEEDED(outcome)) application_ = DispatchRef(created);
    }
    return application_.Get() != nullptr;
  }

  std::unique_ptr<ITunesTrack> CurrentTrack() override {
    if (application_.Get() == nullptr || !apartment_->Here()) return nullptr;
    Variant result;
    if (!ReadProperty(application_.Get(), L"CurrentTrack", result) || !result.Holds() || !result.As(VT_DISPATCH))
      return nullptr;
    // The track's reference moves from the variant to the track object.
    DispatchRef track(std::exchange(V_DISPATCH(&result.value), nullptr));
    if (track.Get() == nullptr) return nullptr;
    return std::unique_ptr<ITunesTrack>(new (std::nothrow) Win32ITunesTrack(apartment_, std::move(track)));
  }

 private:
  std::shared_ptr<Apartment> apartment_;  // declared first: it outlasts the application's reference
  DispatchRef application_;
};

}  // namespace

std::unique_ptr<ITunesAutomation> SystemITunes() { return std::make_unique<Win32ITunes>(); }

}  // namespace lanternfly
