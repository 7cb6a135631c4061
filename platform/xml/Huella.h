#pragma once
// A canonical reading of a document as its reader gives it, node by node, and
// a digest of it: two readings are equal when the documents have the same
// elements (namespace and local name) in the same order, the same attributes
// with the same values (in any order), and the same text. Adjacent text and
// CDATA sections are one text; comments and processing instructions do not
// count. Normalised, a value's text counts without the white space at its
// ends and with each inner run as one blank; inside an element of mixed
// content (and everything in it) its text is one value, so white space between
// two child elements counts as a blank there, and as nothing elsewhere. An
// element with a default value that holds only white space counts apart from
// an empty one, which takes the default.
// Strict, text counts as it stands, white space between elements only inside
// mixed content; strict inside values, the same but for the white space at
// the ends of a value that holds more than white space.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _xmlTextReader;

namespace xml {

class TiposMixtos;

class Huella {
public:
    using Digesto = std::array<unsigned char, 32>;
    // An event of the reading and the line of the document where it lies.
    using Evento = std::function<void(std::string_view evento, long linea)>;

    enum class Modo { normalizada, estrictaDentro, estricta };

    // Without alEvento the events go into the digest only; with it, each is
    // also handed over with its line.
    explicit Huella(Modo modo = Modo::normalizada, Evento alEvento = {});
    ~Huella();
    Huella(const Huella&) = delete;
    Huella& operator=(const Huella&) = delete;

    // Which elements have mixed content; nullptr or empty: none. Not owned.
    void mixtos(const TiposMixtos* mixtos) { mixtos_ = mixtos; }
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
    bool esMixto(_xmlTextReader* reader) const;
    bool conDefecto(_xmlTextReader* reader) const;
    void emitir(std::string_view evento, long linea);
    void volcar();

    Modo modo_;
    Evento alEvento_;
    std::unique_ptr<class DigestoTexto> digesto_;
    std::string pendiente_; // events not yet hashed
    std::string evento_;
    std::string texto_;
    bool hayTexto_ = false;
    bool soloBlancos_ = true;
    bool blanco_ = false; // a run of white space not yet written
    bool previo_ = false; // text written earlier in the same value
    long lineaTexto_ = 0;
    const TiposMixtos* mixtos_ = nullptr;
    // For each open element, whether it has had a child element.
    std::vector<bool> conHijos_;
    // Depth of the element of mixed content that the text belongs to; 0
    // outside mixed content.
    std::size_t mixto_ = 0;
    // The element opened last has a default value.
    bool conDefecto_ = false;
    std::vector<std::string> atributos_; // reused from element to element
};

} // namespace xml
