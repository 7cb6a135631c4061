#include "processing/ArmarArchivoFinal.h"

#include "platform/closedlibs/FilewinLibrary.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "processing/CopiarArchivo.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kCabecera = 2;

std::string registroHead(long long registros) {
    char cuenta[32];
    std::snprintf(cuenta, sizeof cuenta, "%06lld", registros + 1);
    return "HEAD10 01 01 " + std::string(cuenta);
}

// A Null field contributes nothing.
std::string campo(const db::RecordSet& reg, const char* nombre) {
    return reg.field(nombre).textOr("");
}

std::string registro01(const db::RecordSet& reg, const DatosArchivoFinal& datos,
                       const std::string& vNroMagico) {
    return "01" + campo(reg, "CodigoImpuesto") + campo(reg, "CODIGOCONCEPTO") + datos.cuit +
           vNroMagico + campo(reg, "codformulario") + campo(reg, "version") +
           datos.fechaArchivo.compact() + "1.0       ";
}

void escribirCabecera(const std::string& ruta, const std::string& head,
                      const std::string& registro) {
    rt::Open(ruta, rt::OpenMode::Output, kCabecera);
    rt::FileCloser cierre{kCabecera};
    rt::PrintLine(kCabecera, head);
    rt::PrintLine(kCabecera, registro);
    cierre.close();
}

void estado(VentanaArchivoFinal& ventana, const std::string& texto) {
    ventana.EtiquetaCaption(texto);
    ventana.EtiquetaRefresh();
}

db::Connection& baseDatos() {
    if (!BaseDatos)
        rt::raise(rt::err::ObjectNotSet);
    return *BaseDatos;
}

bool mismoArchivo(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

// Encrypts the joined file and copies the result into Procesados.
void entregar(VentanaArchivoFinal& ventana, const std::string& cabecera, std::string& pendiente) {
    estado(ventana, "Encriptando ....");
    std::string vArchivoEncriptado;
    std::string vMensajeError;
    // The library cannot let the window repaint; nothing else runs meanwhile.
    const std::int16_t resultado = ui::RepintarMientras([&] {
        return closedlibs::FilewinLibrary::instance().filewin(cabecera, vArchivoEncriptado,
                                                              vMensajeError);
    });
    estado(ventana, "");
    if (resultado != 0) {
        ui::MsgBox("Ocurrió el error " + vMensajeError);
        return;
    }
    const std::string vArchivoFinal =
        rutas::procesados() + FuncGral().NombreArchivoFinal(vArchivoEncriptado);
    const std::string destino = rt::resolveCase(vArchivoFinal);
    // A library that writes into Procesados itself has put the file in place:
    // deleting the "copy" would delete the output.
    if (!mismoArchivo(vArchivoEncriptado, destino)) {
        pendiente = vArchivoEncriptado;
        CopiarArchivo(vArchivoEncriptado, destino);
        rt::deleteFile(vArchivoEncriptado);
        pendiente.clear();
    }
    ui::MsgBox("Se genero el Archivo :" + vArchivoFinal);
}

} // namespace

void ArmarArchivoFinal(VentanaArchivoFinal& ventana, std::unique_ptr<db::RecordSet>& reg,
                       const DatosArchivoFinal& datos, std::string& vNroMagico,
                       std::string& vArchivoEncriptado) {
    const std::string head = registroHead(datos.registros);
    vNroMagico = FuncGral().GenerarNroMagico(datos.cuit, datos.fechaArchivo);
    reg = baseDatos().openRecordSet(datos.sqlFormulario);
    const std::string registro = registro01(*reg, datos, vNroMagico);
    escribirCabecera(rt::tempPath(vNroMagico + "F" + campo(*reg, "codformulario") + ".dat"), head,
                     registro);

    estado(ventana, "Haciendo Join de Archivos ....");
    // The join and the encryption name the header file from the form list's code.
    const std::string cabecera = rt::tempPath(vNroMagico + "F" + datos.codformulario + ".dat");
    FuncGral().Join(rt::tempPath(datos.fileTitle), cabecera, datos.fileTitle);
    // The window may have been closed while the join yielded: stop untouched.
    if (!ventana.Abierta())
        return;
    entregar(ventana, cabecera, vArchivoEncriptado);
}
