#include "platform/xml/Document.h"
#include "platform/runtime/TextLines.h"
#include "platform/xml/Codificacion.h"
#include "platform/xml/EtiquetaEnCurso.h"
#include "platform/xml/Huella.h"
#include "platform/xml/PrimeraDiferencia.h"
#include "platform/xml/SchemaCache.h"
#include "platform/xml/SourceLine.h"
#include "platform/xml/TextoMostrado.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

const char* const kSchema = R"(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" targetNamespace="urn:t"
           xmlns="urn:t" elementFormDefault="qualified">
  <xs:element name="root">
    <xs:complexType>
      <xs:sequence>
        <xs:element name="a" maxOccurs="unbounded">
          <xs:complexType>
            <xs:simpleContent>
              <xs:extension base="xs:string">
                <xs:attribute name="x" type="xs:string"/>
              </xs:extension>
            </xs:simpleContent>
          </xs:complexType>
        </xs:element>
      </xs:sequence>
    </xs:complexType>
  </xs:element>
</xs:schema>
)";

const char* const kProlog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const std::string kBom = "\xEF\xBB\xBF";

std::string laughs(const std::string& use) {
    std::string dtd = "<!DOCTYPE root [\n <!ENTITY l0 \"lol\">\n";
    for (int i = 1; i <= 9; ++i) {
        dtd += " <!ENTITY l" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k)
            dtd += "&l" + std::to_string(i - 1) + ";";
        dtd += "\">\n";
    }
    return kProlog + dtd + "]>\n" + use + "\n";
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        testenv::writeFile(dir.file("t.xsd"), kSchema);
        cache.add("urn:t", dir.file("t.xsd"));
        doc.schemas(&cache);
    }
    bool load(const std::string& text) {
        testenv::writeFile(carpeta + "/d.xml", text);
        return doc.load(carpeta + "/d.xml");
    }
    const xml::ParseError& error() const { return doc.parseError(); }

    testenv::TempDir dir;
    std::string carpeta = dir.path(); // where load writes the document
    xml::SchemaCache cache;
    xml::Document doc;
};

TEST_F(DocumentTest, ValidDocumentLoadsWithItsRootNamespace) {
    ASSERT_TRUE(load(std::string(kProlog) + "<root xmlns=\"urn:t\"><a x=\"1\">v</a><a/></root>"));
    EXPECT_TRUE(doc.hasDocumentElement());
    EXPECT_EQ(doc.documentElementNamespaceURI(), "urn:t");
    EXPECT_EQ(error().reason, "");
}

