#include "skin/skin_check.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>

#include "common/file_ignoring_case.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "skin/element_fields.h"
#include "skin/field_reader.h"
#include "skin/skin_tables.h"

namespace varlo {
namespace {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool Overlaps(const Rect& o) const {
    return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
  }
  bool Inside(int width, int height) const {
    return x >= 0 && y >= 0 && x + w <= width && y + h <= height;
  }
};

struct PlacedButton {
  std::string token;
  int line = 0;
  Rect r;
};

class Checker {
 public:
  Checker(std::string_view text, const std::string& folder, const PictureSizer& sizeOf)
      : text_(text), reader_(text), folder_(AddSlash(folder)), sizeOf_(sizeOf) {}

  std::vector<SkinFinding> Run() {
    if (!Header()) return findings_;
    Elements();
    Buttons();
    // In line order, findings of one line in the order they were made. (std::stable_sort's
    // temporary buffer trips the address sanitizer's new/delete check in this libstdc++.)
    std::vector<std::size_t> order(findings_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
      const int la = findings_[a].line, lb = findings_[b].line;
      return la != lb ? la < lb : a < b;
    });
    std::vector<SkinFinding> sorted;
    sorted.reserve(order.size());
    for (const std::size_t i : order) sorted.push_back(std::move(findings_[i]));
    return sorted;
  }

 private:
  // The line on which the next field starts.
  int NextLine() const {
    std::size_t i = reader_.Position();
    while (i < text_.size() &&
           (text_[i] == ' ' || text_[i] == '\t' || text_[i] == '\r' || text_[i] == '\n'))
      ++i;
    return 1 +
           static_cast<int>(std::count(text_.begin(), text_.begin() + static_cast<long>(i), '\n'));
  }
  void Error(const std::string& element, const std::string& why) {
    findings_.push_back({SkinFinding::Level::Error, line_, element, why});
  }
  void Warn(const std::string& element, const std::string& why) {
    findings_.push_back({SkinFinding::Level::Warning, line_, element, why});
  }

  // Reads `count` whole numbers in the 16-bit range; false when any is not one.
  bool Ints(int* out, int count, const std::string& token) {
    bool ok = true;
    for (int i = 0; i < count; ++i) {
      const std::string field = reader_.Next();
      double v = 0;
      if (!ParseWholeNumber(field, v) || v < std::numeric_limits<std::int16_t>::min() ||
          v > std::numeric_limits<std::int16_t>::max()) {
        if (ok)
          Warn(token, "field " + std::to_string(i + 2) + " (\"" + field +
                          "\") is not a whole number from -32768 to 32767; the element is ignored");
        ok = false;
        v = 0;
      }
      out[i] = static_cast<int>(v);
    }
    return ok;
  }

  std::optional<PictureSize> Picture(const std::string& element, const std::string& name,
                                     bool required) {
    const std::string path = FindFileIgnoringCase(folder_, ToHostPath(name));
    if (path.empty()) {
      if (required)
        Error(element, "bitmap \"" + name + "\" is not in the skin's folder");
      else
        Warn(element, "picture \"" + name + "\" is not in the skin's folder; it is not loaded");
      return std::nullopt;
    }
    const auto size = sizeOf_(path);
    if (!size) {
      Error(element, "\"" + name + "\" cannot be read as a picture");
      return std::nullopt;
    }
    if (size->width > kMaxSkinPictureSide || size->height > kMaxSkinPictureSide) {
      Error(element, "\"" + name + "\" is " + std::to_string(size->width) + "x" +
                         std::to_string(size->height) + " pixels; at most " +
                         std::to_string(kMaxSkinPictureSide) + " a side is taken");
      return std::nullopt;
    }
    return size;
  }

