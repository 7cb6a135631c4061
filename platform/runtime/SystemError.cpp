#include "platform/runtime/SystemError.h"

#include "platform/runtime/RuntimeError.h"

#include <cerrno>

namespace rt {

void raiseFileError(int e, bool reading) {
    switch (e) {
    case ENOENT:
        raise(reading ? err::FileNotFound : err::PathNotFound);
    case ENOTDIR:
        raise(err::PathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
        raise(err::PermissionDenied);
    case ENOSPC:
    case EDQUOT:
        raise(err::DiskFull);
    default:
        raise(err::PathFileAccess);
    }
}

void raiseWriteError(int e) {
    raise(e == ENOSPC || e == EDQUOT ? err::DiskFull : err::DeviceIoError);
}

} // namespace rt
