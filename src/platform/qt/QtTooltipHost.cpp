#include "platform/qt/QtTooltipHost.h"

#include <QFontMetrics>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

#include "platform/Canvas.h"
#include "platform/TextCodec.h"

QString wrapTipText(const QString& text, const QFont& font, int maxWidth) {
    if (maxWidth <= 0) return text;
    const QFontMetrics metrics(font);
    QString wrapped;
    QString line;
    for (const QChar ch : text) {
        if (ch == '\n') {
            wrapped += line + '\n';
            line.clear();
            continue;
        }
        if (!line.isEmpty() && metrics.horizontalAdvance(line + ch) > maxWidth) {
            wrapped += line + '\n';
            line.clear();
        }
        line += ch;
    }
    return wrapped + line;
}

bool QtTooltipHost::createWindow(int maxTipWidth, bool) {
    created_ = true;
    maxTipWidth_ = maxTipWidth;
    return true;
}

void QtTooltipHost::destroyWindow() {
    created_ = false;
    QToolTip::hideText();
}

bool QtTooltipHost::addTool(Canvas& tool, const std::string& text, bool) {
    auto* widget = dynamic_cast<QWidget*>(&tool);
    if (!created_ || !widget) return false;
    QString tip =
        wrapTipText(QString::fromStdString(gbkToUtf8(text)), QToolTip::font(), maxTipWidth_);
    // A tip label renders a text that looks like markup as rich text (and would load the images it
    // names); cell texts are shown as they are.
    if (Qt::mightBeRichText(tip))
        tip = QStringLiteral("<p style=\"white-space:pre\">") + tip.toHtmlEscaped() +
              QStringLiteral("</p>");
    widget->setToolTip(tip);
    return true;
}

void QtTooltipHost::removeTool(Canvas& tool) {
    auto* widget = dynamic_cast<QWidget*>(&tool);
    if (!widget) return;
    // Replacing the tool hides the tip that is showing; the new text shows at the next rest.
    if (QToolTip::isVisible()) QToolTip::hideText();
    widget->setToolTip(QString());
}
