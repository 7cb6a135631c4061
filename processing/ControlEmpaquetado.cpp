#include "processing/ControlEmpaquetado.h"

#include "platform/runtime/LineCounter.h"
#include "platform/xml/Codificacion.h"
#include "platform/xml/TextoMostrado.h"

#include <algorithm>
#include <limits>

namespace {

// The declaration, when there is one, lies in the first bytes of the file.
constexpr std::size_t kPrologo = 4096;
constexpr std::string_view kEspacios = " \t\r\n";

std::string TextoAncho(std::uint64_t linea) {
    return "El documento no puede enviarse tal como está: en la línea " + std::to_string(linea) +
           " se ve que está grabado en UTF-16 o UTF-32. Grábelo en UTF-8 y vuelva a "
           "procesarlo.";
}

std::string TextoCodificacion(std::uint64_t linea, const std::string& nombre) {
    return "El documento no puede enviarse tal como está: en la línea " + std::to_string(linea) +
           " declara la codificación \"" + xml::mostrado(nombre) +
           "\", y el sistema solo admite UTF-8, US-ASCII, ISO-8859-1 a ISO-8859-16 y "
           "windows-1250 a windows-1258. Grábelo en UTF-8 y vuelva a procesarlo.";
}

std::string TextoPegado(std::uint64_t linea, std::uint64_t siguiente) {
    return "El documento no puede enviarse tal como está: en la línea " + std::to_string(linea) +
           " un dato queda cortado y sigue en la línea " + std::to_string(siguiente) +
           "; al armar el archivo las dos partes quedarían pegadas. Escriba ese dato en una "
           "sola línea y vuelva a procesarlo.";
}

// The bytes below 32 become blanks in the records, so they separate as a
// blank does.
bool Separa(unsigned char c) {
    return c <= ' ';
}

// Two kept lines joined with nothing between them glue two pieces of text
// into one, unless a markup boundary or a blank stands at the join.
bool Pega(unsigned char ultimo, unsigned char primero) {
    return !Separa(ultimo) && ultimo != '>' && !Separa(primero) && primero != '<';
}

// The value of the encoding pseudo-attribute that starts at desde, or empty.
std::string_view ValorEncoding(std::string_view declaracion, std::size_t desde) {
    std::size_t i = declaracion.find_first_not_of(kEspacios, desde);
    if (i == std::string_view::npos || declaracion[i] != '=')
        return {};
    i = declaracion.find_first_not_of(kEspacios, i + 1);
    if (i == std::string_view::npos || (declaracion[i] != '"' && declaracion[i] != '\''))
        return {};
    const std::size_t fin = declaracion.find(declaracion[i], i + 1);
    if (fin == std::string_view::npos)
        return {};
    return declaracion.substr(i + 1, fin - i - 1);
}

// UTF-16, UTF-32, UCS-2 and UCS-4 under any of their names (UTF16LE,
// ISO-10646-UCS-2...).
bool NombraCodificacionAncha(std::string_view nombre) {
    std::string plano;
    for (char c : nombre)
        if (c != '-' && c != '_' && c != ' ')
            plano += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (std::string_view ancho : {"UTF16", "UTF32", "UCS2", "UCS4"})
        if (plano.find(ancho) != std::string::npos)
            return true;
    return false;
}

} // namespace

bool ControlEmpaquetado::Revisar(const std::string& ruta) {
    error_.clear();
    aviso_.clear();
    editor_ = rt::LineCounter();
    lineaEncoding_ = 1;
    hayAnterior_ = false;
    LineasEnBloques entrada(ruta);
    if (!CodificacionAceptable(
            entrada.Leer(0, std::numeric_limits<std::uint64_t>::max(), kPrologo)))
        return false;
    // What the parser read the document as, whatever the bytes look like.
    const std::string declarada = xml::Codificacion::declarada(ruta);
    if (!xml::Codificacion::compatible(declarada))
        return Rechazar(TextoCodificacion(lineaEncoding_, declarada));
    LineasEnBloques::Linea linea;
    while (entrada.Siguiente(linea))
        if (!RevisarLinea(entrada, linea))
            return false;
    return true;
}

bool ControlEmpaquetado::CodificacionAceptable(std::string_view inicio) {
    using namespace std::string_view_literals;
    for (std::string_view marca : {"\xFF\xFE"sv, "\xFE\xFF"sv, "\0\0\xFE\xFF"sv})
        if (inicio.starts_with(marca))
            return Rechazar(TextoAncho(1));
    std::string_view sinMarca = inicio;
    if (sinMarca.starts_with("\xEF\xBB\xBF"))
        sinMarca.remove_prefix(3);
    if (!sinMarca.starts_with("<?xml"))
        return true;
    const std::size_t fin = sinMarca.find("?>");
    const std::size_t encoding = sinMarca.substr(0, fin).find("encoding");
    if (fin == std::string_view::npos || encoding == std::string_view::npos)
        return true;
    const std::string_view declaracion = sinMarca.substr(0, fin);
    rt::LineCounter lineas;
    lineas.feed(declaracion.substr(0, encoding));
    lineaEncoding_ = lineas.line();
    if (!NombraCodificacionAncha(ValorEncoding(declaracion, encoding + 8)))
        return true;
    return Rechazar(TextoAncho(lineaEncoding_));
}

bool ControlEmpaquetado::RevisarLinea(LineasEnBloques& entrada,
                                      const LineasEnBloques::Linea& linea) {
    const std::uint64_t lineaInicio = editor_.line();
    bool enBlanco = true;
    bool vacia = true;
    unsigned char primero = 0;
    unsigned char ultimo = 0;
    const bool sinNulos =
        entrada.Recorrer(linea, LineasEnBloques::kBloque, [&](std::string_view trozo) {
            const std::size_t nulo = trozo.find('\0');
            if (nulo != std::string_view::npos) {
                editor_.feed(trozo.substr(0, nulo));
                return false;
            }
            if (vacia)
                primero = static_cast<unsigned char>(trozo.front());
            vacia = false;
            ultimo = static_cast<unsigned char>(trozo.back());
            enBlanco = enBlanco && trozo.find_first_not_of(' ') == std::string_view::npos;
            editor_.feed(trozo);
            return true;
        });
    if (!sinNulos)
        return Rechazar(TextoAncho(editor_.line()));
    if (!enBlanco) {
        if (hayAnterior_ && aviso_.empty() && Pega(ultimoAnterior_, primero))
            aviso_ = TextoPegado(lineaAnterior_, lineaInicio);
        hayAnterior_ = true;
        ultimoAnterior_ = ultimo;
        lineaAnterior_ = editor_.line();
    }
    // The CR (or CR LF) that ended the line, which the reader took off.
    editor_.feed("\r");
    return true;
}

bool ControlEmpaquetado::Rechazar(std::string texto) {
    error_ = std::move(texto);
    return false;
}
