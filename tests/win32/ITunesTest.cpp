// iTunes' automation through real COM, against a server of our own
// (fake-itunes.dll) registered while a test runs.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "platform/ITunesAutomation.h"

namespace lanternfly {
namespace {

// Registered for the machine: Wine's COM does not read the per-user classes
// (HKEY_CURRENT_USER\Software\Classes). The tests' Wine prefix is their own.
constexpr char kClassKey[] = "CLSID\\{DC0C2640-1415-4644-875C-6F4D769839BA}";

template <typename Function>
Function* Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

VARIANT Text(const wchar_t* text) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = SysAllocString(text);
  return value;
}

// A number as a value of another type: VT_I2, VT_R8, VT_BSTR, ...
VARIANT Number(double number, VARTYPE type = VT_I4) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_R8;
  V_R8(&value) = number;
  EXPECT_EQ(VariantChangeType(&value, &value, 0, type), S_OK);
  return value;
}

VARIANT Null() {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_NULL;
  return value;
}

class ITunesAutomationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(server_, nullptr) << "cannot load " << LANTERNFLY_FAKE_ITUNES;
    Export<void()>(server_, "FakeiTunesReset")();
    Unregister();
    ASSERT_TRUE(Register());
    Set(L"Album", Text(L"C"));
    Set(L"Artist", Text(L"A"));
    Set(L"Name", Text(L"B"));
    Set(L"Size", Number(5'000'000));
  }
  void TearDown() override { Unregister(); }
  ~ITunesAutomationTest() override { FreeLibrary(server_); }

  static bool Register() {
    HKEY key = nullptr;
    std::string path = std::string(kClassKey) + "\\InprocServer32";
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return false;
    auto write = [key](const char* name, const char* text) {
      return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                            static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
    };
    bool written = write(nullptr, LANTERNFLY_FAKE_ITUNES) && write("ThreadingModel", "Apartment");
    RegCloseKey(key);
    return written;
  }
  static void Unregister() { RegDeleteTreeA(HKEY_CLASSES_ROOT, kClassKey); }

  void Set(const wchar_t* property, VARIANT value) {
    EXPECT_TRUE(Export<BOOL(const wchar_t*, const VARIANT*)>(server_, "FakeiTunesSetProperty")(property, &value));
    VariantClear(&value);
  }
  void Fail(const wchar_t* property) {
    EXPECT_TRUE(Export<BOOL(const wchar_t*)>(server_, "FakeiTunesFailProperty")(property));
  }
  LONG Creations() { return Export<LONG()>(server_, "FakeiTunesCreations")(); }
  LONG LiveObjects() { return Export<LONG()>(server_, "FakeiTunesLiveObjects")(); }

  // The module COM loads for the registration: the same one, by the same path.
  HMODULE server_ = LoadLibraryA(LANTERNFLY_FAKE_ITUNES);
};

TEST_F(ITunesAutomationTest, TextsStayUtf16OtherTypesAreConvertedAndAFailingCallGivesNothing) {
  Set(L"Name", Text(L"\u65e5\u672c \U0001F3B5"));
  Set(L"BitRate", Number(320, VT_I2));
  Set(L"Duration", Number(245.4, VT_R8));
  Set(L"Year", Number(2001, VT_BSTR));
  Set(L"SampleRate", Text(L"fast"));
  Set(L"Genre", Null());
  Fail(L"Album");
  std::unique_ptr<ITunesAutomation> iTunes = SystemITunes();
  ASSERT_TRUE(iTunes->Connect());
  std::unique_ptr<ITunesTrack> track = iTunes->CurrentTrack();
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(track->Name(), u"\u65e5\u672c \U0001F3B5");
  EXPECT_EQ(std::tuple(track->BitRate(), track->Duration(), track->Year(), track->Size()),
            std::tuple(320, 245, 2001, 5'000'000));
  EXPECT_EQ(track->SampleRate(), std::nullopt);
  EXPECT_EQ(track->Genre(), std::nullopt);
  EXPECT_EQ(track->Album(), std::nullopt);
  Export<void()>(server_, "FakeiTunesClearTrack")();
  EXPECT_EQ(iTunes->CurrentTrack(), nullptr);
  Export<void()>(server_, "FakeiTunesReset")();
  Fail(L"CurrentTrack");
  EXPECT_EQ(iTunes->CurrentTrack(), nullptr);
}

TEST_F(ITunesAutomationTest, CreationIsRetriedUntilItWorksThenTheObjectIsKept) {
  Unregister();
  std::unique_ptr<ITunesAutomation> iTunes = SystemITunes();
  EXPECT_FALSE(iTunes->Connect());
  EXPECT_EQ(iTunes->CurrentTrack(), nullptr);

  ASSERT_TRUE(Register());
  EXPECT_TRUE(iTunes->Connect());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(iTunes->CurrentTrack()->Artist(), u"A");
  EXPECT_EQ(Creations(), 1);
  EXPECT_EQ(LiveObjects(), 1) << "every track object is released";

  // A track may outlive the automation that gave it.
  std::unique_ptr<ITunesTrack> track = iTunes->CurrentTrack();
  iTunes.reset();
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(track->Name(), u"B");
  track.reset();
  EXPECT_EQ(LiveObjects(), 0);

  Unregister();
  EXPECT_FALSE(SystemITunes()->Connect());
}

}  // namespace
}  // namespace lanternfly
