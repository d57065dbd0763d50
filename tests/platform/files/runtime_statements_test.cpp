#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>

#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/runtime_files.h"
#include "support/error_capture.h"
#include "support/temp_machine.h"

namespace {

using namespace platform::vb;
using tessaly::testing::ErrorOf;
using tessaly::testing::TempMachine;
using tessaly::testing::DriveTableMachine;
using tessaly::testing::SmallDriveMachine;

struct ErrorCase {
  const char* what;
  std::function<void()> statement;
  int expected;
};

void ExpectErrors(const std::vector<ErrorCase>& cases) {
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.statement), c.expected) << c.what;
}

// A machine with one file of each troublesome kind.
struct StatementMachine : TempMachine {
  StatementMachine() : TempMachine(DriveTableMachine()) {
    Put("a.txt", "abc");
    Put("b.txt", "b");
    Put("ro.txt", "r");
    Put("held.txt", "h");
    Put("locked.txt", "l");
    Put("image.dll", "MZ");
    Put("Dir/x.txt", "x");
    Put("Full/y.txt", "y");
    Put("e.txt", "e", 'E');
    SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_READONLY);
    platform::files::HoldFileByOtherProcess("C:\\held.txt", platform::files::HoldMode::DenyWrite);
    platform::files::HoldFileByOtherProcess("C:\\locked.txt", platform::files::HoldMode::DenyAll);
    platform::files::MarkFileInUse("C:\\image.dll");
  }
};

