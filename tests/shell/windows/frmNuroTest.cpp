#include "shell/frmNuro.h"
#include "tests/shell/windows/ApoyoVentanas.h"
#include "tests/support/EntornoQt.h"

#include "platform/runtime/RuntimeError.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class FrmNuroTest : public apoyo::VentanaTest {
protected:
    void SetUp() override {
        VentanaTest::SetUp();
        drive.execute("update cuit set Cuit='20123456786'");
    }
    void mostrar() {
        w.show();
        apoyo::procesar();
    }
    QAction* comando(const char* nombre) { return w.findChild<QAction*>(nombre); }
    std::string tempBat() const { return drive.dataFolder() + "/Temp.bat"; }
    void dejarTempBat() const { testenv::writeFile(tempBat(), "chmod u+w x #\r\n"); }
    bool marcoCentrado() {
        const QWidget* fondo = w.centralWidget();
        const QWidget* marco = w.findChild<QFrame*>("Frame1");
        return marco->x() == fondo->width() / 2 - marco->width() / 2 &&
               marco->y() == fondo->height() / 2 - marco->height() / 2;
    }

    testenv::TestDrive drive;
    frmNuro w;
};

TEST_F(FrmNuroTest, MenuHoldsFiveSingleCommandsInOrder) {
    const std::vector<std::pair<QString, QString>> esperados = {
        {"ProcesarDocumento", "Procesar Documento Plano"},
        {"ProcesarDocumentoXML", "Procesar Documento XML"},
        {"CargarCuit", "Cargar Cuit"},
        {"RepararBD", "Reparar Base de Datos"},
        {"Salida", "Salida"},
    };
    const QList<QAction*> acciones = w.menuBar()->actions();
    ASSERT_EQ(acciones.size(), qsizetype(esperados.size()));
    for (std::size_t i = 0; i < esperados.size(); ++i) {
        EXPECT_EQ(acciones[qsizetype(i)]->objectName(), esperados[i].first);
        EXPECT_EQ(acciones[qsizetype(i)]->text(), esperados[i].second);
        EXPECT_EQ(acciones[qsizetype(i)]->menu(), nullptr);
    }
    EXPECT_EQ(w.windowTitle(), "NURO");
    EXPECT_EQ(w.findChild<QLabel*>("Label2")->text(), "Version 1.1");
    for (const char* nombre : {"Image1", "Label1", "Label3", "Line1", "Line2", "Line3"})
        EXPECT_NE(w.findChild<QWidget*>(nombre), nullptr) << nombre;
}

TEST_F(FrmNuroTest, CreatingTheWindowDoesNothingElse) {
    EXPECT_EQ(w.activaciones(), 0);
    EXPECT_EQ(BaseDatos, nullptr);
    EXPECT_TRUE(dialogos.boxes().empty());
}

TEST_F(FrmNuroTest, FirstShowingOpensTheDatabaseAndDeletesTempBat) {
    dejarTempBat();
    mostrar();
    EXPECT_EQ(w.activaciones(), 1);
    ASSERT_NE(BaseDatos, nullptr);
    EXPECT_TRUE(BaseDatos->isOpen());
    EXPECT_FALSE(fs::exists(tempBat()));
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(dialogos.boxes().empty());
}

TEST_F(FrmNuroTest, MissingDatabaseEndsTheApplicationWithoutOpeningAnything) {
    fs::remove(drive.database());
    dejarTempBat();
    EXPECT_TRUE(apoyo::correHastaTerminar(w));
    EXPECT_EQ(textos(), std::vector<std::string>{"No existe la base de datos BDNuro.mdb en el "
                                                 "directorio : " +
                                                 drive.root() + "/DatosNuro/BDNuro.mdb"});
    EXPECT_EQ(dialogos.boxes()[0].icon, ui::Icon::None);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(BaseDatos, nullptr);
    EXPECT_TRUE(fs::exists(tempBat()));
}

