#include "common/command_line_items.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

// Runs the test's calls from inside `folder`, as a terminal there would.
class InFolder {
 public:
  explicit InFolder(const std::string& folder) : here_(::getcwd(nullptr, 0)) {
    EXPECT_EQ(::chdir(folder.c_str()), 0);
  }
  ~InFolder() {
    if (here_ && ::chdir(here_) != 0) std::abort();
    std::free(here_);
  }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  char* here_;
};

using Items = std::vector<std::string>;

TEST(CommandLineItems, EachArgumentIsOneItemUnlessOnlyTheJoinedNameExists) {
  testing::TempDir dir;
  const std::string a = dir.Write("a.mp3", "x"), b = dir.Write("b.flac", "x");
  const std::string spaced = dir.Write("My Song.mp3", "x");
  dir.Write("Some Folder/c.mp3", "x");
  const InFolder in(dir.Path());

  // "Open with" of several files, absolute or relative, in order.
  EXPECT_EQ(CommandLineItems({"b.flac", a}), (Items{b, a}));
  // An unquoted name with blanks typed in a terminal is still the one file it names,
  EXPECT_EQ(CommandLineItems({"My", "Song.mp3"}), (Items{spaced}));
  EXPECT_EQ(CommandLineItems({"Some", "Folder"}), (Items{dir.File("Some Folder")}));
  // but not once any argument names something of its own, or when the joined name is none.
  EXPECT_EQ(CommandLineItems({"My", "Song.mp3", "a.mp3"}),
            (Items{dir.File("My"), dir.File("Song.mp3"), a}));
  EXPECT_EQ(CommandLineItems({"gone1.mp3", "gone2.mp3"}),
            (Items{dir.File("gone1.mp3"), dir.File("gone2.mp3")}));

  // Addresses stay; file URIs, as some desktops pass them, are the paths they name.
  EXPECT_EQ(CommandLineItems({"http://radio.example/live", "file:///srv/Two%20Words.mp3", ""}),
            (Items{"http://radio.example/live", "/srv/Two Words.mp3"}));
  EXPECT_TRUE(CommandLineItems({}).empty());
}

}  // namespace
}  // namespace varlo
