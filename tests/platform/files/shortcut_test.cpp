#include <gtest/gtest.h>

#include "platform/files/shell_link.h"
#include "platform/files/shortcut.h"
#include "platform/files/stand_in.h"
#include "support/error_capture.h"
#include "support/temp_machine.h"
#include "support/shortcut_fixture.h"

namespace {

using platform::wsh::Shell;
using platform::wsh::Shortcut;
using tessaly::testing::CaughtError;
using tessaly::testing::ErrorOf;
using tessaly::testing::DriveTableMachine;
using tessaly::testing::TempMachine;
using tessaly::testing::ShortcutBytes;
using tessaly::testing::ShortcutFixture;

void U16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
void U32(std::string& out, unsigned v) {
  U16(out, v & 0xFFFF);
  U16(out, v >> 16);
}

// A link laid out by hand: header, an item-id list, link information with a
// volume, a base path and a suffix, then ANSI arguments and icon location.
std::string HandMadeLink() {
  std::string link;
  U32(link, 0x4C);
  link += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  U32(link, 0x01 | 0x02 | 0x20 | 0x40);  // id list, link info, arguments, icon
  link.append(0x4C - link.size(), '\0');
  U16(link, 6);  // item-id list: one 4-byte item and the terminator
  U16(link, 4);
  U16(link, 0xABCD);
  U16(link, 0);
  std::string info;
  U32(info, 0);     // size, set below
  U32(info, 0x1C);  // header size
  U32(info, 1);     // volume id and local base path
  U32(info, 0x1C);  // volume id offset
  U32(info, 0x1C + 0x14);
  U32(info, 0);
  U32(info, 0x1C + 0x14 + 11);
  U32(info, 0x14);  // volume id: size, type, serial, label offset, label
  U32(info, 3);
  U32(info, 0x1234);
  U32(info, 0x10);
  info += "DAT";
  info += '\0';
  info += "C:\\Windows";
  info += '\0';
  info += "notepad.exe";
  info += '\0';
  info[0] = static_cast<char>(info.size());
  link += info;
  U16(link, 5);
  link += "a.txt";
  U16(link, 4);
  link += "x.ic";
  U32(link, 0);
  return link;
}

TEST(Shortcuts, SaveAndReadBack) {
  TempMachine m(DriveTableMachine());
  m.Put("Links/placeholder", "");
  Shortcut fresh = Shell().CreateShortcut("C:\\Links\\Tessaly.lnk");
  EXPECT_EQ(fresh.TargetPath, "");
  EXPECT_EQ(fresh.Arguments, "");
  fresh.TargetPath = "C:\\Program Files\\Tessaly\\tsy.exe";
  fresh.Arguments = "/clean \"caf\xE9\"";
  fresh.WorkingDirectory = "C:\\Program Files\\Tessaly";
  fresh.Save();
  Shortcut read = Shell().CreateShortcut("c:\\links\\TESSALY.LNK");
  EXPECT_EQ(read.TargetPath, fresh.TargetPath);
  EXPECT_EQ(read.Arguments, fresh.Arguments);
  EXPECT_EQ(read.WorkingDirectory, fresh.WorkingDirectory);

  // The saved bytes are a shell link: header size, class id, link info flag.
  std::string bytes = m.HostContent("Links/Tessaly.lnk");
  ASSERT_GE(bytes.size(), 0x4Cu);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x4C\0\0\0", 4));
  EXPECT_EQ(bytes.substr(4, 16), std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16));
  EXPECT_TRUE(static_cast<unsigned char>(bytes[20]) & 0x02);

  // A shortcut without a target saves without link information.
  Shortcut empty = Shell().CreateShortcut("C:\\Links\\Empty.lnk");
  empty.Arguments = "x";
  empty.Save();
  Shortcut emptyBack = Shell().CreateShortcut("C:\\Links\\Empty.lnk");
  EXPECT_EQ(emptyBack.TargetPath, "");
  EXPECT_EQ(emptyBack.Arguments, "x");

  EXPECT_EQ(ErrorOf([] { Shortcut("C:\\No\\x.lnk").Save(); }), 76);
  EXPECT_EQ(ErrorOf([] { Shell().CreateShortcut("Q:\\x.lnk"); }), 68);
}

