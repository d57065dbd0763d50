#include "platform/machine/os_kind.h"

#include <array>

#include "platform/base/cp1252.h"

namespace platform {
namespace {
struct OsRow {
  OsKind os;
  const char* name;
  VersionRecord version;
};

const std::array<OsRow, 7>& OsTable() {
  static const std::array<OsRow, 7> table = {{
      {OsKind::Win95, "95", {4, 0, 0x040003B6, 1, "", false, 0, 0, 0, 0}},
      {OsKind::Win98, "98", {4, 10, 0x040A07CE, 1, " ", false, 0, 0, 0, 0}},
      // Second edition: build 2222 with the " A " service text.
      {OsKind::Win98SE, "98SE", {4, 10, 0x040A08AE, 1, " A ", false, 0, 0, 0, 0}},
      {OsKind::WinMe, "ME", {4, 90, 0x045A0BB8, 1, " ", false, 0, 0, 0, 0}},
      {OsKind::NT4, "NT4", {4, 0, 1381, 2, "Service Pack 6", true, 6, 0, 0, 1}},
      {OsKind::Win2000, "2000", {5, 0, 2195, 2, "Service Pack 4", true, 4, 0, 0, 1}},
      {OsKind::WinXP, "XP", {5, 1, 2600, 2, "Service Pack 2", true, 2, 0, 0x0100, 1}},
  }};
  return table;
}
}  // namespace

OsFamily FamilyOf(OsKind os) {
  switch (os) {
    case OsKind::Win95:
    case OsKind::Win98:
    case OsKind::Win98SE:
    case OsKind::WinMe:
      return OsFamily::Win9x;
    default:
      return OsFamily::WinNT;
  }
}

std::string OsKindName(OsKind os) {
  for (const auto& row : OsTable())
    if (row.os == os) return row.name;
  return "XP";
}

std::optional<OsKind> ParseOsKind(std::string_view name) {
  for (const auto& row : OsTable())
    if (EqualsNoCase(row.name, name)) return row.os;
  return std::nullopt;
}

VersionRecord DefaultVersionRecord(OsKind os) {
  for (const auto& row : OsTable())
    if (row.os == os) return row.version;
  return {};
}

StandardFolders DefaultFolders(OsKind os, std::string_view userName) {
  std::string user(userName);
  switch (os) {
    case OsKind::NT4:
      return {"C:\\WINNT", "C:\\WINNT\\system32", "C:\\WINNT\\Profiles\\" + user, ""};
    case OsKind::Win2000:
      return {"C:\\WINNT", "C:\\WINNT\\system32", "C:\\Documents and Settings\\" + user,
              "C:\\Documents and Settings\\All Users"};
    case OsKind::WinXP:
      return {"C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\Documents and Settings\\" + user,
              "C:\\Documents and Settings\\All Users"};
    default:
      return {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "", ""};
  }
}

}  // namespace platform
