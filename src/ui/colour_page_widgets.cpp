#include "ui/colour_page_widgets.h"

#include "ui/setup_widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace shiftex {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

} // namespace

ThresholdPageWidget::ThresholdPageWidget(ThresholdPage& page, MessageSink& messages,
                                         QWidget* parent)
    : SetupPageWidget(page, messages, parent), page_(page), list_(new QComboBox(this))
{
    const ThresholdPageTexts& texts = TextsOf(page.kind());
    list_->setToolTip(QString::fromUtf8(texts.listHint));
    connect(list_, &QComboBox::activated, this,
            [this](int index) { binder_->run([this, index] { return page_.Pick(index); }); });

    auto* group = new QGroupBox(QString::fromUtf8(texts.groupHeader), this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(caption(texts.listCaption, group));
    listRow->addWidget(list_, 1);
    groupLayout->addLayout(listRow);

    auto* values = new QGroupBox(QStringLiteral("Select color and  #occurences"), group);
    auto* grid = new QGridLayout(values);
    const struct {
        const char* colour;
        const char* count;
        const char* colourHint;
        const char* end;
        int max;
    } rows[] = {{"colour-below", "count-below", "Choose color to use when below a value ",
                 texts.belowEnd, texts.belowMax},
                {"colour-above", "count-above", "Choose color to use when above a value ",
                 texts.aboveEnd, texts.aboveMax}};
    int row = 0;
    for (const auto& r : rows) {
        auto* colour = new ColourButton(values);
        colour->setToolTip(QString::fromUtf8(r.colourHint));
        binder_->bindColourButton(colour, r.colour);
        auto* count = new QSpinBox(values);
        count->setRange(1, r.max);
        count->setToolTip(QString::fromUtf8(texts.countHint));
        binder_->bindSpinBox(count, r.count);
        grid->addWidget(caption("Use color  ", values), row, 0);
        grid->addWidget(colour, row, 1);
        grid->addWidget(caption("to indicate that the number of ", values), row, 2);
        grid->addWidget(caption(r.end, values), row + 1, 2);
        grid->addWidget(count, row + 1, 3);
        row += 2;
    }
    groupLayout->addWidget(values);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(saveDefaultHelpRow());
    connect(binder_, &PageBinder::refreshed, this, &ThresholdPageWidget::showList);
    binder_->refresh();
}

void ThresholdPageWidget::showList()
{
    const QSignalBlocker block(list_);
    list_->clear();
    for (const auto& entry : page_.ListEntries()) {
        QString text = Text(entry[0]);
        if (page_.kind() != ThresholdKind::CustomQuery)
            text += QStringLiteral("   ") + Text(entry[2]);
        list_->addItem(text);
    }
    list_->setCurrentIndex(page_.selected());
}

SheetColoursPageWidget::SheetColoursPageWidget(SheetColoursPage& page, MessageSink& messages,
                                               SettingsStore* settings, QWidget* parent)
    : SetupPageWidget(page, messages, parent), page_(page), fonts_(new QComboBox(this))
{
    if (settings != nullptr) {
        page_.onFontChosen = [settings](const std::string& font) {
            // Remembering the font is a convenience; a store that cannot be written costs nothing.
            WriteUserSetting(*settings, kGridFontKey, kGridFontValue, font);
        };
    }
    auto* group = new QGroupBox(QStringLiteral("Schedule Grid: Adjust Colors"), this);
    auto* form = new QFormLayout(group);
    const struct {
        const char* field;
        const char* caption;
        const char* hint;
    } colours[] = {
        {"weekend", "Color of Weekends :", "Set background color for weekends"},
        {"holiday", "Color of Holidays : ", "Set background color of holidays"},
        {"codes", "Color of WorkingTypes: ",
         "Set font color of workingtypes (editable part of the grid)"},
    };
    for (const auto& c : colours) {
        auto* button = new ColourButton(group);
        button->setToolTip(QString::fromUtf8(c.hint));
        binder_->bindColourButton(button, c.field);
        form->addRow(caption(c.caption, group), button);
    }
    fonts_->setToolTip(QStringLiteral("Set grid font (only editable part)"));
    FillFontList(fonts_);
    binder_->bindChoice(fonts_, "font");
    form->addRow(caption("Grid Font :", group), fonts_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(saveDefaultHelpRow());
    connect(binder_, &PageBinder::refreshed, this, [this] {
        const QSignalBlocker block(fonts_);
        SelectFont(fonts_, Text(page_.Text("font")));
    });
    binder_->refresh();
}

} // namespace shiftex