  bool Header() {
    line_ = NextLine();
    std::string header = reader_.Next();
    std::string kinds;
    if (const auto slash = header.find('/'); slash != std::string::npos) {
      kinds = header.substr(slash + 1);
      header.resize(slash);
    }
    if (header != "Varlo Skin" && header != "Tarnix Skin") {
      Error("header", "the file must begin with \"Varlo Skin\" or \"Tarnix Skin\" (found \"" +
                          header + "\"); the skin is refused");
      return false;
    }
    // The screen saver centres its main bitmap with the labels on it; digit displays,
    // animations and the picture lie at screen coordinates, outside any window size.
    saverSkin_ = (" " + UpperCase(kinds) + " ").find(" SCREENSAVER ") != std::string::npos;
    if (kinds.empty() && UpperCase(header) != "TARNIX SKIN")
      Warn("header", "no kinds after \"/\": the skin browser shows it only under \"All\"");
    if (TrimBlanks(reader_.RestOfLine()).empty()) Warn("header", "the description is empty");
    for (int i = 0; i < 3; ++i) {
      line_ = NextLine();
      const std::string wf = reader_.Next(), hf = reader_.Next();
      double w = 0, h = 0;
      if (!ParseWholeNumber(wf, w) || !ParseWholeNumber(hf, h) || w < 0 || h < 0) {
        Error("size " + std::to_string(i + 1),
              "window size \"" + wf + "," + hf + "\" is not two whole numbers; it counts as 0");
        w = h = 0;
      }
      if (w > std::numeric_limits<std::int16_t>::max() ||
          h > std::numeric_limits<std::int16_t>::max())
        Warn("size " + std::to_string(i + 1),
             "window size \"" + wf + "," + hf + "\" is larger than 32767; it is cut to 32767");
      // The program keeps sizes in 16 bits, as the loader does.
      sizes_[i] = {ToInt16(w), ToInt16(h)};
    }
    if (sizes_[0].width < 1 || sizes_[0].height < 1)
      Error("size 1", "the normal window size is empty");
    line_ = NextLine();
    const std::string mainName = reader_.Next();
    const std::string resName = reader_.Next();
    if (mainName == "*") {
      reader_.Next();  // filter
      reader_.Next();  // initial name
      Warn("bitmaps", "an import skin: its bitmaps are chosen when it loads and are not checked");
      importSkin_ = true;
    } else {
      main_ = Picture("main bitmap", mainName, true);
      res_ = Picture("resource bitmap", resName, true);
      if (main_ && (main_->width < sizes_[0].width || main_->height < sizes_[0].height))
        Warn("main bitmap", "smaller than the normal window size; the rest is background");
    }
    line_ = NextLine();
    int settings[8];
    Ints(settings, 8, "settings line");
    if (settings[0] < 0 || settings[0] > 5)
      Warn("settings line", "placement " + std::to_string(settings[0]) +
                                " is not 0-5; the window stays where it is");
    return true;
  }

  void Elements() {
    while (!reader_.AtEnd()) {
      line_ = NextLine();
      const std::string token = reader_.Next();
      if (token.empty()) continue;
      const long long n = ToInt32(LeadingNumber(std::string_view(token).substr(1)));
      if (Element(token[0], n, token)) break;
    }
    if (!ended_) {
      line_ = NextLine();
      Warn("E", "the file has no end element \"E\"; it is read to its end");
    }
    if (shapePoints_ > 0 && pointsSeen_ != shapePoints_)
      Error("N/M", "the shape asks for " + std::to_string(shapePoints_) + " points and has " +
                       std::to_string(pointsSeen_) + "; the window keeps its rectangle");
  }

  void Refuse(const std::string& token, const std::string& why) {
    Error(token, why + "; the loader lists it as an element that does not exist");
  }
  void Range(const std::string& token, long long n, long long lo, long long hi) {
    Warn(token, "number " + std::to_string(n) + " is outside " + std::to_string(lo) + "-" +
                    std::to_string(hi) + "; the element is ignored");
  }

