#include "platform/ui/QtModeloArchivos.h"

#include <QFileSystemModel>
#include <QLocale>

namespace ui {

QVariant QtModeloArchivos::data(const QModelIndex& index, int role) const {
    const auto* archivos = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !archivos || !index.isValid())
        return QIdentityProxyModel::data(index, role);
    const QModelIndex origen = mapToSource(index);
    if (index.column() == kColumnaTipo && archivos->isDir(origen) &&
        !archivos->fileInfo(origen).isRoot())
        return QStringLiteral("Carpeta");
    if (index.column() == kColumnaTamano && !archivos->isDir(origen))
        return QLocale().formattedDataSize(archivos->size(origen));
    if (index.column() == kColumnaFecha)
        return QLocale().toString(archivos->lastModified(origen), QLocale::ShortFormat);
    return QIdentityProxyModel::data(index, role);
}

} // namespace ui
