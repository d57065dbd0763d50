#include "mainwindow/plugins/plugin_store.h"

#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "support/clsBlowfish.h"

namespace {

std::function<void(const char*)>& StepHook() {
  static std::function<void(const char*)> hook;
  return hook;
}

void Step(const char* name) {
  if (StepHook()) StepHook()(name);
}

std::string FolderOf(const std::string& path) {
  std::size_t last = path.rfind('\\');
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Removes a file whatever its attributes; true when it is gone.
bool ForceDelete(const std::string& path) {
  if (!IsPlainFile(path)) return true;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
  return !IsPlainFile(path);
}

// A store whose replacement stopped half way: the old store set aside and
// the new one not yet in its place. The old one goes back; an aside copy
// beside a complete store is stale.
void PutBackSetAsideStore(const std::string& store) {
  const std::string aside = SetAsideName(store);
  if (!IsPlainFile(aside)) return;
  if (IsPlainFile(store)) ForceDelete(aside);
  else MoveFileA(aside.c_str(), store.c_str());
}

}  // namespace

FileBytes EncipherStoreBytes(FileBytes plain) {
  g_Blowfish().EncryptByte(plain, PluginStore::kKey);
  return plain;
}

bool DecipherStoreBytes(FileBytes& bytes) {
  if (bytes.size() < 16 || bytes.size() % 8 != 0) return false;
  try {
    g_Blowfish().DecryptByte(bytes, PluginStore::kKey);
  } catch (const platform::RuntimeError&) {
    return false;
  }
  return true;
}

void PluginStore::SetStepHook(std::function<void(const char* step)> hook) { StepHook() = std::move(hook); }

void PluginStore::SetPaths(std::string storePath, std::string clearCopyPath) {
  storePath_ = std::move(storePath);
  clearCopyPath_ = std::move(clearCopyPath);
}

void PluginStore::SetBusy(bool busy) {
  busy_ = busy;
  if (busyListener_) busyListener_(busy);
}

void PluginStore::RecoverAtStartUp() {
  if (busy_ || storePath_.empty()) return;
  RemoveClearCopy();
  ForceDelete(newStorePath());
  PutBackSetAsideStore(storePath_);
  ForceDelete(lockPath());
}

bool PluginStore::RemoveClearCopy() {
  const std::string& copy = clearCopyPath_;
  if (copy.empty() || !IsPlainFile(copy)) return true;
  SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  // Zeros over every byte first: the shredder's patterns leave a short tail.
  FileBytes content;
  if (ReadWholeFile(copy, content)) WriteWholeFile(copy, FileBytes(content.size(), 0));
  if (shredder_ && IsPlainFile(copy)) shredder_(copy);
  return ForceDelete(copy);
}

std::unique_ptr<PluginStore::Cycle> PluginStore::Open(bool forWriting) {
  std::unique_ptr<Cycle> cycle(new Cycle(*this, forWriting));
  cycle->Begin();
  return cycle;
}

PluginStore::Cycle::Cycle(PluginStore& store, bool forWriting) : store_(store), forWriting_(forWriting) {}

bool PluginStore::Cycle::TakeLock() {
  const std::string folder = FolderOf(store_.storePath_);
  if (forWriting_ && !folder.empty() && !FolderExists(folder)) CreateDirectoryA(folder.c_str(), nullptr);
  // No folder: no store to guard, and nothing will be written.
  if (!FolderExists(folder)) return !forWriting_;
  HANDLE lock = CreateFileA(store_.lockPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (lock == INVALID_HANDLE_VALUE) return false;
  CloseHandle(lock);
  locked_ = true;
  return true;
}

void PluginStore::Cycle::Begin() {
  if (store_.busy_) return;  // refused; the open cycle's files are left alone
  owns_ = true;
  store_.SetBusy(true);
  if (!TakeLock()) return;  // another process works on the store
  Step("locked");
  ownsCopy_ = true;
  ForceDelete(store_.newStorePath());
  PutBackSetAsideStore(store_.storePath_);
  if (!store_.RemoveClearCopy()) {
    state_ = State::Refused;
    return;
  }
  Step("swept");

  const std::string& storePath = store_.storePath_;
  storeExisted_ = IsPlainFile(storePath);
  if (!storeExisted_) return Ready();  // no store yet: no plug-ins
  FileBytes bytes;
  if (!ReadWholeFile(storePath, bytes) || !DecipherStoreBytes(bytes)) {
    state_ = State::Unreadable;
    if (!store_.toldUnreadable_ && store_.unreadableNotice_) {
      store_.toldUnreadable_ = true;
      store_.unreadableNotice_();
    }
    return;
  }
  plain_ = std::move(bytes);
  if (!WriteWholeFile(store_.clearCopyPath_, plain_)) return;
  Step("copied");
  Ready();
}

void PluginStore::Cycle::Ready() {
  state_ = State::Ready;
  held_ = std::make_unique<platform::profile::HeldProfile>(store_.clearCopyPath_);
}

bool PluginStore::Cycle::Commit() {
  if (!forWriting_ || state_ != State::Ready) return false;
  const std::string& copy = store_.clearCopyPath_;
  FileBytes data;
  if (!IsPlainFile(copy)) {
    // Nothing was written to a store that did not exist; a copy that went
    // missing under an existing store cannot be trusted to be whole.
    return !storeExisted_;
  }
  if (!ReadWholeFile(copy, data)) return false;
  if (storeExisted_ && data == plain_) return true;

  const std::string fresh = store_.newStorePath();
  if (!WriteWholeFile(fresh, EncipherStoreBytes(data))) return false;
  Step("enciphered");
  FileBytes check;
  if (!ReadWholeFile(fresh, check) || !DecipherStoreBytes(check) || check != data) {
    ForceDelete(fresh);
    return false;
  }
  Step("verified");
  // An atomic rename where the system has one; else set the old store
  // aside, which the next cycle puts back if the process dies in between.
  if (!MoveFileExA(fresh.c_str(), store_.storePath_.c_str(), MOVEFILE_REPLACE_EXISTING) &&
      !ReplaceFileWith(fresh, store_.storePath_)) {
    ForceDelete(fresh);
    return false;
  }
  Step("replaced");
  plain_ = std::move(data);
  storeExisted_ = true;
  return true;
}

PluginStore::Cycle::~Cycle() {
  held_.reset();
  if (!owns_) return;
  if (ownsCopy_) {
    store_.RemoveClearCopy();
    Step("removed");
  }
  if (locked_) {
    ForceDelete(store_.lockPath());
    Step("unlocked");
  }
  store_.SetBusy(false);
}
