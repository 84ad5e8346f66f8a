#pragma once

#include "model/sheet_layout.h"

#include <QFont>
#include <QFontMetrics>

namespace shiftex {

// Cell text sizes measured with the font the sheet is drawn in.
class QtTextMetrics final : public TextMetrics {
public:
    explicit QtTextMetrics(const QFont& font);

    int TextWidth(const std::string& line, bool bold) const override;
    int LineHeight() const override;

private:
    QFontMetrics regular_;
    QFontMetrics bold_;
};

} // namespace shiftex
