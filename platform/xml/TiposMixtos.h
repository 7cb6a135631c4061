#pragma once
// Which elements of a schema have mixed content (text between their child
// elements is part of their value), read from the schema documents
// themselves: libxml2 keeps no public record of the type of each element it
// validates. An element counts as mixed when any declaration of its name
// (namespace and local name) has a mixed type, so a name declared twice errs
// on the side of mixed. An element declared without a type (anyType) is mixed,
// and so is one the schemas do not declare, which only a wildcard lets in.
#include <set>
#include <string>
#include <string_view>

namespace xml {

class TiposMixtos {
public:
    // Adds the schema file's declarations, and those of the files it
    // includes, redefines or imports from disk.
    void agregar(const std::string& xsdPath);
    void vaciar();
    bool vacio() const { return elementos_.empty() && tipos_.empty() && !comodin_; }
    // Whether the element, by namespace and local name, has mixed content.
    bool elemento(std::string_view ns, std::string_view nombre) const;
    // Whether the named type (as an xsi:type names it) has mixed content.
    bool tipo(std::string_view ns, std::string_view nombre) const;
    // Whether a declaration of the element gives it a default value, which
    // an empty element takes and one holding only white space does not.
    bool conDefecto(std::string_view ns, std::string_view nombre) const;
    bool algunoConDefecto() const { return !conDefecto_.empty(); }

private:
    std::set<std::string, std::less<>> elementos_;
    std::set<std::string, std::less<>> tipos_;
    std::set<std::string, std::less<>> declarados_;
    std::set<std::string, std::less<>> conDefecto_;
    bool comodin_ = false; // an xs:any somewhere
};

} // namespace xml
