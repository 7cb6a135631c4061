#include "platform/xml/Document.h"

#include "platform/runtime/LineCounter.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/xml/Codificacion.h"
#include "platform/xml/ErrorCollector.h"
#include "platform/xml/FileDescriptor.h"
#include "platform/xml/Huella.h"
#include "platform/xml/LimiteAtributos.h"
#include "platform/xml/ParserScope.h"
#include "platform/xml/Prologo.h"
#include "platform/xml/SchemaCache.h"
#include "platform/xml/SourceLine.h"
#include "platform/xml/TextoMostrado.h"
#include "platform/xml/TiposMixtos.h"
#include "platform/xml/XmlHandles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace xml {

namespace {

// A large document takes seconds and nothing else yields meanwhile: the
// windows are redrawn every so many nodes.
constexpr unsigned kNodosPorRepintado = 1024;

std::string text(const xmlChar* s) {
    return s ? reinterpret_cast<const char*>(s) : "";
}

std::string enLinea(long linea) {
    return linea > 0 ? " en la línea " + std::to_string(linea) : "";
}

// Why a file cannot be read, in the user's words for the usual cases.
std::string motivo(int error) {
    switch (error) {
    case ENOENT:
        return "no existe";
    case EACCES:
    case EPERM:
        return "no hay permiso para leerlo";
    case EISDIR:
        return "es una carpeta";
    default:
        return std::strerror(error);
    }
}

// The reader takes the file through limite, which must outlive it. A file is
// read from its start (one that cannot seek, a FIFO, is an error); a stream
// from where it stands.
ReaderPtr openReader(int fd, const std::string& path, LimiteAtributos& limite,
                     ErrorCollector& errors, bool stream = false) {
    if (!stream && ::lseek(fd, 0, SEEK_SET) < 0)
        rt::raise(rt::err::PathFileAccess);
    ReaderPtr reader(xmlReaderForIO(LimiteAtributos::leer, nullptr, &limite, path.c_str(), nullptr,
                                    kOpcionesLector));
    if (!reader)
        rt::raise(rt::err::OutOfMemory);
    xmlTextReaderSetStructuredErrorHandler(reader.get(), ErrorCollector::onError, &errors);
    return reader;
}

// Namespace of the root element, read from the start of the file only; empty
// optional when no root element was reached (errors then says why).
std::optional<std::string> rootNamespace(const FileDescriptor& fd, const std::string& path,
                                         ErrorCollector& errors, bool saltos) {
    LimiteAtributos limite(fd.get(), path, errors, saltos);
    ReaderPtr reader = openReader(fd.get(), path, limite, errors);
    while (!errors.hasError() && xmlTextReaderRead(reader.get()) == 1)
        if (xmlTextReaderNodeType(reader.get()) == XML_READER_TYPE_ELEMENT)
            return text(xmlTextReaderConstNamespaceUri(reader.get()));
    if (!errors.hasError())
        errors.raise("El documento no tiene ningún elemento", path, 0);
    return std::nullopt;
}

// The line on which the text read so far ends, after the reader's node. A
// start tag, a comment or a processing instruction carries the line of its
// end; a text node does not say where it ends (a long one carries the line of
// its first part), so the line ends of its text are counted (the parser has
// made each a LF).
long lineReached(xmlTextReaderPtr reader, int type, long reached) {
    switch (type) {
    case XML_READER_TYPE_ELEMENT:
    case XML_READER_TYPE_COMMENT:
    case XML_READER_TYPE_PROCESSING_INSTRUCTION:
        return std::max(reached, Huella::lineaDeNodo(reader));
    case XML_READER_TYPE_TEXT:
    case XML_READER_TYPE_CDATA:
    case XML_READER_TYPE_WHITESPACE:
    case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
        if (const xmlChar* value = xmlTextReaderConstValue(reader)) {
            rt::LineCounter lines;
            lines.feed(reinterpret_cast<const char*>(value));
            reached += static_cast<long>(lines.line()) - 1;
        }
        return reached;
    default:
        return reached;
    }
}

void attachSchema(xmlTextReaderPtr reader, _xmlSchema* schema, SchemaValidPtr& ctxt,
                  ErrorCollector& errors) {
    ctxt.reset(xmlSchemaNewValidCtxt(schema));
    if (!ctxt || xmlTextReaderSchemaValidateCtxt(reader, ctxt.get(), 0) != 0)
        rt::raise(rt::err::OutOfMemory);
    xmlSchemaSetValidStructuredErrors(ctxt.get(), ErrorCollector::onError, &errors);
}

// The first entity reference left unexpanded at the reader's node, in its
// own text or in the value of one of its attributes; nullptr when none.
const xmlChar* entityReference(xmlTextReaderPtr reader, int type) {
    if (type == XML_READER_TYPE_ENTITY_REFERENCE)
        return xmlTextReaderConstName(reader);
    if (type != XML_READER_TYPE_ELEMENT)
        return nullptr;
    const xmlNodePtr node = xmlTextReaderCurrentNode(reader);
    for (xmlAttrPtr attr = node ? node->properties : nullptr; attr; attr = attr->next)
        for (xmlNodePtr part = attr->children; part; part = part->next)
            if (part->type == XML_ENTITY_REF_NODE)
                return part->name;
    return nullptr;
}

// The schema a load starts with, and the namespace it serves.
struct Esquema {
    _xmlSchema* schema = nullptr;
    std::string ns;
};

// At the root element: the schema goes on if the root is in its namespace;
// otherwise its complaints about the root are dropped and it stops, so the
// document is only checked for being well-formed.
void atRoot(xmlTextReaderPtr reader, const std::string& ns, Esquema& esquema,
            ErrorCollector& errors) {
    if (!esquema.schema)
        return;
    if (ns == esquema.ns) {
        errors.releaseValidity();
        return;
    }
    errors.dropValidity();
    xmlTextReaderSchemaValidateCtxt(reader, nullptr, 0);
    esquema.schema = nullptr;
}

// A document type declaration could give elements attribute values and
// entities that the document does not write: by the definitions of its
// internal subset, or by those of the external one that another reader may
// load (SYSTEM, PUBLIC). The reason to refuse it, at the given line (0 when
// not known).
std::string razonDoctype(bool interna, long linea) {
    const std::string donde = linea > 0 ? "de la línea " + std::to_string(linea) : "del documento";
    if (interna)
        return "La declaración <!DOCTYPE> " + donde +
               " trae definiciones entre corchetes, que pueden dar a los datos valores que el "
               "documento no escribe: no se admiten";
    return "La declaración <!DOCTYPE> " + donde +
           " remite a definiciones externas (SYSTEM o PUBLIC), que pueden dar a los datos "
           "valores que el documento no escribe: no se admiten";
}

// The declaration as the parser read it: whether it is to be refused, and
// with an internal subset. Where the file's own bytes show it (load), it is
// refused before the parser starts, ahead of any other error.
bool doctypeAjeno(xmlTextReaderPtr reader, int type, bool& interna) {
    if (type != XML_READER_TYPE_DOCUMENT_TYPE)
        return false;
    const auto dtd = reinterpret_cast<xmlDtdPtr>(xmlTextReaderCurrentNode(reader));
    interna = dtd && dtd->children;
    return dtd && (dtd->children || dtd->ExternalID || dtd->SystemID);
}

// Reads the whole file once, stopping at the first error; the namespace of
// the root element, or an empty optional when none was reached.
// Every node goes to huella when there is one.
std::optional<std::string> readAll(int fd, const std::string& path, Esquema esquema,
                                   ErrorCollector& errors, Huella* huella, bool repintar,
                                   bool stream, bool saltos) {
    // The reader refers to both until freed, so they go last.
    LimiteAtributos limite(fd, path, errors, saltos);
    SchemaValidPtr ctxt;
    ReaderPtr reader = openReader(fd, path, limite, errors, stream);
    if (esquema.schema) {
        attachSchema(reader.get(), esquema.schema, ctxt, errors);
        errors.holdValidity();
    }
    std::optional<std::string> root;
    int ret;
    long reached = 0;
    unsigned nodos = 0;
    while ((ret = xmlTextReaderRead(reader.get())) == 1 && !errors.hasError()) {
        const int type = xmlTextReaderNodeType(reader.get());
        if (!root && type == XML_READER_TYPE_ELEMENT) {
            root = text(xmlTextReaderConstNamespaceUri(reader.get()));
            atRoot(reader.get(), *root, esquema, errors);
        }
        if (++nodos % kNodosPorRepintado == 0 && repintar)
            ui::Repintar();
        if (huella)
            huella->nodo(reader.get(), type);
        // A reference node has no line of its own and the text before it is
        // already freed: it stands where the text read so far ends.
        reached = lineReached(reader.get(), type, reached);
        if (bool interna; doctypeAjeno(reader.get(), type, interna)) {
            const auto linea = static_cast<long>(Prologo::doctype(fd).linea);
            errors.raise(razonDoctype(interna, linea), path, linea);
        }
        // An entity left unexpanded would escape validation: the schema would
        // see its name, not its text.
        if (const xmlChar* name = entityReference(reader.get(), type))
            errors.raise("La referencia «&" + mostrado(text(name)) + ";»" + enLinea(reached) +
                             " no está permitida: el documento no puede usar entidades",
                         path, reached);
    }
    errors.releaseValidity();
    if (ret < 0 && !errors.hasError())
        errors.raise("El documento no es un XML bien formado", path, 0);
    if (!root && !errors.hasError())
        errors.raise("El documento no tiene ningún elemento", path, 0);
    if (esquema.schema && !errors.hasError() && xmlTextReaderIsValid(reader.get()) != 1)
        errors.raise("El documento no cumple el esquema del formulario", path, 0);
    return root;
}

// The schema to start with: the cache's only one, read in the same pass as
// the root's namespace. A cache of several schemas needs the namespace first,
// from a read of the file's start.
Esquema esquemaInicial(const SchemaCache* cache, const FileDescriptor& fd, const std::string& path,
                       ErrorCollector& errors, bool saltos) {
    if (!cache || cache->length() == 0)
        return {};
    if (const std::string* ns = cache->soleNamespace())
        return {cache->find(*ns), *ns};
    const std::optional<std::string> ns = rootNamespace(fd, path, errors, saltos);
    return ns ? Esquema{cache->find(*ns), *ns} : Esquema{};
}

// A file that cannot be opened, or a folder, fails before the parser starts.
bool readable(const FileDescriptor& fd, int openErrno, const std::string& path,
              ErrorCollector& errors) {
    struct stat st {};
    int error = openErrno;
    if (fd.isOpen() && ::fstat(fd.get(), &st) == 0)
        error = S_ISDIR(st.st_mode) ? EISDIR : 0;
    else if (fd.isOpen())
        error = errno;
    if (error != 0)
        errors.raise("No se puede leer el archivo \"" + path + "\": " + motivo(error), "", 0);
    return error == 0;
}

// Nothing but blanks and line ends, or nothing at all: libxml2 then speaks of
// extra content at the end of the document.
bool blankFile(const std::string& path) {
    FileDescriptor fd(path);
    if (!fd.isOpen())
        return false;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        for (ssize_t i = 0; i < n; ++i)
            if (buf[i] != ' ' && buf[i] != '\t' && buf[i] != '\r' && buf[i] != '\n')
                return false;
    }
}

