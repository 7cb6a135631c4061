#pragma once
// A canonical reading of a document as its reader gives it, node by node, and
// a digest of it: two readings are equal when the documents have the same
// elements (namespace and local name) in the same order, the same attributes
// with the same values (in any order), and the same text. Adjacent text and
// CDATA sections are one text; comments and processing instructions do not
// count. Normalised, a run of white space counts as one blank; strict, text
// counts as it stands. Either way text that is only white space counts as
// none between elements, and as text in an element without child elements.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _xmlTextReader;

namespace xml {

class Huella {
public:
    using Digesto = std::array<unsigned char, 32>;
    // An event of the reading and the line of the document where it lies.
    using Evento = std::function<void(std::string_view evento, long linea)>;

    // Without alEvento the events go into the digest only; with it, each is
    // also handed over with its line.
    explicit Huella(bool estricta = false, Evento alEvento = {});
    ~Huella();
    Huella(const Huella&) = delete;
    Huella& operator=(const Huella&) = delete;

    // The reader's current node, of the given reader node type.
    void nodo(_xmlTextReader* reader, int type);
    // The digest of the reading; the reading ends with it.
    Digesto digesto();
    // Line of the reader's node; its parent's when the node has none.
    static long lineaDeNodo(_xmlTextReader* reader);

private:
    void abrir(_xmlTextReader* reader, long linea);
    void cerrar(long linea);
    void agregarTexto(std::string_view parte);
    // The text pending before an element starts (antesDeHijo) or ends.
    void cerrarTexto(bool antesDeHijo);
    void emitir(std::string_view evento, long linea);
    void volcar();

    bool estricta_;
    Evento alEvento_;
    std::unique_ptr<class DigestoTexto> digesto_;
    std::string pendiente_; // events not yet hashed
    std::string evento_;
    std::string texto_;
    bool hayTexto_ = false;
    bool soloBlancos_ = true;
    bool blanco_ = false; // a run of white space not yet written
    long lineaTexto_ = 0;
    // For each open element, whether it has had a child element.
    std::vector<bool> conHijos_;
    std::vector<std::string> atributos_; // reused from element to element
};

} // namespace xml
