// The opening of both processing windows: checks, form list, filter.
#include "platform/runtime/FileSystem.h"
#include "processing/FrmProcesarPlanos.h"
#include "processing/FrmProcesarXML.h"
#include "shell/Globales.h"
#include "tests/processing/windows/EntornoVentanas.h"

#include <functional>

using ventanas::Controles;

namespace {

const std::string k60(60, ' ');

struct Clase {
    const char* nombre;
    std::function<std::unique_ptr<QDialog>()> crear;
};

void PrintTo(const Clase& c, std::ostream* os) {
    *os << c.nombre;
}

const Clase kPlanos{"planos", [] { return std::make_unique<FrmProcesarPlanos>(); }};
const Clase kXml{"xml", [] { return std::make_unique<FrmProcesarXML>(); }};

std::vector<std::string> entradas(QDialog& v) {
    std::vector<std::string> e;
    QComboBox* cbo = Controles(v).CboFormularios;
    for (int i = 0; i < cbo->count(); ++i)
        e.push_back(cbo->itemText(i).toStdString());
    return e;
}

class AperturaTest : public ventanas::VentanaProcesoTest,
                     public ::testing::WithParamInterface<Clase> {};

TEST_P(AperturaTest, MissingDatabaseFileNamesTheFolderAndCloses) {
    auto v = GetParam().crear();
    rt::deleteFile(drive->database());
    abrir(*v);
    EXPECT_EQ(textos(), std::vector<std::string>{"No existe la Base de Datos en el directorio " +
                                                 drive->root() + "/DatosNuro"});
    EXPECT_FALSE(v->isVisible());
}

TEST_P(AperturaTest, NullCuitIsRefusedWithItsMessage) {
    drive->execute("update cuit set Cuit=NULL;");
    auto v = GetParam().crear();
    abrir(*v);
    EXPECT_EQ(textos(),
              std::vector<std::string>{"Debe Cargar el Cuit para poder procesar Documentos."});
    EXPECT_FALSE(v->isVisible());
}

// Run-time errors of the opening close the window without a word.
TEST_P(AperturaTest, RuntimeErrorsCloseSilently) {
    const std::vector<std::function<void(testenv::TestDrive&)>> causas = {
        [](testenv::TestDrive& d) { d.execute("delete from cuit;"); },
        [](testenv::TestDrive&) { BaseDatos.reset(); },
        [](testenv::TestDrive& d) { d.execute("drop table Formularios;"); },
    };
    for (std::size_t i = 0; i < causas.size(); ++i) {
        SCOPED_TRACE(i);
        drive.reset();
        drive = std::make_unique<testenv::TestDrive>(testenv::sampleDataSql() +
                                                     "update cuit set Cuit='20123456786';");
        drive->openBaseDatos();
        causas[i](*drive);
        dialogos.clear();
        auto v = GetParam().crear();
        abrir(*v);
        EXPECT_TRUE(dialogos.boxes().empty());
        EXPECT_FALSE(v->isVisible());
        EXPECT_EQ(Controles(*v).CboFormularios->count(), 0);
        EXPECT_EQ(finalizaciones, 0);
    }
}

TEST_P(AperturaTest, CuitOfAnyFormOpensTheWindow) {
    drive->execute("update cuit set Cuit='12-AB';");
    auto v = GetParam().crear();
    abrir(*v);
    EXPECT_TRUE(dialogos.boxes().empty());
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(Controles(*v).CboFormularios->currentIndex(), 0);
}

TEST_P(AperturaTest, NoFormOfTheWindowsTypesClosesWithMessage) {
    drive->execute("delete from Formularios; INSERT INTO Formularios (CodFormulario, Version, "
                   "Descripcion, TipoArchivoEntrada) VALUES ('0001','00001','Otro','Z');");
    auto v = GetParam().crear();
    abrir(*v);
    EXPECT_EQ(textos(),
              std::vector<std::string>{"No existen Tipos de Formularios para Seleccionar."});
    EXPECT_FALSE(v->isVisible());
}

TEST_P(AperturaTest, ReopeningListsEachFormOnceAndNewRowsOnlyThen) {
    auto v = GetParam().crear();
    abrir(*v);
    const std::vector<std::string> primera = entradas(*v);
    ASSERT_FALSE(primera.empty());
    drive->execute("INSERT INTO Formularios (CodFormulario, Version, Descripcion, "
                   "TipoArchivoEntrada) VALUES ('0999','00001','Nuevo','M');");
    EXPECT_EQ(entradas(*v), primera);
    Controles(*v).CmdSalir->click();
    EXPECT_FALSE(v->isVisible());
    abrir(*v);
    const std::vector<std::string> segunda = entradas(*v);
    EXPECT_EQ(segunda.size(), primera.size() + 1);
    EXPECT_EQ(std::count(segunda.begin(), segunda.end(), primera.front()), 1);
    EXPECT_TRUE(dialogos.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Ventanas, AperturaTest, ::testing::Values(kPlanos, kXml),
                         [](const auto& info) { return std::string(info.param.nombre); });

class ListaTest : public ventanas::VentanaProcesoTest {
protected:
    ListaTest()
        : VentanaProcesoTest("INSERT INTO Formularios (CodFormulario, Version, Descripcion, "
                             "TipoArchivoEntrada) VALUES ('0902','00001',NULL,'M');") {}
};

TEST_F(ListaTest, FlatWindowListsTypesPMVInAnyCaseWithTheLetterLast) {
    FrmProcesarPlanos v;
    abrir(v);
    const std::vector<std::string> e = entradas(v);
    EXPECT_EQ(e, (std::vector<std::string>{
                     "0801/00100 -> Declaración Jurada de Importación" + k60 + "P",
                     "0801/00200 -> Declaración Jurada de Importación" + k60 + "P",
                     "0802/00100 -> Manifiesto de Carga" + k60 + "M",
                     "0803/00100 -> Liquidación de Servicios Portuarios" + k60 + "V",
                     "0805/00100 -> Envíos Simplificados" + k60 + "p",
                     "0902/00001 -> " + k60 + "M",
                 }));
    EXPECT_EQ(Controles(v).CboFormularios->currentIndex(), 0);
}

TEST_F(ListaTest, XmlWindowListsTypesXAndMWithoutLetter) {
    FrmProcesarXML v;
    abrir(v);
    EXPECT_EQ(entradas(v), (std::vector<std::string>{
                               "0802/00100 -> Manifiesto de Carga",
                               "0804/00100 -> Declaración de Exportación",
                               "0901/00100 -> Libre",
                               "0902/00001 -> ",
                           }));
    EXPECT_EQ(Controles(v).CboFormularios->currentIndex(), 0);
}

TEST_F(ListaTest, CaptionsAndDialogFilters) {
    FrmProcesarPlanos planos;
    FrmProcesarXML xml;
    EXPECT_EQ(planos.windowTitle().toStdString(), "Procesamiento de Archivos Planos");
    EXPECT_EQ(xml.windowTitle().toStdString(), "Procesamiento de Archivos XML");
    dialogos.queueCancel();
    dialogos.queueCancel();
    abrir(planos);
    abrir(xml);
    Controles(planos).CmdProcesar->click();
    Controles(xml).CmdProcesar->click();
    ASSERT_EQ(dialogos.openRequests().size(), 2u);
    EXPECT_EQ(dialogos.openRequests()[0].filter, "Archivos de Datos (*.dat,*.txt)|*.dat;*.txt");
    EXPECT_EQ(dialogos.openRequests()[1].filter, "Archivos XML (*.xml)|*.xml");
    EXPECT_EQ(dialogos.openRequests()[0].initDir, drive->root() + "/");
    EXPECT_NE(xml.findChild<QLabel*>("Lbl_LineasTratadas"), nullptr);
}

} // namespace
