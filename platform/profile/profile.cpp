#include "platform/profile/profile.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/base/last_error.h"
#include "platform/files/file_content.h"
#include "platform/machine/machine.h"
#include "platform/profile/ini_text.h"

namespace platform::profile {

// The file's bytes and their parse, or no file.
struct HeldProfile::Parse {
  std::optional<std::string> bytes;
  std::optional<IniDocument> document;
};

namespace {
thread_local HeldProfile* innermostHold = nullptr;
}

HeldProfile::HeldProfile(std::string file) : file_(std::move(file)), outer_(innermostHold) { innermostHold = this; }

HeldProfile::~HeldProfile() {
  // Unlinked wherever it stands, should holds end out of order.
  for (HeldProfile** link = &innermostHold; *link; link = &(*link)->outer_) {
    if (*link == this) {
      *link = outer_;
      break;
    }
  }
}

}  // namespace platform::profile

namespace {

using platform::profile::IniDocument;

// The Windows path a profile call works on; nullopt for a file that cannot be
// opened ("" or no machine to find the Windows folder on).
std::optional<std::string> ProfilePath(LPCSTR file) {
  if (file != nullptr && *file == '\0') return std::nullopt;
  std::string_view name = file == nullptr ? std::string_view("WIN.INI") : std::string_view(file);
  if (name.find_first_of("\\/:") != std::string_view::npos) return std::string(name);
  platform::Machine* machine = platform::CurrentMachine();
  if (machine == nullptr) return std::nullopt;
  return machine->folders().windows + "\\" + std::string(name);
}

// The file's bytes for a read; nullopt when it is missing or cannot be read,
// which reads give the default for.
std::optional<std::string> ReadProfile(LPCSTR file) {
  std::optional<std::string> path = ProfilePath(file);
  if (!path) return std::nullopt;
  std::string bytes;
  if (platform::files::ReadFileContent(*path, bytes) != ERROR_SUCCESS) return std::nullopt;
  return bytes;
}

}  // namespace

namespace platform::profile {

// The held parse of `file`, made now when due; null when the file is not held.
const HeldProfile::Parse* HeldParse(LPCSTR file) {
  if (file == nullptr) return nullptr;
  for (HeldProfile* hold = innermostHold; hold; hold = hold->outer_) {
    if (!EqualsNoCase(hold->file_, file)) continue;
    if (!hold->parse_) {
      hold->parse_ = std::make_unique<HeldProfile::Parse>();
      hold->parse_->bytes = ReadProfile(file);
      if (hold->parse_->bytes) hold->parse_->document.emplace(*hold->parse_->bytes);
    }
    return hold->parse_.get();
  }
  return nullptr;
}

// Any write may change a held file under another spelling of its name.
void ForgetHeldParses() {
  for (HeldProfile* hold = innermostHold; hold; hold = hold->outer_) hold->parse_.reset();
}

}  // namespace platform::profile

