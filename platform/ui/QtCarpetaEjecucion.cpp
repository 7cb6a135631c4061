#include "platform/ui/QtCarpetaEjecucion.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace ui {

namespace {

// The user's name as Qt forms the folder's name; the number without one.
QString usuario() {
    const uid_t uid = ::geteuid();
    passwd entrada{};
    passwd* encontrada = nullptr;
    std::vector<char> espacio(16384);
    if (::getpwuid_r(uid, &entrada, espacio.data(), espacio.size(), &encontrada) == 0 && encontrada)
        return QString::fromLocal8Bit(encontrada->pw_name);
    return QString::number(uid);
}

} // namespace

void prepararCarpetaDeEjecucion() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString carpeta = QDir::tempPath() + QStringLiteral("/runtime-") + usuario();
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(carpeta));
}

} // namespace ui
