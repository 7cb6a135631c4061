#include "processing/CValidarXml.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "platform/ui/ScriptedDialogs.h"
#include "platform/xml/SchemaCache.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"
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
           ns + R"(" elementFormDefault="qualified">
  <xs:element name="root">
    <xs:complexType>
      <xs:sequence>
        <xs:element name="Item" maxOccurs="unbounded" type="xs:string"/>
      </xs:sequence>
    </xs:complexType>
  </xs:element>
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
    EXPECT_TRUE(validar(document("<root xmlns=\"" + ns + "\"><Item>a</Item></root>")));
    EXPECT_EQ(validador.Error(), "");
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
         "Opening and ending tag mismatch", "<Item>a</Itme>"},
        {"element the schema does not allow",
         "<root xmlns=\"" + ns + "\">\r\n<Item>a</Item>\r\n<Otro>b</Otro>\r\n</root>",
         "This element is not expected", "<Otro>b</Otro>"},
        {"entity reference after a line break in the text",
         "<!DOCTYPE root SYSTEM \"e.dtd\">\r\n<root xmlns=\"" + ns +
             "\">\r\n<Item>a\r\n&e;</Item>\r\n</root>",
         "Entity 'e'", "&e;</Item>"},
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
