// The windows under test need one QApplication for the whole test program.
#include <QApplication>

#include <gtest/gtest.h>

namespace {

class EntornoQt : public ::testing::Environment {
public:
    void SetUp() override { app_ = new QApplication(argc_, argv_); }
    void TearDown() override { delete app_; }

private:
    int argc_ = 1;
    char nombre_[40] = "nuro_tests_processing_windows";
    char* argv_[2] = {nombre_, nullptr};
    QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const entorno =
    ::testing::AddGlobalTestEnvironment(new EntornoQt);

} // namespace