TEST_F(DocumentTest, RootOutsideEveryCachedNamespaceIsOnlyCheckedForWellFormedness) {
    const struct {
        const char* text;
        const char* ns;
    } cases[] = {
        {"<root><b/></root>", ""},
        {"<root xmlns=\"urn:T\"><b/></root>", "urn:T"},
        {"<p:other xmlns:p=\"urn:x\"><b/></p:other>", "urn:x"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(load(c.text)) << c.text << ": " << error().reason;
        EXPECT_EQ(doc.documentElementNamespaceURI(), c.ns);
    }
}

TEST_F(DocumentTest, FailureNamesReasonLineAndSourceText) {
    const struct {
        const char* name;
        std::string text;
        const char* reasonPart;
        long line;
        const char* srcText;
    } cases[] = {
        {"unexpected element",
         std::string(kProlog) + "<root xmlns=\"urn:t\">\n  <a>x</a>\n  <b>y</b>\n</root>\n",
         "El elemento «b» en la línea 4 no corresponde en ese lugar", 4, "  <b>y</b>"},
        {"missing required content", std::string(kProlog) + "<root xmlns=\"urn:t\">\n</root>\n",
         "Faltan elementos dentro de «root» en la línea 3; se esperaba «a»", 3, "</root>"},
        {"tags not matching",
         std::string(kProlog) + "<root xmlns=\"urn:t\">\r\n<a>x</b>\r\n</root>",
         "«b» en la línea 3 no corresponde a la de apertura «a»", 3, "<a>x</b>"},
        {"unescaped ampersand", std::string(kProlog) + "<root xmlns=\"urn:t\"><a>S & A</a></root>",
         "El carácter «&» en la línea 2 debe escribirse «&amp;»", 2,
         "<root xmlns=\"urn:t\"><a>S & A</a></root>"},
        // Lines end at CR LF, a lone CR or a lone LF, in the reason as in the
        // source text.
        {"lone CRs, element out of place",
         "<?xml version=\"1.0\"?>\r<root xmlns=\"urn:t\">\r<a>1</a>\r<a>2</a>\r<a>3</a>\r<b>y</b>\r"
         "</root>\r",
         "El elemento «b» en la línea 6 no corresponde en ese lugar", 6, "<b>y</b>"},
        {"lone CRs, tags not matching",
         "<?xml version=\"1.0\"?>\r<root xmlns=\"urn:t\">\r<a>1</a>\r<a>2</a>\r<a>\r3</b>\r</root>",
         "«b» en la línea 6 no corresponde a la de apertura «a» de la línea 5", 6, "3</b>"},
        {"mixed line ends",
         std::string(kProlog) + "<root xmlns=\"urn:t\">\r\n<a>1</a>\r<a>2</a>\n\r<a>3</a>\r\n<b/>",
         "El elemento «b» en la línea 7 no corresponde en ese lugar", 7, "<b/>"},
        // Read in the declared encoding, not as Windows-1252.
        {"source line in windows-1251",
         "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<root xmlns=\"urn:t\">\n"
         "<a>\xCF\xF0\xE8</a><b/>\n</root>\n",
         "El elemento «b» en la línea 3 no corresponde en ese lugar", 3, "<a>При</a><b/>"},
        {"source line in ISO-8859-5, lone CRs",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-5\"?>\r<root xmlns=\"urn:t\">\r<a>1</a>\r"
         "<a>\xBF\xE0\xD8</a><b/>\r</root>",
         "El elemento «b» en la línea 4 no corresponde en ese lugar", 4, "<a>При</a><b/>"},
        // Another reader could load the external subset, with its defaults.
        {"external identifier across lines",
         std::string(kProlog) + "<!DOCTYPE root\n  SYSTEM\n  \"e.dtd\">\n<root xmlns=\"urn:t\"/>",
         "La declaración <!DOCTYPE> de la línea 2 remite a definiciones externas", 2,
         "<!DOCTYPE root"},
        {"public identifier after a declaration in a comment",
         std::string(kProlog) + "<!-- <!DOCTYPE root> -->\r<?p <!DOCTYPE root>?>\r" +
             "<!DOCTYPE root PUBLIC \"-//N//DTD R//ES\" \"r.dtd\">\r<root xmlns=\"urn:t\"/>",
         "La declaración <!DOCTYPE> de la línea 4 remite a definiciones externas", 4,
         "<!DOCTYPE root PUBLIC \"-//N//DTD R//ES\" \"r.dtd\">"},
        {"line break inside the system literal",
         kBom + kProlog + "\r\n<!DOCTYPE root SYSTEM \"e\r\n.dtd\"><root xmlns=\"urn:t\"/>",
         "La declaración <!DOCTYPE> de la línea 3 remite a definiciones externas", 3,
         "<!DOCTYPE root SYSTEM \"e"},
        // Readers differ on which of the two to follow.
        {"UTF-8 mark, declared ISO-8859-1",
         kBom + "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<root xmlns=\"urn:t\"/>",
         "El archivo empieza con la marca de UTF-8 (BOM), pero su declaración en la línea 1 dice "
         "que está en «ISO-8859-1»",
         1, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"},
        {"UTF-8 mark, declared windows-1252 on the second line",
         kBom + "<?xml version=\"1.0\"\r encoding=\'windows-1252\'?>\r<root xmlns=\"urn:t\">"
                "<a>Ca\xC3\xB1\xC3\xA1n</a></root>",
         "en la línea 2 dice que está en «windows-1252»", 2, " encoding='windows-1252'?>"},
        // Its attribute defaults would fill in values the document lacks.
        {"internal subset",
         std::string(kProlog) + "<!-- c -->\r\n<!DOCTYPE root [<!ATTLIST a x CDATA \"d\">]>" +
             "\n<root xmlns=\"urn:t\">\n<a>v</a></root>",
         "<!DOCTYPE> de la línea 3 trae definiciones", 3,
         "<!DOCTYPE root [<!ATTLIST a x CDATA \"d\">]>"},
    };
    // Also with the document and the schema in folders whose path means
    // something else read as a URI.
    for (const std::string otra : {"", "/MI#USB", "/q?x=1;a%23b%20c ñ"}) {
        carpeta = dir.path() + otra;
        SCOPED_TRACE(carpeta);
        std::filesystem::create_directories(carpeta);
        testenv::writeFile(carpeta + "/t.xsd", kSchema);
        cache.add("urn:t", carpeta + "/t.xsd");
        for (const auto& c : cases) {
            EXPECT_FALSE(load(c.text)) << c.name;
            EXPECT_NE(error().reason.find(c.reasonPart), std::string::npos)
                << c.name << ": " << error().reason;
            EXPECT_EQ(error().line, c.line) << c.name;
            EXPECT_EQ(error().srcText, c.srcText) << c.name;
            EXPECT_FALSE(doc.hasDocumentElement()) << c.name;
        }
    }
}

// The validator's messages name elements as "{namespace}local"; the reason
// keeps the local name whatever the namespace holds (a blank or a brace is no
// URI and refused before), and the value whole or, when long, its start on
// one line.
TEST_F(DocumentTest, ReasonNamesLocalNamesWhateverTheNamespaceHolds) {
    const struct {
        const char* label;
        const char* ns; // as written in an attribute between double quotes
    } espacios[] = {
        {"plain", "urn:n"},
        {"quote", "urn:a'b"},
        {"marks", "urn:c':d',e'"},
    };
    const struct {
        std::string body;
        std::string reason;
    } cases[] = {
        {"<a>x</a><b/>", "El valor «x» no es válido para el elemento «a» en la línea 2"},
        {"<a n=\"y'z\">1</a><b/>",
         "El valor «y'z» no es válido para el atributo «n» del elemento «a» en la línea 2"},
        {"<c/>", "El elemento «c» en la línea 2 no corresponde en ese lugar; se esperaba «a»"},
        {"<a>1</a><c/>",
         "El elemento «c» en la línea 2 no corresponde en ese lugar; se esperaba «b» o «d»"},
        {"<a>" + std::string(70, 'x') + "</a><b/>",
         "El valor «" + std::string(59, 'x') +
             "…» no es válido para el elemento «a» en la línea 2"},
        {"<a>x\ny</a><b/>", "El valor «x y» no es válido para el elemento «a» en la línea 3"},
    };
    for (const auto& e : espacios) {
        testenv::writeFile(dir.file("n.xsd"),
                           std::string(kProlog) +
                               "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                               "targetNamespace=\"" +
                               e.ns +
                               "\" elementFormDefault=\"qualified\">\n"
                               "<xs:element name=\"root\"><xs:complexType><xs:sequence>\n"
                               "<xs:element name=\"a\"><xs:complexType><xs:simpleContent>"
                               "<xs:extension base=\"xs:int\"><xs:attribute name=\"n\" "
                               "type=\"xs:int\"/></xs:extension></xs:simpleContent>"
                               "</xs:complexType></xs:element>\n"
                               "<xs:choice><xs:element name=\"b\"/><xs:element name=\"d\"/>"
                               "</xs:choice>\n"
                               "</xs:sequence></xs:complexType></xs:element>\n</xs:schema>\n");
        xml::SchemaCache otra;
        otra.add(e.ns, dir.file("n.xsd"));
        xml::Document documento;
        documento.schemas(&otra);
        for (const auto& c : cases) {
            testenv::writeFile(dir.file("n.xml"), std::string(kProlog) + "<root xmlns=\"" + e.ns +
                                                      "\">" + c.body + "</root>\n");
            EXPECT_FALSE(documento.load(dir.file("n.xml"))) << e.label;
            EXPECT_EQ(documento.parseError().reason, c.reason) << e.label;
        }
    }
}

// A fault inside a start tag is named from the parser's input, which keeps
// the tag whole however far into the file it stands and however the reads
// cut it.
TEST_F(DocumentTest, StartTagFaultNamedAnywhereInTheFile) {
    const std::size_t largos[] = {0, 300, 511, 512, 4095, 4097, 20000, 70000};
    const struct {
        const char* label;
        const char* cola; // what follows the tag's attribute y and its value
        const char* reason;
    } cases[] = {
        {"menor", " x=\"1<2\">v</a></root>",
         "El valor del atributo «x» del elemento «a» en la línea 3 contiene «<», que debe "
         "escribirse «&lt;», o no cierra sus comillas"},
        {"abierta", " x=\"1\"</a></root>",
         "La etiqueta de apertura de «a» en la línea 3 no termina en «>» o tiene un atributo "
         "mal escrito"},
    };
    for (const auto& c : cases)
        for (const std::size_t largo : largos) {
            // The padding stands before the tag and inside it.
            const std::string relleno(largo, 'p');
            EXPECT_FALSE(load(std::string(kProlog) + "<root xmlns=\"urn:t\"><a>" + relleno +
                              "</a>\n<a y='" + relleno + "'" + c.cola))
                << c.label << largo;
            EXPECT_EQ(error().reason, c.reason) << c.label << largo;
        }
}

// What the parser had read when it stopped ends inside a start tag or not.
TEST(EtiquetaEnCursoTest, NamesTheTagAndTheValueBeingRead) {
    const struct {
        const char* leido;
        const char* elemento; // nullptr: no start tag
        const char* atributo;
    } cases[] = {
        {"<root><p:a q:x = 'v\"w' y=\"1>", "a", "y"},
        {"<a\nx=\"1\"\ty='2'", "a", ""},
        {"<a x=1", "a", ""},
        {"<a x='1' ", "a", ""},
        {"texto sin etiqueta", nullptr, ""},
        {"<a>x</a", nullptr, ""},
        {"<a><!-- x", nullptr, ""},
        {"<?xml version='1.0", nullptr, ""},
    };
    for (const auto& c : cases) {
        const auto etiqueta = xml::EtiquetaEnCurso::de(c.leido);
        ASSERT_EQ(etiqueta.has_value(), c.elemento != nullptr) << c.leido;
        if (etiqueta) {
            EXPECT_EQ(etiqueta->elemento, c.elemento) << c.leido;
            EXPECT_EQ(etiqueta->atributo, c.atributo) << c.leido;
        }
    }
}

// libxml2 checks an element's attributes in time that grows with their
// square: a start tag with more attributes than any declaration has is
// refused before it is parsed. "=" signs elsewhere do not count.
TEST_F(DocumentTest, StartTagWithTooManyAttributesIsRefusedAtOnce) {
    std::string atributos, iguales;
    for (int i = 0; i < 33800; ++i) {
        atributos += " b" + std::to_string(i) + "=\"1\"";
        iguales += "=";
    }
    const struct {
        std::string text;
        bool loads;
    } cases[] = {
        {std::string(kProlog) + "<root xmlns=\"urn:t\">\n<a" + atributos + "/></root>", false},
        {"<?xml version=\"1.0\"?>\r<root xmlns=\"urn:t\">\r<a" + atributos + "/></root>", false},
        {std::string(kProlog) + "<!-- " + iguales + " -->\n<root xmlns=\"urn:t\"><a x=\"" +
             iguales + "\">" + iguales + "<![CDATA[" + iguales + "]]></a><?p " + iguales +
             "?><a x='" + iguales + "'/></root>",
         true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.text), c.loads) << error().reason;
        if (!c.loads) {
            EXPECT_EQ(error().reason,
                      "El elemento de la línea 3 tiene demasiados atributos (más de 33791)");
            EXPECT_EQ(error().line, 3);
        }
    }
}

TEST_F(DocumentTest, EmptyFileFails) {
    EXPECT_FALSE(load(""));
    EXPECT_FALSE(error().reason.empty());
    EXPECT_EQ(error().srcText, "");
}

// Blanks only are no document either; a prolog alone keeps the parser's reason.
TEST_F(DocumentTest, EmptyOrBlankFileIsCalledEmpty) {
    for (const std::string& text : {std::string(), std::string("\n"), std::string(" \t\r\n \r"),
                                    std::string(70000, ' ') + "\n"}) {
        EXPECT_FALSE(load(text));
        EXPECT_EQ(error().reason, "El documento está vacío");
        EXPECT_EQ(error().srcText, "");
    }
    EXPECT_FALSE(load(kProlog));
    EXPECT_NE(error().reason, "El documento está vacío");
}

TEST_F(DocumentTest, InvalidUtf8FailsWithReadableSourceText) {
    EXPECT_FALSE(load(std::string(kProlog) + "<root xmlns=\"urn:t\"><a>caf\xE9</a></root>"));
    EXPECT_NE(error().reason.find("no está codificado en UTF-8"), std::string::npos)
        << error().reason;
    EXPECT_TRUE(rt::isValidUtf8(error().srcText));
    EXPECT_EQ(error().srcText, "<root xmlns=\"urn:t\"><a>caf\xC3\xA9</a></root>");
}

TEST_F(DocumentTest, EntitiesAreNeitherFetchedNorExpanded) {
    testenv::writeFile(dir.file("secret.txt"), "TOPSECRET");
    const std::string external = std::string(kProlog) + "<!DOCTYPE root [<!ENTITY x SYSTEM \"" +
                                 dir.file("secret.txt") +
                                 "\">]>\n<root xmlns=\"urn:t\"><a>&x;</a></root>";
    const std::string internal = std::string(kProlog) +
                                 "<!DOCTYPE root [<!ENTITY e \"<b>not checked</b>\">]>\n"
                                 "<root xmlns=\"urn:t\"><a>&e;</a></root>";
    const std::string network = std::string(kProlog) +
                                "<!DOCTYPE root SYSTEM \"http://127.0.0.1:9/r.dtd\">\n"
                                "<root xmlns=\"urn:t\"><a>&y;</a></root>";
    // The schema would check the entity's name instead of its text.
    const std::string attribute = std::string(kProlog) +
                                  "<!DOCTYPE root [<!ENTITY e \"no comprobado\">]>\n"
                                  "<root xmlns=\"urn:t\"><a x=\"1&e;\">v</a></root>";
    for (const std::string& text : {external, internal, network, attribute}) {
        EXPECT_FALSE(load(text)) << text;
        EXPECT_EQ(error().reason.find("TOPSECRET"), std::string::npos);
        EXPECT_EQ(error().srcText.find("TOPSECRET"), std::string::npos);
    }
}

TEST_F(DocumentTest, PredefinedAndCharacterReferencesPass) {
    EXPECT_TRUE(load(std::string(kProlog) +
                     "<root xmlns=\"urn:t\"><a x=\"&amp;&lt;&#38;\">&amp;&#233;&gt;</a></root>"))
        << error().reason;
}

// A declaration that brings no definitions, and a mark that agrees with the
// declaration (or stands without one), pass.
TEST_F(DocumentTest, PrologThatBringsNothingPasses) {
    const std::string raiz = "<root xmlns=\"urn:t\"><a>v</a></root>";
    const struct {
        const char* caso;
        std::string texto;
    } casos[] = {
        {"root name alone", kProlog + std::string("<!DOCTYPE root>") + raiz},
        {"empty subset", kProlog + std::string("<!DOCTYPE root [ \r\n ]\n>") + raiz},
        {"identifiers inside a comment",
         kProlog + std::string("<!-- <!DOCTYPE root SYSTEM \"e.dtd\"> -->\r<!DOCTYPE root>\r") +
             raiz},
        {"mark and UTF-8", kBom + "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + raiz},
        {"mark and utf8", kBom + "<?xml version=\"1.0\" encoding=\'utf8\'?>" + raiz},
        {"mark without encoding", kBom + "<?xml version=\"1.0\"?>" + raiz},
        {"mark without declaration", kBom + raiz},
        {"latin1 without mark", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + raiz},
    };
    for (const auto& c : casos)
        EXPECT_TRUE(load(c.texto)) << c.caso << ": " << error().reason;
}

TEST_F(DocumentTest, EntityExpansionBombsAreRefused) {
    for (const std::string& text : {laughs("<root xmlns=\"urn:t\"><a>&l9;</a></root>"),
                                    laughs("<root xmlns=\"urn:t\"><a x=\"&l9;\">v</a></root>")}) {
        EXPECT_FALSE(load(text));
        EXPECT_FALSE(error().reason.empty());
    }
}

TEST_F(DocumentTest, FileThatCannotBeReadFailsWithReason) {
    EXPECT_FALSE(doc.load(dir.file("missing.xml")));
    EXPECT_EQ(error().reason,
              "No se puede leer el archivo \"" + dir.file("missing.xml") + "\": no existe");
    EXPECT_EQ(error().srcText, "");
    EXPECT_FALSE(doc.load(dir.path()));
    EXPECT_EQ(error().reason, "No se puede leer el archivo \"" + dir.path() + "\": es una carpeta");
}

TEST_F(DocumentTest, LineNumbersPastSixteenBitsAreKept) {
    std::string text = std::string(kProlog) + "<root xmlns=\"urn:t\">\n";
    for (int i = 0; i < 70000; ++i)
        text += "<a>v</a>\n";
    text += "<b>late</b>\n</root>\n";
    EXPECT_FALSE(load(text));
    EXPECT_EQ(error().line, 70003);
    EXPECT_EQ(error().srcText, "<b>late</b>");
}

TEST_F(DocumentTest, LongLineIsCutAroundTheError) {
    std::string text = std::string(kProlog) + "<root xmlns=\"urn:t\">";
    for (int i = 0; i < 100000; ++i)
        text += "<a>v</a>";
    text += "<a>x</b>";
    for (int i = 0; i < 1000; ++i)
        text += "<a>v</a>";
    EXPECT_FALSE(load(text + "</root>"));
    EXPECT_LE(rt::charLength(error().srcText), xml::kSourceTextMax);
    EXPECT_NE(error().srcText.find("<a>x</b>"), std::string::npos) << error().srcText;
}

// Whatever the parser has to say goes into the error, never to stderr.
TEST_F(DocumentTest, NothingIsWrittenToStandardError) {
    std::fflush(stderr);
    const int saved = ::dup(2);
    const int sink = ::open(dir.file("stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(sink, 2);
    testenv::writeFile(dir.file("bad.xsd"), "<x/>");
    try {
        xml::SchemaCache other;
        other.add("urn:t", dir.file("bad.xsd"));
    } catch (...) {
    }
    load(std::string(kProlog) + "<root xmlns=\"urn:t\"><b>&amp</b></root>");
    load(std::string(kProlog) + "<root xmlns=\"urn:t\"><a>&x;</a></root>");
    load(laughs("<root xmlns=\"urn:t\"><a>&l9;</a></root>"));
    load(std::string(kProlog) + "<root xmlns=\"urn:t\"><c/></root>");
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    ::close(sink);
    EXPECT_EQ(testenv::readFile(dir.file("stderr.txt")), "");
}

// Every bidirectional control becomes visible, and only those: characters
// next to them in the code chart pass unchanged.
TEST(TextoMostradoTest, BidirectionalControlsAreShownAsEscapes) {
    const struct {
        const char* texto;
        const char* mostrado;
    } casos[] = {
        {"a\u202Ab\u202Bc\u202Cd\u202De\u202Ef", "a[U+202A]b[U+202B]c[U+202C]d[U+202D]e[U+202E]f"},
        {"\u2066\u2067\u2068\u2069", "[U+2066][U+2067][U+2068][U+2069]"},
        {"x\u200Ey\u200Fz\u061C", "x[U+200E]y[U+200F]z[U+061C]"},
        {"\u2029\u202F\u2065\u206A\u200D\u061B\u00AE",
         "\u2029\u202F\u2065\u206A\u200D\u061B\u00AE"},
        {"Córdoba\u202E", "Córdoba[U+202E]"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(xml::controlesVisibles(c.texto), c.mostrado) << c.texto;
        EXPECT_EQ(xml::mostrado(c.texto), c.mostrado) << c.texto;
    }
    // Cut first, by characters, then made visible: no escape is cut in two.
    const std::string largo = std::string(58, 'a') + "\u202E" + std::string(10, 'b');
    EXPECT_EQ(xml::mostrado(largo), std::string(58, 'a') + "[U+202E]…");
    EXPECT_EQ(xml::mostrado("a\r\nb\tc"), "a  b c");
}

} // namespace

namespace {

// Two documents read the same exactly where the canonical reading says so;
// where they do not, the first difference is found on the line it lies on.
// With mixto, the schema gives r mixed content and d a default value.
TEST(HuellaTest, ReadingsAreEqualExactlyAsTheRulesSay) {
    const struct {
        const char* caso;
        std::string a, b;
        // Of a where its reading first differs (a text names the line where the
        // parser ends it); 0: they read the same.
        long linea;
        bool mixto = false;
    } casos[] = {
        {"attribute order", "<r x=\"1\" y=\"2\"/>", "<r y=\"2\" x=\"1\"/>", 0},
        {"attribute value", "<r>\n<e x=\"1\"/></r>", "<r><e x=\"2\"/></r>", 2},
        {"run of white space", "<r>a \r\n\t b</r>", "<r>a b</r>", 0},
        {"text glued", "<r>\n\n<e>a\nb</e></r>", "<r><e>ab</e></r>", 4},
        {"comment splits no text", "<r>a<!-- x -->b</r>", "<r>ab</r>", 0},
        {"CDATA joins the text", "<r><![CDATA[a]]>b</r>", "<r>ab</r>", 0},
        {"processing instruction", "<r><?p x?></r>", "<r/>", 0},
        {"blanks between elements", "<r>\n  <e/>\n</r>", "<r><e/></r>", 0},
        {"blanks as a value", "<r><e>\n</e></r>", "<r><e></e></r>", 0},
        {"empty element forms", "<r><e/></r>", "<r><e></e></r>", 0},
        {"line end ending a value", "<r>\n<e>a\n</e></r>", "<r><e>a</e></r>", 0},
        {"line end starting a value", "<r>\n<e>\n a</e></r>", "<r><e>a</e></r>", 0},
        {"text beside an element", "<r>a<e/>b</r>", "<r>a<e/> b</r>", 0},
        {"text beside an element, other text", "<r>a<e/>b</r>", "<r>a<e/>c</r>", 1},
        {"namespace", "<r xmlns=\"urn:a\"/>", "<r xmlns=\"urn:b\"/>", 1},
        {"element order", "<r><a/>\n<b/></r>", "<r><b/><a/></r>", 1},
        {"element missing at the end", "<r><a/>\n<b/></r>", "<r><a/></r>", 2},
        {"mixed: break between elements", "<r><b>1</b>\n<b>2</b></r>", "<r><b>1</b><b>2</b></r>", 2,
         true},
        {"mixed: break between text and element", "<r>a\n<b>1</b></r>", "<r>a<b>1</b></r>", 2,
         true},
        {"mixed: blank for a break", "<r>a <b>1</b>\n<b>2</b></r>", "<r>a <b>1</b> <b>2</b></r>", 0,
         true},
        {"mixed: blank on either side of a tag", "<r>a <b>\n1</b></r>", "<r>a<b> 1</b></r>", 0,
         true},
        {"mixed: blank lost inside an element", "<r>a<b>\n1</b></r>", "<r>a<b>1</b></r>", 2, true},
        {"mixed: ends of the value", "<r>\n<b>1</b>\n</r>", "<r><b>1</b></r>", 0, true},
        {"mixed: element ending the value", "<r>a<b/>\n</r>", "<r>a<b/></r>", 0, true},
        {"not mixed: break between elements", "<r><b>1</b>\n<b>2</b></r>",
         "<r><b>1</b><b>2</b></r>", 0},
        {"default: a break where an empty value takes the default", "<d>\n</d>", "<d></d>", 1,
         true},
        {"default: a blank for a break", "<d>\n</d>", "<d> </d>", 0, true},
        {"default: empty either way", "<d/>", "<d><!-- x --></d>", 0, true},
        {"no default: a break as the value", "<r><b>\n</b></r>", "<r><b></b></r>", 0},
        {"lone CRs read as LF", "<r>\r<e>a\rb</e>\r\r</r>", "<r>\n<e>a\nb</e>\n\n</r>", 0},
        {"after lone CRs", "<r>\r\r<e x=\"1\"/></r>", "<r><e x=\"2\"/></r>", 3},
        {"after mixed line ends", "<r>\r\n<e/>\n<e/>\r<e x=\"1\"/></r>",
         "<r><e/><e/><e x=\"2\"/></r>", 4},
        // In UTF-16 a byte 0x0D can be half of another character (U+0D41).
        {"UTF-16 bytes left as they are", std::string("\xFF\xFE<\0r\0>\0\x41\x0D<\0/\0r\0>\0", 18),
         "<r>\xE0\xB5\x81</r>", 0},
    };
    testenv::TempDir dir;
    const std::string xsd = dir.file("r.xsd");
    testenv::writeFile(xsd, "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">"
                            "<xs:element name=\"r\"><xs:complexType mixed=\"true\"><xs:sequence>"
                            "<xs:any processContents=\"skip\" minOccurs=\"0\" "
                            "maxOccurs=\"unbounded\"/></xs:sequence></xs:complexType></xs:element>"
                            "<xs:element name=\"d\" type=\"xs:string\" default=\"x\"/>"
                            "</xs:schema>");
    xml::SchemaCache mixta;
    mixta.add("", xsd);
    const auto digesto = [&](const std::string& ruta, bool mixto) {
        xml::Huella huella;
        xml::Document doc;
        doc.huella(&huella);
        doc.schemas(mixto ? &mixta : nullptr);
        EXPECT_TRUE(doc.load(ruta)) << doc.parseError().reason;
        return huella.digesto();
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const std::string a = dir.file("a.xml"), b = dir.file("b.xml");
        testenv::writeFile(a, c.a);
        testenv::writeFile(b, c.b);
        EXPECT_EQ(digesto(a, c.mixto) == digesto(b, c.mixto), c.linea == 0);
        EXPECT_EQ(xml::PrimeraDiferencia::buscar(a, c.b, xml::Huella::Modo::normalizada,
                                                 c.mixto ? &mixta.mixtos() : nullptr),
                  c.linea);
    }
}

// Strict, white space inside a text counts as it stands; strict inside
// values, also at a value's ends when the value is only white space.
TEST(HuellaTest, StrictReadingsCountTheBlanksTheyKeep) {
    using Modo = xml::Huella::Modo;
    const struct {
        const char* caso;
        std::string a, b;
        long normalizada, estrictaDentro, estricta;
    } casos[] = {
        {"run inside a value", "<r>\n  <e>a\n  b</e>\n</r>", "<r><e>a  b</e></r>", 0, 3, 3},
        {"line end at a value's start, then a value of one line end",
         "<r>\n<e>\n1</e>\n<f>\n</f></r>", "<r><e>1</e><f></f></r>", 0, 5, 3},
        {"blanks between elements", "<r>\n  <e>1</e>\n</r>", "<r><e>1</e></r>", 0, 0, 0},
    };
    testenv::TempDir dir;
    const std::string a = dir.file("a.xml");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        testenv::writeFile(a, c.a);
        EXPECT_EQ(xml::PrimeraDiferencia::buscar(a, c.b, Modo::normalizada), c.normalizada);
        EXPECT_EQ(xml::PrimeraDiferencia::buscar(a, c.b, Modo::estrictaDentro), c.estrictaDentro);
        EXPECT_EQ(xml::PrimeraDiferencia::buscar(a, c.b, Modo::estricta), c.estricta);
    }
}

TEST(CodificacionTest, OnlyEncodingsThatKeepAsciiUnderAnyOfTheirNames) {
    const struct {
        const char* nombre;
        bool admitida;
    } casos[] = {
        {"", true},
        {"UTF-8", true},
        {"utf8", true},
        {"US-ASCII", true},
        {"ANSI_X3.4-1968", true},
        {"latin1", true},
        {"l1", true},
        {"ISO_8859-1", true},
        {"IBM819", true},
        {"ISO-LATIN-1", true},
        {"ISO-8859-16", true},
        {"cp1252", true},
        {"windows-1258", true},
        {"MS-ANSI", true},
        {"ISO-2022-KR", false},
        {"ISO-2022-JP", false},
        {"IBM037", false},
        {"UTF-7", false},
        {"UTF-16", false},
        {"GB18030", false},
        {"SHIFT_JIS", false},
        {"KOI8-R", false},
        {"CP850", false},
        {"HZ", false},
        {"desconocida", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(xml::Codificacion::compatible(c.nombre), c.admitida) << c.nombre;
    // Where CR and LF are those bytes, lone CRs can reach the parser as LF.
    const struct {
        const char* nombre;
        bool ascii;
    } bytes[] = {{"", true},        {"utf-8", true},       {"latin1", true},  {"KOI8-R", true},
                 {"CP850", true},   {"UTF-16", false},     {"IBM037", false}, {"UTF-7", false},
                 {"UTF-32", false}, {"desconocida", false}};
    for (const auto& c : bytes)
        EXPECT_EQ(xml::Codificacion::conservaAscii(c.nombre), c.ascii) << c.nombre;
    testenv::TempDir dir;
    for (const std::string& ruta : {dir.file("d.xml"), dir.file("MI#USB ?x=1;%41 ñ.xml")}) {
        testenv::writeFile(ruta, "<?xml version=\"1.0\" encoding=\"cp1252\"?>\n<!-- c --><r/>");
        EXPECT_EQ(xml::Codificacion::declarada(ruta), "cp1252") << ruta;
        testenv::writeFile(ruta, "<r/>");
        EXPECT_EQ(xml::Codificacion::declarada(ruta), "") << ruta;
    }
}

// The line on which a decoder first refuses the file's bytes; CR, LF and CR
// LF each end a line, and the file is read in blocks.
TEST(CodificacionTest, LineOfTheFirstRefusedByte) {
    const std::string bloque(65535, 'x');
    const struct {
        const char* caso;
        const char* nombre;
        std::string bytes;
        long linea; // 0: nothing refused
    } casos[] = {
        {"LF", "US", "<r>\n<a>caf\xC3\xA9</a>\n</r>", 2},
        {"CR LF", "CSASCII", "<r>\r\n\r\n<a>caf\xC3\xA9</a></r>", 3},
        {"lone CR", "US", "<r>\r<a/>\r<a>\xE9</a></r>", 3},
        {"windows-1252 undefined byte", "windows-1252", "<r>\n<a>\xE9</a>\n<a>\x81</a></r>", 3},
        {"UTF-8 under another spelling", "UTF_8", "<r>\r\n<a>\xC3\xA9</a>\r\n<a>\xE9</a></r>", 3},
        {"CR LF across two blocks", "US", "<r>" + bloque.substr(3) + "\r\n\xC3", 2},
        {"UTF-8 character across two blocks", "UTF_8", bloque + "\xC3\xA9\n\xFF", 2},
        {"nothing refused", "ISO-8859-1", "<r>\n<a>\xE9\x81</a></r>", 0},
        {"unknown decoder", "desconocida", "<r>\xE9</r>", 0},
    };
    testenv::TempDir dir;
    const std::string ruta = dir.file("d.xml");
    for (const auto& c : casos) {
        testenv::writeFile(ruta, c.bytes);
        EXPECT_EQ(xml::Codificacion::lineaRefusada(ruta, c.nombre), c.linea) << c.caso;
    }
    EXPECT_EQ(xml::Codificacion::lineaRefusada(dir.file("falta.xml"), "US"), 0);
}

} // namespace
