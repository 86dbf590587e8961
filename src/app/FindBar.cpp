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
    setObjectName(QStringLiteral("FindBar"));
    setAccessibleName(QStringLiteral("Find"));
    auto* label = new QLabel(QStringLiteral("Fi&nd:"), this);
    label->setObjectName(QStringLiteral("lblFind"));
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setAccessibleName(QStringLiteral("Find"));
    label->setBuddy(txtFind);
    lblFindCount = new QLabel(this);
    lblFindCount->setObjectName(QStringLiteral("lblFindCount"));
    cmdFindClose = new QToolButton(this);
    cmdFindClose->setObjectName(QStringLiteral("cmdFindClose"));
    cmdFindClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    cmdFindClose->setToolTip(QStringLiteral("Close the find bar"));
    cmdFindClose->setAccessibleName(QStringLiteral("Close Find Bar"));
    cmdFindClose->setAutoRaise(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);
    row->addWidget(label);
    row->addWidget(txtFind, 1);
    row->addWidget(lblFindCount);
    row->addWidget(cmdFindClose);

    connect(txtFind, &QLineEdit::textChanged, this, [this](const QString& text) {
        list_->setFindText(text);
        updateCount();
    });
    connect(cmdFindClose, &QToolButton::clicked, this, &FindBar::dismiss);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::dismiss);
    // Loans added, deleted or brought back change the count.
    const QAbstractItemModel* shown = list_->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(shown, signal, this, [this] { updateCount(); });
    connect(shown, &QAbstractItemModel::modelReset, this, [this] { updateCount(); });
    connect(shown, &QAbstractItemModel::layoutChanged, this, [this] { updateCount(); });
    txtFind->installEventFilter(this);
    hide();
    setReachable(false);
}

void FindBar::setReachable(bool reachable)
{
    // A hidden bar takes no part in the window's keyboard order.
    txtFind->setFocusPolicy(reachable ? Qt::StrongFocus : Qt::NoFocus);
    cmdFindClose->setFocusPolicy(reachable ? Qt::TabFocus : Qt::NoFocus);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    // Escape in the box closes the bar (the box would otherwise keep the key to itself).
    if (watched == txtFind && event->type() == QEvent::KeyPress &&
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
    txtFind->setClearButtonEnabled(true);
    setReachable(true);
    show();
    list_->prepareFind();
    list_->setFindText(txtFind->text());
    updateCount();
    if (wasHidden)
        Q_EMIT shownChanged();
    txtFind->setFocus(Qt::ShortcutFocusReason);
    txtFind->selectAll();
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
    lblFindCount->setText(QStringLiteral("%1 of %2 %3")
                              .arg(locale.toString(list_->count()), locale.toString(total),
                                   total == 1 ? QStringLiteral("loan") : QStringLiteral("loans")));
}

}  // namespace wexlo
