#include "webradio/browser_mode.h"

#include "common/paths.h"
#include "webradio/url_history.h"
#include "webradio/web_address.h"

namespace varlo {

BrowserMode::BrowserMode(FormAccess& form, std::string programFolder, IWebView& web,
                         ILinkOpener& opener, const std::array<std::string, 21>& links)
    : form_(form),
      programFolder_(std::move(programFolder)),
      web_(web),
      opener_(opener),
      links_(links) {
  web_.SetListener(this);
}

BrowserMode::~BrowserMode() {
  web_.SetListener(nullptr);
}

void BrowserMode::Load() {
  ListBox& history = form_.List(FormList::UrlHistory);
  history.rows = LoadUrlList(programFolder_);
  history.selected = -1;
  history.Changed();
}

void BrowserMode::DoIt(int code) {
  if (code >= 110 && code <= 119) return LinkButton(code - 110);
  if (code >= 1011 && code <= 1020) {
    WebLink(links_[static_cast<std::size_t>(code - 1000)]);
    return;
  }
  switch (code) {
    case 101:
      return Home();
    case 102:
      form_.SetLight(kActivityLight, true);
      return web_.Reload();
    case 103:
      form_.SetLight(kActivityLight, true);
      return web_.Back();
    case 104:
      form_.SetLight(kActivityLight, true);
      return web_.Forward();
    case 105:
      form_.SetLight(kActivityLight, false);
      return web_.Stop();
    default:
      return;
  }
}

bool BrowserMode::EntryKey(int entry, int key) {
  if (entry != kAddressEntry || key != 13) return false;
  SetURL(form_.EntryText(kAddressEntry));
  return true;
}

void BrowserMode::Remember(const std::string& address) {
  ListBox& history = form_.List(FormList::UrlHistory);
  if (!AddToHistory(history.rows, address)) return;
  history.selected = 0;
  history.Changed();
  // Once only, so that browsing on a full disk is not stopped by a box at every address.
  const WriteStatus saved = SaveUrlList(programFolder_, history.rows);
  if (saveNotice_.ShouldTell(saved))
    form_.Dialogs().MsgBox(WithReason("Unable to write the address list " +
                                          AddSlash(programFolder_) + kUrlListFile + "!",
                                      saved),
                           MsgButtons::Ok, "Varlo");
}

void BrowserMode::SetURL(const std::string& typed) {
  const std::string address = TypedAddress(typed);
  if (address.empty()) return;
  Remember(address);
  Navigate(address);
}

void BrowserMode::Navigate(const std::string& address) {
  form_.SetLight(kActivityLight, true);
  web_.Navigate(address);
}

void BrowserMode::Home() {
  // The program folder's "home.html" when there is one.
  form_.SetLight(kActivityLight, true);
  const std::string page = AddSlash(programFolder_) + "home.html";
  if (FileExists(page))
    web_.OpenFile(page);
  else
    web_.Navigate("about:blank");
}

void BrowserMode::LinkButton(int n) {
  const int label = kFirstCaption + n;
  if (form_.StoreArmed(StoreMode::Presets)) {
    form_.SetCaption(label, LinkCaption(form_.EntryText(kAddressEntry)));
    form_.SetStoreArmed(StoreMode::Presets, false);
    return;
  }
  const std::string address = CaptionAddress(form_.Caption(label));
  if (!address.empty()) Navigate(address);
}

bool BrowserMode::WebLink(const std::string& address) {
  if (!IsOpenableLink(address)) {
    form_.SetCaption(kStatusLabel, "Link not opened: only web and mail addresses open");
    return false;
  }
  return opener_.Open(address);
}

void BrowserMode::LoadStarted() {
  form_.SetLight(kActivityLight, true);
}

void BrowserMode::LoadFinished(LoadEnd end, const std::string& address, const std::string& title) {
  form_.SetLight(kActivityLight, false);
  // A stopped load and the view's own error page leave the address where the user put it;
  // only a page that could not be loaded is said to be missing.
  if (end != LoadEnd::Loaded) {
    if (end == LoadEnd::Failed) form_.SetCaption(kStatusLabel, "Page not available");
    return;
  }
  form_.SetEntryText(kAddressEntry, address);
  ListBox& history = form_.List(FormList::UrlHistory);
  for (std::size_t i = 0; i < history.rows.size(); ++i) {
    if (history.rows[i] != address) continue;
    history.selected = static_cast<int>(i);
    history.Selected();
  }
  form_.SetCaption(kTitleLabel, title);
}

void BrowserMode::StatusText(const std::string& text) {
  form_.SetCaption(kStatusLabel, text);
}

}  // namespace varlo
