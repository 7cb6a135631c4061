#pragma once
// What the two processing windows share: their controls, the opening that
// fills the form list, the file dialog, the frame of a run (its values, the
// schema check, the submission sequence, its end and its error handler), and
// the way they close, also while a run is under way.
#include "platform/database/Database.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/CommonDialog.h"
#include "processing/AperturaVentanaProceso.h"
#include "processing/VentanaArchivoFinal.h"

#include <QDialog>

#include <chrono>
#include <memory>
#include <string>

class CValidarXml;
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
    // Draws the latest caption now, whatever was drawn last.
    void EtiquetaDibujar();
    // The latest caption, drawn or not yet; the label may still show the
    // latest progress.
    const std::string& EtiquetaTexto() const { return caption_; }
    bool Abierta() const override { return abierta_; }

protected:
    // The values a run reads once, at its start: form code and version of the
    // list entry, title of the chosen file.
    struct Corrida {
        std::string formulario;
        std::string version;
        std::string fileTitle;
    };

    FrmProceso(AperturaVentanaProceso::Clase clase, const char* nombre, const char* titulo,
               QWidget* parent);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // The dialog, the checks of the chosen file, then the run; every run-time
    // error after the dialog goes to the error handler.
    virtual void CmdProcesar_Click();
    virtual void Procesar() = 0;
    // The exit button: during a run the cancel box, then files 1 to 3 closed,
    // the clean-up and the window closed.
    virtual void CmdSalir_Click();
    // Record file, form file, header file and an encrypted file whose copy
    // failed, then the window's own work files.
    void BorrarTemporales();
    virtual void BorrarTemporalesPropios(const Corrida&) {}
    virtual void LiberarRegistros() { reg.reset(); }
    // Whether the error handler deletes the work files before its two boxes.
    virtual bool LimpiaAntesDeAvisar() const = 0;

    // The open dialog with errors ignored: a cancel leaves FileName empty.
    void MostrarDialogo();
    // A choice that ends before the run: the dialog keeps the title it had,
    // so no clean-up can take the refused file for a work file.
    void DescartarEleccion();
    // "Proceso Cancelado", "Archivo Inexistente." (or what a FIFO or device
    // chosen is), the window's own check of the name and the temporary-folder
    // refusal; true when the run may go on.
    bool ArchivoAceptable();
    virtual bool NombreAceptable() { return true; }

    // From here to the end of the run its values stay as they are now.
    void FijarCorrida();
    // The run's values during a run; otherwise the selected entry's and the
    // dialog's.
    Corrida Valores() const;
    // The schema check of the run's document by oXml; false, after its box,
    // ends the run.
    bool ValidarEsquema(const std::string& pPaThXml, CValidarXml& oXml);
    // The submission sequence with the run's values.
    void Armar(long long registros, const std::string& cuit, const std::string& sqlFormulario);
    // End of a run. A window closed during the run keeps its controls as they
    // are; the work files go all the same.
    void FinCorrida();
    // Files the failed step left open are closed, so the next run finds its
    // numbers free. A window closed during the run gets no box.
    void ManejarError(const rt::RuntimeError& error);

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
    rt::DateTime vFechaArchivo;
    std::string vNroMagico;
    // The run's encrypted file while it waits for its copy into Procesados.
    std::string vArchivoEncriptado;

private:
    void CrearControles(const char* nombre, const char* titulo);
    void Form_Activate();
    void Abrir();
    void Restablecer();
    void Ejecutar(void (FrmProceso::*manejador)());
    void Reponer();
    void Dibujar(const std::string& texto);

    AperturaVentanaProceso::Clase clase_;
    bool abierta_ = false;
    // The click handler of a run is on the stack, even after a close.
    bool ejecutando_ = false;
    std::string tituloAnterior_;
    bool enCorrida_ = false;
    std::string caption_;
    // The latest progress caption while progress is on show.
    std::string progreso_;
    std::chrono::steady_clock::time_point ultimoDibujo_;
    Corrida corrida_;
};
