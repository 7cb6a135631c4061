#include "platform/xml/SchemaCache.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/xml/Document.h"
#include "platform/xml/UriArchivo.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string schema(const std::string& targetNamespace, const std::string& element) {
    return "<?xml version=\"1.0\"?>\n"
           "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" targetNamespace=\"" +
           targetNamespace +
           "\" elementFormDefault=\"qualified\">\n"
           "  <xs:element name=\"" +
           element + "\" type=\"xs:string\"/>\n</xs:schema>\n";
}

class SchemaCacheTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        testenv::writeFile(dir.file(name), text);
        return dir.file(name);
    }
    int errorOf(const std::string& ns, const std::string& path) {
        try {
            cache.add(ns, path);
        } catch (const rt::RuntimeError& e) {
            return e.number();
        }
        return 0;
    }
    testenv::TempDir dir;
    xml::SchemaCache cache;
};

TEST_F(SchemaCacheTest, RegistersSchemaUnderItsTargetNamespace) {
    cache.add("urn:a", write("a.xsd", schema("urn:a", "root")));
    EXPECT_NE(cache.find("urn:a"), nullptr);
    EXPECT_EQ(cache.find("urn:A"), nullptr);
    EXPECT_EQ(cache.length(), 1u);
}

TEST_F(SchemaCacheTest, RefusesWhatCannotServeTheNamespace) {
    const struct {
        const char* name;
        std::string text;
        const char* ns;
        int error;
    } cases[] = {
        {"not XML", "just text", "urn:a", xml::kSchemaRefused},
        {"XML but no schema", "<root xmlns=\"urn:a\"/>", "urn:a", xml::kSchemaRefused},
        {"other target namespace", schema("urn:b", "root"), "urn:a", xml::kSchemaRefused},
        {"namespace differing in case", schema("urn:a", "root"), "urn:A", xml::kSchemaRefused},
        {"target namespace for no namespace", schema("urn:a", "root"), "", xml::kSchemaRefused},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(c.ns, write("s.xsd", c.text)), c.error) << c.name;
        EXPECT_EQ(cache.find(c.ns), nullptr) << c.name;
    }
    EXPECT_EQ(errorOf("urn:a", dir.file("missing.xsd")), rt::err::FileNotFound);
}

// The refusal names files by their paths, as the user knows them, whatever
// the folder holds.
TEST_F(SchemaCacheTest, RefusalNamesFilesByTheirPaths) {
    for (const std::string carpeta : {"1/Mis esquemas ñ", "2/MI#USB", "3/q?x=1;a%23b%20c"}) {
        std::filesystem::create_directories(dir.file(carpeta));
        const std::string xsd =
            write(carpeta + "/t.xsd", "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                                      "targetNamespace=\"urn:a\"><xs:include schemaLocation="
                                      "\"falta.xsd\"/></xs:schema>");
        try {
            cache.add("urn:a", xsd);
            ADD_FAILURE() << carpeta << ": a missing include passed";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), xml::kSchemaRefused) << carpeta;
            const std::string texto = e.what();
            EXPECT_NE(texto.find("El archivo " + xsd + " no es un esquema válido"),
                      std::string::npos)
                << texto;
            EXPECT_NE(texto.find("'" + dir.file(carpeta + "/falta.xsd") + "'"), std::string::npos)
                << texto;
            EXPECT_EQ(texto.find("file:"), std::string::npos) << texto;
        }
    }
}

TEST_F(SchemaCacheTest, FindsSchemaFileWithoutRegardToCase) {
    write("Lower.xsd", schema("urn:a", "root"));
    cache.add("urn:a", dir.file("LOWER.XSD"));
    EXPECT_NE(cache.find("urn:a"), nullptr);
}

TEST_F(SchemaCacheTest, LaterSchemaForSameNamespaceReplacesEarlier) {
    cache.add("urn:a", write("one.xsd", schema("urn:a", "first")));
    cache.add("urn:a", write("two.xsd", schema("urn:a", "second")));
    xml::Document doc;
    doc.schemas(&cache);
    EXPECT_TRUE(doc.load(write("d.xml", "<second xmlns=\"urn:a\">x</second>")));
    EXPECT_FALSE(doc.load(write("d.xml", "<first xmlns=\"urn:a\">x</first>")));
}

} // namespace

