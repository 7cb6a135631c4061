#include "platform/xml/HechosError.h"

#include "platform/xml/Codificacion.h"
#include "platform/xml/EtiquetaEnCurso.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <string_view>

namespace xml {

namespace {

// Enumerations of more values than this are not listed.
constexpr std::size_t kValoresListados = 8;

std::string_view texto(const char* s) {
    return s ? std::string_view(s) : std::string_view();
}

std::optional<std::string> dado(const char* s) {
    return s ? std::optional<std::string>(s) : std::nullopt;
}

// libxml2's messages end in a line break.
std::string sinFinal(const char* mensaje) {
    std::string s(texto(mensaje));
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

// "{namespace}local" or "local": the local name, which holds no "}".
std::string local(std::string_view nombre) {
    const std::size_t llave = nombre.rfind('}');
    return std::string(llave == std::string_view::npos ? nombre : nombre.substr(llave + 1));
}

// Where the qualified name starting at p ends: before the first of the given
// ends, looked for past the namespace, which may hold quotes and commas.
std::size_t finDeNombre(std::string_view m, std::size_t p, std::string_view fin) {
    std::size_t desde = p;
    if (p < m.size() && m[p] == '{')
        if (const std::size_t llave = m.find('}', p); llave != std::string_view::npos)
            desde = llave;
    return m.find(fin, desde);
}

// The schema validator's messages open with "Element '<name>': " or
// "Element '<name>', attribute '<name>': "; what follows is returned.
std::string_view sujeto(std::string_view m, HechosError& h) {
    constexpr std::string_view kElemento = "Element '";
    constexpr std::string_view kAtributo = "', attribute '";
    if (m.substr(0, kElemento.size()) != kElemento)
        return m;
    std::size_t p = kElemento.size();
    const std::size_t dosPuntos = finDeNombre(m, p, "': ");
    const std::size_t coma = finDeNombre(m, p, kAtributo);
    if (coma < dosPuntos) {
        h.elemento = local(m.substr(p, coma - p));
        p = coma + kAtributo.size();
        const std::size_t fin = finDeNombre(m, p, "': ");
        if (fin == std::string_view::npos)
            return {};
        h.atributo = local(m.substr(p, fin - p));
        return m.substr(fin + 3);
    }
    if (dosPuntos == std::string_view::npos)
        return {};
    h.elemento = local(m.substr(p, dosPuntos - p));
    return m.substr(dosPuntos + 3);
}

// "Expected is ( {ns}a )." or "Expected is one of ( {ns}a, b, ... )."; the
// local names, wildcards left out.
std::vector<std::string> esperados(std::string_view resto) {
    std::vector<std::string> nombres;
    std::size_t p = resto.find("Expected is ");
    if (p == std::string_view::npos || (p = resto.find("( ", p)) == std::string_view::npos)
        return nombres;
    p += 2;
    while (p < resto.size()) {
        std::size_t fin = finDeNombre(resto, p, ", ");
        const std::size_t cierre = finDeNombre(resto, p, " )");
        const bool ultimo = cierre < fin;
        fin = ultimo ? cierre : fin;
        if (fin == std::string_view::npos)
            return {};
        const std::string nombre = local(resto.substr(p, fin - p));
        if (!nombre.empty() && nombre.find('*') == std::string::npos && nombre[0] != '#')
            nombres.push_back(nombre);
        if (ultimo)
            break;
        p = fin + 2;
    }
    return nombres;
}

// "'A', 'B', 'C'": the values, or none when the text is not of that form.
std::vector<std::string> conjunto(std::string_view s) {
    std::vector<std::string> valores;
    if (s.size() < 2 || s.front() != '\'' || s.back() != '\'')
        return valores;
    s = s.substr(1, s.size() - 2);
    for (std::size_t p = 0;;) {
        const std::size_t fin = s.find("', '", p);
        valores.emplace_back(s.substr(p, fin - p));
        if (fin == std::string_view::npos)
            return valores;
        p = fin + 4;
    }
}

// The first "0xNN" of a list of bytes such as "Bytes: 0xE9 0x3C".
std::string primerByte(std::string_view s) {
    const std::size_t p = s.find("0x");
    return p == std::string_view::npos || p + 4 > s.size() ? std::string()
                                                           : std::string(s.substr(p, 4));
}

std::string puntoDeCodigo(int c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    return buf;
}

// The parser behind a well-formedness error, whose state tells more than
// the error's arguments.
const xmlParserCtxt* analizador(const xmlError& error) {
    return error.domain == XML_FROM_PARSER ? static_cast<const xmlParserCtxt*>(error.ctxt)
                                           : nullptr;
}

bool empieza(const xmlError& error, std::string_view inicio) {
    return texto(error.message).substr(0, inicio.size()) == inicio;
}

// For a code that libxml2 also gives to other faults, only the one of this
// message has a text.
void soloCon(const xmlError& error, std::string_view inicio, HechosError& h) {
    if (!empieza(error, inicio))
        h.caso = Caso::Otro;
}

// A fault met while the parser reads the XML declaration (dentro) or
// elsewhere (fuera). Once it has read the encoding's name it reads on with
// that encoding: one that does not keep ASCII makes the rest of the
// declaration unreadable, whatever the fault named.
void declaracion(const xmlError& error, Caso dentro, Caso fuera, HechosError& h) {
    const xmlParserCtxt* ctxt = analizador(error);
    const bool enDeclaracion = ctxt && ctxt->instate == XML_PARSER_START;
    const char* nombre = enDeclaracion && ctxt->input
                             ? reinterpret_cast<const char*>(ctxt->input->encoding)
                             : nullptr;
    if (nombre && !Codificacion::conservaAscii(nombre)) {
        h.caso = Caso::Ilegible;
        h.codificacion = nombre;
    } else {
        h.caso = enDeclaracion ? dentro : fuera;
    }
}

// The start tag the parser was reading; none when its input is unknown.
std::optional<EtiquetaEnCurso> etiquetaEnCurso(const xmlError& error) {
    const xmlParserCtxt* ctxt = analizador(error);
    if (!ctxt || !ctxt->input || !ctxt->input->base || !ctxt->input->cur)
        return std::nullopt;
    return EtiquetaEnCurso::de(
        std::string_view(reinterpret_cast<const char*>(ctxt->input->base),
                         static_cast<std::size_t>(ctxt->input->cur - ctxt->input->base)));
}

// The parser stops at the end of the input with "Extra content at the end of
// the document" whatever is wrong there; its state says what it was.
void finDelDocumento(const xmlError& error, HechosError& h) {
    const xmlParserCtxt* ctxt = analizador(error);
    if (!ctxt) {
        h.caso = Caso::Otro;
        return;
    }
    const xmlParserInputBufferPtr buf = ctxt->input ? ctxt->input->buf : nullptr;
    if (buf && buf->raw && xmlBufUse(buf->raw) > 0) {
        h.caso = Caso::Codificacion;
        h.codificacion = std::string(texto(reinterpret_cast<const char*>(ctxt->encoding)));
    } else if (ctxt->instate == XML_PARSER_EPILOG) {
        h.caso = Caso::DespuesDeRaiz;
    } else if (ctxt->nameNr > 0 && ctxt->name) {
        h.caso = Caso::FinTemprano;
        h.elemento = local(reinterpret_cast<const char*>(ctxt->name));
    } else {
        h.caso = Caso::SinRaiz;
    }
}

void caracterInvalido(const xmlError& error, HechosError& h) {
    if (error.str1) {
        h.caso = Caso::NoUtf8;
        h.bytes = primerByte(error.str1);
    } else if (error.int1 > 0) {
        h.caso = Caso::CaracterConCodigo;
        h.caracter = puntoDeCodigo(error.int1);
    }
}

void apertura(const xmlError& error, HechosError& h) {
    const std::optional<EtiquetaEnCurso> etiqueta = etiquetaEnCurso(error);
    h.caso = etiqueta ? Caso::Apertura : Caso::Otro;
    if (etiqueta)
        h.elemento = etiqueta->elemento;
}

// One code, XML_ERR_NAME_REQUIRED, for a name missing after "&", after "<"
// or where an attribute should start; only the message tells which.
void nombreFaltante(const xmlError& error, HechosError& h) {
    if (empieza(error, "xmlParseEntityRef"))
        h.caso = Caso::Ampersand;
    else if (empieza(error, "StartTag"))
        h.caso = Caso::MenorQue;
    else if (empieza(error, "error parsing attribute name"))
        apertura(error, h);
    else
        h.caso = Caso::Otro;
}

// An attribute's value that holds a "<" or never ends.
void valorAbierto(const xmlError& error, HechosError& h) {
    const std::optional<EtiquetaEnCurso> etiqueta = etiquetaEnCurso(error);
    if (!etiqueta || etiqueta->atributo.empty()) {
        h.caso = Caso::Otro;
        return;
    }
    h.elemento = etiqueta->elemento;
    h.atributo = etiqueta->atributo;
}

// A '>' missing: at the end of the start tag named, or of the end tag of the
// element open.
void mayorQue(const xmlError& error, HechosError& h) {
    const xmlParserCtxt* ctxt = analizador(error);
    if (error.str1) {
        h.caso = Caso::Apertura;
        h.elemento = local(texto(error.str1));
    } else if (ctxt && ctxt->name) {
        h.elemento = local(reinterpret_cast<const char*>(ctxt->name));
    }
}

// "p:a" gives the prefix and the element; "p:n" on "a" the attribute too.
void prefijoSinDeclarar(const xmlError& error, HechosError& h) {
    h.prefijo = std::string(texto(error.str1));
    if (error.str3) {
        h.atributo = local(texto(error.str2));
        h.elemento = local(texto(error.str3));
    } else {
        h.elemento = local(texto(error.str2));
    }
}

// "a" alone, "p" and "a" of "p:a", or "xmlns" and "p" of a declaration.
void atributoRepetido(const xmlError& error, HechosError& h) {
    const std::string_view primero = texto(error.str1);
    if (!error.str2)
        h.atributo = local(primero);
    else if (primero == "xmlns")
        h.atributo = "xmlns:" + std::string(error.str2);
    else
        h.atributo = local(texto(error.str2));
}

void contenido(std::string_view resto, HechosError& h) {
    h.lista = esperados(resto);
    if (resto.find("Missing child element") != std::string_view::npos)
        h.caso = Caso::FaltanHijos;
    else if (resto.find("This element is not expected") != std::string_view::npos)
        h.caso = h.lista.empty() ? Caso::Unico : Caso::ConLista;
    else
        h.caso = Caso::Otro;
}

// For an attribute the value comes first, then its length and the limit; an
// element's error gives the length and the limit only.
void longitud(const xmlError& error, HechosError& h) {
    const bool conValor = error.str3 != nullptr;
    if (conValor)
        h.valor = dado(error.str1);
    h.largo = std::string(texto(conValor ? error.str2 : error.str1));
    h.limite = std::string(texto(conValor ? error.str3 : error.str2));
}

void enumeracion(const xmlError& error, HechosError& h) {
    h.valor = dado(error.str1);
    h.lista = conjunto(texto(error.str2));
    if (!h.lista.empty() && h.lista.size() <= kValoresListados)
        h.caso = Caso::ConLista;
    else
        h.lista.clear();
}

void esquema(const xmlError& error, HechosError& h) {
    const std::string_view resto = sujeto(texto(error.message), h);
    switch (error.code) {
    case XML_SCHEMAV_ELEMENT_CONTENT:
        contenido(resto, h);
        break;
    case XML_SCHEMAV_CVC_COMPLEX_TYPE_4:
        h.atributo = local(texto(error.str1));
        break;
    case XML_SCHEMAV_CVC_LENGTH_VALID:
    case XML_SCHEMAV_CVC_MINLENGTH_VALID:
    case XML_SCHEMAV_CVC_MAXLENGTH_VALID:
        longitud(error, h);
        break;
    case XML_SCHEMAV_CVC_ENUMERATION_VALID:
        enumeracion(error, h);
        break;
    default:
        h.valor = dado(error.str1);
        h.limite = std::string(texto(error.str2));
    }
}

// The markup's faults of a document written by hand, and the validator's.
void marcado(const xmlError& error, HechosError& h) {
    switch (error.code) {
    case XML_ERR_NAME_REQUIRED:
        nombreFaltante(error, h);
        break;
    case XML_ERR_ENTITYREF_SEMICOL_MISSING:
        h.caso = Caso::Ampersand;
        break;
    case XML_ERR_SPACE_REQUIRED:
        if (empieza(error, "attributes construct error"))
            apertura(error, h);
        else
            declaracion(error, Caso::Declaracion,
                        empieza(error, "ParsePI: PI ") ? Caso::Instruccion : Caso::Otro, h);
        break;
    case XML_ERR_STRING_NOT_STARTED:
    case XML_ERR_EQUAL_REQUIRED:
        declaracion(error, Caso::Declaracion, Caso::Otro, h);
        break;
    case XML_ERR_XMLDECL_NOT_FINISHED:
    case XML_ERR_STRING_NOT_CLOSED:
        declaracion(error, Caso::Unico, Caso::Unico, h);
        break;
    case XML_ERR_UNKNOWN_VERSION:
        h.valor = dado(error.str1);
        break;
    case XML_NS_ERR_XML_NAMESPACE:
        soloCon(error, "xml namespace prefix mapped to wrong URI", h);
        break;
    case XML_WAR_NS_URI:
        // "xmlns:p" gives the prefix and the name, "xmlns" the name alone.
        h.valor = dado(error.str2 ? error.str2 : error.str1);
        break;
    case XML_ERR_GT_REQUIRED:
        mayorQue(error, h);
        break;
    case XML_ERR_ATTRIBUTE_NOT_FINISHED:
        if (empieza(error, "AttValue length too long"))
            h.caso = Caso::Enorme;
        else
            valorAbierto(error, h);
        break;
    case XML_ERR_LT_IN_ATTRIBUTE:
        valorAbierto(error, h);
        break;
    case XML_ERR_COMMENT_NOT_FINISHED:
        if (empieza(error, "Comment too big"))
            h.caso = Caso::Enorme;
        break;
    // Past the parser's limits on one piece of text or markup.
    case XML_ERR_NO_MEMORY:
        soloCon(error, "xmlSAX2Characters: huge text node", h);
        break;
    case XML_ERR_INTERNAL_ERROR:
        if (texto(error.str1) != "Huge input lookup")
            h.caso = Caso::Otro;
        break;
    case XML_NS_ERR_UNDEFINED_NAMESPACE:
        prefijoSinDeclarar(error, h);
        break;
    case XML_ERR_UNSUPPORTED_ENCODING:
        h.codificacion = std::string(texto(error.str1));
        break;
    case XML_ERR_RESERVED_XML_NAME:
        soloCon(error, "XML declaration allowed", h);
        break;
    case XML_ERR_INVALID_ENCODING:
        soloCon(error, "Document labelled UTF-16 but has UTF-8", h);
        break;
    default:
        if (error.domain == XML_FROM_SCHEMASV)
            esquema(error, h);
    }
}

} // namespace

HechosError hechosDe(const xmlError& error) {
    HechosError h;
    h.codigo = error.code;
    h.linea = error.line;
    h.mensaje = sinFinal(error.message);
    switch (error.code) {
    case XML_ERR_DOCUMENT_END:
        finDelDocumento(error, h);
        break;
    case XML_ERR_INVALID_CHAR:
        caracterInvalido(error, h);
        break;
    case XML_I18N_CONV_FAILED:
        h.bytes = primerByte(texto(error.str1));
        break;
    case XML_ERR_TAG_NAME_MISMATCH:
        h.elemento = local(texto(error.str1));
        h.cierre = local(texto(error.str2));
        h.lineaApertura = error.int1;
        break;
    case XML_ERR_UNDECLARED_ENTITY:
    case XML_WAR_UNDECLARED_ENTITY:
        h.entidad = std::string(texto(error.str1));
        break;
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
    case XML_NS_ERR_ATTRIBUTE_REDEFINED:
        h.atributo = local(texto(error.str1));
        break;
    case XML_ERR_ATTRIBUTE_REDEFINED:
        atributoRepetido(error, h);
        break;
    default:
        marcado(error, h);
    }
    return h;
}

} // namespace xml
