#include "platform/mpv/mpv_stream_protocol.h"

#include <mpv/stream_cb.h>

#include "platform/mpv/mpv_library.h"

namespace varlo {
namespace {

ByteStream* StreamOf(void* cookie) {
  return static_cast<ByteStream*>(cookie);
}

std::int64_t Read(void* cookie, char* buffer, std::uint64_t size) {
  return StreamOf(cookie)->Read(buffer, size);
}

std::int64_t Seek(void* cookie, std::int64_t offset) {
  const std::int64_t at = StreamOf(cookie)->Seek(offset);
  return at < 0 ? std::int64_t{MPV_ERROR_GENERIC} : at;
}

std::int64_t Size(void* cookie) {
  return StreamOf(cookie)->Size();
}

void Close(void* cookie) {
  delete StreamOf(cookie);
}

void Cancel(void* cookie) {
  StreamOf(cookie)->Cancel();
}

int Open(void* userData, char* uri, mpv_stream_cb_info* info) {
  const auto* protocol = static_cast<const StreamProtocol*>(userData);
  std::unique_ptr<ByteStream> stream = protocol->open(uri);
  if (!stream) return MPV_ERROR_LOADING_FAILED;
  info->cookie = stream.release();
  info->read_fn = &Read;
  info->seek_fn = &Seek;
  info->size_fn = &Size;
  info->close_fn = &Close;
  info->cancel_fn = &Cancel;
  return 0;
}

}  // namespace

bool AddStreamProtocol(const MpvLibrary& mpv, mpv_handle* handle, const StreamProtocol& protocol) {
  if (mpv.streamCbAddRo == nullptr || !protocol.open) return false;
  return mpv.streamCbAddRo(handle, protocol.name.c_str(), const_cast<StreamProtocol*>(&protocol),
                           &Open) >= 0;
}

}  // namespace varlo
