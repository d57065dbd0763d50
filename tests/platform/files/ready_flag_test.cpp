#include "platform/files/ready_flag.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace platform::files {
namespace {

struct Pipe {
  int ends[2] = {-1, -1};
  Pipe() { EXPECT_EQ(::pipe(ends), 0); }
  ~Pipe() {
    ::close(ends[0]);
    ::close(ends[1]);
  }
};

TEST(ReadyFlag, NotArmedSendsTheCallerToTheDescriptor) {
  ReadyFlag flag;
  EXPECT_FALSE(flag.armed());
  EXPECT_TRUE(flag.Raised());
}

// The flag is up the moment another thread's write returns, with no call
// made here in between; it stays up once the data is read.
TEST(ReadyFlag, RaisedAtOnceByAnotherThreadsWrite) {
  Pipe pipe;
  ReadyFlag flag;
  if (!flag.Arm(pipe.ends[0])) GTEST_SKIP() << "this kernel offers no io_uring";
  for (int i = 0; i < 3; ++i) (void)::getppid();  // calls that bring no news
  EXPECT_FALSE(flag.Raised());

  std::atomic<bool> written{false};
  std::thread writer([&] {
    EXPECT_EQ(::write(pipe.ends[1], "x", 1), 1);
    written.store(true, std::memory_order_release);
  });
  while (!written.load(std::memory_order_acquire)) {
  }
  EXPECT_TRUE(flag.Raised());
  writer.join();

  char byte = 0;
  EXPECT_EQ(::read(pipe.ends[0], &byte, 1), 1);
  EXPECT_TRUE(flag.Raised());
}

TEST(ReadyFlag, RaisedWhenDataWaitedBeforeArming) {
  Pipe pipe;
  ASSERT_EQ(::write(pipe.ends[1], "x", 1), 1);
  ReadyFlag flag;
  if (!flag.Arm(pipe.ends[0])) GTEST_SKIP() << "this kernel offers no io_uring";
  EXPECT_TRUE(flag.Raised());
}

TEST(ReadyFlag, MovedFlagKeepsItsRequest) {
  Pipe pipe;
  ReadyFlag first;
  if (!first.Arm(pipe.ends[0])) GTEST_SKIP() << "this kernel offers no io_uring";
  ReadyFlag second = std::move(first);
  EXPECT_FALSE(first.armed());
  EXPECT_FALSE(second.Raised());
  ASSERT_EQ(::write(pipe.ends[1], "x", 1), 1);
  EXPECT_TRUE(second.Raised());
}

}  // namespace
}  // namespace platform::files
