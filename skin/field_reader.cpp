#include "skin/field_reader.h"

namespace varlo {
namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
}  // namespace

bool SkinFieldReader::AtEnd() const {
  for (std::size_t i = pos_; i < text_.size(); ++i)
    if (!IsBlank(text_[i]) && text_[i] != '\r' && text_[i] != '\n') return false;
  return true;
}

bool SkinFieldReader::AtLineEnd() const {
  return pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r';
}

void SkinFieldReader::SkipLineEnd() {
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
}

std::string SkinFieldReader::Next() {
  // After a comma, a line end closes an empty field.
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  if (!endedAtLineEnd_ && AtLineEnd()) {
    SkipLineEnd();
    endedAtLineEnd_ = true;
    return {};
  }
  // Otherwise blanks and empty lines are passed over to the start of the field.
  for (;;) {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) {
      endedAtLineEnd_ = true;
      return {};
    }
    if (!AtLineEnd()) break;
    SkipLineEnd();
  }

  std::string field;
  if (text_[pos_] == '"') {
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"' && !AtLineEnd()) field += text_[pos_++];
    if (pos_ < text_.size() && text_[pos_] == '"') ++pos_;
    // Whatever stands between the closing quote and the separator is dropped.
    while (!AtLineEnd() && text_[pos_] != ',') ++pos_;
  } else {
    while (!AtLineEnd() && text_[pos_] != ',') field += text_[pos_++];
    while (!field.empty() && IsBlank(field.back())) field.pop_back();
  }

  if (AtLineEnd()) {
    SkipLineEnd();
    endedAtLineEnd_ = true;
  } else {
    ++pos_;  // the comma
    endedAtLineEnd_ = false;
  }
  return field;
}

std::string SkinFieldReader::RestOfLine() {
  std::string rest;
  while (!AtLineEnd()) rest += text_[pos_++];
  SkipLineEnd();
  endedAtLineEnd_ = true;
  return rest;
}

}  // namespace varlo
