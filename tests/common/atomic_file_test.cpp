#include "common/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

namespace fs = std::filesystem;

int CountEntries(const std::string& folder) {
  int entries = 0;
  for (auto& e : fs::directory_iterator(folder)) (void)e, ++entries;
  return entries;
}

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  stat(path.c_str(), &st);
  return st.st_mode & 07777u;
}

}  // namespace

TEST(AtomicFile, WritesReplaceAndFailuresKeepTheOldFile) {
  testing::TempDir dir;
  const std::string path = dir.File("sub/list.txt");
  ASSERT_TRUE(WriteFileAtomic(path, "one"));
  ASSERT_TRUE(WriteFileAtomic(path, "two"));
  EXPECT_EQ(dir.Read("sub/list.txt"), "two");

  // A target that cannot be replaced (a non-empty folder) fails and leaves no litter.
  dir.Write("busy/inner", "keep");
  EXPECT_FALSE(WriteFileAtomic(dir.File("busy"), "three"));
  EXPECT_EQ(dir.Read("busy/inner"), "keep");
  EXPECT_EQ(CountEntries(dir.Path()), 2);  // sub and busy, no temporary file
  // A parent that is a file cannot hold anything.
  EXPECT_FALSE(WriteFileAtomic(dir.File("sub/list.txt/x"), "x"));

  // A write given up half way (the program stopped writing) leaves the old file whole.
  {
    AtomicWriter writer(path);
    ASSERT_TRUE(writer.Write("half of a new"));
  }
  EXPECT_EQ(dir.Read("sub/list.txt"), "two");
  EXPECT_EQ(CountEntries(dir.File("sub")), 1);
}