namespace {

// The parse a read answers from: the held one, or one made into `own`;
// null when the file is missing or cannot be read.
const IniDocument* ProfileDocument(LPCSTR file, platform::profile::HeldProfile::Parse& own) {
  if (const auto* held = platform::profile::HeldParse(file)) return held->document ? &*held->document : nullptr;
  own.bytes = ReadProfile(file);
  if (!own.bytes) return nullptr;
  own.document.emplace(*own.bytes);
  return &*own.document;
}

// Reads the file, applies `edit` to its bytes and writes the result back when
// it differs. A missing file is empty; it is created only when the edit adds
// something.
template <typename Edit>
BOOL EditProfile(LPCSTR file, Edit edit) {
  platform::profile::ForgetHeldParses();
  std::optional<std::string> path = ProfilePath(file);
  if (!path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  std::string bytes;
  DWORD read = platform::files::ReadFileContent(*path, bytes);
  if (read == ERROR_FILE_NOT_FOUND) {
    bytes.clear();
  } else if (read != ERROR_SUCCESS) {
    SetLastError(read);
    return FALSE;
  }
  std::string edited = edit(bytes);
  if (edited == bytes) return TRUE;
  DWORD written = platform::files::WriteFileContent(*path, edited);
  if (written != ERROR_SUCCESS) {
    SetLastError(written);
    return FALSE;
  }
  return TRUE;
}

// A single text into the caller's buffer: cut to size - 1, NUL-terminated.
DWORD CopyText(std::string_view text, LPSTR buffer, DWORD size) {
  if (size == 0) return 0;
  std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  if (count > 0) std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<DWORD>(count);
}

// Names each followed by NUL, plus a final NUL that is not counted. A list
// that does not fit is cut and ended with two NULs; the call then returns
// size - 2, so the cut name has no NUL inside the count.
DWORD CopyList(const std::vector<std::string>& items, LPSTR buffer, DWORD size) {
  if (size == 0) return 0;
  std::string list;
  for (const auto& item : items) {
    list += item;
    list += '\0';
  }
  if (list.size() + 1 <= size) {
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    return static_cast<DWORD>(list.size());
  }
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  std::memcpy(buffer, list.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
}

DWORD CopyDefault(LPCSTR defaultValue, LPSTR buffer, DWORD size) {
  std::string_view text = defaultValue == nullptr ? std::string_view() : std::string_view(defaultValue);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return CopyText(text, buffer, size);
}

bool BadBuffer(LPSTR buffer, DWORD size) {
  if (buffer != nullptr || size == 0) return false;
  SetLastError(ERROR_INVALID_PARAMETER);
  return true;
}

// A NUL-separated list ended by an empty text.
std::vector<std::string> SplitLines(LPCSTR lines) {
  std::vector<std::string> result;
  for (LPCSTR p = lines; *p != '\0'; p += std::strlen(p) + 1) result.emplace_back(p);
  return result;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR file) {
  if (BadBuffer(buffer, size)) return 0;
  platform::profile::HeldProfile::Parse own;
  const IniDocument* parsed = ProfileDocument(file, own);
  if (!parsed) return CopyDefault(defaultValue, buffer, size);
  const IniDocument& document = *parsed;
  if (section == nullptr) return CopyList(document.SectionNames(), buffer, size);
  const platform::profile::IniSection* found = document.FindSection(section);
  if (found == nullptr || (key == nullptr && found->keys.empty())) {
    return CopyDefault(defaultValue, buffer, size);
  }
  if (key == nullptr) return CopyList(document.KeyNames(*found), buffer, size);
  const platform::profile::IniLine* line = document.FindKey(*found, key);
  if (line == nullptr) return CopyDefault(defaultValue, buffer, size);
  return CopyText(line->value, buffer, size);
}

DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file) {
  if (BadBuffer(buffer, size)) return 0;
  platform::profile::HeldProfile::Parse own;
  const IniDocument* document = ProfileDocument(file, own);
  if (!document) return CopyList({}, buffer, size);
  return CopyList(document->SectionNames(), buffer, size);
}

DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file) {
  if (BadBuffer(buffer, size)) return 0;
  if (section == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return CopyList({}, buffer, size);
  }
  platform::profile::HeldProfile::Parse own;
  const IniDocument* document = ProfileDocument(file, own);
  if (!document) return CopyList({}, buffer, size);
  const platform::profile::IniSection* found = document->FindSection(section);
  return CopyList(found ? document->KeyLines(*found) : std::vector<std::string>{}, buffer, size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) {
  const UINT fallback = static_cast<UINT>(defaultValue);
  if (section == nullptr || key == nullptr) return fallback;
  platform::profile::HeldProfile::Parse own;
  const IniDocument* document = ProfileDocument(file, own);
  if (!document) return fallback;
  const platform::profile::IniSection* found = document->FindSection(section);
  const platform::profile::IniLine* line = found ? document->FindKey(*found, key) : nullptr;
  if (line == nullptr) return fallback;
  // The leading decimal number, wrapping at 32 bits; other text reads as 0.
  std::string_view text = line->value;
  bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  UINT number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    number = number * 10 + static_cast<UINT>(c - '0');
  }
  return negative ? 0u - number : number;
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
  if (section == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return EditProfile(file, [&](const std::string& bytes) {
    if (key == nullptr) return platform::profile::RemoveIniSection(bytes, section);
    if (value == nullptr) return platform::profile::RemoveIniKey(bytes, section, key);
    return platform::profile::SetIniValue(bytes, section, key, value);
  });
}

BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR file) {
  if (section == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return EditProfile(file, [&](const std::string& bytes) {
    if (lines == nullptr) return platform::profile::RemoveIniSection(bytes, section);
    return platform::profile::ReplaceIniSection(bytes, section, SplitLines(lines));
  });
}

DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size) {
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, nullptr);
}

BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  return WritePrivateProfileStringA(section, key, value, nullptr);
}
