#pragma once

// One window per register: the first start on a folder holds a lock file in it and listens on
// a local socket named after the folder; a later start on the same folder asks that one to
// bring its window to the front and ends. A lock whose program is gone (killed, crashed) is
// taken over, and a lock nobody answers for (its program on another machine sharing the
// folder) never keeps a start from running.

#include <QObject>
#include <QString>

#include <memory>

class QLockFile;
class QSocketNotifier;

namespace wexlo::platform {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this start is the one to run on folder: it then answers later starts. False
    // when a running program holds the folder and has been asked to show its window.
    bool claim(const QString& folder);

    // The socket name for a folder (its canonical path hashed), in the abstract namespace.
    static QByteArray socketName(const QString& folder);

Q_SIGNALS:
    // Another start on the same folder wants this program's window in front.
    void activationRequested();

private:
    bool listen(const QByteArray& name);
    void answer();

    std::unique_ptr<QLockFile> lock_;
    int serverFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace wexlo::platform
