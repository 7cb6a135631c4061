#include "platform/xml/SchemaCache.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/xml/Document.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

std::string schema(const std::string& targetNamespace, const std::string& element) {
    return "<?xml version=\"1.0\"?>\n"
           "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" targetNamespace=\"" +
           targetNamespace +
           "\" elementFormDefault=\"qualified\">\n"
           "  <xs:element name=\"" +
           element + "\" type=\"xs:string\"/>\n</xs:schema>\n";
}

class SchemaCacheTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        testenv::writeFile(dir.file(name), text);
        return dir.file(name);
    }
    int errorOf(const std::string& ns, const std::string& path) {
        try {
            cache.add(ns, path);
        } catch (const rt::RuntimeError& e) {
            return e.number();
        }
        return 0;
    }
    testenv::TempDir dir;
    xml::SchemaCache cache;
};

TEST_F(SchemaCacheTest, RegistersSchemaUnderItsTargetNamespace) {
    cache.add("urn:a", write("a.xsd", schema("urn:a", "root")));
    EXPECT_NE(cache.find("urn:a"), nullptr);
    EXPECT_EQ(cache.find("urn:A"), nullptr);
    EXPECT_EQ(cache.length(), 1u);
}

TEST_F(SchemaCacheTest, RefusesWhatCannotServeTheNamespace) {
    const struct {
        const char* name;
        std::string text;
        const char* ns;
        int error;
    } cases[] = {
        {"not XML", "just text", "urn:a", xml::kSchemaRefused},
        {"XML but no schema", "<root xmlns=\"urn:a\"/>", "urn:a", xml::kSchemaRefused},
        {"other target namespace", schema("urn:b", "root"), "urn:a", xml::kSchemaRefused},
        {"namespace differing in case", schema("urn:a", "root"), "urn:A", xml::kSchemaRefused},
        {"target namespace for no namespace", schema("urn:a", "root"), "", xml::kSchemaRefused},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(c.ns, write("s.xsd", c.text)), c.error) << c.name;
        EXPECT_EQ(cache.find(c.ns), nullptr) << c.name;
    }
    EXPECT_EQ(errorOf("urn:a", dir.file("missing.xsd")), rt::err::FileNotFound);
}

TEST_F(SchemaCacheTest, FindsSchemaFileWithoutRegardToCase) {
    write("Lower.xsd", schema("urn:a", "root"));
    cache.add("urn:a", dir.file("LOWER.XSD"));
    EXPECT_NE(cache.find("urn:a"), nullptr);
}

TEST_F(SchemaCacheTest, LaterSchemaForSameNamespaceReplacesEarlier) {
    cache.add("urn:a", write("one.xsd", schema("urn:a", "first")));
    cache.add("urn:a", write("two.xsd", schema("urn:a", "second")));
    xml::Document doc;
    doc.schemas(&cache);
    EXPECT_TRUE(doc.load(write("d.xml", "<second xmlns=\"urn:a\">x</second>")));
    EXPECT_FALSE(doc.load(write("d.xml", "<first xmlns=\"urn:a\">x</first>")));
}

} // namespace
