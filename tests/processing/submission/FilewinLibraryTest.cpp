#include "platform/closedlibs/FilewinLibrary.h"
#include "platform/closedlibs/SharedLibrary.h"
#include "platform/closedlibs/filewin/filewin.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "tests/support/AbrirEntrega.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

using closedlibs::FilewinLibrary;

TEST(FilewinLibraryTest, SealsTheFileForTheOfficeNextToIt) {
    testenv::TempDir dir;
    const std::string entrada = dir.file("000123F9001.dat");
    const std::string contenido = "HEAD10 01 01 000001\r\n01\xC3\xB1\r\n";
    testenv::writeFile(entrada, contenido);
    std::string encriptado = "basura", mensaje = "basura";
    ASSERT_EQ(FilewinLibrary::instance().filewin(entrada, encriptado, mensaje), 0) << mensaje;
    EXPECT_EQ(encriptado, entrada + ".b64");
    EXPECT_EQ(mensaje, "");
    EXPECT_EQ(prueba::abrirEntrega(testenv::readFile(encriptado)), contenido);
    EXPECT_EQ(testenv::readFile(entrada), contenido); // the input is left as it was
}

// The file is encrypted in pieces of 1 MiB: sizes around the pieces' ends,
// the empty file included, open whole, and the text is one base64 text.
TEST(FilewinLibraryTest, FilesOfAnySizeOpenWhole) {
    testenv::TempDir dir;
    constexpr std::size_t kTrozo = 1 << 20;
    for (std::size_t tam : {std::size_t{0}, std::size_t{1}, kTrozo - 1, kTrozo, kTrozo + 1,
                            2 * kTrozo, 2 * kTrozo + 2}) {
        const std::string entrada = dir.file("grande.dat");
        std::string contenido(tam, '\0');
        for (std::size_t i = 0; i < tam; ++i)
            contenido[i] = static_cast<char>(i * 7 % 251);
        testenv::writeFile(entrada, contenido);
        std::string encriptado, mensaje;
        ASSERT_EQ(FilewinLibrary::instance().filewin(entrada, encriptado, mensaje), 0) << mensaje;
        const std::string texto = testenv::readFile(encriptado);
        EXPECT_EQ(texto.size() % 4, 0u) << tam;
        EXPECT_EQ(texto.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"),
                  texto.find('='))
            << tam;
        if (const std::size_t relleno = texto.find('='); relleno != std::string::npos) {
            EXPECT_EQ(texto.find_first_not_of('=', relleno), std::string::npos) << tam;
        }
        EXPECT_EQ(prueba::abrirEntrega(texto), contenido) << tam;
    }
}

// What the office refuses: a text cut short, a piece altered, bytes added.
TEST(FilewinLibraryTest, AlteredFilesDoNotOpen) {
    testenv::TempDir dir;
    const std::string entrada = dir.file("000123F9001.dat");
    testenv::writeFile(entrada, std::string((1 << 20) + 1000, 'x'));
    std::string encriptado, mensaje;
    ASSERT_EQ(FilewinLibrary::instance().filewin(entrada, encriptado, mensaje), 0) << mensaje;
    const std::string texto = testenv::readFile(encriptado);
    std::string alterado = texto;
    alterado[texto.size() / 2] = alterado[texto.size() / 2] == 'A' ? 'B' : 'A';
    // The first piece alone: the file cut at a piece's end.
    const std::string cortado = texto.substr(0, (104 + (1 << 20) + 17) / 3 * 4);
    for (const std::string& malo : {alterado, cortado, texto.substr(0, texto.size() - 8),
                                    texto.substr(0, 100), texto + texto})
        EXPECT_THROW(prueba::abrirEntrega(malo), std::runtime_error) << malo.size();
}

