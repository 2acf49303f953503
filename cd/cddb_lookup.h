#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cd/disc_toc.h"
#include "common/app_settings.h"
#include "platform/http_get.h"
#include "skin/form_access.h"

namespace varlo {

// The online look-up of a disc's titles: a query with the disc's identifier and offsets and,
// on one exact match, a read of that entry. Progress and outcome go to label 15; the titles
// go to `apply`, which the CD player gives each look-up. All calls run on the GUI thread.
class CddbLookup {
 public:
  static constexpr int kStatusLabel = 15;

  // The stage of the running look-up.
  enum class Stage { Idle, Query, Read };

  CddbLookup(HttpGetter& http, FormAccess& form, const AppSettings& settings);

  // Titles by track index (empty where the entry names none); returns whether they were
  // taken.
  using Apply = std::function<bool(const std::vector<std::string>&)>;

  // Starts looking up disc `discId` with the table `table`; `apply` gets the titles found.
  // A look-up still running is dropped.
  void Start(const TrackTable& table, const std::string& discId, Apply apply);
  // Drops the running look-up: a reply that arrives for it afterwards is not applied.
  void Cancel();

  Stage CurrentStage() const { return stage_; }

 private:
  void QueryDone(const HttpReply& reply);
  void ReadDone(const HttpReply& reply);
  void Failed(const HttpReply& reply);
  void ServerError(int status);
  // The look-up is over; label 15 says `status`.
  void Ended(const std::string& status);
  void Label(const std::string& text) const;

  HttpGetter& http_;
  FormAccess& form_;
  const AppSettings& settings_;
  Stage stage_ = Stage::Idle;
  std::string hello_;
  int tracks_ = 0;
  Apply apply_;
};

}  // namespace varlo
