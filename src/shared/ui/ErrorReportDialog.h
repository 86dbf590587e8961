#pragma once

// The error report dialog: shows a failure and the log, takes the user's comments, previews
// the report in the desktop's text editor or hands it to the mail client as a mailto: link.

#include <QDialog>
#include <QString>

class QCloseEvent;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace wexlo {

class ErrorReportDialog : public QDialog {
    Q_OBJECT

public:
    explicit ErrorReportDialog(QWidget* parent = nullptr);

    // Shows the message and the log, and returns when the user has left the dialog.
    void showError(const QString& message, const QString& helpTopic);

    // "Error Report: Wexlo 1.0.8, <system name>", the first line of both reports.
    static QString reportHeading();
    // Escapes "%", "?", "&", "#" and turns every line break into "%0D%0A".
    static QString encodeForMail(const QString& text);
    // Cuts a mail body to at most limit characters without splitting an escape.
    static QString cutMailBody(const QString& body, int limit = kMailLimit);

    // The text written to fulllog.txt by the preview.
    QString reportText() const;
    // The link handed to the mail client.
    QString mailtoLink() const;
    // The same link from the details (comments and error) and the log as the boxes give them,
    // with CR LF line ends.
    static QString mailtoLinkFor(const QString& details, const QString& logText);

    static constexpr int kMailLimit = 400;

public Q_SLOTS:
    // Escape leaves the dialog like Exit, so a dialog waited for without modality ends too.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Shows the dialog modally. Raises error 401 or 402 when no modal window may be shown now;
    // showError then shows it without modality and waits.
    virtual void showModal();

private:
    void loadLog();
    void showComments();
    void showLog();
    void previewReport();
    void emailReport();
    void showHelp();
    void leave();
    void markCommentsChanged();

    QLabel* headingLabel_ = nullptr;
    QGroupBox* errorBox_ = nullptr;
    QPlainTextEdit* errorEdit_ = nullptr;
    QGroupBox* logBox_ = nullptr;
    QPlainTextEdit* logEdit_ = nullptr;
    QGroupBox* commentsBox_ = nullptr;
    QPlainTextEdit* commentsEdit_ = nullptr;
    QPushButton* showCommentsButton_ = nullptr;
    QPushButton* viewLogButton_ = nullptr;
    QPushButton* viewReportButton_ = nullptr;
    QPushButton* emailButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;

    bool commentsChanged_ = false;
    bool closed_ = false;
    QString helpTopic_;
};

}  // namespace wexlo
