// The yardstick for p330's start-up: a Qt hello world that shows one PNG in a frameless window
// and says when it was first painted, as p330 does with P330_STARTUP_PROBE.
// usage: splash_hello IMAGE.png
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace {

class Splash : public QWidget {
  public:
    explicit Splash(QImage image)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool), image_(std::move(image)) {
        resize(image_.size());
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).drawImage(0, 0, image_);
        if (painted_) return;
        painted_ = true;
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::fprintf(stderr, "splash painted at %lld.%06ld\n", static_cast<long long>(now.tv_sec),
                     now.tv_nsec / 1000);
    }

  private:
    QImage image_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    Splash splash{QImage(QString::fromLocal8Bit(argv[1]))};
    splash.show();
    return QApplication::exec();
}
