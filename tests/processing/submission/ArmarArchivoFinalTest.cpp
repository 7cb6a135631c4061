#include "processing/ArmarArchivoFinal.h"
#include "platform/closedlibs/FilewinLibrary.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"
#include "tests/support/AbrirEntrega.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kCuit = "20123456786";
const std::string kTitulo = "F9001_00001.txt";
const rt::DateTime kFecha{2024, 3, 5, 14, 7, 9};

class VentanaPrueba : public VentanaArchivoFinal {
public:
    void EtiquetaCaption(const std::string& texto) override {
        eventos.push_back("caption:" + texto);
    }
    void EtiquetaRefresh() override { eventos.push_back("refresh"); }
    bool Abierta() const override { return abierta; }

    std::vector<std::string> eventos;
    bool abierta = true;
};

std::string fila(const std::string& form, const std::string& impuesto) {
    return "insert into Formularios (CodFormulario, Version, Descripcion, TipoArchivoEntrada, "
           "CodigoImpuesto, CODIGOCONCEPTO, NameSpace) values ('" +
           form + "', '00001', 'Prueba', 'P', " + impuesto + ", '019', '" +
           rutas::espacioNombres(form, "00001") + "');";
}

std::string sqlFormulario(const std::string& form) {
    return "select *  from Formularios where CodFormulario='" + form + "' and Version= '00001'";
}

std::string fixture(const std::string& name) {
    return testenv::readFile(testenv::dataDir() + "/submission/" + name);
}

std::string conNumero(std::string texto, const std::string& nro) {
    texto.replace(texto.find("@NRO@"), 5, nro);
    return texto;
}

std::vector<std::string> archivos(const std::string& carpeta) {
    std::vector<std::string> nombres;
    for (const auto& e : fs::directory_iterator(carpeta))
        nombres.push_back(e.path().filename().string());
    return nombres;
}

// Library answers injected through the loader's test seam.
std::string gRutaDevuelta;
std::int16_t devolverRuta(const char*, char* ruta, std::size_t tam, char* mensaje, std::size_t) {
    std::strncpy(ruta, gRutaDevuelta.c_str(), tam - 1);
    mensaje[0] = '\0';
    return 0;
}
std::int16_t fallar(const char*, char* ruta, std::size_t, char* mensaje, std::size_t tam) {
    ruta[0] = '\0';
    std::strncpy(mensaje, "Clave de la Aduana vencida", tam - 1);
    return -1;
}

// Takes a while, on whatever thread it is called from.
std::thread::id gHiloLibreria;
std::int16_t fallarDespacio(const char* archivo, char* ruta, std::size_t tr, char* mensaje,
                            std::size_t tm) {
    gHiloLibreria = std::this_thread::get_id();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    return fallar(archivo, ruta, tr, mensaje, tm);
}

class ArmarArchivoFinalTest : public ::testing::Test {
protected:
    ArmarArchivoFinalTest() : drive(fila("9001", "'0217'") + fila("9002", "NULL")) {}

    void SetUp() override {
        drive.openBaseDatos();
        ui::setDialogs(&dialogos);
    }
    void TearDown() override {
        ui::setDialogs(nullptr);
        closedlibs::FilewinLibrary::instance().setEntry(nullptr);
    }

    DatosArchivoFinal datos(const std::string& form, long long registros) const {
        return {registros, kCuit, kFecha, form, "00001", sqlFormulario(form), kTitulo};
    }
    void correr(const DatosArchivoFinal& d, const std::string& registros = "registros_tres.txt") {
        testenv::writeFile(drive.tmpFile(kTitulo), fixture(registros));
        ArmarArchivoFinal(ventana, reg, d, nro, encriptado);
    }
    std::string cabecera(const std::string& form = "9001") const {
        return drive.tmpFile(nro + "F" + form + ".dat");
    }
    std::string salida(const std::string& form = "9001") const {
        return drive.processed() + "/" + nro + "F" + form + ".dat.b64";
    }
    std::vector<std::string> cajas() const {
        std::vector<std::string> textos;
        for (const auto& b : dialogos.boxes())
            textos.push_back(b.text);
        return textos;
    }

    testenv::TestDrive drive;
    ui::ScriptedDialogs dialogos;
    VentanaPrueba ventana;
    std::unique_ptr<db::RecordSet> reg;
    std::string nro;
    std::string encriptado; // the encrypted file left for the window's clean-up
};

