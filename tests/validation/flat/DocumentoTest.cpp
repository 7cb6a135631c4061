// The XML work file and the record file, byte for byte against golden files,
// and the start tags built from attribute fields.
#include "tests/validation/flat/EntornoPlano.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Dorado {
    const char* nombre;
    const char* entrada;  // data file under tests/data/flat/golden
    const char* esperado; // expected .xml and .rec under the same folder
};

const Dorado kDorados[] = {
    // The document is far below one block: one record at the end.
    {"Corto", "corto.txt", "corto"},
    // "</root>" ends exactly at byte 498: the blanks after it are dropped.
    {"TerminaEn498", "exacto.txt", "exacto"},
    // "</ro" closes one record and "ot>" opens the last one.
    {"RaizPartida", "partido.txt", "partido"},
    // Values holding "</root>" and "</ROOT>" neither end the file nor lose text.
    {"RaizDentroDeUnValor", "raiz.txt", "raiz"},
    // The same accented document from a Windows-1252 file and from a UTF-8
    // file; a two-byte character straddles the first record.
    {"AcentosWindows1252", "acentos_1252.txt", "acentos"},
    {"AcentosUtf8", "acentos_utf8.txt", "acentos"},
};

std::string Golden(const std::string& nombre) {
    return testenv::readFile(testenv::dataDir() + "/flat/golden/" + nombre);
}

class Documento : public ::testing::TestWithParam<Dorado> {};

TEST_P(Documento, IgualAlDorado) {
    const Dorado& d = GetParam();
    EntornoPlano entorno;
    ASSERT_TRUE(entorno.Validar(Golden(d.entrada), "GOLD")) << entorno.validador.Error();
    const std::string bloques = entorno.Bloques();
    EXPECT_EQ(entorno.Xml("GOLD"), Golden(std::string(d.esperado) + ".xml"));
    EXPECT_EQ(bloques, Golden(std::string(d.esperado) + ".rec"));
    EXPECT_EQ(entorno.validador.Lineas(), static_cast<double>(bloques.size() / 502));
    EXPECT_EQ(entorno.validador.Error(), "");
    EXPECT_EQ(entorno.validador.Cuit(), "20123456786");
}

INSTANTIATE_TEST_SUITE_P(Dorados, Documento, ::testing::ValuesIn(kDorados),
                         [](const auto& info) { return std::string(info.param.nombre); });

struct Atributos {
    const char* nombre;
    std::string lineas;
    std::string fragmento;
};

// ATRI 01: ID (attribute), " NOM " (element, name trimmed), COD (attribute,
// marked "s"); 02 has no attribute.
const Atributos kAtributos[] = {
    {"DosAtributos", "01|7|Ana|x|\r\n", "<Uno ID=\"7\" COD=\"x\"><NOM><![CDATA[Ana]]></NOM></Uno>"},
    {"SinAtributos", "01|7|Ana|x|\r\n02|z|\r\n", "<Dos ><X><![CDATA[z]]></X></Dos>"},
    {"ValorDeMasNoEsAtributo", "01|7|Ana|x|extra\r\n", "<Uno ID=\"7\" COD=\"x\"><NOM>"},
    {"ValoresComoTexto", "01|7|<&\"|x|\r\n", "<Uno ID=\"7\" COD=\"x\"><NOM><![CDATA[<&\"]]></NOM>"},
    {"AtributoEscapado", "01|7|Ana|\"|\r\n", "<Uno ID=\"7\" COD=\"&quot;\"><NOM>"},
    {"AtributoConMenor", "01|7|Ana|<|\r\n", "COD=\"&lt;\"><NOM>"},
    {"AtributoConAmpersand", "01|7|Ana|&|\r\n", "COD=\"&amp;\"><NOM>"},
    {"AtributoVacio", "01|7|Ana||\r\n", "<Uno ID=\"7\" COD=\"\"><NOM>"},
    // A type met again after another keeps its own attributes.
    {"TipoQueVuelve", "01|7|Ana|x|\r\n02|z|\r\n01|8|Eva|y|\r\n02|w|\r\n",
     "<Uno ID=\"8\" COD=\"y\"><NOM><![CDATA[Eva]]></NOM><Dos ><X><![CDATA[w]]></X></Dos>"},
};

class AtributosTest : public ::testing::TestWithParam<Atributos> {};

TEST_P(AtributosTest, EtiquetaDeInicio) {
    const Atributos& a = GetParam();
    EntornoPlano entorno;
    ASSERT_TRUE(entorno.Validar(a.lineas, "ATRI")) << entorno.validador.Error();
    EXPECT_NE(entorno.Xml("ATRI").find(a.fragmento), std::string::npos) << entorno.Xml("ATRI");
}

INSTANTIATE_TEST_SUITE_P(Casos, AtributosTest, ::testing::ValuesIn(kAtributos),
                         [](const auto& info) { return std::string(info.param.nombre); });

// A flush that finds exactly 498 bytes in the middle of the document writes
// one record and leaves nothing behind; the bytes are counted as written,
// escapes included.
TEST(Flush, ExactamenteUnBloqueALaMitad) {
    const std::string encabezado = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?><root "
                                   "xmlns=\"http://nuro.example/esquemas/FLARG_00001.xsd\">";
    const std::string marcado = "x]]>";
    const std::string marcadoEscrito = "x]]]]><![CDATA[>";
    const std::string antes = encabezado + "<L ><A><![CDATA[" + marcadoEscrito;
    const std::string despues = "]]></A>";
    const std::string relleno(498 - antes.size() - despues.size(), 'v');
    const std::string bloque = antes + relleno + despues;
    ASSERT_EQ(bloque.size(), 498u);

    EntornoPlano entorno;
    ASSERT_TRUE(entorno.Validar("01|" + marcado + relleno + "|\r\n01|b|\r\n", "LARG"))
        << entorno.validador.Error();
    const std::string resto = "</L><L ><A><![CDATA[b]]></A></L></root>";
    EXPECT_EQ(entorno.Xml("LARG"), bloque + "\r\n" + resto + std::string(498, ' ') + "\r\n");
    EXPECT_EQ(entorno.Bloques(),
              "02" + bloque + "\r\n02" + resto + std::string(498 - resto.size(), ' ') + "\r\n");
    EXPECT_EQ(entorno.validador.Lineas(), 2);
}

TEST(AtributosFallidos, UnAtributoQueRompeSuReglaFallaElRegistro) {
    EntornoPlano entorno;
    EXPECT_FALSE(entorno.Validar("01|abcd|Ana|x|\r\n", "ATRI"));
    EXPECT_EQ(entorno.validador.Error(), "linea: 1 > Formato Id inválido");
}

} // namespace
