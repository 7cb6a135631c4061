#include "platform/xml/TablaRazones.h"

#include "platform/xml/TextoMostrado.h"

#include <libxml/xmlerror.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace xml {

namespace {

// A text shared by up to three codes; unused places hold 0.
struct Razon {
    std::array<int, 3> codigos;
    Caso caso;
    const char* texto;
};

// {lugar} is "elemento «X»" or "atributo «a» del elemento «X»";
// {enLinea} is " en la línea N", or nothing when the line is unknown.
constexpr Razon kRazones[] = {
    // Values
    {{XML_SCHEMAV_CVC_ELT_5_2_2_2_1, XML_SCHEMAV_CVC_ELT_5_2_2_2_2, XML_SCHEMAV_CVC_AU},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} debe ser «{limite}», el único que admite"},
    {{XML_SCHEMAV_CVC_DATATYPE_VALID_1_2_1, XML_SCHEMAV_CVC_DATATYPE_VALID_1_2_2,
      XML_SCHEMAV_CVC_DATATYPE_VALID_1_2_3},
     Caso::Unico,
     "El valor «{valor}» no es válido para el {lugar}{enLinea}"},
    // An attribute's error gives its value; an element's does not.
    {{XML_SCHEMAV_CVC_LENGTH_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} tiene longitud {largo}; la longitud requerida es "
     "{limite}"},
    {{XML_SCHEMAV_CVC_MINLENGTH_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} tiene longitud {largo}; la longitud mínima es "
     "{limite}"},
    {{XML_SCHEMAV_CVC_MAXLENGTH_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} tiene longitud {largo}; la longitud máxima es "
     "{limite}"},
    {{XML_SCHEMAV_CVC_LENGTH_VALID},
     Caso::Unico,
     "El valor del {lugar}{enLinea} tiene longitud {largo}; la longitud requerida es {limite}"},
    {{XML_SCHEMAV_CVC_MINLENGTH_VALID},
     Caso::Unico,
     "El valor del {lugar}{enLinea} tiene longitud {largo}; la longitud mínima es {limite}"},
    {{XML_SCHEMAV_CVC_MAXLENGTH_VALID},
     Caso::Unico,
     "El valor del {lugar}{enLinea} tiene longitud {largo}; la longitud máxima es {limite}"},
    {{XML_SCHEMAV_CVC_PATTERN_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} no tiene la forma requerida"},
    {{XML_SCHEMAV_CVC_ENUMERATION_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} no es uno de los admitidos"},
    {{XML_SCHEMAV_CVC_ENUMERATION_VALID},
     Caso::ConLista,
     "El valor «{valor}» del {lugar}{enLinea} no es uno de los admitidos: {lista}"},
    {{XML_SCHEMAV_CVC_MININCLUSIVE_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} es menor que el mínimo admitido, {limite}"},
    {{XML_SCHEMAV_CVC_MAXINCLUSIVE_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} es mayor que el máximo admitido, {limite}"},
    {{XML_SCHEMAV_CVC_MINEXCLUSIVE_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} debe ser mayor que {limite}"},
    {{XML_SCHEMAV_CVC_MAXEXCLUSIVE_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} debe ser menor que {limite}"},
    {{XML_SCHEMAV_CVC_TOTALDIGITS_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} tiene demasiados dígitos; el máximo es {limite}"},
    {{XML_SCHEMAV_CVC_FRACTIONDIGITS_VALID},
     Caso::Unico,
     "El valor «{valor}» del {lugar}{enLinea} tiene demasiados decimales; el máximo es {limite}"},
    // Structure
    {{XML_SCHEMAV_ELEMENT_CONTENT},
     Caso::Unico,
     "El elemento «{elemento}»{enLinea} no corresponde en ese lugar"},
    {{XML_SCHEMAV_ELEMENT_CONTENT},
     Caso::ConLista,
     "El elemento «{elemento}»{enLinea} no corresponde en ese lugar; se esperaba {lista}"},
    {{XML_SCHEMAV_ELEMENT_CONTENT},
     Caso::FaltanHijos,
     "Faltan elementos dentro de «{elemento}»{enLinea}; se esperaba {lista}"},
    {{XML_SCHEMAV_CVC_ELT_1},
     Caso::Unico,
     "El elemento «{elemento}»{enLinea} no es el elemento raíz de este formulario"},
    {{XML_SCHEMAV_CVC_COMPLEX_TYPE_2_3},
     Caso::Unico,
     "El elemento «{elemento}»{enLinea} solo puede contener otros elementos, no texto"},
    {{XML_SCHEMAV_CVC_ELT_3_2_1},
     Caso::Unico,
     "El elemento «{elemento}»{enLinea} está marcado como nulo (xsi:nil) y no puede tener "
     "contenido"},
    {{XML_SCHEMAV_CVC_COMPLEX_TYPE_2_1},
     Caso::Unico,
     "El elemento «{elemento}»{enLinea} debe estar vacío: no admite texto"},
    {{XML_SCHEMAV_CVC_ELT_3_1},
     Caso::Unico,
     "El elemento «{elemento}»{enLinea} no admite la marca de nulo (xsi:nil)"},
    {{XML_SCHEMAV_CVC_TYPE_3_1_2},
     Caso::Unico,
     "El elemento «{elemento}»{enLinea} solo puede contener texto, no otros elementos"},
    {{XML_SCHEMAV_CVC_COMPLEX_TYPE_4},
     Caso::Unico,
     "Falta el atributo obligatorio «{atributo}» en el elemento «{elemento}»{enLinea}"},
    {{XML_SCHEMAV_CVC_COMPLEX_TYPE_3_2_1, XML_SCHEMAV_CVC_TYPE_3_1_1},
     Caso::Unico,
     "El atributo «{atributo}» no está permitido en el elemento «{elemento}»{enLinea}"},
    {{XML_ERR_ATTRIBUTE_REDEFINED, XML_NS_ERR_ATTRIBUTE_REDEFINED},
     Caso::Unico,
     "El atributo «{atributo}» aparece dos veces en el mismo elemento{enLinea}"},
    // Well-formedness
    {{XML_ERR_TAG_NAME_MISMATCH},
     Caso::Unico,
     "La etiqueta de cierre «{cierre}»{enLinea} no corresponde a la de apertura «{elemento}» "
     "de la línea {lineaApertura}"},
    {{XML_ERR_DOCUMENT_END},
     Caso::FinTemprano,
     "El documento termina{enLinea} sin cerrar el elemento «{elemento}»"},
    {{XML_ERR_DOCUMENT_END}, Caso::SinRaiz, "El documento termina{enLinea} sin ningún elemento"},
    {{XML_ERR_DOCUMENT_END},
     Caso::DespuesDeRaiz,
     "Hay contenido después del cierre del elemento raíz{enLinea}"},
    {{XML_ERR_DOCUMENT_END},
     Caso::Codificacion,
     "El texto{enLinea} tiene bytes que no corresponden a la codificación declarada, "
     "{codificacion}"},
    {{XML_I18N_CONV_FAILED},
     Caso::Unico,
     "El texto{enLinea} tiene bytes que no corresponden a la codificación declarada, "
     "{codificacion}"},
    {{XML_I18N_CONV_FAILED},
     Caso::Unico,
     "El archivo tiene bytes que no corresponden a la codificación declarada (el primero, "
     "{bytes})"},
    {{XML_ERR_INVALID_CHAR},
     Caso::NoUtf8,
     "El texto{enLinea} no está codificado en UTF-8 (byte {bytes}); guarde el archivo en UTF-8 "
     "o declare su codificación"},
    {{XML_ERR_INVALID_CHAR},
     Caso::CaracterConCodigo,
     "El carácter {caracter}{enLinea} no está permitido en un documento XML"},
    {{XML_ERR_INVALID_CHAR},
     Caso::Unico,
     "Hay un carácter no permitido en un documento XML{enLinea}"},
    {{XML_ERR_INVALID_HEX_CHARREF, XML_ERR_INVALID_DEC_CHARREF},
     Caso::Unico,
     "La referencia a un carácter «&#…;»{enLinea} no tiene un número válido"},
    {{XML_ERR_UNDECLARED_ENTITY, XML_WAR_UNDECLARED_ENTITY},
     Caso::Unico,
     "La entidad «&{entidad};»{enLinea} no está definida"},
    {{XML_ERR_ATTRIBUTE_WITHOUT_VALUE},
     Caso::Unico,
     "El atributo «{atributo}»{enLinea} no tiene valor"},
    {{XML_ERR_ATTRIBUTE_NOT_STARTED},
     Caso::Unico,
     "El valor de un atributo{enLinea} no está entre comillas"},
    {{XML_ERR_NAME_REQUIRED, XML_ERR_ENTITYREF_SEMICOL_MISSING},
     Caso::Ampersand,
     "El carácter «&»{enLinea} debe escribirse «&amp;»"},
    {{XML_ERR_NAME_REQUIRED},
     Caso::MenorQue,
     "El carácter «<»{enLinea} no abre una etiqueta válida; dentro de un texto debe escribirse "
     "«&lt;»"},
    {{XML_ERR_LT_IN_ATTRIBUTE},
     Caso::Unico,
     "El valor del {lugar}{enLinea} contiene «<», que debe escribirse «&lt;», o no cierra sus "
     "comillas"},
    {{XML_ERR_ATTRIBUTE_NOT_FINISHED},
     Caso::Unico,
     "El valor del {lugar}{enLinea} no cierra sus comillas"},
    {{XML_ERR_NAME_REQUIRED, XML_ERR_SPACE_REQUIRED, XML_ERR_GT_REQUIRED},
     Caso::Apertura,
     "La etiqueta de apertura de «{elemento}»{enLinea} no termina en «>» o tiene un atributo mal "
     "escrito"},
    {{XML_ERR_GT_REQUIRED},
     Caso::Unico,
     "La etiqueta de cierre de «{elemento}»{enLinea} no termina en «>»"},
    {{XML_NS_ERR_UNDEFINED_NAMESPACE},
     Caso::Unico,
     "El prefijo «{prefijo}» del {lugar}{enLinea} no está declarado"},
    {{XML_ERR_UNSUPPORTED_ENCODING},
     Caso::Unico,
     "La codificación declarada{enLinea}, «{codificacion}», no es conocida; guarde el archivo "
     "en UTF-8 y declare esa codificación"},
    {{XML_ERR_INVALID_ENCODING},
     Caso::Unico,
     "La codificación declarada{enLinea} es UTF-16, pero el archivo está escrito en UTF-8; "
     "declare «UTF-8»"},
    {{XML_ERR_MISPLACED_CDATA_END},
     Caso::Unico,
     "El texto{enLinea} contiene «]]>», que debe escribirse «]]&gt;»"},
    {{XML_ERR_HYPHEN_IN_COMMENT},
     Caso::Unico,
     "El comentario{enLinea} contiene «--», que no se admite dentro de un comentario"},
    {{XML_ERR_COMMENT_NOT_FINISHED},
     Caso::Unico,
     "El documento termina{enLinea} dentro de un comentario que no se cierra con «-->»"},
    // Past the parser's limits
    {{XML_ERR_NO_MEMORY},
     Caso::Unico,
     "El texto{enLinea} es demasiado largo: el lector de XML admite hasta 10.000.000 de bytes "
     "de texto seguido dentro de un elemento"},
    {{XML_ERR_COMMENT_NOT_FINISHED},
     Caso::Enorme,
     "El comentario{enLinea} es demasiado largo: el lector de XML admite hasta 10.000.000 de "
     "bytes en un comentario"},
    {{XML_ERR_ATTRIBUTE_NOT_FINISHED},
     Caso::Enorme,
     "El valor de un atributo{enLinea} es demasiado largo: el lector de XML admite hasta "
     "10.000.000 de bytes en un valor"},
    {{XML_ERR_INTERNAL_ERROR},
     Caso::Unico,
     "Hay{enLinea} un comentario, un texto o una etiqueta demasiado largo: el lector de XML no "
     "admite más de 10.000.000 de bytes en uno solo"},
    {{XML_ERR_NAME_TOO_LONG},
     Caso::Unico,
     "Un nombre{enLinea} es demasiado largo: el lector de XML admite hasta 50.000 caracteres en "
     "un nombre"},
    {{XML_ERR_VERSION_MISSING},
     Caso::Unico,
     "La declaración «<?xml … ?>»{enLinea} debe empezar con la versión, como en «<?xml "
     "version=\"1.0\" encoding=\"UTF-8\"?>»"},
    {{XML_ERR_RESERVED_XML_NAME},
     Caso::Unico,
     "La declaración «<?xml … ?>»{enLinea} solo puede ir una vez, al comienzo del archivo, sin "
     "líneas ni espacios antes"},
    {{XML_ERR_XMLDECL_NOT_FINISHED},
     Caso::Unico,
     "La declaración «<?xml … ?>»{enLinea} no termina en «?>»"},
    {{XML_ERR_UNKNOWN_VERSION},
     Caso::Unico,
     "La declaración «<?xml … ?>»{enLinea} indica la versión «{valor}», que no se admite; debe "
     "ser «1.0»"},
    {{XML_ERR_STANDALONE_VALUE},
     Caso::Unico,
     "En la declaración «<?xml … ?>»{enLinea}, «standalone» solo admite «yes» o «no»"},
    {{XML_ERR_ENCODING_NAME},
     Caso::Unico,
     "En la declaración «<?xml … ?>»{enLinea} el nombre de la codificación está vacío o no es "
     "válido; debe empezar con una letra, como «UTF-8»"},
    {{XML_ERR_STRING_NOT_CLOSED},
     Caso::Unico,
     "En la declaración «<?xml … ?>»{enLinea} un valor no termina donde corresponde: revise "
     "las comillas y que no haya blancos antes de la que lo cierra"},
    {{XML_ERR_SPACE_REQUIRED},
     Caso::Declaracion,
     "En la declaración «<?xml … ?>»{enLinea} falta un blanco entre dos valores"},
    {{XML_ERR_STRING_NOT_STARTED},
     Caso::Declaracion,
     "En la declaración «<?xml … ?>»{enLinea} un valor no está entre comillas"},
    {{XML_ERR_EQUAL_REQUIRED},
     Caso::Declaracion,
     "En la declaración «<?xml … ?>»{enLinea} falta «=» entre un nombre y su valor"},
    {{XML_ERR_SPACE_REQUIRED},
     Caso::Instruccion,
     "La instrucción «<?…?>»{enLinea} está mal escrita: falta un blanco después de su nombre; "
     "la declaración se escribe «<?xml version=\"1.0\" …?>»"},
    {{XML_ERR_PI_NOT_STARTED},
     Caso::Unico,
     "El texto «<?»{enLinea} no abre una instrucción válida; dentro de un texto debe "
     "escribirse «&lt;?»"},
    {{XML_ERR_PI_NOT_FINISHED},
     Caso::Unico,
     "La instrucción «<?…?>»{enLinea} no se cierra con «?>»"},
    {{XML_ERR_SPACE_REQUIRED, XML_ERR_XMLDECL_NOT_FINISHED, XML_ERR_STRING_NOT_CLOSED},
     Caso::Ilegible,
     "La codificación declarada{enLinea}, «{codificacion}», no es la del archivo: con ella no "
     "puede leerse la declaración «<?xml … ?>»; declare la codificación en que está grabado, "
     "como «UTF-8»"},
    // Namespaces
    {{XML_NS_ERR_XML_NAMESPACE},
     Caso::Unico,
     "El prefijo «xml»{enLinea} no puede declararse con otro espacio de nombres: está reservado "
     "para http://www.w3.org/XML/1998/namespace"},
    {{XML_WAR_NS_URI},
     Caso::Unico,
     "El espacio de nombres «{valor}» declarado{enLinea} no es un URI válido; por ejemplo, no "
     "puede tener blancos ni estar partido en dos líneas"},
    {{XML_ERR_DOCUMENT_EMPTY},
     Caso::Unico,
     "El archivo no es un documento XML: el texto{enLinea} debe empezar con «<»"},
};

constexpr std::string_view kElemento = "elemento «{elemento}»";
constexpr std::string_view kAtributo = "atributo «{atributo}» del elemento «{elemento}»";
constexpr std::string_view kEnLinea = " en la línea ";
// The parser's own text, for an error without a translation, is framed so.
constexpr std::string_view kGenerica = "El documento tiene un error{enLinea}; el lector de XML "
                                       "lo describe así: «{mensaje}»";
constexpr std::string_view kSinTexto = "El documento tiene un error{enLinea}";
constexpr std::size_t kMensajeMostrado = 200;

// "«a», «b» o «c»"
std::string enumerados(const std::vector<std::string>& lista) {
    std::string s;
    for (std::size_t i = 0; i < lista.size(); ++i) {
        if (i > 0)
            s += i + 1 == lista.size() ? " o " : ", ";
        s += "«" + mostrado(lista[i]) + "»";
    }
    return s;
}

std::string numero(long n) {
    return n > 0 ? std::to_string(n) : std::string();
}

// The text of a placeholder, which may be empty only for a value.
std::string dato(std::string_view nombre, const HechosError& h) {
    if (nombre == "valor")
        return mostrado(*h.valor);
    if (nombre == "elemento")
        return mostrado(h.elemento);
    if (nombre == "atributo")
        return mostrado(h.atributo);
    if (nombre == "largo")
        return h.largo;
    if (nombre == "limite")
        return h.limite;
    if (nombre == "lista")
        return enumerados(h.lista);
    if (nombre == "cierre")
        return mostrado(h.cierre);
    if (nombre == "lineaApertura")
        return numero(h.lineaApertura);
    if (nombre == "entidad")
        return mostrado(h.entidad);
    if (nombre == "prefijo")
        return mostrado(h.prefijo);
    if (nombre == "codificacion")
        return mostrado(h.codificacion);
    if (nombre == "mensaje")
        return mostrado(h.mensaje, kMensajeMostrado);
    if (nombre == "bytes")
        return h.bytes;
    if (nombre == "caracter")
        return h.caracter;
    return {};
}

// The template with its placeholders filled; none when a fact is missing.
std::optional<std::string> llenar(std::string_view plantilla, const HechosError& h) {
    std::string s;
    for (std::size_t p = 0; p < plantilla.size();) {
        const std::size_t abre = plantilla.find('{', p);
        s += plantilla.substr(p, abre - p);
        if (abre == std::string_view::npos)
            break;
        const std::size_t cierra = plantilla.find('}', abre);
        const std::string_view nombre = plantilla.substr(abre + 1, cierra - abre - 1);
        p = cierra + 1;
        if (nombre == "enLinea") {
            if (h.linea > 0)
                s += std::string(kEnLinea) + std::to_string(h.linea);
        } else if (nombre == "lugar") {
            const auto lugar = llenar(h.atributo.empty() ? kElemento : kAtributo, h);
            if (!lugar)
                return std::nullopt;
            s += *lugar;
        } else if (nombre == "valor" && !h.valor) {
            return std::nullopt;
        } else {
            const std::string valor = dato(nombre, h);
            if (valor.empty() && nombre != "valor")
                return std::nullopt;
            s += valor;
        }
    }
    return s;
}

} // namespace

std::string razonEnEspanol(const HechosError& hechos) {
    for (const Razon& r : kRazones)
        if (r.caso == hechos.caso &&
            std::find(r.codigos.begin(), r.codigos.end(), hechos.codigo) != r.codigos.end())
            if (std::optional<std::string> razon = llenar(r.texto, hechos))
                return std::move(*razon);
    return llenar(kGenerica, hechos).value_or(*llenar(kSinTexto, hechos));
}

} // namespace xml
