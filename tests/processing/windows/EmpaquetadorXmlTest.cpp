// Packing of a user's XML text into records.
#include "processing/EmpaquetadorXml.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "processing/ControlEmpaquetado.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <stop_token>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class EstadoPrueba : public VentanaArchivoFinal {
public:
    void EtiquetaCaption(const std::string& texto) override { captions.push_back(texto); }
    void EtiquetaRefresh() override { ++refrescos; }
    bool Abierta() const override { return true; }

    std::vector<std::string> captions;
    int refrescos = 0;
};

class EmpaquetadorXmlTest : public ::testing::Test {
protected:
    ~EmpaquetadorXmlTest() override { rt::CloseAll(); }

    // Packs the bytes and returns the record lines, each without its "02".
    std::vector<std::string> empaquetar(const std::string& bytes) {
        testenv::writeFile(dir.file("doc.xml"), bytes);
        return empaquetarArchivo();
    }

    // Packs the file doc.xml as it stands.
    std::vector<std::string> empaquetarArchivo() {
        empaquetador.Empaquetar(dir.file("doc.xml"), "doc.xml", copiar);
        if (!rt::fileExists(rt::tempPath("doc.xml")))
            return {};
        const std::string escrito = testenv::readFile(rt::tempPath("doc.xml"));
        std::vector<std::string> registros;
        for (std::size_t i = 0; i < escrito.size(); i += 502) {
            EXPECT_EQ(escrito.substr(i, 2), "02");
            EXPECT_EQ(escrito.substr(i + 500, 2), "\r\n");
            registros.push_back(escrito.substr(i + 2, 498));
        }
        EXPECT_EQ(escrito.size() % 502, 0u);
        return registros;
    }

    static std::string relleno(const std::string& texto) {
        return texto + std::string(498 - texto.size(), ' ');
    }

    testenv::TempDir dir;
    testenv::TempDir tmp;
    testenv::ScopedEnv tmpEnv{"tmp", tmp.path().c_str()};
    EstadoPrueba estado;
    EmpaquetadorXml empaquetador{estado};
    EmpaquetadorXml::Copia copiar;
};

