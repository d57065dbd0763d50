#include "platform/profile/profile.h"

#include <cstring>
#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/last_error.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::TempMachine;
using tessaly::testing::TestMachine;

constexpr char kGuard = '#';
constexpr std::size_t kSlack = 8;

// A call's result and the caller's buffer, with guard bytes past its size
// that must stay untouched.
struct Buffer {
  explicit Buffer(DWORD size) : size(size), bytes(size + kSlack, kGuard) {}
  LPSTR data() { return bytes.data(); }
  std::string prefix(std::size_t count) const { return std::string(bytes.data(), count); }
  bool guardIntact() const {
    for (std::size_t i = size; i < bytes.size(); ++i) {
      if (bytes[i] != kGuard) return false;
    }
    return true;
  }
  DWORD size;
  std::vector<char> bytes;
};

const char kSample[] =
    "k0=before any section\r\n"
    "[Main]\r\n"
    "Name = ' quoted '\r\n"
    "Plain=  value with blanks\t\r\n"
    "Empty=\r\n"
    "Lone\r\n"
    "; Comment=1\r\n"
    "Dup=first\r\n"
    "Dup=second\r\n"
    "[main]\r\n"
    "Other=x\r\n"
    "[Empty]\r\n"
    "; only a comment\r\n"
    "[List]\r\n"
    "alpha=1\r\n"
    "beta=2\r\n";

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_.WriteContent("C:\\data\\a.ini", kSample);
  }
  TempMachine machine_{TestMachine().folder("C:\\data")};
};

TEST_F(Profile, GetStringFollowsTheBufferAndDefaultRules) {
  struct Case {
    const char* section;
    const char* key;
    const char* defaultValue;
    DWORD size;
    std::string expected;  // the buffer's first bytes, terminators included
    DWORD result;
  } cases[] = {
      {"Main", "Name", "d", 255, std::string(" quoted \0", 9), 8},
      {"MAIN", "PLAIN", "d", 255, std::string("value with blanks\0", 18), 17},
      {"Main", "Empty", "d", 255, std::string("\0", 1), 0},
      {"Main", "Lone", "d", 255, std::string("\0", 1), 0},
      {"Main", "; Comment", "d", 255, std::string("d\0", 2), 1},
      {"Main", "Dup", "d", 255, std::string("first\0", 6), 5},
      {"Main", "Other", "d", 255, std::string("d\0", 2), 1},
      {"Main", "k0", "d", 255, std::string("d\0", 2), 1},
      {"Main", "missing", "dflt  ", 255, std::string("dflt\0", 5), 4},
      {"Main", "missing", " lead", 255, std::string(" lead\0", 6), 5},
      {"Main", "missing", nullptr, 255, std::string("\0", 1), 0},
      {"Nowhere", "Name", "d", 255, std::string("d\0", 2), 1},
      {"Main", "Plain", "d", 6, std::string("value\0", 6), 5},
      {"Main", "missing", "long default", 5, std::string("long\0", 5), 4},
      {"Main", "Plain", "d", 1, std::string("\0", 1), 0},
      {"Main", "Plain", "d", 0, "", 0},
      {"List", nullptr, "d", 255, std::string("alpha\0beta\0\0", 12), 11},
      {"List", nullptr, "d", 12, std::string("alpha\0beta\0\0", 12), 11},
      {"List", nullptr, "d", 11, std::string("alpha\0bet\0\0", 11), 9},
      {"List", nullptr, "d", 9, std::string("alpha\0b\0\0", 9), 7},
      {"List", nullptr, "d", 2, std::string("\0\0", 2), 0},
      {"List", nullptr, "d", 0, "", 0},
      {"Empty", nullptr, "FAIL", 255, std::string("FAIL\0", 5), 4},
      {"Nowhere", nullptr, "FAIL", 255, std::string("FAIL\0", 5), 4},
      {"Nowhere", nullptr, nullptr, 255, std::string("\0", 1), 0},
      {nullptr, nullptr, "d", 255, std::string("Main\0Empty\0List\0\0", 17), 16},
      {nullptr, "Name", "d", 255, std::string("Main\0Empty\0List\0\0", 17), 16},
      {nullptr, nullptr, "d", 8, std::string("Main\0E\0\0", 8), 6},
  };
  for (const auto& c : cases) {
    Buffer buffer(c.size);
    DWORD result = GetPrivateProfileStringA(c.section, c.key, c.defaultValue, buffer.data(), c.size,
                                            "C:\\data\\a.ini");
    std::string label = std::string(c.section ? c.section : "(null)") + "/" + (c.key ? c.key : "(null)") +
                        " n=" + std::to_string(c.size);
    EXPECT_EQ(result, c.result) << label;
    EXPECT_EQ(buffer.prefix(c.expected.size()), c.expected) << label;
    EXPECT_TRUE(buffer.guardIntact()) << label;
    if (c.size == 0) {
      EXPECT_EQ(buffer.bytes[0], kGuard) << label;
    }
  }
}

