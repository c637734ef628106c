// Files: share modes between opens, byte-range locks that belong to the open, and the codes
// the platform reports.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error_codes.h"
#include "platform/file.h"
#include "platform/locale.h"
#include "tests/support/open_in_time.h"
#include "tests/support/test_support.h"

namespace vornelle::platform {
namespace {

using namespace mode;

class Files : public ::testing::Test {
 protected:
  void SetUp() override { testing::WriteFileBytes(path_, std::string(100, 'x')); }
  testing::TempDir dir_;
  std::string path_ = dir_.File("f.bin");
};

TEST_F(Files, ShareModes) {
  File shared, other, exclusive;
  ASSERT_EQ(shared.Open(path_, kReadWrite | kDenyNone), kOk);
  EXPECT_EQ(other.Open(path_, kReadOnly | kShareCompat), kOk);
  EXPECT_EQ(exclusive.Open(path_, kReadWrite | kDenyAll), kSharingViolation);
  shared.Close();
  other.Close();
  ASSERT_EQ(exclusive.Open(path_, kReadWrite | kDenyAll), kOk);
  EXPECT_EQ(shared.Open(path_, kReadOnly | kDenyNone), kSharingViolation);
  EXPECT_EQ(other.Create(path_), kSharingViolation);  // no truncating what another holds
}

TEST_F(Files, RangeLocksBelongToTheOpen) {
  File a, b;
  ASSERT_EQ(a.Open(path_, kReadWrite | kDenyNone), kOk);
  ASSERT_EQ(b.Open(path_, kReadWrite | kDenyNone), kOk);
  EXPECT_EQ(a.LockRange(0x40000000, 10), kOk);
  EXPECT_EQ(b.LockRange(0x40000005, 1), kLockViolation);
  EXPECT_EQ(b.LockRange(0x4000000A, 1), kOk);  // just past a's range
  {
    File c;
    ASSERT_EQ(c.Open(path_, kReadOnly | kDenyNone), kOk);
  }  // closing another open of the file keeps a's lock
  EXPECT_EQ(b.LockRange(0x40000000, 1), kLockViolation);
  EXPECT_EQ(a.UnlockRange(0x40000000, 10), kOk);
  EXPECT_EQ(b.LockRange(0x40000000, 1), kOk);
}

TEST_F(Files, ReadsWritesAndSizes) {
  File f;
  ASSERT_EQ(f.Open(path_, kReadWrite | kDenyNone), kOk);
  std::size_t done = 0;
  char buffer[200];
  EXPECT_EQ(f.ReadAt(90, buffer, 50, &done), kOk);
  EXPECT_EQ(done, 10u);  // a short read at the end is not an error
  EXPECT_EQ(f.WriteAt(150, "end", 3, &done), kOk);
  int64_t size = 0;
  EXPECT_EQ(f.Size(&size), kOk);
  EXPECT_EQ(size, 153);
  EXPECT_EQ(f.Truncate(100), kOk);
  File read_only;
  ASSERT_EQ(read_only.Open(path_, kReadOnly | kDenyNone), kOk);
  EXPECT_EQ(read_only.WriteAt(0, "x", 1, &done), kAccessDenied);
}

TEST_F(Files, FaultInjectionFailsPartWay) {
  File f;
  ASSERT_EQ(f.Open(path_, kReadWrite | kDenyNone), kOk);
  faults::FailNthWrite(2, kDiskFull, 2);
  std::size_t done = 0;
  EXPECT_EQ(f.WriteAt(0, "abcd", 4, &done), kOk);
  EXPECT_EQ(f.WriteAt(0, "wxyz", 4, &done), kDiskFull);
  EXPECT_EQ(done, 2u);
  EXPECT_EQ(testing::ReadFileBytes(path_).substr(0, 4), "wxcd");
  faults::Clear();
}

// Only regular files open: a FIFO, device or folder is refused at once, whatever the mode (a FIFO
// opened for reading or writing only would wait for its other end).
TEST_F(Files, OnlyRegularFilesOpen) {
  ASSERT_EQ(mkfifo(dir_.File("fifo").c_str(), 0644), 0);
  ASSERT_EQ(mkdir(dir_.File("folder").c_str(), 0755), 0);
  ASSERT_EQ(symlink("/dev/zero", dir_.File("zero").c_str()), 0);
  for (const char* name : {"fifo", "folder", "zero"}) {
    const std::string path = dir_.File(name);
    for (uint8_t access : {kReadOnly, kWriteOnly, kReadWrite}) {
      SCOPED_TRACE(std::string(name) + " mode " + std::to_string(access));
      File f;
      EXPECT_EQ(testing::OpenInTime([&] { return f.Open(path, access | kDenyNone); }, {path}),
                kAccessDenied);
      EXPECT_FALSE(f.IsOpen());
    }
    SCOPED_TRACE(name);
    File created;
    EXPECT_EQ(created.Create(path), kAccessDenied);
  }
}

TEST(ErrorCodes, ErrnoMapsToPlatformCodes) {
  EXPECT_EQ(ErrnoToCode(ENOENT, IoOp::Open), kFileNotFound);
  EXPECT_EQ(ErrnoToCode(EACCES, IoOp::Open), kAccessDenied);
  EXPECT_EQ(ErrnoToCode(EMFILE, IoOp::Open), kTooManyOpenFiles);
  EXPECT_EQ(ErrnoToCode(ENOSPC, IoOp::Write), kDiskFull);
  EXPECT_EQ(ErrnoToCode(EIO, IoOp::Read), kReadFault);
  EXPECT_EQ(ErrnoToCode(EIO, IoOp::Write), kWriteFault);
  EXPECT_EQ(ErrnoToCode(EROFS, IoOp::Open), kWriteProtected);
  File f;
  EXPECT_EQ(f.Open("/nonexistent-folder/x.dbf", kReadOnly), kPathNotFound);
}

TEST(Locale, DateFormatsBecomeLetterPatterns) {
  EXPECT_EQ(PatternFromStrftime("%m/%d/%y").pattern, "MM/dd/yy");
  ShortDateFormat german = PatternFromStrftime("%d.%m.%Y");
  EXPECT_EQ(german.pattern, "dd.MM.yyyy");
  EXPECT_EQ(german.separator, '.');
  ShortDateFormat iso = PatternFromStrftime("%F");
  EXPECT_EQ(iso.pattern, "yyyy-MM-dd");
  EXPECT_EQ(iso.separator, '-');
  EXPECT_EQ(PatternFromStrftime("%e/%m/%Y").pattern, "d/MM/yyyy");
  CalendarDate today = Today();
  EXPECT_GE(today.year, 2024);
  EXPECT_TRUE(today.month >= 1 && today.month <= 12);
}

}  // namespace
}  // namespace vornelle::platform
