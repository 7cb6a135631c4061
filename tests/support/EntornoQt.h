#pragma once
// The windows under test need one QApplication for the whole test program:
// one file of each such program includes this header.
#include "platform/ui/QtCarpetaEjecucion.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace testenv {

class EntornoQt : public ::testing::Environment {
public:
    void SetUp() override {
        ui::prepararCarpetaDeEjecucion();
        app_ = new QApplication(argc_, argv_);
    }
    void TearDown() override { delete app_; }

private:
    int argc_ = 1;
    char nombre_[16] = "nuro_tests";
    char* argv_[2] = {nombre_, nullptr};
    QApplication* app_ = nullptr;
};

inline ::testing::Environment* const entornoQt = ::testing::AddGlobalTestEnvironment(new EntornoQt);

// A working window keeps the size its controls need: no resizing, no
// maximise button.
inline ::testing::AssertionResult tamanoFijo(const QWidget& ventana) {
    if (ventana.windowFlags().testFlag(Qt::WindowMaximizeButtonHint))
        return ::testing::AssertionFailure() << "maximise button";
    if (ventana.minimumSize() != ventana.maximumSize())
        return ::testing::AssertionFailure() << "resizable";
    const QSize necesario = ventana.sizeHint();
    if (ventana.width() < necesario.width() || ventana.height() < necesario.height())
        return ::testing::AssertionFailure() << "controls do not fit";
    return ::testing::AssertionSuccess();
}

} // namespace testenv