TEST_F(FrmNuroTest, MissingProcesadosIsTestedAfterOpeningThenEnds) {
    fs::remove(drive.processed());
    dejarTempBat();
    bool abiertaAlAvisar = false;
    bool batAlAvisar = true;
    dialogos.onBox = [&](const ui::ScriptedDialogs::Box&) {
        abiertaAlAvisar = BaseDatos && BaseDatos->isOpen();
        batAlAvisar = fs::exists(tempBat());
    };
    EXPECT_TRUE(apoyo::correHastaTerminar(w));
    EXPECT_EQ(textos(), std::vector<std::string>{"No existe la carpeta : " + drive.root() +
                                                 "/DatosNuro/Procesados"});
    EXPECT_TRUE(abiertaAlAvisar);
    EXPECT_FALSE(batAlAvisar);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(BaseDatos, nullptr);
}

TEST_F(FrmNuroTest, DamagedDatabaseIsReportedTwiceThenEnds) {
    testenv::writeFile(drive.database(), std::string(8192, 'x'));
    int numero = 0;
    try {
        db::openDatabase(drive.database(), false, false, nuro::kConnect);
    } catch (const rt::RuntimeError& e) {
        numero = e.number();
    }
    ASSERT_NE(numero, 0);
    mostrar();
    ASSERT_EQ(dialogos.boxes().size(), 2u);
    EXPECT_EQ(dialogos.boxes()[0].text, "Base de Datos BDNuro.mdb Corrupta");
    EXPECT_EQ(dialogos.boxes()[1].icon, ui::Icon::Critical);
    EXPECT_NE(dialogos.boxes()[1].text.find("'" + std::to_string(numero) + "'"), std::string::npos);
    EXPECT_EQ(finales, 1);
}

// A file of the Jet or ACE engine is named for what it is, before any open,
// and the application ends as for a missing database.
TEST_F(FrmNuroTest, AccessDatabaseIsNamedAndEnds) {
    const std::string cabecera("\x00\x01\x00\x00", 4);
    for (const char* motor : {"Standard Jet DB", "Standard ACE DB"}) {
        SCOPED_TRACE(motor);
        dialogos.clear();
        testenv::writeFile(drive.database(),
                           cabecera + motor + std::string(1, '\0') + std::string(2048, '\x7f'));
        dejarTempBat();
        frmNuro ventana;
        EXPECT_TRUE(apoyo::correHastaTerminar(ventana));
        EXPECT_EQ(textos(), std::vector<std::string>{"La Base de Datos BDNuro.mdb está en formato "
                                                     "Access, que este sistema no lee."});
        EXPECT_EQ(dialogos.boxes()[0].icon, ui::Icon::None);
        EXPECT_FALSE(ventana.isVisible());
        EXPECT_EQ(BaseDatos, nullptr);
        EXPECT_TRUE(fs::exists(tempBat()));
        EXPECT_EQ(finales, 0);
    }
}

// The name elsewhere in the file is no signature: the file is damaged.
TEST_F(FrmNuroTest, SignatureOnlyCountsAtItsPlace) {
    testenv::writeFile(drive.database(), "Standard Jet DB" + std::string(8192, 'x'));
    mostrar();
    ASSERT_EQ(dialogos.boxes().size(), 2u);
    EXPECT_EQ(dialogos.boxes()[0].text, "Base de Datos BDNuro.mdb Corrupta");
    EXPECT_EQ(finales, 1);
}

TEST_F(FrmNuroTest, SalidaClosesTheDatabaseAndEnds) {
    mostrar();
    const auto conexion = BaseDatos;
    ASSERT_NE(conexion, nullptr);
    QTimer::singleShot(0, [&] { comando("Salida")->trigger(); });
    EXPECT_TRUE(apoyo::correHastaTerminar(w));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(BaseDatos, nullptr);
    EXPECT_FALSE(conexion->isOpen());
}

