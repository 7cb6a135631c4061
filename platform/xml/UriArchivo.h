#pragma once
// A file path as the schema parser takes it: libxml2 reads the name it is
// given as a URI and resolves includes and imports against it, so a path
// holding '#', '?' or '%' would lose its tail as a fragment or a query, or
// name another file. The path goes in as an escaped file URI, and the loader
// turns such a URI back into the exact path before opening it.
#include <optional>
#include <string>

struct _xmlParserInput;
struct _xmlParserCtxt;

namespace xml {

class UriArchivo {
public:
    // "file://" + the absolute path, every byte but unreserved ones and '/'
    // escaped.
    static std::string desdeRuta(const std::string& ruta);
    // The path a local file URI names; none for anything else.
    static std::optional<std::string> ruta(const char* uri);
    // The text with every local file URI in it (up to a quote, a blank or
    // the end) given as its path, as the user knows the file.
    static std::string rutasEnTexto(std::string texto);
    // Loads a local file URI from its exact path, keeping the URI as the
    // input's name so that relative locations in it resolve against it; other
    // names go to libxml2's loader, which fetches nothing from the network.
    static _xmlParserInput* cargar(const char* url, const char* id, _xmlParserCtxt* ctxt);
};

} // namespace xml
