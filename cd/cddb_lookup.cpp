#include "cd/cddb_lookup.h"

#include <utility>

#include "cd/cddb_protocol.h"
#include "common/numtext.h"

namespace varlo {

CddbLookup::CddbLookup(HttpGetter& http, FormAccess& form, const AppSettings& settings)
    : http_(http), form_(form), settings_(settings) {}

void CddbLookup::Label(const std::string& text) const {
  form_.SetCaption(kStatusLabel, text);
}

void CddbLookup::Start(const TrackTable& table, const std::string& discId,
                       std::function<void(const std::vector<std::string>&)> apply) {
  Cancel();
  const std::optional<std::string> hello = CddbHello(settings_.emailID);
  if (!hello) {
    form_.Dialogs().MsgBox("User ID is incorrect!", MsgButtons::Ok, "Varlo");
    return;
  }
  hello_ = *hello;
  tracks_ = table.Count();
  apply_ = std::move(apply);
  stage_ = Stage::Query;
  Label("Looking for Album on CDDB server...");
  http_.Get(
      CddbQueryAddress(settings_.cddbCmd, discId, CddbOffsets(table), table.totLenSeconds, hello_),
      [this](const HttpReply& reply) { QueryDone(reply); });
}

void CddbLookup::Cancel() {
  if (stage_ == Stage::Idle) return;
  http_.Cancel();
  stage_ = Stage::Idle;
  apply_ = nullptr;
}

void CddbLookup::Failed(const HttpReply& reply) {
  stage_ = Stage::Idle;
  apply_ = nullptr;
  Label("CDDB error:" + NumToText(reply.status));
}

void CddbLookup::QueryDone(const HttpReply& reply) {
  if (stage_ != Stage::Query) return;
  if (!reply.ok) return Failed(reply);
  const CddbQueryReply query = ParseCddbQuery(reply.body);
  switch (query.kind) {
    case CddbQueryReply::Kind::Exact:
      stage_ = Stage::Read;
      Label("Retrieving album from CDDB...");
      // The server's own category and identifier name the entry to read.
      http_.Get(CddbReadAddress(settings_.cddbCmd, query.category, query.discId, hello_),
                [this](const HttpReply& next) { ReadDone(next); });
      return;
    case CddbQueryReply::Kind::Multiple:
      stage_ = Stage::Idle;
      apply_ = nullptr;
      Label("");
      form_.Dialogs().MsgBox("CDDB returned multiple matches...", MsgButtons::Ok, "Varlo");
      return;
    case CddbQueryReply::Kind::NotFound:
    case CddbQueryReply::Kind::Other:
      stage_ = Stage::Idle;
      apply_ = nullptr;
      Label("The CD was not found in CDDB database!");
      return;
  }
}

void CddbLookup::ReadDone(const HttpReply& reply) {
  if (stage_ != Stage::Read) return;
  if (!reply.ok) return Failed(reply);
  const auto titles = ParseCddbRead(reply.body, tracks_);
  auto apply = std::move(apply_);
  apply_ = nullptr;
  stage_ = Stage::Idle;
  if (!titles) {
    Label("The CD was not found in CDDB database!");
    return;
  }
  if (apply) apply(*titles);
  Label("Album data loaded.");
}

}  // namespace varlo
