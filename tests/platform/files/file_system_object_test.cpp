#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/file_seams.h"
#include "platform/files/file_system_object.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/stand_in.h"
#include "support/error_capture.h"
#include "support/temp_machine.h"

namespace {

using namespace platform::scripting;
using tessaly::testing::ErrorOf;
using tessaly::testing::TempMachine;
using tessaly::testing::DriveTableMachine;
using tessaly::testing::SmallDriveMachine;
namespace fs = std::filesystem;

TEST(FileSystemObject, ExistsTestsAndDrives) {
  TempMachine m(DriveTableMachine());
  FileSystemObject fso;
  std::uint64_t imageFree = fso.GetDrive("C").FreeSpace();
  m.Put("a.txt", std::string(5000, 'a'));
  m.Put("Dir/x.txt", "x");
  m.Reopen();  // the next start sees the files placed from outside
  struct Case {
    const char* path;
    bool file, folder;
  } cases[] = {
      {"C:\\a.txt", true, false},     {"c:\\A.TXT", true, false},   {"C:\\a.txt\\", false, false},
      {"", false, false},             {"C:\\*.txt", false, false},  {"C:\\Dir", false, true},
      {"C:\\Dir\\", false, true},     {"C:\\", false, true},        {"C:\\D?r", false, false},
      {"Q:\\a.txt", false, false},    {"Q:\\", false, false},       {"D:\\x", false, false},
      {"C:\\none.txt", false, false}, {"C:\\No\\x", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fso.FileExists(c.path), c.file) << c.path;
    EXPECT_EQ(fso.FolderExists(c.path), c.folder) << c.path;
  }
  for (const char* d : {"c", "C:", "c:\\", "D", "e:"}) EXPECT_TRUE(fso.DriveExists(d)) << d;
  for (const char* d : {"q", "Q:\\", "", "cc", "C:\\Dir", "1"}) EXPECT_FALSE(fso.DriveExists(d)) << d;

  Drive c = fso.GetDrive("c:\\");
  EXPECT_EQ(c.DriveLetter(), "C");
  EXPECT_EQ(c.Path(), "C:");
  EXPECT_EQ(c.DriveType(), DriveKind::Fixed);
  EXPECT_TRUE(c.IsReady());
  EXPECT_EQ(c.VolumeName(), "SYSTEM");
  EXPECT_EQ(c.FileSystem(), "NTFS");
  EXPECT_EQ(c.TotalSize(), 16ull << 20);
  std::uint64_t free = imageFree - 8192 - 4096;  // a.txt: 2 clusters, x.txt: 1
  EXPECT_EQ(c.FreeSpace(), free);
  EXPECT_EQ(c.AvailableSpace(), free);

  Drive d = fso.GetDrive("D");
  EXPECT_EQ(d.DriveType(), DriveKind::CdRom);
  EXPECT_FALSE(d.IsReady());
  EXPECT_EQ(ErrorOf([&] { d.VolumeName(); }), 71);
  EXPECT_EQ(ErrorOf([&] { d.FileSystem(); }), 71);
  EXPECT_EQ(ErrorOf([&] { d.TotalSize(); }), 71);
  EXPECT_EQ(ErrorOf([&] { d.FreeSpace(); }), 71);
  EXPECT_EQ(ErrorOf([&] { d.AvailableSpace(); }), 71);
  EXPECT_EQ(ErrorOf([&] { fso.GetDrive("q:"); }), 68);
  EXPECT_EQ(ErrorOf([&] { fso.GetDrive("C:\\Dir"); }), 5);
}

TEST(FileSystemObject, FilesFoldersAndVersions) {
  auto builder = DriveTableMachine();
  builder.description().timeZoneBias = 0;
  TempMachine m(builder);
  FileSystemObject fso;
  fso.CreateFolder("C:\\Data");
  fso.CreateTextFile("C:\\Data\\Notes.txt").Write("12345");
  m.Put("Data/Sub/more.bin", std::string(100, 'm'));
  m.Put("standin.dll", platform::files::StandInLine({{"version", "5.1.2600.2180"}, {"module", "x"}}) + "pad");
  m.Put("noversion.dll", platform::files::StandInLine({{"module", "x"}}));
  m.Put("plain.dll", "MZ\x90");

  File file = fso.GetFile("c:\\data\\NOTES.TXT");
  EXPECT_EQ(file.Name(), "Notes.txt");
  EXPECT_EQ(file.Path(), "C:\\Data\\Notes.txt");
  EXPECT_EQ(file.Size(), 5u);
  EXPECT_EQ(file.Attributes(), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(platform::forms::DateText(file.DateLastModified()), "6/15/2006 12:00:00 PM");
  Folder folder = fso.GetFolder("c:\\DATA\\");
  EXPECT_EQ(folder.Name(), "Data");
  EXPECT_EQ(folder.Path(), "C:\\Data");
  EXPECT_EQ(folder.Size(), 105u);
  EXPECT_EQ(folder.Attributes() & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(fso.GetFolder("C:\\").Name(), "");

  EXPECT_EQ(fso.GetFileVersion("C:\\standin.dll"), "5.1.2600.2180");
  EXPECT_EQ(fso.GetFileVersion("C:\\noversion.dll"), "");
  EXPECT_EQ(fso.GetFileVersion("C:\\plain.dll"), "");
  // A copy keeps its identity: it is in the content.
  fso.CopyFile("C:\\standin.dll", "C:\\Data\\");
  EXPECT_EQ(fso.GetFileVersion("C:\\Data\\standin.dll"), "5.1.2600.2180");

  struct Case {
    const char* what;
    std::function<void()> call;
    int expected;
  } cases[] = {
      {"file missing", [&] { fso.GetFile("C:\\none.txt"); }, 53},
      {"file is a folder", [&] { fso.GetFile("C:\\Data"); }, 53},
      {"folder missing", [&] { fso.GetFolder("C:\\None"); }, 76},
      {"folder is a file", [&] { fso.GetFolder("C:\\plain.dll"); }, 76},
      {"file unmapped", [&] { fso.GetFile("Q:\\x"); }, 68},
      {"version missing", [&] { fso.GetFileVersion("C:\\none.dll"); }, 53},
      {"version missing folder", [&] { fso.GetFileVersion("C:\\No\\none.dll"); }, 53},
      {"create folder exists", [&] { fso.CreateFolder("C:\\Data"); }, 58},
      {"create folder parent missing", [&] { fso.CreateFolder("C:\\No\\Sub"); }, 76},
      {"create folder write-protected", [&] { fso.CreateFolder("E:\\New"); }, 70},
      {"entry gone since", [&] {
         File gone = fso.GetFile("C:\\plain.dll");
         DeleteFileA("C:\\plain.dll");
         gone.Size();
       }, 53},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.expected) << c.what;
}

TEST(FileSystemObject, DeleteFileAndCopyFile) {
  TempMachine m(DriveTableMachine());
  FileSystemObject fso;
  m.Put("K/a.tmp", "a");
  m.Put("K/b.tmp", "b");
  m.Put("K/c.tmp", "c");
  m.Put("K/keep.txt", "k");
  fs::create_directories(m.drive() / "K" / "dir.tmp");
  SetFileAttributesA("C:\\K\\b.tmp", FILE_ATTRIBUTE_READONLY);
  // Stops at the read-only file; what was deleted stays deleted.
  EXPECT_EQ(ErrorOf([&] { fso.DeleteFile("C:\\K\\*.tmp"); }), 70);
  EXPECT_FALSE(fs::exists(m.drive() / "K" / "a.tmp"));
  EXPECT_TRUE(fs::exists(m.drive() / "K" / "b.tmp"));
  EXPECT_TRUE(fs::exists(m.drive() / "K" / "c.tmp"));
  fso.DeleteFile("C:\\K\\*.tmp", true);
  EXPECT_FALSE(fs::exists(m.drive() / "K" / "b.tmp"));
  EXPECT_FALSE(fs::exists(m.drive() / "K" / "c.tmp"));
  EXPECT_TRUE(fs::is_directory(m.drive() / "K" / "dir.tmp"));
  EXPECT_TRUE(fs::exists(m.drive() / "K" / "keep.txt"));

  m.Put("held.txt", "h");
  m.Put("image.dll", "i");
  m.Put("ro.txt", "r");
  SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  platform::files::HoldFileByOtherProcess("C:\\held.txt", platform::files::HoldMode::DenyWrite);
  platform::files::MarkFileInUse("C:\\image.dll");
  m.Put("Dst/exists.txt", "old");
  struct Case {
    const char* what;
    std::function<void()> call;
    int expected;
  } cases[] = {
      {"delete nothing matched", [&] { fso.DeleteFile("C:\\K\\*.none"); }, 53},
      {"delete a folder", [&] { fso.DeleteFile("C:\\K\\dir.tmp"); }, 53},
      {"delete in missing folder", [&] { fso.DeleteFile("C:\\No\\*.*"); }, 76},
      {"delete unmapped", [&] { fso.DeleteFile("Q:\\*.*"); }, 68},
      {"delete held", [&] { fso.DeleteFile("C:\\held.txt"); }, 70},
      {"delete held forced", [&] { fso.DeleteFile("C:\\held.txt", true); }, 70},
      {"delete in-use image", [&] { fso.DeleteFile("C:\\image.dll"); }, 70},
      {"copy exists no overwrite", [&] { fso.CopyFile("C:\\K\\keep.txt", "C:\\Dst\\exists.txt", false); }, 58},
      {"copy onto read-only", [&] { fso.CopyFile("C:\\K\\keep.txt", "C:\\ro.txt"); }, 70},
      {"copy missing", [&] { fso.CopyFile("C:\\none.txt", "C:\\Dst\\"); }, 53},
      {"copy to missing folder", [&] { fso.CopyFile("C:\\K\\keep.txt", "C:\\No\\"); }, 76},
      {"copy unmapped", [&] { fso.CopyFile("C:\\K\\keep.txt", "Q:\\x.txt"); }, 68},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.expected) << c.what;
  // A failed forced delete keeps the attributes.
  SetFileAttributesA("C:\\held.txt", FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ErrorOf([&] { fso.DeleteFile("C:\\held.txt", true); }), 70);
  EXPECT_EQ(GetFileAttributesA("C:\\held.txt"), FILE_ATTRIBUTE_READONLY);
  fso.DeleteFile("C:\\ro.txt", true);
  EXPECT_FALSE(fs::exists(m.drive() / "ro.txt"));

  fso.CopyFile("C:\\K\\keep.txt", "C:\\Dst\\");
  EXPECT_EQ(m.HostContent("Dst/keep.txt"), "k");
  fso.CopyFile("C:\\K\\keep.txt", "C:\\Dst\\exists.txt");
  EXPECT_EQ(m.HostContent("Dst/exists.txt"), "k");
  m.Put("W/1.log", "1");
  m.Put("W/2.log", "2");
  fso.CopyFile("C:\\W\\*.log", "C:\\Dst");
  EXPECT_EQ(m.HostContent("Dst/1.log"), "1");
  EXPECT_EQ(m.HostContent("Dst/2.log"), "2");
}

TEST(FileSystemObject, DeleteFolderStopsAtAReadOnlyItem) {
  TempMachine m(DriveTableMachine());
  FileSystemObject fso;
  m.Put("T/a.txt", "a");
  m.Put("T/b.txt", "b");
  m.Put("T/c.txt", "c");
  m.Put("T/Sub/d.txt", "d");
  SetFileAttributesA("C:\\T\\b.txt", FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ErrorOf([&] { fso.DeleteFolder("C:\\T"); }), 70);
  EXPECT_FALSE(fs::exists(m.drive() / "T" / "a.txt"));  // deleted before the failure: stays deleted
  EXPECT_TRUE(fs::exists(m.drive() / "T" / "b.txt"));
  EXPECT_TRUE(fs::exists(m.drive() / "T" / "c.txt"));
  EXPECT_TRUE(fs::exists(m.drive() / "T" / "Sub" / "d.txt"));
  fso.DeleteFolder("C:\\T", true);
  EXPECT_FALSE(fs::exists(m.drive() / "T"));

  // A read-only folder needs force too.
  m.Put("R/x.txt", "x");
  SetFileAttributesA("C:\\R", FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ErrorOf([&] { fso.DeleteFolder("C:\\R"); }), 70);
  EXPECT_FALSE(fs::exists(m.drive() / "R" / "x.txt"));
  EXPECT_TRUE(fs::exists(m.drive() / "R"));
  fso.DeleteFolder("C:\\R", true);
  EXPECT_FALSE(fs::exists(m.drive() / "R"));

  m.Put("keep.txt", "k");
  m.Put("W1/x", "x");
  m.Put("W2/y", "y");
  m.Put("Wfile", "f");
  m.Put("Other/z", "z");
  for (const char* root : {"C:\\", "c:/", "C:\\Other\\..", "\\"}) {
    EXPECT_EQ(ErrorOf([&] { fso.DeleteFolder(root); }), 70) << root;
    EXPECT_EQ(ErrorOf([&] { fso.DeleteFolder(root, true); }), 70) << root;
  }
  EXPECT_TRUE(fs::exists(m.drive() / "keep.txt"));
  EXPECT_EQ(ErrorOf([&] { fso.DeleteFolder("C:\\W1\\"); }), 76);
  EXPECT_EQ(ErrorOf([&] { fso.DeleteFolder("C:\\None"); }), 76);
  EXPECT_EQ(ErrorOf([&] { fso.DeleteFolder("C:\\Wfile"); }), 76);
  EXPECT_EQ(ErrorOf([&] { fso.DeleteFolder("Q:\\W1"); }), 68);
  fso.DeleteFolder("C:\\W*");
  EXPECT_FALSE(fs::exists(m.drive() / "W1"));
  EXPECT_FALSE(fs::exists(m.drive() / "W2"));
  EXPECT_TRUE(fs::exists(m.drive() / "Wfile"));
  EXPECT_TRUE(fs::exists(m.drive() / "Other" / "z"));
}

TEST(FileSystemObject, TextStreamsAnsiAndUnicode) {
  TempMachine m(DriveTableMachine());
  FileSystemObject fso;
  m.Put("lines.txt", "one\r\ntwo\nthree\rstill\nlast");
  TextStream in = fso.OpenTextFile("C:\\lines.txt");
  std::vector<std::string> lines;
  while (!in.AtEndOfStream()) lines.push_back(in.ReadLine());
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three\rstill", "last"}));
  EXPECT_EQ(ErrorOf([&] { in.ReadLine(); }), 62);
  EXPECT_EQ(ErrorOf([&] { in.ReadAll(); }), 62);
  EXPECT_EQ(ErrorOf([&] { in.Read(1); }), 62);
  EXPECT_EQ(ErrorOf([&] { in.Write("x"); }), 54);
  in.Close();
  EXPECT_EQ(ErrorOf([&] { in.AtEndOfStream(); }), 54);

  TextStream again = fso.OpenTextFile("C:\\lines.txt", IOMode::ForReading);
  EXPECT_EQ(again.Read(5), "one\r\n");
  EXPECT_EQ(again.ReadAll(), "two\nthree\rstill\nlast");
  m.Put("empty.txt", "");
  EXPECT_EQ(ErrorOf([&] { fso.OpenTextFile("C:\\empty.txt").ReadAll(); }), 62);

  // ANSI writes the program's bytes unchanged.
  TextStream ansi = fso.CreateTextFile("C:\\ansi.txt");
  ansi.Write("\x80\xE9\xFF");
  ansi.WriteLine("!");
  EXPECT_EQ(ErrorOf([&] { ansi.ReadLine(); }), 54);
  ansi.Close();
  EXPECT_EQ(m.HostContent("ansi.txt"), "\x80\xE9\xFF!\r\n");

  // Unicode: UTF-16LE with a byte-order mark, written once.
  TextStream wide = fso.CreateTextFile("C:\\wide.txt", true, true);
  wide.WriteLine("\xE9\x80");
  wide.Close();
  TextStream more = fso.OpenTextFile("C:\\wide.txt", IOMode::ForAppending, false, Tristate::True);
  more.Write("z");
  more.Close();
  EXPECT_EQ(m.HostContent("wide.txt"), std::string("\xFF\xFE\xE9\x00\xAC\x20\x0D\x00\x0A\x00z\x00", 12));
  TextStream back = fso.OpenTextFile("C:\\wide.txt", IOMode::ForReading, false, Tristate::True);
  EXPECT_EQ(back.ReadLine(), "\xE9\x80");
  EXPECT_EQ(back.ReadAll(), "z");
  EXPECT_TRUE(back.AtEndOfStream());

  // Writing mode truncates; appending continues; create makes a missing file.
  TextStream over = fso.OpenTextFile("C:\\ansi.txt", IOMode::ForWriting);
  over.Write("new");
  over.Close();
  EXPECT_EQ(m.HostContent("ansi.txt"), "new");
  fso.OpenTextFile("C:\\made.txt", IOMode::ForAppending, true).WriteLine("m");
  EXPECT_EQ(m.HostContent("made.txt"), "m\r\n");

  m.Put("held.txt", "h");
  platform::files::HoldFileByOtherProcess("C:\\held.txt", platform::files::HoldMode::DenyWrite);
  struct Case {
    const char* what;
    std::function<void()> call;
    int expected;
  } cases[] = {
      {"open missing", [&] { fso.OpenTextFile("C:\\none.txt"); }, 53},
      {"open missing for writing", [&] { fso.OpenTextFile("C:\\none.txt", IOMode::ForWriting); }, 53},
      {"open in missing folder", [&] { fso.OpenTextFile("C:\\No\\x.txt", IOMode::ForReading, true); }, 76},
      {"create exists", [&] { fso.CreateTextFile("C:\\ansi.txt", false); }, 58},
      {"create in missing folder", [&] { fso.CreateTextFile("C:\\No\\x.txt"); }, 76},
      {"create unmapped", [&] { fso.CreateTextFile("Q:\\x.txt"); }, 68},
      {"append held", [&] { fso.OpenTextFile("C:\\held.txt", IOMode::ForAppending); }, 70},
      {"create write-protected", [&] { fso.CreateTextFile("E:\\x.txt"); }, 70},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.expected) << c.what;
  EXPECT_FALSE(fs::exists(m.drive() / "none.txt"));
  EXPECT_EQ(m.HostContent("ansi.txt"), "new");
}

TEST(FileSystemObject, AFailedWriteRaisesAndTheStreamStaysOpen) {
  TempMachine m(SmallDriveMachine());
  m.Put("keep.txt", std::string(5000, 'k'), 'F');
  FileSystemObject fso;
  TextStream out = fso.CreateTextFile("F:\\big.txt");
  out.Write(std::string(40000, 'a'));
  EXPECT_EQ(ErrorOf([&] { out.Write(std::string(30000, 'b')); }), 61);
  out.WriteLine("tail");
  out.Close();
  EXPECT_EQ(m.HostContent("big.txt", 'F'), std::string(40000, 'a') + "tail\r\n");
  EXPECT_EQ(m.HostContent("keep.txt", 'F'), std::string(5000, 'k'));
}

}  // namespace
