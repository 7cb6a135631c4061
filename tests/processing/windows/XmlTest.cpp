// The XML window: name check, schema validation, packing and every way a
// run can end.
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "platform/xml/Document.h"
#include "platform/xml/PrimeraDiferencia.h"
#include "platform/xml/SchemaCache.h"
#include "processing/FrmProcesarXML.h"
#include "shell/Rutas.h"
#include "tests/processing/windows/EntornoVentanas.h"
#include "tests/support/RecursosDePrueba.h"

#include <QLabel>
#include <QPushButton>
#include <chrono>
#include <iconv.h>
#include <thread>
#include <unistd.h>

using ventanas::Controles;

namespace {

class XmlTest : public ventanas::VentanaProcesoTest {
protected:
    void SetUp() override {
        abrir(v);
        elegir(v, "0804/00100");
        dialogos.clear();
    }

    std::string exportacion(const std::string& nombre) {
        return drive->writeData(nombre, testenv::sampleText("datos/F0804_00100.xml"));
    }

    // The lines of the one submission file, written unencrypted.
    std::vector<std::string> presentacion() {
        const std::vector<std::string> salida = ventanas::archivos(drive->processed());
        if (salida.size() != 1u) {
            ADD_FAILURE() << salida.size() << " output files";
            return {};
        }
        return rt::splitLines(testenv::readFile(drive->processed() + "/" + salida[0]));
    }

    // The records' text of the one submission file, written unencrypted:
    // "02" and the blanks that fill up the last record dropped.
    std::string textoRegistros() {
        const std::vector<std::string> lineas = presentacion();
        std::string texto;
        for (std::size_t i = 2; i < lineas.size(); ++i)
            texto += lineas[i].substr(2);
        return texto.erase(texto.find_last_not_of(' ') + 1);
    }

    // The submission's records read as the document that was validated: the
    // same reading, and valid against the form's schema.
    void registrosComoElDocumento(const std::string& documento, const std::string& formulario,
                                  const std::string& nameSpace) {
        const std::string texto = textoRegistros();
        xml::SchemaCache cache;
        cache.add(nameSpace, rutas::esquema(formulario, "00100"));
        EXPECT_EQ(xml::PrimeraDiferencia::buscar(documento, texto, xml::Huella::Modo::normalizada,
                                                 &cache.mixtos()),
                  0)
            << texto;
        xml::Document releido;
        releido.schemas(&cache);
        EXPECT_TRUE(releido.load(drive->writeData("releido.xml", texto)))
            << releido.parseError().reason;
    }

    // One run of the document bytes: it goes out reading as validated, or is
    // refused with a box holding rechazo and leaves nothing behind.
    void enviadoOrechazado(const std::string& nombre, const std::string& bytes,
                           const std::string& formulario, const std::string& nameSpace,
                           const std::string& rechazo) {
        dialogos.clear();
        for (const std::string& f : ventanas::archivos(drive->processed()))
            rt::deleteFileQuiet(drive->processed() + "/" + f);
        const std::string documento = drive->writeData(nombre, bytes);
        procesar(v, documento);
        ASSERT_EQ(dialogos.boxes().size(), 1u);
        if (rechazo.empty()) {
            EXPECT_EQ(textos()[0].rfind("Se genero el Archivo :", 0), 0u) << textos()[0];
            registrosComoElDocumento(documento, formulario, nameSpace);
            return;
        }
        EXPECT_NE(textos()[0].find(rechazo), std::string::npos) << textos()[0];
        EXPECT_TRUE(ventanas::archivos(drive->processed()).empty());
        esperarReposo(v);
        EXPECT_TRUE(temporales().empty());
    }

