#include "validation/CValidarArchivo.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "platform/ui/Dialogs.h"
#include "shell/Globales.h"
#include "validation/CProcesarArchivoTipoVista.h"

#include <new>

namespace {

constexpr int kEntrada = 1;
const std::string kErrorEstructura = "Error de Estructura";

std::string Entero(double n) {
    return std::to_string(static_cast<long long>(n));
}

} // namespace

db::Connection& CValidarArchivo::Conexion() {
    if (!BaseDatos)
        rt::raise(rt::err::ObjectNotSet);
    return *BaseDatos;
}

bool CValidarArchivo::Validar(std::string& pNombreArchivo, const std::string& pFormulario,
                              const std::string& pVersion, const std::string& pTipoArchivo) {
    TablaTexto vEstructura(11);
    TablaTexto vTipos(3);
    TablaTexto vPadreHijo(7);
    Pila pila(1);
    try {
        const bool resultado = Ejecutar(pNombreArchivo, pFormulario, pVersion, pTipoArchivo,
                                        vEstructura, vTipos, vPadreHijo, pila);
        Liberar();
        return resultado;
    } catch (const rt::RuntimeError& e) {
        vError = "Error Número : " + std::to_string(e.number()) + " ->" + e.description();
    } catch (const std::bad_alloc&) {
        const rt::RuntimeError e(rt::err::OutOfMemory);
        vError = "Error Número : " + std::to_string(e.number()) + " ->" + e.description();
    }
    Liberar();
    return false;
}

bool CValidarArchivo::Ejecutar(std::string& pNombreArchivo, const std::string& pFormulario,
                               const std::string& pVersion, const std::string& pTipoArchivo,
                               TablaTexto& vEstructura, TablaTexto& vTipos, TablaTexto& vPadreHijo,
                               Pila& pila) {
    LeerCuit();
    if (rt::upper(pTipoArchivo) == "V" && !PasarVista(pNombreArchivo, pFormulario, pVersion))
        return false;
    CargarEstructura(pFormulario, pVersion, vEstructura, vTipos, vPadreHijo);

    vError.clear();
    vLineas = 0;
    lineasXml = 0;
    rt::Close(kEntrada);
    rt::Open(pNombreArchivo, rt::OpenMode::Input, kEntrada);
    rt::InputReader(kEntrada).skipByteOrderMark();
    if (ventana_ && ventana_->Abierta())
        tituloArchivo_ = ventana_->DialogoFileTitle();

    Agregar("<?xml version=\"1.0\" encoding=\"UTF-8\" ?><root xmlns=\"" + nuro::kNamespaceBase +
            "F" + pFormulario + "_" + pVersion + ".xsd\">");
    lineaInicio = 1;
    vErrorEstructura = 0;
    resultado_ = RecorrerLineas(pFormulario, pVersion, vEstructura, vTipos, vPadreHijo, pila);

    Terminar(pFormulario, pVersion, vPadreHijo, pila);
    return resultado_;
}

void CValidarArchivo::LeerCuit() {
    reg = Conexion().openRecordSet("select * from cuit");
    vCuit = reg->field("Cuit").text();
}

// A vista file is validated and converted first; the run then reads the
// flat work file the conversion wrote.
bool CValidarArchivo::PasarVista(std::string& pNombreArchivo, const std::string& pFormulario,
                                 const std::string& pVersion) {
    CProcesarArchivoTipoVista vista;
    vista.formulario(ventana_);
    vista.nombreArchivo(pNombreArchivo);
    vista.formularioNombre(pFormulario);
    vista.version(pVersion);
    vista.PasoAMatriz();
    const std::optional<bool> valido = vista.Validar();
    if (!valido.value_or(false)) {
        vError = vista.Error();
        return false;
    }
    vista.ConformarArchivo();
    pNombreArchivo = rt::tempPath("F" + pFormulario + "_" + pVersion + "_TEMP.txt");
    return true;
}

