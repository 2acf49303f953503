#include "desk/calculator.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tests/support/fake_form.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

class CalculatorTest : public ::testing::Test {
 protected:
  testing::TempDir prog;
  testing::FakeForm form;
  AppSettings settings;
  Calculator calc{form, settings, prog.Path()};

  void SetUp() override { form.SetCaption(23, "0"); }

  // Presses the keys of `keys`: digits, ".", the operators "+-x/=", and the named keys.
  void Press(const std::string& keys) {
    for (char c : keys) {
      if (c >= '0' && c <= '9') calc.DoIt(40 + (c - '0'));
      if (c == '.') calc.DoIt(50);
      if (c == '+') calc.DoIt(51);
      if (c == '-') calc.DoIt(52);
      if (c == 'x') calc.DoIt(53);
      if (c == '/') calc.DoIt(54);
      if (c == '=') calc.DoIt(55);
      if (c == '~') calc.DoIt(56);  // sign change
      if (c == '%') calc.DoIt(57);
      if (c == 'r') calc.DoIt(58);  // square root
      if (c == 'i') calc.DoIt(59);  // reciprocal
      if (c == '<') calc.DoIt(60);  // backspace
      if (c == 'C') calc.DoIt(61);
      if (c == 'E') calc.DoIt(62);  // clear entry
      if (c == 'M') calc.DoIt(64);  // memory store
      if (c == 'R') calc.DoIt(65);  // memory recall
      if (c == 'A') calc.DoIt(66);  // memory add
      if (c == 'Z') calc.DoIt(63);  // memory clear
      if (c == 'F') calc.DoIt(67);  // convert forward
      if (c == 'B') calc.DoIt(68);  // convert back
    }
  }
  std::string Display() { return form.Caption(23); }
  std::string After(const std::string& keys) {
    calc.DoIt(61);
    Press(keys);
    return Display();
  }
  ListBox& Conversions() { return form.lists[static_cast<std::size_t>(FormList::CvtList)]; }
};

TEST_F(CalculatorTest, DigitEntryKeepsFifteenCharactersOneZeroAndOnePoint) {
  EXPECT_EQ(After("123456789012345"), "123456789012345");
  Press("6");
  EXPECT_EQ(Display(), "123456789012345");
  EXPECT_EQ(After("00"), "0");
  EXPECT_EQ(After("07"), "7");
  EXPECT_EQ(After("."), "0.");
  EXPECT_EQ(After("1.5.2"), "1.52");
  EXPECT_EQ(After("0.05"), "0.05");
}

TEST_F(CalculatorTest, OperatorsRunLeftToRightWithoutPrecedence) {
  EXPECT_EQ(After("2+3x4="), "20");
  EXPECT_EQ(After("10-4/3="), "2");
  EXPECT_EQ(After("0.1+0.2="), "0.3");
  EXPECT_EQ(After("1.5x-"), "2.25");
  // An operator right after another applies the pending one to the display again.
  EXPECT_EQ(After("2++"), "4");
  EXPECT_EQ(After("5-5="), "0");
  EXPECT_EQ(After("0-1x0="), "0");  // a negative zero shows as "0"
}

TEST_F(CalculatorTest, FailingKeysShowErrAndEndTheCalculation) {
  EXPECT_EQ(After("7/0="), "ERR");
  Press("5");
  EXPECT_EQ(Display(), "5");
  // Nothing of the failed division stays pending.
  Press("=");
  EXPECT_EQ(Display(), "5");
  EXPECT_EQ(After("7/0+2="), "2");
  // An operator after ERR does nothing; a digit or C starts again.
  EXPECT_EQ(After("7/0+"), "ERR");
  Press("x=%");
  EXPECT_EQ(Display(), "ERR");
  Press("3+4=");
  EXPECT_EQ(Display(), "7");
  EXPECT_EQ(After("7/0C3x2="), "6");
  EXPECT_EQ(After("8+4~r"), "ERR");  // a failing unary key ends it too
  EXPECT_DOUBLE_EQ(calc.Accumulator(), 0);
  Press("2=");
  EXPECT_EQ(Display(), "2");
  EXPECT_EQ(After("4~r"), "ERR");
  EXPECT_EQ(After("0i"), "ERR");
  EXPECT_EQ(After("100/0%"), "ERR");
  // Squaring five times stays finite, the sixth overflows.
  EXPECT_NE(After("99999999x=x=x=x=x="), "ERR");
  EXPECT_EQ(After("99999999x=x=x=x=x=x="), "ERR");
  Press("<");
  EXPECT_EQ(Display(), "");
  EXPECT_EQ(After("1/0=~"), "");
}

TEST_F(CalculatorTest, ADigitAfterAResultStartsANewEntry) {
  EXPECT_EQ(After("16r2"), "2");
  EXPECT_EQ(After("4i5"), "5");
  EXPECT_EQ(After("3+4=8"), "8");
  EXPECT_EQ(After("200+10%3"), "3");
  EXPECT_EQ(After("12MC R7"), "7");
  // Editing a result keeps it: backspace, then a digit appends.
  EXPECT_EQ(After("12+13=<4"), "24");
}

