#include "processing/CValidarXml.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "platform/ui/ScriptedDialogs.h"
#include "platform/xml/SchemaCache.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"
#include "tests/support/RecursosDePrueba.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const std::string kForm = "9001";
const std::string kVersion = "00001";

std::string schemaFor(const std::string& ns) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" targetNamespace=")" +
           ns + R"(" xmlns=")" + ns + R"(" elementFormDefault="qualified">
  <xs:element name="root">
    <xs:complexType>
      <xs:sequence>
        <xs:element name="Item" maxOccurs="unbounded" type="xs:string"/>
        <xs:element name="Envio" minOccurs="0" maxOccurs="unbounded">
          <xs:complexType>
            <xs:choice minOccurs="0" maxOccurs="unbounded">
              <xs:element name="Kilos" type="xs:decimal"/>
              <xs:element name="Guia" type="Guia"/>
              <xs:element name="Nombre" type="Nombre"/>
              <xs:element name="Destino" type="Destino"/>
              <xs:element name="Patente" type="Patente"/>
              <xs:element name="Moneda" type="Moneda"/>
              <xs:element name="Pais" type="Pais"/>
              <xs:element name="Cantidad" type="Cantidad"/>
              <xs:element name="Peso" type="Peso"/>
              <xs:element name="Importe" type="Importe"/>
              <xs:element name="Nota" type="xs:string" nillable="true"/>
              <xs:element name="Vacio"><xs:complexType/></xs:element>
              <xs:element name="Fijo" type="xs:string" fixed="X"/>
              <xs:element name="Codigos">
                <xs:simpleType><xs:list itemType="xs:int"/></xs:simpleType>
              </xs:element>
              <xs:element name="Clave">
                <xs:simpleType><xs:union memberTypes="xs:int xs:date"/></xs:simpleType>
              </xs:element>
              <xs:element name="Bultos">
                <xs:complexType>
                  <xs:sequence>
                    <xs:element name="Caja" type="xs:string"/>
                    <xs:element name="Sobre" type="xs:string"/>
                  </xs:sequence>
                </xs:complexType>
              </xs:element>
            </xs:choice>
            <xs:attribute name="Tipo" use="required">
              <xs:simpleType>
                <xs:restriction base="xs:string">
                  <xs:enumeration value="A"/><xs:enumeration value="B"/>
                </xs:restriction>
              </xs:simpleType>
            </xs:attribute>
            <xs:attribute name="Numero" type="xs:int"/>
            <xs:attribute name="Serie" type="xs:string" fixed="A1"/>
            <xs:attribute name="Guia" type="Guia"/>
            <xs:attribute name="Nombre" type="Nombre"/>
            <xs:attribute name="Destino" type="Destino"/>
            <xs:attribute name="Cantidad" type="Cantidad"/>
            <xs:attribute name="Peso" type="Peso"/>
            <xs:attribute name="Importe" type="Importe"/>
          </xs:complexType>
        </xs:element>
      </xs:sequence>
    </xs:complexType>
  </xs:element>
  <xs:simpleType name="Guia">
    <xs:restriction base="xs:string"><xs:length value="3"/></xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="Nombre">
    <xs:restriction base="xs:string"><xs:minLength value="2"/></xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="Destino">
    <xs:restriction base="xs:string"><xs:maxLength value="6"/></xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="Patente">
    <xs:restriction base="xs:string"><xs:pattern value="[A-Z]{3}[0-9]{3}"/></xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="Moneda">
    <xs:restriction base="xs:string">
      <xs:enumeration value="DOL"/><xs:enumeration value="EUR"/><xs:enumeration value="PES"/>
    </xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="Pais">
    <xs:restriction base="xs:string">
      <xs:enumeration value="AR"/><xs:enumeration value="BO"/><xs:enumeration value="BR"/>
      <xs:enumeration value="CL"/><xs:enumeration value="CO"/><xs:enumeration value="EC"/>
      <xs:enumeration value="PE"/><xs:enumeration value="PY"/><xs:enumeration value="UY"/>
    </xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="Cantidad">
    <xs:restriction base="xs:int">
      <xs:minInclusive value="1"/><xs:maxInclusive value="999"/>
    </xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="Peso">
    <xs:restriction base="xs:decimal">
      <xs:minExclusive value="0"/><xs:maxExclusive value="1000"/>
    </xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="Importe">
    <xs:restriction base="xs:decimal">
      <xs:totalDigits value="5"/><xs:fractionDigits value="2"/>
    </xs:restriction>
  </xs:simpleType>
</xs:schema>
)";
}

std::string formRow(const std::string& form, const std::string& version, const std::string& ns) {
    return "insert into Formularios (CodFormulario, Version, Descripcion, TipoArchivoEntrada, "
           "CodigoImpuesto, CODIGOCONCEPTO, NameSpace) values ('" +
           form + "', '" + version + "', 'Prueba', 'M', '0100', '001', " + ns + ");";
}

class CValidarXmlTest : public ::testing::Test {
protected:
    CValidarXmlTest()
        : ns(rutas::espacioNombres(kForm, kVersion)),
          drive(formRow(kForm, kVersion, "'" + ns + "'")) {}