  // Returns true at the end element.
  bool Element(char letter, long long n, const std::string& token) {
    switch (letter) {
      case 'B':
      case 'K':
        Button(n, letter == 'K', token);
        break;
      case 'A':
        Simple(token, n, 9, 4, true, [&](const int* f) {
          if (f[4] < 1 || f[5] < 1) return Warn(token, "the frame size is empty; ignored");
          CheckSource(token, f[2], f[3], f[4], f[5]);
          if (!saverSkin_) CheckPlaced(token, {f[0], f[1], f[4], f[5]});
        });
        break;
      case 'D':
        Simple(token, n, 10, 13, true,
               [&](const int* f) { CheckSource(token, f[2], f[3], f[4], f[5]); });
        break;
      case 'S':
        Simple(token, n, 8, 6, true, [&](const int* f) {
          CheckSource(token, f[4], f[5], f[6], f[7]);
          CheckPlaced(token, {f[0], f[1], f[2], f[3]});
        });
        break;
      case 'L':
      case 'T':
        Text(token, n, letter == 'T' ? 3 : 80, false);
        break;
      case 'I':
        Light(token, n);
        break;
      case 'X':
        Text(token, n, 8, true);
        break;
      case 'C': {
        int f[5];
        const bool ok = Ints(f, 5, token);
        if (n < 1 || n > 3)
          Warn(token, "content areas are 1 (cover), 2 (browser) and 3 (video); ignored");
        else if (ok && (f[2] < 1 || f[3] < 1))
          Warn(token, "the area is empty; ignored");
        else if (ok && !saverSkin_)
          CheckPlaced(token, {f[0], f[1], f[2], f[3]});
        break;
      }
      case 'O': {
        int f[3];
        Ints(f, 3, token);
        if (importSkin_ || main_) break;
        Warn(token, "there is no main bitmap to take the outline from");
        break;
      }
      case 'N':
        shapePoints_ = std::max(0LL, n);
        pointsSeen_ = 0;
        break;
      case 'M': {
        shapePoints_ = std::max(0LL, n);
        pointsSeen_ = 0;
        double k = 0;
        if (!ParseWholeNumber(reader_.Next(), k)) {
          Warn(token, "the polygon count is not a number; the shape is ignored");
          break;
        }
        // The fields run out long before any count past a billion.
        const auto count = static_cast<long long>(std::clamp(k, 0.0, 1e9));
        for (long long i = 0; i < count && !reader_.AtEnd(); ++i) reader_.Next();
        break;
      }
      case 'P': {
        int y = 0;
        if (Ints(&y, 1, token)) {
          if (pointsSeen_ >= shapePoints_)
            Warn(token, "more points than the shape asks for; dropped");
          else
            ++pointsSeen_;
        }
        break;
      }
      case 'R': {
        const std::string name = reader_.Next();
        if (n > 2) return Refuse(token, "scratch pictures are 0-2"), false;
        if (n >= 0 && !importSkin_) Picture(token, name, false);
        break;
      }
      case 'W': {
        int f[2];
        const bool ok = Ints(f, 2, token);
        if (n > 1) return Refuse(token, "only scratch pictures 0 and 1 can be sized"), false;
        if (ok &&
            (f[0] > kMaxSkinPictureSide || f[1] > kMaxSkinPictureSide || f[0] < 0 || f[1] < 0))
          Error(token, "a picture of " + std::to_string(f[0]) + "x" + std::to_string(f[1]) +
                           " is refused (0 to " + std::to_string(kMaxSkinPictureSide) + " a side)");
        break;
      }
      case 'Z': {
        int f[6];
        Ints(f, 6, token);
        if (n > 1) return Refuse(token, "only scratch pictures 0 and 1 take copies"), false;
        break;
      }
      case 'U':
      case ':':
        break;
      case ';':
      case '/':
        reader_.RestOfLine();
        break;
      case '?':
        reader_.Next();
        break;
      case 'E':
        ended_ = true;
        return true;
      default:
        Warn(token, "unknown element letter '" + std::string(1, letter) +
                        "'; the loader passes over it (its fields are read as elements)");
        break;
    }
    return false;
  }

  template <typename Fn>
  void Simple(const std::string& token, long long n, int count, long long max, bool tip, Fn fn) {
    std::vector<int> f(static_cast<std::size_t>(count));
    const bool ok = Ints(f.data(), count, token);
    if (tip) reader_.Next();
    if (n > max) return Refuse(token, "numbers run from 1 to " + std::to_string(max));
    if (n < 1) return Range(token, n, 1, max);
    if (ok) fn(f.data());
  }

  void Text(const std::string& token, long long n, long long max, bool area) {
    int f[12];
    const int count = area ? 11 : 8;
    const bool ok = Ints(f, count, token);
    reader_.Next();  // font
    reader_.Next();  // tip
    if (n > max) return Refuse(token, "numbers run from 1 to " + std::to_string(max));
    if (n < 1) return Range(token, n, 1, max);
    if (!ok) return;
    if (f[2] < 1 || f[3] < 1) return Warn(token, "the width or height is below 1; ignored");
    if (area && n == 3) return Warn(token, "list area 3 has no list; ignored");
    CheckPlaced(token, {f[0], f[1], f[2], f[3]});
  }

