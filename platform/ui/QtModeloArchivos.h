#pragma once
// What the open-file dialog lists, with the two texts Qt's file model does
// not take from the default locale: a folder's type name (Qt's translations
// lack it) and the date of change (Qt writes it in the system's locale).
#include <QIdentityProxyModel>

namespace ui {

class QtModeloArchivos : public QIdentityProxyModel {
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;

    static constexpr int kColumnaTipo = 2;
    static constexpr int kColumnaFecha = 3;
};

} // namespace ui
