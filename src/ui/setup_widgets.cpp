#include "ui/setup_widgets.h"

#include "platform/qt_colour.h"
#include "ui/icons.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

namespace shiftex {

ColourButton::ColourButton(QWidget* parent) : QPushButton(parent)
{
    setMinimumWidth(72);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
}

void ColourButton::setColourText(const QString& text)
{
    colourText_ = text;
    Colour colour = clNone;
    QPixmap swatch(28, 14);
    if (TryStringToColor(text.toStdString(), colour)) {
        swatch.fill(ToQColor(colour, palette()));
        QPainter painter(&swatch);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    } else {
        swatch.fill(Qt::transparent);
    }
    setIcon(QIcon(swatch));
    setIconSize(swatch.size());
}

void ColourButton::choose()
{
    Colour colour = clWhite;
    TryStringToColor(colourText_.toStdString(), colour);
    const QColor chosen = QColorDialog::getColor(ToQColor(colour, palette()), this);
    if (chosen.isValid())
        emit colourChosen(QString::fromStdString(ColorToString(FromQColor(chosen))));
}

TwoDigitSpinBox::TwoDigitSpinBox(QWidget* parent) : QSpinBox(parent)
{
    lineEdit()->setReadOnly(true);
}

QString TwoDigitSpinBox::textFromValue(int value) const
{
    return QString::fromStdString(TwoDigits(value));
}

void RefreshingComboBox::showPopup()
{
    if (beforePopup)
        beforePopup();
    QComboBox::showPopup();
}

void FillIconList(QComboBox* list)
{
    list->clear();
    list->setIconSize(QSize(16, 16));
    for (int index = 0; index < kWorkingTypeIconCount; ++index)
        list->addItem(QIcon(WorkingTypeIcon(index)), QString::number(index));
}

void FillFontList(QComboBox* list)
{
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    for (const QString& family : families) {
        list->addItem(family);
        list->setItemData(list->count() - 1, QFont(family), Qt::FontRole);
    }
}

void SelectFont(QComboBox* list, const QString& family)
{
    int index = list->findText(family);
    if (index < 0) {
        list->insertItem(0, family);
        index = 0;
    }
    list->setCurrentIndex(index);
}

QString MnemonicText(const std::string& text)
{
    QString html;
    const QString plain = QString::fromStdString(text);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (plain[i] == QLatin1Char('&') && i + 1 < plain.size()) {
            html += QStringLiteral("<u>") + QString(plain[i + 1]).toHtmlEscaped() +
                    QStringLiteral("</u>");
            ++i;
        } else if (plain[i] == QLatin1Char('\n')) {
            html += QStringLiteral("<br>");
        } else if (plain[i] != QLatin1Char('\r')) {
            html += QString(plain[i]).toHtmlEscaped();
        }
    }
    return html;
}

QString DisplayText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace shiftex
