#include <gtest/gtest.h>

#include "cleaning/delete_at_restart.h"
#include "cleaning/overwrite.h"
#include "engine_fixture.h"
#include "platform/files/file_seams.h"
#include "platform/registry/advapi32.h"
#include "support/registry_calls.h"

namespace tessaly::testing {
namespace {

using platform::OsKind;

constexpr const char* kDir = "C:\\Work";

TEST_F(EngineTest, AddItemAppendsLinesAndDropsTheCallersTab) {
  std::string first = "A", second = "\tB";
  frmClean().AddItem(first);
  frmClean().AddItem(second);
  EXPECT_EQ(Log(), "A\r\n\tB\r\n");
  EXPECT_EQ(Form1().txtResult.SelStart(), static_cast<int>(Log().size()) - 1);
  EXPECT_EQ(Form1().txtResult.SelLength(), 0);
  EXPECT_EQ(first, "A");
  EXPECT_EQ(second, "B");
  frmClean().AddItem("\r\n\r\nTSY has cleaned X , with the following results:");
  EXPECT_EQ(Log(), "A\r\n\tB\r\n\r\n\r\nTSY has cleaned X , with the following results:\r\n");
  EXPECT_EQ(frmClean().txtResult.Text(), "");
}

TEST_F(EngineTest, DeleteFileLogsTheShortNameAndReturnsTheLength) {
  Put("C:\\Work\\Long File Name.txt", std::string(123, 'a'));
  EXPECT_EQ(Delete().DeleteFile("C:\\Work\\Long File Name.txt"), 123);
  EXPECT_EQ(Log(), "\tDeleting file LONGFI~1.TXT\r\n");
  EXPECT_FALSE(Exists("C:\\Work\\Long File Name.txt"));
  // Missing and blank paths: nothing, silently.
  EXPECT_EQ(Delete().DeleteFile("C:\\Work\\missing.txt"), 0);
  EXPECT_EQ(Delete().DeleteFile("   "), 0);
  EXPECT_EQ(Log(), "\tDeleting file LONGFI~1.TXT\r\n");
}

TEST_F(EngineTest, DeleteFileLeavesAFolderAlone) {
  MakeFolders("C:\\Work\\Folder");
  SetFileAttributesA("C:\\Work\\Folder", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Delete().DeleteFile("C:\\Work\\Folder"), 0);
  EXPECT_EQ(GetFileAttributesA("C:\\Work\\Folder"),
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Log(), "");
}

TEST_F(EngineTest, DeleteFileWithShreddingOverwritesEachPassAndLogsNothing) {
  Put("C:\\Work\\secret.txt", std::string(70, 's'));
  Form1().chkBleach.Value(1);
  Form1().cmbShredder.Text("3");
  std::vector<std::string> passes;
  cleaning::SetOverwritePassObserver([&](const std::string& path, int) { passes.push_back(Content(path)); });
  EXPECT_EQ(Delete().DeleteFile("C:\\Work\\secret.txt"), 70);
  cleaning::SetOverwritePassObserver(nullptr);
  EXPECT_EQ(passes, std::vector<std::string>(3, std::string(70, '\0')));
  EXPECT_EQ(Log(), "");
  EXPECT_FALSE(Exists("C:\\Work\\secret.txt"));
}

struct ShredCase {
  std::size_t size;
};

class ShredReadBack : public EngineTest, public ::testing::WithParamInterface<std::size_t> {};

// The pattern repeated over exactly `size` bytes.
std::string Repeated(const std::string& pattern, std::size_t size) {
  std::string out;
  while (out.size() < size) out += pattern;
  out.resize(size);
  return out;
}

TEST_P(ShredReadBack, EveryPassCoversEveryByteWithoutGrowingTheFile) {
  const std::size_t size = GetParam();
  for (bool longBlocks : {false, true}) {
    SCOPED_TRACE(longBlocks ? "xShredDrive" : "xShredFile");
    Put("C:\\Work\\f.bin", std::string(size, 'D'));
    std::vector<std::string> passes;
    cleaning::SetOverwritePassObserver([&](const std::string& path, int) { passes.push_back(Content(path)); });
    std::int32_t result = longBlocks ? Delete().xShredDrive("C:\\Work\\f.bin") : Delete().xShredFile("C:\\Work\\f.bin");
    cleaning::SetOverwritePassObserver(nullptr);
    EXPECT_EQ(result, static_cast<std::int32_t>(size));
    const std::string& pair = longBlocks ? Delete().longPair() : Delete().shortPair();
    const std::string& fill = longBlocks ? Delete().longFill() : Delete().shortFill();
    ASSERT_EQ(passes.size(), 3u);
    EXPECT_EQ(passes[0], Repeated(pair, size));
    EXPECT_EQ(passes[1], Repeated(pair, size));
    EXPECT_EQ(passes[2], Repeated(fill, size));
    EXPECT_FALSE(Exists("C:\\Work\\f.bin"));
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShredReadBack, ::testing::Values(0, 1, 15, 16, 40, 50, 100, 3 * 4096 + 17));

TEST_F(EngineTest, PatternsAreThePairAndFillBytes) {
  Delete().PrepareShredStr();
  EXPECT_EQ(Delete().shortPair(), Repeated(std::string("\x00\xFF", 2), 32));
  EXPECT_EQ(Delete().shortFill(), std::string(32, '\xAA'));
  EXPECT_EQ(Delete().longPair(), Repeated(std::string("\x00\xFF", 2), 4096));
  EXPECT_EQ(Delete().longFill(), std::string(4096, '\xAA'));
}

TEST_F(EngineTest, ShreddersCountNothingWhenTheyFail) {
  Put("C:\\Work\\ro.txt", "keep me");
  SetFileAttributesA("C:\\Work\\ro.txt", FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Delete().xShredFile("C:\\Work\\ro.txt"), 0);
  EXPECT_EQ(Content("C:\\Work\\ro.txt"), "keep me");
  Put("C:\\Work\\held.txt", "held");
  platform::files::HoldFileByOtherProcess("C:\\Work\\held.txt", platform::files::HoldMode::DenyWrite);
  EXPECT_EQ(Delete().xShredFile("C:\\Work\\held.txt"), 0);
  EXPECT_EQ(Delete().xShredFile("C:\\Work\\missing.txt"), 0);
  EXPECT_EQ(Delete().xShredFile(""), 0);
}

// The raw REG_MULTI_SZ data of PendingFileRenameOperations ("" when unset).
std::string PendingOperations() {
  HKEY key = 0;
  std::string data;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key))
    return data;
  DWORD size = 4096, type = 0;
  data.assign(size, '\0');
  if (RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) == ERROR_SUCCESS)
    data.resize(size);
  else
    data.clear();
  RegCloseKey(key);
  return data;
}