  void Light(const std::string& token, long long n) {
    int f[8];
    const bool ok = Ints(f, 8, token);
    reader_.Next();
    if (n > 22) return Refuse(token, "lights run from 1 to 22");
    if (n < 1) return Range(token, n, 1, 22);
    if (!ok) return;
    if (f[2] < 1 || f[3] < 1) return Warn(token, "the width or height is below 1; ignored");
    if (f[7] < 0 || f[7] > 5)
      Warn(token, "shape " + std::to_string(f[7]) + " is not 0-5; drawn as a rectangle");
    CheckPlaced(token, {f[0], f[1], f[2], f[3]});
  }

  void Button(long long n, bool link, const std::string& token) {
    int f[6];
    const bool ok = Ints(f, 6, token);
    const std::string key = reader_.Next();
    reader_.Next();  // tip
    if (link) {
      const std::string target = reader_.Next();
      if (n > 20) return Refuse(token, "link slots run from 1 to 20");
      if (n < 0) return Range(token, n, 0, 20);
      if (target.empty()) Warn(token, "the link names no skin");
      n += 1000;
    }
    if (n == 0) return Warn(token, "command code 0 does nothing; ignored");
    if (!ok) return;
    if (++buttonCount_ > kMaxButtons)
      return Error(token, "more than " + std::to_string(kMaxButtons) + " buttons; refused");
    const std::string hot = CvtKey(key);
    if (!hot.empty()) {
      const unsigned char c = static_cast<unsigned char>(hot[0]);
      if (std::islower(c))
        Warn(token, "hot key '" + hot +
                        "' is lower case; typed keys are matched in upper case, so it never fires");
      else if (const auto used = keys_.find(hot); used != keys_.end())
        Warn(token, "hot key '" + hot + "' is already used by " + used->second +
                        "; only that button answers it");
      else
        keys_[hot] = token + " (line " + std::to_string(line_) + ")";
    }
    const auto [x, y, w, h, sx, sy] = f;
    if (w < 1 || h < 1) return;  // a hot key only
    CheckPlaced(token, {x, y, w, h});
    if (sx + sy != 0) CheckSource(token, sx, sy, w, h);
    buttons_.push_back({token, line_, {x, y, w, h}});
  }

  // Overlapping buttons: a press goes to the one placed last.
  void Buttons() {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
      for (std::size_t j = i + 1; j < buttons_.size(); ++j)
        if (buttons_[i].r.Overlaps(buttons_[j].r)) {
          line_ = buttons_[j].line;
          Warn(buttons_[j].token, "overlaps " + buttons_[i].token + " (line " +
                                      std::to_string(buttons_[i].line) + ")");
        }
  }

  void CheckPlaced(const std::string& token, const Rect& r) {
    if (!r.Inside(sizes_[0].width, sizes_[0].height) &&
        !r.Inside(sizes_[1].width, sizes_[1].height) &&
        !r.Inside(sizes_[2].width, sizes_[2].height))
      Warn(token, "lies partly outside every window size");
  }
  void CheckSource(const std::string& token, int sx, int sy, int w, int h) {
    if (!res_ || w < 1 || h < 1) return;
    if (!Rect{sx, sy, w, h}.Inside(res_->width, res_->height))
      Warn(token, "its image at " + std::to_string(sx) + "," + std::to_string(sy) +
                      " lies partly outside the resource bitmap");
  }

  std::string_view text_;
  SkinFieldReader reader_;
  std::string folder_;
  const PictureSizer& sizeOf_;
  std::vector<SkinFinding> findings_;
  int line_ = 0;
  PictureSize sizes_[3];
  std::optional<PictureSize> main_, res_;
  bool importSkin_ = false;
  bool saverSkin_ = false;
  bool ended_ = false;
  long long shapePoints_ = 0, pointsSeen_ = 0;
  int buttonCount_ = 0;
  std::map<std::string, std::string> keys_;
  std::vector<PlacedButton> buttons_;
};

}  // namespace

std::vector<SkinFinding> CheckSkin(std::string_view text, const std::string& folder,
                                   const PictureSizer& sizeOf) {
  return Checker(text, folder, sizeOf).Run();
}

std::string FormatFinding(const std::string& file, const SkinFinding& finding) {
  return file + ":" + std::to_string(finding.line) + ": " +
         (finding.level == SkinFinding::Level::Error ? "error" : "warning") + ": " +
         finding.element + ": " + finding.why;
}

}  // namespace varlo
