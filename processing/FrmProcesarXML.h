#pragma once
// The window in which the user turns a declaration that is already an XML
// document into a submission file: schema validation, the check that the
// packing keeps the document, packing of the file's own text into records,
// and the submission sequence.
#include "processing/EmpaquetadorXml.h"
#include "processing/FrmProceso.h"

#include <memory>

class FrmProcesarXML : public FrmProceso {
    Q_OBJECT

public:
    explicit FrmProcesarXML(QWidget* parent = nullptr);

protected:
    void Procesar() override;
    bool NombreAceptable() override;
    void LiberarRegistros() override;
    bool LimpiaAntesDeAvisar() const override { return false; }

private:
    void Empezar();
    bool Empaquetable(const std::string& pNombreArchivo);
    void ArmarConCuit();

    QLabel* Lbl_LineasTratadas = nullptr;
    QLabel* Label1 = nullptr;
    std::unique_ptr<db::RecordSet> reg1;
    EmpaquetadorXml empaquetador_;
};
