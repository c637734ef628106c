#include "platform/error_codes.h"

#include <cerrno>

namespace vornelle::platform {

int ErrnoToCode(int err, IoOp op) {
  switch (err) {
    case 0: return kOk;
    case ENOENT: return kFileNotFound;
    case ENOTDIR: return kPathNotFound;
    case EMFILE:
    case ENFILE: return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR: return kAccessDenied;
    case EBADF: return kInvalidHandle;
    case ENOMEM: return kNotEnoughMemory;
    case EROFS: return kWriteProtected;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return kDiskFull;
    case EWOULDBLOCK:
      return op == IoOp::Lock ? kLockViolation : kSharingViolation;
    case EIO:
      return op == IoOp::Read ? kReadFault : kWriteFault;
    default:
      if (op == IoOp::Read) return kReadFault;
      if (op == IoOp::Write) return kWriteFault;
      return kGeneralFailure;
  }
}

}  // namespace vornelle::platform
