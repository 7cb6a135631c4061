#pragma once
// The window in which the user turns a flat or vista data file into a
// submission file. It is also the progress window of the validator it runs.
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
    void Procesar() override;
    void CmdSalir_Click() override;
    void BorrarTemporalesPropios(const Corrida& c) override;
    bool LimpiaAntesDeAvisar() const override { return true; }
    bool NombreAceptable() override;

private:
    void Empezar();
    bool Validar(double& lineas, std::string& cuit);

    bool vSalir = false;
    // The input type letter of the run's list entry.
    std::string tipoArchivo_;
};
