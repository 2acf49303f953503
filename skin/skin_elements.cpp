#include "skin/skin_elements.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "common/file_ignoring_case.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "skin/element_fields.h"
#include "skin/skin_loader.h"
#include "skin/window_region.h"

namespace varlo {
namespace {

// Scratch pictures larger than this on a side are refused, so a skin cannot ask for
// gigabytes of memory.
constexpr int kMaxPictureSide = 4096;

long long ElementNumber(const std::string& token) {
  const double n = LeadingNumber(std::string_view(token).substr(1));
  return ToInt32(n);
}

std::size_t Index(long long n) {
  return static_cast<std::size_t>(n);
}

}  // namespace

SkinElementReader::SkinElementReader(SkinLoader& loader, SkinFieldReader& reader)
    : loader_(loader), reader_(reader) {}

bool SkinElementReader::ReadInts(int* out, int count) {
  bool ok = true;
  for (int i = 0; i < count; ++i) {
    double v = 0;
    if (!ParseWholeNumber(reader_.Next(), v) || v < std::numeric_limits<std::int16_t>::min() ||
        v > std::numeric_limits<std::int16_t>::max()) {
      ok = false;  // keep reading so the following fields stay in step
      v = 0;
    }
    out[i] = ToInt16(v);
  }
  return ok;
}

bool SkinElementReader::ReadColour(Colour& out) {
  int rgb[3];
  if (!ReadInts(rgb, 3)) return false;
  out = MakeColour(std::clamp(rgb[0], 0, 255), std::clamp(rgb[1], 0, 255),
                   std::clamp(rgb[2], 0, 255));
  return true;
}

void SkinElementReader::ReadElements() {
  while (!ended_ && !reader_.AtEnd()) {
    const std::string token = reader_.Next();
    if (token.empty()) continue;
    const char letter = token[0];
    if (letter == ':' && !skipLabel_.empty() && token.substr(1) == skipLabel_) skipLabel_.clear();
    if (!skipLabel_.empty()) continue;
    Element(letter, ElementNumber(token), token);
  }
}

void SkinElementReader::Element(char letter, long long n, const std::string& token) {
  switch (letter) {
    case 'B':
      Button(n, false, token);
      break;
    case 'K':
      Button(n, true, token);
      break;
    case 'A':
      Animation(n, token);
      break;
    case 'D':
      Digits(n, token);
      break;
    case 'S':
      Slider(n, token);
      break;
    case 'L':
      Label(n, token, false);
      break;
    case 'T':
      Label(n, token, true);
      break;
    case 'I':
      Light(n, token);
      break;
    case 'X':
      Area(n, token);
      break;
    case 'C':
      Content(n);
      break;
    case 'O':
      Transparency();
      break;
    case 'N':
      Points(n, false);
      break;
    case 'M':
      Points(n, true);
      break;
    case 'P':
      Point(n);
      break;
    case 'R':
      LoadPicture(n, token);
      break;
    case 'W':
      SizePicture(n, token);
      break;
    case 'Z':
      CopyPicture(n, token);
      break;
    case 'U':
      UsePictures();
      break;
    case ';':
      reader_.RestOfLine();
      break;
    case '/': {
      std::string& info = loader_.state_.infoText;
      info += "\n";
      info += TrimBlanks(reader_.RestOfLine());
      break;
    }
    case '?': {
      const std::string label = reader_.Next();
      if (n == lastLoadResult_) skipLabel_ = label;
      break;
    }
    case 'E':
      ended_ = true;
      break;
    default:
      break;  // an unknown letter reads nothing more
  }
}

void SkinElementReader::Button(long long n, bool link, const std::string& token) {
  SkinForm& form = loader_.form_;
  int f[6];
  const bool ok = ReadInts(f, 6);
  const std::string key = reader_.Next();
  const std::string tip = reader_.Next();
  if (link) {
    const std::string target = reader_.Next();
    if (n > 20) return Refuse(token);
    if (n < 0) return;
    form.tables.links[Index(n)] = target;
    n += 1000;
  }
  if (n == 0 || !ok || n < std::numeric_limits<std::int16_t>::min() ||
      n > std::numeric_limits<std::int16_t>::max())
    return;
  if (form.tables.buttonCount >= kMaxButtons) {
    loader_.services_.dialogs.MsgBox("This skin contains too many buttons!", MsgButtons::Ok,
                                     "Varlo");
    return Refuse(token);
  }
  const auto i = static_cast<std::size_t>(++form.tables.buttonCount);
  const auto [x, y, w, h, sx, sy] = f;
  ButtonWidget& b = form.btn[i];
  form.tables.buttons[i].key = CvtKey(key);
  b.code = static_cast<std::int16_t>(n);
  if (w >= 1 && h >= 1) b.Place(x, y, w, h);
  b.tooltip = TipText(tip);
  b.visible = true;
  if (sx + sy == 0) {
    form.tables.buttons[i].pressX = x;
    form.tables.buttons[i].pressY = y;
  } else {
    form.tables.buttons[i].pressX = sx;
    form.tables.buttons[i].pressY = sy;
  }
}

void SkinElementReader::Animation(long long n, const std::string& token) {
  int f[9];
  const bool ok = ReadInts(f, 9);
  const std::string tip = reader_.Next();
  if (n > 4) return Refuse(token);
  const auto [x, y, sx, sy, w, h, a1, a2, a3] = f;
  if (n < 1 || !ok || w < 1 || h < 1) return;
  SkinForm& form = loader_.form_;
  form.anim[Index(n)].Place(x, y, w, h);
  form.anim[Index(n)].tooltip = TipText(tip);
  form.anim[Index(n)].visible = true;
  AnimRecord rec;
  rec.x = x, rec.y = y, rec.sx = sx, rec.sy = sy, rec.w = w, rec.h = h;
  rec.a1 = a1, rec.a2 = a2, rec.a3 = a3;
  form.tables.anims[Index(n)] = rec;
}

void SkinElementReader::Digits(long long n, const std::string& token) {
  int f[10];
  const bool ok = ReadInts(f, 10);
  const std::string tip = reader_.Next();
  if (n > 13) return Refuse(token);
  if (n < 1 || !ok) return;
  const auto [x, y, sx, sy, w, h, gap, d1, d2, style] = f;
  int width = 0;
  switch (style) {
    case 0:
    case 1:
    case 3:
      width = 4 * w + gap;
      break;
    case 2:
      width = 6 * w + 2 * gap;
      break;
    case 4:
      width = 6 * w + gap;
      break;
    default:
      width = w * std::abs(style);
      break;
  }
  SkinForm& form = loader_.form_;
  form.dig[Index(n)].Place(x, y, width, h);
  form.dig[Index(n)].tooltip = tip;
  form.dig[Index(n)].visible = true;
  DigitRecord& rec = form.tables.digits[Index(n)];
  rec.sx = sx, rec.sy = sy, rec.w = w, rec.h = h, rec.gap = gap;
  rec.d1 = d1, rec.d2 = d2, rec.style = style;
}

void SkinElementReader::Slider(long long n, const std::string& token) {
  int f[8];
  const bool ok = ReadInts(f, 8);
  const std::string tip = reader_.Next();
  if (n > 6) return Refuse(token);
  if (n < 1 || !ok) return;
  const auto [x, y, w, h, sx, sy, kw, kh] = f;
  SkinForm& form = loader_.form_;
  SliderRecord& rec = form.tables.sliders[Index(n)];
  rec = SliderRecord{};
  rec.x = x, rec.y = y, rec.w = w, rec.h = h, rec.sx = sx, rec.sy = sy, rec.kw = kw, rec.kh = kh;
  PictureWidget& knob = form.slider[Index(n)];
  knob.tooltip = TipText(tip);
  knob.Place(x, y, kw, kh);
  knob.sourceX = sx;
  knob.sourceY = sy;
  knob.visible = true;
}

void SkinElementReader::Label(long long n, const std::string& token, bool entry) {
  int f[4];
  bool ok = ReadInts(f, 4);
  Colour fore = 0;
  ok = ReadColour(fore) && ok;
  int size = 0;
  ok = ReadInts(&size, 1) && ok;
  const std::string font = reader_.Next();
  const std::string tip = reader_.Next();
  if (n > (entry ? 3 : 80)) return Refuse(token);
  const auto [x, y, w, h] = f;
  if (n < 1 || !ok || w < 1 || h < 1) return;
  SkinForm& form = loader_.form_;
  LabelWidget& l = entry ? form.txtEntry[Index(n)] : form.lbl[Index(n)];
  l.Place(x, y, w, h);
  l.tooltip = TipText(tip);
  l.foreColour = fore;
  l.font = ParseFontField(font, size, true);
  l.visible = true;
}

void SkinElementReader::Light(long long n, const std::string& token) {
  int f[4];
  bool ok = ReadInts(f, 4);
  Colour fill = 0;
  ok = ReadColour(fill) && ok;
  int shape = 0;
  ok = ReadInts(&shape, 1) && ok;
  reader_.Next();  // lights take no tooltip
  if (n > 22) return Refuse(token);
  const auto [x, y, w, h] = f;
  if (n < 1 || !ok || w < 1 || h < 1) return;
  IndicatorWidget& light = loader_.form_.ind[Index(n)];
  light.Place(x, y, w, h);
  light.fill = fill;
  light.shape = shape >= 0 && shape <= 5 ? static_cast<LightShape>(shape) : LightShape::Rectangle;
}

void SkinElementReader::Area(long long n, const std::string& token) {
  int f[4];
  bool ok = ReadInts(f, 4);
  Colour fore = 0, back = 0;
  ok = ReadColour(fore) && ok;
  ok = ReadColour(back) && ok;
  int size = 0;
  ok = ReadInts(&size, 1) && ok;
  const std::string font = reader_.Next();
  const std::string tip = reader_.Next();
  if (n > 8) return Refuse(token);
  const auto [x, y, w, h] = f;
  if (n < 1 || !ok || w < 1 || h < 1) return;
  AreaWidget* area = loader_.form_.Area(static_cast<int>(n));
  if (!area) return;  // area 3 has no widget
  area->tooltip = TipText(tip);
  area->foreColour = fore;
  area->backColour = back;
  area->font = ParseFontField(font, size, false);
  area->Place(x, y, w, h);
  area->visible = true;
}

void SkinElementReader::Content(long long n) {
  int f[5];
  const bool ok = ReadInts(f, 5);
  const auto [x, y, w, h, spare] = f;
  (void)spare;
  if (n < 1 || n > 3 || !ok || w < 1 || h < 1) return;
  SkinForm& form = loader_.form_;
  SkinWidget& area = n == 1 ? form.cover : n == 2 ? form.webBrowser : form.videoBox;
  area.Place(x, y, w, h);
  area.visible = true;
  if (n == 3) form.videoIsDisplay = true;
}

void SkinElementReader::Transparency() {
  Colour colour = 0;
  if (!ReadColour(colour)) return;
  WindowState& window = loader_.form_.window;
  if (window.picture.Empty()) return;
  SetShape(BuildTransparentRegion(window.picture, colour));
}

void SkinElementReader::SetShape(WindowRegion region) {
  if (region.kind == WindowRegion::Kind::None) return;
  // Qt and the window system take an empty shape for none at all, which would show the
  // whole rectangle; a shape without any pixel leaves the window as it was.
  if (region.rects.empty()) {
    std::fputs("varlo: the skin's window shape keeps no pixel; the window keeps its shape\n",
               stderr);
    return;
  }
  if (region.Simplified())
    std::fprintf(stderr,
                 "varlo: the skin's window shape is too detailed for the window system; it "
                 "is simplified to blocks of %d x %d pixels\n",
                 region.blockWidth, region.blockHeight);
  loader_.form_.window.region = std::move(region);
  loader_.form_.Notify(kChangeRegion);
}

void SkinElementReader::Points(long long n, bool multi) {
  ShapeData& shape = loader_.form_.tables.shape;
  shape.pointCount = static_cast<std::int32_t>(std::max(0LL, n));
  shape.points.clear();
  shape.vertexCounts.clear();
  shape.multiPolygon = multi;
  if (!multi) return;
  double k = 0;
  if (!ParseWholeNumber(reader_.Next(), k)) return;
  const std::int32_t count = ToInt32(k);
  // The counts come from the file; never trust the number of them beyond what it holds.
  for (std::int32_t i = 0; i < count && !reader_.AtEnd(); ++i) {
    double c = 0;
    shape.vertexCounts.push_back(ParseWholeNumber(reader_.Next(), c) ? ToInt32(c) : 0);
  }
}

void SkinElementReader::Point(long long x) {
  int y = 0;
  const bool ok = ReadInts(&y, 1);
  ShapeData& shape = loader_.form_.tables.shape;
  if (pointsReceived_ >= shape.pointCount) return;  // surplus points are dropped
  if (!ok) return;
  shape.points.push_back({static_cast<std::int32_t>(x), y});
  ++pointsReceived_;
}

void SkinElementReader::ApplyShape() {
  const ShapeData& shape = loader_.form_.tables.shape;
  if (shape.pointCount <= 0 || pointsReceived_ != shape.pointCount) return;
  SetShape(shape.multiPolygon ? MultiPolygonRegion(shape.points, shape.vertexCounts)
                              : PolygonRegion(shape.points));
}

void SkinElementReader::LoadPicture(long long n, const std::string& token) {
  const std::string name = ToHostPath(reader_.Next());
  if (n > 2) return Refuse(token);
  if (n < 0) return;
  const std::string path = FindFileIgnoringCase(loader_.state_.skinFolder, name);
  lastLoadResult_ = 0;
  if (path.empty()) return;
  if (auto picture = loader_.services_.pictures.Load(path)) {
    scratch_[Index(n)] = std::move(*picture);
    lastLoadResult_ = 1;
  }
}

void SkinElementReader::SizePicture(long long n, const std::string& token) {
  int f[2];
  const bool ok = ReadInts(f, 2);
  if (n > 1) return Refuse(token);
  const auto [w, h] = f;
  if (n < 0 || !ok || w < 0 || h < 0 || w > kMaxPictureSide || h > kMaxPictureSide) return;
  ResizePicture(scratch_[Index(n)], w, h, loader_.form_.window.backColour);
}

void SkinElementReader::CopyPicture(long long n, const std::string& token) {
  int f[6];
  const bool ok = ReadInts(f, 6);
  if (n > 1) return Refuse(token);
  if (n < 0 || !ok) return;
  const auto [sx, sy, w, h, dx, dy] = f;
  CopyPictureRect(scratch_[2], sx, sy, w, h, scratch_[Index(n)], dx, dy);
}

void SkinElementReader::UsePictures() {
  WindowState& window = loader_.form_.window;
  window.picture = scratch_[0];
  window.resBitmap = scratch_[1];
  // The bitmaps now come from no file: the next skin must load its own even if the paths match.
  loader_.state_.mainBitmapPath.clear();
  loader_.state_.resBitmapPath.clear();
  loader_.form_.Notify(kChangePictures);
}

}  // namespace varlo
