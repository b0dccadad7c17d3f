#pragma once
// Helpers of the GUI tests: a data folder with the shipped files and the default skin, and
// a message sink that counts instead of showing boxes.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <filesystem>

#include "fixtures/temp_dir.h"
#include "gui/skin/skin_image.h"

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

// The share of the rectangle at of a screenshot whose pixels show the image (labels cover
// the rest); 0 when the sizes differ.
inline double shown_share(const QImage& shot, const QRect& at, const QString& image_path) {
    const QImage image = QImage(image_path).convertToFormat(QImage::Format_RGB32);
    if (image.size() != at.size()) return 0;
    int same = 0;
    for (int y = 0; y < at.height(); ++y)
        for (int x = 0; x < at.width(); ++x)
            same += shot.pixel(at.left() + x, at.top() + y) == image.pixel(x, y) ? 1 : 0;
    return double(same) / (at.width() * at.height());
}

// The build's shipped data in one folder (profiles, INIs, record.ini, the skin).
class ShippedDataFolder {
  public:
    ShippedDataFolder() {
        namespace fs = std::filesystem;
        const fs::path shipped = P330_SHIPPED_DIR;
        fs::copy(shipped / "defaults", dir.path());
        fs::copy(shipped / "Skins", dir.path() / "Skins", fs::copy_options::recursive);
    }
    QString path() const { return QString::fromStdString(dir.path().string()); }
    void set_language(const char* code) const {
        replace_in_file(dir.path() / "str0.ini", "Lan=EN", QString("Lan=") + code);
    }
    TempDir dir;
};

}  // namespace p330::test
