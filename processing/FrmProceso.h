#pragma once
// What the two processing windows share: their controls, the opening that
// fills the form list, the file dialog, and the way they close, also while a
// run is under way.
#include "platform/database/Database.h"
#include "platform/ui/CommonDialog.h"
#include "processing/AperturaVentanaProceso.h"
#include "processing/VentanaArchivoFinal.h"

#include <QDialog>

#include <memory>
#include <string>

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

class FrmProceso : public QDialog, public VentanaArchivoFinal {
    Q_OBJECT

public:
    ~FrmProceso() override;

    // A window whose run is still ending after it was closed is not shown again
    // until that run has returned.
    int exec() override;
    // Every way of closing passes here: the list is emptied.
    void done(int resultado) override;
    // Escape during a run cancels it as the exit button does.
    void reject() override;

    void EtiquetaCaption(const std::string& texto) override;
    void EtiquetaRefresh() override;
    bool Abierta() const override { return abierta_; }

protected:
    FrmProceso(AperturaVentanaProceso::Clase clase, const char* nombre, const char* titulo,
               QWidget* parent);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    virtual void CmdProcesar_Click() = 0;
    // The exit button: during a run the cancel box, then files 1 to 3 closed,
    // the clean-up and the window closed.
    virtual void CmdSalir_Click();
    virtual void BorrarTemporales() = 0;

    // The open dialog with errors ignored: a cancel leaves FileName empty.
    void MostrarDialogo();
    // A choice that ends before the run: the dialog keeps the title it had,
    // so no clean-up can take the refused file for a work file.
    void DescartarEleccion();
    // "Proceso Cancelado", "Archivo Inexistente.", the window's own check of
    // the name and the temporary-folder refusal; true when the run may go on.
    bool ArchivoAceptable();
    virtual bool NombreAceptable() { return true; }

    std::string EntradaElegida() const;
    bool EnEjecucion() const;
    static void CerrarArchivos(int desde, int hasta) noexcept;

    QComboBox* CboFormularios = nullptr;
    QPushButton* CmdProcesar = nullptr;
    QPushButton* CmdSalir = nullptr;
    QLabel* Etiqueta = nullptr;
    QLabel* Picture1 = nullptr;
    QGridLayout* grilla_ = nullptr;
    ui::CommonDialog Dialogo;
    std::unique_ptr<db::RecordSet> reg;

private:
    void CrearControles(const char* nombre, const char* titulo);
    void Form_Activate();
    void Abrir();
    void Restablecer();
    void Ejecutar(void (FrmProceso::*manejador)());

    AperturaVentanaProceso::Clase clase_;
    bool abierta_ = false;
    // The click handler of a run is on the stack, even after a close.
    bool ejecutando_ = false;
    std::string tituloAnterior_;
};