TEST_F(EmpaquetadorXmlTest, TextOfTheDocumentBecomesRecords) {
    const std::string a497(497, 'a');
    const std::string b498(498, 'b');
    const struct {
        const char* caso;
        std::string bytes;
        std::vector<std::string> registros;
    } casos[] = {
        {"blank lines vanish, lines join without their ends",
         "<d>\r\n\r\n   \r\n<e/>\r\n</d>\r\n",
         {relleno("<d><e/></d>")}},
        {"exactly 498 bytes give one record and no filler", a497 + "\r\nx\r\n", {a497 + "x"}},
        {"499 bytes give a second record of one byte", b498 + "\r\nz", {b498, relleno("z")}},
        {"indentation and trailing blanks are kept",
         "<d>\r\n    <e/>  \r\n</d>",
         {relleno("<d>    <e/>  </d>")}},
        {"a line holding a tab is kept, as a blank", "<d>\r\n\t\r\n</d>", {relleno("<d> </d>")}},
        {"lines ending in LF alone are one line", "<d>\n<e/>\n</d>\n", {relleno("<d> <e/> </d> ")}},
        {"a lone CR ends a line", "<d>\r<e/>\r</d>", {relleno("<d><e/></d>")}},
        {"accented bytes pass unchanged",
         "<d>canci\xc3\xb3n \xe9</d>",
         {relleno("<d>canci\xc3\xb3n \xe9</d>")}},
        {"a document of blanks only writes nothing", "\r\n   \r\n", {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        rt::deleteFileQuiet(rt::tempPath("doc.xml"));
        EXPECT_EQ(empaquetar(c.bytes), c.registros);
        EXPECT_EQ(empaquetador.v_TotalLineasXml(), static_cast<long long>(c.registros.size()));
        EXPECT_FALSE(rt::IsOpen(1));
        EXPECT_FALSE(rt::IsOpen(3));
    }
}

// The second number is the block count of the latest line, not a total.
TEST_F(EmpaquetadorXmlTest, StatusCountsRecordsAgainstTheLatestLinesBlocks) {
    empaquetar(std::string(996, 'a') + "\r\n" + std::string(100, 'b') + "\r\n" +
               std::string(398, 'c'));
    EXPECT_EQ(estado.captions,
              (std::vector<std::string>{"Procesando : 1 de 2", "Procesando : 2 de 2", "",
                                        "Procesando : 3 de 1", ""}));
    EXPECT_EQ(estado.refrescos, 5);
}

// The records as the packing has always made them, from the whole text at
// once: blank lines dropped, the rest joined, bytes below 32 as blanks, cut
// every 498 bytes, the last one filled up.
std::vector<std::string> registrosEsperados(const std::string& texto) {
    std::string unido;
    for (const std::string& linea : rt::splitLines(texto))
        if (linea.find_first_not_of(' ') != std::string::npos)
            unido += linea;
    std::vector<std::string> registros;
    for (std::size_t i = 0; i < unido.size(); i += 498) {
        std::string registro = EmpaquetadorXml::LimpiarCadena(unido.substr(i, 498));
        registros.push_back(registro + std::string(498 - registro.size(), ' '));
    }
    return registros;
}

// Lines are read in blocks of 64 KiB: long lines, blank lines longer than a
// block and line ends on either side of a block's edge pack as before.
TEST_F(EmpaquetadorXmlTest, LongLinesPackAsTheWholeTextDoes) {
    constexpr std::size_t kBloque = LineasEnBloques::kBloque;
    std::string unaLinea = "<d xmlns=\"urn:prueba\">";
    for (int i = 0; unaLinea.size() < 6u * 1024u * 1024u; ++i)
        unaLinea += "<e n=\"" + std::to_string(i) + "\">canci\xc3\xb3n\t\n" +
                    std::string(static_cast<std::size_t>(i % 700), 'x') + "</e>";
    unaLinea += "</d>";
    const std::string bordes = std::string(kBloque - 1, 'a') + "\r\n" +       // CR ends a block
                               std::string(kBloque - 2, 'b') + "\r" +         // lone CR at its end
                               std::string(kBloque + 10, ' ') + "\r\n" +      // a long blank line
                               std::string(kBloque, 'c') + "\r\n\r" +         // LF opens a block
                               std::string(3 * kBloque + 7, 'd') + "\n\r\n" + // LF kept in the line
                               "<e/>";
    const struct {
        const char* caso;
        const std::string& texto;
    } casos[] = {{"a one-line document of 6 MB", unaLinea},
                 {"line ends at a block's edge", bordes}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        rt::deleteFileQuiet(rt::tempPath("doc.xml"));
        const std::vector<std::string> esperados = registrosEsperados(c.texto);
        std::string copia;
        copiar = [&copia](std::string_view texto) { copia += texto; };
        EXPECT_EQ(empaquetar(c.texto), esperados);
        std::string unidos;
        for (const std::string& r : esperados)
            unidos += r;
        // The copy is the records' text without the blanks that fill the last.
        EXPECT_EQ(copia, unidos.substr(0, copia.size()));
        EXPECT_EQ(unidos.find_first_not_of(' ', copia.size()), std::string::npos);
        EXPECT_NE(copia.back(), ' ');
        EXPECT_EQ(empaquetador.v_TotalLineasXml(), static_cast<long long>(esperados.size()));
    }
}

// Whether a document can be packed at all, and where the join would glue two
// pieces of text: texts name the line as an editor counts them (CR LF, CR and
// LF each end one).
TEST(ControlEmpaquetadoTest, RefusesWhatThePackingWouldChange) {
    using namespace std::string_literals;
    const auto pegado = [](int linea, int siguiente) {
        return "El documento no puede enviarse tal como está: en la línea " +
               std::to_string(linea) + " un dato queda cortado y sigue en la línea " +
               std::to_string(siguiente) +
               "; al armar el archivo las dos partes quedarían pegadas. Escriba ese dato en una "
               "sola línea y vuelva a procesarlo.";
    };
    const auto ancho = [](int linea) {
        return "El documento no puede enviarse tal como está: en la línea " +
               std::to_string(linea) +
               " se ve que está grabado en UTF-16 o UTF-32. Grábelo en UTF-8 y vuelva a "
               "procesarlo.";
    };
    const auto codificacion = [](int linea, const std::string& nombre) {
        return "El documento no puede enviarse tal como está: en la línea " +
               std::to_string(linea) + " declara la codificación \"" + nombre +
               "\", y el sistema solo admite UTF-8, US-ASCII, ISO-8859-1 a ISO-8859-16 y "
               "windows-1250 a windows-1258. Grábelo en UTF-8 y vuelva a procesarlo.";
    };
    const std::string largo(70000, 'x');
    const auto declarada = [](const char* nombre) {
        return "<?xml version=\"1.0\"\r\n encoding=\"" + std::string(nombre) + "\"?><a>x</a>";
    };
    const struct {
        const char* caso;
        std::string bytes;
        std::string error; // empty: the document can be packed
        std::string aviso = {};
    } casos[] = {
        {"pretty-printed",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a xmlns=\"urn:x\" b=\"1\">\r\n"
         "  <c>Exportadora del Sur</c>\r\n  <d\r\n    e=\"2\"/>\r\n  <f>\r\n    texto\r\n  "
         "</f>\r\n</a>\r\n",
         ""},
        {"one line", "<?xml version=\"1.0\"?><a xmlns=\"urn:x\" b=\"1\"><c>x y</c></a>", ""},
        {"CR-only line ends", "<a>\r<c>x</c>\r</a>\r", ""},
        {"blank lines between", "<a>\r\n\r\n   \r\n<c/>\r\n</a>", ""},
        {"tab at a line's end", "<a b=\"1\"\t\r\nc=\"2\"/>", ""},
        {"tab at a line's start", "<a b=\"1\"\r\n\tc=\"2\"/>", ""},
        {"blank at a line's end", "<a>Exportadora \r\ndel Sur</a>", ""},
        {"LF-only line ends make one line", "<a\nb=\"1\">Exportadora\ndel Sur</a>\n", ""},
        {"a LF before CR LF becomes a blank", "<a b=\"1\"\n\r\nc=\"2\"/>", ""},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a/>",
         ""},
        {"one-byte encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<a>\xe9</a>", ""},
        {"attribute across lines", "<a xmlns=\"urn:x\"\r\nfecha=\"2024-04-15\"/>", "",
         pegado(1, 2)},
        {"text across lines", "<a>\r\n  <c>Exportadora\r\ndel Sur</c>\r\n</a>", "", pegado(2, 3)},
        {"text across a lone CR", "<a>Exportadora\rdel Sur</a>", "", pegado(1, 2)},
        {"blank lines do not separate", "<a>Exportadora\r\n\r\n   \r\ndel Sur</a>", "",
         pegado(1, 4)},
        {"lone LFs count as editor lines", "<a>\n<c/>\n<c>uno\r\ndos</c></a>", "", pegado(3, 4)},
        {"after a line longer than a block", "<a>" + largo + "\r\n" + largo + "</a>", "",
         pegado(1, 2)},
        {"only the first join is named", "<a>uno\r\ndos\r\ntres</a>", "", pegado(1, 2)},
        {"a NUL after a join is still refused", "<a>uno\r\ndos\0</a>"s, ancho(2)},
        {"declared latin1", declarada("latin1"), ""},
        {"declared cp1252", declarada("cp1252"), ""},
        {"declared ISO_8859-15", declarada("ISO_8859-15"), ""},
        {"declared ISO-2022-KR", declarada("ISO-2022-KR"), codificacion(2, "ISO-2022-KR")},
        {"declared KOI8-R", declarada("KOI8-R"), codificacion(2, "KOI8-R")},
        {"declared TIS-620", declarada("TIS-620"), codificacion(2, "TIS-620")},
        {"declared windows-874", declarada("windows-874"), codificacion(2, "windows-874")},
        {"UTF-16 LE byte-order mark", "\xFF\xFE<\0a\0/\0>\0"s, ancho(1)},
        {"UTF-16 BE byte-order mark", "\xFE\xFF\0<\0a\0/\0>"s, ancho(1)},
        {"UTF-32 LE byte-order mark", "\xFF\xFE\0\0<\0\0\0"s, ancho(1)},
        {"UTF-32 BE byte-order mark", "\0\0\xFE\xFF\0\0\0<"s, ancho(1)},
        {"UTF-16 without a mark", "<\0a\0/\0>\0"s, ancho(1)},
        {"NUL byte", "<a>\r\n<c/>\n<c>\0</c>\r\n</a>"s, ancho(3)},
        {"declared UTF-16", "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<a/>", ancho(1)},
        {"declared ucs-2, in quotes, on the second line",
         "<?xml version=\"1.0\"\r\n   encoding = 'ucs-2'?>\r\n<a/>", ancho(2)},
        {"declared UTF-32LE after a UTF-8 mark",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-32le\"?><a/>", ancho(1)},
        {"declared ISO-10646-UCS-4", "<?xml version='1.0' encoding='ISO-10646-UCS-4'?><a/>",
         ancho(1)},
    };
    testenv::TempDir dir;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const std::string ruta = dir.file("doc.xml");
        testenv::writeFile(ruta, c.bytes);
        ControlEmpaquetado control;
        EXPECT_EQ(control.Revisar(ruta), c.error.empty());
        EXPECT_EQ(control.Error(), c.error);
        EXPECT_EQ(control.Aviso(), c.aviso);
    }
}