    FrmProcesarXML v;
};

TEST_F(XmlTest, NameMustEndInXmlInAnyCase) {
    const struct {
        const char* nombre;
        bool pasa;
    } casos[] = {
        {"exportacion.XML", true},      {"exportacionXmL", true},   {"exportacion.xml", true},
        {"exportacion.xml.bak", false}, {"exportacion.txt", false}, {"exportacion.xm", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        dialogos.clear();
        procesar(v, exportacion(c.nombre));
        ASSERT_EQ(dialogos.boxes().size(), 1u);
        if (c.pasa) {
            EXPECT_EQ(textos()[0].rfind("Se genero el Archivo :", 0), 0u) << textos()[0];
        } else {
            EXPECT_EQ(textos()[0], "Formato de Archivo Incorrecto.");
            EXPECT_EQ(iconos()[0], ui::Icon::Information);
        }
        EXPECT_TRUE(temporales().empty());
    }
}

TEST_F(XmlTest, SchemaErrorWritesNoRecordAndShowsNoIcon) {
    std::string texto = testenv::sampleText("datos/F0804_00100.xml");
    texto.replace(texto.find("urn:nuro:exportacion"), 3, "URN");
    procesar(v, drive->writeData("otro.xml", texto));
    ASSERT_EQ(dialogos.boxes().size(), 1u);
    EXPECT_EQ(textos()[0].rfind("Error : ", 0), 0u) << textos()[0];
    EXPECT_EQ(iconos()[0], ui::Icon::None);
    esperarReposo(v);
    EXPECT_TRUE(temporales().empty());
}

// A document that passes the schema but that the packing would change gets
// one information box after the schema check; nothing is packed and the run
// ends as after a schema error.
TEST_F(XmlTest, DocumentThePackingWouldChangeIsRefused) {
    const std::string muestra = testenv::sampleText("datos/F0804_00100.xml");
    const auto cambiar = [&](const std::string& de, const std::string& a) {
        std::string texto = muestra;
        return texto.replace(texto.find(de), de.size(), a);
    };
    std::string utf16 = "\xFF\xFE";
    for (char c : cambiar("UTF-8", "UTF-16"))
        utf16 += std::string{c, '\0'};
    const struct {
        const char* caso;
        std::string bytes;
        const char* parte;
    } casos[] = {
        {"attribute across lines", cambiar("\" fecha=", "\"\r\nfecha="),
         "en la línea 2 un dato queda cortado y sigue en la línea 3;"},
        {"text across lines", cambiar("Exportadora del", "Exportadora\r\ndel"),
         "en la línea 4 un dato queda cortado y sigue en la línea 5;"},
        {"UTF-16", utf16, "en la línea 1 se ve que está grabado en UTF-16 o UTF-32."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        dialogos.clear();
        bool registrosAlAviso = true;
        dialogos.onBox = [&](const ui::ScriptedDialogs::Box&) {
            registrosAlAviso = rt::fileExists(drive->tmpFile("exportacion.xml"));
        };
        procesar(v, drive->writeData("exportacion.xml", c.bytes));
        ASSERT_EQ(dialogos.boxes().size(), 1u);
        EXPECT_NE(textos()[0].find(c.parte), std::string::npos) << textos()[0];
        EXPECT_EQ(textos()[0].rfind("El documento no puede enviarse tal como está: ", 0), 0u);
        EXPECT_EQ(iconos()[0], ui::Icon::Information);
        EXPECT_FALSE(registrosAlAviso);
        esperarReposo(v);
        EXPECT_EQ(Controles(v).Etiqueta->text().toStdString(), "");
        EXPECT_TRUE(Controles(v).CmdProcesar->isEnabled());
        EXPECT_EQ(Controles(v).CmdSalir->text().toStdString(), "Salir");
        EXPECT_TRUE(temporales().empty());
        EXPECT_TRUE(ventanas::archivos(drive->processed()).empty());
    }
}

// Bytes in another encoding, for documents written in one that does not keep
// ASCII.
std::string recodificar(const std::string& utf8, const char* a) {
    iconv_t cd = iconv_open(a, "UTF-8");
    std::string entrada = utf8, salida(utf8.size() * 4 + 16, '\0');
    char* in = entrada.data();
    char* out = salida.data();
    std::size_t quedan = entrada.size(), libre = salida.size();
    iconv(cd, &in, &quedan, &out, &libre);
    iconv_close(cd);
    salida.resize(salida.size() - libre);
    return salida;
}

// Every document either goes out so that its records read as the document
// that was validated, or is refused with one box after the packing.
TEST_F(XmlTest, WhatIsSubmittedReadsAsTheValidatedDocument) {
    ventanas::encriptarSinCifrar();
    const std::string muestra = testenv::sampleText("datos/F0804_00100.xml");
    const auto cambiar = [&](std::string texto, const std::string& de, const std::string& a) {
        return texto.replace(texto.find(de), de.size(), a);
    };
    const auto con = [&](const std::string& de, const std::string& a) {
        return cambiar(muestra, de, a);
    };
    std::string unaLinea;
    for (const std::string& linea : rt::splitLines(muestra))
        unaLinea += linea;
    const auto soloCr = [](std::string texto) {
        for (std::size_t i; (i = texto.find("\r\n")) != std::string::npos;)
            texto.erase(i + 1, 1);
        return texto;
    };
    // ISO-2022-KR: between SO and SI the parser reads byte pairs as Korean
    // text, the packing makes both blanks and the pairs markup again.
    const std::string so = "\x0E", si = "\x0F";
    const std::string resto = muestra.substr(muestra.find("</Exportador>") + 13);
    const std::size_t inicioRaiz = muestra.find("<Exportacion");
    const std::string raiz =
        muestra.substr(inicioRaiz, muestra.find('>', inicioRaiz) + 1 - inicioRaiz);
    const std::string coreano =
        cambiar(muestra.substr(0, muestra.find("?>") + 2), "UTF-8", "ISO-2022-KR") +
        "<!-- \x1B$)C -->\r\n" + raiz + "\r\n<?P0 " + so + "?>" + si +
        "<Exportador cuit=\"27999999993\"><RazonSocial>" + so + "<![CDATA[x" + si +
        "?><Exportador cuit=\"20123456786\"><RazonSocial>" + so + "]]>y" + si +
        "Real</RazonSocial></Exportador>" + resto;
    const std::string cambia = "y eso cambiaría lo que dice la línea ";
    const struct {
        const char* caso;
        std::string bytes;
        std::string rechazo; // empty: the document goes out
    } casos[] = {
        {"CDATA opens the next line", con("Exportadora del", "Exportadora\r\n<![CDATA[del]]>"),
         cambia + "4 "},
        // As with LF alone, the text is named where the parser ends its first part.
        {"CDATA opens the next line, lone CRs",
         soloCr(con("Exportadora del", "Exportadora\r\n<![CDATA[del]]>")), cambia + "5 "},
        {"comment opens the next line", con("Exportadora del", "Exportadora\r\n<!--c-->del"),
         cambia + "4 "},
        {"PI opens the next line", con("Exportadora del", "Exportadora\r\n<?p x?>del"),
         cambia + "4 "},
        {"line ends in > inside a value", con("Exportadora", "Expo>\r\nrtadora"), cambia + "4 "},
        {"text across lines", con("Exportadora del", "Exportadora\r\ndel"),
         "en la línea 4 un dato queda cortado y sigue en la línea 5;"},
        {"ISO-2022-KR", coreano, "declara la codificación \"ISO-2022-KR\""},
        {"ISO-2022-JP", con("UTF-8", "ISO-2022-JP"), "declara la codificación \"ISO-2022-JP\""},
        {"IBM037", recodificar(con("UTF-8", "IBM037"), "IBM037"),
         "declara la codificación \"IBM037\""},
        {"defaults from an internal subset",
         con("<Exportacion", "<!DOCTYPE Exportacion [<!ATTLIST Exportador cuit CDATA "
                             "\"27999999993\">]>\r\n<Exportacion"),
         "Error : La declaración <!DOCTYPE>"},
        {"value of one line end", con("Exportadora del Sur S.A.", "\r\n"), cambia + "5 "},
        {"indented line after a break inside a value",
         con("Exportadora del", "Exportadora\r\n    del"), ""},
        {"line end after a decimal", con("12500.00", "12500.00\r\n"), ""},
        {"line end before a decimal", con("12500.00", "\r\n12500.00"), ""},
        {"line end before a name", con("Exportadora del", "\r\nExportadora del"), ""},
        {"line ends around a name",
         con("Exportadora del Sur S.A.", "\r\n  Exportadora del Sur S.A.\r\n  "), ""},
        {"LF line ends around a value", con("12500.00", "\n12500.00\n"), ""},
        {"comment across lines", con("<Destino>", "<!-- una\r\nnota --><Destino>"), ""},
        {"line break before > of a tag", con("<Destino>", "<Destino\r\n>"), ""},
        {"line break after =", con("cuit=", "cuit=\r\n"), ""},
        {"document type without subset", con("<Exportacion", "<!DOCTYPE Exportacion><Exportacion"),
         ""},
        // Another reader could load the external subset and its defaults.
        {"system identifier",
         con("<Exportacion", "<!DOCTYPE Exportacion SYSTEM \"exportacion.dtd\">\r\n<Exportacion"),
         "Error : La declaración <!DOCTYPE> de la línea 2 remite a definiciones externas"},
        {"public identifier",
         con("<Exportacion",
             "<!DOCTYPE Exportacion PUBLIC \"-//N//E//ES\" \"e.dtd\">\r\n<Exportacion"),
         "Error : La declaración <!DOCTYPE> de la línea 2 remite a definiciones externas"},
        {"line break in the system literal",
         con("<Exportacion", "<!-- <!DOCTYPE Exportacion> -->\r\n<!DOCTYPE Exportacion SYSTEM "
                             "\"export\r\nacion.dtd\">"
                             "<Exportacion"),
         "Error : La declaración <!DOCTYPE> de la línea 3 remite a definiciones externas"},
        // One reader follows the mark, another the declaration.
        {"UTF-8 mark, declared ISO-8859-1",
         "\xEF\xBB\xBF" + cambiar(con("UTF-8", "ISO-8859-1"), "Exportadora", "Ca\xC3\xB1\xC3\xA1n"),
         "marca de UTF-8 (BOM), pero su declaración en la línea 1 dice que está en «ISO-8859-1»"},
        {"UTF-8 mark, declared windows-1252",
         "\xEF\xBB\xBF" +
             cambiar(con("UTF-8", "windows-1252"), "Exportadora", "Ca\xC3\xB1\xC3\xA1n"),
         "en la línea 1 dice que está en «windows-1252»"},
        {"UTF-8 mark, declared UTF-8", "\xEF\xBB\xBF" + con("Exportadora", "Ca\xC3\xB1\xC3\xA1n"),
         ""},
        {"latin1", recodificar(con("UTF-8", "latin1"), "latin1"), ""},
        {"pretty-printed", muestra, ""},
        {"one line", unaLinea, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        enviadoOrechazado("exportacion.xml", c.bytes, "0804", "urn:nuro:exportacion:F0804_00100",
                          c.rechazo);
    }
}

// A form of its own with an element-only list, a value that may not be empty
// and a note of mixed content.
constexpr const char* kNotasNs = "urn:nuro:notas:F0806_00100";
constexpr const char* kEsquemaNotas = R"(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" targetNamespace="urn:nuro:notas:F0806_00100"
           xmlns="urn:nuro:notas:F0806_00100" elementFormDefault="qualified">
  <xs:element name="Notas">
    <xs:complexType>
      <xs:sequence>
        <xs:element name="Lista" type="TLista"/>
        <xs:element name="Nombre" type="TNombre"/>
        <xs:element name="Nota" type="TNota"/>
      </xs:sequence>
    </xs:complexType>
  </xs:element>
  <xs:complexType name="TLista">
    <xs:sequence>
      <xs:element name="Item" type="xs:string" minOccurs="0" maxOccurs="unbounded"/>
    </xs:sequence>
  </xs:complexType>
  <xs:simpleType name="TNombre">
    <xs:restriction base="xs:string"><xs:minLength value="1"/></xs:restriction>
  </xs:simpleType>
  <xs:complexType name="TNota" mixed="true">
    <xs:sequence>
      <xs:element name="b" type="xs:string" minOccurs="0" maxOccurs="unbounded"/>
    </xs:sequence>
  </xs:complexType>
</xs:schema>
)";

// Line breaks at a value's ends, or as the only content of an element that
// holds only elements, are no text; inside a note of mixed content the break
// between two elements is, so the packing that drops it is refused.
TEST_F(XmlTest, LineBreaksCountOnlyWhereTheyAreText) {
    ventanas::encriptarSinCifrar();
    drive->execute("INSERT INTO Formularios (CodFormulario, Version, Descripcion, "
                   "TipoArchivoEntrada, CodigoImpuesto, CODIGOCONCEPTO, NameSpace) VALUES "
                   "('0806', '00100', 'Notas', 'X', '0999', '001', '" +
                   std::string(kNotasNs) + "');");
    drive->writeSchema("0806", "00100", kEsquemaNotas);
    v.hide();
    abrir(v);
    elegir(v, "0806/00100");
    const auto notas = [](const std::string& lista, const std::string& nombre,
                          const std::string& nota, const std::string& fin = "\r\n") {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + fin + "<Notas xmlns=\"" + kNotasNs +
               "\">" + fin + "  <Lista>" + lista + "</Lista>" + fin + "  <Nombre>" + nombre +
               "</Nombre>" + fin + "  <Nota>" + nota + "</Nota>" + fin + "</Notas>" + fin;
    };
    const std::string cambia = "y eso cambiaría lo que dice la línea ";
    const struct {
        const char* caso;
        std::string bytes;
        std::string rechazo; // empty: the document goes out
    } casos[] = {
        {"empty list on two lines", notas("\r\n  ", "Ana", "x"), ""},
        {"list of items", notas("\r\n    <Item>a</Item>\r\n    <Item>b</Item>\r\n  ", "Ana", "x"),
         ""},
        {"line end before a value", notas("", "\r\nAna", "x"), ""},
        {"line end after a value", notas("", "Ana\r\n", "x"), ""},
        {"value of one line end", notas("", "\r\n", "x"), cambia + "5 "},
        {"value of one line end after a line end at a value's start",
         notas("<Item>\r\na</Item>", "\r\n", "x"), cambia + "6 "},
        {"break between two elements of a note",
         notas("", "Ana", "Pagar <b>100</b>\r\n<b>50</b> pesos"), cambia + "6 "},
        {"note of two elements on two lines", notas("", "Ana", "<b>1</b>\r\n<b>2</b>"),
         cambia + "6 "},
        {"break between text and element of a note", notas("", "Ana", "Pagar\r\n<b>100</b>"),
         cambia + "6 "},
        {"note with LF line ends", notas("\n", "Ana", "Pagar <b>100</b>\n<b>50</b> pesos", "\n"),
         ""},
        {"indented note",
         notas("", "Ana", "\r\n    Pagar\r\n    <b>100</b>\r\n    <b>50</b>\r\n  "), ""},
        {"note on one line", notas("", "Ana", "Pagar <b>100</b> <b>50</b> pesos"), ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        enviadoOrechazado("notas.xml", c.bytes, "0806", kNotasNs, c.rechazo);
    }
}

// The read-back of the packing cannot start: one box of its own, nothing
// submitted, nothing left, the window ready again.
TEST_F(XmlTest, ReadBackThatCannotStartEndsTheRunWithItsOwnBox) {
    using Falla = testenv::RecursosDePrueba::Falla;
    for (Falla falla : {Falla::Tuberia, Falla::PrimerHilo, Falla::SegundoHilo}) {
        SCOPED_TRACE(static_cast<int>(falla));
        testenv::RecursosDePrueba recursos(falla);
        dialogos.clear();
        procesar(v, exportacion("exportacion.xml"));
        ASSERT_EQ(dialogos.boxes().size(), 1u);
        EXPECT_EQ(textos()[0].rfind("Error : No se pudo revisar el documento porque el sistema "
                                    "no tiene recursos libres",
                                    0),
                  0u)
            << textos()[0];
        EXPECT_EQ(iconos()[0], ui::Icon::None);
        EXPECT_EQ(recursos.Vivos(), 0);
        EXPECT_TRUE(recursos.TuberiaCerrada());
        esperarReposo(v);
        EXPECT_TRUE(temporales().empty());
        EXPECT_TRUE(ventanas::archivos(drive->processed()).empty());
    }
}

// However a run ends before its file, the read-back's packing is stopped and
// its threads gone by the first box, even for a file of gigabytes without CR.
// The packing is held until it is asked to stop, so only a run that stops it
// gets there.
TEST_F(XmlTest, EveryEndStopsTheReadBackBeforeTheBox) {
    const std::string muestra = testenv::sampleText("datos/F0804_00100.xml");
    std::string lf = muestra.substr(0, muestra.find("Exportadora"));
    for (std::size_t i; (i = lf.find("\r\n")) != std::string::npos;)
        lf.replace(i, 2, "\n");
    std::string largo = "<d xmlns=\"urn:prueba\">";
    while (largo.size() <= 32767u * 498u)
        largo += "<e>0123456789</e>";
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("<d xmlns=\"urn:prueba\"/>"))
        utf16 += std::string{c, '\0'};
    const struct {
        const char* caso;
        const char* formulario;
        std::string bytes;
        off_t sparse; // the file made this long with zeros, 0: as written
        std::string primerAviso;
    } casos[] = {
        {"schema refusal of 8 GB of LF-only lines", "0804/00100", lf, off_t{8} << 30, "Error : "},
        {"document no packing keeps", "0901/00100", utf16, 0, "El documento no puede enviarse"},
        {"record limit", "0901/00100", largo + "</d>", 0, "Error Número : 6 ->"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        testenv::RecursosDePrueba recursos(testenv::RecursosDePrueba::Falla::Ninguna, true);
        elegir(v, c.formulario);
        dialogos.clear();
        int vivosAlAviso = -1;
        dialogos.onBox = [&](const ui::ScriptedDialogs::Box&) {
            if (dialogos.boxes().size() == 1)
                vivosAlAviso = recursos.Vivos();
        };
        const std::string ruta = drive->writeData("grande.xml", c.bytes);
        if (c.sparse > 0) {
            ASSERT_EQ(::truncate(ruta.c_str(), c.sparse), 0);
        }
        procesar(v, ruta);
        ASSERT_GE(dialogos.boxes().size(), 1u);
        EXPECT_EQ(textos()[0].rfind(c.primerAviso, 0), 0u) << textos()[0];
        EXPECT_EQ(vivosAlAviso, 0);
        EXPECT_TRUE(recursos.TuberiaCerrada());
        esperarReposo(v);
        EXPECT_TRUE(temporales().empty());
        EXPECT_TRUE(ventanas::archivos(drive->processed()).empty());
        rt::deleteFileQuiet(ruta);
    }
}

// Whatever ends the lines (CR LF, a lone CR, a lone LF, mixed), the reason
// and the source text name the line an editor shows; nothing is left behind.
TEST_F(XmlTest, ReasonAndSourceTextNameTheEditorsLine) {
    const std::string muestra = testenv::sampleText("datos/F0804_00100.xml");
    const auto finales = [&](const std::vector<std::string>& fines) {
        std::string texto;
        std::size_t i = 0;
        for (const std::string& linea : rt::splitLines(muestra))
            texto += linea + fines[i++ % fines.size()];
        return texto;
    };
    const auto cambiar = [](std::string texto, const std::string& de, const std::string& a) {
        return texto.replace(texto.find(de), de.size(), a);
    };
    const struct {
        const char* caso;
        std::string bytes;
        const char* razon;
        const char* fuente;
    } casos[] = {
        {"value, lone CRs", cambiar(finales({"\r"}), "BR<", "BRX<"), "«Destino» en la línea 6",
         "  <Destino>BRX</Destino>"},
        {"end tag, lone CRs", cambiar(finales({"\r"}), "</Destino>", "</Destin>"),
         "«Destin» en la línea 6 no corresponde a la de apertura «Destino» de la línea 6",
         "  <Destino>BR</Destin>"},
        {"value, mixed line ends", cambiar(finales({"\r", "\n", "\r\n"}), "BR<", "BRX<"),
         "«Destino» en la línea 6", "  <Destino>BRX</Destino>"},
        {"end tag, mixed line ends",
         cambiar(finales({"\n", "\r\n", "\r"}), "</Destino>", "</Destin>"),
         "«Destin» en la línea 6", "  <Destino>BR</Destin>"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        dialogos.clear();
        procesar(v, drive->writeData("exportacion.xml", c.bytes));
        ASSERT_EQ(dialogos.boxes().size(), 1u);
        const std::string texto = textos()[0];
        const std::string marco = "\r\n\r\nTexto Fuente : ";
        ASSERT_NE(texto.find(marco), std::string::npos) << texto;
        EXPECT_NE(texto.substr(0, texto.find(marco)).find(c.razon), std::string::npos) << texto;
        EXPECT_EQ(texto.substr(texto.find(marco) + marco.size()), c.fuente);
        esperarReposo(v);
        EXPECT_TRUE(temporales().empty());
        EXPECT_TRUE(ventanas::archivos(drive->processed()).empty());
    }
}

TEST_F(XmlTest, FormOfTypeMRunsFromTheXmlWindowToo) {
    elegir(v, "0802/00100");
    procesar(v, drive->copySampleData("F0802_00100.xml"));
    ASSERT_EQ(dialogos.boxes().size(), 1u);
    EXPECT_EQ(textos()[0].rfind("Se genero el Archivo :", 0), 0u) << textos()[0];
}

// Blank lines vanish, the rest is joined as it stands, the header counts the
// record plus the "01" line.
TEST_F(XmlTest, FiveLineDocumentGivesOneRecord) {
    ventanas::encriptarSinCifrar();
    elegir(v, "0901/00100");
    procesar(v, drive->writeData("libre.xml",
                                 "<d xmlns=\"urn:prueba\">\r\n\r\n   \r\n<e/>\r\n</d>\r\n"));
    const std::vector<std::string> lineas = presentacion();
    ASSERT_EQ(lineas.size(), 3u);
    EXPECT_EQ(lineas[0], "HEAD10 01 01 000002");
    EXPECT_EQ(lineas[1].rfind("010999001", 0), 0u) << lineas[1];
    const std::string texto = "<d xmlns=\"urn:prueba\"><e/></d>";
    EXPECT_EQ(lineas[2], "02" + texto + std::string(498 - texto.size(), ' '));
}

// Text that fills the 32,767 records exactly goes through: the head line
// counts them and the "01" line.
TEST_F(XmlTest, DocumentOfTheMostRecordsGivesTheHeadCount32768) {
    ventanas::encriptarSinCifrar();
    elegir(v, "0901/00100");
    const std::string inicio = "<d xmlns=\"urn:prueba\">";
    const std::string fin = "</d>";
    // The root is of mixed content: a blank, not the line end, between two
    // elements.
    const std::string elemento = "<e>" + std::string(490, 'x') + "</e> ";
    const std::size_t resto = 32767u * 498u - inicio.size() - fin.size() - 32766u * 498u;
    std::string texto = inicio + "\r\n";
    for (int i = 0; i < 32766; ++i)
        texto += elemento + "\r\n";
    texto += "<e>" + std::string(resto - 7, 'y') + "</e>\r\n" + fin + "\r\n";
    procesar(v, drive->writeData("maximo.xml", texto));
    const std::vector<std::string> lineas = presentacion();
    ASSERT_EQ(lineas.size(), 2u + 32767u);
    EXPECT_EQ(lineas[0], "HEAD10 01 01 032768");
    EXPECT_EQ(lineas.back().size(), 500u);
    EXPECT_EQ(lineas.back().substr(500 - 8), "</e></d>");
}

TEST_F(XmlTest, RuntimeErrorShowsTwoBoxesThenCleansUp) {
    drive->execute("update cuit set Cuit=NULL;");
    bool registrosAlPrimerAviso = false;
    QString etiquetaAlPrimerAviso = "?";
    dialogos.onBox = [&](const ui::ScriptedDialogs::Box&) {
        if (dialogos.boxes().size() == 1) {
            registrosAlPrimerAviso = rt::fileExists(drive->tmpFile("exportacion.xml"));
            etiquetaAlPrimerAviso = Controles(v).Etiqueta->text();
        }
    };
    procesar(v, exportacion("exportacion.xml"));
    const rt::RuntimeError e(rt::err::InvalidUseOfNull);
    EXPECT_EQ(textos(), (std::vector<std::string>{"Error Número : 94 ->" + e.description(),
                                                  "94 " + e.description()}));
    EXPECT_EQ(iconos(), (std::vector<ui::Icon>{ui::Icon::None, ui::Icon::None}));
    EXPECT_TRUE(registrosAlPrimerAviso);
    // The packing's last progress is gone before the boxes.
    EXPECT_EQ(etiquetaAlPrimerAviso, "");
    esperarReposo(v);
    EXPECT_TRUE(temporales().empty());
}

// One line of more than 32,767 blocks overflows before any record is written;
// the files it left open are closed, so the next run in the window works.
TEST_F(XmlTest, OverlongLineEndsInOverflowAndTheNextRunStillWorks) {
    elegir(v, "0901/00100");
    std::string linea = "<d xmlns=\"urn:prueba\">";
    const std::string elemento = "<e>0123456789</e>";
    while (linea.size() <= 32767u * 498u)
        linea += elemento;
    linea += "</d>";
    procesar(v, drive->writeData("largo.xml", linea));
    const rt::RuntimeError e(rt::err::Overflow);
    EXPECT_EQ(textos(), (std::vector<std::string>{"Error Número : 6 ->" + e.description(),
                                                  "6 " + e.description()}));
    for (int n = 1; n <= 6; ++n)
        EXPECT_FALSE(rt::IsOpen(n)) << n;
    EXPECT_TRUE(temporales().empty());
    esperarReposo(v);

    dialogos.clear();
    procesar(v, drive->writeData("corto.xml", "<d xmlns=\"urn:prueba\"><e/></d>"));
    ASSERT_EQ(dialogos.boxes().size(), 1u);
    EXPECT_EQ(textos()[0].rfind("Se genero el Archivo :", 0), 0u) << textos()[0];
}

// The packing empties the caption after each line's records; the label keeps
// the latest progress on show until another status comes, drawn at most 25
// times a second.
TEST_F(XmlTest, LatestProgressStaysOnShowThroughTheEmptyCaptions) {
    const struct {
        const char* caption;
        bool tras40ms;
        const char* visto;
    } pasos[] = {
        {"Generando Archivo ....", false, "Generando Archivo ...."},
        {"Procesando : 1 de 2", true, "Procesando : 1 de 2"},
        {"Procesando : 2 de 2", true, "Procesando : 2 de 2"},
        {"", false, "Procesando : 2 de 2"},
        {"", true, "Procesando : 2 de 2"},
        {"Procesando : 3 de 1", true, "Procesando : 3 de 1"},
        {"", true, "Procesando : 3 de 1"},
        {"Haciendo Join de Archivos ....", false, "Haciendo Join de Archivos ...."},
        {"", false, ""},
    };
    VentanaArchivoFinal& ventana = v;
    for (const auto& p : pasos) {
        SCOPED_TRACE(std::string("\"") + p.caption + "\"");
        if (p.tras40ms)
            std::this_thread::sleep_for(std::chrono::milliseconds(45));
        ventana.EtiquetaCaption(p.caption);
        ventana.EtiquetaRefresh();
        EXPECT_EQ(v.EtiquetaTexto(), p.caption);
        EXPECT_EQ(Controles(v).Etiqueta->text().toStdString(), p.visto);
    }
    // Progress within 40 ms of the last drawing waits.
    std::this_thread::sleep_for(std::chrono::milliseconds(45));
    const auto inicio = std::chrono::steady_clock::now();
    ventana.EtiquetaCaption("Procesando : 4 de 1");
    ventana.EtiquetaRefresh();
    ventana.EtiquetaCaption("Procesando : 5 de 1");
    ventana.EtiquetaRefresh();
    if (std::chrono::steady_clock::now() - inicio < std::chrono::milliseconds(30)) {
        EXPECT_EQ(Controles(v).Etiqueta->text().toStdString(), "Procesando : 4 de 1");
    }
    // Drawing the caption itself ends the progress.
    ventana.EtiquetaCaption("");
    v.EtiquetaDibujar();
    EXPECT_EQ(Controles(v).Etiqueta->text().toStdString(), "");
}

// The run keeps the form it started with, even if the list changes meanwhile.
TEST_F(XmlTest, RunReadsFormAndVersionOnceAtItsStart) {
    ventanas::encriptarSinCifrar();
    elegir(v, "0901/00100");
    dialogos.onYield = [this](int) { elegir(v, "0804/00100"); };
    procesar(v, drive->writeData("libre.xml", "<d xmlns=\"urn:prueba\"><e/></d>"));
    const std::vector<std::string> lineas = presentacion();
    ASSERT_EQ(lineas.size(), 3u);
    EXPECT_EQ(lineas[1].rfind("010999001", 0), 0u) << lineas[1];
    EXPECT_TRUE(temporales().empty());
}

} // namespace
