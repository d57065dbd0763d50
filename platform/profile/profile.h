#pragma once
// The kernel32 profile (INI) calls over the emulated machine's files. The
// layer is write-through: every write reads and rewrites the file, so there
// is no cache to flush.
#include <memory>
#include <string>

#include "platform/base/wintypes.h"

// `file` NULL is <Windows>\WIN.INI; a name without a folder lies in the
// Windows folder; "" is a file that cannot be opened.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR file);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file);
DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file);
DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file);
// `lines`: "key=value" texts, each ended by NUL, the list ended by one more
// NUL; NULL removes the section.
BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR file);
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file);

// The same on WIN.INI.
DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size);
BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);

namespace platform::profile {

// While one lives, the profile reads of `file` (named as the calls name it)
// on this thread answer from one parse of the file, made at the first read
// and again at the first read after any profile write. For a file that
// changes only through the profile calls while it is held, as the clear
// copy of a store does during one store operation.
class HeldProfile {
 public:
  explicit HeldProfile(std::string file);
  ~HeldProfile();
  HeldProfile(const HeldProfile&) = delete;
  HeldProfile& operator=(const HeldProfile&) = delete;

  struct Parse;

 private:
  std::string file_;
  std::unique_ptr<Parse> parse_;
  HeldProfile* outer_;
  friend const Parse* HeldParse(LPCSTR file);
  friend void ForgetHeldParses();
};

}  // namespace platform::profile
