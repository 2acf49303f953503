#pragma once
#include <string>

#include "common/app_settings.h"
#include "shell/mode.h"
#include "skin/form_access.h"

namespace varlo {

// The pocket calculator and unit converter of the main window. Immediate execution: each
// operator applies the pending one to the accumulator, left to right, without precedence.
// Label 23 is the display (the entry being typed and every result; a number typed there is
// also what the jump command reads, in any skin), label 27 the name of the conversion in
// use. Commands 40-50 type digits and the point, 51-68 are the keys, 69 loads a conversion
// file with a dialog; the conversion list's clicks choose the conversion. Any failing key
// (division by zero, a root of a negative number, a result that is not finite) shows "ERR"
// and ends the calculation. Percent completes the pending operation: "200 + 10 %" is 220,
// and with nothing pending it takes the entry as a fraction ("50 %" is 0.5).
class Calculator final : public Mode {
 public:
  Calculator(FormAccess& form, AppSettings& settings, std::string programFolder);

  // Loads the conversion file of the "CvtFile" setting.
  void Load() override;
  void DoIt(int code) override;
  void ListEvent(ListArea area, ListAction action, int value) override;

  // Loads conversion file `name`, relative to the program folder unless it is a full path;
  // an empty name asks for one. Its lines are added to the list, and its first line becomes
  // the conversion in use.
  void LoadConversions(const std::string& name);

  double Memory() const { return memory_; }
  double Accumulator() const { return lastVal_; }
  int CvtIndex() const { return cvtIndex_; }

 private:
  void AddDigit(char ch);
  void CalcKey(int key);
  void Operator(char op);
  void Percent();
  void SignChange();
  void Backspace();
  void Convert(bool forward);
  void SelectConversion(int index);

  bool ShowsError() const;
  double Value() const;
  // The display's text, or empty while it shows "ERR".
  std::string Entry() const;
  void SetCalc(const std::string& text);
  // Shows a result: the next digit starts a new entry. A value that is not finite is "ERR".
  void ShowResult(double value);
  void ShowError();

  FormAccess& form_;
  AppSettings& settings_;
  std::string programFolder_;

  char calcOpr_ = 0;       // the pending operator: 0, '+', '-', 'x', '/' or '='
  bool newEntry_ = false;  // the display holds a result: the next digit replaces it
  double lastVal_ = 0;     // the accumulator
  double newVal_ = 0;      // the last result of percent, the unary keys and the conversions
  double memory_ = 0;
  int cvtIndex_ = 0;
};

}  // namespace varlo
