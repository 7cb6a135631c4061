#pragma once
// The window in which the user turns a declaration that is already an XML
// document into a submission file: schema validation, packing of the file's
// own text into records, and the submission sequence.
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "processing/EmpaquetadorXml.h"
#include "processing/FrmProceso.h"

#include <string>

class FrmProcesarXML : public FrmProceso {
    Q_OBJECT

public:
    explicit FrmProcesarXML(QWidget* parent = nullptr);

protected:
    void CmdProcesar_Click() override;
    void BorrarTemporales() override;
    bool NombreAceptable() override;

private:
    // The values a run reads once, at its start.
    struct Corrida {
        std::string formulario;
        std::string version;
        std::string fileTitle;
    };

    void Procesar();
    void Empezar();
    void Armar();
    void FinCorrida();
    void ManejarError(const rt::RuntimeError& error);
    Corrida ValoresActuales() const;

    QLabel* Lbl_LineasTratadas = nullptr;
    QLabel* Label1 = nullptr;
    std::unique_ptr<db::RecordSet> reg1;
    rt::DateTime vFechaArchivo;
    std::string vNroMagico;
    EmpaquetadorXml empaquetador_;
    bool enCorrida_ = false;
    Corrida corrida_;
};
