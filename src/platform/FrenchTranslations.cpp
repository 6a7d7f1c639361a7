#include "FrenchTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

bool FrenchTranslations::Install()
{
    // Owned by the application: gone with it.
    static QPointer<QTranslator> installed;
    if (installed)
        return true;
    QCoreApplication* application = QCoreApplication::instance();
    Q_ASSERT_X(application, "FrenchTranslations::Install", "no application yet");
    if (!application)
        return false;
    // "qt_fr" gathers the French texts of every Qt module installed.
    auto* translator = new QTranslator(application);
    if (!translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qt"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}