const char* const kLockedLines =
    "\tDelete locked file: The file C:\\Work\\LOCKED~1.TXT you are trying to delete is locked.You need to restart "
    "your computer to delete this file\r\n\r\n"
    "\tPermission denied The file C:\\Work\\LOCKED~1.TXT is locked or is on a read only drive/network\r\n\r\n";

TEST_F(EngineTest, LockedFileOnNtIsScheduledAndReported) {
  for (int popups : {0, 1}) {
    SCOPED_TRACE(popups);
    Form1().txtResult.Text("");
    platform::forms::Answers().ClearRecords();
    Form1().chkSkipMessages.Value(popups);
    Put("C:\\Work\\Locked File.txt", "data");
    SetFileAttributesA("C:\\Work\\Locked File.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    platform::files::HoldFileByOtherProcess("C:\\Work\\Locked File.txt", platform::files::HoldMode::DenyWrite);
    EXPECT_EQ(Delete().DeleteFile("C:\\Work\\Locked File.txt"), 0);
    EXPECT_EQ(Log(), std::string("\tDeleting file LOCKED~1.TXT\r\n") + kLockedLines);
    // A deletion: the source and an empty destination.
    EXPECT_NE(PendingOperations().find(Bytes("\\??\\C:\\Work\\LOCKED~1.TXT\0\0")), std::string::npos);
    // The attributes the deletion cleared are back.
    EXPECT_EQ(GetFileAttributesA("C:\\Work\\Locked File.txt"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(BoxTitles(), (popups ? std::vector<std::string>{"Delete locked file", "Permission denied"}
                                   : std::vector<std::string>{}));
    platform::files::ReleaseHeldFile("C:\\Work\\Locked File.txt");
  }
  machine_.machine().Restart();
  EXPECT_FALSE(Exists("C:\\Work\\Locked File.txt"));
}

class LimitedUserTest : public EngineTest {
 protected:
  LimitedUserTest() : EngineTest(OsKind::WinXP, platform::UserKind::Limited) {}
};

TEST_F(LimitedUserTest, LockedFileThatCannotBeScheduledIsReportedAsNotDeleted) {
  std::string folder = g_UserProfileDir + "\\Work";
  Put(folder + "\\locked.txt", "data");
  platform::files::HoldFileByOtherProcess(folder + "\\locked.txt", platform::files::HoldMode::DenyAll);
  Form1().chkSkipMessages.Value(1);
  EXPECT_EQ(Delete().DeleteFile(folder + "\\locked.txt"), 0);
  std::string shortPath = "C:\\DOCUME~1\\User\\Work\\locked.txt";
  EXPECT_EQ(Log(), "\tPermission denied The file " + shortPath + " cannot be deleted\r\n\r\n");
  EXPECT_EQ(BoxTitles(), std::vector<std::string>{"Permission denied"});
  EXPECT_EQ(PendingOperations(), "");
}

class Win9xTest : public EngineTest {
 protected:
  Win9xTest() : EngineTest(OsKind::Win98) {}
};

TEST_F(Win9xTest, LockedFileGoesIntoTheRenameSectionOfWinInit) {
  Put("C:\\Work\\a.txt", "a");
  platform::files::HoldFileByOtherProcess("C:\\Work\\a.txt", platform::files::HoldMode::DenyWrite);
  EXPECT_EQ(Delete().DeleteFile("C:\\Work\\a.txt"), 0);
  EXPECT_EQ(Content("C:\\WINDOWS\\WININIT.INI"), "[Rename]\r\nNUL=C:\\Work\\a.txt\r\n");
  EXPECT_NE(Log().find("you are trying to delete is locked"), std::string::npos);
  // An existing file with another section after [Rename]: the line goes inside.
  platform::files::WriteFileContent("C:\\WINDOWS\\WININIT.INI", "[rename]\r\nNUL=C:\\Work\\a.txt\r\n\r\n[Other]\r\nk=v\r\n");
  Put("C:\\Work\\b.txt", "b");
  platform::files::HoldFileByOtherProcess("C:\\Work\\b.txt", platform::files::HoldMode::DenyWrite);
  Delete().DeleteFile("C:\\Work\\b.txt");
  EXPECT_EQ(Content("C:\\WINDOWS\\WININIT.INI"), "[rename]\r\nNUL=C:\\Work\\a.txt\r\nNUL=C:\\Work\\b.txt\r\n\r\n[Other]\r\nk=v\r\n");
  platform::files::ReleaseHeldFile("C:\\Work\\a.txt");
  platform::files::ReleaseHeldFile("C:\\Work\\b.txt");
  machine_.machine().Restart();
  EXPECT_FALSE(Exists("C:\\Work\\a.txt"));
  EXPECT_FALSE(Exists("C:\\Work\\b.txt"));
}

TEST(WithRenameLine, PlacesTheLineInsideTheRenameSection) {
  struct Case {
    std::string before;
    std::string after;
  } cases[] = {
      {"", "[Rename]\r\nNUL=P\r\n"},
      {"[Other]\r\nk=v", "[Other]\r\nk=v\r\n[Rename]\r\nNUL=P\r\n"},
      {"[Rename]\r\nNUL=A\r\n", "[Rename]\r\nNUL=A\r\nNUL=P\r\n"},
      {"[RENAME]\r\n\r\n[X]\r\n", "[RENAME]\r\nNUL=P\r\n\r\n[X]\r\n"},
      {std::string("[Rename]\r\n\0junk", 15), "[Rename]\r\nNUL=P\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    EXPECT_EQ(cleaning::WithRenameLine(c.before, "NUL=P"), c.after);
  }
}

}  // namespace
}  // namespace tessaly::testing
