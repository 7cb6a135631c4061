// The flat-file window: every way a run can end.
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "processing/FrmProcesarPlanos.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"
#include "tests/processing/windows/EntornoVentanas.h"

#include <chrono>
#include <filesystem>
#include <thread>

using ventanas::Controles;

namespace {

class PlanosTest : public ventanas::VentanaProcesoTest {
protected:
    void SetUp() override {
        abrir(v);
        elegir(v, "0801/00100");
        dialogos.clear();
    }

    FrmProcesarPlanos v;
};

TEST_F(PlanosTest, ValidationErrorGivesOneCriticalBoxAndLeavesNoWorkFile) {
    procesar(v, drive->copySampleData("F0801_00100_errores.txt"));
    ASSERT_EQ(dialogos.boxes().size(), 1u);
    EXPECT_EQ(dialogos.boxes()[0].icon, ui::Icon::Critical);
    EXPECT_EQ(dialogos.boxes()[0].text.rfind("linea: 3 > ", 0), 0u) << dialogos.boxes()[0].text;
    esperarReposo(v);
    EXPECT_TRUE(temporales().empty());
}

// The record file takes the data file's name: a name of another work file of
// the run is refused before the clean-up or anything else runs, so a work
// file of that name left in the folder stays too. Case makes another name.
TEST_F(PlanosTest, DataFileNamedLikeAWorkFileIsRefusedBeforeAnything) {
    const std::string muestra = drive->copySampleData("F0801_00100.txt");
    const auto fecha = std::filesystem::last_write_time(muestra);
    const std::string cabecera =
        FuncGral().GenerarNroMagico("20123456786", rt::fileDateTime(muestra)) + "F0801.dat";
    struct Caso {
        std::string nombre;
        bool rechazado;
    };
    const Caso casos[] = {{"F0801_00100.xml", true},
                          {"F0801_00100_TEMP.txt", true},
                          {cabecera, true},
                          {"f0801_00100.xml", false},
                          {"F0801_00100.XML", false}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        dialogos.clear();
        const std::string archivo = drive->copySampleData("F0801_00100.txt");
        const std::string elegido = drive->root() + "/" + c.nombre;
        std::filesystem::rename(archivo, elegido);
        std::filesystem::last_write_time(elegido, fecha);
        testenv::writeFile(drive->tmpFile(c.nombre), "dejado");
        procesar(v, elegido);
        esperarReposo(v);
        ASSERT_EQ(textos().size(), 1u);
        EXPECT_EQ(textos()[0] == "El archivo no puede procesarse con el nombre " + c.nombre +
                                     ", que es el de un archivo de trabajo del proceso. Cópielo "
                                     "con otro nombre y vuelva a intentarlo.",
                  c.rechazado)
            << textos()[0];
        EXPECT_EQ(temporales(),
                  c.rechazado ? std::vector<std::string>{c.nombre} : std::vector<std::string>{});
        std::filesystem::remove(drive->tmpFile(c.nombre));
    }
}

// A form whose root allows no children: nothing to check at the end.
TEST_F(PlanosTest, EmptyDataFileGivesCriticalBoxWithEmptyText) {
    elegir(v, "0805/00100");
    procesar(v, drive->writeData("vacio.txt", ""));
    EXPECT_EQ(textos(), std::vector<std::string>{""});
    EXPECT_EQ(iconos(), std::vector<ui::Icon>{ui::Icon::Critical});
    EXPECT_TRUE(temporales().empty());
}

TEST_F(PlanosTest, SchemaErrorIsShownWithoutIcon) {
    rt::deleteFile(drive->schemas() + "/F0801_00100.xsd");
    procesar(v, drive->copySampleData("F0801_00100.txt"));
    EXPECT_EQ(textos(), std::vector<std::string>{"Archivo no encontrado " + drive->root() +
                                                 "/DatosNuro/Esquemas/F0801_00100.xsd"});
    EXPECT_EQ(iconos(), std::vector<ui::Icon>{ui::Icon::None});
    esperarReposo(v);
    EXPECT_TRUE(temporales().empty());
}

// The work files are gone before the first box, the encrypted file whose
// copy failed with them.
TEST_F(PlanosTest, RuntimeErrorShowsTwoBoxesAfterTheCleanUp) {
    std::filesystem::remove_all(drive->processed());
    std::vector<std::string> alPrimerAviso;
    dialogos.onBox = [&](const ui::ScriptedDialogs::Box&) {
        if (alPrimerAviso.empty())
            alPrimerAviso = temporales();
    };
    procesar(v, drive->copySampleData("F0801_00100.txt"));
    const rt::RuntimeError e(rt::err::PathNotFound);
    EXPECT_EQ(textos(), (std::vector<std::string>{"Error Número : 76 ->" + e.description(),
                                                  "76 " + e.description()}));
    EXPECT_EQ(iconos(), (std::vector<ui::Icon>{ui::Icon::None, ui::Icon::None}));
    EXPECT_EQ(alPrimerAviso, std::vector<std::string>{});
    esperarReposo(v);
    for (int n = 1; n <= 6; ++n)
        EXPECT_FALSE(rt::IsOpen(n)) << n;
}

struct Cancelacion {
    const char* nombre;
    const char* formulario;
    const char* archivo;
    const char* etiqueta; // the label at the yield that is answered
};

void PrintTo(const Cancelacion& c, std::ostream* os) {
    *os << c.nombre;
}

class PlanosCancelarTest : public PlanosTest, public ::testing::WithParamInterface<Cancelacion> {};

TEST_P(PlanosCancelarTest, OneBoxAndTheRunStopsUntouched) {
    elegir(v, GetParam().formulario);
    salirAlCeder(v, GetParam().etiqueta);
    procesar(v, drive->copySampleData(GetParam().archivo));
    EXPECT_EQ(textos(), std::vector<std::string>{"Proceso Cancelado."});
    EXPECT_EQ(iconos(), std::vector<ui::Icon>{ui::Icon::None});
    EXPECT_FALSE(v.isVisible());
    EXPECT_TRUE(temporales().empty());
    EXPECT_TRUE(ventanas::archivos(drive->processed()).empty());
    for (int n = 1; n <= 6; ++n)
        EXPECT_FALSE(rt::IsOpen(n)) << n;
    // The run left the closed window as it was; the next opening starts idle.
    EXPECT_EQ(Controles(v).CmdSalir->text().toStdString(), "Cancelar");
    abrir(v);
    esperarReposo(v);
    EXPECT_GT(Controles(v).CboFormularios->count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Momentos, PlanosCancelarTest,
    ::testing::Values(Cancelacion{"validacionPlana", "0801/00100", "F0801_00100.txt",
                                  "Procesando Registro :  3"},
                      Cancelacion{"validacionVista", "0803/00100", "F0803_00100.txt",
                                  "Procesando Registro :  2"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(PlanosTest, CloseBoxDuringTheRunActsAsTheExitButton) {
    dialogos.onYield = [this](int) {
        if (v.isVisible())
            v.close();
    };
    procesar(v, drive->copySampleData("F0801_00100.txt"));
    EXPECT_EQ(textos(), std::vector<std::string>{"Proceso Cancelado."});
    EXPECT_FALSE(v.isVisible());
    EXPECT_TRUE(temporales().empty());
}

struct Exito {
    const char* nombre;
    const char* formulario;
    const char* archivo;
};

void PrintTo(const Exito& e, std::ostream* os) {
    *os << e.nombre;
}

class PlanosExitoTest : public PlanosTest, public ::testing::WithParamInterface<Exito> {};

TEST_P(PlanosExitoTest, RunEndsInProcesadosWithNoWorkFileLeft) {
    elegir(v, GetParam().formulario);
    procesar(v, drive->copySampleData(GetParam().archivo));
    const std::vector<std::string> salida = ventanas::archivos(drive->processed());
    ASSERT_EQ(salida.size(), 1u) << (textos().empty() ? "" : textos()[0]);
    EXPECT_EQ(textos(),
              std::vector<std::string>{"Se genero el Archivo :" + rutas::procesados() + salida[0]});
    esperarReposo(v);
    EXPECT_TRUE(temporales().empty());
}

INSTANTIATE_TEST_SUITE_P(Formularios, PlanosExitoTest,
                         ::testing::Values(Exito{"M", "0802/00100", "F0802_00100.txt"},
                                           Exito{"V", "0803/00100", "F0803_00100.txt"},
                                           Exito{"PMinuscula", "0805/00100", "F0805_00100.txt"}),
                         [](const auto& info) { return std::string(info.param.nombre); });

// With the encryption left out, the submission file shows what the run put
// together: the head count, the header record and the records.
TEST_F(PlanosTest, SubmissionHoldsHeadHeaderAndRecords) {
    ventanas::encriptarSinCifrar();
    procesar(v, drive->copySampleData("F0801_00100.txt"));
    const std::vector<std::string> salida = ventanas::archivos(drive->processed());
    ASSERT_EQ(salida.size(), 1u);
    const std::vector<std::string> lineas =
        rt::splitLines(testenv::readFile(drive->processed() + "/" + salida[0]));
    ASSERT_GE(lineas.size(), 3u);
    char cuenta[16];
    std::snprintf(cuenta, sizeof cuenta, "%06zu", lineas.size() - 1);
    EXPECT_EQ(lineas[0], std::string("HEAD10 01 01 ") + cuenta);
    EXPECT_EQ(lineas[1].rfind("010217019"
                              "20123456786",
                              0),
              0u)
        << lineas[1];
    for (std::size_t i = 2; i < lineas.size(); ++i) {
        EXPECT_EQ(lineas[i].size(), 500u) << i;
        EXPECT_EQ(lineas[i].substr(0, 2), "02") << i;
    }
}

} // namespace

namespace {

TEST_F(PlanosTest, ProgressIsDrawnAtMostEvery40msAndStatusesAtOnce) {
    VentanaProgreso& progreso = v;
    QLabel* etiqueta = ventanas::Controles(v).Etiqueta;
    const auto inicio = std::chrono::steady_clock::now();
    progreso.EtiquetaCaption("Procesando Registro :  1");
    progreso.EtiquetaRefresh();
    EXPECT_EQ(etiqueta->text().toStdString(), "Procesando Registro :  1");
    // The next lines come within 40 ms: the label keeps the first one.
    progreso.EtiquetaCaption("Procesando Registro :  2");
    progreso.EtiquetaRefresh();
    if (std::chrono::steady_clock::now() - inicio < std::chrono::milliseconds(30)) {
        EXPECT_EQ(etiqueta->text().toStdString(), "Procesando Registro :  1");
    }
    EXPECT_EQ(v.EtiquetaTexto(), "Procesando Registro :  2");
    // Any other status is never held back.
    progreso.EtiquetaCaption("Generando Archivo ....");
    EXPECT_EQ(etiqueta->text().toStdString(), "Generando Archivo ....");
    progreso.EtiquetaCaption("Procesando Registro :  3");
    std::this_thread::sleep_for(std::chrono::milliseconds(45));
    progreso.EtiquetaRefresh();
    EXPECT_EQ(etiqueta->text().toStdString(), "Procesando Registro :  3");
}

} // namespace