// The tool's opening writes its output only when the whole file opens: a
// failure leaves no output file, nor a temporary one beside it, and an older
// output stands as it was.
TEST(FilewinLibraryTest, OpeningToAFileWritesItOnlyOnSuccess) {
    testenv::TempDir dir;
    const std::string datos = dir.file("000123F9001.dat");
    const std::string contenido = "HEAD10 01 01 000001\r\n";
    testenv::writeFile(datos, contenido);
    std::string encriptado, mensaje;
    ASSERT_EQ(FilewinLibrary::instance().filewin(datos, encriptado, mensaje), 0) << mensaje;
    const std::string texto = testenv::readFile(encriptado);
    const struct {
        const char* caso;
        std::string entrada; // "" for a missing input
        bool abre;
    } casos[] = {
        {"abre", texto, true},
        {"falta", "", false},
        {"no base64", "esto no es base64 ***", false},
        {"cortado", texto.substr(0, texto.size() - 8), false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        testenv::TempDir carpeta;
        const std::string entrada = carpeta.file("entrada.b64");
        if (!c.entrada.empty())
            testenv::writeFile(entrada, c.entrada);
        for (const bool habia : {false, true}) {
            const std::string salida = carpeta.file("salida.dat");
            std::filesystem::remove(salida);
            if (habia)
                testenv::writeFile(salida, "anterior");
            if (c.abre) {
                prueba::abrirArchivo(entrada, salida);
                EXPECT_EQ(testenv::readFile(salida), contenido);
            } else {
                EXPECT_THROW(prueba::abrirArchivo(entrada, salida), std::runtime_error);
                EXPECT_EQ(std::filesystem::exists(salida), habia);
                if (habia) {
                    EXPECT_EQ(testenv::readFile(salida), "anterior");
                }
            }
            const auto hay = std::distance(std::filesystem::directory_iterator(carpeta.path()),
                                           std::filesystem::directory_iterator());
            EXPECT_EQ(hay, (c.entrada.empty() ? 0 : 1) + (c.abre || habia ? 1 : 0));
        }
    }
}

// A link left at the output's name is replaced, not followed; the output is
// its owner's only, whatever the umask.
TEST(FilewinLibraryTest, OutputNameIsNotFollowed) {
    testenv::TempDir dir;
    const std::string entrada = dir.file("000123F9001.dat");
    testenv::writeFile(entrada, "HEAD10 01 01 000001\r\n");
    testenv::writeFile(dir.file("ajeno"), "ajeno");
    std::filesystem::create_symlink(dir.file("ajeno"), entrada + ".b64");
    std::string encriptado, mensaje;
    const mode_t mascara = ::umask(0);
    ASSERT_EQ(FilewinLibrary::instance().filewin(entrada, encriptado, mensaje), 0) << mensaje;
    ::umask(mascara);
    struct stat st {};
    ASSERT_EQ(::lstat(encriptado.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_FALSE(std::filesystem::is_symlink(encriptado));
    EXPECT_EQ(testenv::readFile(dir.file("ajeno")), "ajeno");
    EXPECT_EQ(prueba::abrirEntrega(testenv::readFile(encriptado)), "HEAD10 01 01 000001\r\n");
}

TEST(FilewinLibraryTest, FailuresGiveStatusAndSpanishText) {
    testenv::TempDir dir;
    testenv::writeFile(dir.file("ok.dat"), "x");
    std::filesystem::create_directory(dir.file("bloqueado.dat.b64"));
    testenv::writeFile(dir.file("bloqueado.dat"), "x");
    const struct {
        std::string entrada;
        const char* texto;
    } cases[] = {
        {dir.file("falta.dat"), "No se pudo leer el archivo "},
        {dir.path(), "No se pudo leer el archivo "},
        {dir.file("bloqueado.dat"), "No se pudo escribir el archivo "},
        {"", "Parámetros inválidos"},
    };
    for (const auto& c : cases) {
        std::string encriptado, mensaje;
        EXPECT_NE(FilewinLibrary::instance().filewin(c.entrada, encriptado, mensaje), 0)
            << c.entrada;
        EXPECT_EQ(mensaje.rfind(c.texto, 0), 0u) << mensaje;
        EXPECT_TRUE(rt::isValidUtf8(mensaje));
        EXPECT_EQ(encriptado, "") << c.entrada;
    }
}

// The caller's buffers bound everything the library writes.
TEST(FilewinLibraryTest, TextsAreCutToTheCallersBuffers) {
    testenv::TempDir dir;
    testenv::writeFile(dir.file("ok.dat"), "x");
    closedlibs::SharedLibrary biblioteca("libfilewin.so");
    const auto filewin = reinterpret_cast<FilewinLibrary::Entry>(biblioteca.entry(FILEWIN_ENTRADA));
    char ruta[8];
    char mensaje[12];
    EXPECT_NE(filewin(dir.file("ok.dat").c_str(), ruta, sizeof ruta, mensaje, sizeof mensaje), 0);
    EXPECT_EQ(std::string(ruta), "");
    EXPECT_EQ(std::string(mensaje), "La ruta del");
    EXPECT_FALSE(std::filesystem::exists(dir.file("ok.dat.b64")));
}

TEST(FilewinLibraryTest, MissingLibraryIsErrorFortyEight) {
    testenv::TempDir vacia;
    FilewinLibrary::instance().unload();
    closedlibs::setLibraryFolder(vacia.path());
    std::string encriptado, mensaje;
    int numero = 0;
    try {
        FilewinLibrary::instance().filewin(vacia.file("x.dat"), encriptado, mensaje);
    } catch (const rt::RuntimeError& e) {
        numero = e.number();
    }
    closedlibs::setLibraryFolder("");
    FilewinLibrary::instance().unload();
    EXPECT_EQ(numero, rt::err::LibraryNotLoaded);
}

} // namespace
