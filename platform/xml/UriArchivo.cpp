#include "platform/xml/UriArchivo.h"

#include <libxml/parser.h>
#include <libxml/uri.h>
#include <libxml/xmlIO.h>

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string_view>
#include <unistd.h>

namespace xml {

namespace {

bool sinEscapar(unsigned char c) {
    return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
}

struct UriFree {
    void operator()(xmlURIPtr u) const { xmlFreeURI(u); }
};

bool iguales(const char* a, std::string_view b) {
    if (!a || std::string_view(a).size() != b.size())
        return false;
    for (std::size_t i = 0; i < b.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i])
            return false;
    return true;
}

} // namespace

std::string UriArchivo::desdeRuta(const std::string& ruta) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char ch : std::filesystem::absolute(ruta).string()) {
        const auto c = static_cast<unsigned char>(ch);
        if (sinEscapar(c)) {
            uri += ch;
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        }
    }
    return uri;
}

std::optional<std::string> UriArchivo::ruta(const char* uri) {
    // An escaped NUL would cut the name short.
    if (!uri || std::string_view(uri).find("%00") != std::string_view::npos)
        return std::nullopt;
    // xmlParseURI unescapes the path; query and fragment stay apart.
    const std::unique_ptr<xmlURI, UriFree> u(xmlParseURI(uri));
    if (!u || !iguales(u->scheme, "file") || !u->path || u->path[0] != '/')
        return std::nullopt;
    if (u->server && u->server[0] && !iguales(u->server, "localhost"))
        return std::nullopt;
    return std::string(u->path);
}

std::string UriArchivo::rutasEnTexto(std::string texto) {
    static constexpr std::string_view kInicio = "file://";
    for (std::size_t i = texto.find(kInicio); i != std::string::npos; i = texto.find(kInicio, i)) {
        const std::size_t fin = std::min(texto.find_first_of("'\" \t\r\n", i), texto.size());
        const std::optional<std::string> camino = ruta(texto.substr(i, fin - i).c_str());
        if (camino)
            texto.replace(i, fin - i, *camino);
        i += camino ? camino->size() : kInicio.size();
    }
    return texto;
}

_xmlParserInput* UriArchivo::cargar(const char* url, const char* id, _xmlParserCtxt* ctxt) {
    const std::optional<std::string> camino = ruta(url);
    if (!camino)
        return xmlNoNetExternalEntityLoader(url, id, ctxt);
    // Opened by this name only: libxml2's own opener would try the name
    // unescaped as well, another file, when the first is missing.
    const int fd = ::open(camino->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // The buffer closes the descriptor when freed.
    xmlParserInputBufferPtr buffer = xmlParserInputBufferCreateFd(fd, XML_CHAR_ENCODING_NONE);
    if (!buffer) {
        ::close(fd);
        return nullptr;
    }
    xmlParserInputPtr input = xmlNewIOInputStream(ctxt, buffer, XML_CHAR_ENCODING_NONE);
    if (!input) {
        xmlFreeParserInputBuffer(buffer);
        return nullptr;
    }
    input->filename = reinterpret_cast<char*>(xmlStrdup(reinterpret_cast<const xmlChar*>(url)));
    return input;
}

} // namespace xml
