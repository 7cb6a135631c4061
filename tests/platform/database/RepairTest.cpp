#include "DatabaseTestSupport.h"

#include "shell/Globales.h"
#include "tests/support/TestDrive.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

using dbtest::errorOf;
namespace fs = std::filesystem;

std::string primeraFila(db::Connection& c, const std::string& sql, const std::string& col) {
    return c.openRecordSet(sql)->field(col).textOr("<null>");
}

std::vector<std::string> archivos(const std::string& carpeta) {
    std::vector<std::string> nombres;
    for (const auto& e : fs::directory_iterator(carpeta))
        nombres.push_back(e.path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

TEST(RepairDatabase, SoundDatabaseKeepsRowsOrderTriggersAndKey) {
    testenv::TestDrive drive(testenv::sampleDataSql() + "update cuit set Cuit='20123456786';");
    chmod(drive.database().c_str(), 0640);
    auto carpetaAntes = archivos(drive.dataFolder());
    const std::string contar = "select count(*) as n from Estructuras";
    std::string filas = primeraFila(*drive.open(), contar, "n");

    db::repairDatabase(drive.database(), nuro::kConnect);

    EXPECT_EQ(archivos(drive.dataFolder()), carpetaAntes);
    struct stat st {};
    ASSERT_EQ(stat(drive.database().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_NE(errorOf([&] { db::openDatabase(drive.database(), false, false, ";PWD=otra"); }), 0);
    auto c = drive.open();
    EXPECT_EQ(primeraFila(*c, contar, "n"), filas);
    EXPECT_EQ(primeraFila(*c, "select * from cuit", "Cuit"), "20123456786");
    EXPECT_EQ(primeraFila(*c,
                          "Select NombreTag from Estructura_Padre_hijo where CodFormulario='0802' "
                          "and Version ='00100'",
                          "NombreTag"),
              "Manifiesto");
    c->execute("update cuit set Cuit=01234567890");
    EXPECT_EQ(primeraFila(*c, "select * from cuit", "Cuit"), "01234567890");
}

TEST(RepairDatabase, RepairedFileAcceptsTheRepairPathInAnyCase) {
    testenv::TestDrive drive;
    db::repairDatabase(drive.dataFolder() + "/BdNuro.mdb", nuro::kConnect);
    EXPECT_EQ(archivos(drive.dataFolder()),
              (std::vector<std::string>{"BDNuro.mdb", "Esquemas", "Procesados"}));
}

// A spoiled file is left as it was, and no work file stays behind.
struct Damage {
    const char* name;
    std::function<void(const std::string&)> spoil;
    int expected;
};

void PrintTo(const Damage& d, std::ostream* os) {
    *os << d.name;
}

class RepairFailures : public ::testing::TestWithParam<Damage> {};

TEST_P(RepairFailures, FailWithAnErrorNumberAndKeepTheFile) {
    testenv::TestDrive drive(testenv::sampleDataSql());
    GetParam().spoil(drive.database());
    std::string antes = fs::exists(drive.database()) ? testenv::readFile(drive.database()) : "";
    auto carpetaAntes = archivos(drive.dataFolder());
    int numero = errorOf([&] { db::repairDatabase(drive.database(), nuro::kConnect); });
    EXPECT_EQ(numero, GetParam().expected);
    EXPECT_EQ(archivos(drive.dataFolder()), carpetaAntes);
    std::string despues = fs::exists(drive.database()) ? testenv::readFile(drive.database()) : "";
    EXPECT_EQ(antes, despues);
}

void sobrescribir(const std::string& path, std::size_t offset, const std::string& bytes) {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(offset));
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Database, RepairFailures,
    ::testing::Values(
        Damage{"Garbage",
               [](const std::string& p) { testenv::writeFile(p, std::string(4096, 'z')); },
               rt::err::UnrecognizedFormat},
        Damage{"Missing", [](const std::string& p) { fs::remove(p); }, 3024},
        Damage{"ReadOnly", [](const std::string& p) { chmod(p.c_str(), 0444); },
               rt::err::DatabaseLockedOrReadOnly},
        Damage{
            "DamagedPage",
            [](const std::string& p) { sobrescribir(p, 1024 + 3 * 1024, std::string(512, '\0')); },
            rt::err::CannotOpenDatabase},
        Damage{"Truncated",
               [](const std::string& p) { fs::resize_file(p, fs::file_size(p) / 2 + 100); },
               rt::err::CannotOpenDatabase}),
    [](const auto& info) { return info.param.name; });

TEST(RepairDatabase, FileInUseExclusivelyGives3051) {
    testenv::TestDrive drive;
    auto exclusiva = db::openDatabase(drive.database(), true, false, nuro::kConnect);
    EXPECT_EQ(errorOf([&] { db::repairDatabase(drive.database(), nuro::kConnect); }),
              rt::err::DatabaseLockedOrReadOnly);
}

} // namespace