TEST_F(Profile, SectionCallsListLinesAndNames) {
  Buffer names(255);
  EXPECT_EQ(GetPrivateProfileSectionNamesA(names.data(), 255, "C:\\data\\a.ini"), 16u);
  EXPECT_EQ(names.prefix(17), std::string("Main\0Empty\0List\0\0", 17));

  Buffer cut(9);
  EXPECT_EQ(GetPrivateProfileSectionNamesA(cut.data(), 9, "C:\\data\\a.ini"), 7u);
  EXPECT_EQ(cut.prefix(9), std::string("Main\0Em\0\0", 9));
  EXPECT_TRUE(cut.guardIntact());

  Buffer lines(255);
  EXPECT_EQ(GetPrivateProfileSectionA("list", lines.data(), 255, "C:\\data\\a.ini"), 15u);
  EXPECT_EQ(lines.prefix(16), std::string("alpha=1\0beta=2\0\0", 16));

  Buffer main(255);
  DWORD count = GetPrivateProfileSectionA("Main", main.data(), 255, "C:\\data\\a.ini");
  EXPECT_EQ(main.prefix(count + 1),
            std::string("Name = ' quoted '\0Plain=  value with blanks\t\0Empty=\0Lone\0Dup=first\0Dup=second\0\0",
                        count + 1));

  Buffer small(6);
  EXPECT_EQ(GetPrivateProfileSectionA("List", small.data(), 6, "C:\\data\\a.ini"), 4u);
  EXPECT_EQ(small.prefix(6), std::string("alph\0\0", 6));

  Buffer none(255);
  EXPECT_EQ(GetPrivateProfileSectionA("Nowhere", none.data(), 255, "C:\\data\\a.ini"), 0u);
  EXPECT_EQ(none.bytes[0], '\0');
  EXPECT_EQ(GetPrivateProfileSectionNamesA(none.data(), 255, "C:\\data\\missing.ini"), 0u);
  EXPECT_EQ(none.bytes[0], '\0');
}

