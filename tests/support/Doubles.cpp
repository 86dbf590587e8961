#include "support/Doubles.h"

#include "platform/RuntimeError.h"

#include <QCoreApplication>

namespace wexlo::test {

void FakeClock::sleepMs(int ms)
{
    sleeps.append(ms);
    advance(ms / 1000.0);
    if (onSleep)
        onSleep(ms);
}

void FakeClock::advance(double seconds)
{
    monotonic += seconds;
    current = current.addMSecs(static_cast<qint64>(seconds * 1000.0));
}

void CountingEventPump::processEvents()
{
    ++yields;
    if (trace)
        trace->append(QStringLiteral("yield"));
    if (runRealEvents)
        QCoreApplication::processEvents();
}

bool CountingEventPump::hasPendingInput() const
{
    const_cast<CountingEventPump*>(this)->inputChecks++;
    if (trace)
        trace->append(QStringLiteral("check"));
    return pendingInput;
}

platform::MsgAnswer RecordingMessageBox::show(const platform::MessageRequest& request)
{
    shown.append(request);
    if (onShow)
        onShow(request);
    if (!answers.empty()) {
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (request.buttons) {
        case platform::MsgButtons::YesNo:
        case platform::MsgButtons::YesNoCancel:
            return platform::MsgAnswer::No;
        case platform::MsgButtons::RetryCancel:
        case platform::MsgButtons::OkCancel:
            return platform::MsgAnswer::Cancel;
        default:
            return platform::MsgAnswer::Ok;
    }
}

QStringList RecordingMessageBox::texts() const
{
    QStringList t;
    for (const auto& r : shown)
        t.append(r.text);
    return t;
}

bool RecordingShell::open(const QString& address)
{
    if (openThrows)
        raiseError(err::ObjectNotSet);
    opened.append(address);
    return openResult;
}

bool RecordingShell::startProgram(const QString& program, const QStringList& arguments,
                                  const QString& folder)
{
    started.append({program, arguments, folder});
    return startResult;
}

namespace {
class FaultyWriter : public platform::FileWriter {
public:
    FaultyWriter(std::unique_ptr<platform::FileWriter> inner, const int* writeError,
                 const qint64* limit, const int* commitError, int* commits)
        : inner_(std::move(inner)),
          writeError_(writeError ? *writeError : 0),
          limit_(limit ? *limit : -1),
          commitError_(commitError ? *commitError : 0),
          commits_(commits)
    {
    }
    void write(const QByteArray& bytes) override
    {
        if (writeError_ != 0)
            raiseError(writeError_);
        if (limit_ >= 0 && written_ + bytes.size() > limit_) {
            inner_->write(bytes.left(limit_ - written_));
            written_ = limit_;
            raiseError(err::DiskFull);
        }
        inner_->write(bytes);
        written_ += bytes.size();
    }
    void commit() override
    {
        if (commitError_ != 0)
            raiseError(commitError_);
        inner_->commit();
        ++*commits_;
    }

private:
    std::unique_ptr<platform::FileWriter> inner_;
    int writeError_;
    qint64 limit_;
    int commitError_;
    int* commits_;
    qint64 written_ = 0;
};
}  // namespace

QByteArray FaultyFileSystem::readAll(const QString& path)
{
    if (const int* e = find(failRead, path))
        raiseError(*e);
    return FileSystem::readAll(path);
}

std::unique_ptr<platform::FileWriter> FaultyFileSystem::replace(const QString& path,
                                                                platform::FileAccess access)
{
    if (const int* e = find(failOpen, path))
        raiseError(*e);
    return std::make_unique<FaultyWriter>(FileSystem::replace(path, access), find(failWrite, path),
                                          find(writeLimit, path), find(failCommit, path), &commits);
}

std::unique_ptr<platform::FileWriter> FaultyFileSystem::rewrite(const QString& path,
                                                                platform::FileAccess access)
{
    if (const int* e = find(failOpen, path))
        raiseError(*e);
    return std::make_unique<FaultyWriter>(FileSystem::rewrite(path, access), find(failWrite, path),
                                          find(writeLimit, path), find(failCommit, path), &commits);
}

void FaultyFileSystem::append(const QString& path, const QByteArray& bytes)
{
    if (const int* e = find(failAppend, path))
        raiseError(*e);
    FileSystem::append(path, bytes);
}

void FaultyFileSystem::remove(const QString& path)
{
    if (const int* e = find(failRemove, path))
        raiseError(*e);
    FileSystem::remove(path);
}

bool FaultyFileSystem::makeWritable(const QString& path)
{
    if (const bool* refuse = find(refuseWritable, path); refuse && *refuse)
        return false;
    return FileSystem::makeWritable(path);
}

}  // namespace wexlo::test
