#pragma once
// The window in which the user turns a declaration that is already an XML
// document into a submission file: schema validation, the check that the
// document can be packed, packing of the file's own text into records while
// the packed text is read back and compared with the validated document, and
// the submission sequence.
#include "processing/EmpaquetadorXml.h"
#include "processing/FrmProceso.h"

#include <memory>

class CValidarXml;
class ControlEmpaquetado;

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
    bool Empaquetable(const std::string& pNombreArchivo, ControlEmpaquetado& control,
                      CValidarXml& oXml);
    bool EmpaquetadoIgual(const CValidarXml& oXml, const ControlEmpaquetado& control);
    void ArmarConCuit();

    QLabel* Lbl_LineasTratadas = nullptr;
    QLabel* Label1 = nullptr;
    std::unique_ptr<db::RecordSet> reg1;
    EmpaquetadorXml empaquetador_;
};
