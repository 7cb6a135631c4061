#include "platform/xml/TiposMixtos.h"

#include "platform/xml/ErrorCollector.h"
#include "platform/xml/ParserScope.h"
#include "platform/xml/UriArchivo.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/uri.h>

#include <map>
#include <memory>

namespace xml {

namespace {

constexpr std::string_view kXsd = "http://www.w3.org/2001/XMLSchema";
constexpr char kSeparador = '\xFF';

std::string clave(std::string_view ns, std::string_view nombre) {
    std::string c(ns);
    c += kSeparador;
    c += nombre;
    return c;
}

std::string texto(const xmlChar* s) {
    return s ? reinterpret_cast<const char*>(s) : "";
}

struct DocFree {
    void operator()(xmlDocPtr d) const { xmlFreeDoc(d); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

struct Atributo {
    std::string valor;
    bool esta = false;
};

Atributo atributo(xmlNodePtr nodo, const char* nombre) {
    xmlChar* v = xmlGetNoNsProp(nodo, reinterpret_cast<const xmlChar*>(nombre));
    if (!v)
        return {};
    Atributo a{texto(v), true};
    xmlFree(v);
    return a;
}

bool verdadero(const Atributo& a) {
    const std::size_t i = a.valor.find_first_not_of(" \t\r\n");
    const std::size_t f = a.valor.find_last_not_of(" \t\r\n");
    if (i == std::string::npos)
        return false;
    const std::string v = a.valor.substr(i, f - i + 1);
    return v == "true" || v == "1";
}

bool esXsd(xmlNodePtr nodo, std::string_view nombre) {
    return nodo->type == XML_ELEMENT_NODE && nodo->ns && texto(nodo->ns->href) == kXsd &&
           texto(nodo->name) == nombre;
}

xmlNodePtr hijoXsd(xmlNodePtr nodo, std::string_view nombre) {
    for (xmlNodePtr h = nodo->children; h; h = h->next)
        if (esXsd(h, nombre))
            return h;
    return nullptr;
}

// A QName of the schema document (type="p:T") as namespace and local name.
std::string resolver(xmlDocPtr doc, xmlNodePtr nodo, const std::string& qname) {
    const std::size_t dos = qname.find(':');
    const std::string prefijo = dos == std::string::npos ? "" : qname.substr(0, dos);
    const std::string local = dos == std::string::npos ? qname : qname.substr(dos + 1);
    const xmlNsPtr ns = xmlSearchNs(
        doc, nodo, prefijo.empty() ? nullptr : reinterpret_cast<const xmlChar*>(prefijo.c_str()));
    return clave(ns ? texto(ns->href) : "", local);
}

// Where a schemaLocation points, resolved as the schema parser resolves it:
// against the document's base, the escaped file URI it was read under.
std::string ubicacion(xmlDocPtr doc, xmlNodePtr nodo, const std::string& lugar) {
    xmlChar* base = xmlNodeGetBase(doc, nodo);
    xmlChar* url =
        xmlBuildURI(reinterpret_cast<const xmlChar*>(lugar.c_str()), base ? base : doc->URL);
    std::string ruta = texto(url);
    xmlFree(url);
    xmlFree(base);
    return ruta;
}

// What a complex type says of its own content: mixed or not, and the base
// whose content it extends. An extension of a mixed base is mixed: one that
// adds no elements (an empty sequence or choice included) keeps the base's
// content, and one that adds elements must be mixed as well.
struct Contenido {
    bool mixto = false;
    std::string base; // set for an extension
};

Contenido contenido(xmlDocPtr doc, xmlNodePtr tipo) {
    if (hijoXsd(tipo, "simpleContent"))
        return {};
    const xmlNodePtr complejo = hijoXsd(tipo, "complexContent");
    Atributo mixto = atributo(tipo, "mixed");
    if (complejo) {
        if (const Atributo propio = atributo(complejo, "mixed"); propio.esta)
            mixto = propio;
        if (const xmlNodePtr ext = hijoXsd(complejo, "extension"))
            return {verdadero(mixto), resolver(doc, ext, atributo(ext, "base").valor)};
    }
    return {verdadero(mixto), {}};
}

// The declarations of a set of schema documents, resolved once all are read.
class Lectura {
public:
    void documento(const std::string& ruta, const std::string& nsHeredado) {
        if (!leidos_.insert(ruta).second)
            return;
        DocPtr doc(xmlReadFile(ruta.c_str(), nullptr, XML_PARSE_NONET));
        const xmlNodePtr raiz = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
        if (!raiz || !esXsd(raiz, "schema"))
            return;
        // A schema without a target namespace takes that of its includer.
        const Atributo tns = atributo(raiz, "targetNamespace");
        Ambito a{doc.get(), tns.esta ? tns.valor : nsHeredado,
                 atributo(raiz, "elementFormDefault").valor == "qualified"};
        for (xmlNodePtr h = raiz->children; h; h = h->next) {
            const bool incluye = esXsd(h, "include") || esXsd(h, "redefine");
            if (!incluye && !esXsd(h, "import"))
                continue;
            const Atributo lugar = atributo(h, "schemaLocation");
            if (!lugar.esta)
                continue;
            documento(ubicacion(doc.get(), h, lugar.valor), incluye ? a.tns : "");
        }
        recorrer(a, raiz, true);
    }

    void cerrar(std::set<std::string, std::less<>>& elementos,
                std::set<std::string, std::less<>>& tipos,
                std::set<std::string, std::less<>>& declarados,
                std::set<std::string, std::less<>>& conDefecto, bool& comodin) {
        conDefecto.insert(conDefecto_.begin(), conDefecto_.end());
        for (const auto& [nombre, _] : tiposBase_)
            if (tipoMixto(nombre, 0))
                tipos.insert(nombre);
        for (const auto& [nombre, _] : elementoTipo_) {
            declarados.insert(nombre);
            if (elementoMixto(nombre, 0))
                elementos.insert(nombre);
        }
        comodin = comodin || comodin_;
    }

private:
    struct Ambito {
        xmlDocPtr doc;
        std::string tns;
        bool calificados;
    };

    // Chains of bases and heads are followed to a bounded depth, so a
    // circular schema cannot loop.
    static constexpr int kProfundidad = 64;

    bool tipoMixto(const std::string& nombre, int profundidad) const {
        if (nombre == clave(kXsd, "anyType"))
            return true;
        const auto it = tiposBase_.find(nombre);
        if (it == tiposBase_.end() || profundidad > kProfundidad)
            return false;
        return it->second.mixto ||
               (!it->second.base.empty() && tipoMixto(it->second.base, profundidad + 1));
    }

    bool elementoMixto(const std::string& nombre, int profundidad) const {
        const auto [desde, hasta] = elementoTipo_.equal_range(nombre);
        for (auto it = desde; it != hasta; ++it) {
            const Declarado& d = it->second;
            if (d.mixto || (!d.tipo.empty() && tipoMixto(d.tipo, 0)))
                return true;
            if (!d.cabeza.empty() && profundidad < kProfundidad &&
                elementoMixto(d.cabeza, profundidad + 1))
                return true;
        }
        return false;
    }

    struct Declarado {
        bool mixto = false;
        std::string tipo;
        std::string cabeza;
    };

    void declararElemento(const Ambito& a, xmlNodePtr e, bool global) {
        const Atributo form = atributo(e, "form");
        const bool calificado = global || (form.esta ? form.valor == "qualified" : a.calificados);
        const std::string nombre = clave(calificado ? a.tns : "", atributo(e, "name").valor);
        if (atributo(e, "default").esta)
            conDefecto_.insert(nombre);
        Declarado d;
        if (const xmlNodePtr tipo = hijoXsd(e, "complexType")) {
            const Contenido c = contenido(a.doc, tipo);
            d.mixto = c.mixto;
            d.tipo = c.base;
        } else if (const Atributo tipoNombre = atributo(e, "type"); tipoNombre.esta) {
            d.tipo = resolver(a.doc, e, tipoNombre.valor);
        } else if (hijoXsd(e, "simpleType")) {
            d.mixto = false;
        } else if (const Atributo cabeza = atributo(e, "substitutionGroup"); cabeza.esta) {
            d.cabeza = resolver(a.doc, e, cabeza.valor);
        } else {
            d.mixto = true; // no type: anyType
        }
        elementoTipo_.emplace(nombre, std::move(d));
    }

    // A type redefined in terms of itself extends the definition it replaces,
    // kept under a name of its own.
    void declararTipo(const Ambito& a, xmlNodePtr tipo, bool redefinido) {
        const std::string nombre = clave(a.tns, atributo(tipo, "name").valor);
        Contenido c = contenido(a.doc, tipo);
        if (redefinido && c.base == nombre) {
            const auto anterior = tiposBase_.find(nombre);
            if (anterior != tiposBase_.end()) {
                c.base = nombre + kSeparador + std::to_string(++redefinidos_);
                tiposBase_[c.base] = anterior->second;
            }
        }
        tiposBase_[nombre] = {c.mixto, c.base};
    }

    void recorrer(const Ambito& a, xmlNodePtr nodo, bool global) {
        for (xmlNodePtr h = nodo->children; h; h = h->next) {
            if (h->type != XML_ELEMENT_NODE)
                continue;
            if (esXsd(h, "element") && atributo(h, "name").esta)
                declararElemento(a, h, global);
            if (esXsd(h, "complexType") && atributo(h, "name").esta)
                declararTipo(a, h, esXsd(nodo, "redefine"));
            if (esXsd(h, "any"))
                comodin_ = true;
            recorrer(a, h, esXsd(h, "redefine"));
        }
    }

    // A type's own content, or its base when the content is the base's.
    struct TipoBase {
        bool mixto = false;
        std::string base;
    };

    std::set<std::string> leidos_;
    std::set<std::string> conDefecto_;
    bool comodin_ = false;
    int redefinidos_ = 0;
    std::multimap<std::string, Declarado> elementoTipo_;
    std::map<std::string, TipoBase> tiposBase_;
};

} // namespace

void TiposMixtos::agregar(const std::string& xsdPath) {
    ErrorCollector errores;
    // The schema may include others from disk, never from the network.
    ParserScope scope(errores, UriArchivo::cargar);
    Lectura lectura;
    lectura.documento(UriArchivo::desdeRuta(xsdPath), "");
    lectura.cerrar(elementos_, tipos_, declarados_, conDefecto_, comodin_);
}

void TiposMixtos::vaciar() {
    elementos_.clear();
    tipos_.clear();
    declarados_.clear();
    conDefecto_.clear();
    comodin_ = false;
}

bool TiposMixtos::elemento(std::string_view ns, std::string_view nombre) const {
    if (vacio())
        return false;
    const std::string c = clave(ns, nombre);
    // An element that only a wildcard lets in has no type: anything goes.
    return elementos_.contains(c) || (comodin_ && !declarados_.contains(c));
}

bool TiposMixtos::tipo(std::string_view ns, std::string_view nombre) const {
    return !tipos_.empty() && tipos_.contains(clave(ns, nombre));
}

bool TiposMixtos::conDefecto(std::string_view ns, std::string_view nombre) const {
    return !conDefecto_.empty() && conDefecto_.contains(clave(ns, nombre));
}

} // namespace xml
