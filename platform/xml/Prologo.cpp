#include "platform/xml/Prologo.h"

#include "platform/runtime/LineCounter.h"
#include "platform/xml/Codificacion.h"

#include <libxml/encoding.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string_view>
#include <unistd.h>
#include <utility>

namespace xml {

namespace {

// The declaration, when there is one, lies in the first bytes of the file.
constexpr std::size_t kInicio = 4096;
constexpr std::string_view kMarca = "\xEF\xBB\xBF";
// An encoding name longer than this is shown by its start.
constexpr std::size_t kNombreMostrado = 60;

bool blanco(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The characters an encoding name may hold ([A-Za-z][A-Za-z0-9._-]*).
bool nombreValido(std::string_view nombre) {
    if (nombre.empty() || !std::isalpha(static_cast<unsigned char>(nombre[0])))
        return false;
    for (const char c : nombre)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-')
            return false;
    return true;
}

std::string leerInicio(int fd) {
    std::string bytes(kInicio, '\0');
    std::size_t n = 0;
    while (n < bytes.size()) {
        const ssize_t r = ::pread(fd, bytes.data() + n, bytes.size() - n, static_cast<off_t>(n));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        n += static_cast<std::size_t>(r);
    }
    bytes.resize(n);
    return bytes;
}

// Where the value of the encoding pseudo-attribute starts and its length in
// the declaration "<?xml ...?>" at the start of texto; npos when none.
std::pair<std::size_t, std::size_t> valorEncoding(std::string_view texto) {
    constexpr std::pair<std::size_t, std::size_t> ninguno{std::string_view::npos, 0};
    if (!texto.starts_with("<?xml") || texto.size() < 6 || !blanco(texto[5]))
        return ninguno;
    const std::string_view declaracion = texto.substr(0, texto.find("?>"));
    std::size_t i = declaracion.find("encoding");
    if (i == std::string_view::npos || !blanco(declaracion[i - 1]))
        return ninguno;
    i += 8;
    while (i < declaracion.size() && blanco(declaracion[i]))
        ++i;
    if (i >= declaracion.size() || declaracion[i] != '=')
        return ninguno;
    ++i;
    while (i < declaracion.size() && blanco(declaracion[i]))
        ++i;
    if (i >= declaracion.size() || (declaracion[i] != '"' && declaracion[i] != '\''))
        return ninguno;
    const std::size_t fin = declaracion.find(declaracion[i], i + 1);
    if (fin == std::string_view::npos)
        return ninguno;
    return {i + 1, fin - i - 1};
}

// The bytes of a file from its start, one at a time.
class Bytes {
public:
    explicit Bytes(int fd) : fd_(fd) {}
    // The next byte; -1 at the end or on an error.
    int siguiente() {
        if (pos_ == fin_ && !llenar())
            return -1;
        ++tomados_;
        return static_cast<unsigned char>(buf_[pos_++]);
    }
    // Whether the next bytes are texto, which they are then taken as.
    bool sigue(std::string_view texto) {
        for (const char c : texto)
            if (siguiente() != static_cast<unsigned char>(c))
                return false;
        return true;
    }
    // Takes bytes up to and with fin; false when the file ends first.
    bool hasta(std::string_view fin) {
        std::string ultimos;
        for (int c; (c = siguiente()) >= 0;) {
            ultimos.push_back(static_cast<char>(c));
            if (ultimos.size() > fin.size())
                ultimos.erase(0, 1);
            if (ultimos == fin)
                return true;
        }
        return false;
    }
    std::uint64_t tomados() const { return tomados_; }

private:
    bool llenar() {
        ssize_t n;
        do
            n = ::pread(fd_, buf_, sizeof buf_, static_cast<off_t>(tomados_));
        while (n < 0 && errno == EINTR);
        pos_ = 0;
        fin_ = n > 0 ? static_cast<std::size_t>(n) : 0;
        return fin_ > 0;
    }

    int fd_;
    char buf_[65536];
    std::size_t pos_ = 0;
    std::size_t fin_ = 0;
    std::uint64_t tomados_ = 0;
};

} // namespace

Prologo::Prologo(int fd) {
    const std::string inicio = leerInicio(fd);
    std::string_view texto = inicio;
    marcaUtf8_ = texto.starts_with(kMarca);
    if (marcaUtf8_)
        texto.remove_prefix(kMarca.size());
    const auto [desde, largo] = valorEncoding(texto);
    if (desde != std::string_view::npos && nombreValido(texto.substr(desde, largo))) {
        encoding_ = std::string(texto.substr(desde, largo));
        rt::LineCounter lineas;
        lineas.feed(texto.substr(0, desde));
        lineaEncoding_ = lineas.line();
    }
    // The parser takes the encoding from the first bytes before any
    // declaration: UTF-16, UTF-32 and EBCDIC have CR bytes inside other
    // characters.
    const xmlCharEncoding detectada =
        xmlDetectCharEncoding(reinterpret_cast<const unsigned char*>(inicio.data()),
                              static_cast<int>(std::min<std::size_t>(inicio.size(), 4)));
    saltosPorBytes_ =
        (detectada == XML_CHAR_ENCODING_NONE || detectada == XML_CHAR_ENCODING_UTF8) &&
        Codificacion::conservaAscii(encoding_);
}

std::string Prologo::contradiccion() const {
    std::string plano;
    for (const char c : encoding_)
        if (std::isalnum(static_cast<unsigned char>(c)))
            plano += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!marcaUtf8_ || encoding_.empty() || plano == "UTF8")
        return {};
    const std::string nombre = encoding_.size() > kNombreMostrado
                                   ? encoding_.substr(0, kNombreMostrado - 1) + "…"
                                   : encoding_;
    return "El archivo empieza con la marca de UTF-8 (BOM), pero su declaración en la línea " +
           std::to_string(lineaEncoding_) + " dice que está en «" + nombre +
           "»: las dos se contradicen y cada programa lo leería de otra manera";
}

namespace {

// What follows "<!DOCTYPE": the root's name, then what decides the class.
Prologo::Doctype::Clase claseDoctype(Bytes& bytes) {
    using Clase = Prologo::Doctype::Clase;
    int c = bytes.siguiente();
    if (!blanco(c))
        return Clase::Malformada;
    while (blanco(c))
        c = bytes.siguiente();
    while (c >= 0 && !blanco(c) && c != '>' && c != '[')
        c = bytes.siguiente();
    while (blanco(c))
        c = bytes.siguiente();
    if (c == '>')
        return Clase::Simple;
    if (c == 'S' || c == 'P')
        return Clase::Externa;
    if (c != '[')
        return Clase::Malformada;
    c = bytes.siguiente();
    while (blanco(c))
        c = bytes.siguiente();
    return c == ']' ? Clase::Simple : Clase::Interna;
}

} // namespace

Prologo::Doctype Prologo::doctype(int fd) {
    Bytes bytes(fd);
    int c = bytes.siguiente();
    if (c == 0xEF && bytes.sigue("\xBB\xBF"))
        c = bytes.siguiente();
    for (;; c = bytes.siguiente()) {
        while (blanco(c))
            c = bytes.siguiente();
        if (c != '<')
            return {};
        const std::uint64_t inicio = bytes.tomados() - 1;
        c = bytes.siguiente();
        if (c == '?') {
            if (!bytes.hasta("?>"))
                return {};
            continue;
        }
        if (c != '!')
            return {};
        c = bytes.siguiente();
        if (c == '-') {
            if (bytes.siguiente() != '-' || !bytes.hasta("-->"))
                return {};
            continue;
        }
        if (c != 'D' || !bytes.sigue("OCTYPE"))
            return {};
        return {claseDoctype(bytes), rt::LineCounter::lineAt(fd, inicio)};
    }
}

} // namespace xml
