#include "shell/FrmCuit.h"
#include "tests/shell/windows/ApoyoVentanas.h"
#include "tests/support/EntornoQt.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

namespace {

const std::string kMensajeCuit = "El CUIT debe tener 11 caracteres numéricos si puntos";

class FrmCuitTest : public apoyo::VentanaTest {
protected:
    void SetUp() override {
        VentanaTest::SetUp();
        drive.openBaseDatos();
    }
    void abrir() {
        w.show();
        apoyo::procesar();
    }
    void grabar(const QString& texto) {
        caja()->setText(texto);
        w.findChild<QPushButton*>("CmdGrabar")->click();
        apoyo::procesar();
    }
    QLineEdit* caja() { return w.findChild<QLineEdit*>("TxTCuit"); }

    testenv::TestDrive drive;
    FrmCuit w;
};

TEST_F(FrmCuitTest, ControlsCarryTheirNames) {
    EXPECT_EQ(w.windowTitle(), "CUIT");
    ASSERT_NE(caja(), nullptr);
    ASSERT_NE(w.findChild<QPushButton*>("CmdGrabar"), nullptr);
    EXPECT_EQ(w.findChild<QPushButton*>("CmdGrabar")->text(), "Grabar");
    EXPECT_NE(w.findChild<QWidget*>("Picture1"), nullptr);
    EXPECT_TRUE(w.findChild<QPushButton*>("CmdGrabar")->isDefault());
    EXPECT_TRUE(testenv::tamanoFijo(w));
}

TEST_F(FrmCuitTest, ReturnInTheBoxSaves) {
    abrir();
    caja()->setText("20123456786");
    QKeyEvent pulsada(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(caja(), &pulsada);
    apoyo::procesar();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(cuitGuardado(drive), "20123456786");
}

TEST_F(FrmCuitTest, NullCuitOpensEmptyWithFocusOnTheBox) {
    caja()->setText("resto de antes");
    abrir();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(caja()->text(), "");
    EXPECT_EQ(w.focusWidget(), caja());
    EXPECT_TRUE(dialogos.boxes().empty());
}

TEST_F(FrmCuitTest, ElevenDigitsWithBlanksAroundAreStoredBareAndShownOnReopening) {
    abrir();
    grabar("  20123456786   ");
    EXPECT_TRUE(dialogos.boxes().empty());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(cuitGuardado(drive), "20123456786");

    caja()->clear();
    abrir();
    EXPECT_EQ(caja()->text(), "20123456786");
}

TEST_F(FrmCuitTest, LeadingZeroSurvives) {
    abrir();
    grabar("01234567890");
    EXPECT_EQ(cuitGuardado(drive), "01234567890");
    abrir();
    EXPECT_EQ(caja()->text(), "01234567890");
}

TEST_F(FrmCuitTest, EveryOtherFormIsRefusedAndNothingIsWritten) {
    const char* const refusados[] = {
        "2012345678",   "201234567861",   "",
        "   ",          "2012345678.",    "2012345,7861",
        "+2012345678",  "-2012345678",    "2012345678a",
        "20123 56786",  "20123456786\t",  "2O123456786",
        "２0123456786", "20.123.456.786",
    };
    abrir();
    for (const char* texto : refusados) {
        dialogos.clear();
        grabar(QString::fromUtf8(texto));
        ASSERT_EQ(dialogos.boxes().size(), 1u) << texto;
        EXPECT_EQ(dialogos.boxes()[0].text, kMensajeCuit);
        EXPECT_EQ(dialogos.boxes()[0].icon, ui::Icon::None);
        EXPECT_TRUE(w.isVisible()) << texto;
        EXPECT_EQ(caja()->text(), QString::fromUtf8(texto));
        EXPECT_EQ(cuitGuardado(drive), "<Null>") << texto;
    }
}

TEST_F(FrmCuitTest, StoredCuitIsReplaced) {
    drive.execute("update cuit set Cuit='20111111112'");
    abrir();
    EXPECT_EQ(caja()->text(), "20111111112");
    grabar("27222222223");
    EXPECT_EQ(cuitGuardado(drive), "27222222223");
}

TEST_F(FrmCuitTest, MissingDatabaseNamesTheFolderAndCloses) {
    std::filesystem::remove(drive.database());
    abrir();
    ASSERT_EQ(dialogos.boxes().size(), 1u);
    EXPECT_EQ(dialogos.boxes()[0].text,
              "No existe la Base de Datos en el directorio " + drive.root() + "/DatosNuro");
    EXPECT_EQ(dialogos.boxes()[0].icon, ui::Icon::None);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(FrmCuitTest, OpeningErrorsCloseWithoutMessage) {
    const std::function<void()> preparaciones[] = {
        [&] { drive.execute("delete from cuit"); },
        [&] { drive.execute("drop table cuit"); },
        [] { BaseDatos.reset(); },
    };
    for (const auto& preparar : preparaciones) {
        preparar();
        abrir();
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(dialogos.boxes().empty());
        EXPECT_EQ(finales, 0);
    }
}

TEST_F(FrmCuitTest, FailedUpdateIsAnUncaughtError) {
    abrir();
    drive.execute("drop table cuit");
    grabar("20123456786");
    ASSERT_EQ(dialogos.boxes().size(), 1u);
    EXPECT_EQ(dialogos.boxes()[0].icon, ui::Icon::Critical);
    EXPECT_EQ(finales, 1);
}

TEST_F(FrmCuitTest, ClosingWithoutSavingWritesNothing) {
    abrir();
    caja()->setText("20123456786");
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(cuitGuardado(drive), "<Null>");
}

} // namespace
