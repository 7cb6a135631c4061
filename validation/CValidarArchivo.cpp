#include "validation/CValidarArchivo.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "platform/ui/Dialogs.h"
#include "shell/Globales.h"
#include "validation/ArchivoDeDatos.h"
#include "validation/CProcesarArchivoTipoVista.h"

#include <charconv>
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
    CompilarEstructura(vEstructura, vTipos);
    anidamiento_.emplace(vPadreHijo);

    vError.clear();
    vLineas = 0;
    lineasXml = 0;
    ArchivoDeDatos::Abrir(pNombreArchivo, kEntrada);
    if (ventana_ && ventana_->Abierta())
        tituloArchivo_ = ventana_->DialogoFileTitle();

    Agregar("<?xml version=\"1.0\" encoding=\"UTF-8\" ?><root xmlns=\"" + nuro::kNamespaceBase +
            "F" + pFormulario + "_" + pVersion + ".xsd\">");
    lineaInicio = 1;
    vErrorEstructura = 0;
    resultado_ = RecorrerLineas(pFormulario, pVersion, pila);

    Terminar(pFormulario, pVersion, pila);
    return resultado_;
}

void CValidarArchivo::LeerCuit() {
    reg = Conexion().openRecordSet("select * from cuit");
    vCuit = reg->field("Cuit").text();
    cuitRecortado_ = rt::trim(vCuit);
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
                                     Pila& pila) {
    resultado_ = false;
    while (!rt::Eof(kEntrada)) {
        vLineas += 1;
        ui::DoEvents();
        MostrarProgreso();
        ArchivoDeDatos::Leer(kEntrada, lineaDatos_);
        if (!ProcesarLinea(lineaDatos_, pFormulario, pVersion, pila))
            break;
    }
    return resultado_;
}

bool CValidarArchivo::ProcesarLinea(const rt::DataLine& linea, const std::string& pFormulario,
                                    const std::string& pVersion, Pila& pila) {
    if (linea.blank) {
        vError = "No puede existir registros en blanco";
        resultado_ = false;
        return false;
    }
    linea_ = linea.text;
    lector_.Preparar(linea_, linea.length);
    const auto [tipoPlano, numero] = TipoDeLinea(linea.text);
    Anidamiento& anidamiento = *anidamiento_;
    CerrarElementos(numero, pila);
    if (pila.size() > 1) {
        anidamiento.ContarOcurrencia(pila.back(), numero);
    } else if (vLineas != 1) {
        // A new top-level group: the one that ended is checked and counted anew.
        if (!anidamiento.ValidarOcurrencias())
            return ErrorDeEstructura();
        lineaInicio = vLineas;
    }
    if (anidamiento.EsRaiz(numero) && pila.size() == 2)
        return ErrorDeEstructura();
    vAtributos = ArmarAtributos(linea, tipoPlano);
    Agregar("<");
    Agregar(anidamiento.NombreTag(numero));
    Agregar(" ");
    Agregar(vAtributos);
    Agregar(">");
    Apilar(numero, pila);

    GrabarBloques(pFormulario, pVersion);
    resultado_ = ValidarRegistro(pFormulario, pVersion, tipoPlano);
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
void CValidarArchivo::CerrarElementos(int tipo, Pila& pila) {
    while (pila.size() > 1 && !anidamiento_->EsHijo(tipo, pila.back()))
        CerrarElemento(pila);
}

void CValidarArchivo::CerrarElemento(Pila& pila) {
    Agregar("</");
    Agregar(anidamiento_->NombreTag(pila.back()));
    Agregar(">");
    Desapilar(pila);
}

void CValidarArchivo::Terminar(const std::string& pFormulario, const std::string& pVersion,
                               Pila& pila) {
    rt::Close(kEntrada);
    if (vError.empty() && anidamiento_ && !anidamiento_->ValidarOcurrencias())
        ErrorDeEstructura();
    if (resultado_) {
        while (pila.size() > 1)
            CerrarElemento(pila);
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
    char digitos[24];
    const auto fin =
        std::to_chars(digitos, digitos + sizeof digitos, static_cast<long long>(vLineas)).ptr;
    caption_.assign("Procesando Registro :  ").append(digitos, fin);
    ventana_->EtiquetaCaption(caption_);
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
