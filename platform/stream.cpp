#include "platform/stream.h"

#include <algorithm>
#include <cstring>

#include "platform/exception.h"

namespace vornelle::platform {

int32_t TStream::Size() {
  const int32_t position = Position();
  const int32_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

std::string TStream::ReadAll() {
  std::string out;
  char chunk[8192];
  int32_t n;
  while ((n = Read(chunk, sizeof chunk)) > 0) out.append(chunk, static_cast<std::size_t>(n));
  return out;
}

void TStream::WriteAll(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto piece = static_cast<int32_t>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    const int32_t n = Write(bytes.data() + done, piece);
    if (n <= 0) throw EInOutError("Stream write error", 29);
    done += static_cast<std::size_t>(n);
  }
}

int32_t TStringStream::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const std::size_t n = std::min(static_cast<std::size_t>(count), text_.size() - position_);
  std::memcpy(buffer, text_.data() + position_, n);
  position_ += n;
  return static_cast<int32_t>(n);
}

int32_t TStringStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const auto n = static_cast<std::size_t>(count);
  text_.replace(position_, std::min(n, text_.size() - position_), static_cast<const char*>(buffer), n);
  position_ += n;
  return count;
}

int32_t TStringStream::Seek(int32_t offset, TSeekOrigin origin) {
  const int64_t base = origin == soBeginning ? 0
                       : origin == soCurrent ? static_cast<int64_t>(position_)
                                             : static_cast<int64_t>(text_.size());
  position_ = static_cast<std::size_t>(
      std::clamp<int64_t>(base + offset, 0, static_cast<int64_t>(text_.size())));
  return static_cast<int32_t>(position_);
}

}  // namespace vornelle::platform
