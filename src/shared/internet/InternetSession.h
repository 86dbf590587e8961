#pragma once

// The program's way to the network: one hidden transfer window per instance, simple
// operations forwarded to it, and fetchFile, a download that waits for its outcome.

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

namespace wexlo {

class TransferWindow;

class InternetSession : public QObject {
    Q_OBJECT
public:
    explicit InternetSession(QObject* parent = nullptr);
    ~InternetSession() override;

    void applyProxy();
    void cancel();
    // Downloads url into fileName and waits for the outcome: true when the file arrived whole.
    // A failed or cancelled download leaves no file behind.
    bool fetchFile(const QString& url, const QString& fileName, bool wantSize,
                   bool showOnlyDownloadAndErrors, bool showOnlyErrors);
    std::int32_t expectedFileSize() const;
    QString fetchText(const QString& url, bool showStatus);
    bool isTransferring() const;

    TransferWindow* window() const { return window_.get(); }

Q_SIGNALS:
    void statusChanged(const QString& text);
    void progressChanged(float percent, const QString& text);
    void receiving();
    void noInternet();

private:
    std::unique_ptr<TransferWindow> window_;
    bool cancelled_ = false;
    bool finished_ = false;
    bool failed_ = false;
};

}  // namespace wexlo