TEST_F(ArmarArchivoFinalTest, JoinedFileIsEncryptedIntoProcesados) {
    correr(datos("9001", 3));

    EXPECT_EQ(nro, FuncGral().GenerarNroMagico(kCuit, kFecha));
    const std::string unido = conNumero(fixture("unido_tres.txt"), nro);
    EXPECT_EQ(testenv::readFile(cabecera()), unido);
    EXPECT_EQ(prueba::abrirEntrega(testenv::readFile(salida())), unido);
    EXPECT_EQ(cajas(), std::vector<std::string>{"Se genero el Archivo :" + rutas::procesados() +
                                                nro + "F9001.dat.b64"});
    EXPECT_EQ(dialogos.boxes()[0].icon, ui::Icon::None);
    EXPECT_EQ(ventana.eventos, (std::vector<std::string>{"caption:Haciendo Join de Archivos ....",
                                                         "refresh", "caption:Encriptando ....",
                                                         "refresh", "caption:", "refresh"}));
    // The record file and the encrypted work file are gone; the header file is
    // the window's to delete.
    EXPECT_EQ(archivos(drive.tmp()), std::vector<std::string>{nro + "F9001.dat"});
    EXPECT_EQ(archivos(drive.processed()), std::vector<std::string>{nro + "F9001.dat.b64"});
    EXPECT_EQ(encriptado, "");
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->field("CodFormulario").text(), "9001");
}

TEST_F(ArmarArchivoFinalTest, SevenDigitCountAndNullTaxCodeAreWrittenAsTheyAre) {
    correr(datos("9002", 999999), "registros_uno.txt");
    EXPECT_EQ(testenv::readFile(cabecera("9002")),
              conNumero(fixture("unido_siete_cifras_nulo.txt"), nro));
}

TEST_F(ArmarArchivoFinalTest, LibraryFailureShowsItsTextAndCopiesNothing) {
    closedlibs::FilewinLibrary::instance().setEntry(fallar);
    correr(datos("9001", 3));
    EXPECT_EQ(cajas(), std::vector<std::string>{"Ocurrió el error Clave de la Aduana vencida"});
    EXPECT_TRUE(archivos(drive.processed()).empty());
    EXPECT_EQ(ventana.eventos.back(), "refresh");
    EXPECT_EQ(ventana.eventos[ventana.eventos.size() - 2], "caption:");
}

// The library cannot repaint: it runs off the window's thread, which repaints
// meanwhile and handles nothing else; the steps keep their order.
TEST_F(ArmarArchivoFinalTest, WindowRepaintsWhileTheLibraryWorks) {
    closedlibs::FilewinLibrary::instance().setEntry(fallarDespacio);
    correr(datos("9001", 3));
    EXPECT_NE(gHiloLibreria, std::this_thread::get_id());
    EXPECT_GE(dialogos.repaints(), 1);
    EXPECT_EQ(dialogos.yields(), 3); // the join's, one per line
    EXPECT_EQ(cajas(), std::vector<std::string>{"Ocurrió el error Clave de la Aduana vencida"});
    EXPECT_EQ(ventana.eventos, (std::vector<std::string>{"caption:Haciendo Join de Archivos ....",
                                                         "refresh", "caption:Encriptando ....",
                                                         "refresh", "caption:", "refresh"}));
}

TEST_F(ArmarArchivoFinalTest, RealLibraryFailureReachesTheUser) {
    nro = FuncGral().GenerarNroMagico(kCuit, kFecha);
    fs::create_directory(cabecera() + ".b64"); // the library cannot write its output
    correr(datos("9001", 3));
    ASSERT_EQ(cajas().size(), 1u);
    EXPECT_EQ(cajas()[0].rfind("Ocurrió el error No se pudo escribir el archivo ", 0), 0u);
    EXPECT_TRUE(archivos(drive.processed()).empty());
}

TEST_F(ArmarArchivoFinalTest, SecondRunReplacesTheEarlierOutput) {
    nro = FuncGral().GenerarNroMagico(kCuit, kFecha);
    testenv::writeFile(salida(), "salida anterior");
    correr(datos("9001", 3));
    EXPECT_EQ(prueba::abrirEntrega(testenv::readFile(salida())),
              conNumero(fixture("unido_tres.txt"), nro));
    EXPECT_EQ(archivos(drive.processed()).size(), 1u);
}

