#include "shell/FrmReparar.h"
#include "tests/shell/windows/ApoyoVentanas.h"
#include "tests/support/EntornoQt.h"

#include "platform/runtime/FileSystem.h"
#include "platform/ui/QtTamanoFijo.h"

#include <QLabel>
#include <QPushButton>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string kReparada = "Base de Datos Reparada.";
const std::string kNoReparada = "¡¡¡ No Se pudo Reparar la Base de Datos.";

class FrmRepararTest : public apoyo::VentanaTest {
protected:
    void SetUp() override {
        VentanaTest::SetUp();
        drive.execute("update cuit set Cuit='20123456786'");
        drive.openBaseDatos();
        w.show();
        apoyo::procesar();
    }
    void pulsar(const char* boton) {
        w.findChild<QPushButton*>(boton)->click();
        apoyo::procesar();
    }
    std::string tempBat() const { return drive.dataFolder() + "/Temp.bat"; }

    testenv::TestDrive drive;
    FrmReparar w;
};

TEST_F(FrmRepararTest, ControlsCarryTheirNames) {
    EXPECT_EQ(w.windowTitle(), "Reparar Base de Datos");
    EXPECT_TRUE(testenv::tamanoFijo(w));
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), "¿ QUIERE REPARAR LA BASE DE DATOS ?");
    EXPECT_EQ(w.findChild<QPushButton*>("CmdSi")->text(), "Si");
    EXPECT_EQ(w.findChild<QPushButton*>("CmdNo")->text(), "No");
    // The two buttons stand apart, as in every other window.
    const QRect si = w.findChild<QPushButton*>("CmdSi")->geometry();
    const QRect no = w.findChild<QPushButton*>("CmdNo")->geometry();
    EXPECT_EQ(no.left() - si.right() - 1, ui::kSeparacion);
    EXPECT_NE(w.findChild<QWidget*>("Picture1"), nullptr);
}

TEST_F(FrmRepararTest, NoClosesWithoutTouchingTheDatabase) {
    const auto conexion = BaseDatos;
    const auto antes = fs::last_write_time(drive.database());
    pulsar("CmdNo");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(BaseDatos, conexion);
    EXPECT_TRUE(BaseDatos->isOpen());
    EXPECT_EQ(fs::last_write_time(drive.database()), antes);
    EXPECT_TRUE(dialogos.boxes().empty());
}

TEST_F(FrmRepararTest, SoundDatabaseIsRepairedReopenedAndTheWindowCloses) {
    const auto conexion = BaseDatos;
    pulsar("CmdSi");
    EXPECT_EQ(textos(), std::vector<std::string>{kReparada});
    EXPECT_EQ(dialogos.boxes()[0].icon, ui::Icon::None);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(conexion->isOpen());
    ASSERT_NE(BaseDatos, conexion);
    EXPECT_EQ(BaseDatos->openRecordSet("select * from cuit")->field("Cuit").text(), "20123456786");
}

TEST_F(FrmRepararTest, MissingFileIsNamedAndNothingIsClosed) {
    fs::remove(drive.database());
    pulsar("CmdSi");
    EXPECT_EQ(textos(), std::vector<std::string>{"No existe la Base de Datos en el directorio " +
                                                 drive.root() + "/DatosNuro/BDNuro.mdb"});
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(BaseDatos->isOpen());
}

TEST_F(FrmRepararTest, ReadOnlyFileIsRepairedAfterTheFix) {
    fs::permissions(drive.database(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ASSERT_TRUE(rt::isReadOnly(drive.database()));
    pulsar("CmdSi");
    EXPECT_EQ(textos(), std::vector<std::string>{kReparada});
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(rt::isReadOnly(drive.database()));
    ASSERT_TRUE(fs::exists(tempBat()));
    EXPECT_NE(testenv::readFile(tempBat()).find(drive.database()), std::string::npos);
    EXPECT_TRUE(BaseDatos->isOpen());
}

// Another program holding the file: every attempt is refused with 3051.
TEST_F(FrmRepararTest, FileThatKeepsRefusingGivesUpAndStaysOpen) {
    const auto cerrojo = db::openDatabase(drive.database(), true, false, nuro::kConnect);
    pulsar("CmdSi");
    EXPECT_EQ(textos(), std::vector<std::string>{kNoReparada});
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(BaseDatos->isOpen());
    EXPECT_TRUE(fs::exists(tempBat()));
}

// A read-only fix that cannot write Temp.bat (here a folder stands in its
// way) is a repair that keeps failing, not the end of the application.
TEST_F(FrmRepararTest, FixThatCannotBeWrittenFailsTheRepair) {
    fs::permissions(drive.database(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fs::create_directories(tempBat() + "/ocupado");
    pulsar("CmdSi");
    EXPECT_EQ(textos(), std::vector<std::string>{kNoReparada});
    EXPECT_EQ(finales, 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(BaseDatos->isOpen());
    EXPECT_TRUE(rt::isReadOnly(drive.database()));
    pulsar("CmdNo");
    EXPECT_FALSE(w.isVisible());
}

// The reopening opens the name "BdNuro.mdb": a damaged file of exactly that
// name beside the sound one lets the repair succeed and the reopening fail.
TEST_F(FrmRepararTest, ReopeningThatFailsAfterAGoodRepairStillReportsTheRepair) {
    const auto conexion = BaseDatos;
    testenv::writeFile(drive.dataFolder() + "/BdNuro.mdb", std::string(8192, 'x'));
    pulsar("CmdSi");
    EXPECT_EQ(textos(), (std::vector<std::string>{"Base de Datos BDNuro.mdb Corrupta", kReparada}));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(BaseDatos, conexion);
    EXPECT_FALSE(BaseDatos->isOpen());
    EXPECT_EQ(finales, 0);
}

TEST_F(FrmRepararTest, UnusableFileFailsAndTheUserMayTryAgain) {
    testenv::writeFile(drive.database(), std::string(8192, 'x'));
    pulsar("CmdSi");
    EXPECT_EQ(textos(), std::vector<std::string>{kNoReparada});
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(BaseDatos->isOpen());
    EXPECT_FALSE(fs::exists(tempBat()));

    pulsar("CmdSi");
    EXPECT_EQ(textos(), (std::vector<std::string>{kNoReparada, kNoReparada}));
    pulsar("CmdNo");
    EXPECT_FALSE(w.isVisible());
}

} // namespace
