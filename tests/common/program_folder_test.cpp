#include "common/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/pending_writes.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

namespace fs = std::filesystem;

std::string Bytes(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 % 251);
  return s;
}

}  // namespace

TEST(ProgramFolder, CopiesMissingFilesRepairsCutShortOnesAndLeavesTheUsersAlone) {
  testing::TempDir shipped;
  testing::TempDir prog;
  const std::string bitmap = Bytes(300000);  // more than one copy chunk
  shipped.Write("default_main.bmp", bitmap);
  shipped.Write("skins/mini/mini.skin", "[Header]\nPlayer\n");
  shipped.Write("docs/help.txt", "help text");
  shipped.Write("stations.txt", "87.5 One\r\n101.1 Two\r\n");

  prog.Write("default_main.bmp", bitmap.substr(0, 70000));        // an earlier copy cut short
  prog.Write("skins/mini/mini.skin", "");                         // cut before the first byte
  prog.Write("stations.txt", "99.9 Mine\r\n");                    // shorter, but the user's own
  prog.Write("default_main.bmp.tmpQw3rTy", bitmap.substr(0, 5));  // a stale temporary
  prog.Write("notes.txt.tmpQw3rTy", "not a shipped file's");

  EXPECT_EQ(InstallMissingFiles(shipped.Path(), prog.Path()), 3);
  EXPECT_EQ(prog.Read("default_main.bmp"), bitmap);
  EXPECT_EQ(prog.Read("skins/mini/mini.skin"), "[Header]\nPlayer\n");
  EXPECT_EQ(prog.Read("docs/help.txt"), "help text");
  EXPECT_EQ(prog.Read("stations.txt"), "99.9 Mine\r\n");
  EXPECT_FALSE(fs::exists(prog.File("default_main.bmp.tmpQw3rTy")));
  EXPECT_TRUE(fs::exists(prog.File("notes.txt.tmpQw3rTy")));

  // A second start finds everything in place; a user's longer edit is never touched either.
  prog.Write("docs/help.txt", "help text, and my own notes");
  EXPECT_EQ(InstallMissingFiles(shipped.Path(), prog.Path()), 0);
  EXPECT_EQ(prog.Read("docs/help.txt"), "help text, and my own notes");
  int temporaries = 0;
  for (const auto& e : fs::recursive_directory_iterator(prog.Path()))
    temporaries += e.path().filename().string().find(".tmp") != std::string::npos;
  EXPECT_EQ(temporaries, 1);  // only the file that is not ours
}

// A copy the user made a link to a file of their own stays the link; a temporary the writer
// left beside the file a link leads to goes, and a link that leads nowhere is not replaced.
TEST(ProgramFolder, LinksInTheProgramFolderAreFollowedAndKept) {
  testing::TempDir shipped;
  testing::TempDir prog;
  testing::TempDir mine;
  shipped.Write("default.skin", "the shipped skin, longer than the user's");
  shipped.Write("notepad.skin", "shipped");
  shipped.Write("clock.skin", "shipped clock");
  const std::string own = mine.Write("my.skin", "mine");
  mine.Write("my.skin.tmpQw3rTy", "a temporary of a write through the link");
  fs::create_symlink(own, prog.File("default.skin"));
  fs::create_symlink(mine.File("gone.skin"), prog.File("notepad.skin"));

  EXPECT_EQ(InstallMissingFiles(shipped.Path(), prog.Path()), 1);  // the clock skin only
  EXPECT_TRUE(fs::is_symlink(prog.File("default.skin")));
  EXPECT_EQ(prog.Read("default.skin"), "mine");
  EXPECT_FALSE(fs::exists(mine.File("my.skin.tmpQw3rTy")));
  EXPECT_TRUE(fs::is_symlink(prog.File("notepad.skin")));
  EXPECT_EQ(prog.Read("clock.skin"), "shipped clock");
}

TEST(ProgramFolder, StaleTemporariesOfTheProgramsFilesGoAtStart) {
  testing::TempDir prog;
  testing::TempDir config;
  prog.Write("playlist.m3u.tmpAb12Cd", "half a list");
  prog.Write("stations.txt.tmp00aaZZ", "half");
  prog.Write("song.mp3.tmpAb12Cd", "a user's file, named like one");
  config.Write("varlo.ini.tmpXy9Z01", "[config]\n");
  EXPECT_EQ(RemoveStaleProgramTemporaries(prog.Path(), config.File("varlo.ini")), 3);
  EXPECT_FALSE(fs::exists(prog.File("playlist.m3u.tmpAb12Cd")));
  EXPECT_FALSE(fs::exists(prog.File("stations.txt.tmp00aaZZ")));
  EXPECT_FALSE(fs::exists(config.File("varlo.ini.tmpXy9Z01")));
  EXPECT_TRUE(fs::exists(prog.File("song.mp3.tmpAb12Cd")));
}

TEST(ProgramFolder, WritesElsewhereAreListedWhileTheyLastAndCleanedAfterAKill) {
  testing::TempDir prog;
  testing::TempDir music;
  const std::string song = music.Write("song.mp3", "audio");
  const std::string list = prog.File(kPendingWritesFile);
  {
    const PendingWrite tag(prog.Path(), song);
    const PendingWrite note(prog.Path(), music.File("note.txt"));
    EXPECT_EQ(prog.Read(kPendingWritesFile), song + "\n" + music.File("note.txt") + "\n");
    // The program's own files need no listing: the start looks beside them anyway.
    const PendingWrite own(prog.Path(), prog.File("playlist.m3u"));
    EXPECT_EQ(prog.Read(kPendingWritesFile), song + "\n" + music.File("note.txt") + "\n");
  }
  EXPECT_FALSE(fs::exists(list));

  // A write killed part way: its list and its temporary stay until the next start.
  music.Write("song.mp3.tmpAb12Cd", "half a song");
  music.Write("other.mp3.tmpAb12Cd", "not listed: not ours to take");
  prog.Write(kPendingWritesFile, song + "\nrelative/song.mp3\n");
  EXPECT_EQ(RemoveStaleProgramTemporaries(prog.Path(), prog.File("varlo.ini")), 1);
  EXPECT_FALSE(fs::exists(music.File("song.mp3.tmpAb12Cd")));
  EXPECT_TRUE(fs::exists(music.File("other.mp3.tmpAb12Cd")));
  EXPECT_EQ(music.Read("song.mp3"), "audio");
  EXPECT_FALSE(fs::exists(list));
}

}  // namespace varlo
