// The type-library information component, reached as the program reaches
// it: activated by class identity through the machine's registry.
#include <gtest/gtest.h>

#include "platform/base/runtime_error.h"
#include "platform/com/automation.h"
#include "platform/com/type_lib_info.h"
#include "platform/files/stand_in.h"
#include "platform/registry/advapi32.h"
#include "support/error_capture.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::com;

constexpr const char* kLibrary = "{11111111-2222-3333-4444-555555555555}";
constexpr const char* kFirstClass = "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";

std::string Header(std::vector<std::pair<std::string, std::string>> fields) {
  return platform::files::StandInLine(fields) + std::string(100, '\0');
}

class TypeLibInfoTest : public ::testing::Test {
 protected:
  TypeLibInfoTest()
      : machine_(TestMachine()
                     .file("C:\\lib\\server.dll",
                           Header({{"typelib", "{11111111-2222-3333-4444-555555555555}"},
                                   {"coclass", "{aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee},{12345678-1234-1234-1234-123456789ABC}"}}))
                     .file("C:\\lib\\copy\\SERVER.DLL",
                           Header({{"typelib", "{11111111-2222-3333-4444-555555555555}"},
                                   {"coclass", "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}"}}))
                     .file("C:\\lib\\noclass.dll", Header({{"typelib", "{11111111-2222-3333-4444-555555555555}"}}))
                     .file("C:\\lib\\plain.dll", "no header here")
                     .file("C:\\lib\\versioned.dll", Header({{"version", "1.2.3.4"}}))) {}

  ComPtr<IDispatch> Component() { return NewObject(CLSID_TypeLibInfo); }
  ComVariant Library(const std::string& path) {
    return Invoke(Component().get(), kDispidTypeLibInfoFromFile, DISPATCH_METHOD, {ComVariant::String(path)});
  }
  std::string ClassOf(const std::string& path, int index) {
    ComVariant info = Invoke(Library(path).AsObject().get(), kDispidTypeLibCoClasses, DISPATCH_PROPERTYGET,
                             {ComVariant::Long(index)});
    return Invoke(info.AsObject().get(), kDispidCoClassGuid, DISPATCH_PROPERTYGET).AsString();
  }

  TempMachine machine_;
};

TEST_F(TypeLibInfoTest, CopiesShareTheIdentityInTheirContent) {
  EXPECT_EQ(Invoke(Library("C:\\lib\\server.dll").AsObject().get(), kDispidTypeLibGuid, DISPATCH_PROPERTYGET).AsString(),
            kLibrary);
  EXPECT_EQ(ClassOf("C:\\lib\\server.dll", 1), kFirstClass);  // upper-case, braced
  EXPECT_EQ(ClassOf("C:\\LIB\\COPY\\server.dll", 1), kFirstClass);
  EXPECT_EQ(ClassOf("C:\\lib\\server.dll", 2), "{12345678-1234-1234-1234-123456789ABC}");
}

TEST_F(TypeLibInfoTest, FilesWithoutALibraryOrClassFail) {
  struct Case {
    const char* path;
    HRESULT expected;
  };
  const Case cases[] = {{"C:\\lib\\plain.dll", TYPE_E_CANTLOADLIBRARY},
                        {"C:\\lib\\versioned.dll", TYPE_E_CANTLOADLIBRARY},
                        {"C:\\lib\\missing.dll", TYPE_E_CANTLOADLIBRARY}};
  for (const auto& c : cases) EXPECT_EQ(ErrorOf([&] { Library(c.path); }), c.expected) << c.path;
  EXPECT_EQ(ErrorOf([&] { ClassOf("C:\\lib\\noclass.dll", 1); }), TYPE_E_ELEMENTNOTFOUND);
  EXPECT_EQ(ErrorOf([&] { ClassOf("C:\\lib\\server.dll", 3); }), TYPE_E_ELEMENTNOTFOUND);
}

TEST_F(TypeLibInfoTest, UnregisteredComponentCannotBeCreated) {
  ASSERT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "CLSID\\{8B21775E-717D-11CE-AB5B-D41203C10000}\\InprocServer32"), 0);
  EXPECT_EQ(ErrorOf([&] { Component(); }), 429);
}

}  // namespace
}  // namespace tessaly::testing
