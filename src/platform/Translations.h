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

    // Unless the language is English, the language's own file and Qt's. Under English and C
    // locales every text is the code's own (the counted ones from the English plural forms), and
    // nothing is read at start-up.
    void install(const QLocale& locale, const QString& folder);
    void remove();

private:
    QTranslator program_;
    QTranslator qt_;
    bool installed_ = false;
};

// build/translations beside a program in the build tree, ../share/wexlo/translations beside an
// installed one; empty when neither exists.
QString translationsFolder(const QString& programFolder);

// The English forms of the counted texts ("1 loan", "2 loans"), built into the program so that
// English reads right wherever the program runs. Installed as each application object starts,
// below any language's file; a later call does nothing.
void installEnglishPlurals();

}  // namespace wexlo::platform
