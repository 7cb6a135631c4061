// The record checks and field rules of one flat line, with their messages,
// and what a valid line adds to the document.
#include "tests/validation/flat/EntornoPlano.h"

#include "platform/xml/Document.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Caso {
    const char* nombre;
    std::string linea;
    std::string error;     // without the "linea: 1 > " prefix; "" for a valid line
    std::string fragmento; // document text a valid line must produce
    // A type without a nesting row gets an element without a name.
    bool bienFormado = true;
};

// Type 01 of REGL, with one field changed: TXT|NUM|ILI|FEC|DOC|EXP|OPC.
std::string Registro01(const std::string& txt = "abc", const std::string& num = "15",
                       const std::string& ili = "100", const std::string& fec = "20240101",
                       const std::string& doc = "20123456786", const std::string& exp = "ABC",
                       const std::string& opc = "5") {
    return "01|" + txt + "|" + num + "|" + ili + "|" + fec + "|" + doc + "|" + exp + "|" + opc +
           "|";
}

std::string Registro01Doc(const std::string& doc) {
    return Registro01("abc", "15", "100", "20240101", doc);
}

const std::string kTipo = "El tipo de registro es invalido";
const std::string kCampos = "Cantidad de Campos Incorrectos";
const std::string kCuit = "El Cuit es distinto al cargado en el Sistema";
const std::string kDocMal = "Documento mal formado";

const Caso kCasos[] = {
    // Record checks.
    {"Valido", Registro01(), "",
     "<Reg ><TXT><![CDATA[abc]]></TXT><NUM>15</NUM><ILI>100</ILI><FEC>20240101</FEC>"
     "<DOC>20123456786</DOC><EXP><![CDATA[ABC]]></EXP><OPC>5</OPC></Reg>"},
    {"DosCamposValidos", "04|x|y|", "", "<Libre ><A1><![CDATA[x]]></A1><A2><![CDATA[y]]></A2>"},
    {"FaltaSeparadorFinal", "04|x|y", kCampos, ""},
    {"TextoTrasElUltimoSeparador", "04|x|y|cola", "", "<A2><![CDATA[y]]></A2></Libre>"},
    {"TipoInexistente", "09|x|y|", kTipo, ""},
    {"TipoDistingueMayusculas", "0a|x|", kTipo, ""},
    {"TipoConLetra", "0A|x|", "", "<U><![CDATA[x]]></U>", false},
    {"TercerCaracterNoExaminado", "0Aab|c|", "", "<U><![CDATA[b]]></U>", false},
    // Found by fuzzing: a type without a nesting row has no element name, so
    // its document is refused by the schema check, never sent.
    {"TipoSinAnidamientoConControles", "0A\x05|1|20122\x03", "", "< ><U><![CDATA[]]></U></>",
     false},
    {"ValorVacio", "04||y|", "", "<A1><![CDATA[]]></A1>"},
    {"TabuladorComoBlanco", "04|a\tb|y|", "", "<A1><![CDATA[a b]]></A1>"},
    {"LineaCortaEsTipoInvalido", "0", kTipo, ""},
    {"TipoNoAscii",
     "\xc3\xb1"
     "4|x|y|",
     kTipo, ""},
    // Text fields.
    {"TextoLargo", Registro01("abcdef"), "Formato Texto inválido", ""},
    {"TextoObligatorioVacio", Registro01(""), "Texto campo obligatorio", ""},
    {"TextoDeBlancosEsLleno", Registro01("   "), "", "<TXT><![CDATA[   ]]></TXT>"},
    {"ExpresionRechaza", Registro01("abc", "15", "100", "20240101", "20123456786", "abc"),
     "Formato Codigo inválido", ""},
    {"PrimerCampoQueFallaDecide", Registro01("abcdef", "9"), "Formato Texto inválido", ""},
    // Numbers and dates.
    {"NumeroEnMinimo", Registro01("abc", "10"), "", "<NUM>10</NUM>"},
    {"NumeroBajoMinimo", Registro01("abc", "9"),
     "Numero el valor debe estar comprendido entre : 10 y 20", ""},
    {"NumeroSobreMaximo", Registro01("abc", "21"),
     "Numero el valor debe estar comprendido entre : 10 y 20", ""},
    {"NumeroConPunto", Registro01("abc", "15.0"), "Formato Numero inválido", ""},
    {"NumeroNoNumerico", Registro01("abc", "1a"), "Formato Numero inválido", ""},
    {"NumeroDeBlancos", Registro01("abc", "  "), "Formato Numero inválido", ""},
    {"IlimitadoGrande", Registro01("abc", "15", "99999"), "", "<ILI>99999</ILI>"},
    {"IlimitadoBajoMinimo", Registro01("abc", "15", "9"),
     "Ilimitado el valor debe ser mayor o igual a 10", ""},
    {"FechaDeBlancos", Registro01("abc", "15", "100", "   "), "Fecha campo obligatorio", ""},
    {"FechaSinRegla", Registro01("abc", "15", "100", "ayer"), "", "<FEC>ayer</FEC>"},
    {"OpcionalFueraDeRango", Registro01("abc", "15", "100", "20240101", "20123456786", "AB", "5"),
     "", "<OPC>5</OPC>"},
    {"OpcionalLargo", Registro01("abc", "15", "100", "20240101", "20123456786", "AB", "1234"),
     "Formato Opcional inválido", ""},
    // Identity numbers.
    {"DocumentoDiezDigitos", Registro01Doc("2012345678"), kDocMal, ""},
    {"DocumentoConPunto", Registro01Doc("2012345678."), kDocMal, ""},
    {"DocumentoDni", Registro01Doc("DNI12345678"), "", "<DOC>DNI12345678</DOC>"},
    {"DocumentoPasaporte", Registro01Doc("PAS123"), "", "<DOC>PAS123</DOC>"},
    {"DocumentoLc", Registro01Doc("LC1234567"), "", "<DOC>LC1234567</DOC>"},
    {"DocumentoDniMinusculas", Registro01Doc("dni12345678"), kDocMal, ""},
    {"DocumentoSoloDni", Registro01Doc("DNI"), kDocMal, ""},
    {"DocumentoSinPrefijo", Registro01Doc("AB"), kDocMal, ""},
    {"DocumentoVacio", Registro01Doc(""), kDocMal, ""},
    {"DocumentoLargo", Registro01Doc("201234567861"), "Documento mayor a 11 caracteres", ""},
    // The CUIT.
    {"CuitIgual", "02|20123456786|x|", "", "<Cuit ><CUIT>20123456786</CUIT><NOM><![CDATA[x]]>"},
    {"CuitDistinto", "02|20123456780|x|", kCuit, ""},
    {"CuitCorto", "02|2012345678|x|", kCuit, ""},
    {"CuitObligatorioAntes", "02||x|", "Cuit campo obligatorio", ""},
    {"CuitSegundoComparaPrimero", "03|20123456786|zz|", "", "<cuit>zz</cuit>"},
    {"CuitSegundoDistinto", "03|Juan|20123456786|", kCuit, ""},
    // A type letter without rules.
    {"TipoMinusculaSinReglas", "05|largo texto|", "", "<T>largo texto</T>"},
    // Values arrive whole, as text: markup in a date without a pattern stays
    // inside its element.
    {"FechaConMarcado",
     Registro01("abc", "15", "100", "</FEC></Reg><Reg><TXT>x</TXT><FEC>1]]>2&amp;<![CDATA[",
                "20123456786", "AB"),
     "",
     "<FEC>&lt;/FEC>&lt;/Reg>&lt;Reg>&lt;TXT>x&lt;/TXT>&lt;FEC>1]]&gt;2&amp;amp;&lt;![CDATA["
     "</FEC>"},
    {"ContenidoSinSeccion", "05|a&b]>c]]]>d>|", "", "<T>a&amp;b]>c]]]&gt;d></T>"},
    {"FinDeSeccionPartido", "04|a]]>b|]]>]]>|", "",
     "<A1><![CDATA[a]]]]><![CDATA[>b]]></A1><A2><![CDATA[]]]]><![CDATA[>]]]]><![CDATA[>]]></A2>"},
    {"SeccionConOtrosSignos", "04|<&\"]>|y|", "", "<A1><![CDATA[<&\"]>]]></A1>"},
    // U+FFFE is valid UTF-8 but no XML character: the schema check refuses
    // the document (a case found by fuzzing).
    {"NoCaracterXml",
     "04|a\xEF\xBF\xBE"
     "b|y|",
     "",
     "<A1><![CDATA[a\xEF\xBF\xBE"
     "b]]></A1>",
     false},
};

