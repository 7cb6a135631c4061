#pragma once
// The classic run-time errors for failed file operations of the system.
namespace rt {

// A failed open or file operation: a missing file 53 when it was to be read,
// a missing folder 76, refused 70, disk full 61, anything else 75.
[[noreturn]] void raiseFileError(int errnoValue, bool reading = false);
// A failed write: disk full 61, anything else 57.
[[noreturn]] void raiseWriteError(int errnoValue);

} // namespace rt
