#include "platform/xml/Huella.h"

#include "platform/xml/DigestoTexto.h"
#include "platform/xml/TiposMixtos.h"

#include <libxml/xmlreader.h>

#include <algorithm>
#include <cstdint>

namespace xml {

namespace {

// Bytes that UTF-8 text never holds: they mark where names and values end.
constexpr char kFinNombre = '\xFF';
constexpr char kAtributo = '\xFE';
constexpr char kDeclaracion = '\xFD';
// Events are hashed in batches: one call per event would cost more than the
// parsing.
constexpr std::size_t kLote = 1 << 16;

std::string_view texto(const xmlChar* s) {
    return s ? reinterpret_cast<const char*>(s) : "";
}

bool esBlanco(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// An attribute's value as the parser left it (entity references are refused
// before they could count).
void agregarValor(std::string& destino, xmlAttrPtr attr) {
    for (xmlNodePtr parte = attr->children; parte; parte = parte->next)
        if (parte->type == XML_TEXT_NODE)
            destino += texto(parte->content);
}

} // namespace

Huella::Huella(Modo modo, Evento alEvento)
    : modo_(modo), alEvento_(std::move(alEvento)), digesto_(std::make_unique<DigestoTexto>()) {}

Huella::~Huella() = default;

long Huella::lineaDeNodo(xmlTextReaderPtr reader) {
    for (xmlNodePtr node = xmlTextReaderCurrentNode(reader); node; node = node->parent)
        if (const long line = xmlGetLineNo(node); line > 0)
            return line;
    return xmlTextReaderGetParserLineNumber(reader);
}

void Huella::nodo(xmlTextReaderPtr reader, int type) {
    switch (type) {
    case XML_READER_TYPE_ELEMENT:
        abrir(reader, alEvento_ ? lineaDeNodo(reader) : 0);
        if (xmlTextReaderIsEmptyElement(reader) == 1)
            cerrar(alEvento_ ? lineaDeNodo(reader) : 0);
        return;
    case XML_READER_TYPE_END_ELEMENT:
        cerrar(alEvento_ ? lineaDeNodo(reader) : 0);
        return;
    case XML_READER_TYPE_TEXT:
    case XML_READER_TYPE_CDATA:
    case XML_READER_TYPE_WHITESPACE:
    case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
        if (!hayTexto_ && alEvento_)
            lineaTexto_ = lineaDeNodo(reader);
        agregarTexto(texto(xmlTextReaderConstValue(reader)));
        return;
    default:
        return;
    }
}

// By the element's declaration, or by the type its xsi:type names.
bool Huella::esMixto(xmlTextReaderPtr reader) const {
    if (!mixtos_ || mixtos_->vacio())
        return false;
    if (mixtos_->elemento(texto(xmlTextReaderConstNamespaceUri(reader)),
                          texto(xmlTextReaderConstLocalName(reader))))
        return true;
    static const auto* kXsi =
        reinterpret_cast<const xmlChar*>("http://www.w3.org/2001/XMLSchema-instance");
    xmlChar* tipo =
        xmlTextReaderGetAttributeNs(reader, reinterpret_cast<const xmlChar*>("type"), kXsi);
    if (!tipo)
        return false;
    const std::string_view qname = texto(tipo);
    const std::size_t dos = qname.find(':');
    const std::string prefijo(dos == std::string_view::npos ? "" : qname.substr(0, dos));
    xmlChar* ns = xmlTextReaderLookupNamespace(
        reader, prefijo.empty() ? nullptr : reinterpret_cast<const xmlChar*>(prefijo.c_str()));
    const bool mixto =
        mixtos_->tipo(texto(ns), dos == std::string_view::npos ? qname : qname.substr(dos + 1));
    xmlFree(ns);
    xmlFree(tipo);
    return mixto;
}

bool Huella::conDefecto(xmlTextReaderPtr reader) const {
    return mixtos_ && mixtos_->algunoConDefecto() &&
           mixtos_->conDefecto(texto(xmlTextReaderConstNamespaceUri(reader)),
                               texto(xmlTextReaderConstLocalName(reader)));
}

void Huella::abrir(xmlTextReaderPtr reader, long linea) {
    cerrarTexto(true);
    if (!conHijos_.empty())
        conHijos_.back() = true;
    conHijos_.push_back(false);
    conDefecto_ = conDefecto(reader);
    // A value of mixed content starts without white space before it.
    if (mixto_ == 0 && esMixto(reader)) {
        mixto_ = conHijos_.size();
        blanco_ = false;
        previo_ = false;
    }
    const xmlNodePtr node = xmlTextReaderCurrentNode(reader);
    evento_.assign(1, 'S');
    evento_ += texto(xmlTextReaderConstNamespaceUri(reader));
    evento_ += kFinNombre;
    evento_ += texto(xmlTextReaderConstLocalName(reader));
    std::size_t n = 0;
    for (xmlNsPtr ns = node ? node->nsDef : nullptr; ns; ns = ns->next, ++n) {
        if (atributos_.size() <= n)
            atributos_.emplace_back();
        std::string& a = atributos_[n];
        a.assign(1, kDeclaracion);
        a += texto(ns->prefix);
        a += kFinNombre;
        a += texto(ns->href);
    }
    for (xmlAttrPtr attr = node ? node->properties : nullptr; attr; attr = attr->next, ++n) {
        if (atributos_.size() <= n)
            atributos_.emplace_back();
        std::string& a = atributos_[n];
        a.assign(1, kAtributo);
        a += attr->ns ? texto(attr->ns->href) : "";
        a += kFinNombre;
        a += texto(attr->name);
        a += kFinNombre;
        agregarValor(a, attr);
    }
    // The attributes count as a set: their order in the tag does not.
    std::sort(atributos_.begin(), atributos_.begin() + static_cast<std::ptrdiff_t>(n));
    for (std::size_t i = 0; i < n; ++i)
        evento_ += atributos_[i];
    emitir(evento_, linea);
}

void Huella::cerrar(long linea) {
    const bool soloBlanco = hayTexto_ && soloBlancos_;
    cerrarTexto(false);
    // White space alone keeps a default value out; an empty element takes it.
    if (conDefecto_ && soloBlanco && modo_ == Modo::normalizada && !conHijos_.empty() &&
        !conHijos_.back())
        emitir("B", linea);
    conDefecto_ = false;
    // Nor with white space after it.
    if (mixto_ != 0 && mixto_ == conHijos_.size()) {
        mixto_ = 0;
        blanco_ = false;
        previo_ = false;
    }
    if (!conHijos_.empty())
        conHijos_.pop_back();
    emitir("E", linea);
}

void Huella::agregarTexto(std::string_view parte) {
    if (!hayTexto_) {
        hayTexto_ = true;
        soloBlancos_ = true;
        texto_.assign(1, 'T');
        // Outside mixed content each text is a value of its own.
        if (mixto_ == 0) {
            blanco_ = false;
            previo_ = false;
        }
    }
    if (modo_ != Modo::normalizada) {
        soloBlancos_ = soloBlancos_ && std::all_of(parte.begin(), parte.end(), esBlanco);
        texto_ += parte;
        return;
    }
    // Runs of other characters are copied whole.
    for (std::size_t i = 0; i < parte.size();) {
        if (esBlanco(parte[i])) {
            blanco_ = true;
            ++i;
            continue;
        }
        std::size_t fin = i + 1;
        while (fin < parte.size() && !esBlanco(parte[fin]))
            ++fin;
        if (blanco_ && previo_)
            texto_ += ' ';
        blanco_ = false;
        previo_ = true;
        soloBlancos_ = false;
        texto_.append(parte, i, fin - i);
        i = fin;
    }
}

void Huella::cerrarTexto(bool antesDeHijo) {
    if (!hayTexto_)
        return;
    hayTexto_ = false;
    if (modo_ == Modo::normalizada) {
        // White space at a value's end is dropped; inside mixed content it
        // stays pending, a blank before the next text of the same value.
        if (texto_.size() > 1)
            emitir(texto_, lineaTexto_);
        return;
    }
    // White space between elements is layout, except in mixed content; in an
    // element without child elements it is the element's value.
    const bool entreElementos = antesDeHijo || (!conHijos_.empty() && conHijos_.back());
    if (soloBlancos_ && entreElementos && mixto_ == 0)
        return;
    if (modo_ == Modo::estrictaDentro && !soloBlancos_ && mixto_ == 0) {
        const auto blanco = [](char c) { return esBlanco(c); };
        texto_.erase(std::find_if_not(texto_.rbegin(), texto_.rend(), blanco).base(), texto_.end());
        texto_.erase(texto_.begin() + 1,
                     std::find_if_not(texto_.begin() + 1, texto_.end(), blanco));
    }
    emitir(texto_, lineaTexto_);
}

void Huella::emitir(std::string_view evento, long linea) {
    const auto largo = static_cast<std::uint64_t>(evento.size());
    for (int i = 0; i < 8; ++i)
        pendiente_ += static_cast<char>((largo >> (8 * i)) & 0xFF);
    pendiente_ += evento;
    if (alEvento_)
        alEvento_(evento, linea);
    if (pendiente_.size() >= kLote)
        volcar();
}

void Huella::volcar() {
    digesto_->agregar(pendiente_);
    pendiente_.clear();
}

Huella::Digesto Huella::digesto() {
    cerrarTexto(false);
    volcar();
    return digesto_->fin();
}

} // namespace xml
