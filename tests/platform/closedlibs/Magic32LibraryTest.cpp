#include "platform/closedlibs/Magic32Library.h"
#include "platform/closedlibs/SharedLibrary.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace {

using closedlibs::Magic32Library;

struct Case {
    const char* name;
    std::string a, b, c, d;
    unsigned crc;
};

// Test names show the case's name instead of its bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class Magic32Crc : public ::testing::TestWithParam<Case> {};

TEST_P(Magic32Crc, Crc16CcittFalseOverTextsInOrder) {
    const Case& c = GetParam();
    const short r = Magic32Library::instance().Entrada2(c.a, c.b, c.c, c.d);
    EXPECT_EQ(static_cast<unsigned short>(r), c.crc);
}

INSTANTIATE_TEST_SUITE_P(Inputs, Magic32Crc,
                         ::testing::Values(Case{"CheckValue", "123456789", "", "", "", 0x29B1},
                                           Case{"SplitAcrossTexts", "1234", "56789", "", "",
                                                0x29B1},
                                           Case{"InLastText", "", "", "", "123456789", 0x29B1},
                                           Case{"SpreadOverAll", "12", "34", "567", "89", 0x29B1},
                                           Case{"OrderMatters", "56789", "1234", "", "", 0x4CB7},
                                           Case{"NothingIsInitialValue", "", "", "", "", 0xFFFF},
                                           Case{"OneLetter", "A", "", "", "", 0xB915}),
                         [](const auto& info) { return std::string(info.param.name); });

// Points the loader at another folder for one test, then back to the
// program's folder with the library forgotten.
class Magic32Loading : public ::testing::Test {
protected:
    void SetUp() override {
        closedlibs::setLibraryFolder(dir.path());
        Magic32Library::instance().unload();
    }
    void TearDown() override {
        closedlibs::setLibraryFolder("");
        Magic32Library::instance().unload();
    }

    static int errorNumber() {
        try {
            Magic32Library::instance().Entrada2("a", "b", "c", "d");
        } catch (const rt::RuntimeError& e) {
            return e.number();
        }
        return 0;
    }

    testenv::TempDir dir;
};

TEST_F(Magic32Loading, MissingLibraryIsError48) {
    EXPECT_EQ(errorNumber(), rt::err::LibraryNotLoaded);
}

TEST_F(Magic32Loading, LibraryWithoutTheEntryIsError453) {
    // Any shared library that lacks the entry will do; PCRE2 is at hand.
    void* pcre = dlopen("libpcre2-8.so.0", RTLD_NOW);
    ASSERT_NE(pcre, nullptr);
    Dl_info info{};
    ASSERT_NE(dladdr(dlsym(pcre, "pcre2_compile_8"), &info), 0);
    std::filesystem::copy_file(info.dli_fname, dir.file("libMagic32.so"));
    dlclose(pcre);
    EXPECT_EQ(errorNumber(), rt::err::EntryPointNotFound);
}

TEST_F(Magic32Loading, LoadsFromTheFolderAtTheFirstCall) {
    std::filesystem::copy_file(rt::programFolder() + "/libMagic32.so", dir.file("libMagic32.so"));
    EXPECT_EQ(
        static_cast<unsigned short>(Magic32Library::instance().Entrada2("123456789", "", "", "")),
        0x29B1);
    // Loaded once: removing the file does not matter any more.
    std::filesystem::remove(dir.file("libMagic32.so"));
    EXPECT_EQ(
        static_cast<unsigned short>(Magic32Library::instance().Entrada2("123456789", "", "", "")),
        0x29B1);
}

short fixedAnswer(const char*, const char*, const char*, const char*) {
    return 1234;
}

TEST_F(Magic32Loading, InjectedEntryNeedsNoLibrary) {
    Magic32Library::instance().setEntry(&fixedAnswer);
    EXPECT_EQ(Magic32Library::instance().Entrada2("a", "b", "c", "d"), 1234);
    Magic32Library::instance().setEntry(nullptr);
    EXPECT_EQ(errorNumber(), rt::err::LibraryNotLoaded);
}

} // namespace
