#include "checksum/pause_gate.h"

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "checksum/file_checksum.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr size_t kMiB = 1 << 20;

std::atomic<int> blocksDone{0};

// What the worker hands to FileChecksum: count the block, then stop at the gate.
void CountBlockThenWait() {
  ++blocksDone;
  WaitIfPaused();
}

// Waits, up to a generous limit, until the worker has passed more than `count` blocks or ended.
bool WaitForBlocksAbove(int count, const std::atomic<bool>& ended) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (blocksDone <= count && !ended && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return blocksDone > count || ended;
}

class PauseGate : public testing::Test {
 protected:
  void SetUp() override { blocksDone = 0; }
  // A failed test must not leave the gate shut for the next one.
  void TearDown() override { ResumeWorker(); }
};

TEST_F(PauseGate, OpenGateDoesNotHold) {
  EXPECT_FALSE(IsWorkerPaused());
  WaitIfPaused();  // returns at once
  PauseWorker();
  EXPECT_TRUE(IsWorkerPaused());
  ResumeWorker();
  EXPECT_FALSE(IsWorkerPaused());
}

TEST_F(PauseGate, PausedWorkerDoesNotAdvanceAndResumesToTheSameChecksum) {
  TempFolder folder;
  const std::string file = folder.WriteFile("big", PseudoRandomBytes(4 * kMiB + 17, 11));
  const std::u16string unpaused = FileChecksum(file, AlgorithmSha2, 512);
  ASSERT_FALSE(unpaused.empty());

  PauseWorker();
  std::atomic<bool> ended{false};
  std::u16string paused;
  std::thread worker([&] {
    paused = FileChecksum(file, AlgorithmSha2, 512, CountBlockThenWait);
    ended = true;
  });
  EXPECT_TRUE(WaitForBlocksAbove(0, ended));
  // The worker is held at the gate after its first block: it must stay there.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(blocksDone, 1);
  EXPECT_FALSE(ended);

  ResumeWorker();
  worker.join();
  EXPECT_EQ(blocksDone, 5);
  EXPECT_EQ(paused, unpaused);
}

TEST_F(PauseGate, RepeatedPausesMidFileKeepTheChecksum) {
  TempFolder folder;
  const std::string file = folder.WriteFile("big", PseudoRandomBytes(9 * kMiB + 5, 12));
  for (int64_t algorithm : {AlgorithmCrc32, AlgorithmSha3}) {
    const std::u16string unpaused = FileChecksum(file, algorithm, 384);
    ASSERT_FALSE(unpaused.empty());
    blocksDone = 0;

    PauseWorker();
    std::atomic<bool> ended{false};
    std::u16string paused;
    std::thread worker([&] {
      paused = FileChecksum(file, algorithm, 384, CountBlockThenWait);
      ended = true;
    });
    // Hold the worker at a gate, let it go on until it has passed another block, hold it again.
    // (Opening and shutting the gate in one breath would not let it through: a shut gate holds.)
    int seen = 0;
    bool moving = true;
    while (!ended && moving) {
      moving = WaitForBlocksAbove(seen, ended);
      seen = blocksDone;
      ResumeWorker();
      moving = moving && WaitForBlocksAbove(seen, ended);
      seen = blocksDone;
      PauseWorker();
    }
    ResumeWorker();
    worker.join();
    EXPECT_TRUE(moving) << "the worker stopped advancing";
    EXPECT_EQ(paused, unpaused) << "algorithm " << algorithm;
  }
}

}  // namespace
