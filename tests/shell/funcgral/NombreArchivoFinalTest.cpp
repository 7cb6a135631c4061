#include "platform/runtime/RuntimeError.h"
#include "shell/CFuncGral.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct Case {
    const char* name;
    std::string ruta;
    std::string cortada; // the caller's variable afterwards
    std::string nombre;  // the result
};

// Test names show the case's name instead of its bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class NombreArchivoFinal : public ::testing::TestWithParam<Case> {};

TEST_P(NombreArchivoFinal, CutsInPlaceAndNames) {
    std::string ruta = GetParam().ruta;
    EXPECT_EQ(CFuncGral().NombreArchivoFinal(ruta), GetParam().nombre);
    EXPECT_EQ(ruta, GetParam().cortada);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, NombreArchivoFinal,
    ::testing::Values(
        Case{"EndsWithB64", "/tmp/w/001234F1234.dat.b64", "/tmp/w/001234F1234.dat.b64",
             "001234F1234.dat.b64"},
        Case{"OneCharacterAfter", "/tmp/w/a.dat.b64X", "/tmp/w/a.dat.b64X", "a.dat.b64X"},
        Case{"TwoCharactersAfter", "/tmp/w/a.dat.b64XY", "/tmp/w/a.dat.b64X", "a.dat.b64X"},
        Case{"ManyCharactersAfter", "/tmp/w/a.dat.b64.tmp", "/tmp/w/a.dat.b64.", "a.dat.b64."},
        Case{"CapitalsNotFound", "/tmp/w/a.dat.B64", "/tmp", "tmp"},
        Case{"NoB64", "ab/cdef.dat", "ab/c", "c"},
        Case{"NoB64EndsAtSlash", "/tm/x.dat", "/tm/", ""},
        Case{"ShorterThanFour", "ab", "ab", "ab"}, Case{"Empty", "", "", ""},
        // Only the file's name is searched: a temporary folder such as
        // /home/ana/t.b64 is passed over.
        Case{"FolderB64PassedOver", "/d.b64x/y/a.dat.b64", "/d.b64x/y/a.dat.b64", "a.dat.b64"},
        Case{"TempFolderNamedB64", "/home/ana/t.b64/001234F1234.dat.b64Z",
             "/home/ana/t.b64/001234F1234.dat.b64Z", "001234F1234.dat.b64Z"},
        Case{"B64OnlyInTheFolder", "/d.b64/y/a.dat", "/d.b", "d.b"},
        Case{"NameStartsWithB64", "/t.b64/.b64xyz", "/t.b64/.b64x", ".b64x"},
        Case{"NoSlash", "a.dat.b64", "a.dat.b64", "a.dat.b64"},
        Case{"AccentedFolder", "/tmp/a\xc3\xb1o/a.b64zz", "/tmp/a\xc3\xb1o/a.b64z", "a.b64z"},
        Case{"SlashAt32766", std::string(32765, 'a') + "/f.b64", std::string(32765, 'a') + "/f.b64",
             "f.b64"}),
    [](const auto& info) { return std::string(info.param.name); });

class NombreArchivoFinalOverflow : public ::testing::TestWithParam<std::string> {};

TEST_P(NombreArchivoFinalOverflow, RaisesError6) {
    std::string ruta = GetParam();
    try {
        CFuncGral().NombreArchivoFinal(ruta);
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::err::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, NombreArchivoFinalOverflow,
                         ::testing::Values(std::string(32766, 'a') + "/f.b64",
                                           std::string(40000, 'a') + "/f.b64"));

} // namespace
