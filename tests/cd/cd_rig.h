#pragma once
#include <string>

#include "cd/cd_player.h"
#include "tests/support/fake_form.h"
#include "tests/support/fake_media_device.h"
#include "tests/support/fakes.h"

namespace varlo::testing {

// The player's engine and its CD mode on a form and a clock of the tests', in CD mode, over
// the CD device, drive and HTTP getter a test gives (fakes, or the real backends).
struct CdRig {
  CdRig(IMediaDevice& cdUnit, CdDrive& drive, HttpGetter& http, const std::string& folder)
      : engine(state, list, settings, unit0, cdUnit, clock, form,
               PlayerLinks{media, links.titles, links.tray, relay, links.mixer}),
        cd(form, settings, folder, state, list, engine, drive, http) {
    relay.Attach(cd);
    state.cdMode = true;
    state.playUnit = PlayUnit::CD;
  }

  PlayerState state;
  Playlist list;
  AppSettings settings;
  FakeMediaDevice unit0;
  FakeClock clock;
  FakeForm form;
  NullNowPlaying media;
  NullPlayerLinks links;
  DiscTracksRelay relay;
  PlaybackEngine engine;
  CdPlayer cd;
};

}  // namespace varlo::testing