TEST_F(CalculatorTest, PercentCompletesThePendingOperation) {
  EXPECT_EQ(After("200+10%"), "220");
  Press("=");
  EXPECT_EQ(Display(), "220");
  EXPECT_EQ(After("200x10%="), "4000");
  EXPECT_EQ(After("200-10%"), "180");
  EXPECT_EQ(After("200/10%"), "10");
  // The result goes on like any other.
  EXPECT_EQ(After("200+10%+5="), "225");
  EXPECT_EQ(After("200+10%5="), "5");
  // Nothing pending: the entry as a fraction, whatever ran before C.
  EXPECT_EQ(After("9rC50%"), "0.5");
  EXPECT_EQ(After("3+4=50%"), "0.5");
  EXPECT_EQ(After("50%x4="), "2");
}

TEST_F(CalculatorTest, SignChangeBackspaceAndClears) {
  EXPECT_EQ(After("5~"), "-5");
  Press("~");
  EXPECT_EQ(Display(), "5");
  EXPECT_EQ(After("~"), "");  // "0" empties
  Press("~");
  EXPECT_EQ(Display(), "");  // and an empty display stays empty
  EXPECT_EQ(After("10<"), "1");
  EXPECT_EQ(After("0.<"), "");
  Press("<");
  EXPECT_EQ(Display(), "");
  EXPECT_EQ(After("3+4E5="), "8");
  EXPECT_EQ(After("3+4C5="), "5");
}

TEST_F(CalculatorTest, MemoryStoresAddsRecallsAndClears) {
  Press("C12MC3A");
  EXPECT_DOUBLE_EQ(calc.Memory(), 15);
  EXPECT_EQ(After("R"), "15");
  Press("Z");
  EXPECT_EQ(After("R"), "0");
}

TEST_F(CalculatorTest, ConversionsUseTheSelectedLine) {
  EXPECT_EQ(After("5F"), "5");  // no conversions loaded
  EXPECT_EQ(After("5B"), "5");
  Conversions().rows = {"C to F,1.8,32", "km to mi,0.621371192", "none", "zero,0"};
  calc.ListEvent(ListArea::CvtList, ListAction::Click, 0);
  EXPECT_EQ(form.Caption(27), "C to F");
  EXPECT_EQ(After("100F"), "212");
  Press("B");
  EXPECT_EQ(Display(), "100");
  EXPECT_EQ(After("40~F"), "-40");
  calc.ListEvent(ListArea::CvtList, ListAction::Click, 2);
  EXPECT_EQ(form.Caption(27), "none");
  EXPECT_EQ(After("7F"), "7");
  calc.ListEvent(ListArea::CvtList, ListAction::Click, 3);
  EXPECT_EQ(After("7F"), "0");
  EXPECT_EQ(After("7B"), "ERR");
  // A click past the rows changes nothing.
  calc.ListEvent(ListArea::CvtList, ListAction::Click, 9);
  EXPECT_EQ(calc.CvtIndex(), 3);
}

TEST_F(CalculatorTest, ALoadedFileAppendsAndIsTheOneInUse) {
  prog.Write("temps.ccf", "C to F,1.8,32\r\nK to C,1,-273.15\r\n\r\n   \r\n");
  prog.Write("Length.CCF", "m to ft,3.28083989501312\n");
  settings.cvtFile = "temps.ccf";
  calc.Load();
  EXPECT_EQ(Conversions().rows, (std::vector<std::string>{"C to F,1.8,32", "K to C,1,-273.15"}));
  EXPECT_EQ(Conversions().selected, 0);
  EXPECT_EQ(After("100F"), "212");
  Press("B");
  EXPECT_EQ(Display(), "100");

  // Through the dialog, a name in another case: the list grows and its new line is in use.
  form.dialogs.fileAnswers = {prog.File("length.ccf")};
  calc.DoIt(69);
  ASSERT_EQ(form.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(form.dialogs.fileRequests[0].title, "Select Conversion File");
  EXPECT_EQ(form.dialogs.fileRequests[0].filter, "CalcCvt Files|*.ccf");
  EXPECT_EQ(Conversions().rows.size(), 3u);
  EXPECT_EQ(Conversions().selected, 2);
  EXPECT_EQ(calc.CvtIndex(), 2);
  EXPECT_EQ(form.Caption(27), "m to ft");
  EXPECT_EQ(settings.cvtFile, prog.File("length.ccf"));

  // A cancelled dialog, a missing file and a file over 1 MiB change nothing.
  calc.DoIt(69);
  settings.cvtFile = "x";
  calc.LoadConversions("missing.ccf");
  prog.Write("huge.ccf", std::string(1024 * 1024 + 1, 'a'));
  calc.LoadConversions("huge.ccf");
  EXPECT_EQ(Conversions().rows.size(), 3u);
  EXPECT_EQ(settings.cvtFile, "x");
  EXPECT_EQ(form.dialogs.Texts().size(), 1u);
}

}  // namespace
}  // namespace varlo