// A decoder's refusal names no line: the file is decoded again to find it.
void situarConversion(const std::string& path, ErrorCollector& errors) {
    if (errors.hechos().codigo != XML_I18N_CONV_FAILED || errors.line() > 0)
        return;
    HechosError hechos = errors.hechos();
    hechos.codificacion = Codificacion::declarada(path);
    hechos.linea = Codificacion::lineaRefusada(path, hechos.codificacion);
    if (hechos.linea > 0)
        errors.complete(hechos, path);
}

// The number of the file's last line: the parser may name the line after it
// when the file ends in a line end (for a final LF alone it does not), so
// the same document would end on another line with CR LF.
long ultimaLinea(const std::string& path) {
    FileDescriptor fd(path);
    rt::LineCounter lineas;
    char buf[65536];
    char ultimo = 0;
    for (ssize_t n; fd.isOpen() && (n = ::read(fd.get(), buf, sizeof buf)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return 0;
        lineas.feed(std::string_view(buf, static_cast<std::size_t>(n)));
        ultimo = buf[n - 1];
    }
    const auto linea = static_cast<long>(lineas.line());
    return ultimo == '\n' || ultimo == '\r' ? linea - 1 : linea;
}

// The parser's line of an error, where the file's own bytes tell it better:
// the declaration that the declared encoding cannot read lies on the
// encoding's line whatever ends the lines (the parser counts them only in an
// encoding that keeps ASCII), as is a UTF-16 one in a file of single bytes;
// an error past the last line is at the end of the last one.
void situarLinea(const std::string& path, const Prologo& prologo, ErrorCollector& errors) {
    HechosError hechos = errors.hechos();
    if (hechos.codigo == 0 || errors.file() != path)
        return;
    const bool enEncoding =
        hechos.caso == Caso::Ilegible || hechos.codigo == XML_ERR_INVALID_ENCODING;
    long linea = enEncoding ? static_cast<long>(prologo.lineaEncoding()) : hechos.linea;
    if (linea > 1)
        linea = std::min(linea, std::max(ultimaLinea(path), 1L));
    if (linea == hechos.linea)
        return;
    hechos.linea = linea;
    errors.complete(hechos, path);
}

} // namespace