    void SetUp() override {
        drive.writeSchema(kForm, kVersion, schemaFor(ns));
        drive.openBaseDatos();
    }
    std::string document(const std::string& body) {
        return drive.writeData("d.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + body);
    }
    bool validar(const std::string& path) { return validador.ValidarXML(path, kForm, kVersion); }
    int errorNumber(const std::string& path) {
        try {
            validar(path);
        } catch (const rt::RuntimeError& e) {
            return e.number();
        }
        return 0;
    }

    const std::string ns;
    testenv::TestDrive drive;
    CValidarXml validador;
};

TEST_F(CValidarXmlTest, DocumentInTheFormsNamespacePasses) {
    for (const std::string& body :
         {"<root xmlns=\"" + ns + "\"><Item>a</Item></root>",
          "<!DOCTYPE root>\r\n<root xmlns=\"" + ns + "\">\r\n<Item>a</Item>\r\n</root>",
          "<root xmlns=\"" + ns + "\">\r<Item>a</Item>\r<Item>b\rc</Item>\r</root>\r"}) {
        EXPECT_TRUE(validar(document(body))) << body << validador.Error();
        EXPECT_EQ(validador.Error(), "");
    }
}

// The check does not yield: a large document lets the windows repaint on the
// way, valid or not.
TEST_F(CValidarXmlTest, LargeDocumentLetsTheWindowsRepaint) {
    ui::ScriptedDialogs dialogos;
    ui::setDialogs(&dialogos);
    std::string items;
    for (int i = 0; i < 3000; ++i)
        items += "<Item>" + std::to_string(i) + "</Item>";
    for (const std::string& fin : {std::string("</root>"), std::string("<Otro/></root>")}) {
        dialogos.clear();
        validar(document("<root xmlns=\"" + ns + "\">" + items + fin));
        EXPECT_GE(dialogos.repaints(), 5) << fin;
        EXPECT_EQ(dialogos.yields(), 0);
    }
    ui::setDialogs(nullptr);
}

TEST_F(CValidarXmlTest, MissingSchemaFailsWithoutAnyQuery) {
    BaseDatos.reset(); // a query would now be a run-time error
    CValidarXml v;
    EXPECT_FALSE(v.ValidarXML(document("<root/>"), "9002", kVersion));
    EXPECT_EQ(v.Error(), "Archivo no encontrado " + drive.schemas() + "/F9002_00001.xsd");
}

TEST_F(CValidarXmlTest, RootOutsideTheFormsNamespaceIsRefused) {
    std::string oneLetter = ns;
    oneLetter[oneLetter.find("nuro")] = 'N';
    for (const std::string& root : {"<root xmlns=\"" + oneLetter + "\"><Item>a</Item></root>",
                                    std::string("<root><Item>a</Item></root>")}) {
        CValidarXml v;
        EXPECT_FALSE(v.ValidarXML(document(root), kForm, kVersion)) << root;
        EXPECT_EQ(v.Error(), "Error : El NameSpace del Documento debe ser = " + ns);
    }
}

TEST_F(CValidarXmlTest, LoadFailureShowsReasonAndSourceLine) {
    const struct {
        const char* name;
        std::string body;
        const char* reasonPart;
        std::string srcText;
    } cases[] = {
        {"not well-formed", "<root xmlns=\"" + ns + "\">\r\n<Item>a</Itme>\r\n</root>",
         "no corresponde a la de apertura «Item»", "<Item>a</Itme>"},
        {"element the schema does not allow",
         "<root xmlns=\"" + ns + "\">\r\n<Item>a</Item>\r\n<Otro>b</Otro>\r\n</root>",
         "El elemento «Otro» en la línea 4 no corresponde", "<Otro>b</Otro>"},
        // The reason and the source text name the same line, however the
        // lines end.
        {"value on line 6, lone CRs",
         "<root xmlns=\"" + ns +
             "\">\r<Item>a</Item>\r<Item>b</Item>\r<Envio Tipo=\"A\">\r<Pais>BRX</Pais>\r</Envio>"
             "\r</root>\r",
         "«Pais» en la línea 6", "<Pais>BRX</Pais>"},
        {"end tag on line 6, lone CRs",
         "<root xmlns=\"" + ns +
             "\">\r<Item>a</Item>\r<Item>b</Item>\r<Envio Tipo=\"A\">\r<Destino>BR</Destin>\r"
             "</Envio>\r</root>\r",
         "«Destin» en la línea 6 no corresponde a la de apertura «Destino» de la línea 6",
         "<Destino>BR</Destin>"},
        {"value on line 6, mixed line ends",
         "<root xmlns=\"" + ns +
             "\">\n<Item>a</Item>\r<Item>b</Item>\r\n<Envio Tipo=\"A\">\n<Pais>BRX</Pais>\r"
             "</Envio>\r\n</root>",
         "«Pais» en la línea 6", "<Pais>BRX</Pais>"},
        {"system identifier",
         "<!DOCTYPE root SYSTEM \"e.dtd\">\r\n<root xmlns=\"" + ns +
             "\">\r\n<Item>a</Item>\r\n</root>",
         "La declaración <!DOCTYPE> de la línea 2 remite a definiciones externas",
         "<!DOCTYPE root SYSTEM \"e.dtd\">"},
        {"public identifier",
         "\r\n<!DOCTYPE root PUBLIC \"-//N//R//ES\"\r\n \"r.dtd\">\r\n<root xmlns=\"" + ns +
             "\">\r\n<Item>a</Item>\r\n</root>",
         "La declaración <!DOCTYPE> de la línea 3 remite a definiciones externas",
         "<!DOCTYPE root PUBLIC \"-//N//R//ES\""},
    };
    for (const auto& c : cases) {
        CValidarXml v;
        EXPECT_FALSE(v.ValidarXML(document(c.body), kForm, kVersion)) << c.name;
        const std::string& e = v.Error();
        const std::string frame = "\r\n\r\nTexto Fuente : ";
        ASSERT_EQ(e.rfind("Error : ", 0), 0u) << e;
        ASSERT_NE(e.find(frame), std::string::npos) << e;
        EXPECT_NE(e.substr(0, e.find(frame)).find(c.reasonPart), std::string::npos) << e;
        EXPECT_EQ(e.substr(e.find(frame) + frame.size()), c.srcText) << c.name;
    }
}

// One document for each of the parser's reasons given in Spanish: the root
// element opens line 2 and the fault stands on line 3 unless said otherwise.
struct RazonEspanol {
    const char* nombre;
    std::string despues; // what follows the root's start tag and its line end; "@" the namespace
    std::string razon;
    std::string fuente;
    const char* raiz = "root";          // nullptr: no root element
    const char* codificacion = "UTF-8"; // nullptr: no XML declaration
};

// A name or value longer than a reason shows, and its start as shown.
const std::string kLargo(70, 'N');
const std::string kCorto = std::string(59, 'N') + "…";
const std::string kCodificacionLarga = "ISO-8859-1" + kLargo;

const RazonEspanol kRazones[] = {
    {"valor", "<Item>a</Item><Envio Tipo=\"A\"><Kilos>doce mil</Kilos></Envio>\r\n</root>",
     "El valor «doce mil» no es válido para el elemento «Kilos» en la línea 3",
     "<Item>a</Item><Envio Tipo=\"A\"><Kilos>doce mil</Kilos></Envio>"},
    {"valorAtributo", "<Item>a</Item><Envio Tipo=\"A\" Numero=\"1 2\"/>\r\n</root>",
     "El valor «1 2» no es válido para el atributo «Numero» del elemento «Envio» en la línea 3",
     "<Item>a</Item><Envio Tipo=\"A\" Numero=\"1 2\"/>"},
    {"valorLista", "<Item>a</Item><Envio Tipo=\"A\"><Codigos>1 x</Codigos></Envio></root>",
     "El valor «x» no es válido para el elemento «Codigos» en la línea 3",
     "<Item>a</Item><Envio Tipo=\"A\"><Codigos>1 x</Codigos></Envio></root>"},
    {"valorUnion", "<Item>a</Item><Envio Tipo=\"A\"><Clave>hoy</Clave></Envio></root>",
     "El valor «hoy» no es válido para el elemento «Clave» en la línea 3",
     "<Item>a</Item><Envio Tipo=\"A\"><Clave>hoy</Clave></Envio></root>"},
    {"valorVacio", "<Item>a</Item><Envio Tipo=\"A\"><Kilos></Kilos></Envio></root>",
     "El valor «» no es válido para el elemento «Kilos» en la línea 3",
     "<Item>a</Item><Envio Tipo=\"A\"><Kilos></Kilos></Envio></root>"},
    {"length", "<Item>a</Item><Envio Tipo=\"A\"><Guia>AB</Guia></Envio></root>",
     "El valor del elemento «Guia» en la línea 3 tiene longitud 2; la longitud requerida es 3",
     "<Item>a</Item><Envio Tipo=\"A\"><Guia>AB</Guia></Envio></root>"},
    {"minLength", "<Item>a</Item><Envio Tipo=\"A\"><Nombre>J</Nombre></Envio></root>",
     "El valor del elemento «Nombre» en la línea 3 tiene longitud 1; la longitud mínima es 2",
     "<Item>a</Item><Envio Tipo=\"A\"><Nombre>J</Nombre></Envio></root>"},
    {"maxLength", "<Item>a</Item><Envio Tipo=\"A\"><Destino>Córdoba</Destino></Envio></root>",
     "El valor del elemento «Destino» en la línea 3 tiene longitud 7; la longitud máxima es 6",
     "<Item>a</Item><Envio Tipo=\"A\"><Destino>Córdoba</Destino></Envio></root>"},
    {"pattern", "<Item>a</Item><Envio Tipo=\"A\"><Patente>a'b\"{c}</Patente></Envio></root>",
     "El valor «a'b\"{c}» del elemento «Patente» en la línea 3 no tiene la forma requerida",
     "<Item>a</Item><Envio Tipo=\"A\"><Patente>a'b\"{c}</Patente></Envio></root>"},
    {"enumeration", "<Item>a</Item><Envio Tipo=\"A\"><Moneda>YEN</Moneda></Envio></root>",
     "El valor «YEN» del elemento «Moneda» en la línea 3 no es uno de los admitidos: «DOL», "
     "«EUR» o «PES»",
     "<Item>a</Item><Envio Tipo=\"A\"><Moneda>YEN</Moneda></Envio></root>"},
    {"enumerationLarga", "<Item>a</Item><Envio Tipo=\"A\"><Pais>VE</Pais></Envio></root>",
     "El valor «VE» del elemento «Pais» en la línea 3 no es uno de los admitidos",
     "<Item>a</Item><Envio Tipo=\"A\"><Pais>VE</Pais></Envio></root>"},
    {"enumerationAtributo", "<Item>a</Item><Envio Tipo=\"C\"/></root>",
     "El valor «C» del atributo «Tipo» del elemento «Envio» en la línea 3 no es uno de los "
     "admitidos: «A» o «B»",
     "<Item>a</Item><Envio Tipo=\"C\"/></root>"},
    {"minInclusive", "<Item>a</Item><Envio Tipo=\"A\"><Cantidad>0</Cantidad></Envio></root>",
     "El valor «0» del elemento «Cantidad» en la línea 3 es menor que el mínimo admitido, 1",
     "<Item>a</Item><Envio Tipo=\"A\"><Cantidad>0</Cantidad></Envio></root>"},
    {"maxInclusive", "<Item>a</Item><Envio Tipo=\"A\"><Cantidad>1000</Cantidad></Envio></root>",
     "El valor «1000» del elemento «Cantidad» en la línea 3 es mayor que el máximo admitido, 999",
     "<Item>a</Item><Envio Tipo=\"A\"><Cantidad>1000</Cantidad></Envio></root>"},
    {"minExclusive", "<Item>a</Item><Envio Tipo=\"A\"><Peso>0</Peso></Envio></root>",
     "El valor «0» del elemento «Peso» en la línea 3 debe ser mayor que 0",
     "<Item>a</Item><Envio Tipo=\"A\"><Peso>0</Peso></Envio></root>"},
    {"maxExclusive", "<Item>a</Item><Envio Tipo=\"A\"><Peso>1000</Peso></Envio></root>",
     "El valor «1000» del elemento «Peso» en la línea 3 debe ser menor que 1000",
     "<Item>a</Item><Envio Tipo=\"A\"><Peso>1000</Peso></Envio></root>"},
    {"totalDigits", "<Item>a</Item><Envio Tipo=\"A\"><Importe>123456</Importe></Envio></root>",
     "El valor «123456» del elemento «Importe» en la línea 3 tiene demasiados dígitos; el máximo "
     "es 5",
     "<Item>a</Item><Envio Tipo=\"A\"><Importe>123456</Importe></Envio></root>"},
    {"fractionDigits", "<Item>a</Item><Envio Tipo=\"A\"><Importe>1.234</Importe></Envio></root>",
     "El valor «1.234» del elemento «Importe» en la línea 3 tiene demasiados decimales; el máximo "
     "es 2",
     "<Item>a</Item><Envio Tipo=\"A\"><Importe>1.234</Importe></Envio></root>"},
    // An attribute's error gives its value before the figures.
    {"lengthAtributo", "<Item>a</Item><Envio Tipo=\"A\" Guia=\"ABCDE\"/></root>",
     "El valor «ABCDE» del atributo «Guia» del elemento «Envio» en la línea 3 tiene longitud 5; la "
     "longitud requerida es 3",
     "<Item>a</Item><Envio Tipo=\"A\" Guia=\"ABCDE\"/></root>"},
    {"minLengthAtributo", "<Item>a</Item><Envio Tipo=\"A\" Nombre=\"J\"/></root>",
     "El valor «J» del atributo «Nombre» del elemento «Envio» en la línea 3 tiene longitud 1; la "
     "longitud mínima es 2",
     "<Item>a</Item><Envio Tipo=\"A\" Nombre=\"J\"/></root>"},
    {"maxLengthAtributo", "<Item>a</Item>\r\n<Envio Tipo=\"A\" Destino=\"Córdoba\"/></root>",
     "El valor «Córdoba» del atributo «Destino» del elemento «Envio» en la línea 4 tiene "
     "longitud 7; la longitud máxima es 6",
     "<Envio Tipo=\"A\" Destino=\"Córdoba\"/></root>"},
    {"minInclusiveAtributo", "<Item>a</Item><Envio Tipo=\"A\" Cantidad=\"0\"/></root>",
     "El valor «0» del atributo «Cantidad» del elemento «Envio» en la línea 3 es menor que el "
     "mínimo admitido, 1",
     "<Item>a</Item><Envio Tipo=\"A\" Cantidad=\"0\"/></root>"},
    {"maxInclusiveAtributo", "<Item>a</Item><Envio Tipo=\"A\" Cantidad=\"1000\"/></root>",
     "El valor «1000» del atributo «Cantidad» del elemento «Envio» en la línea 3 es mayor que el "
     "máximo admitido, 999",
     "<Item>a</Item><Envio Tipo=\"A\" Cantidad=\"1000\"/></root>"},
    {"minExclusiveAtributo", "<Item>a</Item><Envio Tipo=\"A\" Peso=\"0\"/></root>",
     "El valor «0» del atributo «Peso» del elemento «Envio» en la línea 3 debe ser mayor que 0",
     "<Item>a</Item><Envio Tipo=\"A\" Peso=\"0\"/></root>"},
    {"maxExclusiveAtributo", "<Item>a</Item><Envio Tipo=\"A\" Peso=\"1000.5\"/></root>",
     "El valor «1000.5» del atributo «Peso» del elemento «Envio» en la línea 3 debe ser menor "
     "que 1000",
     "<Item>a</Item><Envio Tipo=\"A\" Peso=\"1000.5\"/></root>"},
    {"totalDigitsAtributo", "<Item>a</Item><Envio Tipo=\"A\" Importe=\"123456\"/></root>",
     "El valor «123456» del atributo «Importe» del elemento «Envio» en la línea 3 tiene "
     "demasiados dígitos; el máximo es 5",
     "<Item>a</Item><Envio Tipo=\"A\" Importe=\"123456\"/></root>"},
    {"fractionDigitsAtributo", "<Item>a</Item><Envio Tipo=\"A\" Importe=\"1.234\"/></root>",
     "El valor «1.234» del atributo «Importe» del elemento «Envio» en la línea 3 tiene "
     "demasiados decimales; el máximo es 2",
     "<Item>a</Item><Envio Tipo=\"A\" Importe=\"1.234\"/></root>"},
    {"noEsperado", "<Item>a</Item><Otro/></root>",
     "El elemento «Otro» en la línea 3 no corresponde en ese lugar; se esperaba «Item» o «Envio»",
     "<Item>a</Item><Otro/></root>"},
    {"noEsperadoAlFinal",
     "<Item>a</Item><Envio Tipo=\"A\"><Bultos><Caja/><Sobre/><Otro/></Bultos></Envio></root>",
     "El elemento «Otro» en la línea 3 no corresponde en ese lugar",
     "<Item>a</Item><Envio Tipo=\"A\"><Bultos><Caja/><Sobre/><Otro/></Bultos></Envio></root>"},
    {"faltanHijos", "<Item>a</Item><Envio Tipo=\"A\"><Bultos><Caja/></Bultos></Envio></root>",
     "Faltan elementos dentro de «Bultos» en la línea 3; se esperaba «Sobre»",
     "<Item>a</Item><Envio Tipo=\"A\"><Bultos><Caja/></Bultos></Envio></root>"},
    {"texto", "<Item>a</Item><Envio Tipo=\"A\"><Bultos>uno<Caja/><Sobre/></Bultos></Envio></root>",
     "El elemento «Bultos» en la línea 3 solo puede contener otros elementos, no texto",
     "<Item>a</Item><Envio Tipo=\"A\"><Bultos>uno<Caja/><Sobre/></Bultos></Envio></root>"},
    {"hijoEnTexto", "<Item>a<b/></Item></root>",
     "El elemento «Item» en la línea 3 solo puede contener texto, no otros elementos",
     "<Item>a<b/></Item></root>"},
    {"raiz", "<Item>a</Item></Raiz>",
     "El elemento «Raiz» en la línea 2 no es el elemento raíz de este formulario",
     "<Raiz xmlns=\"@\">", "Raiz"},
    {"atributoFalta", "<Item>a</Item><Envio/></root>",
     "Falta el atributo obligatorio «Tipo» en el elemento «Envio» en la línea 3",
     "<Item>a</Item><Envio/></root>"},
    {"atributoSobra", "<Item>a</Item><Envio Tipo=\"A\" Clase=\"1\"/></root>",
     "El atributo «Clase» no está permitido en el elemento «Envio» en la línea 3",
     "<Item>a</Item><Envio Tipo=\"A\" Clase=\"1\"/></root>"},
    {"atributoEnTexto", "<Item Clase=\"1\">a</Item></root>",
     "El atributo «Clase» no está permitido en el elemento «Item» en la línea 3",
     "<Item Clase=\"1\">a</Item></root>"},
    {"atributoDoble", "<Item>a</Item><Envio Tipo=\"A\" Tipo=\"B\"/></root>",
     "El atributo «Tipo» aparece dos veces en el mismo elemento en la línea 3",
     "<Item>a</Item><Envio Tipo=\"A\" Tipo=\"B\"/></root>"},
    {"atributoDobleNs",
     "<Item xmlns:p=\"urn:p\" xmlns:q=\"urn:p\" p:x=\"1\" q:x=\"2\">a</Item></root>",
     "El atributo «x» aparece dos veces en el mismo elemento en la línea 3",
     "<Item xmlns:p=\"urn:p\" xmlns:q=\"urn:p\" p:x=\"1\" q:x=\"2\">a</Item></root>"},
    {"cierre", "<Item>a</Itme>\r\n</root>",
     "La etiqueta de cierre «Itme» en la línea 3 no corresponde a la de apertura «Item» de la "
     "línea 3",
     "<Item>a</Itme>"},
    {"cierreOtraLinea", "<Item>\r\na</Itme>\r\n</root>",
     "La etiqueta de cierre «Itme» en la línea 4 no corresponde a la de apertura «Item» de la "
     "línea 3",
     "a</Itme>"},
    // The end of the file is on its last line, whatever ends the lines.
    {"finTemprano", "<Item>a</Item>\r\n",
     "El documento termina en la línea 3 sin cerrar el elemento «root»", "<Item>a</Item>"},
    {"finTempranoLF", "<Item>a</Item>\n",
     "El documento termina en la línea 3 sin cerrar el elemento «root»", "<Item>a</Item>"},
    {"finTempranoCR", "<Item>a</Item>\r",
     "El documento termina en la línea 3 sin cerrar el elemento «root»", "<Item>a</Item>"},
    {"finTempranoBlancos", "<Item>a</Item>\r\n\r\n",
     "El documento termina en la línea 4 sin cerrar el elemento «root»", ""},
    {"sinRaiz", "<!-- sin datos -->\r\n", "El documento termina en la línea 2 sin ningún elemento",
     "<!-- sin datos -->", nullptr},
    {"despues", "<Item>a</Item></root>\r\nfin",
     "Hay contenido después del cierre del elemento raíz en la línea 4", "fin"},
    {"noUtf8", "<Item>caf\xE9</Item></root>",
     "El texto en la línea 3 no está codificado en UTF-8 (byte 0xE9); guarde el archivo en UTF-8 "
     "o declare su codificación",
     "<Item>café</Item></root>"},
    {"ascii", "<Item>caf\xC3\xA9</Item></root>",
     "El texto en la línea 3 tiene bytes que no corresponden a la codificación declarada, "
     "US-ASCII",
     "<Item>café</Item></root>", "root", "US-ASCII"},
    // Decoders other than the parser's own name no line: it is found.
    {"windows1252", "<Item>a</Item>\r\n<Item>caf\x81</Item></root>",
     "El texto en la línea 4 tiene bytes que no corresponden a la codificación declarada, "
     "windows-1252",
     "<Item>caf\u0081</Item></root>", "root", "windows-1252"},
    {"us", "<Item>caf\xC3\xA9</Item></root>",
     "El texto en la línea 3 tiene bytes que no corresponden a la codificación declarada, US",
     "<Item>café</Item></root>", "root", "US"},
    {"csascii", "<Item>a</Item>\r\n\r\n<Item>caf\xC3\xA9</Item></root>",
     "El texto en la línea 5 tiene bytes que no corresponden a la codificación declarada, "
     "CSASCII",
     "<Item>café</Item></root>", "root", "CSASCII"},
    {"utf_8", "<Item>caf\xE9</Item></root>",
     "El texto en la línea 3 tiene bytes que no corresponden a la codificación declarada, UTF_8",
     "<Item>café</Item></root>", "root", "UTF_8"},
    {"caracter", "<Item>a&#1;b</Item></root>",
     "El carácter U+0001 en la línea 3 no está permitido en un documento XML",
     "<Item>a&#1;b</Item></root>"},
    {"caracterEnAtributo", "<Item>a</Item><Envio Tipo=\"A\x01\"/></root>",
     "Hay un carácter no permitido en un documento XML en la línea 3",
     "<Item>a</Item><Envio Tipo=\"A\x01\"/></root>"},
    {"entidad", "<Item>a&nbsp;b</Item></root>",
     "La entidad «&nbsp;» en la línea 3 no está definida", "<Item>a&nbsp;b</Item></root>"},
    {"sinValor", "<Item>a</Item><Envio Tipo/></root>",
     "El atributo «Tipo» en la línea 3 no tiene valor", "<Item>a</Item><Envio Tipo/></root>"},
    {"sinComillas", "<Item>a</Item><Envio Tipo=A/></root>",
     "El valor de un atributo en la línea 3 no está entre comillas",
     "<Item>a</Item><Envio Tipo=A/></root>"},
    {"dobleConPrefijo", "<Item xmlns:p=\"urn:p\" p:x=\"1\" p:x=\"2\">a</Item></root>",
     "El atributo «x» aparece dos veces en el mismo elemento en la línea 3",
     "<Item xmlns:p=\"urn:p\" p:x=\"1\" p:x=\"2\">a</Item></root>"},
    {"xmlnsDoble", "<Item xmlns:p=\"urn:p\" xmlns:p=\"urn:q\">a</Item></root>",
     "El atributo «xmlns:p» aparece dos veces en el mismo elemento en la línea 3",
     "<Item xmlns:p=\"urn:p\" xmlns:p=\"urn:q\">a</Item></root>"},
    {"ampersand", "<Item>Pérez & Hijos</Item></root>",
     "El carácter «&» en la línea 3 debe escribirse «&amp;»", "<Item>Pérez & Hijos</Item></root>"},
    {"ampersandPegado", "<Item>S&A</Item></root>",
     "El carácter «&» en la línea 3 debe escribirse «&amp;»", "<Item>S&A</Item></root>"},
    {"ampersandEnAtributo", "<Item>a</Item><Envio Tipo=\"A & B\"/></root>",
     "El carácter «&» en la línea 3 debe escribirse «&amp;»",
     "<Item>a</Item><Envio Tipo=\"A & B\"/></root>"},
    {"menorQue", "<Item>1 < 2</Item></root>",
     "El carácter «<» en la línea 3 no abre una etiqueta válida; dentro de un texto debe "
     "escribirse «&lt;»",
     "<Item>1 < 2</Item></root>"},
    {"menorQueEnAtributo", "<Item>a</Item><Envio Tipo=\"A<B\"/></root>",
     "El valor del atributo «Tipo» del elemento «Envio» en la línea 3 contiene «<», que debe "
     "escribirse «&lt;», o no cierra sus comillas",
     "<Item>a</Item><Envio Tipo=\"A<B\"/></root>"},
    {"comillasSinCerrar", "<Item>a</Item><Envio Numero='1>2' Tipo=\"O'Neil>x</Envio>\r\n</root>",
     "El valor del atributo «Tipo» del elemento «Envio» en la línea 3 contiene «<», que debe "
     "escribirse «&lt;», o no cierra sus comillas",
     "<Item>a</Item><Envio Numero='1>2' Tipo=\"O'Neil>x</Envio>"},
    {"comillasHastaElFin", "<Item>a</Item><p:Envio xmlns:p=\"@\" p:Tipo=\"A>",
     "El valor del atributo «Tipo» del elemento «Envio» en la línea 3 no cierra sus comillas",
     "<Item>a</Item><p:Envio xmlns:p=\"@\" p:Tipo=\"A>"},
    {"aperturaSinCierre", "<Item>a</Item><Envio Tipo=\"A\"</Envio></root>",
     "La etiqueta de apertura de «Envio» en la línea 3 no termina en «>» o tiene un atributo mal "
     "escrito",
     "<Item>a</Item><Envio Tipo=\"A\"</Envio></root>"},
    {"aperturaPartida", "<Item>a</Item><Envio Tipo=\"A\"\r\n</Envio></root>",
     "La etiqueta de apertura de «Envio» en la línea 4 no termina en «>» o tiene un atributo mal "
     "escrito",
     "</Envio></root>"},
    {"atributosPegados", "<Item>a</Item><Envio Tipo=\"A\"Numero=\"1\"/></root>",
     "La etiqueta de apertura de «Envio» en la línea 3 no termina en «>» o tiene un atributo mal "
     "escrito",
     "<Item>a</Item><Envio Tipo=\"A\"Numero=\"1\"/></root>"},
    {"aperturaAlFinal", "<Item>a</Item><Item",
     "La etiqueta de apertura de «Item» en la línea 3 no termina en «>» o tiene un atributo mal "
     "escrito",
     "<Item>a</Item><Item"},
    {"cierreSinMayor", "<Item>a</Item</root>",
     "La etiqueta de cierre de «Item» en la línea 3 no termina en «>»", "<Item>a</Item</root>"},
    {"prefijo", "<Item>a</Item><x:Envio Tipo=\"A\"/></root>",
     "El prefijo «x» del elemento «Envio» en la línea 3 no está declarado",
     "<Item>a</Item><x:Envio Tipo=\"A\"/></root>"},
    {"prefijoAtributo", "<Item x:Clase=\"1\">a</Item></root>",
     "El prefijo «x» del atributo «Clase» del elemento «Item» en la línea 3 no está declarado",
     "<Item x:Clase=\"1\">a</Item></root>"},
    {"codificacion", "<Item>a</Item></root>",
     "La codificación declarada en la línea 1, «foo», no es conocida; guarde el archivo en UTF-8 "
     "y declare esa codificación",
     "<?xml version=\"1.0\" encoding=\"foo\"?>", "root", "foo"},
    {"utf16EnUtf8", "<Item>a</Item></root>",
     "La codificación declarada en la línea 1 es UTF-16, pero el archivo está escrito en UTF-8; "
     "declare «UTF-8»",
     "<?xml version=\"1.0\" encoding=\"UTF-16\"?>", "root", "UTF-16"},
    {"guiones", "<Item>a</Item><!-- ---- --></root>",
     "El comentario en la línea 3 contiene «--», que no se admite dentro de un comentario",
     "<Item>a</Item><!-- ---- --></root>"},
    {"comentarioAbierto", "<Item>a</Item><!-- fin</root>\r\n",
     "El documento termina en la línea 3 dentro de un comentario que no se cierra con «-->»",
     "<Item>a</Item><!-- fin</root>"},
    {"declaracionRepetida", "<?xml version=\"1.0\"?>\r\n<root xmlns=\"@\"><Item>a</Item></root>",
     "La declaración «<?xml … ?>» en la línea 2 solo puede ir una vez, al comienzo del archivo, "
     "sin líneas ni espacios antes",
     "<?xml version=\"1.0\"?>", nullptr},
    {"declaracionTardia", "\r\n<?xml version=\"1.0\"?>\r\n<root xmlns=\"@\"><Item>a</Item></root>",
     "La declaración «<?xml … ?>» en la línea 2 solo puede ir una vez, al comienzo del archivo, "
     "sin líneas ni espacios antes",
     "<?xml version=\"1.0\"?>", nullptr, nullptr},
    {"declaracionAbierta",
     "<?xml version=\"1.0\" encoding=\"UTF-8\">\r\n<root xmlns=\"@\"><Item>a</Item></root>",
     "La declaración «<?xml … ?>» en la línea 1 no termina en «?>»",
     "<?xml version=\"1.0\" encoding=\"UTF-8\">", nullptr, nullptr},
    {"noEsXml", "CUIT;Nombre\r\n20301234567;Pérez\r\n",
     "El archivo no es un documento XML: el texto en la línea 1 debe empezar con «<»",
     "CUIT;Nombre", nullptr, nullptr},
    // The declaration
    {"version", "<?xml version=\"2.0\"?>\r\n<root xmlns=\"@\"><Item>a</Item></root>",
     "La declaración «<?xml … ?>» en la línea 1 indica la versión «2.0», que no se admite; debe "
     "ser «1.0»",
     "<?xml version=\"2.0\"?>", nullptr, nullptr},
    {"standalone",
     "<?xml version=\"1.0\" standalone=\"maybe\"?>\r\n<root xmlns=\"@\"><Item>a</Item></root>",
     "En la declaración «<?xml … ?>» en la línea 1, «standalone» solo admite «yes» o «no»",
     "<?xml version=\"1.0\" standalone=\"maybe\"?>", nullptr, nullptr},
    {"codificacionVacia", "<Item>a</Item></root>",
     "En la declaración «<?xml … ?>» en la línea 1 el nombre de la codificación está vacío o no "
     "es válido; debe empezar con una letra, como «UTF-8»",
     "<?xml version=\"1.0\" encoding=\"\"?>", "root", ""},
    {"codificacionConBlanco", "<Item>a</Item></root>",
     "En la declaración «<?xml … ?>» en la línea 1 un valor no termina donde corresponde: revise "
     "las comillas y que no haya blancos antes de la que lo cierra",
     "<?xml version=\"1.0\" encoding=\"ISO-8859-1 \"?>", "root", "ISO-8859-1 "},
    {"faltaBlanco",
     "<?xml version=\"1.0\"encoding=\"UTF-8\"?>\r\n<root xmlns=\"@\"><Item>a</Item></root>",
     "En la declaración «<?xml … ?>» en la línea 1 falta un blanco entre dos valores",
     "<?xml version=\"1.0\"encoding=\"UTF-8\"?>", nullptr, nullptr},
    // A declared encoding that does not keep ASCII makes the rest unreadable.
    {"unicode",
     "<?xml version=\"1.0\"\r\n encoding=\"UNICODE\"?>\r\n<root xmlns=\"@\"><Item>a</Item></root>",
     "La codificación declarada en la línea 2, «UNICODE», no es la del archivo: con ella no puede "
     "leerse la declaración «<?xml … ?>»; declare la codificación en que está grabado, como "
     "«UTF-8»",
     " encoding=\"UNICODE\"?>", nullptr, nullptr},
    {"utf16le",
     "<?xml version=\"1.0\"\r\n encoding=\"UTF-16LE\"?>\r\n<root xmlns=\"@\"><Item>a</Item></root>",
     "La codificación declarada en la línea 2, «UTF-16LE», no es la del archivo: con ella no "
     "puede leerse la declaración «<?xml … ?>»; declare la codificación en que está grabado, como "
     "«UTF-8»",
     " encoding=\"UTF-16LE\"?>", nullptr, nullptr},
    {"codificacionLarga", "<Item>a</Item></root>",
     "La codificación declarada en la línea 1, «ISO-8859-1" + std::string(49, 'N') +
         "…», no es conocida; guarde el archivo en UTF-8 y declare esa codificación",
     "<?xml version=\"1.0\" encoding=\"" + kCodificacionLarga + "\"?>", "root",
     kCodificacionLarga.c_str()},
    // The parser counts lone CRs as no line end in such an encoding.
    {"utf16leCR",
     "<?xml version=\"1.0\"\r encoding=\"UTF-16LE\"?>\r<root xmlns=\"@\"><Item>a</Item></root>",
     "La codificación declarada en la línea 2, «UTF-16LE», no es la del archivo: con ella no "
     "puede leerse la declaración «<?xml … ?>»; declare la codificación en que está grabado, como "
     "«UTF-8»",
     " encoding=\"UTF-16LE\"?>", nullptr, nullptr},
    {"utf16CR",
     "<?xml version=\"1.0\"\r encoding=\"UTF-16\"?>\r<root xmlns=\"@\"><Item>a</Item></root>",
     "La codificación declarada en la línea 2 es UTF-16, pero el archivo está escrito en UTF-8; "
     "declare «UTF-8»",
     " encoding=\"UTF-16\"?>", nullptr, nullptr},
    {"declaracionSinComillas", "<?xml version=\"1.0\" encoding=UTF-8\"?>\r\n<root xmlns=\"@\"/>",
     "En la declaración «<?xml … ?>» en la línea 1 un valor no está entre comillas",
     "<?xml version=\"1.0\" encoding=UTF-8\"?>", nullptr, nullptr},
    {"declaracionSinIgual", "<?xml version \"1.0\"?>\r\n<root xmlns=\"@\"/>",
     "En la declaración «<?xml … ?>» en la línea 1 falta «=» entre un nombre y su valor",
     "<?xml version \"1.0\"?>", nullptr, nullptr},
    {"sinVersion", "<?xml encoding=\"UTF-8\" version=\"1.0\"?>\r\n<root xmlns=\"@\"/>",
     "La declaración «<?xml … ?>» en la línea 1 debe empezar con la versión, como en "
     "«<?xml version=\"1.0\" encoding=\"UTF-8\"?>»",
     "<?xml encoding=\"UTF-8\" version=\"1.0\"?>", nullptr, nullptr},
    // Namespaces
    {"prefijoXml", "<Item xmlns:xml=\"urn:x\">a</Item></root>",
     "El prefijo «xml» en la línea 3 no puede declararse con otro espacio de nombres: está "
     "reservado para http://www.w3.org/XML/1998/namespace",
     "<Item xmlns:xml=\"urn:x\">a</Item></root>"},
    {"uriPartido", "<Item xmlns:p=\"urn:a\r\nb\">a</Item></root>",
     "El espacio de nombres «urn:a b» declarado en la línea 4 no es un URI válido; por ejemplo, "
     "no puede tener blancos ni estar partido en dos líneas",
     "b\">a</Item></root>"},
    {"nuloConContenido",
     "<Item>a</Item><Envio Tipo=\"A\"><Nota "
     "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
     "xsi:nil=\"true\">x</Nota></Envio></root>",
     "El elemento «Nota» en la línea 3 está marcado como nulo (xsi:nil) y no puede tener contenido",
     "<Item>a</Item><Envio Tipo=\"A\"><Nota "
     "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
     "xsi:nil=\"true\">x</Nota></Envio></root>"},
    {"noNulable",
     "<Item xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:nil=\"true\"/></root>",
     "El elemento «Item» en la línea 3 no admite la marca de nulo (xsi:nil)",
     "<Item xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:nil=\"true\"/></root>"},
    {"fijo", "<Item>a</Item><Envio Tipo=\"A\"><Fijo>Y</Fijo></Envio></root>",
     "El valor «Y» del elemento «Fijo» en la línea 3 debe ser «X», el único que admite",
     "<Item>a</Item><Envio Tipo=\"A\"><Fijo>Y</Fijo></Envio></root>"},
    {"fijoAtributo", "<Item>a</Item><Envio Tipo=\"A\" Serie=\"B2\"/></root>",
     "El valor «B2» del atributo «Serie» del elemento «Envio» en la línea 3 debe ser «A1», el "
     "único que admite",
     "<Item>a</Item><Envio Tipo=\"A\" Serie=\"B2\"/></root>"},
    {"vacioConTexto", "<Item>a</Item><Envio Tipo=\"A\"><Vacio>x</Vacio></Envio></root>",
     "El elemento «Vacio» en la línea 3 debe estar vacío: no admite texto",
     "<Item>a</Item><Envio Tipo=\"A\"><Vacio>x</Vacio></Envio></root>"},
    {"referenciaSinNumero", "<Item>a&#x1G;</Item></root>",
     "La referencia a un carácter «&#…;» en la línea 3 no tiene un número válido",
     "<Item>a&#x1G;</Item></root>"},
    {"finDeSeccion", "<Item>a]]>b</Item></root>",
     "El texto en la línea 3 contiene «]]>», que debe escribirse «]]&gt;»",
     "<Item>a]]>b</Item></root>"},
    // Without a text of its own: the parser's, framed.
    {"sinTraduccion", "<Item>a</Item><a:b:c/></root>",
     "El documento tiene un error en la línea 3; el lector de XML lo describe así: «Failed to "
     "parse QName 'a:b:'»",
     "<Item>a</Item><a:b:c/></root>"},
    {"instruccionAbierta", "<Item>a</Item><?p x</root>",
     "La instrucción «<?…?>» en la línea 3 no se cierra con «?>»", "<Item>a</Item><?p x</root>"},
    {"instruccionSinNombre", "<Item>a <? b</Item></root>",
     "El texto «<?» en la línea 3 no abre una instrucción válida; dentro de un texto debe "
     "escribirse «&lt;?»",
     "<Item>a <? b</Item></root>"},
    {"instruccionSinBlanco", "<?xmlversion=\"1.0\"?>\r\n<root xmlns=\"@\"><Item>a</Item></root>",
     "La instrucción «<?…?>» en la línea 1 está mal escrita: falta un blanco después de su nombre; "
     "la declaración se escribe «<?xml version=\"1.0\" …?>»",
     "<?xmlversion=\"1.0\"?>", nullptr, nullptr},
    // Bidirectional controls shown, so nothing around them is reordered.
    {"controlBidi", "<Item>a</Item><Envio Tipo=\"A\"><Patente>AB\u202Ecd</Patente></Envio></root>",
     "El valor «AB[U+202E]cd» del elemento «Patente» en la línea 3 no tiene la forma requerida",
     "<Item>a</Item><Envio Tipo=\"A\"><Patente>AB[U+202E]cd</Patente></Envio></root>"},
    {"aislanteBidi", "<Item>a</Item><Envio Tipo=\"\u2067A\u2069\"/></root>",
     "El valor «[U+2067]A[U+2069]» del atributo «Tipo» del elemento «Envio» en la línea 3 no es "
     "uno de los admitidos: «A» o «B»",
     "<Item>a</Item><Envio Tipo=\"[U+2067]A[U+2069]\"/></root>"},
    // Names are shortened as values are.
    {"elementoLargo", "<Item>a</Item><" + kLargo + "/></root>",
     "El elemento «" + kCorto +
         "» en la línea 3 no corresponde en ese lugar; se esperaba «Item» o «Envio»",
     "<Item>a</Item><" + kLargo + "/></root>"},
    {"atributoLargo", "<Item>a</Item><Envio Tipo=\"A\" " + kLargo + "=\"1\"/></root>",
     "El atributo «" + kCorto + "» no está permitido en el elemento «Envio» en la línea 3",
     "<Item>a</Item><Envio Tipo=\"A\" " + kLargo + "=\"1\"/></root>"},
    {"entidadLarga", "<Item>a&" + kLargo + ";</Item></root>",
     "La entidad «&" + kCorto + ";» en la línea 3 no está definida",
     "<Item>a&" + kLargo + ";</Item></root>"},
    {"prefijoLargo", "<Item>a</Item><" + kLargo + ":Envio Tipo=\"A\"/></root>",
     "El prefijo «" + kCorto + "» del elemento «Envio» en la línea 3 no está declarado",
     "<Item>a</Item><" + kLargo + ":Envio Tipo=\"A\"/></root>"},
};

void PrintTo(const RazonEspanol& c, std::ostream* os) {
    *os << c.nombre;
}

class CValidarXmlRazonTest : public CValidarXmlTest,
                             public ::testing::WithParamInterface<RazonEspanol> {};

TEST_P(CValidarXmlRazonTest, BoxGivesTheReasonInSpanish) {
    const RazonEspanol& c = GetParam();
    const auto conNs = [this](std::string s) {
        if (const std::size_t arroba = s.find('@'); arroba != std::string::npos)
            s.replace(arroba, 1, ns);
        return s;
    };
    std::string texto;
    if (c.codificacion)
        texto = std::string("<?xml version=\"1.0\" encoding=\"") + c.codificacion + "\"?>\r\n";
    if (c.raiz)
        texto += std::string("<") + c.raiz + " xmlns=\"" + ns + "\">\r\n";
    texto += conNs(c.despues);
    const std::string fuente = conNs(c.fuente);
    EXPECT_FALSE(validar(drive.writeData("d.xml", texto)));
    EXPECT_EQ(validador.Error(),
              std::string("Error : ") + c.razon + "\r\n\r\nTexto Fuente : " + fuente);
}

INSTANTIATE_TEST_SUITE_P(Razones, CValidarXmlRazonTest, ::testing::ValuesIn(kRazones),
                         [](const auto& info) { return std::string(info.param.nombre); });

// Past the parser's limit on one piece of the document: the reason says which
// piece and where, and the source text comes from that line.
TEST_F(CValidarXmlTest, PieceTooLargeForTheParserIsNamed) {
    const std::string enorme(10000010, 'x');
    std::string lineas;
    for (int i = 0; i < 100010; ++i)
        lineas += std::string(98, 'x') + "\r\n";
    const struct {
        const char* nombre;
        std::string despues; // as in the table of reasons
        std::string razon;
    } casos[] = {
        {"texto", "<Item>" + enorme + "</Item></root>",
         "El texto en la línea 3 es demasiado largo: el lector de XML admite hasta 10.000.000 de "
         "bytes de texto seguido dentro de un elemento"},
        {"comentario", "<Item>a</Item><!-- " + enorme + " --></root>",
         "El comentario en la línea 3 es demasiado largo: el lector de XML admite hasta "
         "10.000.000 de bytes en un comentario"},
        {"comentarioEnLineas", "<Item>a</Item><!-- " + lineas + " --></root>",
         "Hay en la línea 3 un comentario, un texto o una etiqueta demasiado largo: el lector de "
         "XML no admite más de 10.000.000 de bytes en uno solo"},
        {"valor", "<Item>a</Item><Envio Tipo=\"" + enorme + "\"/></root>",
         "El valor de un atributo en la línea 3 es demasiado largo: el lector de XML admite hasta "
         "10.000.000 de bytes en un valor"},
        {"nombre", "<Item>a</Item><" + std::string(50001, 'N') + "/></root>",
         "Un nombre en la línea 3 es demasiado largo: el lector de XML admite hasta 50.000 "
         "caracteres en un nombre"},
    };
    const std::string marco = "\r\n\r\nTexto Fuente : ";
    for (const auto& c : casos) {
        EXPECT_FALSE(validar(document("<root xmlns=\"" + ns + "\">\r\n" + c.despues))) << c.nombre;
        const std::string& e = validador.Error();
        ASSERT_NE(e.find(marco), std::string::npos) << c.nombre;
        EXPECT_EQ(e.substr(0, e.find(marco)), "Error : " + c.razon) << c.nombre;
        const std::string fuente = e.substr(e.find(marco) + marco.size());
        EXPECT_FALSE(fuente.empty()) << c.nombre;
        EXPECT_NE(c.despues.substr(0, c.despues.find('\r')).find(fuente), std::string::npos)
            << c.nombre;
    }
}

// libxml2 would speak of extra content at the end of such a document.
TEST_F(CValidarXmlTest, EmptyOrBlankDocumentSaysSo) {
    for (const std::string& bytes :
         {std::string(), std::string(" \r\n\t\r\n  "), std::string(100000, ' ')}) {
        CValidarXml v;
        EXPECT_FALSE(v.ValidarXML(drive.writeData("vacio.xml", bytes), kForm, kVersion));
        EXPECT_EQ(v.Error(), "Error : El documento está vacío\r\n\r\nTexto Fuente : ");
    }
}

TEST_F(CValidarXmlTest, HostileOrBrokenInputFailsCleanly) {
    drive.writeData("secreto.txt", "CONFIDENCIAL");
    const std::string external = "<!DOCTYPE root [<!ENTITY x SYSTEM \"" + drive.root() +
                                 "/../datos/secreto.txt\">]>\r\n<root xmlns=\"" + ns +
                                 "\"><Item>&x;</Item></root>";
    const std::string badUtf8 = "<root xmlns=\"" + ns +
                                "\"><Item>Peñ\xF1"
                                "a</Item></root>";
    for (const std::string& body : {external, badUtf8}) {
        CValidarXml v;
        EXPECT_FALSE(v.ValidarXML(document(body), kForm, kVersion));
        EXPECT_EQ(v.Error().rfind("Error : ", 0), 0u) << v.Error();
        EXPECT_EQ(v.Error().find("CONFIDENCIAL"), std::string::npos);
        EXPECT_TRUE(rt::isValidUtf8(v.Error()));
    }
    CValidarXml v;
    EXPECT_FALSE(v.ValidarXML(drive.tmpFile("no-existe.xml"), kForm, kVersion));
    EXPECT_EQ(v.Error().rfind("Error : ", 0), 0u);
}

TEST_F(CValidarXmlTest, ReferenceDataProblemsAreRunTimeErrorsNotErrorTexts) {
    drive.writeSchema("9003", kVersion, schemaFor(rutas::espacioNombres("9003", kVersion)));
    drive.writeSchema("9004", kVersion, schemaFor("urn:otro"));
    drive.execute(formRow("9004", kVersion, "'" + rutas::espacioNombres("9004", kVersion) + "'") +
                  formRow("9005", kVersion, "NULL"));
    drive.writeSchema("9005", kVersion, schemaFor(""));
    const struct {
        const char* form;
        int error;
    } cases[] = {
        {"9003", rt::err::NoCurrentRecord},  // no Formularios row
        {"9004", xml::kSchemaRefused},       // schema of another namespace
        {"9005", rt::err::InvalidUseOfNull}, // Null NameSpace
    };
    const std::string doc = document("<root xmlns=\"" + ns + "\"><Item>a</Item></root>");
    for (const auto& c : cases) {
        CValidarXml v;
        try {
            v.ValidarXML(doc, c.form, kVersion);
            ADD_FAILURE() << c.form << " raised nothing";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), c.error) << c.form;
        }
        EXPECT_EQ(v.Error(), "") << c.form;
    }
}