bool CValidarArchivo::RecorrerLineas(const std::string& pFormulario, const std::string& pVersion,
                                     const TablaTexto& vEstructura, const TablaTexto& vTipos,
                                     TablaTexto& vPadreHijo, Pila& pila) {
    resultado_ = false;
    while (!rt::Eof(kEntrada)) {
        vLineas += 1;
        ui::DoEvents();
        MostrarProgreso();
        const std::string linea = rt::decodeDataLine(rt::LineInput(kEntrada));
        if (!ProcesarLinea(linea, pFormulario, pVersion, vEstructura, vTipos, vPadreHijo, pila))
            break;
    }
    return resultado_;
}

bool CValidarArchivo::ProcesarLinea(const std::string& linea, const std::string& pFormulario,
                                    const std::string& pVersion, const TablaTexto& vEstructura,
                                    const TablaTexto& vTipos, TablaTexto& vPadreHijo, Pila& pila) {
    if (rt::trim(linea).empty()) {
        vError = "No puede existir registros en blanco";
        resultado_ = false;
        return false;
    }
    const std::string tipo = rt::left(linea, 2);
    CerrarElementos(tipo, vPadreHijo, pila);
    if (pila.size() > 1) {
        ContarOcurrencia(pila.back(), tipo, vPadreHijo);
    } else if (vLineas != 1) {
        // A new top-level group: the one that ended is checked and counted anew.
        if (!ValidarOcurrencias(vPadreHijo))
            return ErrorDeEstructura();
        lineaInicio = vLineas;
    }
    if (EsRaiz(tipo, vPadreHijo) && pila.size() == 2)
        return ErrorDeEstructura();
    vAtributos = ArmarAtributos(linea, vEstructura);
    Agregar("<" + NombreTag(tipo, vPadreHijo) + " " + vAtributos + ">");
    Apilar(tipo, pila);

    GrabarBloques(pFormulario, pVersion);
    resultado_ = ValidarRegistro(linea, pFormulario, pVersion, vEstructura, vTipos);
    GrabarBloques(pFormulario, pVersion);
    return resultado_;
}

bool CValidarArchivo::ErrorDeEstructura() {
    vError = kErrorEstructura;
    vErrorEstructura = 1;
    resultado_ = false;
    return false;
}

// Closes the open elements that cannot hold a record of this type.
void CValidarArchivo::CerrarElementos(const std::string& tipo, const TablaTexto& vPadreHijo,
                                      Pila& pila) {
    while (pila.size() > 1 && !EsHijo(tipo, pila.back(), vPadreHijo)) {
        Agregar("</" + NombreTag(pila.back(), vPadreHijo) + ">");
        Desapilar(pila);
    }
}

void CValidarArchivo::Terminar(const std::string& pFormulario, const std::string& pVersion,
                               TablaTexto& vPadreHijo, Pila& pila) {
    rt::Close(kEntrada);
    if (vError.empty() && !ValidarOcurrencias(vPadreHijo))
        ErrorDeEstructura();
    if (resultado_) {
        while (pila.size() > 1) {
            Agregar("</" + NombreTag(pila.back(), vPadreHijo) + ">");
            Desapilar(pila);
        }
        AgregarFinDocumento();
        GrabarBloques(pFormulario, pVersion);
        // A record file cut short by a failed write must not pass as complete.
        CerrarSalidas();
    }
    ArmarTextoError();
}

void CValidarArchivo::ArmarTextoError() {
    if (vError.empty())
        vLineas = lineasXml;
    else if (vErrorEstructura == 1)
        vError = "linea:" + Entero(lineaInicio) + " > " + vError;
    else
        vError = "linea: " + Entero(vLineas) + " > " + vError;
}

// A window closed during the yield is left alone.
void CValidarArchivo::MostrarProgreso() {
    if (!ventana_)
        rt::raise(rt::err::ObjectNotSet);
    if (!ventana_->Abierta())
        return;
    ventana_->EtiquetaCaption("Procesando Registro :  " + Entero(vLineas));
    ventana_->EtiquetaRefresh();
}

// Every way out leaves no file of the run open; file 1 included, so that a
// failed run does not hold the user's file.
void CValidarArchivo::Liberar() noexcept {
    archivoBloques_.reset();
    archivoXml_.reset();
    try {
        rt::Close(kEntrada);
    } catch (...) {
        // An input file has nothing pending to lose.
    }
    reg.reset();
    reg1.reset();
}
