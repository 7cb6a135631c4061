#include "tests/support/TestDrive.h"

#include "sample/Marcador.h"
#include "shell/Globales.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace testenv {

std::string schemaSql() {
    return sampleText("sql/schema.sql");
}

std::string sampleDataSql() {
    return sampleText("sql/data.sql");
}

std::string sampleText(const std::string& relativePath) {
    return muestra::reemplazarMarcador(readFile(sampleDir() + "/" + relativePath));
}

TestDrive::TestDrive(const std::string& sql)
    : root_(base_.file("drive")), tmp_(base_.file("tmp")), data_(base_.file("datos")),
      driveEnv_("NURO_DRIVE", root_.c_str()), tmpEnv_("tmp", tmp_.c_str()) {
    fs::create_directories(schemas());
    fs::create_directories(processed());
    fs::create_directories(tmp_);
    fs::create_directories(data_);
    auto conexion = db::createDatabase(database(), nuro::kConnect);
    conexion->beginTrans();
    conexion->execute(schemaSql() + "\n" + muestra::reemplazarMarcador(sql));
    conexion->commitTrans();
}

TestDrive::~TestDrive() {
    BaseDatos.reset();
}

void TestDrive::execute(const std::string& sql) const {
    open()->execute(muestra::reemplazarMarcador(sql));
}

std::shared_ptr<db::Connection> TestDrive::open() const {
    return db::openDatabase(database(), false, false, nuro::kConnect);
}

void TestDrive::openBaseDatos() const {
    BaseDatos = open();
}

void TestDrive::copySampleSchema(const std::string& form, const std::string& version) const {
    std::string name = "F" + form + "_" + version + ".xsd";
    writeFile(schemas() + "/" + name, sampleText("Esquemas/" + name));
}

void TestDrive::copySampleSchemas() const {
    for (const auto& entry : fs::directory_iterator(sampleDir() + "/Esquemas"))
        if (entry.path().extension() == ".xsd")
            writeFile(schemas() + "/" + entry.path().filename().string(),
                      sampleText("Esquemas/" + entry.path().filename().string()));
}

void TestDrive::writeSchema(const std::string& form, const std::string& version,
                            const std::string& text) const {
    writeFile(schemas() + "/F" + form + "_" + version + ".xsd", text);
}

std::string TestDrive::copySampleData(const std::string& name) const {
    return writeData(name, sampleText("datos/" + name));
}

std::string TestDrive::writeData(const std::string& name, const std::string& bytes) const {
    std::string path = data_ + "/" + name;
    writeFile(path, bytes);
    return path;
}

} // namespace testenv
