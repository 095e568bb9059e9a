// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QString>

#include <vector>

class QPainter;
class QWidget;

// The colour pair that themes the program's windows and the list, chosen from the built-in colour styles or freely.
struct ColorStyle
{
    QString name;  // Chinese, as the style list is written
    QString DisplayName() const;  // the name in the language installed
    QColor color1;  // the deeper colour: gradients' ends, list stripes
    QColor color2;  // the lighter colour: the windows' middle band, option and check boxes
};

// The built-in styles; the first is the default pair.
const std::vector<ColorStyle>& ColorStyles();

// Colours as the data file keeps them: 0x00BBGGRR.
QColor ColorFromBgr(quint32 bgr);
quint32 ColorToBgr(const QColor& color);
// The "colorstyle" setting: two decimal 0x00BBGGRR values joined by ","; empty for the default pair. Parsing
// returns false (and leaves the outputs) for a malformed text.
bool ParseColorStyleText(const QString& text, QColor* color1, QColor* color2);
QString ColorStyleText(const QColor& color1, const QColor& color2);

// The pair in force.
QColor StyleColor1();
QColor StyleColor2();
void SetStyleColors(const QColor& color1, const QColor& color2);

// A vertical gradient from colour1 to colour2 over the top band, colour2 in the middle and back to colour1 over the
// bottom band.
void PaintFormBackground(
    QPainter& painter, const QRect& rect, const QColor& color1, const QColor& color2, int topHeight, int bottomHeight);
// Gives the window's option buttons, check boxes and frames the background colour2.
void ApplyControlBackColor(QWidget* window, const QColor& color2);

// Paints the background of every themed window (found by its object name) with the pair in force, and colours its
// controls when it is shown. One per program; `Restyle` repaints the open ones after the pair changed.
class ThemePainter : public QObject
{
public:
    explicit ThemePainter(QObject* parent = nullptr);
    ~ThemePainter() override;
    static void Restyle();
    // The band heights a window paints with; {0, 0} for a window that is not themed.
    static std::pair<int, int> Bands(const QString& objectName);
    // A window that previews colours of its own (the options dialog) sets them here; invalid colours: the pair.
    static void SetPreview(QWidget* window, const QColor& color1, const QColor& color2);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
