#include "platform/ui/QtDialogs.h"
#include "tests/support/TestEnv.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

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

TEST(QtDialogsMensajes, ShowsTextIconAndOnlyOkWithoutTitle) {
    const CasoIcono casos[] = {
        {ui::Icon::None, QMessageBox::NoIcon},
        {ui::Icon::Information, QMessageBox::Information},
        {ui::Icon::Critical, QMessageBox::Critical},
    };
    for (const auto& c : casos) {
        QString texto, titulo;
        QMessageBox::Icon icono = QMessageBox::Warning;
        qsizetype botones = -1;
        alAparecer<QMessageBox>([&](QMessageBox* box) {
            texto = box->text();
            titulo = box->windowTitle();
            icono = box->icon();
            botones = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
        ui::QtDialogs().messageBox("Base de Datos Reparada. ¡¡¡ ñ", c.icono);
        EXPECT_EQ(texto, QString::fromUtf8("Base de Datos Reparada. ¡¡¡ ñ"));
        EXPECT_TRUE(titulo.isEmpty());
        EXPECT_EQ(icono, c.esperado);
        EXPECT_EQ(botones, 1);
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

TEST(QtDialogsYield, RunsPendingEvents) {
    bool corrio = false;
    QObject contexto;
    QMetaObject::invokeMethod(
        &contexto, [&] { corrio = true; }, Qt::QueuedConnection);
    ui::QtDialogs().yield();
    EXPECT_TRUE(corrio);
}

} // namespace
