#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "platform/files.h"
#include "test_folder.h"

namespace {

uint64_t g_nextToken = 0;
uint64_t CountingTokens() {
  return g_nextToken++;
}
uint64_t AlwaysTokenOne() {
  return 1;
}

bool IsLink(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

class AtomicFile : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetTemporaryTokenSourceForTests(nullptr); }
  ScratchFolder folder_;
};

TEST_F(AtomicFile, ReplacesContentKeepingPermissions) {
  const std::string path = folder_ / "settings.prefs";
  WriteBytes(path, "old content that is longer than the new one");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(platform::WriteFileAtomically(path, "new"));
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(PermissionsOf(path), 0640u);
  EXPECT_EQ(NamesIn(folder_.path()), std::vector<std::string>{"settings.prefs"});
}

TEST_F(AtomicFile, NewFileGetsTheUsualPermissionsLessTheUmask) {
  const mode_t saved = umask(027);
  const bool written = platform::WriteFileAtomically(folder_ / "new.prefs", "x");
  umask(saved);
  ASSERT_TRUE(written);
  EXPECT_EQ(PermissionsOf(folder_ / "new.prefs"), 0640u);
}

TEST_F(AtomicFile, FailuresLeaveTheOldFileAndNoTemporaryFile) {
  const std::string path = folder_ / "settings.prefs";
  WriteBytes(path, "old");
  ASSERT_EQ(mkdir((folder_ / "folder").c_str(), 0755), 0);
  WriteBytes(folder_ / "folder/inside", "inside");
  const std::vector<std::string> before = NamesIn(folder_.path());

  EXPECT_FALSE(platform::WriteFileAtomically(folder_ / "folder", "new"));
  EXPECT_FALSE(platform::WriteFileAtomically(folder_ / "missing/settings.prefs", "new"));
  EXPECT_FALSE(platform::WriteFileAtomically("", "new"));

  // A write that fails half-way: the file size limit stops it after the first kilobyte.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = platform::WriteFileAtomically(path, std::string(65536, 'n'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedSignal);
  EXPECT_FALSE(written);

  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(NamesIn(folder_.path()), before);
  EXPECT_EQ(NamesIn(folder_ / "folder"), std::vector<std::string>{"inside"});
}

TEST_F(AtomicFile, LinkPlantedUnderTheTemporaryNameIsNotFollowed) {
  const std::string path = folder_ / "settings.prefs";
  WriteBytes(path, "old");
  WriteBytes(folder_ / "victim", "secret");
  // Someone who guessed the first two names: one link to a file, one leading nowhere.
  const std::string planted = platform::TemporarySiblingPath(path, 1);
  const std::string dangling = platform::TemporarySiblingPath(path, 2);
  ASSERT_EQ(symlink((folder_ / "victim").c_str(), planted.c_str()), 0);
  ASSERT_EQ(symlink((folder_ / "created-through-link").c_str(), dangling.c_str()), 0);
  const std::vector<std::string> before = NamesIn(folder_.path());

  g_nextToken = 1;
  platform::SetTemporaryTokenSourceForTests(CountingTokens);
  ASSERT_TRUE(platform::WriteFileAtomically(path, "new"));

  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(ReadBytes(folder_ / "victim"), "secret");
  EXPECT_TRUE(IsLink(planted));
  EXPECT_TRUE(IsLink(dangling));
  EXPECT_EQ(NamesIn(folder_.path()), before);  // nothing created through the dangling link
}

TEST_F(AtomicFile, GivesUpWhenEveryTemporaryNameIsTaken) {
  const std::string path = folder_ / "settings.prefs";
  WriteBytes(path, "old");
  ASSERT_EQ(symlink("victim", platform::TemporarySiblingPath(path, 1).c_str()), 0);
  const std::vector<std::string> before = NamesIn(folder_.path());
  platform::SetTemporaryTokenSourceForTests(AlwaysTokenOne);
  EXPECT_FALSE(platform::WriteFileAtomically(path, "new"));
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(NamesIn(folder_.path()), before);
}

TEST_F(AtomicFile, LinkedTargetStaysALinkAndItsFileIsReplaced) {
  ASSERT_EQ(mkdir((folder_ / "dotfiles").c_str(), 0755), 0);
  WriteBytes(folder_ / "dotfiles/settings.prefs", "old");
  ASSERT_EQ(chmod((folder_ / "dotfiles/settings.prefs").c_str(), 0600), 0);
  ASSERT_EQ(symlink("dotfiles/settings.prefs", (folder_ / "settings.prefs").c_str()), 0);
  ASSERT_TRUE(platform::WriteFileAtomically(folder_ / "settings.prefs", "new"));
  EXPECT_TRUE(IsLink(folder_ / "settings.prefs"));
  EXPECT_EQ(ReadBytes(folder_ / "dotfiles/settings.prefs"), "new");
  EXPECT_EQ(PermissionsOf(folder_ / "dotfiles/settings.prefs"), 0600u);
  EXPECT_EQ(NamesIn(folder_ / "dotfiles"), std::vector<std::string>{"settings.prefs"});
}

TEST_F(AtomicFile, FileTheUserMayNotWriteIsNotReplaced) {
  ASSERT_EQ(chmod(folder_.path().c_str(), 0777), 0);
  const std::string path = folder_ / "readonly.prefs";
  WriteBytes(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(RunWithoutPrivileges([&path] {
              return !platform::CanReplaceFileAtomically(path) &&
                     !platform::WriteFileAtomically(path, "new");
            }),
            true);
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(NamesIn(folder_.path()), std::vector<std::string>{"readonly.prefs"});
}

TEST_F(AtomicFile, LongestFileNameStillGetsATemporaryName) {
  const std::string path = folder_ / std::string(255, 'n');
  ASSERT_TRUE(platform::WriteFileAtomically(path, "first"));
  ASSERT_TRUE(platform::WriteFileAtomically(path, "second"));
  EXPECT_EQ(ReadBytes(path), "second");
  EXPECT_EQ(NamesIn(folder_.path()).size(), 1u);
}

TEST_F(AtomicFile, ReplaceabilityIsJudgedWithoutTouchingAnything) {
  ASSERT_EQ(mkdir((folder_ / "folder").c_str(), 0755), 0);
  WriteBytes(folder_ / "file", "x");
  EXPECT_TRUE(platform::CanReplaceFileAtomically(folder_ / "file"));
  EXPECT_TRUE(platform::CanReplaceFileAtomically(folder_ / "absent"));
  EXPECT_FALSE(platform::CanReplaceFileAtomically(folder_ / "folder"));
  EXPECT_FALSE(platform::CanReplaceFileAtomically(folder_ / "missing/absent"));
  EXPECT_FALSE(platform::CanReplaceFileAtomically(folder_ / "file/below-a-file"));
  EXPECT_EQ(NamesIn(folder_.path()), (std::vector<std::string>{"file", "folder"}));
}

}  // namespace
