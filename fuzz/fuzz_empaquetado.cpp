// The XML road's packing on any document: every record is "02" + 498 bytes +
// CR LF, and the records' text is the document without its blank lines and
// line ends, bytes below 32 as blanks, filled up with blanks; the copy handed
// on is that text without the filling. A document refused before the packing
// is one that the refusal rule names or that declares an encoding; every
// document the rule names is refused; the note on glued text is given
// exactly where the join glues two pieces of text.
#include "fuzz/Invariantes.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "processing/ControlEmpaquetado.h"
#include "processing/EmpaquetadorXml.h"
#include "processing/VentanaArchivoFinal.h"
#include "tests/support/TestEnv.h"

#include <cstdint>

namespace {

using fuzz::Exigir;

class Ventana : public VentanaArchivoFinal {
    void EtiquetaCaption(const std::string&) override {}
    void EtiquetaRefresh() override {}
    bool Abierta() const override { return true; }
};

// The document's kept lines joined, bytes below 32 as blanks.
std::string Unido(std::string_view documento) {
    std::string texto;
    for (const std::string& linea : rt::splitLines(documento))
        if (!fuzz::EnBlanco(linea))
            texto += linea;
    for (char& c : texto)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
    return texto;
}

// What the packing makes of the document.
std::string Esperado(std::string_view documento) {
    std::string texto = Unido(documento);
    texto.append((498 - texto.size() % 498) % 498, ' ');
    return texto;
}

// Whether the XML declaration in the first 4 KB names UTF-16, UTF-32, UCS-2
// or UCS-4 anywhere (case, "-", "_" and blanks aside): wider than the window's
// reading of the encoding value, so every refusal for it is named here.
bool DeclaraCodificacionAncha(std::string_view t) {
    t = t.substr(0, 4096);
    if (t.starts_with("\xEF\xBB\xBF"))
        t.remove_prefix(3);
    const std::size_t fin = t.find("?>");
    if (!t.starts_with("<?xml") || fin == std::string_view::npos)
        return false;
    std::string plano;
    for (char c : rt::upper(t.substr(0, fin)))
        if (c != '-' && c != '_' && c != ' ')
            plano += c;
    for (const char* ancha : {"UTF16", "UTF32", "UCS2", "UCS4"})
        if (plano.find(ancha) != std::string::npos)
            return true;
    return false;
}

// A byte-order mark of UTF-16 or UTF-32, or a NUL byte.
bool RechazoExacto(std::string_view t) {
    using namespace std::string_view_literals;
    return t.starts_with("\xFF\xFE"sv) || t.starts_with("\xFE\xFF"sv) ||
           t.starts_with("\0\0\xFE\xFF"sv) || t.find('\0') != std::string_view::npos;
}

// Two kept lines that the join would glue into other text: the first ends in
// neither ">" nor a byte below 33, the next starts with neither "<" nor such
// a byte.
bool Pegado(std::string_view t) {
    const auto libre = [](char c, char marca) {
        return c == marca || static_cast<unsigned char>(c) <= ' ';
    };
    std::string anterior;
    for (const std::string& linea : rt::splitLines(t)) {
        if (fuzz::EnBlanco(linea))
            continue;
        if (!anterior.empty() && !libre(anterior.back(), '>') && !libre(linea.front(), '<'))
            return true;
        anterior = linea;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    static testenv::TempDir carpeta;
    static testenv::ScopedEnv tmp("tmp", carpeta.path().c_str());
    static const std::string ruta = carpeta.file("documento.xml");
    const std::string documento(reinterpret_cast<const char*>(datos), largo);
    testenv::writeFile(ruta, documento);
    const std::string registros = rt::tempPath("F.xml");

    ControlEmpaquetado control;
    const bool rechazado = !control.Revisar(ruta);
    Exigir(!rechazado || RechazoExacto(documento) || DeclaraCodificacionAncha(documento) ||
               control.Error().find("declara la codificación") != std::string::npos,
           "rechazo que la regla no nombra: " + control.Error());
    Exigir(rechazado || !RechazoExacto(documento), "documento que la regla nombra y no se rechaza");
    Exigir(rechazado == !control.Error().empty(), "rechazo sin texto, o texto sin rechazo");
    Exigir(rechazado || control.Aviso().empty() == !Pegado(documento),
           "aviso de texto pegado donde la regla no lo nombra, o falta");

    // The packing itself keeps every document it is given whole.
    Ventana ventana;
    EmpaquetadorXml empaquetador(ventana);
    std::string copia;
    empaquetador.Empaquetar(ruta, "F.xml", [&copia](std::string_view t) { copia += t; });
    for (int numero = 1; numero <= 255; ++numero)
        Exigir(!rt::IsOpen(numero),
               "el archivo número " + std::to_string(numero) + " quedó abierto");
    const std::string texto = fuzz::TextoDeRegistros(fuzz::Leer(registros));
    Exigir(texto == Esperado(documento), "los registros no son el texto del documento");
    Exigir(copia == Unido(documento), "la copia no es el texto de los registros sin el relleno");
    Exigir(empaquetador.v_TotalLineasXml() == static_cast<long long>(texto.size() / 498),
           "v_TotalLineasXml no cuenta los registros");
    rt::deleteFileQuiet(registros);
    return 0;
}
