#include "platform/RuntimeError.h"

#include <QCoreApplication>

#include <cerrno>
#include <utility>

namespace wexlo {

QString errorDescription(int number)
{
    switch (number) {
        case err::InvalidProcedureCall:
            return QStringLiteral(
                QT_TRANSLATE_NOOP("RuntimeError", "Invalid procedure call or argument"));
        case err::Overflow:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Overflow"));
        case err::OutOfMemory:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Out of memory"));
        case err::SubscriptOutOfRange:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Subscript out of range"));
        case err::DivisionByZero:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Division by zero"));
        case err::TypeMismatch:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Type mismatch"));
        case err::BadFileNameOrNumber:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Bad file name or number"));
        case err::FileNotFound:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "File not found"));
        case err::FileAlreadyOpen:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "File already open"));
        case err::DeviceIOError:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Device I/O error"));
        case err::FileAlreadyExists:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "File already exists"));
        case err::DiskFull:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Disk full"));
        case err::InputPastEndOfFile:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Input past end of file"));
        case err::TooManyFiles:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Too many files"));
        case err::DeviceUnavailable:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Device unavailable"));
        case err::PermissionDenied:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Permission denied"));
        case err::DiskNotReady:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Disk not ready"));
        case err::PathFileAccessError:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Path/File access error"));
        case err::PathNotFound:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Path not found"));
        case err::ObjectNotSet:
            return QStringLiteral(QT_TRANSLATE_NOOP(
                "RuntimeError", "Object variable or With block variable not set"));
        case err::ComponentMissing:
            return QStringLiteral(
                QT_TRANSLATE_NOOP("RuntimeError", "Component not correctly registered"));
        case err::Cancelled:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Cancelled"));
        case err::TransferStillRunning:
            return QStringLiteral(
                QT_TRANSLATE_NOOP("RuntimeError", "Still executing last request"));
        case err::TransferTimedOut:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "Request timed out"));
        case err::TransferUrlMalformed:
            return QStringLiteral(QT_TRANSLATE_NOOP("RuntimeError", "URL is malformed"));
        default:
            return QStringLiteral(
                QT_TRANSLATE_NOOP("RuntimeError", "Application-defined or object-defined error"));
    }
}

QString shownDescription(const QString& description)
{
    return QCoreApplication::translate("RuntimeError", description.toUtf8().constData());
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
