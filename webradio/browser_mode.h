#pragma once
#include <array>
#include <string>
#include <vector>

#include "common/write_status.h"
#include "platform/web_view.h"
#include "shell/mode.h"
#include "skin/form_access.h"

namespace varlo {

// The web browser as a mode of the main window: the browser commands 101-105, the address
// entry (text entry 2) and its history "url-list.txt" in the address box, the ten link
// buttons 110-119 with their captions on labels 50-59, and the skin's web links 1011-1020,
// which open in the desktop's own handler. Labels 45 and 46 show the page title and the
// status text; the activity light is on while a page loads.
class BrowserMode final : public Mode, private WebViewListener {
 public:
  // `links` is the skin's link table; slots 11-20 hold the web links.
  BrowserMode(FormAccess& form, std::string programFolder, IWebView& web, ILinkOpener& opener,
              const std::array<std::string, 21>& links);
  ~BrowserMode() override;

  void Load() override;
  void DoIt(int code) override;
  bool EntryKey(int entry, int key) override;

  // Navigates to an address typed or chosen in the address entry or box.
  void SetURL(const std::string& typed);
  // Hands `address` to the desktop; only http, https and mailto addresses are opened.
  bool WebLink(const std::string& address);

  const std::vector<std::string>& History() { return form_.List(FormList::UrlHistory).rows; }

  static constexpr int kTitleLabel = 45, kStatusLabel = 46, kFirstCaption = 50;
  static constexpr int kActivityLight = 1;
  static constexpr int kAddressEntry = 2;

 private:
  // WebViewListener.
  void LoadStarted() override;
  void LoadFinished(LoadEnd end, const std::string& address, const std::string& title) override;
  void StatusText(const std::string& text) override;

  void Navigate(const std::string& address);
  void Home();
  void LinkButton(int n);
  void Remember(const std::string& address);

  FormAccess& form_;
  std::string programFolder_;
  IWebView& web_;
  ILinkOpener& opener_;
  const std::array<std::string, 21>& links_;
  WriteFailureNotice saveNotice_;
};

}  // namespace varlo
