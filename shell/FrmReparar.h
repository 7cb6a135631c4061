#pragma once
// The window that has the engine repair the reference database on request.
#include <QDialog>

class QLabel;
class QPushButton;

class FrmReparar : public QDialog {
    Q_OBJECT

public:
    explicit FrmReparar(QWidget* parent = nullptr);

private:
    void reparar();
    static bool arreglarSoloLectura();
    static void cerrarConexion();
    static void reabrirBase();

    QLabel* Label1 = nullptr;
    QPushButton* CmdSi = nullptr;
    QPushButton* CmdNo = nullptr;
    QLabel* Picture1 = nullptr;
};