bool Document::load(const std::string& path) {
    error_ = ParseError{};
    hasRoot_ = false;
    rootNamespace_.clear();
    ErrorCollector errors;
    ParserScope scope(errors, ParserScope::refuseAll);
    errno = 0;
    FileDescriptor fd(path);
    if (!readable(fd, errno, path, errors))
        return fail(path, errors, {});
    // A mark that contradicts the declaration, and a document type
    // declaration that could bring values of its own, are refused before the
    // parser reads anything.
    const Prologo prologo(fd.get());
    const std::string& encoding = prologo.encoding();
    if (const std::string razon = prologo.contradiccion(); !razon.empty()) {
        errors.raise(razon, path, static_cast<long>(prologo.lineaEncoding()));
        return fail(path, errors, encoding);
    }
    using Clase = Prologo::Doctype::Clase;
    if (const Prologo::Doctype d = Prologo::doctype(fd.get());
        d.clase == Clase::Interna || d.clase == Clase::Externa) {
        const auto linea = static_cast<long>(d.linea);
        errors.raise(razonDoctype(d.clase == Clase::Interna, linea), path, linea);
        return fail(path, errors, encoding);
    }
    const bool saltos = prologo.saltosPorBytes();
    const Esquema esquema = esquemaInicial(cache_, fd, path, errors, saltos);
    if (errors.hasError())
        return fail(path, errors, encoding);
    if (huella_)
        huella_->mixtos(cache_ ? &cache_->mixtos() : nullptr);
    const std::optional<std::string> ns =
        readAll(fd.get(), path, esquema, errors, huella_, repintar_, false, saltos);
    if (errors.hasError()) {
        situarConversion(path, errors);
        situarLinea(path, prologo, errors);
        return fail(path, errors, encoding);
    }
    hasRoot_ = true;
    rootNamespace_ = *ns;
    return true;
}

