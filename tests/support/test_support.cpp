#include "tests/support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vornelle::testing {

TempDir::TempDir() : TempDir(std::string()) {}

TempDir::TempDir(const std::string& folder) {
  std::error_code error;
  const bool given = !folder.empty() && std::filesystem::is_directory(folder, error);
  std::string pattern =
      ((given ? std::filesystem::path(folder) : std::filesystem::temp_directory_path()) / "vornelle-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = buffer.data();
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string RawTable::Bytes() const {
  bool level7 = version == 0x04 || version == 0x8C;
  std::size_t width = level7 ? 48 : 32;
  std::size_t first = level7 ? 68 : 32;
  const bool vfp = version >= 0x30 && version <= 0x32;
  std::size_t header_length = first + width * fields.size() + 1 + (vfp ? 263 : 0);
  std::size_t record_length = 1;
  for (const RawField& f : fields) record_length += f.length;
  std::string h(header_length, '\0');
  auto put16 = [&](std::size_t at, uint32_t v) {
    h[at] = static_cast<char>(v & 0xFF);
    h[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  uint32_t count = header_count >= 0 ? static_cast<uint32_t>(header_count)
                                     : static_cast<uint32_t>(records.size());
  h[0] = static_cast<char>(version);
  h[1] = 124, h[2] = 1, h[3] = 2;  // 2024-01-02
  put16(4, count & 0xFFFF);
  put16(6, count >> 16);
  put16(8, static_cast<uint32_t>(header_length));
  put16(10, static_cast<uint32_t>(record_length));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::size_t at = first + width * i;
    h.replace(at, fields[i].name.size(), fields[i].name);
    std::size_t type_at = level7 ? 32 : 11;
    h[at + type_at] = fields[i].type;
    h[at + type_at + (level7 ? 1 : 5)] = static_cast<char>(fields[i].length);
    h[at + type_at + (level7 ? 2 : 6)] = static_cast<char>(fields[i].decimals);
    if (!level7) h[at + 18] = static_cast<char>(fields[i].flags);
  }
  h[first + width * fields.size()] = 0x0D;
  for (const RawField& f : fields)
    if (vfp && f.type == 'M') h[28] = 0x02;  // the table has a memo file
  for (const std::string& r : records) {
    std::string row = r;
    row.resize(record_length, ' ');
    h += row;
  }
  if (end_mark) h += '\x1A';
  return h;
}

void RawTable::WriteTo(const std::string& path) const { WriteFileBytes(path, Bytes()); }

void EngineTest::SetUp() {
  engine::ResetEngine();
  engine::SetAutoCheck(true);
  engine::SetRaise(true);
}

void EngineTest::TearDown() {
  engine::ResetEngine();
}

std::string ContextOf(const std::string& message) {
  std::size_t at = message.find("\r\n");
  return at == std::string::npos ? message : message.substr(at + 2);
}

}  // namespace vornelle::testing
