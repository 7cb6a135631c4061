// Validation of one flat record: its type, its separators and the rules of
// each field, and the reading of its values.
#include "validation/CValidarArchivo.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"
#include "validation/ReglasCampo.h"
#include "validation/TextoXml.h"

namespace {

enum Columna {
    kTipoRegistro = 0,
    kNombreCampo = 1,
    kTipo = 3,
    kAtributo = 9,
};

bool EsCampoCuit(const std::string& nombre) {
    return rt::upper(nombre) == "CUIT";
}

bool EsAtributo(const TablaTexto& vEstructura, int fila) {
    return rt::upper(vEstructura(kAtributo, fila)) == "S";
}

bool Continuacion(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

bool CValidarArchivo::ValidarRegistro(const std::string& linea, const std::string& pFormulario,
                                      const std::string& pVersion, const TablaTexto& vEstructura,
                                      const TablaTexto& vTipos) {
    const std::string tipo = rt::left(linea, 2);
    rt::Int16 fila = 1;
    const int filasTipos = vTipos.UltimaFila();
    while (fila <= filasTipos && vTipos(0, fila) != tipo)
        ++fila;
    if (fila > filasTipos) {
        vError = "El tipo de registro es invalido";
        return false;
    }
    const rt::Int16 campos = static_cast<long long>(rt::Val(vTipos(1, fila)));
    const rt::Int16 primera = static_cast<long long>(rt::Val(vTipos(2, fila)));
    if (FuncGral().TotalSeparador(linea) - 1 != campos) {
        vError = "Cantidad de Campos Incorrectos";
        return false;
    }

    PosicionarEnPrimerValor(linea);
    const int filasCampos = vEstructura.UltimaFila();
    for (int f = primera; f <= filasCampos && vEstructura(kTipoRegistro, f) == tipo; ++f) {
        TablaTexto::FilaVisitada(f);
        const std::string valor = ObtenerCampo(linea);
        std::string mensaje = ReglasDelCampo(linea, vEstructura, f, valor);
        if (!mensaje.empty()) {
            vError = std::move(mensaje);
            return false;
        }
        PasoElemento(valor, vEstructura, f, pFormulario, pVersion);
    }
    return true;
}

// The message of the first rule the value breaks, "" when it meets them all.
std::string CValidarArchivo::ReglasDelCampo(const std::string& linea, const TablaTexto& vEstructura,
                                            int fila, const std::string& valor) const {
    std::string mensaje = ReglasCampo::Verificar(vEstructura, fila, valor);
    if (!mensaje.empty() || vEstructura(kTipo, fila) != "C" ||
        !EsCampoCuit(vEstructura(kNombreCampo, fila)))
        return mensaje;
    // The CUIT always sits right after the record type, whichever field names it.
    if (rt::mid(linea, 4, 11) != rt::trim(vCuit))
        return "El Cuit es distinto al cargado en el Sistema";
    return {};
}

// Attribute fields are already in the start tag.
void CValidarArchivo::PasoElemento(const std::string& valor, const TablaTexto& vEstructura,
                                   int fila, const std::string& pFormulario,
                                   const std::string& pVersion) {
    if (EsAtributo(vEstructura, fila))
        return;
    const std::string& nombre = vEstructura(kNombreCampo, fila);
    const bool texto = vEstructura(kTipo, fila) == "C" && !EsCampoCuit(nombre);
    AgregarElemento(valor, rt::trim(nombre), texto ? "C" : "N");
    GrabarBloques(pFormulario, pVersion);
}

void CValidarArchivo::PosicionarEnPrimerValor(const std::string& linea) {
    vPosicion = 4;
    bytePosicion_ = rt::byteOffset(linea, 3);
}

// The value from the read position up to its "|"; characters below code 32
// are read as blanks. Past the end of the line the value is empty.
std::string CValidarArchivo::ObtenerCampo(const std::string& linea) {
    const std::size_t inicio = bytePosicion_;
    std::size_t fin = linea.find('|', inicio);
    if (fin == std::string::npos)
        fin = linea.size();
    std::string valor(linea, inicio, fin - inicio);
    long long caracteres = 0;
    for (char& c : valor) {
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
        caracteres += !Continuacion(c);
    }
    // Past the value and its "|" (or past the end): 16-bit, error 6 beyond 32767.
    vPosicion = static_cast<long long>(vPosicion) + caracteres + 1;
    bytePosicion_ = fin < linea.size() ? fin + 1 : linea.size();
    return valor;
}

// The k-th value of the line becomes an attribute when the k-th field row of
// the line's record type is marked as one.
std::string CValidarArchivo::ArmarAtributos(const std::string& linea,
                                            const TablaTexto& vEstructura) {
    const std::string tipo = rt::left(linea, 2);
    BuscarFilasDelTipo(tipo, vEstructura);
    std::string resultado;
    PosicionarEnPrimerValor(linea);
    rt::Int16 k = 0;
    // The byte offset is past the line's end exactly when the position is.
    while (bytePosicion_ < linea.size()) {
        ++k;
        const std::string valor = ObtenerCampo(linea);
        const int fila = FilaDelAtributo(k, vEstructura);
        if (fila == 0)
            continue;
        if (!resultado.empty())
            resultado += ' ';
        resultado += vEstructura(kNombreCampo, fila) + "=\"";
        TextoXml::AgregarAtributo(resultado, valor);
        resultado += '"';
    }
    return resultado;
}

// The rows of the line's type, found in one walk instead of one per value.
void CValidarArchivo::BuscarFilasDelTipo(const std::string& tipo, const TablaTexto& vEstructura) {
    filasDelTipo_.clear();
    const int filas = vEstructura.UltimaFila();
    for (int fila = 1; fila <= filas; ++fila)
        if (vEstructura(kTipoRegistro, fila) == tipo)
            filasDelTipo_.push_back(fila);
}

// The field row of the k-th value when it is an attribute, else 0. The walk
// from row 1 stops only at that attribute; any other walk visits every row.
int CValidarArchivo::FilaDelAtributo(int k, const TablaTexto& vEstructura) const {
    const bool hay = static_cast<std::size_t>(k) <= filasDelTipo_.size();
    const int fila = hay ? filasDelTipo_[k - 1] : 0;
    const bool atributo = fila != 0 && EsAtributo(vEstructura, fila);
    TablaTexto::FilaVisitada(atributo ? fila : vEstructura.UltimaFila());
    return atributo ? fila : 0;
}
