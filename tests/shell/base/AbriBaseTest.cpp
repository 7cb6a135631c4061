#include "platform/database/Database.h"
#include "platform/runtime/FileSystem.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/ArregloSoloLectura.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;
const std::string kCorrupta = "Base de Datos BDNuro.mdb Corrupta";

bool escribible(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) != 0;
}

class AbriBaseTest : public ::testing::Test {
protected:
    AbriBaseTest() : drive_("update cuit set Cuit='20123456786';") { ui::setDialogs(&dialogos_); }
    ~AbriBaseTest() override { ui::setDialogs(nullptr); }

    void abrir() {
        CFuncGral funciones;
        funciones.AbriBase();
    }
    std::string cuitLeido() {
        return BaseDatos->openRecordSet("select * from cuit")->field("Cuit").text();
    }

    testenv::TestDrive drive_;
    ui::ScriptedDialogs dialogos_;
};

TEST_F(AbriBaseTest, OpensTheDataFolderAtTheDriveRootFromAnyFolder) {
    std::string profundo = drive_.root() + "/Programas/Nuro/bin/v1.1";
    fs::create_directories(profundo);
    fs::path antes = fs::current_path();
    rt::changeFolder(profundo);
    abrir();
    fs::current_path(antes);
    ASSERT_TRUE(BaseDatos);
    EXPECT_EQ(cuitLeido(), "20123456786");
    EXPECT_TRUE(dialogos_.boxes().empty());
    EXPECT_FALSE(fs::exists(drive_.dataFolder() + "/Temp.bat"));
}

TEST_F(AbriBaseTest, FindsTheFileWhateverTheCaseOfItsName) {
    fs::rename(drive_.database(), drive_.dataFolder() + "/bdnuro.MDB");
    abrir();
    ASSERT_TRUE(BaseDatos);
    EXPECT_EQ(cuitLeido(), "20123456786");
    EXPECT_TRUE(dialogos_.boxes().empty());
}

TEST_F(AbriBaseTest, ReadOnlyDatabaseOpensAfterTheFix) {
    chmod(drive_.database().c_str(), 0444);
    abrir();
    ASSERT_TRUE(BaseDatos);
    EXPECT_EQ(cuitLeido(), "20123456786");
    EXPECT_TRUE(dialogos_.boxes().empty());
    EXPECT_TRUE(escribible(drive_.database()));
    EXPECT_EQ(testenv::readFile(drive_.dataFolder() + "/Temp.bat"),
              "chmod u+w '" + drive_.database() + "' #\r\n");
}

// The drive's name reaches a shell: it must stay one quoted word.
TEST_F(AbriBaseTest, FixQuotesADriveNameWithBlanksAndQuotes) {
    std::string raro = drive_.tmp() + "/Unidad de l'otro; touch INYECTADO; '";
    fs::create_directories(raro);
    fs::copy(drive_.dataFolder(), raro + "/DatosNuro", fs::copy_options::recursive);
    testenv::ScopedEnv unidad("NURO_DRIVE", raro.c_str());
    fs::path antes = fs::current_path();
    fs::current_path(drive_.tmp());
    chmod((raro + "/DatosNuro/BDNuro.mdb").c_str(), 0444);
    abrir();
    ArregloSoloLectura::esperar(std::chrono::seconds(5));
    fs::current_path(antes);
    ASSERT_TRUE(BaseDatos);
    EXPECT_TRUE(escribible(raro + "/DatosNuro/BDNuro.mdb"));
    EXPECT_FALSE(fs::exists(drive_.tmp() + "/INYECTADO"));
    EXPECT_TRUE(dialogos_.boxes().empty());
}

// Each case leaves a database that the engine cannot use.
struct Inservible {
    const char* name;
    std::function<void(const testenv::TestDrive&)> estropear;
};

void PrintTo(const Inservible& c, std::ostream* os) {
    *os << c.name;
}

class AbriBaseInservible : public AbriBaseTest, public ::testing::WithParamInterface<Inservible> {};

TEST_P(AbriBaseInservible, ShowsTheMessageOnceAndKeepsBaseDatos) {
    auto anterior = drive_.open();
    BaseDatos = anterior;
    GetParam().estropear(drive_);
    abrir();
    ASSERT_EQ(dialogos_.boxes().size(), 1u);
    EXPECT_EQ(dialogos_.boxes()[0].text, kCorrupta);
    EXPECT_EQ(dialogos_.boxes()[0].icon, ui::Icon::None);
    EXPECT_EQ(BaseDatos, anterior);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, AbriBaseInservible,
    ::testing::Values(
        Inservible{"Damaged",
                   [](const testenv::TestDrive& d) {
                       testenv::writeFile(d.database(), std::string(4096, '#'));
                   }},
        Inservible{"Empty",
                   [](const testenv::TestDrive& d) { testenv::writeFile(d.database(), ""); }},
        Inservible{"Missing", [](const testenv::TestDrive& d) { fs::remove(d.database()); }},
        Inservible{"OtherPassword",
                   [](const testenv::TestDrive& d) {
                       fs::remove(d.database());
                       db::createDatabase(d.database(), ";PWD=otra")->execute("create table t(a)");
                   }}),
    [](const auto& info) { return info.param.name; });

TEST_F(AbriBaseTest, FileThatStaysRefusedGivesUpAfterTheBoundedFixes) {
    auto exclusiva = db::openDatabase(drive_.database(), true, false, nuro::kConnect);
    auto inicio = std::chrono::steady_clock::now();
    abrir();
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(15));
    ASSERT_EQ(dialogos_.boxes().size(), 1u);
    EXPECT_EQ(dialogos_.boxes()[0].text, kCorrupta);
    EXPECT_FALSE(BaseDatos);
    EXPECT_TRUE(fs::exists(drive_.dataFolder() + "/Temp.bat"));
}

// Root's file with mode 644, in the user's own data folder: the engine would
// open it read-only without a word and the first save would fail. The fix
// cannot give the user the right to write it, so the bounded fixes are spent.
TEST_F(AbriBaseTest, FileOfAnotherOwnerIsRefusedAfterTheBoundedFixes) {
    if (!testenv::canRunAsOtherUser())
        GTEST_SKIP() << "not root: no other user to open the database as";
    chmod(drive_.database().c_str(), 0644);
    chmod(drive_.dataFolder().c_str(), 0777);
    testenv::openPathToOthers(drive_.dataFolder());
    const std::string seen = testenv::runAsOtherUser([&] {
        abrir();
        std::string visto;
        for (const auto& caja : dialogos_.boxes())
            visto += caja.text + "; ";
        visto += BaseDatos ? "abierta" : "sin conexion";
        return visto + (fs::exists(drive_.dataFolder() + "/Temp.bat") ? ", Temp.bat" : "");
    });
    EXPECT_EQ(seen, kCorrupta + "; sin conexion, Temp.bat");
    struct stat st {};
    ASSERT_EQ(stat(drive_.database().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(AbriBaseTest, FuncGralIsOneInstanceCreatedAtFirstUse) {
    if (FuncGralCreado())
        GTEST_SKIP() << "FuncGral was created by an earlier test of this process";
    abrir();
    EXPECT_FALSE(FuncGralCreado());
    CFuncGral& primera = FuncGral();
    EXPECT_TRUE(FuncGralCreado());
    EXPECT_EQ(&FuncGral(), &primera);
}

} // namespace
