#include <gtest/gtest.h>

#include "platform/com/com_runtime.h"
#include "platform/com/variant_time.h"
#include "platform/files/file_content.h"
#include "platform/registry/advapi32.h"
#include "platform/taskscheduler/mstask.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using platform::com::ComPtr;

TEST(Guid, ParsesAndFormatsTheRegistryForm) {
  auto g = platform::com::ParseGuid("{148bd52a-A2AB-11CE-B11F-00AA00530503}");
  ASSERT_TRUE(g);
  EXPECT_EQ(*g, CLSID_CTaskScheduler);
  EXPECT_EQ(platform::com::FormatGuid(*g), "{148BD52A-A2AB-11CE-B11F-00AA00530503}");
  for (const char* bad : {"", "148BD52A-A2AB-11CE-B11F-00AA00530503", "{148BD52A-A2AB-11CE-B11F-00AA0053050}",
                          "{148BD52A-A2AB-11CE-B11F+00AA00530503}", "{148BD52G-A2AB-11CE-B11F-00AA00530503}"})
    EXPECT_FALSE(platform::com::ParseGuid(bad)) << bad;
}

TEST(VariantTime, ConvertsValidTimesAndRefusesOthers) {
  struct Case {
    SYSTEMTIME st;
    bool ok;
    double date;
  } cases[] = {
      {{1899, 12, 0, 30, 0, 0, 0, 0}, true, 0.0},
      {{2005, 12, 6, 31, 14, 35, 0, 999}, true, 38717.0 + (14 * 60 + 35) / 1440.0},
      {{1899, 12, 0, 29, 6, 0, 0, 0}, true, -1.25},
      {{0, 0, 0, 0, 0, 0, 0, 0}, false, 0},
      {{2005, 2, 0, 29, 0, 0, 0, 0}, false, 0},
      {{2005, 1, 0, 1, 24, 0, 0, 0}, false, 0},
      {{99, 1, 0, 1, 0, 0, 0, 0}, false, 0},
  };
  for (const auto& c : cases) {
    DATE d = 123.0;
    EXPECT_EQ(SystemTimeToVariantTime(&c.st, &d), c.ok ? TRUE : FALSE) << c.st.wYear;
    EXPECT_DOUBLE_EQ(d, c.ok ? c.date : 123.0) << c.st.wYear;
    if (c.ok) {
      SYSTEMTIME back{};
      ASSERT_TRUE(VariantTimeToSystemTime(d, &back));
      EXPECT_EQ(back.wYear, c.st.wYear);
      EXPECT_EQ(back.wDay, c.st.wDay);
      EXPECT_EQ(back.wHour, c.st.wHour);
      EXPECT_EQ(back.wMinute, c.st.wMinute);
    }
  }
}

TEST(ComStrings, BstrsAndTaskMemoryAreCounted) {
  long bstrs = platform::com::LiveBstrs(), blocks = platform::com::LiveTaskMemBlocks();
  BSTR b = platform::com::AllocBstrFromAnsi("caf\xE9 \x80");
  EXPECT_EQ(SysStringLen(b), 6u);
  EXPECT_EQ(b[3], u'\u00E9');
  EXPECT_EQ(b[5], u'\u20AC');
  EXPECT_EQ(platform::com::AnsiFromWide(b), "caf\xE9 \x80");
  EXPECT_EQ(platform::com::AnsiFromWide(u"\u4E2D"), "?");
  EXPECT_EQ(platform::com::LiveBstrs(), bstrs + 1);
  SysFreeString(b);
  LPWSTR block = platform::com::TaskMemString(u"x");
  EXPECT_EQ(platform::com::LiveTaskMemBlocks(), blocks + 1);
  CoTaskMemFree(block);
  EXPECT_EQ(platform::com::LiveBstrs(), bstrs);
  EXPECT_EQ(platform::com::LiveTaskMemBlocks(), blocks);
  EXPECT_EQ(lstrlenW(nullptr), 0);
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  CoUninitialize();
  CoUninitialize();
}

TEST(CoCreateInstance, FailsCleanlyForEachBrokenRegistration) {
  TempMachine m(TestMachine(platform::OsKind::WinXP, {.registerSchedule = false}));
  ComPtr<IUnknown> object;
  const CLSID clsid = platform::com::MakeGuid(0x11111111, 0x2222, 0x3333, 0x4444555566667777ull);
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()), REGDB_E_CLASSNOTREG);
  auto registerAt = [&](const char* path) {
    HKEY key = 0;
    std::string sub = "CLSID\\" + platform::com::FormatGuid(clsid) + "\\InprocServer32";
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, sub.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), static_cast<DWORD>(strlen(path) + 1));
    RegCloseKey(key);
  };
  registerAt("C:\\missing.dll");
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()), HRESULT_MOD_NOT_FOUND);
  ASSERT_EQ(platform::files::WriteFileContent("C:\\plain.dll", "MZ real code"), ERROR_SUCCESS);
  registerAt("C:\\plain.dll");
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()), HRESULT_MOD_NOT_FOUND);
  ASSERT_EQ(platform::files::WriteFileContent("C:\\other.dll", "MZ-STANDIN module=unknown\r\n"), ERROR_SUCCESS);
  registerAt("C:\\other.dll");
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()), HRESULT_MOD_NOT_FOUND);
  // A stand-in of a known module that does not serve the class.
  registerAt("C:\\WINDOWS\\system32\\mstask.dll");
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(CoCreateInstance(CLSID_CTaskScheduler, reinterpret_cast<IUnknown*>(&object), CLSCTX_INPROC_SERVER,
                             IID_IUnknown, object.putVoid()),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITask, object.putVoid()),
            E_NOINTERFACE);
  EXPECT_EQ(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler, object.putVoid()),
            S_OK);
}

}  // namespace
}  // namespace tessaly::testing
