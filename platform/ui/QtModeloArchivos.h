#pragma once
// What the open-file dialog lists, with the texts Qt's file model does not
// take from the default locale: a file's size and the date of change (Qt
// writes them in the system's locale, so "12.36 MiB" where the decimal
// separator is a comma) and a folder's type name (Qt's translations lack it).
#include <QIdentityProxyModel>

namespace ui {

class QtModeloArchivos : public QIdentityProxyModel {
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;

    static constexpr int kColumnaTamano = 1;
    static constexpr int kColumnaTipo = 2;
    static constexpr int kColumnaFecha = 3;
};

} // namespace ui
