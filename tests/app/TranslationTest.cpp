// The windows in the user's language: the translators loaded as the program loads them at
// start-up, for a language that has a translation and for English, which keeps its own texts.

#include "MainWindowFixture.h"
#include "app/MainWindowAccess.h"
#include "platform/Translations.h"

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
        QString file, edit, message, step, cancel;
    };
    const Case cases[] = {
        {"de_DE", u"&Datei"_s, u"&Bearbeiten"_s,
         u"Bitte wählen Sie zuerst einen Eintrag aus, den Sie löschen möchten"_s,
         u"2 Ausleihen löschen"_s, u"Abbrechen"_s},
        {"fr_FR", u"&Fichier"_s, u"É&dition"_s,
         u"Veuillez d'abord sélectionner l'entrée à supprimer"_s, u"Supprimer 2 prêts"_s,
         u"Annuler"_s},
        {"en_US", u"File"_s, u"&Edit"_s, u"Please select an item before trying to delete it"_s,
         u"Delete 2 Loans"_s, u"Cancel"_s},
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
        MainWindowAccess(w).undoStack()->undo();
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), c.cancel);
        win_.reset();
        QLocale::setDefault(before);
    }
}

}  // namespace
}  // namespace wexlo::test