TEST_F(Profile, GetIntReadsTheLeadingNumber) {
  machine_.WriteContent("C:\\data\\n.ini", "[n]\r\na=42\r\nb=-3\r\nc=12abc\r\nd=x\r\ne=\r\n");
  struct Case {
    const char* key;
    UINT expected;
  } cases[] = {{"a", 42}, {"b", static_cast<UINT>(-3)}, {"c", 12}, {"d", 0}, {"e", 0}, {"missing", 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(GetPrivateProfileIntA("n", c.key, 7, "C:\\data\\n.ini"), c.expected) << c.key;
  }
  EXPECT_EQ(GetPrivateProfileIntA("n", "a", 7, "C:\\data\\missing.ini"), 7u);
}

TEST_F(Profile, NullBufferWithASizeIsAnInvalidParameter) {
  SetLastError(0);
  EXPECT_EQ(GetPrivateProfileStringA("Main", "Name", "d", nullptr, 10, "C:\\data\\a.ini"), 0u);
  EXPECT_EQ(GetLastError(), 87u);
  SetLastError(0);
  EXPECT_EQ(GetPrivateProfileSectionNamesA(nullptr, 10, "C:\\data\\a.ini"), 0u);
  EXPECT_EQ(GetLastError(), 87u);
  SetLastError(0);
  EXPECT_EQ(GetPrivateProfileSectionA("Main", nullptr, 10, "C:\\data\\a.ini"), 0u);
  EXPECT_EQ(GetLastError(), 87u);
  EXPECT_EQ(GetPrivateProfileStringA("Main", "Name", "d", nullptr, 0, "C:\\data\\a.ini"), 0u);
}

TEST_F(Profile, ReadsEveryLineEnding) {
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {{"crlf", "[s]\r\na=1\r\nb=2\r\n"}, {"lf", "[s]\na=1\nb=2"}, {"cr", "[s]\ra=1\rb=2\r"}};
  for (const auto& c : cases) {
    machine_.WriteContent("C:\\data\\e.ini", c.bytes);
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileStringA("s", "b", "d", buffer, sizeof buffer, "C:\\data\\e.ini"), 1u) << c.name;
    EXPECT_STREQ(buffer, "2") << c.name;
    EXPECT_EQ(GetPrivateProfileStringA("s", nullptr, "d", buffer, sizeof buffer, "C:\\data\\e.ini"), 4u) << c.name;
    EXPECT_EQ(std::string(buffer, 5), std::string("a\0b\0\0", 5)) << c.name;
  }
}

TEST_F(Profile, FileNamesResolveToTheWindowsFolder) {
  machine_.WriteContent("C:\\WINDOWS\\WIN.INI", "[windows]\r\nload=\r\n[Desktop]\r\nWallpaper=(None)\r\n");
  machine_.WriteContent("C:\\WINDOWS\\app.ini", "[s]\r\nk=windows folder\r\n");
  machine_.WriteContent("C:\\app.ini", "[s]\r\nk=root\r\n");
  char buffer[64];

  EXPECT_EQ(GetPrivateProfileStringA("Desktop", "Wallpaper", "", buffer, 64, nullptr), 6u);
  EXPECT_STREQ(buffer, "(None)");
  EXPECT_EQ(GetProfileStringA("desktop", "wallpaper", "", buffer, 64), 6u);
  EXPECT_STREQ(buffer, "(None)");
  GetPrivateProfileStringA("s", "k", "", buffer, 64, "app.ini");
  EXPECT_STREQ(buffer, "windows folder");
  GetPrivateProfileStringA("s", "k", "", buffer, 64, "C:\\\\app.ini");
  EXPECT_STREQ(buffer, "root");
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "dflt", buffer, 64, ""), 4u);
  EXPECT_STREQ(buffer, "dflt");
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "dflt", buffer, 64, "C:\\data\\missing.ini"), 4u);
  EXPECT_STREQ(buffer, "dflt");

  EXPECT_NE(WritePrivateProfileStringA("new", "k", "v", "fresh.ini"), 0);
  EXPECT_EQ(machine_.ReadContent("C:\\WINDOWS\\fresh.ini"), "[new]\r\nk=v\r\n");
  EXPECT_EQ(machine_.ReadContent("C:\\fresh.ini"), std::nullopt);

  EXPECT_NE(WriteProfileStringA("Desktop", "Wallpaper", "x.bmp"), 0);
  EXPECT_EQ(machine_.ReadContent("C:\\WINDOWS\\WIN.INI"), "[windows]\r\nload=\r\n[Desktop]\r\nWallpaper=x.bmp\r\n");
  EXPECT_NE(WritePrivateProfileStringA("windows", "run", "a.exe", nullptr), 0);
  EXPECT_EQ(machine_.ReadContent("C:\\WINDOWS\\WIN.INI"),
            "[windows]\r\nload=\r\nrun=a.exe\r\n[Desktop]\r\nWallpaper=x.bmp\r\n");

  SetLastError(0);
  EXPECT_EQ(WritePrivateProfileStringA("s", "k", "v", ""), 0);
  EXPECT_NE(GetLastError(), 0u);
}

