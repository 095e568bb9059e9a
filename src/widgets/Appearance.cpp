// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Appearance.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLinearGradient>
#include <QPainter>
#include <QRadioButton>
#include <QWidget>

namespace {

const char kColorStyles[]
    = "蓝色(缺省),&HFFF3E8,&HFFDAB5;黄色,&HA6FFFF,&H59FFFF;绿色,&HE1FFE1,&HC4FFC4;红色,&HD0D0FF,&H8484FF";
const char kPreview1[] = "twPreview1";
const char kPreview2[] = "twPreview2";

QColor g_color1, g_color2;

std::vector<ColorStyle> ParseStyles()
{
    std::vector<ColorStyle> styles;
    for (const QString& entry : QString::fromUtf8(kColorStyles).split(QLatin1Char(';'))) {
        const QStringList f = entry.split(QLatin1Char(','));
        styles.push_back(
            { f[0], ColorFromBgr(f[1].mid(2).toUInt(nullptr, 16)), ColorFromBgr(f[2].mid(2).toUInt(nullptr, 16)) });
    }
    return styles;
}

}  // namespace

// The names of the colour styles, for the translation.
[[maybe_unused]] const char* const kColorStyleNames[]
    = { QT_TRANSLATE_NOOP("ColorStyles", "蓝色(缺省)"), QT_TRANSLATE_NOOP("ColorStyles", "黄色"),
          QT_TRANSLATE_NOOP("ColorStyles", "绿色"), QT_TRANSLATE_NOOP("ColorStyles", "红色") };

QString ColorStyle::DisplayName() const
{
    return QCoreApplication::translate("ColorStyles", name.toUtf8().constData());
}

const std::vector<ColorStyle>& ColorStyles()
{
    static const std::vector<ColorStyle> styles = ParseStyles();
    return styles;
}

QColor ColorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 ColorToBgr(const QColor& color)
{
    return quint32(color.red()) | quint32(color.green()) << 8 | quint32(color.blue()) << 16;
}

bool ParseColorStyleText(const QString& text, QColor* color1, QColor* color2)
{
    const int comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return false;
    bool ok1 = false, ok2 = false;
    const qlonglong a = text.left(comma).trimmed().toLongLong(&ok1);
    const qlonglong b = text.mid(comma + 1).trimmed().toLongLong(&ok2);
    if (!ok1 || !ok2 || a < 0 || b < 0 || a > 0xFFFFFF || b > 0xFFFFFF)
        return false;
    *color1 = ColorFromBgr(quint32(a));
    *color2 = ColorFromBgr(quint32(b));
    return true;
}

QString ColorStyleText(const QColor& color1, const QColor& color2)
{
    const ColorStyle& first = ColorStyles().front();
    if (color1 == first.color1 && color2 == first.color2)
        return QString();
    return QString::number(ColorToBgr(color1)) + QLatin1Char(',') + QString::number(ColorToBgr(color2));
}

QColor StyleColor1()
{
    return g_color1.isValid() ? g_color1 : ColorStyles().front().color1;
}

QColor StyleColor2()
{
    return g_color2.isValid() ? g_color2 : ColorStyles().front().color2;
}

void SetStyleColors(const QColor& color1, const QColor& color2)
{
    g_color1 = color1;
    g_color2 = color2;
}

void PaintFormBackground(
    QPainter& painter, const QRect& rect, const QColor& color1, const QColor& color2, int topHeight, int bottomHeight)
{
    const int top = rect.top(), h = rect.height();
    QLinearGradient down(0, top, 0, top + topHeight);
    down.setColorAt(0, color1);
    down.setColorAt(1, color2);
    painter.fillRect(QRect(rect.left(), top, rect.width(), topHeight), down);
    painter.fillRect(QRect(rect.left(), top + topHeight, rect.width(), h - topHeight - bottomHeight), color2);
    QLinearGradient up(0, top + h - bottomHeight, 0, top + h);
    up.setColorAt(0, color2);
    up.setColorAt(1, color1);
    painter.fillRect(QRect(rect.left(), top + h - bottomHeight, rect.width(), bottomHeight), up);
}

void ApplyControlBackColor(QWidget* window, const QColor& color2)
{
    const auto colour = [&color2](QWidget* w) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, color2);
        w->setPalette(pal);
        w->setAutoFillBackground(true);
    };
    for (QRadioButton* w : window->findChildren<QRadioButton*>())
        colour(w);
    for (QCheckBox* w : window->findChildren<QCheckBox*>())
        colour(w);
    for (QGroupBox* w : window->findChildren<QGroupBox*>())
        colour(w);
}

ThemePainter::ThemePainter(QObject* parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

ThemePainter::~ThemePainter()
{
    qApp->removeEventFilter(this);
}

std::pair<int, int> ThemePainter::Bands(const QString& objectName)
{
    static const QStringList themed { QStringLiteral("frmMain"), QStringLiteral("frmAbout"),
        QStringLiteral("dlgFilter"), QStringLiteral("dlgOption"), QStringLiteral("dlgShutdown"),
        QStringLiteral("frmPrompt"), QStringLiteral("frmTask"), QStringLiteral("dlgLoopDefine"),
        QStringLiteral("dlgValidPeriod") };
    if (objectName == QLatin1String("dlgFind"))
        return { 20, 30 };
    return themed.contains(objectName) ? std::pair { 40, 50 } : std::pair { 0, 0 };
}

void ThemePainter::SetPreview(QWidget* window, const QColor& color1, const QColor& color2)
{
    window->setProperty(kPreview1, color1);
    window->setProperty(kPreview2, color2);
    window->update();
}

void ThemePainter::Restyle()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (Bands(w->objectName()).first > 0) {
            ApplyControlBackColor(w, StyleColor2());
            w->update();
        }
    }
}

bool ThemePainter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Paint && type != QEvent::Show) || !watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    if (!w->isWindow())
        return false;
    const auto [top, bottom] = Bands(w->objectName());
    if (top <= 0)
        return false;
    if (type == QEvent::Show) {
        ApplyControlBackColor(w, StyleColor2());
        return false;
    }
    // Painting here, before the window's own paint handler, puts the bands under everything it draws.
    const QColor p1 = w->property(kPreview1).value<QColor>();
    const QColor p2 = w->property(kPreview2).value<QColor>();
    QPainter painter(w);
    PaintFormBackground(
        painter, w->rect(), p1.isValid() ? p1 : StyleColor1(), p2.isValid() ? p2 : StyleColor2(), top, bottom);
    return false;
}
