// The disabled-items file's lines: records with and without the value's
// bytes, and lines that are no record, which are kept verbatim.
#include <gtest/gtest.h>

#include "tools/disabled_items_file.h"

namespace tessaly::testing {
namespace {

struct LineCase {
  const char* line;
  bool record;
  const char* name;
  const char* command;
  std::optional<DWORD> type;
  std::string bytes;
};

const LineCase kLines[] = {
    {"App|Disabled|C:\\app.exe /x|HKEY_CURRENT_USER/Run", true, "App", "C:\\app.exe /x", std::nullopt, ""},
    {"App|Disabled|C:\\app.exe|HKEY_CURRENT_USER/Run|2|2541250041", true, "App", "C:\\app.exe", 2, std::string("%A%\0A", 5)},
    {"|Disabled||HKEY_LOCAL_MACHINE/Run|1|00", true, "", "", 1, std::string(1, '\0')},
    {"App|Disabled|C:\\app.exe", false, "", "", std::nullopt, ""},                             // too few fields
    {"App|Enabled|C:\\app.exe|HKEY_CURRENT_USER/Run", false, "", "", std::nullopt, ""},        // no disabled record
    {"App|Disabled|a|HKEY_CURRENT_USER/Run|2", false, "", "", std::nullopt, ""},               // half a value
    {"App|Disabled|a|HKEY_CURRENT_USER/Run|2|4G", false, "", "", std::nullopt, ""},            // not hex
    {"App|Disabled|a|HKEY_CURRENT_USER/Run|x|41", false, "", "", std::nullopt, ""},            // not a type
    {"App|Disabled|a|HKEY_CURRENT_USER/Run|1|41|extra", false, "", "", std::nullopt, ""},      // a field too many
};

TEST(DisabledItemsFile, EachLineIsARecordOrKeptVerbatim) {
  for (const auto& c : kLines) {
    SCOPED_TRACE(c.line);
    auto parsed = tools::ParseDisabledItems(std::string(c.line) + "\r\n");
    if (!c.record) {
      EXPECT_TRUE(parsed.items.empty());
      EXPECT_EQ(parsed.keptLines, std::vector<std::string>{c.line});
      EXPECT_EQ(tools::FormatDisabledItems(parsed.items, parsed.keptLines), std::string(c.line) + "\r\n");
      continue;
    }
    ASSERT_EQ(parsed.items.size(), 1u);
    const auto& item = parsed.items[0];
    EXPECT_EQ(item.name, c.name);
    EXPECT_EQ(item.command, c.command);
    ASSERT_EQ(item.original.has_value(), c.type.has_value());
    if (c.type) {
      EXPECT_EQ(item.original->type, *c.type);
      EXPECT_EQ(item.original->data, c.bytes);
      EXPECT_EQ(item.original->name, c.name);
    }
    EXPECT_EQ(tools::FormatDisabledItems(parsed.items, {}), std::string(c.line) + "\r\n");
  }
}

TEST(DisabledItemsFile, BlankLinesAndAMissingFinalBreakAreNoRecords) {
  auto parsed = tools::ParseDisabledItems("\r\nA|Disabled|a|HKEY_CURRENT_USER/Run\r\n\r\nB|Disabled|b|HKEY_CURRENT_USER/Run");
  ASSERT_EQ(parsed.items.size(), 2u);
  EXPECT_EQ(parsed.items[1].name, "B");
  EXPECT_TRUE(parsed.keptLines.empty());
}

TEST(DisabledItemsFile, FieldsWithTheSeparatorOrALineBreakDoNotFitALine) {
  EXPECT_TRUE(tools::FitsOnOneLine({"App", "a.exe", "HKEY_CURRENT_USER/Run", std::nullopt}));
  EXPECT_FALSE(tools::FitsOnOneLine({"A|pp", "a.exe", "HKEY_CURRENT_USER/Run", std::nullopt}));
  EXPECT_FALSE(tools::FitsOnOneLine({"App", "a.exe\r\n", "HKEY_CURRENT_USER/Run", std::nullopt}));
}

}  // namespace
}  // namespace tessaly::testing
