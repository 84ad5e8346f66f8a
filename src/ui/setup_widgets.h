#pragma once

#include "model/text_helpers.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QString>

#include <functional>
#include <string>

namespace shiftex {

// A button that shows a colour and opens the colour picker; the colour is colour text.
class ColourButton : public QPushButton {
    Q_OBJECT

public:
    explicit ColourButton(QWidget* parent = nullptr);

    QString colourText() const { return colourText_; }
    void setColourText(const QString& text);

signals:
    // The user picked a colour in the picker.
    void colourChosen(const QString& colourText);

private:
    void choose();
    QString colourText_;
};

// A spin field showing its value with two digits; typing is ignored, only the arrows change it.
class TwoDigitSpinBox : public QSpinBox {
    Q_OBJECT

public:
    explicit TwoDigitSpinBox(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
};

// A drop-down list that is told before its list opens, so that the list can be read again.
class RefreshingComboBox : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;

    void showPopup() override;
};

// The 49 working-type icons as a drop-down list, by index.
void FillIconList(QComboBox* list);
// The installed fonts, sorted, each shown in its own face.
void FillFontList(QComboBox* list);
// Selects the font in a font list; a font this machine lacks is added at the top.
void SelectFont(QComboBox* list, const QString& family);

// A text of the program with "&" marking a mnemonic, as rich text with the letter underlined.
QString MnemonicText(const std::string& text);
// "\n\r" line breaks of the program's texts as line feeds.
QString DisplayText(const std::string& text);

} // namespace shiftex
