#pragma once
// shell32's records and constants as the program passes them.
#include <cstdint>

#include "platform/base/hresult.h"
#include "platform/base/wintypes.h"
#include "platform/forms/window_types.h"

// An item-id list: opaque to the program, freed with CoTaskMemFree.
struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using HICON = std::uint32_t;
using HINSTANCE = std::uint32_t;

struct BROWSEINFOA {
  HWND hwndOwner;
  LPCITEMIDLIST pidlRoot;
  LPSTR pszDisplayName;  // MAX_PATH characters, may be null
  LPCSTR lpszTitle;
  UINT ulFlags;
  void* lpfn;
  LPARAM lParam;
  int iImage;
};

constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BIF_EDITBOX = 0x0010;
constexpr UINT BIF_NEWDIALOGSTYLE = 0x0040;
constexpr UINT BIF_BROWSEINCLUDEFILES = 0x4000;

constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_FAVORITES = 0x0006;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_INTERNET_CACHE = 0x0020;
constexpr int CSIDL_COOKIES = 0x0021;
constexpr int CSIDL_HISTORY = 0x0022;

struct NOTIFYICONDATAA {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  char szTip[64];
};
static_assert(sizeof(NOTIFYICONDATAA) == 88);

constexpr DWORD NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2;
constexpr UINT NIF_MESSAGE = 1, NIF_ICON = 2, NIF_TIP = 4;

constexpr DWORD SHERB_NOCONFIRMATION = 1, SHERB_NOPROGRESSUI = 2, SHERB_NOSOUND = 4;

constexpr DWORD SHFMT_ERROR = 0xFFFFFFFF, SHFMT_CANCEL = 0xFFFFFFFE, SHFMT_NOFORMAT = 0xFFFFFFFD;

constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1;
constexpr HINSTANCE SE_ERR_FNF = 2, SE_ERR_PNF = 3;

struct STARTUPINFOA {
  DWORD cb;
  LPSTR lpReserved, lpDesktop, lpTitle;
  DWORD dwX, dwY, dwXSize, dwYSize, dwXCountChars, dwYCountChars, dwFillAttribute, dwFlags;
  WORD wShowWindow;
};

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};
