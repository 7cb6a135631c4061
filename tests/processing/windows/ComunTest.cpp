// What both processing windows do alike: the early ends of a run, the
// encryption failure, a successful run, the exit button idle and during the
// join.
#include "platform/runtime/FileSystem.h"
#include "processing/FrmProcesarPlanos.h"
#include "processing/FrmProcesarXML.h"
#include "processing/FrmProceso.h"
#include "shell/Rutas.h"
#include "tests/processing/windows/EntornoVentanas.h"
#include "tests/support/EntornoQt.h"

#include <sys/stat.h>

#include <filesystem>
#include <functional>

using ventanas::Controles;

namespace {

struct Ventana {
    const char* nombre;
    std::function<std::unique_ptr<QDialog>()> crear;
    const char* formulario;
    const char* muestra; // a valid sample data file of the form
};

void PrintTo(const Ventana& v, std::ostream* os) {
    *os << v.nombre;
}

class ComunTest : public ventanas::VentanaProcesoTest,
                  public ::testing::WithParamInterface<Ventana> {
protected:
    void SetUp() override {
        abrir(*v);
        elegir(*v, GetParam().formulario);
        dialogos.clear();
    }
    std::string muestra() { return drive->copySampleData(GetParam().muestra); }

    std::unique_ptr<QDialog> v = GetParam().crear();
};

TEST_P(ComunTest, CancelledDialogSaysSoAndChangesNothing) {
    dialogos.queueCancel();
    Controles(*v).CmdProcesar->click();
    EXPECT_EQ(textos(), std::vector<std::string>{"Proceso Cancelado"});
    EXPECT_EQ(iconos(), std::vector<ui::Icon>{ui::Icon::Information});
    esperarReposo(*v);
}

// Hidden means a dot-file here; a folder is no file.
TEST_P(ComunTest, MissingHiddenOrFolderIsReportedAsInexistent) {
    const std::string oculto = drive->writeData(".oculto.xml", testenv::readFile(muestra()));
    for (const std::string& archivo : {drive->root() + "/no/existe.xml", oculto, drive->root()}) {
        SCOPED_TRACE(archivo);
        dialogos.clear();
        procesar(*v, archivo);
        EXPECT_EQ(textos(), std::vector<std::string>{"Archivo Inexistente."});
        EXPECT_EQ(iconos(), std::vector<ui::Icon>{ui::Icon::Information});
        esperarReposo(*v);
    }
}

// A FIFO, a device or a socket exists but is no data file: the box says what
// it is, before anything opens it (a FIFO would wait for a writer), and the
// exit button's clean-up leaves it where it was.
TEST_P(ComunTest, FifoOrDeviceIsNamedAsNoOrdinaryFile) {
    const std::string tuberia = drive->root() + "/tuberia.xml";
    ASSERT_EQ(::mkfifo(tuberia.c_str(), 0600), 0);
    const std::string enlace = drive->root() + "/nulo.xml";
    std::filesystem::create_symlink("/dev/null", enlace);
    const struct {
        std::string archivo;
        std::string que;
    } casos[] = {
        {tuberia, "una tubería con nombre (FIFO)"},
        {"/dev/null", "un dispositivo"},
        {enlace, "un dispositivo"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.archivo);
        dialogos.clear();
        procesar(*v, c.archivo);
        EXPECT_EQ(textos(), std::vector<std::string>{"No es un archivo común: " + c.archivo +
                                                     " es " + c.que + "."});
        EXPECT_EQ(iconos(), std::vector<ui::Icon>{ui::Icon::Information});
        esperarReposo(*v);
        EXPECT_TRUE(temporales().empty());
    }
    Controles(*v).CmdSalir->click();
    EXPECT_TRUE(std::filesystem::is_fifo(tuberia));
}

// The record file would take the data file's own path there; the refused
// file is not deleted by the exit button's clean-up either.
TEST_P(ComunTest, FileInTheTemporaryFolderIsRefusedUntouched) {
    const std::string contenido = testenv::readFile(muestra());
    const std::string enTemporal = drive->tmpFile(GetParam().muestra);
    testenv::writeFile(enTemporal, contenido);
    const std::string enlace = drive->root() + "/enlace/" + GetParam().muestra;
    std::filesystem::create_directories(drive->root() + "/enlace");
    std::filesystem::create_symlink(enTemporal, enlace);
    const std::string mensaje = "El archivo no puede procesarse desde la carpeta temporal " +
                                drive->tmp() + ". Cópielo a otra carpeta y vuelva a intentarlo.";
    for (const std::string& archivo : {enTemporal, enlace}) {
        SCOPED_TRACE(archivo);
        dialogos.clear();
        procesar(*v, archivo);
        EXPECT_EQ(textos(), std::vector<std::string>{mensaje});
        EXPECT_EQ(iconos(), std::vector<ui::Icon>{ui::Icon::Information});
        esperarReposo(*v);
    }
    Controles(*v).CmdSalir->click();
    EXPECT_EQ(testenv::readFile(enTemporal), contenido);
}

TEST_P(ComunTest, EncryptionFailureShowsTheLibrarysText) {
    ventanas::encriptarConError();
    procesar(*v, muestra());
    EXPECT_EQ(textos(), std::vector<std::string>{"Ocurrió el error clave pública vencida"});
    EXPECT_EQ(iconos(), std::vector<ui::Icon>{ui::Icon::None});
    esperarReposo(*v);
    EXPECT_TRUE(temporales().empty());
    EXPECT_TRUE(ventanas::archivos(drive->processed()).empty());
}

TEST_P(ComunTest, SuccessfulRunLeavesOnlyTheSubmissionFile) {
    procesar(*v, muestra());
    const std::vector<std::string> salida = ventanas::archivos(drive->processed());
    ASSERT_EQ(salida.size(), 1u) << (textos().empty() ? "" : textos()[0]);
    EXPECT_EQ(textos(),
              std::vector<std::string>{"Se genero el Archivo :" + rutas::procesados() + salida[0]});
    esperarReposo(*v);
    EXPECT_TRUE(temporales().empty());
}

// A folder at the output name: the copy fails, and the encrypted file goes
// with the other work files; the folder and no hidden copy stay in Procesados.
TEST_P(ComunTest, FailedCopyLeavesNoWorkFile) {
    const std::string datos = muestra();
    procesar(*v, datos);
    esperarReposo(*v);
    const std::vector<std::string> salida = ventanas::archivos(drive->processed());
    ASSERT_EQ(salida.size(), 1u) << (textos().empty() ? "" : textos()[0]);
    const std::string enCamino = drive->processed() + "/" + salida[0];
    std::filesystem::remove(enCamino);
    std::filesystem::create_directory(enCamino);
    dialogos.clear();
    procesar(*v, datos);
    const rt::RuntimeError e(rt::err::PathFileAccess);
    EXPECT_EQ(textos(), (std::vector<std::string>{"Error Número : 75 ->" + e.description(),
                                                  "75 " + e.description()}));
    esperarReposo(*v);
    EXPECT_TRUE(temporales().empty());
    EXPECT_TRUE(std::filesystem::is_directory(enCamino));
    EXPECT_EQ(ventanas::archivos(drive->processed()), salida);
}

// The run stops after the join: nothing encrypted, no further box, and the
// closed window keeps what the run last showed.
TEST_P(ComunTest, ExitDuringTheJoinStopsTheRunUntouched) {
    salirAlCeder(*v, "Haciendo Join de Archivos ....");
    procesar(*v, muestra());
    EXPECT_EQ(textos(), std::vector<std::string>{"Proceso Cancelado."});
    EXPECT_EQ(iconos(), std::vector<ui::Icon>{ui::Icon::None});
    EXPECT_FALSE(v->isVisible());
    EXPECT_TRUE(temporales().empty());
    EXPECT_TRUE(ventanas::archivos(drive->processed()).empty());
    EXPECT_EQ(Controles(*v).Etiqueta->text().toStdString(), "Haciendo Join de Archivos ....");
    EXPECT_FALSE(Controles(*v).CmdProcesar->isEnabled());
}

// The window's close box (and Escape) during the join act as the exit button.
TEST_P(ComunTest, CloseBoxDuringTheJoinStopsTheRunUntouched) {
    const struct {
        const char* nombre;
        std::function<void(QDialog&)> cerrar;
    } maneras[] = {
        {"close box", [](QDialog& d) { d.close(); }},
        {"Escape", [](QDialog& d) { d.reject(); }},
    };
    for (const auto& m : maneras) {
        SCOPED_TRACE(m.nombre);
        abrir(*v);
        elegir(*v, GetParam().formulario);
        dialogos.clear();
        dialogos.onYield = [this, &m](int) {
            if (v->isVisible() &&
                dynamic_cast<FrmProceso&>(*v).EtiquetaTexto() == "Haciendo Join de Archivos ....")
                m.cerrar(*v);
        };
        procesar(*v, muestra());
        dialogos.onYield = nullptr;
        EXPECT_EQ(textos(), std::vector<std::string>{"Proceso Cancelado."});
        EXPECT_FALSE(v->isVisible());
        EXPECT_TRUE(temporales().empty());
        EXPECT_TRUE(ventanas::archivos(drive->processed()).empty());
        EXPECT_EQ(finalizaciones, 0);
    }
}

// A ".b64" in the temporary folder's name is no part of the output name.
TEST_P(ComunTest, TemporaryFolderNamedB64StillGivesTheSubmission) {
    const std::string carpeta = drive->root() + "/t.b64";
    std::filesystem::create_directories(carpeta);
    testenv::ScopedEnv tmp("tmp", carpeta.c_str());
    procesar(*v, muestra());
    const std::vector<std::string> salida = ventanas::archivos(drive->processed());
    ASSERT_EQ(salida.size(), 1u) << (textos().empty() ? "" : textos()[0]);
    EXPECT_EQ(textos(),
              std::vector<std::string>{"Se genero el Archivo :" + rutas::procesados() + salida[0]});
    EXPECT_TRUE(ventanas::archivos(carpeta).empty());
    esperarReposo(*v);
}

TEST_P(ComunTest, FixedSizeWithoutMaximise) {
    EXPECT_TRUE(testenv::tamanoFijo(*v));
}

TEST_P(ComunTest, ExitWhileIdleClosesWithoutMessage) {
    Controles(*v).CmdSalir->click();
    EXPECT_TRUE(dialogos.boxes().empty());
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(Controles(*v).CboFormularios->count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ventanas, ComunTest,
    ::testing::Values(Ventana{"planos", [] { return std::make_unique<FrmProcesarPlanos>(); },
                              "0801/00100", "F0801_00100.txt"},
                      Ventana{"xml", [] { return std::make_unique<FrmProcesarXML>(); },
                              "0804/00100", "F0804_00100.xml"}),
    [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
