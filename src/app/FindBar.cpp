#include "app/FindBar.h"

#include "platform/ListView.h"
#include "platform/Platform.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

namespace wexlo {

FindBar::FindBar(platform::ListView* list, QWidget* parent) : QWidget(parent), list_(list)
{
    setObjectName(QStringLiteral("findBar"));
    setAccessibleName(tr("Find"));
    auto* label = new QLabel(tr("Fi&nd:"), this);
    label->setObjectName(QStringLiteral("findCaption"));
    findEdit_ = new QLineEdit(this);
    findEdit_->setObjectName(QStringLiteral("findEdit"));
    findEdit_->setAccessibleName(tr("Find"));
    label->setBuddy(findEdit_);
    countLabel_ = new QLabel(this);
    countLabel_->setObjectName(QStringLiteral("findCount"));
    closeButton_ = new QToolButton(this);
    closeButton_->setObjectName(QStringLiteral("closeFindButton"));
    closeButton_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton_->setToolTip(tr("Close the find bar"));
    closeButton_->setAccessibleName(tr("Close Find Bar"));
    closeButton_->setAutoRaise(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);
    row->addWidget(label);
    row->addWidget(findEdit_, 1);
    row->addWidget(countLabel_);
    row->addWidget(closeButton_);

    connect(findEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        list_->setFindText(text);
        updateCount();
    });
    connect(closeButton_, &QToolButton::clicked, this, &FindBar::dismiss);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::dismiss);
    // Loans added, deleted or brought back change the count.
    const QAbstractItemModel* shown = list_->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(shown, signal, this, [this] { updateCount(); });
    connect(shown, &QAbstractItemModel::modelReset, this, [this] { updateCount(); });
    connect(shown, &QAbstractItemModel::layoutChanged, this, [this] { updateCount(); });
    findEdit_->installEventFilter(this);
    hide();
    setReachable(false);
}

void FindBar::setReachable(bool reachable)
{
    // A hidden bar takes no part in the window's keyboard order.
    findEdit_->setFocusPolicy(reachable ? Qt::StrongFocus : Qt::NoFocus);
    closeButton_->setFocusPolicy(reachable ? Qt::TabFocus : Qt::NoFocus);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    // Escape in the box closes the bar (the box would otherwise keep the key to itself).
    if (watched == findEdit_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        dismiss();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FindBar::open()
{
    const bool wasHidden = isHidden();
    // The box's clear button looks up its icon in the desktop's theme, which cost every start-up
    // a few milliseconds while the bar was built hidden; it is put in when the bar first opens.
    findEdit_->setClearButtonEnabled(true);
    setReachable(true);
    show();
    list_->prepareFind();
    list_->setFindText(findEdit_->text());
    updateCount();
    if (wasHidden)
        Q_EMIT shownChanged();
    findEdit_->setFocus(Qt::ShortcutFocusReason);
    findEdit_->selectAll();
}

void FindBar::dismiss()
{
    list_->endFind();
    const bool had = hasFocus() || isAncestorOf(QApplication::focusWidget());
    hide();
    setReachable(false);
    Q_EMIT shownChanged();
    if (had)
        list_->setFocus(Qt::OtherFocusReason);
}

void FindBar::fitUnder()
{
    if (isHidden())
        return;
    const QRect g = list_->geometry();
    const int h = std::min(sizeHint().height(), std::max(0, g.height() - 1));
    list_->setGeometry(g.x(), g.y(), g.width(), g.height() - h);
    setGeometry(g.x(), g.y() + g.height() - h, g.width(), h);
}

void FindBar::updateCount()
{
    if (isHidden())
        return;
    const QLocale locale = platform::locale().locale();
    const int total = list_->unfoundCount();
    countLabel_->setText(tr("%1 of %2 loan(s)", nullptr, total)
                             .arg(locale.toString(list_->count()), locale.toString(total)));
}

}  // namespace wexlo
