#pragma once

#include <QString>

#include <exception>

namespace wexlo {

// The program's numbered run-time errors. Every failure of the OS, Qt or libcurl that a
// procedure's error handler may see is turned into one of these, so that the log always
// reads "description(number)".
namespace err {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIOError = 57;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int TooManyFiles = 67;
inline constexpr int DeviceUnavailable = 68;
inline constexpr int PermissionDenied = 70;
inline constexpr int DiskNotReady = 71;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int ComponentMissing = 339;
inline constexpr int Cancelled = 24000;
// Transfer errors (the numbers the internet transfer reports).
inline constexpr int TransferStillRunning = 35764;
inline constexpr int TransferTimedOut = 35761;
inline constexpr int TransferUrlMalformed = 35756;
}  // namespace err

// The description of a numbered error, e.g. 61 -> "Disk full". Unknown numbers give
// "Application-defined or object-defined error".
QString errorDescription(int number);
// A description as a message shows it: in the user's language when it is one of the numbered
// ones (the log keeps the English).
QString shownDescription(const QString& description);

// The error number for a C library errno value (ENOSPC -> 61, EACCES -> 70, ...).
int errorFromErrno(int errnoValue);

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, QString description);

    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    // "description(number)", the form every error handler logs.
    QString message() const;
    const char* what() const noexcept override;

private:
    int number_;
    QString description_;
    QByteArray what_;
};

[[noreturn]] void raiseError(int number);
[[noreturn]] void raiseError(int number, const QString& description);
// Raises the error that matches errno (or the given fallback when errno says nothing).
[[noreturn]] void raiseErrno(int errnoValue, int fallback = err::PathFileAccessError);

}  // namespace wexlo
