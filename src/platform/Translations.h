#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

namespace wexlo::platform {

// The program's texts in the user's language, and Qt's own (message box buttons, the print and
// file dialogs, the undo actions) in the same one. Removed again when destroyed.
class Translations {
public:
    Translations() = default;
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;
    ~Translations();

    // English plural forms first, so that a counted text reads "1 loan"; then, unless the
    // language is English, the language's own file and Qt's. Under English and C locales every
    // text but the counted ones is the code's own, and nothing else is read at start-up.
    void install(const QLocale& locale, const QString& folder);
    void remove();

private:
    QTranslator plurals_;
    QTranslator program_;
    QTranslator qt_;
    bool installed_ = false;
};

// build/translations beside a program in the build tree, ../share/wexlo/translations beside an
// installed one; empty when neither holds the English plural forms.
QString translationsFolder(const QString& programFolder);

}  // namespace wexlo::platform