TEST(Shortcuts, LinksLaidOutByOtherWriters) {
  TempMachine m(DriveTableMachine());
  m.Put("hand.lnk", HandMadeLink());
  Shortcut hand = Shell().CreateShortcut("C:\\hand.lnk");
  EXPECT_EQ(hand.TargetPath, "C:\\Windowsnotepad.exe");
  EXPECT_EQ(hand.Arguments, "a.txt");
  EXPECT_EQ(hand.WorkingDirectory, "");

  ShortcutFixture withList{"C:\\Program Files\\", "App\\app.exe", "-q", "C:\\Temp", true, "\x10\x00\x1F\x50", false};
  m.Put("list.lnk", ShortcutBytes(withList));
  Shortcut list = Shell().CreateShortcut("C:\\list.lnk");
  EXPECT_EQ(list.TargetPath, "C:\\Program Files\\App\\app.exe");
  EXPECT_EQ(list.Arguments, "-q");
  EXPECT_EQ(list.WorkingDirectory, "C:\\Temp");

  ShortcutFixture advertised;
  advertised.linkInfo = false;
  advertised.itemIdList = std::string("\x14\x00\x1F\x50\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D", 20);
  advertised.arguments = "/run";
  m.Put("advertised.lnk", ShortcutBytes(advertised));
  Shortcut adv = Shell().CreateShortcut("C:\\advertised.lnk");
  EXPECT_EQ(adv.TargetPath, "");
  EXPECT_EQ(adv.Arguments, "/run");
}

TEST(Shortcuts, MalformedLinksCannotBeOpened) {
  TempMachine m(DriveTableMachine());
  m.Put("text.lnk", "this is not a link at all, just some text that is long enough to fill a header.......");
  m.Put("empty.lnk", "");
  std::string wrongClass = HandMadeLink();
  wrongClass[4] = 0x02;
  m.Put("class.lnk", wrongClass);
  std::filesystem::create_directories(m.drive() / "folder.lnk");
  for (const char* path : {"C:\\text.lnk", "C:\\empty.lnk", "C:\\class.lnk", "C:\\folder.lnk"}) {
    auto error = CaughtError([&] { Shell().CreateShortcut(path); });
    ASSERT_TRUE(error) << path;
    EXPECT_EQ(static_cast<std::uint32_t>(error->number()), 0x80004005u) << path;
    EXPECT_EQ(error->description(), "Unable to open shortcut");
  }
  // Every cut of a link before its strings end is refused, never read past.
  for (std::string full : {HandMadeLink(), ShortcutBytes({"C:\\a\\", "b.exe", "args", "C:\\w", true, "\x06\x00\x01\x02\x03\x04", true})}) {
    std::size_t needed = full.size() - 4;  // the final terminator block is not needed
    for (std::size_t cut = 0; cut < needed; ++cut)
      EXPECT_FALSE(platform::files::DecodeShellLink(std::string_view(full).substr(0, cut))) << cut;
    EXPECT_TRUE(platform::files::DecodeShellLink(full));
  }
}

TEST(StandIns, HeaderFields) {
  using platform::files::ParseStandInHeader;
  auto header = ParseStandInHeader(
      "MZ-STANDIN version=5.1.2600.0 typelib={AAAA-1} coclass={B-1},{C-2} Module=Schedule\r\npadding version=9.9.9.9");
  ASSERT_TRUE(header);
  EXPECT_EQ(header->version(), "5.1.2600.0");
  EXPECT_EQ(header->typelib(), "{AAAA-1}");
  EXPECT_EQ(header->coclasses(), (std::vector<std::string>{"{B-1}", "{C-2}"}));
  EXPECT_EQ(header->module(), "Schedule");
  EXPECT_FALSE(ParseStandInHeader("MZ\x90\x00\x03"));
  EXPECT_FALSE(ParseStandInHeader("MZ-STANDINX version=1.2.3.4\r\n"));
  EXPECT_FALSE(ParseStandInHeader("plain text"));
  auto bare = ParseStandInHeader("MZ-STANDIN\r\n");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->version(), "");
  for (const char* bad : {"1.2.3", "1.2.3.4.5", "1.2.3.x", "1..3.4", "70000.0.0.0", ""}) {
    auto h = ParseStandInHeader(std::string("MZ-STANDIN version=") + bad);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->version(), "") << bad;
  }
  EXPECT_EQ(platform::files::StandInLine({{"version", "1.0.0.1"}, {"module", "m"}}),
            "MZ-STANDIN version=1.0.0.1 module=m\r\n");
}

}  // namespace