TEST_F(CValidarXmlTest, SuccessKeepsTheEarlierErrorText) {
    EXPECT_FALSE(validar(document("<root xmlns=\"" + ns + "\"></root>")));
    const std::string earlier = validador.Error();
    EXPECT_TRUE(validar(document("<root xmlns=\"" + ns + "\"><Item>a</Item></root>")));
    EXPECT_EQ(validador.Error(), earlier);
}

// A pipe can be opened and read but not rewound: the load fails with a
// run-time error, which ends the call with the fixed text instead of
// reaching the window.
TEST_F(CValidarXmlTest, RunTimeErrorDuringTheLoadGivesTheFixedText) {
    const std::string tuberia = drive.tmpFile("tuberia.xml");
    ASSERT_EQ(::mkfifo(tuberia.c_str(), 0600), 0);
    // The reader's open waits for a writer; this one writes nothing, so no
    // write can meet a closed end.
    std::thread escritor([&tuberia] {
        const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        int fd = -1;
        while ((fd = ::open(tuberia.c_str(), O_WRONLY | O_NONBLOCK)) < 0 && errno == ENXIO &&
               std::chrono::steady_clock::now() < limite)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (fd >= 0)
            ::close(fd);
    });
    const bool valido = validar(tuberia);
    escritor.join();
    EXPECT_FALSE(valido);
    EXPECT_EQ(validador.Error(), "Error : XML con caracteres inválidos");
}

