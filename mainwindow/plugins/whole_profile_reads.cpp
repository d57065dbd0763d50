#include "mainwindow/plugins/whole_profile_reads.h"

#include <functional>

#include "platform/profile/profile.h"

namespace {

// Far beyond any store; keeps a broken file from growing the buffer forever.
constexpr DWORD kLargestBuffer = 64u * 1024 * 1024;

// Calls `read` with ever larger buffers while it reports a cut (a count of
// size - `cutMark`); the text it copied.
std::string ReadGrowing(DWORD cutMark, const std::function<DWORD(char*, DWORD)>& read) {
  for (DWORD size = 1024;; size *= 2) {
    std::string buffer(size, '\0');
    DWORD count = read(buffer.data(), size);
    if (count < size - cutMark || size >= kLargestBuffer) return buffer.substr(0, count);
  }
}

std::vector<std::string> SplitAtNuls(const std::string& list) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) names.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace

std::string ReadWholeProfileString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, const std::string& file) {
  return ReadGrowing(1, [&](char* buffer, DWORD size) {
    return GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, size, file.c_str());
  });
}

std::vector<std::string> ReadProfileSectionNames(const std::string& file) {
  return SplitAtNuls(ReadGrowing(2, [&](char* buffer, DWORD size) {
    return GetPrivateProfileSectionNamesA(buffer, size, file.c_str());
  }));
}

std::vector<std::string> ReadProfileKeyNames(const std::string& section, const std::string& file) {
  return SplitAtNuls(ReadGrowing(2, [&](char* buffer, DWORD size) {
    return GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer, size, file.c_str());
  }));
}