TEST(AtomicFile, WritesThroughLinksAndKeepsModeBits) {
  testing::TempDir dir;
  const std::string real = dir.Write("real/varlo.ini", "old");
  ::chmod(real.c_str(), 0640);
  fs::create_directories(dir.File("config"));
  fs::create_symlink("../real/varlo.ini", dir.File("config/varlo.ini"));
  fs::create_symlink("varlo.ini", dir.File("config/chain.ini"));  // a link to the link

  ASSERT_TRUE(WriteFileAtomic(dir.File("config/chain.ini"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir.File("config/varlo.ini")));
  EXPECT_TRUE(fs::is_symlink(dir.File("config/chain.ini")));
  EXPECT_EQ(dir.Read("real/varlo.ini"), "new");
  EXPECT_EQ(ModeOf(real), 0640u);
  EXPECT_EQ(CountEntries(dir.File("config")), 2);  // the temporary went beside the target
  EXPECT_EQ(CountEntries(dir.File("real")), 1);

  // A link to a file not there yet creates that file; a new file's mode follows the umask.
  fs::create_symlink("made/later.txt", dir.File("dangling"));
  const mode_t old = ::umask(027);
  const bool wrote = WriteFileAtomic(dir.File("dangling"), "x").Ok();
  ::umask(old);
  ASSERT_TRUE(wrote);
  EXPECT_TRUE(fs::is_symlink(dir.File("dangling")));
  EXPECT_EQ(dir.Read("made/later.txt"), "x");
  EXPECT_EQ(ModeOf(dir.File("made/later.txt")), 0640u);

  // A loop of links is refused rather than replaced by a file.
  fs::create_symlink("loop2", dir.File("loop1"));
  fs::create_symlink("loop1", dir.File("loop2"));
  EXPECT_FALSE(WriteFileAtomic(dir.File("loop1"), "x"));
  EXPECT_TRUE(fs::is_symlink(dir.File("loop1")));
}

TEST(AtomicFile, StaleTemporariesOfOurFilesGoButNotOthersOrOnesBeingWritten) {
  testing::TempDir dir;
  const std::string list = dir.Write("prog/playlist.m3u", "a.mp3\r\n");
  dir.Write("prog/playlist.m3u.tmpAb12Cd", "stale");
  dir.Write("prog/playlist.m3u.tmpZz9yX8", "stale");
  dir.Write("prog/playlist.m3u.tmpAb12C", "five letters: not ours");
  dir.Write("prog/playlist.m3u.tmp-b12Cd", "not a letter: not ours");
  dir.Write("prog/song.mp3.tmpAb12Cd", "a file that is not the program's");
  fs::create_directories(dir.File("prog/playlist.m3u.tmpDirDir"));
  dir.Write("elsewhere", "");
  fs::create_symlink(dir.File("elsewhere"), dir.File("prog/playlist.m3u.tmpLink01"));

  // A writer still at work holds its temporary: it is passed over and the write completes.
  AtomicWriter busy(list);
  ASSERT_TRUE(busy.Write("b.mp3\r\n"));
  EXPECT_EQ(RemoveStaleTemporaries({list, dir.File("prog/never-written.txt")}), 2);
  EXPECT_FALSE(fs::exists(dir.File("prog/playlist.m3u.tmpAb12Cd")));
  EXPECT_FALSE(fs::exists(dir.File("prog/playlist.m3u.tmpZz9yX8")));
  EXPECT_TRUE(fs::exists(dir.File("prog/playlist.m3u.tmpAb12C")));
  EXPECT_TRUE(fs::exists(dir.File("prog/playlist.m3u.tmp-b12Cd")));
  EXPECT_TRUE(fs::exists(dir.File("prog/song.mp3.tmpAb12Cd")));
  EXPECT_TRUE(fs::is_directory(dir.File("prog/playlist.m3u.tmpDirDir")));
  EXPECT_TRUE(fs::is_symlink(dir.File("prog/playlist.m3u.tmpLink01")));
  EXPECT_TRUE(fs::exists(dir.File("elsewhere")));
  ASSERT_TRUE(busy.Commit());
  EXPECT_EQ(dir.Read("prog/playlist.m3u"), "b.mp3\r\n");

  EXPECT_TRUE(IsTemporaryOf("varlo.ini.tmpQ1w2E3", "varlo.ini"));
  EXPECT_FALSE(IsTemporaryOf("varlo.ini.tmpQ1w2E34", "varlo.ini"));
  EXPECT_FALSE(IsTemporaryOf("xvarlo.ini.tmpQ1w2E3", "varlo.ini"));
}

TEST(AtomicFile, AFailedWriteTellsItsCause) {
  testing::TempDir dir;
  EXPECT_EQ(WriteFileAtomic(dir.File("fine.txt"), "x"), WriteStatus());
  EXPECT_EQ(WriteFileAtomic(dir.File("fine.txt"), "x").Reason(), "");

  // A folder in the file's place, a file in a folder's place and a loop of links.
  dir.Write("busy/inner", "keep");
  const WriteStatus folder = WriteFileAtomic(dir.File("busy"), "x");
  EXPECT_EQ(folder.Error(), EISDIR);
  EXPECT_EQ(folder.Reason(), "Is a directory");
  EXPECT_EQ(WriteFileAtomic(dir.File("fine.txt/x"), "x").Error(), ENOTDIR);
  fs::create_symlink("loop2", dir.File("loop1"));
  fs::create_symlink("loop1", dir.File("loop2"));
  EXPECT_EQ(WriteFileAtomic(dir.File("loop1"), "x").Error(), ELOOP);

  // A file or folder marked read-only is refused for everyone, the super-user included, and
  // the old content stays.
  const std::string locked = dir.Write("locked.txt", "old");
  ::chmod(locked.c_str(), 0444);
  const WriteStatus refused = WriteFileAtomic(locked, "new");
  EXPECT_EQ(refused.Error(), EACCES);
  EXPECT_EQ(dir.Read("locked.txt"), "old");
  dir.Write("shut/list.txt", "old");
  ::chmod(dir.File("shut").c_str(), 0555);
  EXPECT_EQ(WriteFileAtomic(dir.File("shut/list.txt"), "new").Reason(), "Permission denied");
  EXPECT_EQ(WriteFileAtomic(dir.File("shut/made/new.txt"), "new").Error(), EACCES);
  ::chmod(dir.File("shut").c_str(), 0755);
  EXPECT_EQ(dir.Read("shut/list.txt"), "old");

  // The writer keeps the first failure: later calls do not replace it.
  AtomicWriter writer(dir.File("busy"));
  ASSERT_TRUE(writer.Write("x"));
  EXPECT_FALSE(writer.Commit());
  EXPECT_FALSE(writer.Write("more"));
  EXPECT_FALSE(writer.Commit());
  EXPECT_EQ(writer.Status().Error(), EISDIR);
  EXPECT_EQ(CountEntries(dir.Path()), 6);  // no temporary among them

  // A caller that finds the target changed since it read it stops the rename.
  AtomicWriter late(dir.File("fine.txt"));
  ASSERT_TRUE(late.Write("stale merge"));
  int asked = 0;
  EXPECT_FALSE(late.Commit([&] { return ++asked, false; }));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(late.Status().Error(), EAGAIN);
  EXPECT_EQ(dir.Read("fine.txt"), "x");
  EXPECT_EQ(CountEntries(dir.Path()), 6);
}

TEST(WriteStatus, MessagesCarryTheReasonAndNoticesAreGivenOnce) {
  EXPECT_EQ(
      WithReason("Unable to write Playlist! Is the file read-only?", WriteStatus::Failed(ENOSPC)),
      "Unable to write Playlist! Is the file read-only?\nNo space left on device");
  EXPECT_EQ(WithReason("Saved.", WriteStatus()), "Saved.");
  EXPECT_EQ(WriteStatus::Failed(0).Error(), EIO);  // a failure is never taken for success

  WriteFailureNotice notice;
  EXPECT_TRUE(notice.ShouldTell(WriteStatus::Failed(ENOSPC)));
  EXPECT_FALSE(notice.ShouldTell(WriteStatus::Failed(ENOSPC)));
  // Another cause is news; so is the old one after a write that worked.
  EXPECT_TRUE(notice.ShouldTell(WriteStatus::Failed(EACCES)));
  EXPECT_FALSE(notice.ShouldTell(WriteStatus()));
  EXPECT_TRUE(notice.ShouldTell(WriteStatus::Failed(EACCES)));
}

TEST(AtomicFile, BoundedReadsTakeRegularFilesOnly) {
  testing::TempDir dir;
  dir.Write("a", std::string(100, 'x'));
  EXPECT_EQ(ReadFileBounded(dir.File("a"), 100)->size(), 100u);
  EXPECT_FALSE(ReadFileBounded(dir.File("a"), 99));
  EXPECT_FALSE(ReadFileBounded(dir.File("none"), 99));
  EXPECT_EQ(ReadRegularFile(dir.File("a"), 99).status, ReadStatus::kTooLarge);
  EXPECT_EQ(ReadRegularFile(dir.File("none"), 99).status, ReadStatus::kMissing);
  EXPECT_EQ(ReadRegularFile(dir.File("none/deeper"), 99).status, ReadStatus::kMissing);
  EXPECT_EQ(ReadFileHead(dir.File("a"), 10), std::string(10, 'x'));
  EXPECT_EQ(ReadFileHead(dir.File("a"), 1000).size(), 100u);
  EXPECT_EQ(ReadRegularFile(dir.Path(), 99).status, ReadStatus::kNotRegular);

  // A pipe named like a program file, with a writer that never writes: refused at once.
  const std::string fifo = dir.File("autolist.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto read = std::async(std::launch::async, [&] {
    return std::make_pair(ReadRegularFile(fifo, 1 << 20).status, ReadFileHead(fifo, 1 << 20));
  });
  if (read.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    // Lets the blocked reader see the end of the pipe, so the test can end.
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    FAIL() << "reading a pipe blocked";
  }
  EXPECT_EQ(read.get(), std::make_pair(ReadStatus::kNotRegular, std::string()));
  EXPECT_FALSE(ReadFileBounded(fifo, 1 << 20));
  EXPECT_FALSE(ReadFileBounded("/dev/zero", 1 << 20));
}

}  // namespace varlo
