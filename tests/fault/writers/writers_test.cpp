// Every file the program and the screen saver write, under six faults: the disk full, a
// read-only folder, a read-only file, the file replaced by a folder, the file reached through
// a link into another folder, and the file changed by another program while this one runs.
// Each write is made through the program's own code (the whole main window over the test
// fakes, or the screen saver's settings), and afterwards the file holds its previous bytes or
// the complete new ones, no temporary is left anywhere, and a failure was told once, with its
// real cause.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "common/app_settings.h"
#include "common/atomic_file.h"
#include "screensaver/saver_settings.h"
#include "tests/fault/fault_report.h"
#include "tests/fault/writers/fault_folder.h"
#include "tests/fault/writers/program_rig.h"
#include "tests/support/temp_dir.h"

namespace varlo::testing {
namespace {

namespace fs = std::filesystem;

enum class Fault { DiskFull, ReadOnlyFolder, ReadOnlyFile, Folder, Link, ChangedMeanwhile };
constexpr Fault kFaults[] = {Fault::DiskFull, Fault::ReadOnlyFolder, Fault::ReadOnlyFile,
                             Fault::Folder,   Fault::Link,           Fault::ChangedMeanwhile};

const char* FaultName(Fault f) {
  switch (f) {
    case Fault::DiskFull:
      return "disk full";
    case Fault::ReadOnlyFolder:
      return "read-only folder";
    case Fault::ReadOnlyFile:
      return "read-only file";
    case Fault::Folder:
      return "folder in the file's place";
    case Fault::Link:
      return "link into another folder";
    case Fault::ChangedMeanwhile:
      return "changed by another program";
  }
  return "";
}

// The cause a failed write must name, as the system words it.
const char* ExpectedCause(Fault f) {
  switch (f) {
    case Fault::DiskFull:
      return "No space left on device";
    case Fault::ReadOnlyFolder:
    case Fault::ReadOnlyFile:
      return "Permission denied";
    case Fault::Folder:
      return "Is a directory";
    case Fault::Link:
    case Fault::ChangedMeanwhile:
      break;
  }
  return "";
}

// The folders of one trial, all below `root`: the program folder, the settings folder, the
// user's own folder (saved playlists, notes, songs) and the folder links lead into.
struct Tree {
  std::string root;
  std::string skins;  // outside the tree, never faulted
  std::string Folder(const std::string& name) const { return root + "/" + name; }
  std::string Settings() const { return Folder("config") + "/varlo.ini"; }
};

std::map<std::string, std::string> IniKeys(const std::string& text) {
  std::map<std::string, std::string> keys;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (const auto eq = line.find('='); eq != std::string::npos)
      keys[line.substr(0, eq)] = line.substr(eq + 1);
  return keys;
}

// What the screen saver's settings dialog stores when "&Done" is pressed.
SaverSettings SaverChoice() {
  SaverSettings s;
  s.ssSkin = "/harness/saver.skin";
  s.ssPic = "/harness/picture.bmp";
  s.timeFmt = 1;
  return s;
}

// The screen saver saving its three keys into the shared file: what it reports on failure.
std::vector<std::string> SaverSaves(const std::string& settingsPath) {
  SettingsStore store(settingsPath);
  SaverSettings s = ReadSaverSettings(store);
  const SaverSettings chosen = SaverChoice();
  s.ssSkin = chosen.ssSkin;
  s.ssPic = chosen.ssPic;
  s.timeFmt = chosen.timeFmt;
  const WriteStatus saved = WriteSaverSettings(store, s);
  if (saved) return {};
  return {SaverSettingsNotSaved(settingsPath, saved)};
}

struct Writer {
  std::string name;    // as the report names it
  std::string folder;  // of the tree
  std::string file;
  std::string old;     // laid out before the program starts
  std::string marker;  // the part of its message no other writer's shares
  // Starts the program, runs `fault` once it runs, makes the write, ends the program; returns
  // the messages shown.
  std::function<std::vector<std::string>(const Tree&, const std::function<void()>& fault)> run;
  // What another program writes meanwhile; by default a whole other content.
  std::function<void(const Tree&, const std::string& path)> changeMeanwhile;
  // The content expected after the write when another program changed the file first.
  std::function<bool(const std::string& after, const std::string& control,
                     const std::string& external)>
      acceptAfterChange;
};

std::string Mp3Bytes(char fill) {
  return std::string(2048, fill);
}

// The main program round one write: `act` runs after the fault, and the close follows.
std::vector<std::string> ProgramRound(const Tree& tree, const std::function<void()>& fault,
                                      const std::function<void(ProgramRig&)>& act) {
  ProgramRig rig(tree.Folder("prog"), tree.Settings());
  AddRigSkinPictures(rig, tree.skins);
  rig.Start();
  fault();
  act(rig);
  rig.Stop();
  return rig.dialogs.Texts();
}

std::vector<Writer> Writers() {
  std::vector<Writer> w;
  w.push_back({"settings (main program)", "config", "varlo.ini", "", "settings file",
               [](const Tree& t, const std::function<void()>& fault) {
                 return ProgramRound(t, fault, [](ProgramRig& rig) {
                   rig.Form().Settings().winOnTop = 1;  // as the preferences change it
                 });
               },
               // The screen saver's settings dialog stores its keys while the program runs.
               [](const Tree& t, const std::string&) { SaverSaves(t.Settings()); },
               [](const std::string& after, const std::string& control, const std::string&) {
                 std::map<std::string, std::string> want = IniKeys(control);
                 const SaverSettings saver = SaverChoice();
                 want["SSSkin"] = saver.ssSkin;
                 want["SSPic"] = saver.ssPic;
                 want["TimeFmt"] = "1";
                 return IniKeys(after) == want;
               }});
  w.push_back(
      {"settings (screen saver)", "config", "varlo.ini", "", "screen saver settings",
       [](const Tree& t, const std::function<void()>& fault) {
         // The saver reads the file at its start and saves when it closes.
         SettingsStore store(t.Settings());
         SaverSettings s = ReadSaverSettings(store);
         fault();
         const SaverSettings chosen = SaverChoice();
         s.ssSkin = chosen.ssSkin;
         s.ssPic = chosen.ssPic;
         s.timeFmt = chosen.timeFmt;
         const WriteStatus saved = WriteSaverSettings(store, s);
         return saved ? std::vector<std::string>{}
                      : std::vector<std::string>{SaverSettingsNotSaved(t.Settings(), saved)};
       },
       // The main program starts, is changed and closes while the saver runs.
       [](const Tree& t, const std::string&) {
         ProgramRound(
             t, [] {}, [](ProgramRig& rig) { rig.Form().Settings().skinPath = "/harness/skins"; });
       },
       [](const std::string& after, const std::string& control, const std::string&) {
         const auto keys = IniKeys(after);
         const auto saver = IniKeys(control);
         const auto at = [&](const char* k) {
           const auto it = keys.find(k);
           return it == keys.end() ? std::string("<absent>") : it->second;
         };
         // The saver's three keys as it chose, the main program's as it left them.
         return at("SSSkin") == saver.at("SSSkin") && at("SSPic") == saver.at("SSPic") &&
                at("TimeFmt") == "1" && at("SkinPath") == "/harness/skins" && at("WinOnTop") == "0";
       }});
  w.push_back({"playlist.m3u", "prog", "playlist.m3u", "old-entry.mp3\r\n",
               "Unable to write Playlist!",
               [](const Tree& t, const std::function<void()>& fault) {
                 return ProgramRound(t, fault, [&t](ProgramRig& rig) {
                   rig.Form().FilesDropped({t.Folder("user") + "/song.mp3"});
                 });
               },
               nullptr, nullptr});
  w.push_back({"saved playlist", "user", "saved.m3u", "old-entry.mp3\r\n",
               "Unable to write Playlist!",
               [](const Tree& t, const std::function<void()>& fault) {
                 return ProgramRound(t, fault, [&t](ProgramRig& rig) {
                   rig.Form().FilesDropped({t.Folder("user") + "/song.mp3"});
                   rig.dialogs.fileAnswers.push_back(t.Folder("user") + "/saved.m3u");
                   rig.Form().Player().Playlists().PlSave();
                 });
               },
               nullptr, nullptr});
  w.push_back({"stations.txt", "prog", "stations.txt", "101.1 Old Station\r\n",
               "station list " + std::string("@prog/stations.txt"),
               [](const Tree& t, const std::function<void()>& fault) {
                 return ProgramRound(t, fault, [](ProgramRig& rig) { rig.Form().DoIt(86); });
               },
               nullptr, nullptr});
  w.push_back({"webradio.txt", "prog", "webradio.txt", "Old Radio @http://old.example/\r\n",
               "station list " + std::string("@prog/webradio.txt"),
               [](const Tree& t, const std::function<void()>& fault) {
                 return ProgramRound(t, fault, [](ProgramRig& rig) { rig.Form().DoIt(142); });
               },
               nullptr, nullptr});
  w.push_back({"url-list.txt", "prog", "url-list.txt", "http://old.example/\r\n", "address list",
               [](const Tree& t, const std::function<void()>& fault) {
                 return ProgramRound(t, fault, [](ProgramRig& rig) {
                   rig.Form().Browser().SetURL("http://harness.example/page");
                 });
               },
               nullptr, nullptr});
  w.push_back({"autolist.txt", "prog", "autolist.txt", "1 07:00 1\r\n", "schedule",
               [](const Tree& t, const std::function<void()>& fault) {
                 return ProgramRound(t, fault, [](ProgramRig& rig) {
                   rig.Form().AutoList().push_back("2 08:30 0");
                 });
               },
               nullptr, nullptr});
  w.push_back({"note", "user", "note.txt", "an old note\n", "The note could not be saved.",
               [](const Tree& t, const std::function<void()>& fault) {
                 return ProgramRound(t, fault, [&t](ProgramRig& rig) {
                   rig.Form().Access().SetNoteText("the new note");
                   rig.dialogs.fileAnswers.push_back(t.Folder("user") + "/note.txt");
                   rig.Form().Note().NoteSave();
                 });
               },
               nullptr, nullptr});
  w.push_back(
      {"MP3 tag", "user", "song.mp3", Mp3Bytes('m'), "Error writing tag",
       [](const Tree& t, const std::function<void()>& fault) {
         return ProgramRound(t, fault, [&t](ProgramRig& rig) {
           TrackInfoForm& info = rig.Form().Player().TrackInfo();
           info.Fields().fileName = t.Folder("user") + "/song.mp3";
           info.Fields().title = "Harness Title";
           info.Fields().artist = "Harness";
           info.cmdSave_Click();
         });
       },
       [](const Tree&, const std::string& path) { WriteFileAtomic(path, Mp3Bytes('e')); },
       [](const std::string& after, const std::string& control, const std::string& external) {
         // The other program's audio with this one's tag.
         return after == external + control.substr(control.size() - 128);
       }});
  return w;
}

// The settings file every trial starts from: the harness's skin and nothing else.
std::string OldSettings(const Tree& t) {
  return "[config]\nSkin=" + t.skins + "/default.skin\n";
}

void LayOut(const Tree& t, const std::vector<Writer>& writers, const std::string& mountOn,
            std::unique_ptr<SmallDisk>& disk) {
  std::error_code ec;
  fs::remove_all(t.root, ec);
  fs::create_directories(t.root);
  if (!mountOn.empty()) disk = std::make_unique<SmallDisk>(t.Folder(mountOn), "64k");
  for (const char* f : {"prog", "config", "user", "other"}) fs::create_directories(t.Folder(f));
  for (const Writer& w : writers) {
    const std::string content = w.folder == "config" ? OldSettings(t) : w.old;
    std::ofstream(t.Folder(w.folder) + "/" + w.file, std::ios::binary) << content;
  }
}

struct Tally {
  int trials = 0, lost = 0, temporaries = 0, untold = 0;
  std::vector<std::string> failures;
};

bool StillIntactFolder(const std::string& path) {
  return fs::is_directory(path) && FileBytes(path + "/inner") == "keep";
}

std::string MarkerFor(const Writer& w, const Tree& t) {
  std::string marker = w.marker;
  if (const auto at = marker.find("@prog"); at != std::string::npos)
    marker.replace(at, 5, t.Folder("prog"));
  return marker;
}

}  // namespace

TEST(WriterFaults, EveryWriterUnderEveryFault) {
  TempDir base;
  Tree tree{base.File("t"), base.File("skins")};
  WriteRigSkin(tree.skins);
  const std::vector<Writer> writers = Writers();
  Tally tally;
  std::string mountError;

  // One unfaulted round per writer gives the complete new content each fault is held to.
  std::map<std::string, std::string> control;
  for (const Writer& w : writers) {
    std::unique_ptr<SmallDisk> none;
    LayOut(tree, writers, "", none);
    const std::string path = tree.Folder(w.folder) + "/" + w.file;
    const std::string before = FileBytes(path);
    const auto said = w.run(tree, [] {});
    control[w.name] = FileBytes(path);
    EXPECT_NE(control[w.name], before) << w.name << ": the unfaulted round wrote nothing new";
    EXPECT_TRUE(std::none_of(
        said.begin(), said.end(),
        [&](const std::string& m) { return m.find(MarkerFor(w, tree)) != std::string::npos; }))
        << w.name << ": a message without a fault";
  }

  for (const Fault fault : kFaults) {
    for (const Writer& w : writers) {
      ++tally.trials;
      const std::string folder = tree.Folder(w.folder);
      const std::string path = folder + "/" + w.file;
      std::unique_ptr<SmallDisk> disk;
      LayOut(tree, writers, fault == Fault::DiskFull ? w.folder : "", disk);
      if (fault == Fault::DiskFull && !disk->Mounted()) {
        mountError = disk->Error();
        tally.failures.push_back(w.name + ": " + mountError);
        ++tally.lost;
        continue;
      }
      std::string landing = path;
      if (fault == Fault::Link) {
        // The file lives in another folder; the program's folder holds a link to it.
        landing = tree.Folder("other") + "/" + w.file;
        fs::rename(path, landing);
        fs::create_symlink("../other/" + w.file, path);
      }
      std::string before, external;
      const auto inject = [&] {
        before = FileBytes(landing);
        switch (fault) {
          case Fault::DiskFull:
            if (!disk->Fill()) tally.failures.push_back(w.name + ": the small disk did not fill");
            break;
          case Fault::ReadOnlyFolder:
            chmod(folder.c_str(), 0555);
            break;
          case Fault::ReadOnlyFile:
            chmod(path.c_str(), 0444);
            break;
          case Fault::Folder:
            fs::remove(path);
            fs::create_directories(path);
            std::ofstream(path + "/inner") << "keep";
            break;
          case Fault::Link:
            break;
          case Fault::ChangedMeanwhile:
            if (w.changeMeanwhile) {
              w.changeMeanwhile(tree, path);
            } else {
              WriteFileAtomic(path, "changed by another program\r\n");
            }
            external = FileBytes(path);
            break;
        }
      };
      const std::vector<std::string> said = w.run(tree, inject);
      chmod(folder.c_str(), 0755);

      const std::string marker = MarkerFor(w, tree);
      std::vector<std::string> told;
      for (const std::string& m : said)
        if (m.find(marker) != std::string::npos) told.push_back(m);
      const std::string after = FileBytes(landing);
      const std::string& fresh = control[w.name];
      const std::string where = w.name + " / " + FaultName(fault);

      bool failedWrite = false;
      bool whole = false;
      switch (fault) {
        case Fault::DiskFull:
        case Fault::ReadOnlyFolder:
        case Fault::ReadOnlyFile:
          failedWrite = after == before;
          whole = failedWrite || after == fresh;
          break;
        case Fault::Folder:
          failedWrite = whole = StillIntactFolder(path);
          break;
        case Fault::Link:
          whole = fs::is_symlink(path) && after == fresh;
          break;
        case Fault::ChangedMeanwhile:
          whole = w.acceptAfterChange ? w.acceptAfterChange(after, fresh, external)
                                      : after == fresh || after == external;
          break;
      }
      if (!whole) {
        ++tally.lost;
        tally.failures.push_back(where + ": neither the old nor the complete new content");
      }
      // A failed write is told once. A write that got through in the end may have been told of
      // an earlier attempt (a later write of the program freed the space it needed), once.
      const bool succeeds = fault == Fault::Link || fault == Fault::ChangedMeanwhile;
      const bool toldRight = succeeds      ? told.empty()
                             : failedWrite ? told.size() == 1
                                           : told.size() <= 1;
      const bool causeNamed =
          told.empty() || told[0].find(ExpectedCause(fault)) != std::string::npos;
      if (!toldRight || !causeNamed) {
        ++tally.untold;
        std::string text = where + ": told " + std::to_string(told.size()) + " times";
        for (const std::string& m : said) text += " [" + m + "]";
        tally.failures.push_back(text);
      }
      const std::vector<std::string> left = TemporariesBelow(tree.root);
      tally.temporaries += static_cast<int>(left.size());
      for (const std::string& l : left) tally.failures.push_back(where + ": left " + l);
    }
  }

  // The writers of the settings file share one file: count files, not writers.
  std::vector<std::string> files;
  for (const Writer& w : writers)
    if (std::find(files.begin(), files.end(), w.folder + "/" + w.file) == files.end())
      files.push_back(w.folder + "/" + w.file);
  const bool held = tally.lost == 0 && tally.temporaries == 0 && tally.untold == 0;
  std::string line = "writers: " + std::to_string(files.size()) + " files x " +
                     std::to_string(std::size(kFaults)) + " faults (" +
                     std::to_string(writers.size()) + " writers, " + std::to_string(tally.trials) +
                     " trials), " + std::to_string(tally.lost) + " lost, " +
                     std::to_string(tally.temporaries) + " temporaries left, " +
                     std::to_string(tally.untold) + " not told once with the cause";
  if (!mountError.empty()) line += "; " + mountError;
  ReportFaultGroup("writers", held, line);
  for (const std::string& f : tally.failures) ADD_FAILURE() << f;
  EXPECT_TRUE(held) << line;
}

}  // namespace varlo::testing
