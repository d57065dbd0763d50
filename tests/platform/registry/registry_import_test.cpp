// Importing REGEDIT4 text into a machine, as the machine builder and the
// test fixtures do.
#include <gtest/gtest.h>

#include "platform/machine/description.h"
#include "platform/registry/registry_import.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"

using namespace tessaly::testing;
using platform::OsKind;
using platform::registry::ImportRegistryText;

namespace {

const char kImport[] =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tessaly]\r\n"
    "\"Version\"=\"1.0\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
    "\"Cookies\"=\"C:\\\\WINDOWS\\\\Cookies\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\.txt]\r\n"
    "@=\"txtfile\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_CONFIG\\Display]\r\n"
    "\"Depth\"=dword:00000020\r\n"
    "\r\n"
    "[hkey_users\\.DEFAULT\\Control Panel]\r\n"
    "\"Beep\"=\"yes\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tessaly]\r\n"
    "\"Path\"=hex(2):43,3a,00\r\n";

TEST(RegistryImport, EveryRootLandsWhereItsAliasPoints) {
  for (OsKind os : {OsKind::WinXP, OsKind::Win98}) {
    TempMachine scratch(os);
    ImportRegistryText(scratch.machine(), kImport, "default.reg");
    bool nt = os == OsKind::WinXP;
    std::string user = nt ? platform::MachineDescription{}.userSid : ".DEFAULT";
    std::string config = nt ? "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current" : "Config\\0001";

    scratch.Reopen();  // imported keys are stored
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaly", "Version"), (TypedData{REG_SZ, Bytes("1.0\0")}));
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaly", "Path"), (TypedData{REG_EXPAND_SZ, Bytes("C:\0")}))
        << "repeated sections merge";
    EXPECT_EQ(QueryValue(HKEY_USERS,
                         (user + "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders").c_str(),
                         "Cookies"),
              (TypedData{REG_SZ, Bytes("C:\\WINDOWS\\Cookies\0")}));
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.txt", ""), (TypedData{REG_SZ, Bytes("txtfile\0")}));
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, (config + "\\Display").c_str(), "Depth"),
              (TypedData{REG_DWORD, Bytes("\x20\0\0\0")}));
    EXPECT_EQ(QueryValue(HKEY_USERS, ".DEFAULT\\Control Panel", "Beep"), (TypedData{REG_SZ, Bytes("yes\0")}));
  }
}

TEST(RegistryImport, ErrorsChangeNothing) {
  struct Case {
    const char* what;
    std::string text;
    int line;
  };
  const std::string good = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Imported]\r\n\"a\"=\"1\"\r\n\r\n";
  const Case cases[] = {
      {"syntax error after good sections", good + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Later]\r\n\"b\"=dword:xyz\r\n", 7},
      {"unknown root", good + "[HKEY_LOCAL_MACHINES\\X]\r\n", 6},
      {"performance data is no import root", good + "[HKEY_PERFORMANCE_DATA\\X]\r\n", 6},
      {"abbreviated root", good + "[HKLM\\SOFTWARE\\X]\r\n", 6},
      {"too deep below an alias",
       [&] {
         std::string deep = good + "[HKEY_CLASSES_ROOT";
         for (int i = 0; i < 511; ++i) deep += "\\k";
         return deep + "]\r\n";
       }(),
       6},
  };
  for (const Case& c : cases) {
    TempMachine scratch;
    try {
      ImportRegistryText(scratch.machine(), c.text, "fixture.reg");
      ADD_FAILURE() << c.what << ": imported";
    } catch (const platform::MachineError& error) {
      EXPECT_NE(std::string(error.what()).find("fixture.reg line " + std::to_string(c.line) + ":"), std::string::npos)
          << c.what << ": " << error.what();
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Imported")) << c.what;
  }
}

}  // namespace
