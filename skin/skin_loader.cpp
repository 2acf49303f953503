#include "skin/skin_loader.h"

#include <algorithm>

#include "common/atomic_file.h"
#include "common/file_ignoring_case.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "skin/animation.h"
#include "skin/digit_display.h"
#include "skin/field_reader.h"
#include "skin/skin_elements.h"
#include "skin/slider_place.h"

namespace varlo {

SkinLoader::SkinLoader(SkinForm& form, AppSettings& settings, std::string programFolder,
                       SkinLoaderServices services, ISkinHost& host)
    : form_(form),
      settings_(settings),
      programFolder_(std::move(programFolder)),
      services_(services),
      host_(host) {}

std::string SkinLoader::ResolveName(const std::string& name) const {
  std::string resolved = ToHostPath(name);
  if (!resolved.empty() && resolved.back() == '*') {
    resolved.pop_back();
    resolved += IntToText(services_.screen.WidthPixels()) + ".skin";
  }
  if (IsFullPath(resolved)) return resolved;
  std::string folder = AddSlash(ToHostPath(settings_.skinPath));
  if (folder.empty()) folder = AddSlash(state_.lastSkinFolder);
  if (folder.empty()) folder = AddSlash(programFolder_);
  return folder + resolved;
}

void SkinLoader::ResetWidgets() {
  for (AreaWidget* area : {&form_.plNames, &form_.notepad, &form_.cvtList, &form_.fmPreset,
                           &form_.lyrics, &form_.wrList, &form_.combo[1]})
    area->visible = false;
  form_.cover.visible = false;
  form_.webBrowser.visible = false;
  form_.videoBox.visible = false;
  form_.txtEntry[1].visible = false;
  form_.tmpBtn.visible = false;
  form_.videoIsDisplay = false;
  for (int i = 1; i <= kMaxButtons; ++i) {
    form_.btn[static_cast<std::size_t>(i)].visible = false;
    form_.btn[static_cast<std::size_t>(i)].border = false;
    form_.tables.buttons[static_cast<std::size_t>(i)].key.clear();
  }
  for (std::size_t i = 1; i <= 80; ++i) form_.lbl[i].visible = false;
  form_.img[1].visible = false;
  for (std::size_t i = 1; i <= 22; ++i) {
    form_.ind[i].visible = false;
    form_.ind[i].left = -1000;  // off the window until the skin places it
  }
  for (std::size_t i = 1; i <= 13; ++i) {
    form_.dig[i].visible = false;
    for (int& f : form_.tables.digits[i].run) f = 0;
  }
  for (std::size_t i = 1; i <= 6; ++i) {
    form_.slider[i].visible = false;
    form_.tables.sliders[i] = SliderRecord{};
  }
  for (std::size_t i = 1; i <= 20; ++i) form_.tables.links[i].clear();
  for (std::size_t i = 1; i <= 4; ++i) {
    form_.anim[i].visible = false;
    form_.tables.anims[i] = AnimRecord{};
  }
  for (std::size_t i = 1; i <= 3; ++i) form_.txtEntry[i].visible = false;
  ClearDigitCells(form_);
  ClearAnimFrames(form_);
  form_.Notify(kChangeWidgets);
  services_.events.DoEvents();
  form_.tables.buttonCount = 0;
  form_.tables.shape = ShapeData{};
}

void SkinLoader::PlaceWindow(int placement) {
  WindowState& w = form_.window;
  const std::int32_t screenW = services_.screen.WidthPixels() * host_.TwipX();
  const std::int32_t screenH = services_.screen.HeightPixels() * host_.TwipY();
  switch (placement) {
    case 1:
      w.left = 0;
      w.top = 0;
      break;
    case 2:
      w.left = screenW - w.width;
      w.top = 0;
      break;
    case 3:
      w.left = screenW - w.width;
      w.top = screenH - w.height;
      break;
    case 4:
      w.left = 0;
      w.top = screenH - w.height;
      break;
    case 5:
      w.left = (screenW - w.width) / 2;
      w.top = (screenH - w.height) / 2;
      break;
    default:
      break;
  }
  // A placed window larger than the screen keeps its top-left corner visible.
  if (placement >= 1 && placement <= 5) {
    w.left = std::max(0, w.left);
    w.top = std::max(0, w.top);
    w.placed = true;  // the skin chose the place, not the window system
  }
  // Hold the window on screen, never past the left or top edge. The stored position may
  // be anywhere in 32 bits, so the edges are summed in 64.
  if (std::int64_t{w.left} + w.width > screenW) w.left = std::max(0, screenW - w.width);
  if (std::int64_t{w.top} + w.height > screenH) w.top = std::max(0, screenH - w.height);
}

void SkinLoader::LoadBitmap(const std::string& name, std::string& lastPath, Picture& target,
                            const char* missingMessage) {
  const std::string path = FindFileIgnoringCase(state_.skinFolder, name);
  if (path.empty()) {
    services_.dialogs.MsgBox(std::string(missingMessage) + state_.skinFolder + name, MsgButtons::Ok,
                             "Varlo");
    return;
  }
  if (path == lastPath) return;
  if (auto picture = services_.pictures.Load(path)) {
    target = std::move(*picture);
    lastPath = path;
    form_.Notify(kChangePictures);
  }
}

void SkinLoader::LoadSkin(const std::string& name, bool reuseImport) {
  // 1-2. Find the file.
  std::string file = ResolveName(name);
  if (!FileExists(file)) {
    const std::string fallback = AddSlash(programFolder_) + GetFileName(file);
    if (!FileExists(fallback)) {
      services_.dialogs.MsgBox(
          "Skin not found!\rSkinName=" + name + "\rSkinPath=" + settings_.skinPath, MsgButtons::Ok,
          "Varlo");
      return;
    }
    file = fallback;
  }

  // 3. Read it whole (bounded) and remember its folder.
  const auto text = ReadFileBounded(file, kMaxSkinBytes);
  if (!text) {
    services_.dialogs.MsgBox("Invalid Skin!", MsgButtons::Ok, "Varlo");
    return;
  }
  SkinFieldReader reader(*text);

  // 4. Header, description, window sizes.
  std::string header = reader.Next();
  if (const auto slash = header.find('/'); slash != std::string::npos) header.resize(slash);
  if (header != "Varlo Skin" && header != "Tarnix Skin") {
    services_.dialogs.MsgBox("Invalid Skin!", MsgButtons::Ok, "Varlo");
    return;
  }
  state_.skinFolder = GetPath(file);
  state_.lastSkinFolder = state_.skinFolder;
  const std::string description(TrimBlanks(reader.RestOfLine()));
  for (std::size_t i = 0; i < 3; ++i) {
    double w = 0, h = 0;
    const std::string wf = reader.Next(), hf = reader.Next();
    if (!ParseWholeNumber(wf, w)) w = 0;
    if (!ParseWholeNumber(hf, h)) h = 0;
    // Twips are kept in 32 bits, so large skins cannot overflow.
    form_.tables.windowSizes[i] = {ToInt16(w) * host_.TwipX(), ToInt16(h) * host_.TwipY()};
  }
  const bool timer1WasOn = form_.window.timer1Enabled;
  form_.window.timer1Enabled = false;
  // The view stops the timer now, before the first pump of this load.
  form_.Notify(kChangeWindowState);

  // 5. Bitmaps.
  const std::string mainName = ToHostPath(reader.Next());
  const std::string resName = ToHostPath(reader.Next());
  if (mainName == "*") {
    const std::string filter = reader.Next();
    const std::string initialName = reader.Next();
    if (reuseImport) {
      state_.skinFolder = AddSlash(ToHostPath(settings_.skinImport));
    } else {
      FileDialogRequest request;
      request.title = "Import Skin";
      request.initialDir = resName;
      request.filter = filter;
      request.initialName = initialName;
      // A cancelled dialog keeps the previous import folder.
      if (auto chosen = services_.dialogs.OpenFile(request)) {
        state_.skinFolder = GetPath(*chosen);
        settings_.skinImport = state_.skinFolder;
      } else {
        state_.skinFolder = AddSlash(ToHostPath(settings_.skinImport));
      }
    }
  } else {
    LoadBitmap(mainName, state_.mainBitmapPath, form_.window.picture, "Main bitmap not found: ");
    LoadBitmap(resName, state_.resBitmapPath, form_.window.resBitmap,
               "Resource bitmap not found: ");
  }

  // 6. The new skin becomes current.
  state_.infoText = description;
  state_.lastSkin = settings_.skin;
  settings_.skin = file;

  // 7. Clear everything the previous skin placed.
  ResetWidgets();

  // 8. Window size, settings line, placement.
  form_.window.width = form_.tables.windowSizes[0].width;
  form_.window.height = form_.tables.windowSizes[0].height;
  int line[8] = {};
  for (int& v : line) {
    double d = 0;
    v = ParseWholeNumber(reader.Next(), d) ? ToInt16(d) : 0;
  }
  PlaceWindow(line[0]);
  form_.coolFlag = line[1];
  form_.window.backColour = MakeColour(std::clamp(line[2], 0, 255), std::clamp(line[3], 0, 255),
                                       std::clamp(line[4], 0, 255));
  form_.Notify(kChangeGeometry);

  // 9-10. Elements, then the outline.
  SkinElementReader elements(*this, reader);
  elements.ReadElements();
  elements.ApplyShape();
  state_.refused = elements.Refused();

  // 11. Settle the window.
  host_.ResetWindowSizeState();
  form_.Notify(kChangeAll);
  host_.FormPaint();
  host_.ShowLights();
  for (int n = 1; n <= 5; ++n)
    PlaceSlider(form_, n, form_.tables.sliders[static_cast<std::size_t>(n)].value);

  // 12. Report elements the program does not have.
  if (!state_.refused.empty()) {
    std::string list;
    for (const auto& token : state_.refused) list += " " + token;
    services_.dialogs.MsgBox(
        "Error in skin file!\rThe skin file contains references to the following elements "
        "that do not exist!:\r" +
            list,
        MsgButtons::Ok, "Varlo");
  }

  // 13. Timer1 runs again if it ran before; during start-up it stays off until the
  // program has finished starting.
  form_.window.timer1Enabled = timer1WasOn;
  form_.Notify(kChangeWindowState);
}

}  // namespace varlo
