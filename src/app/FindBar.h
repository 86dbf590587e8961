#pragma once

// The find bar under the loans list: what the user types there narrows the list to the loans
// with a shown column that contains it (case and accents aside), and the bar says how many of
// how many loans are shown. Closing it (Escape or its button) shows every loan again.

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace wexlo::platform {
class ListView;
}

namespace wexlo {

class FindBar : public QWidget {
    Q_OBJECT

public:
    FindBar(platform::ListView* list, QWidget* parent);

    QLineEdit* findEdit() const { return findEdit_; }
    QLabel* countLabel() const { return countLabel_; }
    QToolButton* closeButton() const { return closeButton_; }

    // Shows the bar with the focus in its box (its text selected, to type anew).
    void open();
    // Hides the bar and shows every loan; the focus goes back to the list.
    void dismiss();
    // With the bar shown, takes its height from the bottom of the list and sits there.
    void fitUnder();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // The bar was shown or hidden: the window lays itself out again.
    void shownChanged();

private:
    void updateCount();
    void setReachable(bool reachable);

    platform::ListView* list_;
    QLineEdit* findEdit_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QToolButton* closeButton_ = nullptr;
};

}  // namespace wexlo
