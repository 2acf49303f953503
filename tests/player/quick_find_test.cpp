#include "player/quick_find.h"

#include <gtest/gtest.h>

namespace varlo {
namespace {

Playlist List(std::initializer_list<const char*> names) {
  Playlist list;
  for (const char* name : names) list.Append(name, std::string("/m/") + name + ".mp3");
  return list;
}

TEST(QuickFind, StartsWithPicksANameThatStartsWithTheText) {
  const Playlist list = List({"Zebra", "apple pie", "Banana", "Apple", "cherry"});
  QuickFind find;
  find.Open(list);
  find.SetMode(FindMode::StartsWith);
  EXPECT_EQ(find.SelectedRow(), 0);  // empty text: the first name
  find.SetText("ap");
  EXPECT_EQ(find.SelectedRow(), 1);
  find.SetText("BAN");
  EXPECT_EQ(find.SelectedRow(), 2);
  // On an unsorted list nothing past the names is chosen, and no name that sorts after the
  // text without starting with it.
  find.SetText("Bz");
  EXPECT_EQ(find.SelectedRow(), -1);
  EXPECT_FALSE(find.EntryToPlay(list));
  find.SetText("zz");
  EXPECT_EQ(find.SelectedRow(), -1);
  find.SetText("c");
  EXPECT_EQ(find.SelectedRow(), 4);
  find.Step(1);  // not past the last
  EXPECT_EQ(find.SelectedRow(), 4);
  find.Step(-1);
  EXPECT_EQ(find.SelectedRow(), 3);
  EXPECT_EQ(find.EntryToPlay(list), 3);
}

TEST(QuickFind, AnywhereListsEveryNameContainingTheText) {
  const Playlist list = List({"Blue Moon", "moonlight", "Sun", "Half MOON bay"});
  QuickFind find;
  find.Open(list);
  find.SetMode(FindMode::Anywhere);
  find.SetText("moon");
  EXPECT_EQ(find.Matches(), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(find.SelectedRow(), 0);
  find.Step(1);
  find.Step(1);
  find.Step(1);
  EXPECT_EQ(find.EntryToPlay(list), 3);
  find.SelectRow(1);
  EXPECT_EQ(find.EntryToPlay(list), 1);
  find.SelectRow(7);  // no such row: the selection stays
  EXPECT_EQ(find.EntryToPlay(list), 1);
  find.SetText("rain");
  EXPECT_TRUE(find.Matches().empty());
  EXPECT_EQ(find.SelectedRow(), -1);
  EXPECT_FALSE(find.EntryToPlay(list));
  find.Step(1);  // nothing to move through
  EXPECT_EQ(find.SelectedRow(), -1);
}

TEST(QuickFind, TheChosenEntryPlaysEvenWithDuplicatesOrAChangedList) {
  Playlist list = List({"Intro", "Song", "Intro", "Outro"});
  QuickFind find;
  find.Open(list);
  find.SetMode(FindMode::Anywhere);
  find.SetText("intro");
  find.Step(1);
  EXPECT_EQ(find.EntryToPlay(list), 2);  // the second "Intro", as chosen

  // An entry added at the end keeps the place of the chosen one.
  list.Append("New", "/m/New.mp3");
  list.Changed();
  EXPECT_EQ(find.EntryToPlay(list), 2);
  // Entries moved: the first entry of that name.
  std::swap(list.names[0], list.names[1]);
  std::swap(list.names[2], list.names[3]);
  list.Changed();
  EXPECT_EQ(find.EntryToPlay(list), 1);
  // The name is gone: nothing plays (playback is not stopped).
  list.names = {"Other"};
  list.paths = {"/m/o.mp3"};
  list.Changed();
  EXPECT_FALSE(find.EntryToPlay(list));
}

}  // namespace
}  // namespace varlo
