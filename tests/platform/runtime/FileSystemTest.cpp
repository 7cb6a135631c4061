#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "tests/support/TestEnv.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(FileSystem, DriveFromEnvironment) {
    testenv::ScopedEnv d("NURO_DRIVE", "/media/stick/");
    EXPECT_EQ(rt::drive(), "/media/stick");
    EXPECT_EQ(rt::driveWithSeparator(), "/media/stick/");
}

TEST(FileSystem, DriveIsTheMountPointOfTheProgramFolder) {
    testenv::ScopedEnv d("NURO_DRIVE", nullptr);
    const std::string drive = rt::drive();
    const std::string folder = rt::programFolder();
    EXPECT_EQ(folder.rfind(drive, 0), 0u) << drive << " vs " << folder;
}

bool separateMount(const std::string& folder) {
    struct stat own {
    }, parent{};
    return ::stat(folder.c_str(), &own) == 0 &&
           ::stat(std::filesystem::path(folder).parent_path().c_str(), &parent) == 0 &&
           own.st_dev != parent.st_dev;
}

// A program several folders below a mount point finds that mount point.
TEST(FileSystem, MountPointIsFoundFromSeveralFoldersDeep) {
    const struct {
        std::string folder;
        std::string mount;
    } cases[] = {
        {"/proc/self/task/" + std::to_string(::getpid()) + "/fd", "/proc"},
        {"/proc/self/task/", "/proc"},
        {"/proc", "/proc"},
        {"/", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rt::mountPoint(c.folder), c.mount) << c.folder;
    if (!separateMount("/dev/shm"))
        GTEST_SKIP() << "/dev/shm is no mount of its own here";
    testenv::ScopedEnv tmpdir("TMPDIR", "/dev/shm");
    testenv::TempDir dir;
    const std::string deep = dir.file("Programas/Nuro/bin/v1.1");
    std::filesystem::create_directories(deep);
    EXPECT_EQ(rt::mountPoint(deep), "/dev/shm");
}

TEST(FileSystem, TemporaryFolderPrecedence) {
    {
        testenv::ScopedEnv a("tmp", "/x/y/");
        testenv::ScopedEnv b("TMPDIR", "/z");
        EXPECT_EQ(rt::tempPath("f.xml"), "/x/y/f.xml");
    }
    {
        testenv::ScopedEnv a("tmp", "");
        testenv::ScopedEnv b("TMPDIR", "/z");
        EXPECT_EQ(rt::tempFolder(), "/z");
    }
    testenv::ScopedEnv a("tmp", nullptr);
    testenv::ScopedEnv b("TMPDIR", nullptr);
    EXPECT_EQ(rt::tempFolder(), "/tmp");
}

TEST(FileSystem, NamesMatchWithoutRegardToCaseInTheDataFolder) {
    testenv::TempDir dir;
    testenv::ScopedEnv drive("NURO_DRIVE", dir.path().c_str());
    std::filesystem::create_directories(dir.file("DatosNuro/Esquemas"));
    testenv::writeFile(dir.file("DatosNuro/BDNuro.mdb"), "x");
    EXPECT_TRUE(rt::fileExists(dir.file("DatosNuro/BdNuro.mdb")));
    EXPECT_TRUE(rt::fileExists(dir.file("datosnuro/bdnuro.MDB")));
    EXPECT_EQ(rt::resolveCase(dir.file("datosnuro/esquemas/F1.xsd")),
              dir.file("DatosNuro/Esquemas/F1.xsd"));
    EXPECT_TRUE(rt::folderExists(dir.file("DATOSNURO")));
    EXPECT_FALSE(rt::fileExists(dir.file("DatosNuro")));
    EXPECT_FALSE(rt::folderExists(dir.file("DatosNuro/Procesados")));
}

TEST(FileSystem, NamesOutsideTheDataFolderMatchExactly) {
    testenv::TempDir dir;
    testenv::ScopedEnv drive("NURO_DRIVE", dir.path().c_str());
    std::filesystem::create_directories(dir.file("tmp"));
    testenv::writeFile(dir.file("tmp/DATOS.TXT"), "user's file");
    EXPECT_FALSE(rt::fileExists(dir.file("tmp/datos.txt")));
    rt::deleteFileQuiet(dir.file("tmp/datos.txt"));
    EXPECT_EQ(testenv::readFile(dir.file("tmp/DATOS.TXT")), "user's file");
}

TEST(FileSystem, HiddenFilesAreNotNormalFiles) {
    testenv::TempDir dir;
    testenv::writeFile(dir.file(".oculto.txt"), "x");
    testenv::writeFile(dir.file("visible.txt"), "x");
    EXPECT_FALSE(rt::normalFileExists(dir.file(".oculto.txt")));
    EXPECT_TRUE(rt::normalFileExists(dir.file("visible.txt")));
}

// A FIFO or a device is no file, whether named directly or through a link.
TEST(FileSystem, KindOfWhatStandsAtAName) {
    testenv::TempDir dir;
    testenv::writeFile(dir.file("datos.txt"), "x");
    ASSERT_EQ(::mkfifo(dir.file("tuberia").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("carpeta"));
    std::filesystem::create_symlink(dir.file("tuberia"), dir.file("a_tuberia"));
    std::filesystem::create_symlink("/dev/null", dir.file("a_nulo"));
    std::filesystem::create_symlink(dir.file("falta"), dir.file("colgado"));
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un direccion{};
    direccion.sun_family = AF_UNIX;
    const std::string enchufe = dir.file("enchufe");
    ASSERT_LT(enchufe.size(), sizeof direccion.sun_path);
    enchufe.copy(direccion.sun_path, enchufe.size());
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&direccion), sizeof direccion), 0);
    ::close(s);
    const struct {
        std::string nombre;
        rt::FileKind tipo;
    } casos[] = {
        {dir.file("datos.txt"), rt::FileKind::Regular},
        {dir.file("carpeta"), rt::FileKind::Folder},
        {dir.file("tuberia"), rt::FileKind::Fifo},
        {dir.file("a_tuberia"), rt::FileKind::Fifo},
        {"/dev/null", rt::FileKind::Device},
        {dir.file("a_nulo"), rt::FileKind::Device},
        {enchufe, rt::FileKind::Socket},
        {dir.file("falta"), rt::FileKind::None},
        {dir.file("colgado"), rt::FileKind::None},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(rt::fileKind(c.nombre), c.tipo) << c.nombre;
        EXPECT_EQ(rt::fileExists(c.nombre), c.tipo == rt::FileKind::Regular) << c.nombre;
        EXPECT_EQ(rt::folderExists(c.nombre), c.tipo == rt::FileKind::Folder) << c.nombre;
    }
}

