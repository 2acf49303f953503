#include "desk/calculator.h"

#include <cmath>
#include <utility>

#include "common/file_select.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "desk/conversion_file.h"

namespace varlo {
namespace {

constexpr int kDisplayLabel = 23;
constexpr int kConversionLabel = 27;
constexpr std::size_t kDisplayChars = 15;
constexpr const char* kError = "ERR";
constexpr int kConversionFilter = 5;

}  // namespace

Calculator::Calculator(FormAccess& form, AppSettings& settings, std::string programFolder)
    : form_(form), settings_(settings), programFolder_(std::move(programFolder)) {}

void Calculator::Load() {
  if (!settings_.cvtFile.empty()) LoadConversions(settings_.cvtFile);
}

void Calculator::DoIt(int code) {
  if (code >= 40 && code <= 49) return AddDigit(static_cast<char>('0' + code - 40));
  if (code == 50) return AddDigit('.');
  if (code >= 51 && code <= 68) return CalcKey(code - 51);
  if (code == 69) return LoadConversions("");
}

void Calculator::ListEvent(ListArea area, ListAction action, int value) {
  if (area == ListArea::CvtList && action == ListAction::Click) SelectConversion(value);
}

bool Calculator::ShowsError() const {
  return form_.Caption(kDisplayLabel) == kError;
}

double Calculator::Value() const {
  return LeadingNumber(Entry());
}

std::string Calculator::Entry() const {
  return ShowsError() ? std::string() : form_.Caption(kDisplayLabel);
}

void Calculator::SetCalc(const std::string& text) {
  form_.SetCaption(kDisplayLabel, !text.empty() && text.front() == ' ' ? text.substr(1) : text);
}

void Calculator::ShowResult(double value) {
  if (!std::isfinite(value)) return ShowError();
  // Whole values print without a point, so a negative zero shows as "0".
  SetCalc(NumToText(value));
  newEntry_ = true;
}

void Calculator::ShowError() {
  // An error ends the calculation: nothing stays pending, and the next digit starts anew.
  form_.SetCaption(kDisplayLabel, kError);
  calcOpr_ = 0;
  lastVal_ = 0;
  newEntry_ = true;
}

void Calculator::AddDigit(char ch) {
  std::string text = Entry();
  if (newEntry_) {
    text.clear();
    newEntry_ = false;
  }
  if (text.size() >= kDisplayChars) return;
  if (ch == '0') {
    if (text != "0") text += '0';
  } else if (ch != '.') {
    if (text == "0")
      text = ch;
    else
      text += ch;
  } else if (text.empty()) {
    text = "0.";
  } else if (text.find('.') == std::string::npos) {
    text += '.';
  }
  SetCalc(text);
}

void Calculator::CalcKey(int key) {
  static constexpr char kOperators[] = "+-x/=";
  if (key >= 0 && key <= 4) return Operator(kOperators[key]);
  const double v = Value();
  switch (key) {
    case 5:
      return SignChange();
    case 6:
      return Percent();
    case 7:
      if (v < 0) return ShowError();
      newVal_ = std::sqrt(v);
      return ShowResult(newVal_);
    case 8:
      if (v == 0) return ShowError();
      newVal_ = 1 / v;
      return ShowResult(newVal_);
    case 9:
      return Backspace();
    case 10:
      calcOpr_ = 0;
      newEntry_ = false;
      lastVal_ = 0;
      return SetCalc("0");
    case 11:
      return SetCalc("0");
    case 12:
      memory_ = 0;
      return;
    case 13:
      memory_ = v;
      return;
    case 14:
      return ShowResult(memory_);
    case 15:
      if (!std::isfinite(memory_ + v)) return ShowError();
      memory_ += v;
      return;
    case 16:
      return Convert(true);
    case 17:
      return Convert(false);
    default:
      return;
  }
}

void Calculator::Operator(char op) {
  // After "ERR" an operator has nothing to work on until a number is entered or C pressed.
  if (ShowsError()) return;
  const double v = Value();
  double result = lastVal_;
  switch (calcOpr_) {
    case '+':
      result = lastVal_ + v;
      break;
    case '-':
      result = lastVal_ - v;
      break;
    case 'x':
      result = lastVal_ * v;
      break;
    case '/':
      if (v == 0) return ShowError();
      result = lastVal_ / v;
      break;
    default:
      result = v;
      break;
  }
  if (!std::isfinite(result)) return ShowError();
  lastVal_ = result;
  calcOpr_ = op;
  ShowResult(lastVal_);
}

void Calculator::Percent() {
  if (ShowsError()) return;
  const double v = Value();
  const double p = v / 100 * lastVal_;
  switch (calcOpr_) {
    case '+':
      newVal_ = lastVal_ + p;
      break;
    case '-':
      newVal_ = lastVal_ - p;
      break;
    case 'x':
      newVal_ = p * lastVal_;
      break;
    case '/':
      if (p == 0) return ShowError();
      newVal_ = lastVal_ / p;
      break;
    default:
      // Nothing pending: the entry as a fraction.
      newVal_ = v / 100;
      break;
  }
  if (!std::isfinite(newVal_)) return ShowError();
  // Percent completes the pending operation, as "=" does: a following "=" repeats nothing.
  lastVal_ = newVal_;
  calcOpr_ = '=';
  ShowResult(newVal_);
}

void Calculator::SignChange() {
  std::string t = Entry();
  if (!t.empty() && t.front() == ' ') t.erase(0, 1);
  if (t.empty() || t == "0")
    t.clear();
  else if (t.front() == '-')
    t.erase(0, 1);
  else
    t.insert(0, 1, '-');
  const bool keep = newEntry_ && !ShowsError();
  SetCalc(t);
  newEntry_ = keep;
}

void Calculator::Backspace() {
  std::string t = Entry();
  if (!t.empty()) t.pop_back();
  if (t == "0") t.clear();
  newEntry_ = false;
  SetCalc(t);
}

void Calculator::Convert(bool forward) {
  const ListBox& list = form_.List(FormList::CvtList);
  Conversion c;
  if (cvtIndex_ >= 0 && static_cast<std::size_t>(cvtIndex_) < list.rows.size())
    c = ParseConversion(list.rows[static_cast<std::size_t>(cvtIndex_)]);
  const double v = Value();
  if (forward) {
    newVal_ = v * c.factor + c.offset;
  } else {
    if (c.factor == 0) return ShowError();
    newVal_ = (v - c.offset) / c.factor;
  }
  ShowResult(newVal_);
}

void Calculator::SelectConversion(int index) {
  ListBox& list = form_.List(FormList::CvtList);
  if (index < 0 || static_cast<std::size_t>(index) >= list.rows.size()) return;
  cvtIndex_ = index;
  form_.SetCaption(kConversionLabel,
                   ParseConversion(list.rows[static_cast<std::size_t>(index)]).name);
  if (list.selected != index) {
    list.selected = index;
    list.Selected();
  }
}

void Calculator::LoadConversions(const std::string& name) {
  std::string chosen = name;
  if (chosen.empty()) {
    chosen = SelectFile(form_.Dialogs(), kConversionFilter, "Select Conversion File",
                        programFolder_, programFolder_);
    if (chosen.empty()) return;
  }
  const std::string path = chosen.front() == '/' ? chosen : AddSlash(programFolder_) + chosen;
  ConversionFile file = ReadConversionFile(path);
  if (file.status == ConversionRead::kTooLarge) {
    form_.Dialogs().MsgBox("The conversion file is too large (more than 1 MiB).", MsgButtons::Ok,
                           "Varlo");
    return;
  }
  if (file.status != ConversionRead::kOk) return;
  settings_.cvtFile = chosen;
  ListBox& list = form_.List(FormList::CvtList);
  const int first = static_cast<int>(list.rows.size());
  if (file.lines.empty()) return;
  for (std::string& line : file.lines) list.rows.push_back(std::move(line));
  list.Changed();
  // The first conversion of the file just loaded is the one in use, and the list and the
  // label say so.
  list.selected = -1;
  SelectConversion(first);
}

}  // namespace varlo