TEST_F(Profile, WritesFollowTheRules) {
  using Write = BOOL (*)(LPCSTR file);
  const std::string before = "; head\nx=0\n[s]\r\na=1\r\n; c\r\nA=dup\r\n\r\n[t]\nb=2";
  struct Case {
    const char* name;
    Write write;
    BOOL succeeds;
    std::string after;
  } cases[] = {
      {"null section changes nothing", [](LPCSTR f) { return WritePrivateProfileStringA(nullptr, "a", "9", f); }, FALSE,
       before},
      {"replace first line of key", [](LPCSTR f) { return WritePrivateProfileStringA("S", "a", "9", f); }, TRUE,
       "; head\nx=0\n[s]\r\na=9\r\n; c\r\nA=dup\r\n\r\n[t]\nb=2"},
      {"append after last key line", [](LPCSTR f) { return WritePrivateProfileStringA("s", "new", "v", f); }, TRUE,
       "; head\nx=0\n[s]\r\na=1\r\n; c\r\nA=dup\r\nnew=v\r\n\r\n[t]\nb=2"},
      {"append to unterminated last section", [](LPCSTR f) { return WritePrivateProfileStringA("t", "c", "3", f); },
       TRUE, "; head\nx=0\n[s]\r\na=1\r\n; c\r\nA=dup\r\n\r\n[t]\nb=2\r\nc=3\r\n"},
      {"new section at the end", [](LPCSTR f) { return WritePrivateProfileStringA("u", "k", "", f); }, TRUE,
       before + "\r\n[u]\r\nk=\r\n"},
      {"empty key and value", [](LPCSTR f) { return WritePrivateProfileStringA("u", "", "", f); }, TRUE,
       before + "\r\n[u]\r\n=\r\n"},
      {"null value removes first line of key", [](LPCSTR f) { return WritePrivateProfileStringA("s", "a", nullptr, f); },
       TRUE, "; head\nx=0\n[s]\r\n; c\r\nA=dup\r\n\r\n[t]\nb=2"},
      {"null key removes section", [](LPCSTR f) { return WritePrivateProfileStringA("s", nullptr, "v", f); }, TRUE,
       "; head\nx=0\n[t]\nb=2"},
      {"removing what is not there", [](LPCSTR f) { return WritePrivateProfileStringA("q", nullptr, nullptr, f); },
       TRUE, before},
      {"write section replaces key lines",
       [](LPCSTR f) { return WritePrivateProfileSectionA("s", "x=1\0y=2\0", f); }, TRUE,
       "; head\nx=0\n[s]\r\nx=1\r\ny=2\r\n\r\n[t]\nb=2"},
      {"write section creates section", [](LPCSTR f) { return WritePrivateProfileSectionA("u", "k=v\0", f); }, TRUE,
       before + "\r\n[u]\r\nk=v\r\n"},
      {"write section null removes", [](LPCSTR f) { return WritePrivateProfileSectionA("t", nullptr, f); }, TRUE,
       "; head\nx=0\n[s]\r\na=1\r\n; c\r\nA=dup\r\n\r\n"},
      {"write section null section", [](LPCSTR f) { return WritePrivateProfileSectionA(nullptr, "k=v\0", f); }, FALSE,
       before},
  };
  for (const auto& c : cases) {
    machine_.WriteContent("C:\\data\\w.ini", before);
    BOOL result = c.write("C:\\data\\w.ini");
    EXPECT_EQ(result != FALSE, c.succeeds != FALSE) << c.name;
    EXPECT_EQ(machine_.ReadContent("C:\\data\\w.ini"), c.after) << c.name;
  }
}

