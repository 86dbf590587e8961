#include "platform/RuntimeError.h"

#include <cerrno>
#include <utility>

namespace wexlo {

QString errorDescription(int number)
{
    switch (number) {
        case err::InvalidProcedureCall:
            return QStringLiteral("Invalid procedure call or argument");
        case err::Overflow:
            return QStringLiteral("Overflow");
        case err::OutOfMemory:
            return QStringLiteral("Out of memory");
        case err::SubscriptOutOfRange:
            return QStringLiteral("Subscript out of range");
        case err::DivisionByZero:
            return QStringLiteral("Division by zero");
        case err::TypeMismatch:
            return QStringLiteral("Type mismatch");
        case err::BadFileNameOrNumber:
            return QStringLiteral("Bad file name or number");
        case err::FileNotFound:
            return QStringLiteral("File not found");
        case err::FileAlreadyOpen:
            return QStringLiteral("File already open");
        case err::DeviceIOError:
            return QStringLiteral("Device I/O error");
        case err::FileAlreadyExists:
            return QStringLiteral("File already exists");
        case err::DiskFull:
            return QStringLiteral("Disk full");
        case err::InputPastEndOfFile:
            return QStringLiteral("Input past end of file");
        case err::TooManyFiles:
            return QStringLiteral("Too many files");
        case err::DeviceUnavailable:
            return QStringLiteral("Device unavailable");
        case err::PermissionDenied:
            return QStringLiteral("Permission denied");
        case err::DiskNotReady:
            return QStringLiteral("Disk not ready");
        case err::PathFileAccessError:
            return QStringLiteral("Path/File access error");
        case err::PathNotFound:
            return QStringLiteral("Path not found");
        case err::ObjectNotSet:
            return QStringLiteral("Object variable or With block variable not set");
        case err::ComponentMissing:
            return QStringLiteral("Component not correctly registered");
        case err::Cancelled:
            return QStringLiteral("Cancelled");
        case err::TransferStillRunning:
            return QStringLiteral("Still executing last request");
        case err::TransferTimedOut:
            return QStringLiteral("Request timed out");
        case err::TransferUrlMalformed:
            return QStringLiteral("URL is malformed");
        default:
            return QStringLiteral("Application-defined or object-defined error");
    }
}

int errorFromErrno(int e)
{
    switch (e) {
        case ENOENT:
            return err::FileNotFound;
        case ENOTDIR:
            return err::PathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return err::PermissionDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return err::DiskFull;
        case EMFILE:
        case ENFILE:
            return err::TooManyFiles;
        case EIO:
            return err::DeviceIOError;
        case EEXIST:
            return err::FileAlreadyExists;
        case EISDIR:
        case EBUSY:
        case ETXTBSY:
            return err::PathFileAccessError;
        case ENOMEM:
            return err::OutOfMemory;
        case ENAMETOOLONG:
        case EINVAL:
            return err::BadFileNameOrNumber;
        default:
            return 0;
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, errorDescription(number)) {}

RuntimeError::RuntimeError(int number, QString description)
    : number_(number), description_(std::move(description)), what_(message().toUtf8())
{
}

QString RuntimeError::message() const
{
    return description_ + QLatin1Char('(') + QString::number(number_) + QLatin1Char(')');
}

const char* RuntimeError::what() const noexcept { return what_.constData(); }

void raiseError(int number) { throw RuntimeError(number); }

void raiseError(int number, const QString& description) { throw RuntimeError(number, description); }

void raiseErrno(int errnoValue, int fallback)
{
    const int n = errorFromErrno(errnoValue);
    throw RuntimeError(n != 0 ? n : fallback);
}

}  // namespace wexlo
