#pragma once
// What the first bytes of a document say before the parser reads it: whether
// it starts with a UTF-8 byte-order mark, the encoding its declaration names
// and on which line, and whether its CR and LF bytes are those characters
// throughout. Also where its document type declaration stands. Lines are
// those of rt::LineCounter.
#include <cstdint>
#include <string>

namespace xml {

class Prologo {
public:
    // Reads the start of the file open as fd, without moving its offset.
    explicit Prologo(int fd);

    bool marcaUtf8() const { return marcaUtf8_; }
    // The encoding named in the declaration, as written; empty when none.
    const std::string& encoding() const { return encoding_; }
    std::uint64_t lineaEncoding() const { return lineaEncoding_; }
    // Whether every CR and LF byte of the file is that character: not in
    // UTF-16 or UTF-32, nor under a declared encoding that does not keep
    // ASCII.
    bool saltosPorBytes() const { return saltosPorBytes_; }
    // Why the document is refused when a UTF-8 byte-order mark stands in
    // front of a declaration of another encoding: one reader follows the
    // mark, another the declaration. Empty when they agree.
    std::string contradiccion() const;

    // The document type declaration, found as the parser finds it: after the
    // XML declaration, comments, processing instructions and white space.
    struct Doctype {
        enum class Clase {
            Ninguna,   // none before other markup, or not read (a stream)
            Simple,    // the root's name alone (an empty subset "[]" too)
            Interna,   // an internal subset with definitions
            Externa,   // an external identifier (SYSTEM, PUBLIC)
            Malformada // the parser will say what is wrong
        };
        Clase clase = Clase::Ninguna;
        std::uint64_t linea = 0; // where "<!DOCTYPE" stands; 0 for none
    };
    static Doctype doctype(int fd);

private:
    bool marcaUtf8_ = false;
    std::string encoding_;
    std::uint64_t lineaEncoding_ = 1;
    bool saltosPorBytes_ = true;
};

} // namespace xml