// The read-back of the packing cannot start: no pipe, or either thread
// refused. The check ends with its own text, and whatever had started is
// joined and closed before it returns.
TEST_F(CValidarXmlTest, ReadBackThatCannotStartEndsWithItsOwnText) {
    using Falla = testenv::RecursosDePrueba::Falla;
    const std::string sinRecursos =
        "Error : No se pudo revisar el documento porque el sistema no tiene recursos libres "
        "(demasiados archivos abiertos o tareas en curso). Cierre otros programas y vuelva a "
        "procesarlo.";
    const struct {
        const char* caso;
        Falla falla;
    } casos[] = {
        {"everything starts", Falla::Ninguna},
        {"no pipe", Falla::Tuberia},
        {"the reader's thread", Falla::PrimerHilo},
        {"the packing's thread", Falla::SegundoHilo},
    };
    const std::string doc = document("<root xmlns=\"" + ns + "\"><Item>a</Item></root>");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        testenv::RecursosDePrueba recursos(c.falla);
        {
            CValidarXml v(true);
            const bool valido = v.ValidarXML(doc, kForm, kVersion);
            EXPECT_EQ(valido, c.falla == Falla::Ninguna) << v.Error();
            if (!valido) {
                EXPECT_EQ(v.Error(), sinRecursos);
                EXPECT_EQ(v.Releida(), nullptr);
                EXPECT_EQ(recursos.Vivos(), 0);
                EXPECT_TRUE(recursos.TuberiaCerrada());
            }
        }
        EXPECT_EQ(recursos.Vivos(), 0);
        EXPECT_TRUE(recursos.TuberiaCerrada());
    }
}

