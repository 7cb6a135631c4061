#pragma once
// A throwaway drive for tests: a temporary folder holding
//
//   drive/DatosNuro/BDNuro.mdb    made from the standard schema + the test's SQL,
//                                 encrypted with nuro::kPassword
//   drive/DatosNuro/Esquemas/     empty until schemas are copied or written
//   drive/DatosNuro/Procesados/   empty
//   tmp/                          the work-file folder
//   datos/                        where copied sample data files go
//
// For its life NURO_DRIVE names drive/ and tmp names tmp/; both are restored
// and everything is removed afterwards, and BaseDatos is cleared. The
// standard schema is sample/sql/schema.sql: the four tables and the one cuit
// row with Cuit Null. "@NAMESPACE_BASE@" in any SQL or sample text is
// replaced by nuro::kNamespaceBase.
//
//   testenv::TestDrive drive(testenv::sampleDataSql() +
//                            "update cuit set Cuit='20123456786';");
//   drive.copySampleSchemas();
//   drive.openBaseDatos();                    // BaseDatos now on this drive
//   std::string data = drive.copySampleData("F0801_00100.txt");
#include "platform/database/Database.h"
#include "tests/support/TestEnv.h"

#include <memory>
#include <string>

namespace testenv {

// The standard schema, placeholder replaced.
std::string schemaSql();
// The sample forms (sample/sql/data.sql), placeholder replaced.
std::string sampleDataSql();
// A file of sample/ (path relative to it), placeholder replaced.
std::string sampleText(const std::string& relativePath);

class TestDrive {
public:
    // The database holds the standard schema followed by sql.
    explicit TestDrive(const std::string& sql = "");
    ~TestDrive();
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    const std::string& root() const { return root_; } // NURO_DRIVE
    std::string dataFolder() const { return root_ + "/DatosNuro"; }
    std::string database() const { return dataFolder() + "/BDNuro.mdb"; }
    std::string schemas() const { return dataFolder() + "/Esquemas"; }
    std::string processed() const { return dataFolder() + "/Procesados"; }
    const std::string& tmp() const { return tmp_; } // env tmp
    std::string tmpFile(const std::string& name) const { return tmp_ + "/" + name; }

    // Runs more SQL on the database (opened and closed again).
    void execute(const std::string& sql) const;
    // A new connection to the database.
    std::shared_ptr<db::Connection> open() const;
    // BaseDatos = open().
    void openBaseDatos() const;

    // sample/Esquemas/F<form>_<version>.xsd into Esquemas.
    void copySampleSchema(const std::string& form, const std::string& version) const;
    void copySampleSchemas() const;
    // Esquemas/F<form>_<version>.xsd with the given text.
    void writeSchema(const std::string& form, const std::string& version,
                     const std::string& text) const;
    // sample/datos/<name> into datos/; returns its path.
    std::string copySampleData(const std::string& name) const;
    // datos/<name> with the given bytes; returns its path.
    std::string writeData(const std::string& name, const std::string& bytes) const;

private:
    TempDir base_;
    std::string root_;
    std::string tmp_;
    std::string data_;
    ScopedEnv driveEnv_;
    ScopedEnv tmpEnv_;
};

} // namespace testenv