class ReglasRegistro : public ::testing::TestWithParam<Caso> {};

TEST_P(ReglasRegistro, MensajeYDocumento) {
    const Caso& caso = GetParam();
    EntornoPlano entorno;
    const bool ok = entorno.Validar(caso.linea + "\r\n", "REGL");
    if (caso.error.empty()) {
        EXPECT_TRUE(ok) << entorno.validador.Error();
        EXPECT_EQ(entorno.validador.Error(), "");
        EXPECT_NE(entorno.Xml("REGL").find(caso.fragmento), std::string::npos)
            << entorno.Xml("REGL");
        // Whatever the values hold, the document stays well-formed.
        xml::Document documento;
        EXPECT_EQ(documento.load(entorno.RutaXml("REGL")), caso.bienFormado)
            << documento.parseError().reason;
    } else {
        EXPECT_FALSE(ok);
        EXPECT_EQ(entorno.validador.Error(), "linea: 1 > " + caso.error);
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, ReglasRegistro, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(ReglasRegistroLinea, ElPrefijoNombraLaLineaQueFalla) {
    EntornoPlano entorno;
    EXPECT_FALSE(entorno.Validar(Registro01() + "\r\n" + Registro01("abcdef") + "\r\n", "REGL"));
    EXPECT_EQ(entorno.validador.Error(), "linea: 2 > Formato Texto inválido");
    EXPECT_EQ(entorno.validador.Lineas(), 2);
}

} // namespace