// A copy killed half-way leaves its hidden file; the next copy of that name
// removes such regular files, with the system's own marker, and nothing else:
// a user's hidden files of the same name stay.
TEST_F(ArmarArchivoFinalTest, HiddenCopiesLeftOfTheSameNameAreRemoved) {
    nro = FuncGral().GenerarNroMagico(kCuit, kFecha);
    const std::string nombre = nro + "F9001.dat.b64";
    const std::string copia = "." + nombre + ".copia-nuro-";
    enum Tipo { Archivo, Enlace, Carpeta };
    const struct {
        std::string nombre;
        Tipo tipo;
        bool queda;
    } cases[] = {
        {copia + "a1B2c3", Archivo, false},
        {copia + "XXXXXX", Archivo, false},
        {copia + "a1B2c", Archivo, true},
        {copia + "a1B2c34", Archivo, true},
        {copia + "a1B2c.", Archivo, true},
        {copia + "a1B-c3", Archivo, true},
        {"." + nombre + ".copia-NURO-a1B2c3", Archivo, true},
        {"." + nombre + ".a1B2c3", Archivo, true},
        {"." + nombre + ".backup", Archivo, true},
        {"." + nombre + ".202403", Archivo, true},
        {"." + nombre + "_copia-nuro-a1B2c3", Archivo, true},
        {nombre + ".copia-nuro-a1B2c3", Archivo, true},
        {".otro.dat.b64.copia-nuro-a1B2c3", Archivo, true},
        {"." + nro + "F9002.dat.b64.copia-nuro-a1B2c3", Archivo, true},
        {copia + "enlace", Enlace, true},
        {copia + "carpet", Carpeta, true},
    };
    const std::string ajeno = drive.tmpFile("ajeno.txt");
    testenv::writeFile(ajeno, "ajeno");
    for (const auto& c : cases) {
        const std::string ruta = drive.processed() + "/" + c.nombre;
        if (c.tipo == Archivo)
            testenv::writeFile(ruta, "parcial");
        else if (c.tipo == Enlace)
            fs::create_symlink(ajeno, ruta);
        else
            fs::create_directory(ruta);
    }
    correr(datos("9001", 3));
    EXPECT_EQ(prueba::abrirEntrega(testenv::readFile(salida())),
              conNumero(fixture("unido_tres.txt"), nro));
    for (const auto& c : cases)
        EXPECT_EQ(fs::symlink_status(drive.processed() + "/" + c.nombre).type() !=
                      fs::file_type::not_found,
                  c.queda)
            << c.nombre;
    EXPECT_EQ(testenv::readFile(ajeno), "ajeno");
    EXPECT_EQ(archivos(drive.processed()).size(), std::size(cases) - 1);
}

// A copy that fails leaves the encrypted file where the library wrote it, and
// names it for the window's clean-up.
TEST_F(ArmarArchivoFinalTest, FailedCopyIsARunTimeErrorAndNamesTheEncryptedFile) {
    nro = FuncGral().GenerarNroMagico(kCuit, kFecha);
    const struct {
        const char* name;
        std::function<void()> plant;
        const char* left; // what stands at the output name afterwards
    } cases[] = {
        {"read-only output",
         [this] {
             testenv::writeFile(salida(), "salida anterior");
             ::chmod(salida().c_str(), 0444);
         },
         "salida anterior"},
        {"folder at the output", [this] { fs::create_directory(salida()); }, nullptr},
    };
    for (const auto& c : cases) {
        c.plant();
        encriptado.clear();
        try {
            correr(datos("9001", 3));
            ADD_FAILURE() << c.name << ": no run-time error";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), rt::err::PathFileAccess) << c.name;
        }
        EXPECT_EQ(encriptado, cabecera() + ".b64") << c.name;
        EXPECT_TRUE(fs::is_regular_file(encriptado)) << c.name;
        if (c.left)
            EXPECT_EQ(testenv::readFile(salida()), c.left) << c.name;
        else
            EXPECT_TRUE(fs::is_directory(salida())) << c.name;
        EXPECT_EQ(archivos(drive.processed()).size(), 1u) << c.name;
        EXPECT_TRUE(cajas().empty()) << c.name;
        fs::remove_all(salida());
    }
}

