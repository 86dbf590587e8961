// The windows in the user's language: the translators loaded as the program loads them at
// start-up, for a language that has a translation and for English, which keeps its own texts.

#include "MainWindowFixture.h"
#include "app/MainWindowAccess.h"
#include "platform/Transfer.h"
#include "platform/Translations.h"
#include "shared/updater/UpdateWindow.h"

#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QUndoStack>

namespace wexlo::test {
namespace {

using namespace Qt::StringLiterals;

class Translation : public LoanListFixture {};

TEST_F(Translation, MenusMessagesCountsAndQtsButtonsSpeakTheLanguage)
{
    struct Case {
        const char* locale;
        QString file, edit, message, step, cancel, undo, close, failure;
    };
    const Case cases[] = {
        {"de_DE", u"&Datei"_s, u"&Bearbeiten"_s,
         u"Bitte wählen Sie zuerst einen Eintrag aus, den Sie löschen möchten"_s,
         u"2 Ausleihen löschen"_s, u"Abbrechen"_s, u"&Rückgängig: 2 Ausleihen löschen"_s,
         u"Schließen"_s, u"Keine Verbindung zum Server möglich."_s},
        {"fr_FR", u"&Fichier"_s, u"É&dition"_s,
         u"Veuillez d'abord sélectionner l'entrée à supprimer"_s, u"Supprimer 2 prêts"_s,
         u"Annuler"_s, u"&Annuler\u00a0: Supprimer 2 prêts"_s, u"Fermer"_s,
         u"Impossible de se connecter au serveur."_s},
        {"en_US",
         u"File"_s,
         u"&Edit"_s,
         u"Please select an item before trying to delete it"_s,
         u"Delete 2 Loans"_s,
         u"Cancel"_s,
         u"&Undo Delete 2 Loans"_s,
         u"Exit"_s,
         {}},
    };
    writeData(loan(QDate(2026, 3, 1), "Ann") + loan(QDate(2026, 3, 2), "Bo"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const QLocale before;
        QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
        platform::Translations translations;
        translations.install(QLocale(), QStringLiteral(WEXLO_TRANSLATIONS_DIR));
        MainWindow& w = open();
        EXPECT_EQ(MainWindowAccess(w).fileMenu()->title(), c.file);
        EXPECT_EQ(MainWindowAccess(w).editMenu()->title(), c.edit);
        MainWindowAccess(w).loanList()->clearSelection();
        QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
        EXPECT_EQ(boxes_.lastText(), c.message);
        MainWindowAccess(w).loanList()->selectAll();
        boxes_.answers.push_back(platform::MsgAnswer::Yes);
        QTest::mouseClick(MainWindowAccess(w).deleteButton(), Qt::LeftButton);
        EXPECT_EQ(MainWindowAccess(w).undoStack()->undoText(), c.step);
        EXPECT_EQ(MainWindowAccess(w).undoAction()->text(), c.undo);
        MainWindowAccess(w).undoStack()->undo();
        EXPECT_EQ(UpdateWindow().findChild<QPushButton*>(u"exitButton"_s)->text(), c.close);
        // A refused connection: the user reads it in the language, the log in libcurl's English
        // (English readers see libcurl's words as before).
        const auto transfer = platform::createCurlTransfer();
        QSignalSpy states(transfer.get(), &platform::Transfer::stateChanged);
        transfer->execute(u"http://127.0.0.1:1/"_s, u"GET"_s);
        while (!states.contains({platform::Transfer::Error}) && states.wait(5000)) {
        }
        EXPECT_TRUE(transfer->responseInfo().contains(u"onnect"_s));
        EXPECT_EQ(transfer->shownResponseInfo(),
                  c.failure.isNull() ? transfer->responseInfo() : c.failure);
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), c.cancel);
        win_.reset();
        QLocale::setDefault(before);
    }
}

}  // namespace
}  // namespace wexlo::test
