// Packing of a user's XML text into records.
#include "processing/EmpaquetadorXml.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <string>
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
        const std::string entrada = dir.file("doc.xml");
        testenv::writeFile(entrada, bytes);
        empaquetador.Empaquetar(entrada, "doc.xml");
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

TEST_F(LimiteRegistrosTest, LineOfTooManyBlocksOverflowsBeforeAnyRecord) {
    try {
        empaquetar(std::string(32767u * 498u + 1u, 'z'));
        FAIL() << "no overflow";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::err::Overflow);
    }
    EXPECT_FALSE(rt::fileExists(rt::tempPath("doc.xml")));
}

} // namespace