TEST_F(FrmNuroTest, ClosingAnyWorkingWindowRunsTheWholeSequenceAgain) {
    w.registrarVentana("ProcesarDocumento", [] { return std::make_unique<QDialog>(); });
    w.registrarVentana("ProcesarDocumentoXML", [] { return std::make_unique<QDialog>(); });
    mostrar();
    for (const char* menu :
         {"CargarCuit", "RepararBD", "ProcesarDocumento", "ProcesarDocumentoXML"}) {
        const int antes = w.activaciones();
        const auto conexion = BaseDatos;
        dejarTempBat();
        apoyo::alAparecer<QDialog>([](QDialog* d) { d->close(); });
        comando(menu)->trigger();
        EXPECT_EQ(w.activaciones(), antes + 1) << menu;
        EXPECT_NE(BaseDatos, conexion) << menu;
        EXPECT_TRUE(BaseDatos->isOpen()) << menu;
        EXPECT_FALSE(fs::exists(tempBat())) << menu;
        ASSERT_NE(w.ventana(menu), nullptr) << menu;
        EXPECT_FALSE(w.ventana(menu)->isVisible()) << menu;
    }
    EXPECT_TRUE(dialogos.boxes().empty());
}

TEST_F(FrmNuroTest, WorkingWindowIsMadeOnceAndKept) {
    int hechas = 0;
    w.registrarVentana("ProcesarDocumento", [&] {
        ++hechas;
        return std::make_unique<QDialog>();
    });
    mostrar();
    EXPECT_EQ(w.ventana("ProcesarDocumento"), nullptr);
    QDialog* primera = nullptr;
    for (int i = 0; i < 2; ++i) {
        apoyo::alAparecer<QDialog>([](QDialog* d) { d->close(); });
        comando("ProcesarDocumento")->trigger();
        if (!primera)
            primera = w.ventana("ProcesarDocumento");
        EXPECT_EQ(w.ventana("ProcesarDocumento"), primera);
    }
    EXPECT_EQ(hechas, 1);
}

TEST_F(FrmNuroTest, CuitSavedFromTheMenuIsStored) {
    mostrar();
    apoyo::alAparecer<QDialog>([](QDialog* d) {
        d->findChild<QLineEdit*>("TxTCuit")->setText("27222222223");
        d->findChild<QPushButton*>("CmdGrabar")->click();
    });
    comando("CargarCuit")->trigger();
    EXPECT_EQ(cuitGuardado(drive), "27222222223");
    EXPECT_EQ(w.activaciones(), 2);
}

// After a failed repair the connection stays closed until the start-up
// window opens it again.
TEST_F(FrmNuroTest, FailedRepairIsHealedByTheNextActivation) {
    mostrar();
    auto cerrojo = db::openDatabase(drive.database(), true, false, nuro::kConnect);
    bool cerradaTrasFallo = false;
    apoyo::alAparecer<QDialog>([&](QDialog* d) {
        d->findChild<QPushButton*>("CmdSi")->click();
        cerradaTrasFallo = !BaseDatos->isOpen();
        cerrojo.reset();
        d->findChild<QPushButton*>("CmdNo")->click();
    });
    comando("RepararBD")->trigger();
    EXPECT_EQ(textos(), std::vector<std::string>{"¡¡¡ No Se pudo Reparar la Base de Datos."});
    EXPECT_TRUE(cerradaTrasFallo);
    EXPECT_TRUE(BaseDatos->isOpen());
    EXPECT_EQ(w.activaciones(), 2);
}

// The window keeps its size, so the frame stays centred; a frame moved off
// the centre is only put back by the next activation.
TEST_F(FrmNuroTest, FixedWindowCentresItsFrameAtActivation) {
    mostrar();
    EXPECT_TRUE(testenv::tamanoFijo(w));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    const QSize tamano = w.size();
    w.resize(w.width() + 300, w.height() + 200);
    apoyo::procesar();
    EXPECT_EQ(w.size(), tamano);
    EXPECT_TRUE(marcoCentrado());
    auto* marco = w.findChild<QFrame*>("Frame1");
    EXPECT_TRUE(w.centralWidget()->rect().contains(marco->geometry()));

    marco->move(0, 0);
    EXPECT_FALSE(marcoCentrado());
    apoyo::alAparecer<QDialog>([](QDialog* d) { d->close(); });
    comando("RepararBD")->trigger();
    EXPECT_TRUE(marcoCentrado());
}

} // namespace
