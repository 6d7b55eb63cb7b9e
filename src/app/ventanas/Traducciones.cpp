#include "app/ventanas/Traducciones.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace traducciones {

bool instalar() {
    static QTranslator* instalado = nullptr;
    if (instalado)
        return true;
    auto* qt = new QTranslator(QCoreApplication::instance());
    // "qt" is the catalogue of every Qt module's translation (qtbase, qtmultimedia, ...).
    if (!qt->load(QLocale(), QStringLiteral("qt"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    instalado = qt;
    return true;
}

} // namespace traducciones
