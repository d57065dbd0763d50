#include "support/shortcut_fixture.h"

#include "platform/files/shell_link.h"

namespace tessaly::testing {

std::string ShortcutBytes(const ShortcutFixture& fixture) {
  platform::files::ShellLinkData link;
  link.hasLinkInfo = fixture.linkInfo;
  link.localBasePath = fixture.localBasePath;
  link.commonPathSuffix = fixture.commonPathSuffix;
  link.arguments = fixture.arguments;
  link.workingDirectory = fixture.workingDirectory;
  link.driveType = 3;
  platform::files::ShellLinkLayout layout;
  layout.itemIdList = fixture.itemIdList;
  layout.unicodeStrings = fixture.unicodeStrings;
  return platform::files::EncodeShellLink(link, layout);
}

}  // namespace tessaly::testing
