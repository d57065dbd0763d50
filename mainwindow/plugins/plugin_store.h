#pragma once
// The enciphered extra plug-in store and its store cycle: the store is
// deciphered to a clear INI copy, the operation reads or writes the copy
// with the profile calls, a writing operation enciphers the copy back, and
// the copy is overwritten and removed last.
//
// The store is the user's own work, so a cycle never loses it:
// - one cycle at a time: a flag in the process and a lock file beside the
//   store for other processes;
// - a clear copy left by a crash is removed before deciphering, never read;
// - a store that exists but does not decipher is read as empty and never
//   written; the user is told once;
// - the new store is enciphered to a temporary file beside the old one,
//   checked to decipher to the copy's bytes, and then takes the old one's
//   place; the copy goes only once the new store stands.
#include <functional>
#include <memory>
#include <string>

#include "platform/profile/profile.h"
#include "support/whole_files.h"

class PluginStore {
 public:
  // Overwrites and removes one file (the engine's shredder).
  using Shredder = std::function<void(const std::string& path)>;

  // The fixed key every installation enciphers its store with.
  static constexpr const char* kKey = "qz_mnb482vlk[dusk]";

  void SetPaths(std::string storePath, std::string clearCopyPath);
  const std::string& storePath() const { return storePath_; }
  const std::string& clearCopyPath() const { return clearCopyPath_; }
  std::string lockPath() const { return storePath_ + ".lock"; }
  std::string newStorePath() const { return storePath_ + ".~new"; }
  void SetShredder(Shredder shredder) { shredder_ = std::move(shredder); }
  // Told once per process when the store cannot be read.
  void SetUnreadableNotice(std::function<void()> notice) { unreadableNotice_ = std::move(notice); }
  // Told whenever a cycle starts or ends.
  void SetBusyListener(std::function<void(bool busy)> listener) { busyListener_ = std::move(listener); }

  // Whether a cycle of this process is open.
  bool busy() const { return busy_; }

  // Leftovers of an interrupted cycle, removed by the one running instance
  // at start-up: the clear copy, an unfinished new store, the lock, and a
  // set-aside store whose replacement did not finish (put back).
  void RecoverAtStartUp();

  enum class State {
    Ready,       // the copy holds the store's data (none for a missing store)
    Unreadable,  // the store exists but does not decipher (or cannot be read)
    Refused,     // another cycle is open, or the copy cannot be made or removed
  };

  class Cycle {
   public:
    ~Cycle();
    Cycle(const Cycle&) = delete;
    Cycle& operator=(const Cycle&) = delete;

    State state() const { return state_; }
    // Whether reads may trust the copy.
    bool readable() const { return state_ == State::Ready; }
    // Enciphers the copy back when it changed; false when the cycle may not
    // write or the new store could not be put in place (the old one stands).
    bool Commit();

   private:
    friend class PluginStore;
    Cycle(PluginStore& store, bool forWriting);
    void Begin();
    void Ready();
    bool TakeLock();

    PluginStore& store_;
    bool forWriting_;
    bool owns_ = false;      // this cycle set the busy flag
    bool ownsCopy_ = false;  // the clear copy is this cycle's to remove
    bool locked_ = false;
    State state_ = State::Refused;
    FileBytes plain_;          // what the store deciphered to
    bool storeExisted_ = false;
    // The copy's profile reads answer from one parse while the cycle reads it.
    std::unique_ptr<platform::profile::HeldProfile> held_;
  };

  // Opens a cycle. A reading cycle never writes the store; a writing cycle
  // creates the store's folder when it is missing.
  std::unique_ptr<Cycle> Open(bool forWriting);

  // Removes the clear copy: overwritten, shredded, then deleted whatever its
  // attributes; true when it is gone.
  bool RemoveClearCopy();

  // Test seam: called with the name of each step of a cycle as it is
  // reached ("locked", "swept", "copied", "enciphered", "verified",
  // "replaced", "removed", "unlocked").
  static void SetStepHook(std::function<void(const char* step)> hook);

 private:
  void SetBusy(bool busy);

  std::string storePath_, clearCopyPath_;
  Shredder shredder_;
  std::function<void()> unreadableNotice_;
  std::function<void(bool)> busyListener_;
  bool busy_ = false;
  bool toldUnreadable_ = false;
};

// Enciphers `plain` into the store's layout; the bytes of a valid store for
// empty data too.
FileBytes EncipherStoreBytes(FileBytes plain);
// Deciphers store bytes; false when they are no store of this key.
bool DecipherStoreBytes(FileBytes& bytes);
