// The picture the player shows when an entry has no cover of its own.
#pragma once

#include <QImage>

namespace skingen {

// A record with a note on its label, on the skin's slate, `size` pixels square and
// without an alpha channel.
QImage NoCoverPicture(int size = 200);

}  // namespace skingen