namespace {

// Which elements have mixed content, however the schema declares their type.
TEST(TiposMixtosTest, ElementsOfMixedContentByTheirDeclaration) {
    const std::string inicio =
        "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:t=\"urn:t\" "
        "targetNamespace=\"urn:t\" elementFormDefault=\"qualified\">";
    const std::string cuerpo = R"(
  <xs:include schemaLocation="incluido.xsd"/>
  <xs:redefine schemaLocation="redefinido.xsd">
    <xs:complexType name="TRedefinido"><xs:complexContent><xs:extension base="t:TRedefinido">
      <xs:attribute name="y" type="xs:string"/></xs:extension></xs:complexContent></xs:complexType>
  </xs:redefine>
  <xs:complexType name="TMixto" mixed="true"><xs:sequence>
    <xs:element name="b" type="xs:string" minOccurs="0"/></xs:sequence></xs:complexType>
  <xs:complexType name="TSolo"><xs:sequence>
    <xs:element name="b" type="xs:string" minOccurs="0"/></xs:sequence></xs:complexType>
  <xs:complexType name="TDerivadoSolo"><xs:complexContent mixed="false">
    <xs:restriction base="t:TMixto"><xs:sequence>
    <xs:element name="b" type="xs:string" minOccurs="0"/></xs:sequence></xs:restriction>
  </xs:complexContent></xs:complexType>
  <xs:complexType name="TConAtributo"><xs:complexContent><xs:extension base="t:TMixto">
    <xs:attribute name="x" type="xs:string"/></xs:extension></xs:complexContent></xs:complexType>
  <xs:complexType name="TSecuenciaVacia"><xs:complexContent><xs:extension base="t:TMixto">
    <xs:sequence/></xs:extension></xs:complexContent></xs:complexType>
  <xs:complexType name="TOpcionVacia"><xs:complexContent mixed="false">
    <xs:extension base="t:TMixto"><xs:choice minOccurs="0"/></xs:extension>
  </xs:complexContent></xs:complexType>
  <xs:element name="raiz"><xs:complexType><xs:sequence>
    <xs:element name="enLinea"><xs:complexType mixed="true"><xs:sequence>
      <xs:element name="b" type="xs:string"/></xs:sequence></xs:complexType></xs:element>
    <xs:element name="porNombre" type="t:TMixto"/>
    <xs:element name="soloElementos" type="t:TSolo"/>
    <xs:element name="restringido" type="t:TDerivadoSolo"/>
    <xs:element name="conAtributo" type="t:TConAtributo"/>
    <xs:element name="secuenciaVacia" type="t:TSecuenciaVacia"/>
    <xs:element name="opcionVacia" type="t:TOpcionVacia"/>
    <xs:element name="redefinido" type="t:TRedefinido"/>
    <xs:element name="sinTipo"/>
    <xs:element name="cualquiera" type="xs:anyType"/>
    <xs:element name="local" form="unqualified" type="t:TMixto"/>
    <xs:element name="valor" type="xs:string"/>
    <xs:element ref="t:incluido"/>
  </xs:sequence></xs:complexType></xs:element>
</xs:schema>)";
    testenv::TempDir dir;
    // Also in folders whose path is no URI as it stands (a blank, an accent)
    // or means something else read as one ('#' a fragment, '?' a query, '%'
    // an escape): the included schemas are found all the same. Each lies a
    // level down, so that a path cut short finds no file of another case.
    for (const std::string& carpeta :
         {dir.path(), dir.file("1/Mis esquemas ñ"), dir.file("2/MI#USB/Esquemas"),
          dir.file("3/donde?x=1"), dir.file("4/a%20b%2Fc"), dir.file("5/x;y"),
          dir.file("6/100% real; a#b?c")}) {
        SCOPED_TRACE(carpeta);
        std::filesystem::create_directories(carpeta);
        // Included from an included file: resolved against the includer's own
        // location.
        std::filesystem::create_directories(carpeta + "/sub#1");
        testenv::writeFile(carpeta + "/incluido.xsd",
                           "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">"
                           "<xs:include schemaLocation=\"sub%231/anidado.xsd\"/>"
                           "<xs:element name=\"incluido\"><xs:complexType mixed=\"1\"/>"
                           "</xs:element></xs:schema>");
        testenv::writeFile(carpeta + "/sub#1/anidado.xsd",
                           "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">"
                           "<xs:element name=\"anidado\"><xs:complexType mixed=\"true\"/>"
                           "</xs:element></xs:schema>");
        testenv::writeFile(carpeta + "/redefinido.xsd",
                           "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">"
                           "<xs:complexType name=\"TRedefinido\" mixed=\"true\"/></xs:schema>");
        testenv::writeFile(carpeta + "/t.xsd", inicio + cuerpo);
        xml::SchemaCache cache;
        EXPECT_NO_THROW(cache.add("urn:t", carpeta + "/t.xsd"));
        const struct {
            const char* ns;
            const char* nombre;
            bool mixto;
        } casos[] = {
            {"urn:t", "enLinea", true},
            {"urn:t", "porNombre", true},
            {"urn:t", "soloElementos", false},
            {"urn:t", "restringido", false},
            {"urn:t", "conAtributo", true},
            {"urn:t", "secuenciaVacia", true},
            {"urn:t", "opcionVacia", true},
            {"urn:t", "redefinido", true},
            {"urn:t", "sinTipo", true},
            {"urn:t", "cualquiera", true},
            {"", "local", true},
            {"urn:t", "local", false},
            {"urn:t", "valor", false},
            {"urn:t", "raiz", false},
            {"urn:t", "incluido", true},
            {"urn:t", "anidado", true},
            {"urn:t", "b", false},
        };
        for (const auto& c : casos)
            EXPECT_EQ(cache.mixtos().elemento(c.ns, c.nombre), c.mixto) << c.ns << " " << c.nombre;
        EXPECT_TRUE(cache.mixtos().tipo("urn:t", "TMixto"));
        EXPECT_FALSE(cache.mixtos().tipo("urn:t", "TSolo"));
    }

