#pragma once
// The shell calls the program makes (shell32, shlwapi, the launch calls of
// kernel32) over the bound machine. Nothing is ever started or formatted on
// the host: launches, formats and the recycle-bin icon are recorded in the
// journal.
#include "platform/com/com_memory.h"  // item-id lists are task memory
#include "platform/shell/shell_types.h"

// Empties the recycle bins (root NULL: every fixed drive). Keeps
// "desktop.ini" and "INFO2"; E_FAIL when an item could not be removed.
HRESULT SHEmptyRecycleBinA(HWND owner, LPCSTR rootPath, DWORD flags);
HRESULT SHUpdateRecycleBinIcon();

HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* pidl);
// Answered by the answer provider: "Cancel" (the default) or "OK" with a
// path, or with a name that is no path for a virtual item ("" = Desktop).
LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* info);
// `path` holds MAX_PATH; FALSE and "" for an item without a path.
BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR path);


HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show);
UINT WinExec(LPCSTR commandLine, UINT show);
BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine, void* processAttributes, void* threadAttributes,
                    BOOL inheritHandles, DWORD creationFlags, void* environment, LPCSTR currentDirectory,
                    STARTUPINFOA* startupInfo, PROCESS_INFORMATION* processInformation);

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data);

// Answered by the answer provider: "Cancel" (default), "Format", "Error",
// "NoFormat". "Format" empties the drive and returns 0.
DWORD SHFormatDrive(HWND owner, UINT drive, UINT formatId, UINT options);

BOOL PathFileExistsA(LPCSTR path);