TEST(FileSystem, ReadOnlyIsTheOwnerWriteBit) {
    testenv::TempDir dir;
    const std::string f = dir.file("ro");
    testenv::writeFile(f, "x");
    EXPECT_FALSE(rt::isReadOnly(f));
    std::filesystem::permissions(f, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_TRUE(rt::isReadOnly(f)); // also when running as root
}

TEST(FileSystem, DeleteAndDates) {
    testenv::TempDir dir;
    const std::string f = dir.file("a.txt");
    testenv::writeFile(f, "x");
    const rt::DateTime t = rt::fileDateTime(f);
    EXPECT_GE(t.year, 2000);
    EXPECT_EQ(t.compact().size(), 14u);
    rt::deleteFile(f);
    try {
        rt::deleteFile(f);
        ADD_FAILURE();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    rt::deleteFileQuiet(f);
    EXPECT_EQ((rt::DateTime{2024, 3, 5, 14, 7, 9}).compact(), "20240305140709");
    EXPECT_EQ(rt::fileTitle("/a/b/c.dat"), "c.dat");
}

// The clean-up removes what stands at a work file's name, never what a link
// names; a folder is refused.
TEST(FileSystem, DeleteRemovesTheNameItself) {
    namespace fs = std::filesystem;
    testenv::TempDir dir;
    const std::string target = dir.file("target.txt");
    struct Case {
        const char* name;
        std::function<void(const std::string&)> plant;
        int error; // 0: removed
    };
    const Case cases[] = {
        {"file", [](const std::string& at) { testenv::writeFile(at, "x"); }, 0},
        {"link", [&](const std::string& at) { fs::create_symlink(target, at); }, 0},
        {"dangling link", [&](const std::string& at) { fs::create_symlink(dir.file("none"), at); },
         0},
        {"fifo", [](const std::string& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0666), 0); }, 0},
        {"folder", [](const std::string& at) { fs::create_directory(at); }, 75},
        {"nothing", [](const std::string&) {}, 53},
    };
    for (const auto& c : cases) {
        testenv::writeFile(target, "kept");
        const std::string at = dir.file("work");
        c.plant(at);
        int error = 0;
        try {
            rt::deleteFile(at);
        } catch (const rt::RuntimeError& e) {
            error = e.number();
        }
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(fs::exists(fs::symlink_status(at)), c.error == 75) << c.name;
        EXPECT_EQ(testenv::readFile(target), "kept") << c.name;
        fs::remove(at);
    }
}

TEST(FileSystem, ADanglingLinkInTheDataFolderIsFoundWithoutRegardToCase) {
    testenv::TempDir dir;
    testenv::ScopedEnv drive("NURO_DRIVE", dir.path().c_str());
    std::filesystem::create_directories(dir.file("DatosNuro"));
    std::filesystem::create_symlink(dir.file("none"), dir.file("DatosNuro/Temp.bat"));
    rt::deleteFile(dir.file("datosnuro/temp.BAT"));
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::symlink_status(dir.file("DatosNuro/Temp.bat"))));
}

} // namespace