TEST_F(EmpaquetadorXmlTest, LimpiarCadenaBlanksOnlyBytesBelow32) {
    std::string todos;
    for (int c = 0; c < 256; ++c)
        todos += static_cast<char>(c);
    const std::string limpia = EmpaquetadorXml::LimpiarCadena(todos);
    ASSERT_EQ(limpia.size(), 256u);
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(static_cast<unsigned char>(limpia[c]), c < 32 ? 32 : c) << c;
}

class LimiteRegistrosTest : public EmpaquetadorXmlTest {
protected:
    static std::string lineas(int n) {
        std::string texto;
        const std::string linea = std::string(498, 'x') + "\r\n";
        for (int i = 0; i < n; ++i)
            texto += linea;
        return texto;
    }
};

TEST_F(LimiteRegistrosTest, ExactlyTheLimitOfRecordsIsWritten) {
    EXPECT_EQ(empaquetar(lineas(32767)).size(), 32767u);
    EXPECT_EQ(empaquetador.v_TotalLineasXml(), 32767);
}

TEST_F(LimiteRegistrosTest, OneByteMoreOverflowsBeforeTheRecordIsWritten) {
    try {
        empaquetar(lineas(32767) + "y");
        FAIL() << "no overflow";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::err::Overflow);
    }
    EXPECT_EQ(testenv::readFile(rt::tempPath("doc.xml")).size(), 32767u * 502u);
}

