#pragma once
// Helpers of the GUI tests: a data folder with the shipped files and the default skin, a
// message sink that counts instead of showing boxes, and waits that gtest sees fail.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>
#include <filesystem>

#include "fixtures/temp_dir.h"
#include "gui/skin/skin_image.h"

// Processes events until `cond` holds, at most `ms` milliseconds, then fails the test (fatally,
// ending the body) naming the condition. QTRY_* only return from the body when they time out:
// QTest keeps the failure to itself and gtest reports the test as passed.
#define WAIT_UNTIL_MS(cond, ms)                                                         \
    ASSERT_TRUE(QTest::qWaitFor([&]() -> bool { return static_cast<bool>(cond); }, ms)) \
        << "still false after " << (ms) << " ms: " #cond
#define WAIT_UNTIL(cond) WAIT_UNTIL_MS(cond, 5000)
// The same until `actual` == `expected`; the failure shows both values.
#define WAIT_EQ_MS(actual, expected, ms)                                             \
    do {                                                                             \
        (void)QTest::qWaitFor([&]() -> bool { return (actual) == (expected); }, ms); \
        ASSERT_EQ(actual, expected) << "after waiting " << (ms) << " ms";            \
    } while (false)
#define WAIT_EQ(actual, expected) WAIT_EQ_MS(actual, expected, 5000)

namespace p330::test {

class CountingMessages : public gui::SkinMessages {
  public:
    CountingMessages() { gui::set_skin_messages(this); }
    ~CountingMessages() override { gui::set_skin_messages(nullptr); }
    void image_failed(QWidget*) override { ++images; }
    void background_failed(QWidget*, const QString& caption) override { captions << caption; }
    int images = 0;
    QStringList captions;
};

inline void replace_in_file(const std::filesystem::path& path, const QString& from,
                            const QString& to) {
    QFile file(QString::fromStdString(path.string()));
    file.open(QIODevice::ReadOnly);
    QString text = QString::fromUtf8(file.readAll());
    file.close();
    text.replace(from, to);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text.toUtf8());
}

// The build's shipped data in one folder (profiles, INIs, record.ini, the skin). Its Skins is a
// link to the build's: a copy of the skin's hundreds of files cost each test more than the test
// itself. A test that changes the skin makes it its own first (own_skins).
class ShippedDataFolder {
  public:
    ShippedDataFolder() {
        std::filesystem::copy(shipped() / "defaults", dir.path());
        std::filesystem::create_directory_symlink(shipped() / "Skins", dir.path() / "Skins");
    }
    void own_skins() {
        std::filesystem::remove(dir.path() / "Skins");
        std::filesystem::copy(shipped() / "Skins", dir.path() / "Skins",
                              std::filesystem::copy_options::recursive);
    }
    static std::filesystem::path shipped() { return P330_SHIPPED_DIR; }
    QString path() const { return QString::fromStdString(dir.path().string()); }
    void set_language(const char* code) const {
        replace_in_file(dir.path() / "str0.ini", "Lan=EN", QString("Lan=") + code);
    }
    TempDir dir;
};

}  // namespace p330::test
