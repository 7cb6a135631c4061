#include "platform/ui/QtDialogs.h"
#include "platform/ui/QtCarpetaEjecucion.h"
#include "platform/ui/QtTraducciones.h"
#include "tests/support/TestEnv.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

// Runs f on the modal dialog of type W once it is on screen; a dialog that
// never shows up fails the test instead of hanging it.
template <class W> void alAparecer(std::function<void(W*)> f) {
    auto* reloj = new QTimer;
    auto intentos = std::make_shared<int>(0);
    QObject::connect(reloj, &QTimer::timeout, [reloj, f, intentos] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (w && w->isVisible()) {
            reloj->stop();
            reloj->deleteLater();
            f(w);
        } else if (++*intentos > 1000) {
            reloj->stop();
            reloj->deleteLater();
            ADD_FAILURE() << "the dialog never appeared";
        }
    });
    reloj->start(5);
}

struct CasoFiltro {
    std::string clasico;
    QStringList qt;
};

TEST(QtDialogsFiltros, TranslatesClassicPairs) {
    const CasoFiltro casos[] = {
        {"Archivos de Datos (*.dat,*.txt)|*.dat;*.txt",
         {"Archivos de Datos (*.dat,*.txt) (*.dat *.txt)"}},
        {"Archivos XML (*.xml)|*.xml", {"Archivos XML (*.xml) (*.xml)"}},
        {"Texto|*.txt|Todos|*.*", {"Texto (*.txt)", "Todos (*.*)"}},
        {"Varios|*.a; *.b;", {"Varios (*.a *.b)"}},
        {"", {}},
        {"Sin patrones", {}},
        {"Uno|*.u|Colgado", {"Uno (*.u)"}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(ui::QtDialogs::nameFilters(c.clasico), c.qt) << c.clasico;
}

struct CasoIcono {
    ui::Icon icono;
    QMessageBox::Icon esperado;
};

// Qt's own texts in Spanish, loaded once for this program.
bool traducido() {
    static const bool cargadas = ui::cargarTraduccionesQt();
    return cargadas;
}

TEST(QtDialogsMensajes, ShowsTextIconAndOnlyOkTitledNuro) {
    ASSERT_TRUE(traducido());
    const CasoIcono casos[] = {
        {ui::Icon::None, QMessageBox::NoIcon},
        {ui::Icon::Information, QMessageBox::Information},
        {ui::Icon::Critical, QMessageBox::Critical},
    };
    for (const auto& c : casos) {
        QString texto, titulo;
        QMessageBox::Icon icono = QMessageBox::Warning;
        qsizetype botones = -1;
        QString ok;
        alAparecer<QMessageBox>([&](QMessageBox* box) {
            texto = box->text();
            titulo = box->windowTitle();
            icono = box->icon();
            botones = box->buttons().size();
            ok = box->button(QMessageBox::Ok)->text();
            box->button(QMessageBox::Ok)->click();
        });
        ui::QtDialogs().messageBox("Base de Datos Reparada. ¡¡¡ ñ", c.icono);
        EXPECT_EQ(texto, QString::fromUtf8("Base de Datos Reparada. ¡¡¡ ñ"));
        EXPECT_EQ(titulo, "NURO");
        EXPECT_EQ(icono, c.esperado);
        EXPECT_EQ(botones, 1);
        EXPECT_EQ(ok, "Aceptar");
    }
}

class QtDialogsAbrir : public ::testing::Test {
protected:
    void SetUp() override {
        testenv::writeFile(dir.file("datos.txt"), "x");
        testenv::writeFile(dir.file("otro.xml"), "<a/>");
    }
    ui::OpenFileAnswer abrir(const ui::OpenFileRequest& pedido,
                             std::function<void(QFileDialog*)> responder) {
        alAparecer<QFileDialog>(std::move(responder));
        return ui::QtDialogs().showOpen(pedido);
    }
    testenv::TempDir dir;
};

TEST_F(QtDialogsAbrir, OffersFilterAndFolderAndReturnsChosenPath) {
    QStringList filtros;
    QString carpeta;
    const auto r =
        abrir({"Archivos de Datos (*.dat,*.txt)|*.dat;*.txt", dir.path(), ""}, [&](QFileDialog* d) {
            filtros = d->nameFilters();
            carpeta = d->directory().absolutePath();
            d->selectFile(QString::fromStdString(dir.file("datos.txt")));
            static_cast<QDialog*>(d)->accept(); // public through the base
        });
    EXPECT_EQ(filtros, QStringList{"Archivos de Datos (*.dat,*.txt) (*.dat *.txt)"});
    EXPECT_EQ(carpeta.toStdString(), dir.path());
    EXPECT_FALSE(r.cancelled);
    EXPECT_EQ(r.fileName, dir.file("datos.txt"));
}

// Qt's own dialog, in Spanish, with every column wide enough for its text.
TEST_F(QtDialogsAbrir, SpanishDialogShowsNameSizeAndDateWhole) {
    ASSERT_TRUE(traducido());
    const std::string largo = "planos_de_la_declaracion_de_exportacion_diciembre.txt";
    testenv::writeFile(dir.file(largo), std::string(123456, 'x'));
    const QDateTime diciembre(QDate(2026, 12, 7), QTime(13, 5));
    QFile archivo(QString::fromStdString(dir.file(largo)));
    ASSERT_TRUE(archivo.open(QIODevice::ReadWrite));
    ASSERT_TRUE(archivo.setFileTime(diciembre, QFileDevice::FileModificationTime));
    archivo.close();
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(dir.file("subcarpeta"))));
    bool nativo = true;
    QString tipo, fecha, tipoCarpeta;
    QStringList botones;
    std::vector<std::pair<QString, int>> celdas; // text and room of each cell
    abrir({"", dir.path(), ""}, [&](QFileDialog* d) {
        nativo = !d->testOption(QFileDialog::DontUseNativeDialog);
        for (QAbstractButton* b : d->findChild<QDialogButtonBox*>()->buttons())
            botones << b->text();
        auto* vista = d->findChild<QTreeView*>("treeView");
        QElapsedTimer reloj;
        reloj.start();
        auto fila = [&](const std::string& archivo) {
            const QModelIndexList i = vista->model()->match(
                vista->rootIndex().isValid() ? vista->model()->index(0, 0, vista->rootIndex())
                                             : QModelIndex(),
                Qt::DisplayRole, QString::fromStdString(archivo), 1, Qt::MatchExactly);
            return i.isEmpty() ? QModelIndex() : i[0];
        };
        while ((!fila(largo).isValid() || !fila("subcarpeta").isValid()) && reloj.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
        const QModelIndex nombre = fila(largo);
        const QModelIndex carpeta = fila("subcarpeta");
        tipoCarpeta = carpeta.sibling(carpeta.row(), 2).data().toString();
        for (int columna : {0, 1, 3}) {
            const QModelIndex celda = nombre.sibling(nombre.row(), columna);
            celdas.emplace_back(celda.data().toString(), vista->header()->sectionSize(columna));
        }
        tipo = nombre.sibling(nombre.row(), 2).data().toString();
        fecha = nombre.sibling(nombre.row(), 3).data().toString();
        d->reject();
    });
    EXPECT_FALSE(nativo);
    EXPECT_TRUE(botones.contains("Cancelar")) << botones.join(", ").toStdString();
    // Type names, sizes and dates follow the Spanish locale, not the C one.
    EXPECT_EQ(tipo, "documento de texto sencillo");
    EXPECT_EQ(tipoCarpeta, "Carpeta");
    EXPECT_EQ(
        fecha,
        QLocale(QLocale::Spanish, QLocale::Argentina).toString(diciembre, QLocale::ShortFormat));
    ASSERT_EQ(celdas.size(), 3u);
    // 123,456 bytes are 120.5625 KiB: the decimal separator is the locale's.
    const QString tamano = celdas[1].first;
    EXPECT_EQ(
        tamano.toStdString(),
        QLocale(QLocale::Spanish, QLocale::Argentina).formattedDataSize(123456).toStdString());
    EXPECT_TRUE(tamano.startsWith("120,56")) << tamano.toStdString();
    const QFontMetrics medida(QApplication::font());
    for (const auto& [texto, ancho] : celdas) {
        EXPECT_FALSE(texto.isEmpty());
        // The icon takes some room in the name's cell.
        EXPECT_GT(ancho, medida.horizontalAdvance(texto)) << texto.toStdString();
    }
}

TEST_F(QtDialogsAbrir, CancelLeavesNoName) {
    const auto r =
        abrir({"Archivos XML (*.xml)|*.xml", dir.path(), ""}, [](QFileDialog* d) { d->reject(); });
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(r.fileName.empty());
}

// The caller reports a missing file itself, so the dialog must hand it back.
TEST_F(QtDialogsAbrir, TypedNameOfMissingFileIsReturned) {
    const auto r = abrir({"Archivos XML (*.xml)|*.xml", dir.path(), ""}, [&](QFileDialog* d) {
        d->selectFile(QString::fromStdString(dir.file("falta.xml")));
        static_cast<QDialog*>(d)->accept(); // public through the base
    });
    EXPECT_FALSE(r.cancelled);
    EXPECT_EQ(r.fileName, dir.file("falta.xml"));
}

TEST_F(QtDialogsAbrir, StartsOnGivenFileName) {
    QStringList elegidos;
    abrir({"", dir.path(), dir.file("otro.xml")}, [&](QFileDialog* d) {
        elegidos = d->selectedFiles();
        d->reject();
    });
    EXPECT_EQ(elegidos, QStringList{QString::fromStdString(dir.file("otro.xml"))});
}

// A repaint draws the windows and runs no event: no timer, no queued call.
TEST(QtDialogsRepaint, DrawsWithoutRunningEvents) {
    struct Contador : QWidget {
        int pintadas = 0;
        void paintEvent(QPaintEvent*) override { ++pintadas; }
    } ventana;
    ventana.show();
    QCoreApplication::processEvents();
    const int antes = ventana.pintadas;
    bool corrio = false;
    QTimer::singleShot(0, [&] { corrio = true; });
    QMetaObject::invokeMethod(
        &ventana, [&] { corrio = true; }, Qt::QueuedConnection);
    std::this_thread::sleep_for(std::chrono::milliseconds(45));
    ui::QtDialogs().repaint();
    EXPECT_GT(ventana.pintadas, antes);
    EXPECT_FALSE(corrio);
    // At most 25 times a second.
    const int despues = ventana.pintadas;
    ui::QtDialogs().repaint();
    EXPECT_EQ(ventana.pintadas, despues);
    QCoreApplication::processEvents();
    EXPECT_TRUE(corrio);
}

std::vector<std::string> avisosQt;
void anotarAviso(QtMsgType, const QMessageLogContext&, const QString& texto) {
    avisosQt.push_back(texto.toStdString());
}

// Where no desktop session set XDG_RUNTIME_DIR, the start is quiet and uses the
// folder Qt would have fallen back to; a value already set is kept, and a
// folder Qt cannot use is still reported.
TEST(QtCarpetaEjecucion, QuietWithoutSessionFaultsStillReported) {
    testenv::TempDir dir;
    testenv::ScopedEnv temporal("TMPDIR", dir.path().c_str());
    const std::string propia = dir.file(std::string("runtime-") + ::getpwuid(::geteuid())->pw_name);
    const std::string abierta = dir.file("abierta");
    QDir().mkpath(QString::fromStdString(abierta));
    std::filesystem::permissions(abierta, std::filesystem::perms(0755));
    const struct {
        const char* valor; // nullptr: unset
        std::string carpeta;
        bool avisa;
    } casos[] = {
        {nullptr, propia, false},
        {"", propia, false},
        {abierta.c_str(), abierta, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.valor ? c.valor : "(unset)");
        testenv::ScopedEnv sesion("XDG_RUNTIME_DIR", c.valor);
        ui::prepararCarpetaDeEjecucion();
        EXPECT_EQ(qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString(), c.carpeta);
        avisosQt.clear();
        const QtMessageHandler anterior = qInstallMessageHandler(anotarAviso);
        const QString lugar = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        qInstallMessageHandler(anterior);
        EXPECT_EQ(avisosQt.size(), c.avisa ? 1u : 0u) << (avisosQt.empty() ? "" : avisosQt[0]);
        if (!c.avisa) {
            EXPECT_EQ(lugar.toStdString(), c.carpeta);
            EXPECT_EQ(std::filesystem::status(c.carpeta).permissions(),
                      std::filesystem::perms::owner_all);
        }
    }
}

TEST(QtDialogsYield, RunsPendingEvents) {
    bool corrio = false;
    QObject contexto;
    QMetaObject::invokeMethod(
        &contexto, [&] { corrio = true; }, Qt::QueuedConnection);
    ui::QtDialogs().yield();
    EXPECT_TRUE(corrio);
}

} // namespace