// A line of text past the limit overflows before any record is written, and
// is not read to its end to know it: a file of gigabytes without CR ends as
// soon. A blank line past the limit is still skipped as a whole.
TEST_F(LimiteRegistrosTest, LineOfTooManyBlocksOverflowsBeforeAnyRecord) {
    const std::size_t limite = 32767u * 498u;
    const std::string blancos(limite + LineasEnBloques::kBloque + 3, ' ');
    const struct {
        const char* caso;
        std::string bytes;
        off_t largo; // the file made this long, sparse, before fin is added
        std::string fin;
        std::vector<std::string> registros; // empty: overflow
    } casos[] = {
        {"one byte past the limit", std::string(limite + 1, 'z'), 0, "", {}},
        {"LF-only text, then 6 GB without CR", "<d>\n<e/>\n<e>", off_t{6} << 30, "</e></d>", {}},
        {"blanks past the limit, then text on the line", blancos + "<d/>", 0, "", {}},
        {"blanks past the limit, then a line", blancos + "\r\n<d/>", 0, "", {relleno("<d/>")}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        rt::deleteFileQuiet(rt::tempPath("doc.xml"));
        const std::string ruta = dir.file("doc.xml");
        testenv::writeFile(ruta, c.bytes);
        if (c.largo > 0) {
            ASSERT_EQ(::truncate(ruta.c_str(), c.largo), 0);
            std::ofstream(ruta, std::ios::binary | std::ios::app) << c.fin;
        }
        if (!c.registros.empty()) {
            EXPECT_EQ(empaquetarArchivo(), c.registros);
            continue;
        }
        try {
            empaquetarArchivo();
            ADD_FAILURE() << "no overflow";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), rt::err::Overflow);
        }
        EXPECT_FALSE(rt::fileExists(rt::tempPath("doc.xml")));
        rt::CloseAll();
    }
}

// The copy handed to the read-back stops at its next block read once it is
// asked to, however much of the file is left.
TEST_F(EmpaquetadorXmlTest, CopyAskedToStopEndsAtItsNextBlock) {
    std::string texto;
    while (texto.size() < 8 * LineasEnBloques::kBloque)
        texto += std::string(498, 'x') + "\r\n";
    const std::string ruta = dir.file("doc.xml");
    testenv::writeFile(ruta, texto);
    const struct {
        const char* caso;
        bool antes;        // asked before the copy starts; otherwise at its first text
        std::size_t hasta; // at most this much text is handed on
    } casos[] = {
        {"asked before it starts", true, 0},
        {"asked during the copy", false, LineasEnBloques::kBloque},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        std::stop_source detener;
        if (c.antes)
            detener.request_stop();
        std::size_t copiado = 0;
        EXPECT_THROW(empaquetador.Copiar(
                         ruta,
                         [&](std::string_view t) {
                             copiado += t.size();
                             detener.request_stop();
                         },
                         detener.get_token()),
                     LineasEnBloques::Detenida);
        EXPECT_LE(copiado, c.hasta);
        EXPECT_FALSE(rt::fileExists(rt::tempPath("doc.xml")));
    }
    // The packer is whole again for the window's own packing.
    EXPECT_EQ(empaquetar("<d/>"), std::vector<std::string>{relleno("<d/>")});
}

} // namespace
