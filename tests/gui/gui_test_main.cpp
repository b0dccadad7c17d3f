// GUI tests run offscreen with a private runtime folder, under one QApplication, and never
// with a desktop's pointer-settings backend.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <string>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("P330_POINTER_DESKTOP", "none");  // no test changes this desktop's pointer settings
    std::string runtime = "/tmp/p330-gui-test-XXXXXX";
    if (::mkdtemp(runtime.data()) != nullptr) qputenv("XDG_RUNTIME_DIR", runtime.c_str());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
