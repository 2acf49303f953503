#include "screensaver/saver_skin.h"

#include <algorithm>
#include <cstdlib>

#include "common/numtext.h"
#include "skin/element_fields.h"
#include "skin/field_reader.h"

namespace varlo {
namespace {

// More elements than any real skin holds; the reader always advances, this only bounds work.
constexpr int kMaxElements = 100000;

int Num(SkinFieldReader& r) {
  return ToInt16(LeadingNumber(r.Next()));
}

std::uint32_t SkinColour(int red, int green, int blue) {
  auto c = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
  return c(red) + 256u * c(green) + 65536u * c(blue);
}

// The width of a digit display by its style, as the main window sizes it.
int DisplayWidth(int style, int w, int gap) {
  switch (style) {
    case 0:
    case 1:
    case 3:
      return 4 * w + gap;
    case 2:
      return 6 * w + 2 * gap;
    case 4:
      return 6 * w + gap;
    default:
      return w * std::min(std::abs(style), 256);
  }
}

void ReadDigit(SkinFieldReader& r, int n, SaverSkin& skin, const std::string& token) {
  int f[10];
  for (int& v : f) v = Num(r);
  r.Next();  // tip
  if (n > 11) return skin.refused.push_back(token);
  if (n < 1 || f[4] < 1 || f[5] < 1) return;
  SaverDigit& d = skin.digits[static_cast<std::size_t>(n)];
  d.shown = true;
  d.x = f[0], d.y = f[1];
  d.rec.sx = f[2], d.rec.sy = f[3], d.rec.w = f[4], d.rec.h = f[5];
  d.rec.gap = std::max(f[6], 0), d.rec.d1 = f[7], d.rec.d2 = f[8], d.rec.style = f[9];
  d.width = std::max(1, DisplayWidth(d.rec.style, d.rec.w, d.rec.gap));
}

void ReadLabel(SkinFieldReader& r, int n, SaverSkin& skin, const std::string& token) {
  int f[8];
  for (int& v : f) v = Num(r);
  const std::string font = r.Next();
  const std::string tip = r.Next();
  if (n > 9) return skin.refused.push_back(token);
  if (n < 1 || f[2] < 1 || f[3] < 1) return;
  SaverLabel& l = skin.labels[static_cast<std::size_t>(n)];
  l.shown = true;
  l.x = f[0], l.y = f[1], l.w = f[2], l.h = f[3];
  l.colour = SkinColour(f[4], f[5], f[6]);
  l.font = ParseFontField(font, f[7], true);
  if (l.font.size < 1) l.font.size = 8;
  l.tip = TipText(tip);
}

void ReadAnim(SkinFieldReader& r, int n, SaverSkin& skin, const std::string& token) {
  int f[9];
  for (int& v : f) v = Num(r);
  r.Next();  // tip
  if (n > 2) return skin.refused.push_back(token);
  if (n < 1 || f[4] < 1 || f[5] < 1) return;
  SaverAnim& a = skin.anims[static_cast<std::size_t>(n)];
  a.shown = true;
  a.rec = {};
  a.rec.x = f[0], a.rec.y = f[1], a.rec.sx = f[2], a.rec.sy = f[3], a.rec.w = f[4];
  a.rec.h = f[5];
  // At least one row, one column and one tick per frame.
  a.rec.a1 = std::max(f[6], 1), a.rec.a2 = std::max(f[7], 1), a.rec.a3 = std::max(f[8], 1);
  a.rec.running = true;
}

void ReadCover(SkinFieldReader& r, int n, SaverSkin& skin, const std::string& token) {
  int f[4];
  for (int& v : f) v = Num(r);
  r.Next();  // tip
  if (n > 1) return skin.refused.push_back(token);
  if (n < 1 || f[2] < 1 || f[3] < 1) return;
  skin.cover = {true, f[0], f[1], f[2], f[3]};
}

}  // namespace

std::optional<SaverSkin> ParseSaverSkin(std::string_view text, const std::string& folder) {
  SkinFieldReader r(text);
  if (r.Next().substr(0, 10) != "Varlo Skin") return std::nullopt;
  SaverSkin skin;
  skin.info = std::string(TrimBlanks(r.RestOfLine()));
  for (int i = 0; i < 6; ++i) r.Next();  // the window sizes, which full screen ignores

  const std::string mainName = r.Next();
  const std::string resName = r.Next();
  if (mainName == "*") {
    r.Next();  // an import skin's dialog fields: its pictures are not read here
    r.Next();
  } else {
    if (!mainName.empty()) skin.mainBitmap = folder + mainName;
    if (!resName.empty()) skin.resourceBitmap = folder + resName;
  }

  int settings[8];
  for (int& v : settings) v = Num(r);
  skin.background = SkinColour(settings[2], settings[3], settings[4]);

  for (int count = 0; count < kMaxElements && !r.AtEnd(); ++count) {
    const std::string token = r.Next();
    if (token.empty()) continue;
    const char letter = token[0];
    const int n = ToInt16(LeadingNumber(std::string_view(token).substr(1)));
    switch (letter) {
      case 'D':
        ReadDigit(r, n, skin, token);
        break;
      case 'L':
        ReadLabel(r, n, skin, token);
        break;
      case 'A':
        ReadAnim(r, n, skin, token);
        break;
      case 'C':
        ReadCover(r, n, skin, token);
        break;
      case '/':
        skin.info += "\n" + std::string(TrimBlanks(r.RestOfLine()));
        break;
      case 'E':
        return skin;
      default:  // comments and every element the saver has no use for
        r.RestOfLine();
        break;
    }
  }
  return skin;
}

}  // namespace varlo
