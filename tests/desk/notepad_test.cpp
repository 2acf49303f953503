#include "desk/notepad.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/fake_form.h"
#include "tests/support/fake_printer.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

class NotepadTest : public ::testing::Test {
 protected:
  testing::TempDir prog;
  testing::FakeForm form;
  testing::FakePrinter printer;
  AppSettings settings;
  Notepad note{form, settings, prog.Path(), printer};

  void Load(const std::string& path) {
    form.dialogs.fileAnswers = {path};
    note.DoIt(76);
  }
  void Save(const std::string& path) {
    form.dialogs.fileAnswers = {path};
    note.DoIt(77);
  }
};

TEST_F(NotepadTest, LoadAsksForATextFileAndTakesItWhole) {
  Load(prog.Write("a.txt", "first\nsecond\n"));
  ASSERT_EQ(form.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(form.dialogs.fileRequests[0].title, "Open Note File");
  EXPECT_EQ(form.dialogs.fileRequests[0].filter, "Text Files|*.txt");
  EXPECT_EQ(form.note, "first\nsecond\n");
  // Cancelled, missing: the note stays.
  note.DoIt(76);
  Load(prog.File("missing.txt"));
  EXPECT_EQ(form.note, "first\nsecond\n");
  EXPECT_TRUE(form.dialogs.messages.empty());
}

TEST_F(NotepadTest, AFileOverTheLimitIsRefusedWithAMessage) {
  form.note = "kept";
  Load(prog.Write("big.txt", std::string(kMaxNoteBytes + 1, 'x')));
  EXPECT_EQ(form.note, "kept");
  ASSERT_EQ(form.dialogs.Texts().size(), 1u);
  EXPECT_NE(form.dialogs.Texts()[0].find("too large"), std::string::npos);
  Load(prog.Write("fits.txt", std::string(kMaxNoteBytes, 'x')));
  EXPECT_EQ(form.note.size(), kMaxNoteBytes);
}

TEST_F(NotepadTest, SaveEndsWithOneLineBreakSoRoundTripsAreStable) {
  settings.path = "/music/";
  Save(prog.File("empty.txt"));
  EXPECT_EQ(form.dialogs.fileRequests[0].title, "Save Note file");
  EXPECT_EQ(form.dialogs.fileRequests[0].filter, "Text Files|*.TXT|All Files|*.*");
  EXPECT_EQ(form.dialogs.fileRequests[0].initialDir, "/music/");
  EXPECT_EQ(prog.Read("empty.txt"), "\n");

  form.note = "line";
  Save(prog.File("n.txt"));
  EXPECT_EQ(prog.Read("n.txt"), "line\n");
  Load(prog.File("n.txt"));
  Save(prog.File("n.txt"));
  EXPECT_EQ(prog.Read("n.txt"), "line\n");
}

TEST_F(NotepadTest, BytesAndLineEndsSurviveALoadAndSave) {
  const std::string bytes = "caf\xe9 \xff\xfe ok\r\nna\xc3\xafve\r\n";
  Load(prog.Write("latin.txt", bytes));
  EXPECT_EQ(form.note, "caf\xe9 \xff\xfe ok\nna\xc3\xafve\n");
  Save(prog.File("copy.txt"));
  EXPECT_EQ(prog.Read("copy.txt"), bytes);
  // A note from an LF file, or typed, is saved with LF.
  Load(prog.Write("unix.txt", "a\nb"));
  Save(prog.File("unix.txt"));
  EXPECT_EQ(prog.Read("unix.txt"), "a\nb\n");
}

TEST_F(NotepadTest, AFileKeepsTheLineEndItMostlyHadAndClearForgetsIt) {
  Load(prog.Write("mostly-lf.txt", "a\r\nb\nc\nd\n"));
  Save(prog.File("mostly-lf.txt"));
  EXPECT_EQ(prog.Read("mostly-lf.txt"), "a\nb\nc\nd\n");
  Load(prog.Write("mostly-crlf.txt", "a\r\nb\r\nc\n"));
  Save(prog.File("mostly-crlf.txt"));
  EXPECT_EQ(prog.Read("mostly-crlf.txt"), "a\r\nb\r\nc\r\n");
  // After Clear, a new note is the program's own.
  note.DoIt(78);
  form.note = "new\nnote";
  Save(prog.File("new.txt"));
  EXPECT_EQ(prog.Read("new.txt"), "new\nnote\n");
}

TEST_F(NotepadTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
  const std::string old = prog.Write("locked/note.txt", "old text\n");
  ASSERT_EQ(chmod(prog.File("locked").c_str(), 0500), 0);
  form.note = "new text";
  Save(old);
  chmod(prog.File("locked").c_str(), 0700);
  // A folder marked read-only keeps its files, whoever runs the program; the reason is said.
  EXPECT_EQ(prog.Read("locked/note.txt"), "old text\n");
  EXPECT_EQ(form.dialogs.Texts(),
            std::vector<std::string>{"The note could not be saved.\nPermission denied"});
  // A target that cannot be written at all (a folder) leaves it as it was.
  form.dialogs.messages.clear();
  Save(prog.File("locked"));
  EXPECT_EQ(prog.Read("locked/note.txt"), "old text\n");
  EXPECT_EQ(form.dialogs.Texts(),
            std::vector<std::string>{"The note could not be saved.\nIs a directory"});
}

TEST_F(NotepadTest, ClearAndPrint) {
  note.DoIt(79);
  EXPECT_EQ(form.dialogs.Texts(), std::vector<std::string>{"Notepad is empty!"});
  EXPECT_EQ(printer.dialogs, 0);

  form.note = "print me";
  note.DoIt(79);
  EXPECT_EQ(printer.jobs, std::vector<std::string>{"print me"});
  printer.result = PrintResult::kCancelled;
  note.DoIt(79);
  printer.result = PrintResult::kFailed;
  note.DoIt(79);
  EXPECT_EQ(printer.dialogs, 3);
  EXPECT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(form.dialogs.Texts().back(), "The note could not be printed.");

  note.DoIt(78);
  EXPECT_EQ(form.note, "");
}

}  // namespace
}  // namespace varlo
