#pragma once
// What a cleaning run asks of the cleaning engine. The engine reads the main
// window's controls, so it sits above this library; the program installs the
// real engine before the main window loads (mainwindow/run), tests install
// fakes. Without one, nothing is cleaned and every cleaner gives 0 bytes.
#include <cstdint>
#include <memory>
#include <string>

// The twelve sections of a run, in run order.
enum class CleanSection { Windows, HardDisk, Office, Opera, Yahoo, ICQ, MSN, AOL, NetScape, IE, Extra, BuiltIn };

// Internet Explorer's stored data that the IE page hides and shows.
enum class HiddenData { TypedURLs, Passwords, Favorites };
// The cookie keep-list windows.
enum class CookieKeepList { InternetExplorer, Netscape };

class CleaningEngine {
 public:
  virtual ~CleaningEngine() = default;
  // Item `index` of a section cleaned box by box (Windows to AOL; hard-disk
  // item 2 goes through CleanCustomFile); the bytes removed.
  virtual std::int64_t CleanItem(CleanSection section, int index) { return 0; }
  // Bounds in kilobytes; -1 disables that bound.
  virtual std::int64_t CleanCustomFile(const std::string& folder, const std::string& pattern, std::int32_t minKB,
                                       std::int32_t maxKB) {
    return 0;
  }
  // Each reads its own section's boxes and reports its own progress.
  virtual std::int64_t CleanNetscape() { return 0; }
  virtual std::int64_t CleanIE() { return 0; }
  // Appends a line to the main window's log (the engine's log writer).
  virtual void AddItem(const std::string& line);
  // The overwrite patterns, prepared once at start-up.
  virtual void PrepareShredStr() {}
  // The shredder page's primitives. A file is overwritten and deleted; a
  // folder tree is shredded file by file and removed; a drive's root keeps
  // itself but loses every file and folder. Each returns the bytes
  // shredded and yields to the message loop as it goes.
  virtual std::int64_t ShredFile(const std::string& path) { return 0; }
  virtual std::int64_t ShredFolder(const std::string& path) { return 0; }
  virtual std::int64_t ShredDriveRoot(const std::string& root) { return 0; }
  // The engine form's own result box, put before each Firefox log line.
  virtual std::string ResultBoxText() { return ""; }
  // Registry-entry texts: whether the key can be opened; the named value's
  // data ("" on any failure).
  virtual bool TraceKeyExists(const std::string& entry) { return false; }
  virtual std::string ReadTraceValue(const std::string& entry) { return ""; }
  // Hides or shows the data; the engine refreshes the Show/Hide buttons
  // (Form1.CheckShowHide) when it is done.
  virtual void HideData(HiddenData what) {}
  virtual void ShowData(HiddenData what) {}
  // Shows a keep-list window, modeless and without owner.
  virtual void ShowCookieKeepList(CookieKeepList which) {}
  // Extra plug-in rows: one registry entry through the executor; every
  // matching file of a folder tree, no size bounds; exactly one file. The
  // two deleting ones pass the engine's one folder guard first (a refusal is
  // logged with its reason and deletes nothing), log each file removed and
  // return the bytes.
  virtual void RunTraceEntry(const std::string& entry) {}
  virtual std::int64_t DeleteTreeFiles(const std::string& folder, const std::string& pattern) { return 0; }
  virtual std::int64_t DeleteOneFile(const std::string& path) { return 0; }
};

// The engine the main window uses from its next load on.
void InstallCleaningEngine(std::shared_ptr<CleaningEngine> engine);
std::shared_ptr<CleaningEngine> InstalledCleaningEngine();
