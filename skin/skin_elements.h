#pragma once
#include <array>
#include <string>
#include <vector>

#include "common/picture.h"
#include "skin/field_reader.h"
#include "skin/window_region.h"

namespace varlo {

class SkinLoader;

// Reads the element list of one skin file and applies each element to the form.
class SkinElementReader {
 public:
  SkinElementReader(SkinLoader& loader, SkinFieldReader& reader);

  // Runs the element loop to "E" or the end of the file; the refused tokens are collected.
  void ReadElements();
  // Applies the polygon outline when exactly the announced number of points arrived.
  void ApplyShape();

  const std::vector<std::string>& Refused() const { return refused_; }

 private:
  // Reads `count` numeric fields; false when one is not a number in the 16-bit range.
  bool ReadInts(int* out, int count);
  bool ReadColour(Colour& out);
  void Refuse(const std::string& token) { refused_.push_back(token); }

  void Element(char letter, long long n, const std::string& token);
  void Button(long long n, bool link, const std::string& token);
  void Animation(long long n, const std::string& token);
  void Digits(long long n, const std::string& token);
  void Slider(long long n, const std::string& token);
  void Label(long long n, const std::string& token, bool entry);
  void Light(long long n, const std::string& token);
  void Area(long long n, const std::string& token);
  void Content(long long n);
  void Transparency();
  // Makes `region` the window's shape, unless it is none or keeps no pixel.
  void SetShape(WindowRegion region);
  void Points(long long n, bool multi);
  void Point(long long x);
  void LoadPicture(long long n, const std::string& token);
  void SizePicture(long long n, const std::string& token);
  void CopyPicture(long long n, const std::string& token);
  void UsePictures();

  SkinLoader& loader_;
  SkinFieldReader& reader_;
  std::array<Picture, 3> scratch_;
  std::vector<std::string> refused_;
  std::string skipLabel_;
  int lastLoadResult_ = 0;
  std::int32_t pointsReceived_ = 0;
  bool ended_ = false;
};

}  // namespace varlo
