#pragma once

// What tests and benchmarks reach of the main window: its widgets, which the window keeps
// private. MainWindowAccess(window).addButton() and so on.

#include "app/FindBar.h"
#include "app/MainWindow.h"
#include "platform/ClickLabel.h"
#include "platform/ListView.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>

#include <memory>

namespace wexlo {

class MainWindowAccess {
public:
    explicit MainWindowAccess(MainWindow& window) : w_(window) {}
    explicit MainWindowAccess(const std::unique_ptr<MainWindow>& window) : w_(*window) {}

    platform::ListView* loanList() const { return w_.loanList_; }
    QGroupBox* entryPanel() const { return w_.entryPanel_; }
    QTimer* updateCheckTimer() const { return w_.updateCheckTimer_; }
    QPushButton* exitButton() const { return w_.exitButton_; }
    QPushButton* deleteButton() const { return w_.deleteButton_; }
    QPushButton* addButton() const { return w_.addButton_; }
    QLineEdit* addressEdit() const { return w_.addressEdit_; }
    QLineEdit* phoneEdit() const { return w_.phoneEdit_; }
    QLineEdit* borrowerEdit() const { return w_.borrowerEdit_; }
    QLineEdit* itemEdit() const { return w_.itemEdit_; }
    platform::ClickLabel* dateLabel() const { return w_.dateLabel_; }
    QLabel* phoneCaption() const { return w_.phoneCaption_; }
    QMenu* fileMenu() const { return w_.fileMenu_; }
    QMenu* toolsMenu() const { return w_.toolsMenu_; }
    QMenu* helpMenu() const { return w_.helpMenu_; }
    QMenu* editMenu() const { return w_.editMenu_; }
    QMenu* viewMenu() const { return w_.viewMenu_; }
    QAction* printOverdueAction() const { return w_.printOverdueAction_; }
    QAction* printAction() const { return w_.printAction_; }
    QAction* checkForUpdateAction() const { return w_.checkForUpdateAction_; }
    QAction* disableAutoCheckAction() const { return w_.disableAutoCheckAction_; }
    QAction* aboutAction() const { return w_.aboutAction_; }
    QAction* quitAction() const { return w_.quitAction_; }
    QAction* setDueAction() const { return w_.setDueAction_; }
    QAction* clearDueAction() const { return w_.clearDueAction_; }
    QAction* markReturnedAction() const { return w_.markReturnedAction_; }
    QAction* markNotReturnedAction() const { return w_.markNotReturnedAction_; }
    QAction* showDueAction() const { return w_.showDueAction_; }
    QAction* overdueOnlyAction() const { return w_.overdueOnlyAction_; }
    QAction* showReturnedAction() const { return w_.showReturnedAction_; }
    QLabel* lifeLabel() const { return w_.lifeLabel_; }
    QAction* undoAction() const { return w_.undoAction_; }
    QAction* redoAction() const { return w_.redoAction_; }
    QAction* findAction() const { return w_.findAction_; }
    QAction* exportCsvAction() const { return w_.exportCsvAction_; }
    QAction* remindOverdueAction() const { return w_.remindOverdueAction_; }
    FindBar* findBar() const { return w_.findBar_; }
    QUndoStack* undoStack() const { return w_.undoStack_; }
    QLabel* dateCaption() const { return w_.dateCaption_; }
    QLabel* itemCaption() const { return w_.itemCaption_; }
    QLabel* borrowerCaption() const { return w_.borrowerCaption_; }
    QLabel* addressCaption() const { return w_.addressCaption_; }
    const QString& settingsPath() const { return w_.settingsPath_; }

private:
    MainWindow& w_;
};

}  // namespace wexlo
