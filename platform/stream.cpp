#include "platform/stream.h"

#include <algorithm>

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

}  // namespace vornelle::platform
