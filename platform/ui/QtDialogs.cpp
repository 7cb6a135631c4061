#include "platform/ui/QtDialogs.h"

#include "platform/ui/QtModeloArchivos.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeView>
#include <QWidget>

#include <chrono>

namespace ui {

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// Name, size, type and date of a file are read whole: the name takes the room
// left over, the other columns follow their contents.
void ajustarColumnas(QFileDialog& dlg) {
    dlg.resize(880, 520);
    auto* vista = dlg.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!vista)
        return;
    QHeaderView* cabecera = vista->header();
    cabecera->setStretchLastSection(false);
    cabecera->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int columna = 1; columna < cabecera->count(); ++columna)
        cabecera->setSectionResizeMode(columna, QHeaderView::ResizeToContents);
}

} // namespace

void QtDialogs::messageBox(const std::string& text, Icon icon) {
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("NURO"));
    box.setIcon(qtIcon(icon));
    box.setText(qs(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

QStringList QtDialogs::nameFilters(const std::string& filter) {
    const QStringList parts = qs(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        out << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

OpenFileAnswer QtDialogs::showOpen(const OpenFileRequest& request) {
    QFileDialog dlg;
    dlg.setWindowTitle(QStringLiteral("Abrir"));
    // Qt's own dialog on every desktop, so its columns can be sized.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setViewMode(QFileDialog::Detail);
    dlg.setProxyModel(new QtModeloArchivos(&dlg));
    ajustarColumnas(dlg);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name that does not exist is returned too; the caller reports it.
    dlg.setFileMode(QFileDialog::AnyFile);
    // Descriptions already show their patterns, as "Archivos XML (*.xml)".
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty())
        dlg.setNameFilters(filters);
    if (!request.initDir.empty())
        dlg.setDirectory(qs(request.initDir));
    if (!request.fileName.empty())
        dlg.selectFile(qs(request.fileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return {false, dlg.selectedFiles().first().toStdString()};
}

// Long runs yield once per line; letting events run at most every 2 ms keeps
// a click answered at once without paying the event loop on every line.
void QtDialogs::yield() {
    using Reloj = std::chrono::steady_clock;
    static Reloj::time_point ultimo;
    const Reloj::time_point ahora = Reloj::now();
    if (ahora - ultimo < std::chrono::milliseconds(2))
        return;
    QCoreApplication::processEvents();
    ultimo = Reloj::now();
}

// Painting a window needs no event: each one is redrawn and put on screen at
// once, covering what a closed dialog left on it. Pending expose events are
// left alone, because handling any event from here could run a timer or a
// click in the middle of the step.
void QtDialogs::repaint() {
    using Reloj = std::chrono::steady_clock;
    static Reloj::time_point ultimo;
    if (Reloj::now() - ultimo < std::chrono::milliseconds(40))
        return;
    for (QWidget* ventana : QApplication::topLevelWidgets())
        if (ventana->isVisible())
            ventana->repaint();
    ultimo = Reloj::now();
}

} // namespace ui
