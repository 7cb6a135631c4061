#pragma once
// The window in which the user turns a flat or vista data file into a
// submission file. It is also the progress window of the validator it runs.
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "processing/FrmProceso.h"
#include "validation/VentanaProgreso.h"

#include <string>

class FrmProcesarPlanos : public FrmProceso, public VentanaProgreso {
    Q_OBJECT

public:
    explicit FrmProcesarPlanos(QWidget* parent = nullptr);

    void EtiquetaCaption(const std::string& texto) override { FrmProceso::EtiquetaCaption(texto); }
    void EtiquetaRefresh() override { FrmProceso::EtiquetaRefresh(); }
    bool Abierta() const override { return FrmProceso::Abierta(); }
    std::string DialogoFileTitle() const override { return Dialogo.FileTitle; }

protected:
    void CmdProcesar_Click() override;
    void CmdSalir_Click() override;
    void BorrarTemporales() override;

private:
    // The values a run keeps from its start to its end.
    struct Corrida {
        std::string formulario;
        std::string version;
        std::string tipoArchivo;
        std::string fileTitle;
    };

    void Procesar();
    void Empezar();
    bool Validar(double& lineas, std::string& cuit);
    void Armar(double lineas, const std::string& cuit);
    void FinCorrida();
    void ManejarError(const rt::RuntimeError& error);
    Corrida ValoresActuales() const;

    bool vSalir = false;
    rt::DateTime vFechaArchivo;
    std::string vNroMagico;
    bool enCorrida_ = false;
    Corrida corrida_;
};