// Work files are the owner's only, whatever the umask; the output gets the
// mode of any new file.
TEST_F(ArmarArchivoFinalTest, OnlyTheOutputTakesTheModeOfANewFile) {
    nro = FuncGral().GenerarNroMagico(kCuit, kFecha);
    struct stat st {};
    for (const mode_t mascara : {mode_t{022}, mode_t{0}, mode_t{077}, mode_t{002}}) {
        const mode_t antes = ::umask(mascara);
        fs::create_directory(salida()); // the copy fails: the encrypted file stays
        EXPECT_THROW(correr(datos("9001", 3)), rt::RuntimeError);
        ASSERT_EQ(::stat(encriptado.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u) << mascara;
        fs::remove(salida());
        correr(datos("9001", 3));
        ::umask(antes);
        ASSERT_EQ(::stat(cabecera().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u) << mascara;
        ASSERT_EQ(::stat(salida().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0666u & ~mascara) << mascara;
        fs::remove(salida());
    }
}

TEST_F(ArmarArchivoFinalTest, OutputNameIsCutAfterB64AndOneCharacter) {
    // The library answers with two characters after ".b64": the one that is
    // kept names the file that is copied and then deleted.
    gRutaDevuelta = drive.tmpFile("envio.b64XY");
    testenv::writeFile(drive.tmpFile("envio.b64X"), "cifrado");
    closedlibs::FilewinLibrary::instance().setEntry(devolverRuta);
    correr(datos("9001", 3));
    EXPECT_EQ(testenv::readFile(drive.processed() + "/envio.b64X"), "cifrado");
    EXPECT_FALSE(fs::exists(drive.tmpFile("envio.b64X")));
    EXPECT_EQ(cajas(), std::vector<std::string>{"Se genero el Archivo :" + rutas::procesados() +
                                                "envio.b64X"});
}

// A library that writes its output straight into Procesados: the file is
// already where it belongs and must survive the step that deletes the copy's
// source.
TEST_F(ArmarArchivoFinalTest, OutputWrittenIntoProcesadosByTheLibraryStays) {
    gRutaDevuelta = drive.processed() + "/envio.b64";
    testenv::writeFile(gRutaDevuelta, "cifrado");
    closedlibs::FilewinLibrary::instance().setEntry(devolverRuta);
    correr(datos("9001", 3));
    EXPECT_EQ(encriptado, "");
    EXPECT_EQ(testenv::readFile(drive.processed() + "/envio.b64"), "cifrado");
    EXPECT_EQ(cajas(), std::vector<std::string>{"Se genero el Archivo :" + rutas::procesados() +
                                                "envio.b64"});
}

TEST_F(ArmarArchivoFinalTest, WindowClosedDuringTheJoinStopsTheRunUntouched) {
    dialogos.onYield = [this](int) { ventana.abierta = false; };
    correr(datos("9001", 3));
    EXPECT_EQ(ventana.eventos,
              (std::vector<std::string>{"caption:Haciendo Join de Archivos ....", "refresh"}));
    EXPECT_TRUE(cajas().empty());
    EXPECT_TRUE(archivos(drive.processed()).empty());
    EXPECT_FALSE(fs::exists(cabecera() + ".b64"));
    EXPECT_EQ(testenv::readFile(cabecera()), conNumero(fixture("unido_tres.txt"), nro));
}

TEST_F(ArmarArchivoFinalTest, RunTimeErrorsReachTheCallerWithTheControlNumberKnown) {
    const struct {
        const char* name;
        std::string form;
        bool recordFile;
        int error;
        bool headerWritten;
    } cases[] = {
        {"no Formularios row", "9009", true, rt::err::NoCurrentRecord, false},
        {"record file missing", "9001", false, rt::err::FileNotFound, true},
    };
    for (const auto& c : cases) {
        nro.clear();
        rt::deleteFileQuiet(drive.tmpFile(kTitulo));
        try {
            if (c.recordFile)
                testenv::writeFile(drive.tmpFile(kTitulo), fixture("registros_tres.txt"));
            ArmarArchivoFinal(ventana, reg, datos(c.form, 3), nro, encriptado);
            ADD_FAILURE() << c.name;
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), c.error) << c.name;
        }
        EXPECT_EQ(nro, FuncGral().GenerarNroMagico(kCuit, kFecha)) << c.name;
        EXPECT_EQ(fs::exists(cabecera(c.form)), c.headerWritten) << c.name;
        EXPECT_TRUE(cajas().empty()) << c.name;
        rt::deleteFileQuiet(cabecera(c.form));
    }
}

} // namespace
