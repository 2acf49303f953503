#include "cd/cddb_lookup.h"

#include <utility>

#include "cd/cddb_protocol.h"
#include "common/numtext.h"

namespace varlo {
namespace {

constexpr const char* kNotFound = "The CD was not found in CDDB database!";

}  // namespace

CddbLookup::CddbLookup(HttpGetter& http, FormAccess& form, const AppSettings& settings)
    : http_(http), form_(form), settings_(settings) {}

void CddbLookup::Label(const std::string& text) const {
  form_.SetCaption(kStatusLabel, text);
}

void CddbLookup::Start(const TrackTable& table, const std::string& discId, Apply apply) {
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
  if (reply.tooLong) return Ended("CDDB error: reply too long");
  if (IsCddbServerError(reply.status)) return ServerError(reply.status);
  Ended("CDDB error:" + NumToText(reply.status));
}

void CddbLookup::ServerError(int status) {
  Ended("CDDB error: server error " + IntToText(status));
}

void CddbLookup::Ended(const std::string& status) {
  stage_ = Stage::Idle;
  apply_ = nullptr;
  Label(status);
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
      Ended("");
      form_.Dialogs().MsgBox("CDDB returned multiple matches...", MsgButtons::Ok, "Varlo");
      return;
    case CddbQueryReply::Kind::NotFound:
    case CddbQueryReply::Kind::Other:
      if (IsCddbServerError(query.status)) return ServerError(query.status);
      return Ended(kNotFound);
  }
}

void CddbLookup::ReadDone(const HttpReply& reply) {
  if (stage_ != Stage::Read) return;
  if (!reply.ok) return Failed(reply);
  const auto titles = ParseCddbRead(reply.body, tracks_);
  if (!titles) {
    const int status = CddbStatus(reply.body);
    if (IsCddbServerError(status)) return ServerError(status);
    return Ended(kNotFound);
  }
  auto apply = std::move(apply_);
  Ended("");
  // Titles the player no longer has a place for (the list changed meanwhile) leave the
  // label to it.
  if (apply && apply(*titles)) Label("Album data loaded.");
}

}  // namespace varlo
