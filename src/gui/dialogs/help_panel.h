#pragma once
// The help pop-over below the main window's help button: the home page, the update label and
// the version, each on a line. A click on the first line opens the home page when the build
// was given one; without one the line shows the program's name and opens nothing.

#include <QUrl>
#include <QWidget>

#include "core/lang/language.h"
#include "gui/access/focus_stop.h"
#include "gui/skin/skin_canvas.h"

namespace p330::gui {

class HelpPanel : public QWidget {
    Q_OBJECT
  public:
    // home_page may be empty.
    HelpPanel(QWidget* window, const QString& skin_dir, Language language,
              const QString& home_page);

    const QString& web_text() const { return web_text_; }
    const QImage& canvas() const { return canvas_.image(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    FocusStops text_stops() const;
    enum Part { kNone, kClose, kOk, kCancel };
    void paint_part(Part part, bool over);
    Part part_at(const QPointF& p) const;

    SkinCanvas canvas_;
    QString ok_, cancel_;
    QUrl home_page_;
    QString web_text_;
    Part hover_ = kNone;
};

}  // namespace p330::gui
