#pragma once
// The window in which the user stores the taxpayer's CUIT.
#include "platform/database/Database.h"

#include <QDialog>

#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class FrmCuit : public QDialog {
    Q_OBJECT

public:
    explicit FrmCuit(QWidget* parent = nullptr);

    // Every way of closing passes here.
    void done(int resultado) override;

    // Eleven characters, each a digit from 0 to 9.
    static bool esCuit(const std::string& texto);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void alActivarse();
    void abrir();
    void leerCuit();
    void grabar();

    QLineEdit* TxTCuit = nullptr;
    QPushButton* CmdGrabar = nullptr;
    QLabel* Picture1 = nullptr;
    std::unique_ptr<db::RecordSet> reg;
};
