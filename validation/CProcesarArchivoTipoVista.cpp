#include "validation/CProcesarArchivoTipoVista.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "platform/ui/Dialogs.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"
#include "validation/ArchivoDeDatos.h"
#include "validation/CargaEstructuras.h"
#include "validation/ReglasCampo.h"

#include <cmath>

namespace {

constexpr int kArchivoVista = 1;
constexpr int kArchivoPlano = 4;

std::string Digitos(double n) {
    return std::to_string(static_cast<long long>(n));
}

bool InicioDeCaracter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// A count held as text, read as a 16-bit whole number.
rt::Int16 Cantidad(const std::string& texto) {
    const double v = std::round(rt::Val(texto));
    if (std::fabs(v) > 1e6)
        rt::raise(rt::err::Overflow);
    return static_cast<long long>(v);
}

db::Connection& Base() {
    if (!BaseDatos)
        rt::raise(rt::err::ObjectNotSet);
    return *BaseDatos;
}

} // namespace

void CProcesarArchivoTipoVista::PasoAMatriz() {
    vEstructura = TablaTexto(11);
    vTipos = TablaTexto(3);
    vTotalCampos = 0;
    vCantTipos = 0;

    auto reg = Base().openRecordSet(CargaEstructuras::ConsultaIndicador(codigo_, version_));
    // Read for the form version, but no rule of the vista pass depends on it.
    (void)CargaEstructuras::LeerIndicador(*reg);
    reg = Base().openRecordSet(CargaEstructuras::ConsultaCampos(codigo_, version_));
    CargaEstructuras::CargarCampos(*reg, vEstructura, vTipos, false);
    vTotalCampos = vEstructura.UltimaFila();
    vCantTipos = vTipos.UltimaFila();
    campos_.clear();
    campos_.reserve(static_cast<std::size_t>(vTotalCampos) + 1);
    for (int fila = 0; fila <= vTotalCampos; ++fila)
        campos_.emplace_back(vEstructura, fila);
}

std::optional<bool> CProcesarArchivoTipoVista::Validar() {
    ArchivoDeDatos::Abrir(archivo_, kArchivoVista);
    rt::FileCloser cierre{kArchivoVista};
    double n = 0;
    std::optional<bool> resultado;
    while (!rt::Eof(kArchivoVista)) {
        n += 1;
        ui::DoEvents();
        MostrarProgreso(n);
        ArchivoDeDatos::Leer(kArchivoVista, linea_);
        if (linea_.blank) {
            vError = "No puede existir registros en blanco";
            resultado = false;
            break;
        }
        resultado = ValidarLinea(linea_);
        if (!*resultado)
            break;
    }
    cierre.close();
    if (!resultado.value_or(false))
        vError = "linea: " + Digitos(n) + " > " + vError;
    return resultado;
}

// No value is read beyond the line's last "|", so the held text is enough;
// a "|" beyond it stands past position 32767.
bool CProcesarArchivoTipoVista::ValidarLinea(const rt::DataLine& linea) {
    if (linea.barsBeyond > 0)
        rt::raise(rt::err::Overflow);
    if (FuncGral().TotalSeparador(linea.text) != vTotalCampos) {
        vError = "Cantidad de Campos Incorrectos";
        return false;
    }
    lector_.Preparar(linea.text, linea.length);
    for (int fila = 1; fila < static_cast<int>(campos_.size()); ++fila) {
        TablaTexto::FilaVisitada(fila);
        std::string mensaje = ReglasCampo::Verificar(campos_[fila], lector_.ObtenerCampo());
        if (!mensaje.empty()) {
            vError = std::move(mensaje);
            return false;
        }
    }
    return true;
}

void CProcesarArchivoTipoVista::ConformarArchivo() {
    vUltimos.assign(1, std::string());
    ArchivoDeDatos::Abrir(archivo_, kArchivoVista);
    rt::FileCloser cierreVista{kArchivoVista};
    double n = 0;
    const std::string temporal = ArchivoPlanoTemporal();
    rt::deleteFileQuiet(temporal);
    rt::Open(temporal, rt::OpenMode::Append, kArchivoPlano);
    rt::FileCloser cierrePlano{kArchivoPlano};
    while (!rt::Eof(kArchivoVista)) {
        n += 1;
        ui::DoEvents();
        MostrarProgreso(n);
        ArchivoDeDatos::Leer(kArchivoVista, linea_);
        ConformarLinea(linea_.text);
    }
    cierrePlano.close();
    cierreVista.close();
}

// A record is written when it starts a new record of its type: once one record
// of the line differs from the last one of its type, the rest of the line
// belongs to it and is written too.
void CProcesarArchivoTipoVista::ConformarLinea(const std::string& linea) {
    vPosicionConformar = 1;
    bytePosicionConformar_ = 0;
    bool escribirResto = false;
    for (int i = 1; i <= vTipos.UltimaFila(); ++i) {
        TablaTexto::FilaVisitada(i);
        const std::string registro = ArmarRegistro(linea, vTipos(0, i), vTipos(1, i));
        if (static_cast<int>(vUltimos.size()) - 1 < vCantTipos) {
            rt::PrintLine(kArchivoPlano, registro);
            AgregarUltimo(registro);
        } else if (escribirResto || !ExisteUltimo(registro)) {
            rt::PrintLine(kArchivoPlano, registro);
            ReemplazarUltimo(registro);
            escribirResto = true;
        }
    }
}

std::string CProcesarArchivoTipoVista::ArmarRegistro(const std::string& linea,
                                                     const std::string& tipo,
                                                     const std::string& cantidad) {
    const rt::Int16 k = Cantidad(cantidad);
    rt::Int16 separadores = 0;
    const std::size_t inicio = bytePosicionConformar_;
    std::size_t i = inicio;
    long long caracteres = 0;
    for (; separadores < k && i < linea.size(); ++i) {
        if (linea[i] == '|')
            ++separadores;
        caracteres += InicioDeCaracter(linea[i]);
    }
    vPosicionConformar += caracteres;
    bytePosicionConformar_ = i;
    std::string registro;
    registro.reserve(tipo.size() + 1 + (i - inicio));
    registro.append(tipo).append(1, '|').append(linea, inicio, i - inicio);
    return registro;
}

bool CProcesarArchivoTipoVista::ExisteUltimo(const std::string& registro) const {
    for (std::size_t i = 1; i < vUltimos.size(); ++i)
        if (vUltimos[i] == registro)
            return true;
    return false;
}

void CProcesarArchivoTipoVista::ReemplazarUltimo(const std::string& registro) {
    const std::string tipo = rt::left(registro, 2);
    for (std::size_t i = 1; i < vUltimos.size(); ++i) {
        if (rt::left(vUltimos[i], 2) == tipo) {
            vUltimos[i] = registro;
            return;
        }
    }
}

void CProcesarArchivoTipoVista::AgregarUltimo(const std::string& registro) {
    vUltimos.push_back(registro);
}

// After a yield in which the window was closed, the run leaves it alone.
void CProcesarArchivoTipoVista::MostrarProgreso(double linea) {
    if (!ventana_ || !ventana_->Abierta())
        return;
    ventana_->EtiquetaCaption("Procesando Registro :  " + Digitos(linea));
    ventana_->EtiquetaRefresh();
}

std::string CProcesarArchivoTipoVista::ArchivoPlanoTemporal() const {
    return rt::tempPath("F" + codigo_ + "_" + version_ + "_TEMP.txt");
}
