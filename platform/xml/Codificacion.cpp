#include "platform/xml/Codificacion.h"

#include "platform/xml/ErrorCollector.h"
#include "platform/xml/FileDescriptor.h"
#include "platform/xml/ParserScope.h"
#include "platform/xml/XmlHandles.h"

#include "platform/runtime/LineCounter.h"

#include <libxml/encoding.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace xml {

namespace {

struct BufferFree {
    void operator()(xmlBufferPtr b) const { xmlBufferFree(b); }
};
using BufferPtr = std::unique_ptr<xmlBuffer, BufferFree>;

struct HandlerClose {
    void operator()(xmlCharEncodingHandlerPtr h) const { xmlCharEncCloseFunc(h); }
};
using HandlerPtr = std::unique_ptr<xmlCharEncodingHandler, HandlerClose>;

// The text a decoder gives for some bytes; "x" when it refuses them.
std::string decodificar(xmlCharEncodingHandlerPtr handler, std::string_view bytes) {
    BufferPtr in(xmlBufferCreate());
    BufferPtr out(xmlBufferCreate());
    if (!in || !out)
        return "x";
    xmlBufferAdd(in.get(), reinterpret_cast<const xmlChar*>(bytes.data()),
                 static_cast<int>(bytes.size()));
    if (xmlCharEncInFunc(handler, out.get(), in.get()) < 0 || xmlBufferLength(in.get()) != 0)
        return "x";
    return std::string(reinterpret_cast<const char*>(xmlBufferContent(out.get())),
                       static_cast<std::size_t>(xmlBufferLength(out.get())));
}

// Whether the decoder reads bytes 0-127, in one run so that a switch of
// state shows, as ASCII. A blank follows each probe: a decoder that composes
// characters holds the last one back until the next.
bool leeAscii(xmlCharEncodingHandlerPtr handler) {
    std::string ascii;
    for (int c = 0; c < 128; ++c)
        ascii += static_cast<char>(c);
    return decodificar(handler, ascii + ' ').starts_with(ascii);
}

// How the decoder named nombre reads each byte from 128 on by itself; nothing
// when the parser knows no such decoder or it changes an ASCII byte.
std::optional<std::vector<std::string>> firma(const std::string& nombre) {
    HandlerPtr handler(xmlFindCharEncodingHandler(nombre.c_str()));
    if (!handler || !leeAscii(handler.get()))
        return std::nullopt;
    std::vector<std::string> altos;
    for (int c = 128; c < 256; ++c)
        altos.push_back(decodificar(handler.get(), std::string{static_cast<char>(c), ' '}));
    return altos;
}

std::vector<std::vector<std::string>> firmasAdmitidas() {
    // US-ASCII is the parser's own decoder, ANSI_X3.4-1968 the system's.
    std::vector<std::string> nombres{"US-ASCII", "ANSI_X3.4-1968"};
    for (int n = 1; n <= 16; ++n)
        nombres.push_back("ISO-8859-" + std::to_string(n));
    for (int n = 1250; n <= 1258; ++n)
        nombres.push_back("windows-" + std::to_string(n));
    std::vector<std::vector<std::string>> firmas;
    for (const std::string& nombre : nombres)
        if (auto f = firma(nombre))
            firmas.push_back(std::move(*f));
    return firmas;
}

// The names the system's converter and the parser know each accepted
// encoding by; they are compared in capitals without punctuation, as the
// converter compares them. The parser itself reads UTF-8 and UTF8.
constexpr const char* kNombres[] = {
    "ANSI_X3.4-1968 ANSI_X3.4-1986 ASCII CP367 CSASCII IBM367 ISO-IR-6 ISO646-US "
    "ISO_646.IRV:1991 OSF00010020 US US-ASCII",
    "ISO-8859-1 8859_1 CP819 CSISOLATIN1 IBM819 ISO-IR-100 ISO8859-1 ISO88591 ISO_8859-1 "
    "ISO_8859-1:1987 L1 LATIN1 OSF00010001 ISO-LATIN-1",
    "ISO-8859-2 8859_2 CP912 CSISOLATIN2 IBM912 ISO-IR-101 ISO8859-2 ISO88592 ISO_8859-2 "
    "ISO_8859-2:1987 L2 LATIN2 OSF00010002 ISO-LATIN-2",
    "ISO-8859-3 8859_3 CSISOLATIN3 ISO-IR-109 ISO8859-3 ISO88593 ISO_8859-3 ISO_8859-3:1988 L3 "
    "LATIN3 OSF00010003",
    "ISO-8859-4 8859_4 CSISOLATIN4 ISO-IR-110 ISO8859-4 ISO88594 ISO_8859-4 ISO_8859-4:1988 L4 "
    "LATIN4 OSF00010004",
    "ISO-8859-5 8859_5 CP915 CSISOLATINCYRILLIC CYRILLIC IBM915 ISO-IR-144 ISO8859-5 ISO88595 "
    "ISO_8859-5 ISO_8859-5:1988 OSF00010005",
    "ISO-8859-6 8859_6 ARABIC ASMO-708 CP1089 CSISOLATINARABIC ECMA-114 IBM1089 ISO-IR-127 "
    "ISO8859-6 ISO88596 ISO_8859-6 ISO_8859-6:1987 OSF00010006",
    "ISO-8859-7 8859_7 CP813 CSISOLATINGREEK ECMA-118 ELOT_928 GREEK GREEK8 IBM813 ISO-IR-126 "
    "ISO8859-7 ISO88597 ISO_8859-7 ISO_8859-7:1987 ISO_8859-7:2003 OSF00010007",
    "ISO-8859-8 8859_8 CP916 CSISOLATINHEBREW HEBREW IBM916 ISO-IR-138 ISO8859-8 ISO88598 "
    "ISO_8859-8 ISO_8859-8:1988 OSF00010008",
    "ISO-8859-9 8859_9 CP920 CSISOLATIN5 ECMA-128 IBM920 ISO-IR-148 ISO8859-9 ISO88599 ISO_8859-9 "
    "ISO_8859-9:1989 L5 LATIN5 OSF00010009 TS-5881",
    "ISO-8859-10 CSISOLATIN6 ISO-IR-157 ISO8859-10 ISO885910 ISO_8859-10 ISO_8859-10:1992 L6 "
    "LATIN6 OSF0001000A",
    "ISO-8859-11 ISO8859-11 ISO885911",
    "ISO-8859-13 BALTIC ISO-IR-179 ISO8859-13 ISO885913 L7 LATIN7",
    "ISO-8859-14 ISO-CELTIC ISO-IR-199 ISO8859-14 ISO885914 ISO_8859-14 ISO_8859-14:1998 L8 LATIN8",
    "ISO-8859-15 ISO-IR-203 ISO8859-15 ISO885915 ISO_8859-15 ISO_8859-15:1998 LATIN-9 LATIN9",
    "ISO-8859-16 ISO-IR-226 ISO8859-16 ISO885916 ISO_8859-16 ISO_8859-16:2001 L10 LATIN10",
    "CP1250 MS-EE WINDOWS-1250",
    "CP1251 MS-CYRL WINDOWS-1251",
    "CP1252 MS-ANSI WINDOWS-1252",
    "CP1253 MS-GREEK WINDOWS-1253",
    "CP1254 MS-TURK WINDOWS-1254",
    "CP1255 MS-HEBR WINDOWS-1255",
    "CP1256 MS-ARAB WINDOWS-1256",
    "CP1257 WINBALTRIM WINDOWS-1257",
    "CP1258 WINDOWS-1258",
};

std::string comparable(std::string_view s) {
    std::string r;
    for (const char c : s)
        if (std::isalnum(static_cast<unsigned char>(c)))
            r += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

bool nombreAdmitido(const std::string& nombre) {
    for (std::string_view grupo : kNombres)
        for (std::size_t i = 0; i <= grupo.size();) {
            const std::size_t fin = std::min(grupo.find(' ', i), grupo.size());
            if (comparable(grupo.substr(i, fin - i)) == nombre)
                return true;
            i = fin + 1;
        }
    return false;
}

} // namespace

std::string Codificacion::declarada(const std::string& path) {
    ErrorCollector errors;
    ParserScope scope(errors, ParserScope::refuseAll);
    ReaderPtr reader(xmlReaderForFile(path.c_str(), nullptr, kOpcionesLector));
    if (!reader)
        return {};
    xmlTextReaderSetStructuredErrorHandler(reader.get(), ErrorCollector::onError, &errors);
    // The declaration is read before the first node is given.
    if (xmlTextReaderRead(reader.get()) != 1)
        return {};
    const xmlChar* nombre = xmlTextReaderConstEncoding(reader.get());
    return nombre ? reinterpret_cast<const char*>(nombre) : "";
}

bool Codificacion::compatible(const std::string& nombre) {
    // The parser reads these two names as UTF-8 itself, without a decoder.
    const std::string mayus = comparable(nombre);
    if (nombre.empty() || mayus == "UTF8")
        return true;
    if (!nombreAdmitido(mayus))
        return false;
    // The converter must also read the bytes as the encoding so named does.
    ErrorCollector errors;
    ParserScope scope(errors, ParserScope::refuseAll);
    static const std::vector<std::vector<std::string>> admitidas = firmasAdmitidas();
    const auto propia = firma(nombre);
    return propia && std::find(admitidas.begin(), admitidas.end(), *propia) != admitidas.end();
}

bool Codificacion::conservaAscii(const std::string& nombre) {
    if (nombre.empty() || comparable(nombre) == "UTF8")
        return true;
    // The probe's complaints are its own, not the document's.
    ErrorCollector errors;
    ParserScope scope(errors, ParserScope::refuseAll);
    HandlerPtr handler(xmlFindCharEncodingHandler(nombre.c_str()));
    return handler && leeAscii(handler.get());
}

std::optional<std::string> Codificacion::texto(const std::string& nombre, std::string_view bytes) {
    ErrorCollector errors;
    ParserScope scope(errors, ParserScope::refuseAll);
    HandlerPtr handler(xmlFindCharEncodingHandler(nombre.c_str()));
    if (!handler)
        return std::nullopt;
    // The blank ends the last character; a refusal gives "x", without it.
    std::string s = decodificar(handler.get(), std::string(bytes) + ' ');
    if (s.empty() || s.back() != ' ')
        return std::nullopt;
    s.pop_back();
    return s;
}

long Codificacion::lineaRefusada(const std::string& path, const std::string& nombre) {
    // The decoder reports its refusal as an error, as it does to the parser.
    ErrorCollector errors;
    ParserScope scope(errors, ParserScope::refuseAll);
    HandlerPtr handler(xmlFindCharEncodingHandler(nombre.c_str()));
    FileDescriptor fd(path);
    BufferPtr in(xmlBufferCreate());
    BufferPtr out(xmlBufferCreate());
    if (!handler || !fd.isOpen() || !in || !out)
        return 0;
    rt::LineCounter lineas;
    std::string pendiente; // read and not yet taken by the decoder
    char buf[65536];
    for (bool inicio = true;; inicio = false) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0)
            return 0;
        std::string_view leido(buf, static_cast<std::size_t>(n));
        // The parser leaves a UTF-8 byte-order mark out of the text.
        if (inicio && leido.starts_with("\xEF\xBB\xBF"))
            leido.remove_prefix(3);
        pendiente += leido;
        // Each call ends the decoder's character: it is given text up to an
        // ASCII byte, which ends one in every encoding taken.
        std::size_t corte = pendiente.size();
        if (n > 0)
            for (std::size_t i = pendiente.size(); i > 0; --i)
                if (static_cast<unsigned char>(pendiente[i - 1]) < 0x80) {
                    corte = i;
                    break;
                }
        xmlBufferEmpty(in.get());
        xmlBufferEmpty(out.get());
        xmlBufferAdd(in.get(), reinterpret_cast<const xmlChar*>(pendiente.data()),
                     static_cast<int>(corte));
        xmlCharEncInFunc(handler.get(), out.get(), in.get());
        const std::size_t usados = corte - static_cast<std::size_t>(xmlBufferLength(in.get()));
        lineas.feed(std::string_view(pendiente).substr(0, usados));
        if (errors.hasError())
            return static_cast<long>(lineas.line());
        if (n == 0)
            return 0;
        pendiente.erase(0, usados);
    }
}

} // namespace xml
