// Every text the windows draw, drawn in its rectangle with the window's font, in the three
// languages at 1x and 2x: its ink must stay inside the rectangle (nothing cut, nothing elided)
// and off the other elements of its window. Texts come from the core's tables, rectangles
// from the layout tables.

#include <gtest/gtest.h>

#include <QPainter>

#include "core/buttons/function_catalogue.h"
#include "core/buttons/key_tables.h"
#include "core/flows/profile_manager_model.h"
#include "core/lang/dialog_texts.h"
#include "core/model/settings_record.h"
#include "gui/layout/dialog_layout.h"
#include "gui/layout/main_layout.h"
#include "gui/layout/manager_layout.h"
#include "gui/layout/panel_layout.h"
#include "gui/skin/texts.h"
#include "gui/skin/ui_font.h"

namespace p330::gui {
namespace {

using namespace layout;
namespace mm = macro_manager;

constexpr int kLabel = -1;   // drawn by the canvas's label(): shrunk to fit, one line
constexpr int kKeyBox = -2;  // a capture box's name: shrunk to its width and height, centred

struct Text {
    QString text;
    Rect rect;
    QFont font;
    int flags;  // Qt alignment and wrap flags, or kLabel
    int indent = kCentred;
};

// The ink's bounding box, in window pixels times scale.
QRect ink(const Text& t, int scale) {
    constexpr int kMargin = 80;
    QImage image((t.rect.width() + 2 * kMargin) * scale, (t.rect.height() + 2 * kMargin) * scale,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QRect box(kMargin, kMargin, t.rect.width(), t.rect.height());
    QFont font = t.font;
    int flags = t.flags;
    if (flags == kLabel || flags == kKeyBox) {
        if (t.indent != kCentred) box.adjust(t.indent, 0, 0, 0);
        font = font_to_fit(t.font, t.text, box.width(), flags == kKeyBox ? box.height() : 0);
        flags = static_cast<int>((t.indent == kCentred ? Qt::AlignHCenter : Qt::AlignLeft) |
                                 Qt::AlignVCenter | Qt::TextSingleLine);
    }
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(box, flags | Qt::TextDontClip, t.text);  // what the window would cut shows
    p.end();
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 40) found |= QRect(x, y, 1, 1);
    return found.translated((t.rect.left - kMargin) * scale, (t.rect.top - kMargin) * scale);
}

QRect scaled(const Rect& r, int scale) {
    return {r.left * scale, r.top * scale, r.width() * scale, r.height() * scale};
}

// Each text inside its rectangle, clear of every obstacle and of the group's other texts,
// at both scales.
void expect_fit(const char* window, const std::vector<Text>& texts,
                const std::vector<Rect>& obstacles = {}) {
    for (int scale : {1, 2}) {
        std::vector<QRect> drawn;
        for (const Text& t : texts) {
            const QRect box = ink(t, scale);
            const std::string what =
                std::string(window) + " at " + std::to_string(scale) + "x: " + qPrintable(t.text);
            EXPECT_TRUE(scaled(t.rect, scale).contains(box)) << what << " is cut";
            for (const Rect& o : obstacles)
                EXPECT_FALSE(scaled(o, scale).intersects(box)) << what << " covers an element";
            for (const QRect& other : drawn)
                EXPECT_FALSE(other.intersects(box)) << what << " runs into another text";
            drawn.push_back(box);
        }
    }
}

class TextFitTest : public ::testing::TestWithParam<Language> {};

TEST_P(TextFitTest, MainWindowTextsFitTheirPlaces) {
    const Language language = GetParam();
    const UiTexts& texts = ui_texts(language);
    const WindowFonts fonts = main_window_fonts(language);
    auto label = [&](std::string_view text, const Rect& r, int indent = kCentred) {
        return Text{qtext(text), r, fonts.normal, kLabel, indent};
    };
    std::vector<Text> fixed;
    for (const Element* e :
         {&kResetButton, &kCancelButton, &kSaveButton, &kConfigButton, &kFrontTab, &kSideTab,
          &kButtonAssignmentHeader, &kMacroManagerItem, &kSensitivityHeader})
        fixed.push_back(label(texts.*(e->label), e->rect, e->indent));
    expect_fit("main window", fixed);
    for (const RightPanelInfo& panel : kRightPanels)
        expect_fit("panel header", {label(texts.*(panel.title), right_header(0), kHeaderIndent)});
    std::vector<Text> rows;
    std::vector<Rect> boxes;
    for (int i = 0; i < kButtonCount; ++i) {
        rows.push_back(label(texts.button_names[i], button_row_label(i)));
        boxes.push_back(dropdown_box(i));
    }
    expect_fit("button rows", rows, boxes);
    // A list's rows, the sub-lists' too, hold a whole line of the font.
    for (int scale : {1, 2}) {
        QFont font = fonts.normal;
        font.setPixelSize(font.pixelSize() * scale);
        EXPECT_GE(kListEntryHeight * scale, QFontMetrics(font).height())
            << "list rows at " << scale << "x";
    }
    // Every function a box can show, sub-list entries included.
    for (const CatalogueEntry& entry : kFunctionCatalogue) {
        std::vector<std::string_view> names = {texts.*(entry.name)};
        if (entry.effect == ChoiceEffect::kSubList)
            for (const SubListItem& item : sub_list_items(entry.sub_list)) {
                names.push_back(item.in(language));  // and in its row of the sub-list:
                expect_fit("sub-list",
                           {{qtext(names.back()),
                             {0, 0, sub_list_place(entry.sub_list).width - kListEntryPadding,
                              kListEntryHeight},
                             fonts.normal,
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine}});
            }
        for (std::string_view name : names)
            expect_fit("button box", {label(name, dropdown_label(0))}, {dropdown_arrow(0)});
    }
    expect_fit("DPI panel", {label(texts.dpi_dial_down, dpi::kDialDownLegend, 0),
                             label(texts.dpi_dial_up, dpi::kDialUpLegend, 0)});

    // The right column's panel border, one pixel wide at each side.
    const std::vector<Rect> border = {{kRightLeft, -100, kRightLeft + 1, 1000},
                                      {kRightRight - 1, -100, kRightRight, 1000}};
    std::vector<Text> light;
    std::vector<Rect> light_controls = border;
    const std::array names = {texts.light_standard, texts.light_respiration, texts.light_neon};
    for (int i = 0; i < lighting::kModes; ++i) {
        const lighting::Row row = lighting::row(0, i);
        light.push_back(label(names[i], row.label, 0));
        light_controls.insert(light_controls.end(), {row.marker, row.bar});
        // The scale's last mark ends under the bar's end: nothing of it runs past the bar.
        const Rect first = lighting::scale_mark(row.bar, 0);
        light_controls.push_back({row.bar.right, first.top, kRightRight, first.bottom});
        for (int j = 0; j < lighting::kScaleMarks; ++j)
            light.push_back({qtext(lighting::kScales[i][j]), lighting::scale_mark(row.bar, j),
                             fonts.small, kLabel});
    }
    expect_fit("lighting panel", light, light_controls);
    const speed::Gauge gauge = speed::gauge(0, kRightRight - kRightLeft);
    expect_fit("speed panel", {label(texts.slow, gauge.slow), label(texts.fast, gauge.fast)},
               {focus_mark(gauge.gauge)});
    const scroll::Controls sc = scroll::controls(0);
    expect_fit("scroll panel",
               {label(texts.number_of_rows, sc.lines_label, 0),
                label(texts.scroll_one_screen, sc.page_label, 0)},
               {sc.lines_marker, sc.page_marker, sc.box, sc.up, sc.down});
    const sensitivity::Axis x = sensitivity::axis(0, 0);
    const sensitivity::Axis y = sensitivity::axis(0, 1);
    expect_fit("sensitivity panel",
               {label(texts.x_axis, x.label, 0), label(texts.y_axis, y.label, 0)}, {x.bar, y.bar});
    // The 1..10 scales under the angle-snap and the sensitivity bars.
    std::vector<Text> snap_scale;
    std::vector<Text> axis_scale;
    const Rect snap_bar = angle_snap::controls(0).bar;
    for (int k = 1; k <= slider::kScaleCount; ++k) {
        const QString n = QString::number(k);
        snap_scale.push_back({n, angle_snap::scale_label(snap_bar, k), fonts.normal, kLabel, 0});
        axis_scale.push_back({n, sensitivity::scale_label(x, k), fonts.normal, kLabel, 0});
    }
    expect_fit("angle snap scale", snap_scale, border);
    expect_fit("sensitivity scale", axis_scale);
}

TEST_P(TextFitTest, DialogTextsFitTheirPlaces) {
    const Language language = GetParam();
    const MacroKeyDialogTexts& mk = macro_key_dialog_texts(language);
    const QFont mk_font = dialog_font(language, QStringLiteral("Arial"), 14);
    const QFont& arial = mk_font;  // also the combo-key dialog's, the profile manager's, help's
    std::vector<Text> macro_key = {
        {qtext(mk.heading), macro_key::kHeading, mk_font, Qt::AlignCenter | Qt::TextSingleLine},
        {qtext(mk.ok), dialog::kOk, mk_font, kLabel},
        {qtext(mk.cancel), dialog::kCancel, mk_font, kLabel}};
    for (int k = 0; k < 3; ++k)
        macro_key.push_back({qtext(mk.repeat_modes[k]), macro_key::kModeTexts[k], mk_font,
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap});
    std::vector<Rect> obstacles(macro_key::kTicks.begin(), macro_key::kTicks.end());
    obstacles.push_back(macro_key::kDropArea);
    expect_fit("macro-key dialog", macro_key, obstacles);

    const SingleKeyDialogTexts& sk = single_key_dialog_texts(language);
    const QFont sk_font = dialog_font(language, QStringLiteral("Segoe UI"), 15);
    expect_fit("single-key dialog",
               {{qtext(sk.prompt), single_key::kPrompt, sk_font, kLabel},
                {qtext(sk.ok), dialog::kOk, sk_font, kLabel},
                {qtext(sk.cancel), dialog::kCancel, sk_font, kLabel}},
               {single_key::kKeyName});

    const MacroManagerTexts& mm_texts = macro_manager_texts(language);
    const QFont mm_font = dialog_font(language, QStringLiteral("Segoe UI"), 15, 700);
    expect_fit("macro manager",
               {{qtext(mm_texts.macro_list_heading), mm::kMacroHeading, mm_font, kLabel},
                {qtext(mm_texts.item_list_heading), mm::kItemHeading, mm_font, kLabel},
                {qtext(mm_texts.options_heading), mm::kOptionsHeading, mm_font, kLabel},
                {qtext(mm_texts.loop_option), mm::kLoopText, mm_font, kLabel, 0},
                {qtext(mm_texts.start_recording), mm::kRecordText, mm_font, kLabel},
                {qtext(mm_texts.new_button), mm::kNew, mm_font, kLabel},
                {qtext(mm_texts.delete_button), mm::kDelete, mm_font, kLabel},
                {qtext(mm_texts.ok), mm::kOk, mm_font, kLabel},
                {qtext(mm_texts.cancel), mm::kCancel, mm_font, kLabel}},
               {mm::kLoopTick, mm::kDelaysTick});
    const ComboKeyDialogTexts& ck = combo_key_dialog_texts(language);
    expect_fit("combo-key dialog", {{qtext(ck.ok), dialog::kOk, arial, kLabel},
                                    {qtext(ck.cancel), dialog::kCancel, arial, kLabel}});
    // One name at a time in each box: the key names a capture box can show, the modifiers.
    for (const ModifierEntry& m : kModifierTable)
        expect_fit("modifier box", {{qtext(m.name), combo_key::kModifier, arial, kKeyBox}});
    for (const KeyNameEntry& key : kKeyNameTable) {
        expect_fit("single-key box", {{qtext(key.name), single_key::kKeyName, sk_font, kKeyBox}});
        expect_fit("combo-key box",
                   {{qtext(key.name), combo_key::key_text(combo_key::kFirstKey), arial, kKeyBox}});
    }
    const ProfileManagerTexts& pm_texts = profile_manager_texts(language);
    const int line = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    const int centred = Qt::AlignCenter | Qt::TextSingleLine;
    expect_fit("profile manager",  // and in the list, a name New gives ("PROFILE_0")
               {{qtext(pm_texts.title), profile_manager::kTitle, arial, kLabel, 0},
                {qtext(pm_texts.new_button), profile_manager::kNewText, arial, line},
                {qtext(next_profile_name({})), profile_manager::kList, arial, line}},
               {profile_manager::kClose});
    expect_fit("help panel",
               {{qtext(ui_texts(language).product_title), help::kWebLine, arial, centred},
                {qtext(kHelpUpdateLabel), help::kUpdateLine, arial, centred},
                {qtext(kHelpVersionLabel), help::kVersionLine, arial, centred}});
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, TextFitTest,
                         ::testing::Values(Language::kEnglish, Language::kSimplifiedChinese,
                                           Language::kTraditionalChinese));

}  // namespace
}  // namespace p330::gui