    // A schema without mixed content has none.
    testenv::writeFile(dir.file("a.xsd"), schema("urn:a", "root"));
    xml::SchemaCache sola;
    sola.add("urn:a", dir.file("a.xsd"));
    EXPECT_TRUE(sola.mixtos().vacio());

    // What only a wildcard lets in has no type of its own: anything goes.
    testenv::writeFile(dir.file("w.xsd"),
                       "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                       "targetNamespace=\"urn:w\" elementFormDefault=\"qualified\">"
                       "<xs:element name=\"raiz\"><xs:complexType><xs:sequence>"
                       "<xs:element name=\"valor\" type=\"xs:string\"/>"
                       "<xs:any processContents=\"skip\" namespace=\"##other\"/>"
                       "</xs:sequence></xs:complexType></xs:element></xs:schema>");
    xml::SchemaCache comodin;
    comodin.add("urn:w", dir.file("w.xsd"));
    EXPECT_TRUE(comodin.mixtos().elemento("urn:otro", "libre"));
    EXPECT_FALSE(comodin.mixtos().elemento("urn:w", "raiz"));
    EXPECT_FALSE(comodin.mixtos().elemento("urn:w", "valor"));
}

} // namespace

namespace {

// A path goes to the parser as a URI and comes back exactly; only local file
// URIs are taken for paths.
TEST(UriArchivoTest, PathsGoAndComeBackExactly) {
    for (const std::string ruta : {"/a/b.xsd", "/media/ana/MI#USB/DatosNuro/Esquemas/F1_2.xsd",
                                   "/q?x=1;y/%41%2F%%/a b/ñ/\\'\"/+&=@$,!*()~"}) {
        const std::string uri = xml::UriArchivo::desdeRuta(ruta);
        EXPECT_EQ(uri.find_first_of("#?% ;'\"", 7) == std::string::npos,
                  ruta.find_first_of("#?% ;'\"") == std::string::npos)
            << uri;
        EXPECT_EQ(xml::UriArchivo::ruta(uri.c_str()), ruta) << uri;
        EXPECT_EQ(xml::UriArchivo::rutasEnTexto("en '" + uri + "' y " + uri),
                  "en '" + ruta + "' y " + ruta);
    }
    EXPECT_EQ(xml::UriArchivo::desdeRuta("/x/a#b"), "file:///x/a%23b");
    EXPECT_EQ(xml::UriArchivo::ruta("file://localhost/x/a%23b#frag"), "/x/a#b");
    EXPECT_EQ(xml::UriArchivo::ruta("FILE:///x/a%20b?q"), "/x/a b");
    for (const char* ajeno : {"/x/a.xsd", "a.xsd", "http://h/a.xsd", "file://otro/a.xsd",
                              "file:///x/a%00b.xsd", "file:a.xsd"})
        EXPECT_EQ(xml::UriArchivo::ruta(ajeno), std::nullopt) << ajeno;
    EXPECT_EQ(xml::UriArchivo::rutasEnTexto("'http://h/a' file://otro/a"),
              "'http://h/a' file://otro/a");
}

} // namespace
