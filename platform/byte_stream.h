#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace varlo {

// A read-only, seekable run of bytes the media engine plays as if it were a file (the sectors
// of a disc, for one). The engine calls it from its own reading thread, one call at a time.
class ByteStream {
 public:
  virtual ~ByteStream() = default;
  // Copies up to `size` bytes from the current offset into `buffer` and moves past them;
  // returns the count, 0 at the end, -1 on a read error.
  virtual std::int64_t Read(char* buffer, std::uint64_t size) = 0;
  // Moves to `offset` from the start; returns it, or -1 when it lies outside the stream.
  virtual std::int64_t Seek(std::int64_t offset) = 0;
  // The stream's length in bytes.
  virtual std::int64_t Size() const = 0;
  // Called from another thread to make a read waiting on slow media give up; the default has
  // nothing to interrupt.
  virtual void Cancel() {}
};

// Opens the stream an address names ("varlocd://disc"); null when it cannot be opened.
// Called on the engine's threads: it must be thread-safe.
using ByteStreamOpener = std::function<std::unique_ptr<ByteStream>(const std::string& address)>;

// A kind of address ("varlocd" for "varlocd://...") and what opens its streams.
struct StreamProtocol {
  std::string name;
  ByteStreamOpener open;
};

}  // namespace varlo
