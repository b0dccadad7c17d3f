// The open window and p330ctl on the same profile: nobody's change is lost without a word.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileSystemWatcher>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include "core/formats/profile_image.h"
#include "dialog_driving.h"
#include "fixtures/run_program.h"
#include "gui/panels/dpi_panel.h"
#include "window_fixture.h"

namespace p330::gui {
namespace {

using namespace layout;

using FolderWatchTest = test::WindowTest;

TEST_F(FolderWatchTest, AChangeMadeElsewhereIsShownOrSaveAsksBeforeOverwritingIt) {
    const std::string data = data_.path().toStdString();
    auto set_elsewhere = [&](const std::string& setting) {
        ASSERT_EQ(test::run_program(P330CTL_PATH, {"--data-dir=" + data, "set", setting}).exit_code,
                  0);
    };
    auto dpi2_on_disk = [&] {
        return read_profile_image(data + "/config0.bin")->record.dpi_stage[1] * 50;
    };
    // Returns once the window has looked at the folder's last change: a watcher of its own
    // that waits longer than the window's after the same notice.
    QFileSystemWatcher watcher({data_.path()});
    QTimer later;
    later.setSingleShot(true);
    later.setInterval(1000);
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &later,
                     qOverload<>(&QTimer::start));
    QSignalSpy noticed(&watcher, &QFileSystemWatcher::directoryChanged);
    QSignalSpy looked(&later, &QTimer::timeout);
    auto settled = [&] {
        WAIT_UNTIL_MS(!noticed.empty() && !looked.empty() && !later.isActive(), 10000);
    };
    click(right_header(32));  // "DPI Setting"
    DpiPanel& dpi = window().dpi_panel();

    // Nothing unsaved: the window takes the other change, and its Save keeps it.
    set_elsewhere("dpi.2=2000");
    WAIT_EQ_MS(dpi.box(1)->text(), QStringLiteral("2000"), 10000);
    click(kSaveButton.rect);
    WAIT_UNTIL_MS(!window().save_locked(), 10000);
    EXPECT_EQ(dpi2_on_disk(), 2000);

    // An unsaved edit: the window keeps it, and what it shows, over the other change; Save
    // asks first, and answered no, the other change stays on disk.
    type_into(dpi.box(0), "1200");
    noticed.clear();
    looked.clear();
    set_elsewhere("dpi.2=3000");
    settled();
    EXPECT_EQ(dpi.box(0)->text(), QStringLiteral("1200"));
    EXPECT_EQ(dpi.box(1)->text(), QStringLiteral("2000"));
    QString asked;
    test::when_shown<QMessageBox>([&](QMessageBox* box) {
        asked = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    click(kSaveButton.rect);
    WAIT_UNTIL_MS(asked.contains(QStringLiteral("overwrite that change")), 10000);
    EXPECT_EQ(dpi2_on_disk(), 3000);
    EXPECT_EQ(dpi.box(0)->text(), QStringLiteral("1200"));  // the edit stays, unsaved
}

}  // namespace
}  // namespace p330::gui