TEST(RuntimeStatements, OpenFailuresFollowTheTable) {
  StatementMachine m;
  ExpectErrors({
      {"input missing file", [] { Open("C:\\none.txt", OpenMode::Input); }, 53},
      {"input in missing folder", [] { Open("C:\\No\\none.txt", OpenMode::Input); }, 76},
      {"output in missing folder", [] { Open("C:\\No\\new.txt", OpenMode::Output); }, 76},
      {"unmapped drive", [] { Open("Q:\\x.txt", OpenMode::Output); }, 68},
      {"invalid drive", [] { Open("1:\\x.txt", OpenMode::Input); }, 68},
      {"no media", [] { Open("D:\\x.txt", OpenMode::Input); }, 71},
      {"a folder", [] { Open("C:\\Dir", OpenMode::Output); }, 75},
      {"a folder for input", [] { Open("C:\\Dir", OpenMode::Input); }, 75},
      {"output read-only", [] { Open("C:\\ro.txt", OpenMode::Output); }, 75},
      {"append read-only", [] { Open("C:\\ro.txt", OpenMode::Append); }, 75},
      {"output held", [] { Open("C:\\held.txt", OpenMode::Output); }, 70},
      {"input held deny-all", [] { Open("C:\\locked.txt", OpenMode::Input); }, 70},
      {"binary held deny-all", [] { Open("C:\\locked.txt", OpenMode::Binary); }, 70},
      {"write-protected media", [] { Open("E:\\new.txt", OpenMode::Output); }, 70},
      {"output in-use image", [] { Open("C:\\image.dll", OpenMode::Output); }, 70},
      {"invalid name", [] { Open("C:\\bad|name.txt", OpenMode::Input); }, 52},
      {"number 0", [] { Open("C:\\a.txt", OpenMode::Input, 0); }, 52},
      {"number 512", [] { Open("C:\\a.txt", OpenMode::Input, 512); }, 52},
  });
  // Nothing was created by the failures.
  EXPECT_EQ(GetFileAttributesA("C:\\No"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(m.HostContent("ro.txt"), "r");
  EXPECT_EQ(m.HostContent("held.txt"), "h");
  // The error carries the standard text.
  auto error = tessaly::testing::CaughtError([] { Open("Q:\\x.txt", OpenMode::Input); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->description(), "Device unavailable");
}

TEST(RuntimeStatements, FileNumbersAndModes) {
  StatementMachine m;
  EXPECT_EQ(FreeFile(), 1);
  int f = Open("C:\\a.txt", OpenMode::Input);
  EXPECT_EQ(f, 1);
  EXPECT_EQ(FreeFile(), 2);
  Open("C:\\b.txt", OpenMode::Input, 3);
  EXPECT_EQ(FreeFile(), 2);
  ExpectErrors({
      {"open an open number", [] { Open("C:\\b.txt", OpenMode::Input, 1); }, 55},
      {"closed number", [] { LineInput(2); }, 52},
      {"print to input", [] { PrintLine(1, "x"); }, 54},
      {"get from input", [] {
         std::string s(1, ' ');
         Get(1, 1, s);
       }, 54},
      {"input access write", [] { Open("C:\\b.txt", OpenMode::Input, 4, OpenAccess::Write); }, 54},
  });
  Close(1);
  Close(1);  // a number that is not open is left alone
  EXPECT_EQ(FreeFile(), 1);
  Close();
  EXPECT_EQ(ErrorOf([] { LineInput(3); }), 52);
  int out = Open("C:\\new.txt", OpenMode::Output);
  EXPECT_EQ(ErrorOf([&] { LineInput(out); }), 54);
  Close(out);

  // A read-only file opens for Binary; writing to it then fails.
  int bin = Open("C:\\ro.txt", OpenMode::Binary);
  std::string byte(1, ' ');
  Get(bin, 1, byte);
  EXPECT_EQ(byte, "r");
  EXPECT_EQ(ErrorOf([&] { Put(bin, 1, std::string_view("w")); }), 75);
  // So does a file held deny-write by another process.
  int held = Open("C:\\held.txt", OpenMode::Binary);
  EXPECT_EQ(ErrorOf([&] { Put(held, 1, std::string_view("w")); }), 75);
  Close();
  EXPECT_EQ(m.HostContent("ro.txt"), "r");
  EXPECT_EQ(m.HostContent("held.txt"), "h");

  // Every number taken: 67.
  for (int n = 1; n <= kMaxFileNumber; ++n) Open("C:\\a.txt", OpenMode::Input, n);
  EXPECT_EQ(ErrorOf([] { FreeFile(); }), 67);
  Close();
  EXPECT_EQ(FreeFile(), 1);
}

TEST(RuntimeStatements, LineInputLineEnds) {
  TempMachine m(DriveTableMachine());
  m.Put("lines.txt", std::string("one\r\ntwo\rthree\nstill three\r\n\r\nlast"));
  m.Put("empty.txt", "");
  m.Put("ends.txt", "only\r\n");
  int f = Open("C:\\lines.txt", OpenMode::Input);
  std::vector<std::string> lines;
  while (!Eof(f)) lines.push_back(LineInput(f));
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three\nstill three", "", "last"}));
  EXPECT_EQ(ErrorOf([&] { LineInput(f); }), 62);
  int e = Open("C:\\empty.txt", OpenMode::Input);
  EXPECT_TRUE(Eof(e));
  EXPECT_EQ(ErrorOf([&] { LineInput(e); }), 62);
  int g = Open("C:\\ends.txt", OpenMode::Input);
  EXPECT_EQ(LineInput(g), "only");
  EXPECT_TRUE(Eof(g));
  EXPECT_EQ(ErrorOf([&] { LineInput(g); }), 62);
  Close();

  // Input(n) takes bytes, line ends included; too few left raises and
  // consumes nothing.
  int h = Open("C:\\lines.txt", OpenMode::Input);
  EXPECT_EQ(Input(5, h), "one\r\n");
  EXPECT_EQ(ErrorOf([&] { Input(1000, h); }), 62);
  EXPECT_EQ(Input(3, h), "two");
  EXPECT_EQ(Seek(h), 9);
  EXPECT_EQ(Lof(h), 34);
}

TEST(RuntimeStatements, PrintZonesAndNumbers) {
  TempMachine m(DriveTableMachine());
  int f = Open("C:\\print.txt", OpenMode::Output);
  Print(f, {"a", Zone, "b"});
  Print(f, {5, Join, -2.5, Join});
  Print(f, {"x"});
  Print(f);
  Print(f, {"abcdefghijklmnop", Zone, "z", Zone});
  Print(f, {Zone, true, Join, 0.25});
  Print(f, {"ab", Join});
  Print(f, {Zone, "c"});
  Print(f, {Zone, 12345678901.0});
  Close(f);
  EXPECT_EQ(m.HostContent("print.txt"),
            "a             b\r\n"
            " 5 -2.5 x\r\n"
            "\r\n"
            "abcdefghijklmnop            z             "
            "              True 0.25 \r\n"
            "ab            c\r\n"
            "               12345678901 \r\n");

  // Append continues at the end; Output truncates.
  int a = Open("C:\\print.txt", OpenMode::Append);
  PrintLine(a, "more");
  Close(a);
  EXPECT_EQ(m.HostContent("print.txt").substr(m.HostContent("print.txt").size() - 6), "more\r\n");
  int o = Open("C:\\print.txt", OpenMode::Output);
  PrintLine(o, "new");
  Close(o);
  EXPECT_EQ(m.HostContent("print.txt"), "new\r\n");
}

TEST(RuntimeStatements, WriteAndInputItemsRoundTrip) {
  TempMachine m(DriveTableMachine());
  using platform::forms::DateSerial;
  using platform::forms::TimeSerial;
  FileDate day{DateSerial(2005, 12, 31)}, time{TimeSerial(22, 15, 0)}, both{day.value + time.value};
  int f = Open("C:\\data.txt", OpenMode::Output);
  Write(f, {"a, b", 3, -1.5, true, false, day, time, both, FileItem()});
  Write(f, {"second line"});
  Close(f);
  EXPECT_EQ(m.HostContent("data.txt"),
            "\"a, b\",3,-1.5,#TRUE#,#FALSE#,#2005-12-31#,#22:15:00#,#2005-12-31 22:15:00#,\r\n"
            "\"second line\"\r\n");

  int g = Open("C:\\data.txt", OpenMode::Input);
  std::vector<FileItem> items = InputItems(g, 10);
  std::vector<FileItem> expected{"a, b", 3, -1.5, true, false, day, time, both, FileItem(), "second line"};
  EXPECT_EQ(items, expected);
  EXPECT_TRUE(Eof(g));
  EXPECT_EQ(ErrorOf([&] { InputItem(g); }), 62);
  Close(g);

  // Hand-written data: blanks around items, bare text, a last item without
  // a line end.
  m.Put("hand.txt", "  12 , word with blanks ,\"q\"  ,1.5E2\r\n\"end\"");
  int h = Open("C:\\hand.txt", OpenMode::Input);
  EXPECT_EQ(InputItems(h, 5), (std::vector<FileItem>{12, "word with blanks", "q", 150.0, "end"}));
}

TEST(RuntimeStatements, GetAndPutPastTheEnd) {
  TempMachine m(DriveTableMachine());
  int f = Open("C:\\data.bin", OpenMode::Binary);
  EXPECT_EQ(Lof(f), 0);
  Put(f, 5, std::string_view("xy"));
  EXPECT_EQ(Lof(f), 6);
  EXPECT_EQ(m.HostContent("data.bin"), std::string("\0\0\0\0xy", 6));
  std::string four(4, '?');
  Get(f, 5, four);
  EXPECT_EQ(four, std::string("xy\0\0", 4));
  EXPECT_TRUE(Eof(f));
  EXPECT_EQ(Seek(f), 9);
  std::string two(2, '?');
  Get(f, 1, two);
  EXPECT_FALSE(Eof(f));
  // Without a position: the current one.
  Put(f, std::string_view("AB"));
  EXPECT_EQ(m.HostContent("data.bin"), std::string("\0\0AB", 4) + "xy");
  // A record written through another number is read as written.
  int other = Open("C:\\data.bin", OpenMode::Binary);
  Get(f, 1, two);
  EXPECT_EQ(two, std::string("\0\0", 2));
  Put(other, 1, std::string_view("Z"));
  Get(f, 1, two);
  EXPECT_EQ(two, std::string("Z\0", 2));
  Close(other);
  EXPECT_EQ(ErrorOf([&] { Get(f, 0, two); }), 63);
  EXPECT_EQ(ErrorOf([&] { Seek(f, -1); }), 63);
  Close(f);
  EXPECT_EQ(FileLen("C:\\data.bin"), 6);

  // Random: records of the open's length, positions count records.
  struct Record {
    std::int32_t id;
    char name[4];
  };
  int r = Open("C:\\records.dat", OpenMode::Random, OpenAccess::Default, 16);
  Put(r, 3, Record{7, {'a', 'b', 'c', 'd'}});
  EXPECT_EQ(Lof(r), 40);
  EXPECT_EQ(Seek(r), 4);
  Record back{};
  Get(r, 3, back);
  EXPECT_EQ(back.id, 7);
  EXPECT_EQ(std::string(back.name, 4), "abcd");
  Get(r, 1, back);
  EXPECT_EQ(back.id, 0);
  EXPECT_FALSE(Eof(r));
  Get(r, 9, back);
  EXPECT_TRUE(Eof(r));
  struct Big {
    char bytes[32];
  } big{};
  EXPECT_EQ(ErrorOf([&] { Put(r, 1, big); }), 59);
}

TEST(RuntimeStatements, FullDiskDuringAWriteKeepsOtherFiles) {
  TempMachine m(SmallDriveMachine());
  m.Put("keep.txt", std::string(5000, 'k'), 'F');
  int f = Open("F:\\big.txt", OpenMode::Output);
  PrintLine(f, std::string(40000, 'a'));
  EXPECT_EQ(ErrorOf([&] { PrintLine(f, std::string(30000, 'b')); }), 61);
  // The failed write wrote nothing; the file number is still usable.
  EXPECT_EQ(Lof(f), 40002);
  PrintLine(f, "tail");
  Close(f);
  EXPECT_EQ(m.HostContent("big.txt", 'F'), std::string(40000, 'a') + "\r\ntail\r\n");
  EXPECT_EQ(m.HostContent("keep.txt", 'F'), std::string(5000, 'k'));
  int b = Open("F:\\big.bin", OpenMode::Binary);
  EXPECT_EQ(ErrorOf([&] { Put(b, 20000, std::string_view("x")); }), 61);
  EXPECT_EQ(Lof(b), 0);
}

TEST(RuntimeStatements, NameStatementErrors) {
  StatementMachine m;
  ExpectErrors({
      {"kill nothing matched", [] { Kill("C:\\none*.txt"); }, 53},
      {"kill a folder", [] { Kill("C:\\Dir"); }, 53},
      {"kill in missing folder", [] { Kill("C:\\NoDir\\*.*"); }, 76},
      {"kill unmapped", [] { Kill("Q:\\*.*"); }, 68},
      {"kill read-only", [] { Kill("C:\\ro.txt"); }, 75},
      {"kill held", [] { Kill("C:\\held.txt"); }, 70},
      {"kill in-use image", [] { Kill("C:\\image.dll"); }, 75},
      {"name onto existing", [] { Name("C:\\a.txt", "C:\\b.txt"); }, 58},
      {"name missing", [] { Name("C:\\none.txt", "C:\\c.txt"); }, 53},
      {"name unmapped", [] { Name("C:\\a.txt", "Q:\\c.txt"); }, 68},
      {"copy onto read-only", [] { FileCopy("C:\\a.txt", "C:\\ro.txt"); }, 75},
      {"copy source held deny-all", [] { FileCopy("C:\\locked.txt", "C:\\c.txt"); }, 70},
      {"copy missing", [] { FileCopy("C:\\none.txt", "C:\\c.txt"); }, 53},
      {"mkdir exists", [] { MkDir("C:\\Dir"); }, 75},
      {"mkdir parent missing", [] { MkDir("C:\\No\\Sub"); }, 76},
      {"mkdir on write-protected", [] { MkDir("E:\\New"); }, 70},
      {"rmdir not empty", [] { RmDir("C:\\Full"); }, 75},
      {"rmdir missing", [] { RmDir("C:\\Nope"); }, 76},
      {"chdir missing", [] { ChDir("C:\\Nope"); }, 76},
      {"chdrive unmapped", [] { ChDrive("Q"); }, 68},
      {"chdrive no media", [] { ChDrive("D:\\"); }, 71},
      {"curdir unmapped", [] { CurDir("Q"); }, 68},
      {"getattr missing", [] { GetAttr("C:\\none.txt"); }, 53},
      {"getattr missing folder", [] { GetAttr("C:\\No\\none.txt"); }, 53},
      {"setattr missing", [] { SetAttr("C:\\none.txt", 0); }, 53},
      {"filelen missing", [] { FileLen("C:\\No\\none.txt"); }, 53},
      {"filedatetime missing", [] { FileDateTime("C:\\none.txt"); }, 53},
      {"getattr unmapped", [] { GetAttr("Q:\\x"); }, 68},
      {"dir unmapped", [] { Dir("Q:\\*.*"); }, 68},
  });
  EXPECT_EQ(m.HostContent("ro.txt"), "r");
  EXPECT_EQ(m.HostContent("b.txt"), "b");
}

TEST(RuntimeStatements, KillNameCopyAndFolders) {
  TempMachine m(DriveTableMachine());
  m.Put("K/a.tmp", "a");
  m.Put("K/b.TMP", "b");
  m.Put("K/keep.txt", "k");
  m.Put("K/long name.tmpx", "l");  // its alias LONGNA~1.TMP matches too
  std::filesystem::create_directories(m.drive() / "K" / "dir.tmp");
  Kill("C:\\K\\*.tmp");
  EXPECT_FALSE(std::filesystem::exists(m.drive() / "K" / "a.tmp"));
  EXPECT_FALSE(std::filesystem::exists(m.drive() / "K" / "b.TMP"));
  EXPECT_FALSE(std::filesystem::exists(m.drive() / "K" / "long name.tmpx"));
  EXPECT_TRUE(std::filesystem::exists(m.drive() / "K" / "keep.txt"));
  EXPECT_TRUE(std::filesystem::is_directory(m.drive() / "K" / "dir.tmp"));

  // Kill stops at the first failure; what was deleted stays deleted.
  m.Put("S/1.log", "1");
  m.Put("S/2.log", "2");
  m.Put("S/3.log", "3");
  SetAttr("C:\\S\\2.log", vbReadOnly);
  EXPECT_EQ(ErrorOf([] { Kill("C:\\S\\*.log"); }), 75);
  EXPECT_FALSE(std::filesystem::exists(m.drive() / "S" / "1.log"));
  EXPECT_TRUE(std::filesystem::exists(m.drive() / "S" / "2.log"));
  EXPECT_TRUE(std::filesystem::exists(m.drive() / "S" / "3.log"));

  MkDir("C:\\New");
  Name("C:\\K\\keep.txt", "C:\\New\\moved.txt");
  EXPECT_EQ(m.HostContent("New/moved.txt"), "k");
  FileCopy("C:\\New\\moved.txt", "C:\\S\\3.log");
  EXPECT_EQ(m.HostContent("S/3.log"), "k");
  RmDir("C:\\K\\dir.tmp");
  EXPECT_FALSE(std::filesystem::exists(m.drive() / "K" / "dir.tmp"));

  // ChDir changes that drive's directory; ChDrive the current drive.
  EXPECT_EQ(CurDir(), "C:\\Program Files\\Tessaly");
  ChDir("C:\\New");
  EXPECT_EQ(CurDir(), "C:\\New");
  EXPECT_EQ(FileLen("moved.txt"), 1);
  m.Put("Sub/e.txt", "e", 'E');
  ChDir("E:\\Sub");
  EXPECT_EQ(CurDir(), "C:\\New");
  EXPECT_EQ(CurDir("e"), "E:\\Sub");
  ChDrive("e");
  EXPECT_EQ(CurDir(), "E:\\Sub");
  EXPECT_EQ(FileLen("e.txt"), 1);
  ChDrive("");
  EXPECT_EQ(CurDir(), "E:\\Sub");
}

TEST(RuntimeStatements, AttributesAndTimes) {
  auto builder = DriveTableMachine();
  builder.description().timeZoneBias = 0;
  TempMachine m(builder);
  int f = Open("C:\\t.txt", OpenMode::Output);
  PrintLine(f, "x");
  Close(f);
  EXPECT_EQ(GetAttr("C:\\t.txt"), vbArchive);
  SetAttr("C:\\t.txt", vbHidden | vbReadOnly);
  EXPECT_EQ(GetAttr("C:\\t.txt"), vbHidden | vbReadOnly);
  SetAttr("C:\\t.txt", 0);
  EXPECT_EQ(GetAttr("C:\\t.txt"), 128);
  EXPECT_EQ(GetAttr("C:\\"), vbDirectory);
  using namespace platform::forms;
  Date when = FileDateTime("C:\\t.txt");
  EXPECT_EQ(DateText(when), "6/15/2006 12:00:00 PM");
}

TEST(RuntimeStatements, DirFiltersByAttributesAndSharesOneState) {
  TempMachine m(DriveTableMachine());
  m.Put("T/a.txt", "a");
  m.Put("T/B.TXT", "b");
  m.Put("T/c.txt", "c");
  m.Put("T/Long Name.dat", "l");
  m.Put("T/ro.txt", "r");
  std::filesystem::create_directories(m.drive() / "T" / "Sub");
  SetAttr("C:\\T\\B.TXT", vbHidden);
  SetAttr("C:\\T\\c.txt", vbSystem);
  SetAttr("C:\\T\\ro.txt", vbReadOnly);
  auto all = [](std::string first) {
    std::vector<std::string> names;
    for (; !first.empty(); first = Dir()) names.push_back(first);
    return names;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(all(Dir("C:\\T\\*.*")), (V{"a.txt", "Long Name.dat", "ro.txt"}));
  EXPECT_EQ(all(Dir("C:\\T\\", vbHidden)), (V{"a.txt", "B.TXT", "Long Name.dat", "ro.txt"}));
  EXPECT_EQ(all(Dir("C:\\T\\*", vbSystem)), (V{"a.txt", "c.txt", "Long Name.dat", "ro.txt"}));
  EXPECT_EQ(all(Dir("C:\\T\\*", vbDirectory)), (V{".", "..", "a.txt", "Long Name.dat", "ro.txt", "Sub"}));
  EXPECT_EQ(all(Dir("C:\\T\\LONGNA~1.DAT")), (V{"Long Name.dat"}));
  EXPECT_EQ(all(Dir("C:\\T\\Sub")), V{});
  EXPECT_EQ(all(Dir("C:\\T\\Sub", vbDirectory)), V{"Sub"});
  EXPECT_EQ(Dir("C:\\NoFolder\\*.*"), "");
  EXPECT_EQ(Dir("C:\\T\\*.none"), "");
  EXPECT_EQ(Dir("C:\\", vbVolume), "SYSTEM");
  // A drive root lists no "." and "..".
  m.Put("root.txt", "r");
  V root = all(Dir("C:\\*", vbDirectory));
  EXPECT_EQ(std::ranges::count(root, "."), 0);
  EXPECT_EQ(std::ranges::count(root, ".."), 0);
  auto made = std::ranges::find(root, "root.txt");
  ASSERT_NE(made, root.end());
  EXPECT_EQ(std::next(made) == root.end() ? "" : *std::next(made), "T");

  // One state per process: a new Dir(pattern) restarts it; after the end
  // Dir() needs a new pattern.
  EXPECT_EQ(Dir("C:\\T\\*.txt"), "a.txt");
  EXPECT_EQ(Dir("C:\\T\\*.dat"), "Long Name.dat");
  EXPECT_EQ(Dir(), "");
  EXPECT_EQ(ErrorOf([] { Dir(); }), 5);
  EXPECT_EQ(Dir("C:\\T\\*.txt"), "a.txt");
  EXPECT_EQ(Dir(), "ro.txt");
  EXPECT_EQ(ErrorOf([] { Dir("D:\\*.*"); }), 71);
}

}  // namespace
