#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QString>
#include <string>

#include "platform/qt/lazy_printer.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_app.h"

namespace varlo {
namespace {

// A printer whose dialog chooses a PDF file and `copies` copies.
LazyPrinter PdfPrinter(const std::string& file, int copies, bool* asked = nullptr) {
  return LazyPrinter([file, copies, asked](QPrinter& printer) {
    if (asked) *asked = true;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file));
    printer.setCopyCount(copies);
    return copies > 0;
  });
}

// The text of a PDF, pages separated by form feeds.
std::string PdfText(const std::string& file) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"),
          {QStringLiteral("-layout"), QString::fromStdString(file), QStringLiteral("-")});
  if (!p.waitForFinished(20000)) return "(pdftotext did not finish)";
  return p.readAllStandardOutput().toStdString();
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(QtPrinter, ThreeCopiesAreOneJobWithEveryPageThreeTimes) {
  testing::TestApp();
  testing::TempDir dir;
  const std::string pdf = dir.File("note.pdf");
  LazyPrinter printer = PdfPrinter(pdf, 3);
  ASSERT_EQ(printer.PrintText("Shopping: bread, milk\nCall <b>Anna</b> & Co", "note"),
            PrintResult::kPrinted);
  const std::string text = PdfText(pdf);
  EXPECT_EQ(Count(text, "Shopping: bread, milk"), 3) << text;
  // Plain text: markup prints as typed.
  EXPECT_EQ(Count(text, "Call <b>Anna</b> & Co"), 3) << text;
  EXPECT_EQ(Count(text, "\f"), 3) << text;
}

TEST(QtPrinter, LongNotesAreWrappedAndPaginatedAndACancelPrintsNothing) {
  testing::TestApp();
  testing::TempDir dir;
  std::string note;
  for (int i = 1; i <= 150; ++i) note += "line " + std::to_string(i) + "\n";
  std::string word;
  for (int i = 0; i < 40; ++i) word += "wrap" + std::to_string(i % 10);
  note += word + " END";
  const std::string pdf = dir.File("long.pdf");
  LazyPrinter printer = PdfPrinter(pdf, 1);
  ASSERT_EQ(printer.PrintText(note, "long"), PrintResult::kPrinted);
  const std::string text = PdfText(pdf);
  EXPECT_GE(Count(text, "\f"), 2) << text;
  EXPECT_EQ(Count(text, "line 150"), 1);
  // The long word is cut over several lines, nothing of it lost.
  std::string joined;
  for (char c : text)
    if (c != '\n' && c != ' ' && c != '\f') joined += c;
  EXPECT_NE(joined.find(word + "END"), std::string::npos) << text;
  EXPECT_EQ(text.find(word), std::string::npos);

  bool asked = false;
  LazyPrinter cancelled = PdfPrinter(dir.File("none.pdf"), 0, &asked);
  EXPECT_EQ(cancelled.PrintText("x", "x"), PrintResult::kCancelled);
  EXPECT_TRUE(asked);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.File("none.pdf"))));
}

TEST(QtPrinter, AWindowPrintsAsOnePageWithItsPicture) {
  testing::TestApp();
  testing::TempDir dir;
  const std::string pdf = dir.File("window.pdf");
  QImage look(400, 300, QImage::Format_RGB32);
  look.fill(Qt::darkCyan);
  LazyPrinter printer = PdfPrinter(pdf, 2);
  ASSERT_EQ(printer.PrintImage(look, "Visual Playlist Selector"), PrintResult::kPrinted);
  // Two copies of one page each; pdfinfo reads the page count.
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
  ASSERT_TRUE(p.waitForFinished(20000));
  const std::string info = p.readAllStandardOutput().toStdString();
  EXPECT_NE(info.find("Pages:           2\n"), std::string::npos) << info;
  EXPECT_EQ(printer.PrintImage(QImage(), "none"), PrintResult::kFailed);
  LazyPrinter cancelled = PdfPrinter(dir.File("no.pdf"), 0);
  EXPECT_EQ(cancelled.PrintImage(look, "x"), PrintResult::kCancelled);
}

}  // namespace
}  // namespace varlo