bool Document::loadStream(int fd, const std::string& name) {
    error_ = ParseError{};
    hasRoot_ = false;
    rootNamespace_.clear();
    ErrorCollector errors;
    ParserScope scope(errors, ParserScope::refuseAll);
    Esquema esquema;
    if (const std::string* ns = cache_ ? cache_->soleNamespace() : nullptr)
        esquema = {cache_->find(*ns), *ns};
    if (huella_)
        huella_->mixtos(cache_ ? &cache_->mixtos() : nullptr);
    const std::optional<std::string> ns =
        readAll(fd, name, esquema, errors, huella_, repintar_, true, false);
    if (errors.hasError()) {
        error_.reason = errors.reason();
        return false;
    }
    hasRoot_ = true;
    rootNamespace_ = *ns;
    return true;
}

bool Document::fail(const std::string& path, const ErrorCollector& errors,
                    const std::string& encoding) {
    if (blankFile(path)) {
        error_.reason = "El documento está vacío";
        return false;
    }
    error_.reason = errors.reason();
    error_.line = errors.line();
    error_.linepos = errors.linepos();
    // Errors inside an entity's text name lines of that text, not of the file.
    if (errors.file() == path)
        error_.srcText = sourceLine(path, error_.line, error_.linepos, encoding);
    return false;
}

} // namespace xml
