// Validation of one flat record: its type, its separators and the rules of
// each field, and the reading of its values.
#include "validation/CValidarArchivo.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"
#include "validation/ReglasCampo.h"
#include "validation/TextoXml.h"

// The structure as the lines use it, read once from the tables.
void CValidarArchivo::CompilarEstructura(const TablaTexto& vEstructura, const TablaTexto& vTipos) {
    campos_.clear();
    tipos_.clear();
    indiceTipos_.clear();
    leidos_.clear();
    const int filas = vEstructura.UltimaFila();
    campos_.reserve(static_cast<std::size_t>(filas) + 1);
    for (int fila = 0; fila <= filas; ++fila)
        campos_.emplace_back(vEstructura, fila);
    for (int fila = 1; fila <= filas; ++fila)
        TipoDeTexto(campos_[fila].tipoRegistro).filas.push_back(fila);
    for (int fila = vTipos.UltimaFila(); fila >= 1; --fila) {
        TipoPlano& tipo = TipoDeTexto(vTipos(0, fila));
        tipo.indice = fila;
        tipo.campos = static_cast<long long>(rt::Val(vTipos(1, fila)));
        tipo.primera = static_cast<long long>(rt::Val(vTipos(2, fila)));
    }
    for (TipoPlano& tipo : tipos_)
        CompilarTipo(tipo);
}

// What each line of the type would otherwise find again by comparing texts.
void CValidarArchivo::CompilarTipo(TipoPlano& tipo) const {
    if (tipo.indice != 0) {
        const int filasCampos = static_cast<int>(campos_.size()) - 1;
        int f = tipo.primera;
        while (f >= 0 && f <= filasCampos && campos_[f].tipoRegistro == tipo.tipo)
            ++f;
        tipo.ultima = f - 1;
    }
    for (std::size_t k = tipo.filas.size(); k > 0 && tipo.ultimoAtributo == 0; --k)
        if (campos_[tipo.filas[k - 1]].atributo)
            tipo.ultimoAtributo = k;
}

CValidarArchivo::TipoPlano& CValidarArchivo::TipoDeTexto(const std::string& tipo) {
    const auto [it, nuevo] = indiceTipos_.try_emplace(tipo, tipos_.size());
    if (nuevo)
        tipos_.emplace_back().tipo = tipo;
    return tipos_[it->second];
}

// The answers never change within a run: a type of two ASCII characters, as
// record types are, is looked up by its text once.
CValidarArchivo::TipoLeido CValidarArchivo::TipoDeLinea(std::string_view texto) {
    const bool ascii = texto.size() >= 2 && static_cast<unsigned char>(texto[0]) < 0x80 &&
                       static_cast<unsigned char>(texto[1]) < 0x80;
    const auto codigo = static_cast<std::uint16_t>(
        ascii ? static_cast<unsigned char>(texto[0]) << 8 | static_cast<unsigned char>(texto[1])
              : 0);
    if (ascii)
        for (const auto& [clave, leido] : leidos_)
            if (clave == codigo)
                return leido;
    const std::string tipo = rt::left(texto, 2);
    const TipoLeido leido{BuscarTipo(tipo), anidamiento_->Tipo(tipo)};
    if (ascii && leidos_.size() < 64)
        leidos_.emplace_back(codigo, leido);
    return leido;
}

const CValidarArchivo::TipoPlano* CValidarArchivo::BuscarTipo(const std::string& tipo) const {
    const auto it = indiceTipos_.find(tipo);
    return it == indiceTipos_.end() ? nullptr : &tipos_[it->second];
}

bool CValidarArchivo::ValidarRegistro(const std::string& pFormulario, const std::string& pVersion,
                                      const TipoPlano* tipo) {
    if (!tipo || tipo->indice == 0) {
        vError = "El tipo de registro es invalido";
        return false;
    }
    if (FuncGral().TotalSeparador(linea_) - 1 != tipo->campos) {
        vError = "Cantidad de Campos Incorrectos";
        return false;
    }

    lector_.Posicionar(4);
    for (int f = tipo->primera; f <= tipo->ultima; ++f) {
        TablaTexto::FilaVisitada(f);
        const CampoRegla& campo = campos_[f];
        const std::string_view valor = lector_.ObtenerCampo();
        std::string mensaje = ReglasDelCampo(campo, valor);
        if (!mensaje.empty()) {
            vError = std::move(mensaje);
            return false;
        }
        PasoElemento(valor, campo, pFormulario, pVersion);
    }
    return true;
}

// The message of the first rule the value breaks, "" when it meets them all.
std::string CValidarArchivo::ReglasDelCampo(const CampoRegla& campo, std::string_view valor) const {
    std::string mensaje = ReglasCampo::Verificar(campo, valor);
    if (!mensaje.empty() || !campo.cuit)
        return mensaje;
    // The CUIT always sits right after the record type, whichever field names it.
    const std::size_t desde = rt::byteOffset(linea_, 3);
    const std::string_view resto = std::string_view(linea_).substr(desde);
    if (resto.substr(0, rt::byteOffset(resto, 11)) != cuitRecortado_)
        return "El Cuit es distinto al cargado en el Sistema";
    return {};
}

// Attribute fields are already in the start tag.
void CValidarArchivo::PasoElemento(std::string_view valor, const CampoRegla& campo,
                                   const std::string& pFormulario, const std::string& pVersion) {
    if (campo.atributo)
        return;
    AgregarElemento(valor, campo);
    GrabarBloques(pFormulario, pVersion);
}

// The k-th value of the line becomes an attribute when the k-th field row of
// the line's record type is marked as one.
std::string CValidarArchivo::ArmarAtributos(const rt::DataLine& linea, const TipoPlano* tipo) {
    // Reading the values of a longer line carries the position beyond 32767.
    if (linea.cut())
        rt::raise(rt::err::Overflow);
    std::string resultado;
    lector_.Posicionar(4);
    // Past the type's last attribute the walk finds none; it can only fail
    // on a line long enough to count positions or a matrix past row 32,767.
    const bool todos = lector_.CuentaPosiciones() || campos_.size() > 32768;
    const std::size_t hasta = todos ? SIZE_MAX : tipo ? tipo->ultimoAtributo : 0;
    rt::Int16 k = 0;
    while (!lector_.AlFinal() && static_cast<std::size_t>(k) < hasta) {
        ++k;
        const std::string_view valor = lector_.ObtenerCampo();
        const CampoRegla* campo = CampoDelAtributo(k, tipo);
        if (!campo)
            continue;
        if (!resultado.empty())
            resultado += ' ';
        resultado.append(campo->nombre).append("=\"");
        TextoXml::AgregarAtributo(resultado, valor);
        resultado += '"';
    }
    return resultado;
}

// The field of the k-th value when it is an attribute, else none. The walk
// from row 1 stops only at that attribute; any other walk visits every row.
const CampoRegla* CValidarArchivo::CampoDelAtributo(int k, const TipoPlano* tipo) const {
    const bool hay = tipo && static_cast<std::size_t>(k) <= tipo->filas.size();
    const int fila = hay ? tipo->filas[k - 1] : 0;
    const bool atributo = fila != 0 && campos_[fila].atributo;
    TablaTexto::FilaVisitada(atributo ? fila : static_cast<int>(campos_.size()) - 1);
    return atributo ? &campos_[fila] : nullptr;
}