TEST_F(Profile, WriteCreatesTheFileButNotItsFolder) {
  EXPECT_NE(WritePrivateProfileStringA("sec", "key", "value", "C:\\data\\new.ini"), 0);
  EXPECT_EQ(machine_.ReadContent("C:\\data\\new.ini"), "[sec]\r\nkey=value\r\n");

  EXPECT_NE(WritePrivateProfileStringA("sec", nullptr, nullptr, "C:\\data\\none.ini"), 0);
  EXPECT_EQ(machine_.ReadContent("C:\\data\\none.ini"), std::nullopt);

  SetLastError(0);
  EXPECT_EQ(WritePrivateProfileStringA("sec", "key", "value", "C:\\nofolder\\new.ini"), 0);
  EXPECT_EQ(GetLastError(), 3u);
  EXPECT_EQ(machine_.ReadContent("C:\\nofolder\\new.ini"), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(machine_.machine().driveFolder('C') / "nofolder"));
}

TEST(ProfileTargets, ReadOnlyAndFullDrivesRefuseWrites) {
  platform::DriveDescription readOnly;
  readOnly.letter = 'D';
  readOnly.capacity = 1 << 20;
  readOnly.readOnly = true;
  platform::DriveDescription full;
  full.letter = 'E';
  full.capacity = 8192;
  full.clusterSize = 4096;
  TempMachine machine(TestMachine().drive(readOnly).drive(full));
  const std::string content = "[s]\r\nk=v\r\n";
  {
    std::ofstream(machine.machine().driveFolder('D') / "ro.ini", std::ios::binary) << content;
    std::ofstream(machine.machine().driveFolder('E') / "filler.bin", std::ios::binary) << std::string(8192, 'x');
  }
  char buffer[16];
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 16, "D:\\ro.ini"), 1u);

  SetLastError(0);
  EXPECT_EQ(WritePrivateProfileStringA("s", "k", "changed", "D:\\ro.ini"), 0);
  EXPECT_NE(GetLastError(), 0u);
  EXPECT_EQ(machine.ReadContent("D:\\ro.ini"), content);

  SetLastError(0);
  EXPECT_EQ(WritePrivateProfileStringA("s", "k", "v", "E:\\new.ini"), 0);
  EXPECT_EQ(GetLastError(), 112u);
  EXPECT_EQ(machine.ReadContent("E:\\new.ini"), std::nullopt);
  EXPECT_EQ(machine.ReadContent("E:\\filler.bin"), std::string(8192, 'x'));
}

TEST(ProfileWithoutMachine, CallsFailCleanly) {
  char buffer[8];
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "d", buffer, 8, nullptr), 1u);
  EXPECT_STREQ(buffer, "d");
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "d", buffer, 8, "C:\\a.ini"), 1u);
  EXPECT_EQ(WritePrivateProfileStringA("s", "k", "v", nullptr), 0);
  EXPECT_EQ(WritePrivateProfileStringA("s", "k", "v", "C:\\a.ini"), 0);
}

}  // namespace

namespace {

// Every read of the sample, as a text, for comparing held and fresh reads.
std::string AllReads(const char* file) {
  std::string out;
  auto add = [&](DWORD count, const Buffer& buffer) { out += buffer.prefix(count + 1) + "|"; };
  Buffer names(255);
  add(GetPrivateProfileSectionNamesA(names.data(), 255, file), names);
  for (const char* section : {"Main", "main", " List ", "Empty", "Nowhere"}) {
    Buffer keys(255), lines(255);
    add(GetPrivateProfileStringA(section, nullptr, "none", keys.data(), 255, file), keys);
    add(GetPrivateProfileSectionA(section, lines.data(), 255, file), lines);
    for (const char* key : {"Name", "dup", "beta", "Other", "missing"}) {
      Buffer value(255);
      add(GetPrivateProfileStringA(section, key, "dflt", value.data(), 255, file), value);
    }
  }
  out += std::to_string(GetPrivateProfileIntA("List", "beta", 7, file));
  return out;
}

std::string Value(const char* section, const char* key, const char* file) {
  Buffer value(255);
  return value.prefix(GetPrivateProfileStringA(section, key, "dflt", value.data(), 255, file));
}

}  // namespace

