#include "platform/files/ready_flag.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace platform::files {
namespace {

namespace fs = std::filesystem;

struct Pipe {
  int ends[2] = {-1, -1};
  Pipe() { EXPECT_EQ(::pipe(ends), 0); }
  ~Pipe() {
    ::close(ends[0]);
    ::close(ends[1]);
  }
};

// Each case on a thread of its own: the kernel keeps one flag per thread.
void OnFreshThread(const std::function<void()>& body) { std::thread(body).join(); }

bool RingsOffered() {
  bool offered = false;
  OnFreshThread([&] {
    Pipe pipe;
    ReadyFlag probe;
    offered = probe.Arm(pipe.ends[0]);
  });
  return offered;
}

// Whether `flag` is up right after another thread has run `change`: read
// with no call of this thread's own after that thread said it was done.
bool RaisedByAChangeElsewhere(const ReadyFlag& flag, const std::function<void()>& change) {
  std::atomic<bool> done{false};
  std::thread other([&] {
    change();
    done.store(true, std::memory_order_release);
  });
  while (!done.load(std::memory_order_acquire)) {
  }
  const bool raised = flag.Raised();
  other.join();
  return raised;
}

class ReadyFlagTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RingsOffered()) GTEST_SKIP() << "this kernel offers no io_uring";
  }
};

TEST(ReadyFlag, NotArmedSendsTheCallerToTheDescriptor) {
  ReadyFlag flag;
  EXPECT_FALSE(flag.armed());
  EXPECT_TRUE(flag.Raised());
}

// The flag is up the moment another thread's write returns, with no call
// made here in between, and stays up.
TEST_F(ReadyFlagTest, RaisedAtOnceByAnotherThreadsWrite) {
  OnFreshThread([] {
    Pipe pipe;
    ReadyFlag flag;
    ASSERT_TRUE(flag.Arm(pipe.ends[0]));
    for (int i = 0; i < 3; ++i) (void)::getppid();  // calls that bring no news
    EXPECT_FALSE(flag.Raised());
    EXPECT_TRUE(RaisedByAChangeElsewhere(flag, [&] { EXPECT_EQ(::write(pipe.ends[1], "x", 1), 1); }));
    EXPECT_TRUE(flag.Raised());
  });
}

// What the folder cache arms it on: a watch instance, told of a watched
// folder renamed by another thread.
TEST_F(ReadyFlagTest, RaisedAtOnceByAWatchedFolderMovedElsewhere) {
  OnFreshThread([] {
    std::string pattern = (fs::temp_directory_path() / "tsy-ready-XXXXXX").string();
    fs::path root = ::mkdtemp(pattern.data());
    fs::create_directory(root / "watched");
    UniqueFd watcher(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    ASSERT_TRUE(watcher);
    ASSERT_GE(::inotify_add_watch(watcher.get(), (root / "watched").c_str(), IN_MOVE_SELF | IN_DELETE_SELF), 0);
    ReadyFlag flag;
    ASSERT_TRUE(flag.Arm(watcher.get()));
    EXPECT_FALSE(flag.Raised());
    EXPECT_TRUE(RaisedByAChangeElsewhere(flag, [&] { fs::rename(root / "watched", root / "moved"); }));
    flag = ReadyFlag();
    fs::remove_all(root);
  });
}

TEST_F(ReadyFlagTest, RaisedWhenDataWaitedBeforeArming) {
  OnFreshThread([] {
    Pipe pipe;
    ASSERT_EQ(::write(pipe.ends[1], "x", 1), 1);
    ReadyFlag flag;
    ASSERT_TRUE(flag.Arm(pipe.ends[0]));
    EXPECT_TRUE(flag.Raised());
  });
}

// One flag per thread, read on the thread that armed it; elsewhere the
// caller is sent to the descriptor. A moved flag keeps its request.
TEST_F(ReadyFlagTest, OneFlagPerThreadReadWhereArmed) {
  OnFreshThread([] {
    Pipe first, second;
    ReadyFlag armed;
    ASSERT_TRUE(armed.Arm(first.ends[0]));
    ReadyFlag another;
    EXPECT_FALSE(another.Arm(second.ends[0]));
    EXPECT_FALSE(another.armed());

    ReadyFlag moved = std::move(armed);
    EXPECT_FALSE(armed.armed());
    EXPECT_FALSE(moved.Raised());
    bool raisedElsewhere = false;
    std::thread([&] { raisedElsewhere = moved.Raised(); }).join();
    EXPECT_TRUE(raisedElsewhere);

    moved = ReadyFlag();
    EXPECT_TRUE(another.Arm(second.ends[0]));  // the thread's flag went
  });
}

}  // namespace
}  // namespace platform::files