// Once the check refuses a document, its read-back is stopped and gone when
// the check returns, however long the file: here one line of text followed by
// gigabytes without a line end, as a sparse file.
TEST_F(CValidarXmlTest, RefusalStopsTheReadBackBeforeReturning) {
    const std::string muchos = drive.writeData(
        "muchos.xml", "<?xml version=\"1.0\"?>\n<root xmlns=\"" + ns + "\">\n<Item>a");
    ASSERT_EQ(::truncate(muchos.c_str(), off_t{4} << 30), 0);
    const struct {
        const char* caso;
        std::string ruta;
    } casos[] = {
        {"4 GB without CR", muchos},
        {"root in another namespace", document("<root xmlns=\"urn:otro\"><Item>a</Item></root>")},
        {"not valid", document("<root xmlns=\"" + ns + "\"><Otro/></root>")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        testenv::RecursosDePrueba recursos;
        CValidarXml v(true);
        EXPECT_FALSE(v.ValidarXML(c.ruta, kForm, kVersion));
        EXPECT_EQ(v.Error().rfind("Error : ", 0), 0u) << v.Error();
        EXPECT_EQ(v.Releida(), nullptr);
        EXPECT_EQ(recursos.Vivos(), 0);
        EXPECT_TRUE(recursos.TuberiaCerrada());
    }
}

TEST_F(CValidarXmlTest, SampleDocumentsValidateAgainstSampleSchemas) {
    testenv::TestDrive sample(testenv::sampleDataSql());
    sample.copySampleSchemas();
    sample.openBaseDatos();
    const struct {
        const char* file;
        const char* form;
    } cases[] = {{"F0802_00100.xml", "0802"}, {"F0804_00100.xml", "0804"}};
    for (const auto& c : cases) {
        CValidarXml v;
        EXPECT_TRUE(v.ValidarXML(sample.copySampleData(c.file), c.form, "00100")) << v.Error();
    }
}

} // namespace
