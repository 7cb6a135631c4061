#include "platform/xml/Document.h"
#include "platform/xml/SchemaCache.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

struct Form {
    std::string code, version, type, ns;
};

std::vector<Form> sampleForms(const testenv::TestDrive& drive) {
    std::vector<Form> forms;
    auto reg = drive.open()->openRecordSet("select * from Formularios");
    for (; !reg->eof(); reg->moveNext())
        forms.push_back({reg->field("CodFormulario").text(), reg->field("Version").text(),
                         reg->field("TipoArchivoEntrada").text(), reg->field("NameSpace").text()});
    return forms;
}

class SampleForms : public ::testing::Test {
protected:
    SampleForms() : drive_(testenv::sampleDataSql()), forms_(sampleForms(drive_)) {}
    testenv::TestDrive drive_;
    std::vector<Form> forms_;
};

TEST_F(SampleForms, FlatAndVistaFormsUseTheGeneratedNamespace) {
    ASSERT_FALSE(forms_.empty());
    for (const auto& f : forms_) {
        EXPECT_EQ(f.code.size(), 4u) << f.code;
        EXPECT_EQ(f.version.size(), 5u) << f.version;
        char t = static_cast<char>(std::toupper(static_cast<unsigned char>(f.type.at(0))));
        if (t == 'P' || t == 'M' || t == 'V') {
            EXPECT_EQ(f.ns, rutas::espacioNombres(f.code, f.version)) << f.code << f.version;
        }
    }
}

TEST_F(SampleForms, EverySchemaTargetsItsFormsNamespace) {
    drive_.copySampleSchemas();
    for (const auto& f : forms_) {
        std::string xsd = drive_.schemas() + "/F" + f.code + "_" + f.version + ".xsd";
        ASSERT_TRUE(fs::exists(xsd)) << xsd;
        xml::SchemaCache cache;
        EXPECT_NO_THROW(cache.add(f.ns, xsd)) << xsd;
    }
}

TEST_F(SampleForms, SampleXmlDocumentsValidateAgainstTheirForms) {
    drive_.copySampleSchemas();
    for (const auto& f : forms_) {
        char t = static_cast<char>(std::toupper(static_cast<unsigned char>(f.type.at(0))));
        if (t != 'X' && t != 'M')
            continue;
        std::string name = "F" + f.code + "_" + f.version;
        xml::SchemaCache cache;
        cache.add(f.ns, drive_.schemas() + "/" + name + ".xsd");
        xml::Document doc;
        doc.schemas(&cache);
        EXPECT_TRUE(doc.load(drive_.copySampleData(name + ".xml"))) << name;
        EXPECT_EQ(doc.documentElementNamespaceURI(), f.ns) << name;
    }
}

} // namespace
