#include "cleaning/ie_cookie_index.h"

#include "cleaning/file_actions.h"
#include "platform/files/runtime_files.h"

namespace cleaning {

std::string CookieRecordText(std::string_view area) {
  std::string text;
  bool previousPrintable = true;
  for (unsigned char byte : area) {
    if (byte >= 33 && byte <= 126) {
      text += static_cast<char>(byte);
      previousPrintable = true;
    } else if (byte == 0) {
      if (previousPrintable) text += ' ';
      previousPrintable = false;
    }
  }
  return text;
}

CookieRecordParts SplitCookieRecord(const std::string& recordText) {
  std::size_t at = recordText.find('@');
  std::string address = "http://" + (at == std::string::npos ? recordText : recordText.substr(at + 1));
  std::size_t blank = address.find(' ');
  if (blank == std::string::npos) return {"", address};
  return {address.substr(0, blank + 1), address.substr(blank + 1)};
}

void ForEachCookieRecord(const std::string& path, const std::function<void(const CookieRecordParts&)>& visit) {
  namespace vb = platform::vb;
  // Opening for Binary would create a missing index.
  if (!FileExists(path)) return;
  FileNumber file(path, vb::OpenMode::Binary, vb::OpenAccess::Read);
  const std::int64_t length = vb::Lof(file.get());
  for (std::int64_t at = kCookieIndexFirstBlock; at + static_cast<std::int64_t>(kCookieIndexBlock) <= length;
       at += kCookieIndexBlock) {
    std::string block(kCookieIndexBlock, '\0');
    vb::Get(file.get(), at + 1, block);
    std::string_view signature(block.data(), 4);
    if (signature != "URL " && signature != "LEAK") continue;
    visit(SplitCookieRecord(
        CookieRecordText(std::string_view(block).substr(kCookieIndexTextAt, kCookieIndexTextSize))));
  }
}

}  // namespace cleaning
