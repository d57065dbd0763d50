#pragma once
// The never-shown form that deletes and overwrites files for every cleaner:
// single files (overwritten first when the user's shred option is on),
// the matching files of one folder or of a tree, and the shredders of the
// system tools. Byte counts are kept 64-bit inside and clamped to the
// signed 32-bit results the callers add up.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/forms.h"

namespace cleaning {
class FileToDelete;
}

class DeleteForm : public platform::forms::Form {
 public:
  DeleteForm() : Form("Delete") {}

  TSY_CONTROL(Label, lblDeleteManager);
  // Full folder paths of the last tree listing (direct subfolders of a
  // level before anything below them).
  std::vector<std::string> DelDirList;

  // Deletes one file; returns its length, 0 when nothing was deleted.
  std::int32_t DeleteFile(const std::string& path);
  // Deletes the matching files of one folder.
  std::int32_t DeleteFilesInFolder(const std::string& folder, const std::string& pattern);
  // Deletes the matching files of the tree; with "*.*" also its subfolders
  // (the folder itself stays). `path` is rewritten to its short form.
  std::int32_t DeleteFolder(std::string& path, const std::string& pattern);
  // Creates the folder (one level) when missing; failures are ignored.
  void MakeDir(const std::string& path);
  // Overwrites the file with zero bytes, `passes` times.
  void TSYShredder(const std::string& path, int passes);
  // Three passes (pair, pair, fill) of 32-byte patterns, then removal.
  // Returns the length; 0 when the overwrite or the removal failed.
  std::int32_t xShredFile(const std::string& path);
  // As xShredFile with the 4096-byte patterns.
  std::int32_t xShredDrive(const std::string& path);
  // Shreds every file of the tree, then removes the folder.
  std::int32_t xShredFolder(const std::string& path);
  // Overwrites (3 passes, short or long patterns) and removes the file; false
  // when either failed. `length` receives the file's length. `listed`: the
  // same file as its folder's listing found it, removed without another
  // look-up of the path.
  bool ShredFile(const std::string& path, std::uint64_t& length, bool longBlocks = false,
                 cleaning::FileToDelete* listed = nullptr);
  // Builds the four overwrite patterns.
  void PrepareShredStr();

  const std::string& shortPair() const { return shortPair_; }
  const std::string& shortFill() const { return shortFill_; }
  const std::string& longPair() const { return longPair_; }
  const std::string& longFill() const { return longFill_; }

 protected:
  void Form_Load() override { PrepareShredStr(); }

 private:
  // Deletes the matching files below `folder` (ending in "\") as the tree
  // listing finds them, filling DelDirList.
  void DeleteTreeFiles(const std::string& folder, const std::string& pattern, std::uint64_t& total);
  // DeleteFile of a file already resolved (by its path or by a listing).
  std::int32_t DeleteResolvedFile(cleaning::FileToDelete& file);
  void ReportFailure(const std::string& shortPath, int error);
  // The log line of a file whose data another name shares: its own name is
  // removed, its data is not overwritten.
  void LogNotShredded(const std::string& path);

  std::string shortPair_, shortFill_, longPair_, longFill_;
};

DeleteForm& Delete();

// A signed 32-bit count of a 64-bit byte total (clamped).
std::int32_t ClampedBytes(std::uint64_t bytes);
