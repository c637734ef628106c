#pragma once
// The platform's file and device error numbers, as the engine's code table reads them.
// Linux errno values are translated to these so that messages and exit codes read the same
// on every platform.

namespace vornelle::platform {

enum PlatformError : int {
  kOk = 0,
  kFileNotFound = 2,
  kPathNotFound = 3,
  kTooManyOpenFiles = 4,
  kAccessDenied = 5,
  kInvalidHandle = 6,
  kNotEnoughMemory = 8,
  kWriteProtected = 19,
  kWriteFault = 29,
  kReadFault = 30,
  kGeneralFailure = 31,
  kSharingViolation = 32,
  kLockViolation = 33,
  kDiskFull = 101,
};

// What the failing call was doing: the same errno means different things for a read and a write.
enum class IoOp { Open, Read, Write, Lock, Other };

// Maps an errno value to the platform code. For Open, a missing file whose folder is missing
// too is told apart by the caller (see FileErrorForOpen).
int ErrnoToCode(int err, IoOp op);

}  // namespace vornelle::platform