TEST_F(Profile, AHeldFileReadsAsTheFileDoes) {
  const std::string fresh = AllReads("C:\\data\\a.ini");
  platform::profile::HeldProfile held("C:\\data\\a.ini");
  EXPECT_EQ(AllReads("C:\\data\\a.ini"), fresh);
  EXPECT_EQ(AllReads("C:\\data\\a.ini"), fresh);  // from the one parse
  // Changed behind the profile calls while held: the reads still answer
  // from that parse, the file is not read again.
  machine_.WriteContent("C:\\data\\a.ini", "[Other]\r\nk=v\r\n");
  EXPECT_EQ(AllReads("C:\\data\\a.ini"), fresh);
}

// A write through the profile calls, under any spelling of the file's name,
// is seen by the next read of the held file; a hold's end drops its parse.
TEST_F(Profile, AHeldFileSeesEveryProfileWrite) {
  {
    platform::profile::HeldProfile held("C:\\data\\a.ini");
    ASSERT_EQ(Value("List", "alpha", "C:\\data\\a.ini"), "1");
    for (const char* spelling : {"C:\\data\\a.ini", "c:\\DATA\\A.INI", "C:\\data\\..\\data\\a.ini"}) {
      SCOPED_TRACE(spelling);
      std::string value = std::string("via ") + spelling;
      ASSERT_TRUE(WritePrivateProfileStringA("List", "alpha", value.c_str(), spelling));
      EXPECT_EQ(Value("List", "alpha", "C:\\data\\a.ini"), value);
    }
    ASSERT_TRUE(WritePrivateProfileSectionA("Added", "k=v\0", "C:\\data\\a.ini"));
    EXPECT_EQ(Value("Added", "k", "C:\\data\\a.ini"), "v");
    ASSERT_TRUE(WritePrivateProfileStringA("Added", nullptr, nullptr, "C:\\data\\a.ini"));
    EXPECT_EQ(Value("Added", "k", "C:\\data\\a.ini"), "dflt");
  }
  // Changed behind the profile calls once the hold is over: read afresh.
  machine_.WriteContent("C:\\data\\a.ini", "[List]\r\nalpha=rewritten\r\n");
  EXPECT_EQ(Value("List", "alpha", "C:\\data\\a.ini"), "rewritten");
}

// A file missing when first read stays the default until a write makes it;
// other files are never answered from the hold; holds may end in any order.
TEST_F(Profile, HoldsCoverOnlyTheirOwnFile) {
  auto first = std::make_unique<platform::profile::HeldProfile>("C:\\data\\new.ini");
  auto second = std::make_unique<platform::profile::HeldProfile>("C:\\data\\a.ini");
  EXPECT_EQ(Value("S", "k", "C:\\data\\new.ini"), "dflt");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "k", "made", "C:\\data\\new.ini"));
  EXPECT_EQ(Value("S", "k", "C:\\data\\new.ini"), "made");
  machine_.WriteContent("C:\\data\\b.ini", "[S]\r\nk=one\r\n");
  EXPECT_EQ(Value("S", "k", "C:\\data\\b.ini"), "one");
  machine_.WriteContent("C:\\data\\b.ini", "[S]\r\nk=two\r\n");
  EXPECT_EQ(Value("S", "k", "C:\\data\\b.ini"), "two");
  first.reset();
  EXPECT_EQ(Value("List", "beta", "C:\\data\\a.ini"), "2");
  second.reset();
  machine_.WriteContent("C:\\data\\new.ini", "[S]\r\nk=after\r\n");
  EXPECT_EQ(Value("S", "k", "C:\\data\\new.ini"), "after");
}
