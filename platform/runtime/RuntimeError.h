#pragma once
// The one run-time error type of the system: a classic error number and its
// Spanish description. Every error that a handler of the system may catch is
// thrown as this type.
#include <exception>
#include <string>

namespace rt {

// Classic error numbers used across the system.
namespace err {
constexpr int InvalidProcedureCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int LibraryNotLoaded = 48;
constexpr int BadFileNumber = 52;
constexpr int FileNotFound = 53;
constexpr int BadFileMode = 54;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIoError = 57;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int ObjectNotSet = 91;
constexpr int InvalidUseOfNull = 94;
constexpr int EntryPointNotFound = 453;
constexpr int CancelSelected = 32755; // the open-file dialog was cancelled
constexpr int RegexSyntax = 5017;     // a regular expression that does not compile
constexpr int NoCurrentRecord = 3021;
constexpr int InvalidPassword = 3031;
constexpr int CannotOpenDatabase = 3049; // damaged or not a database of this engine
constexpr int DatabaseLockedOrReadOnly = 3051;
constexpr int SqlSyntax = 3075;
constexpr int TableNotFound = 3078;
constexpr int ItemNotFound = 3265; // no column of that name
constexpr int UnrecognizedFormat = 3343;
} // namespace err

class RuntimeError : public std::exception {
public:
    // Description taken from the system's table.
    explicit RuntimeError(int number);
    RuntimeError(int number, std::string description);

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    int number_;
    std::string description_;
};

// The Spanish description of an error number; a generic text for numbers
// without an entry.
std::string errorDescription(int number);

[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, const std::string& description);

} // namespace rt
