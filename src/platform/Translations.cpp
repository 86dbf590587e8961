#include "platform/Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

namespace wexlo::platform {

Translations::~Translations() { remove(); }

void Translations::install(const QLocale& locale, const QString& folder)
{
    remove();
    installed_ = true;
    const QStringList languages = locale.uiLanguages();
    if (locale.language() == QLocale::C || languages.isEmpty() ||
        languages.first().startsWith(QLatin1String("en")))
        return;
    // Tried in the order of the locale's languages: "de-AT" finds wexlo_de_AT.qm or wexlo_de.qm.
    if (program_.load(locale, QStringLiteral("wexlo"), QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(&program_);
    if (qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt_);
}

void Translations::remove()
{
    if (!installed_)
        return;
    for (QTranslator* t : {&qt_, &program_})
        QCoreApplication::removeTranslator(t);  // refuses quietly one never installed
    installed_ = false;
}

QString translationsFolder(const QString& programFolder)
{
    for (const QString& folder : {programFolder + QStringLiteral("/translations"),
                                  programFolder + QStringLiteral("/../share/wexlo/translations")})
        if (QFileInfo(folder).isDir())
            return QFileInfo(folder).canonicalFilePath();
    return {};
}

void installEnglishPlurals()
{
    static QTranslator plurals;
    if (plurals.isEmpty() && !plurals.load(QStringLiteral(":/wexlo/translations/wexlo_en.qm")))
        return;
    QCoreApplication::installTranslator(&plurals);  // again for a new application object
}

}  // namespace wexlo::platform
