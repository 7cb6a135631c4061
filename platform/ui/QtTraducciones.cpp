#include "platform/ui/QtTraducciones.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

bool cargarTraduccionesQt() {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    auto* traductor = new QTranslator(QCoreApplication::instance());
    if (traductor->load(QStringLiteral("qtbase_es"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(traductor))
        return true;
    delete traductor;
    return false;
}

} // namespace ui
