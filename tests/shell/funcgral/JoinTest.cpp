#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/ScriptedDialogs.h"
#include "shell/CFuncGral.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace {

const std::string kCabecera = "HEAD10 01 01 000004\r\n01CABECERA\r\n";

class Join : public ::testing::Test {
protected:
    void SetUp() override { ui::setDialogs(&dialogs); }
    void TearDown() override {
        ui::setDialogs(nullptr);
        rt::CloseAll();
    }

    std::string header() const { return dir.file("000123F1234.dat"); }
    std::string records() const { return dir.file("datos.txt"); }
    void join() { CFuncGral().Join(records(), header(), "datos.txt"); }

    testenv::TempDir dir;
    testenv::ScopedEnv tmp{"tmp", dir.path().c_str()};
    ui::ScriptedDialogs dialogs;
};

struct Case {
    const char* name;
    std::string registros; // bytes of the record file
    std::string agregado;  // bytes added to the header file
    int yields;
};

// Test names show the case's name instead of its bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class JoinLines : public Join, public ::testing::WithParamInterface<Case> {};

TEST_P(JoinLines, AppendsLinesAndDeletesRecordFile) {
    testenv::writeFile(header(), kCabecera);
    testenv::writeFile(records(), GetParam().registros);
    join();
    EXPECT_EQ(testenv::readFile(header()), kCabecera + GetParam().agregado);
    EXPECT_FALSE(std::filesystem::exists(records()));
    EXPECT_EQ(dialogs.yields(), GetParam().yields);
    EXPECT_FALSE(rt::IsOpen(5));
    EXPECT_FALSE(rt::IsOpen(6));
}

INSTANTIATE_TEST_SUITE_P(
    Files, JoinLines,
    ::testing::Values(
        Case{"EmptyRecordFile", "", "", 0},
        Case{"ThreeLines", "02uno\r\n02dos\r\n02tres\r\n", "02uno\r\n02dos\r\n02tres\r\n", 3},
        Case{"LastLineWithoutEnd", "02uno\r\n02dos", "02uno\r\n02dos\r\n", 2},
        Case{"LoneCrEndsLine", "02uno\r02dos\r\n", "02uno\r\n02dos\r\n", 2},
        Case{"LoneLfStaysInLine", "02u\nno\r\n", "02u\nno\r\n", 1},
        Case{"BytesUnchanged", "02\xc3\xb1 \xf1\x01\r\n", "02\xc3\xb1 \xf1\x01\r\n", 1},
        Case{"BlankLinesKept", "\r\n\r\n", "\r\n\r\n", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Join, CreatesMissingHeaderFile) {
    testenv::writeFile(records(), "02uno\r\n");
    join();
    EXPECT_EQ(testenv::readFile(header()), "02uno\r\n");
}

TEST_F(Join, MissingRecordFileIsError53AndReleasesFiles) {
    testenv::writeFile(header(), kCabecera);
    try {
        join();
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::err::FileNotFound);
    }
    EXPECT_EQ(testenv::readFile(header()), kCabecera);
    EXPECT_FALSE(rt::IsOpen(5));
    EXPECT_FALSE(rt::IsOpen(6));
    // The next run can use the same file numbers.
    testenv::writeFile(records(), "02uno\r\n");
    join();
    EXPECT_EQ(testenv::readFile(header()), kCabecera + "02uno\r\n");
}

// The lines reach the disk only when the header file is closed: a full disk
// is reported then, as error 61, and the record file is kept.
TEST_F(Join, FullDiskAtTheEndIsError61AndReleasesFiles) {
    testenv::writeFile(records(), "02uno\r\n02dos\r\n");
    try {
        CFuncGral().Join(records(), "/dev/full", "datos.txt");
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::err::DiskFull);
    }
    EXPECT_FALSE(rt::IsOpen(5));
    EXPECT_FALSE(rt::IsOpen(6));
    EXPECT_TRUE(std::filesystem::exists(records()));
}

TEST_F(Join, ARecordFileThatIsTheHeaderFileIsRefusedUntouched) {
    testenv::writeFile(header(), kCabecera);
    try {
        CFuncGral().Join(header(), header(), "000123F1234.dat");
        ADD_FAILURE() << "joined a file to itself";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 75);
    }
    EXPECT_EQ(testenv::readFile(header()), kCabecera);
    EXPECT_FALSE(rt::IsOpen(5));
    EXPECT_FALSE(rt::IsOpen(6));
}

TEST_F(Join, DeletesTheNamedFileFromTheTemporaryFolder) {
    testenv::TempDir other;
    const std::string elsewhere = other.file("datos.txt");
    testenv::writeFile(elsewhere, "02uno\r\n");
    testenv::writeFile(records(), "queda en tmp");
    CFuncGral().Join(elsewhere, header(), "datos.txt");
    EXPECT_EQ(testenv::readFile(header()), "02uno\r\n");
    EXPECT_TRUE(std::filesystem::exists(elsewhere));
    EXPECT_FALSE(std::filesystem::exists(records()));
}

} // namespace
