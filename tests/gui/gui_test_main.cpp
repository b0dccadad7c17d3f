// GUI tests run offscreen with a private runtime folder and home, under one QApplication, and
// never with a desktop's pointer-settings backend.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("P330_POINTER_DESKTOP", "none");  // no test changes this desktop's pointer settings
    // The runtime folder doubles as the home: Qt's file dialogs keep their history in the
    // home's settings, and a test run must not write the user's.
    std::string runtime = "/tmp/p330-gui-test-XXXXXX";
    const bool made = ::mkdtemp(runtime.data()) != nullptr;
    if (made) {
        qputenv("XDG_RUNTIME_DIR", runtime.c_str());
        qputenv("HOME", runtime.c_str());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            qunsetenv(name);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    // Each test runs as its own process: a folder left behind per run would pile up in /tmp.
    std::error_code ignored;
    if (made) std::filesystem::remove_all(runtime, ignored);
    return result;
}
