#include "platform/qt_text_metrics.h"

#include <QString>

#include <algorithm>

namespace shiftex {

namespace {

QFont Bolded(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

QtTextMetrics::QtTextMetrics(const QFont& font) : regular_(font), bold_(Bolded(font)) {}

int QtTextMetrics::TextWidth(const std::string& line, bool bold) const
{
    const QString text = QString::fromStdString(line);
    return bold ? bold_.horizontalAdvance(text) : regular_.horizontalAdvance(text);
}

int QtTextMetrics::LineHeight() const
{
    return std::max(regular_.height(), bold_.height());
}

} // namespace shiftex
