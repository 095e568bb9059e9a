// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class dlgOption;
}
class frmMain;

// The options: the auto-lock time, the unlock password, the desktop notification switch and the colour pair, previewed
// on the dialog's own background until applied. Modeless, owned by the main window.
class dlgOption : public QDialog
{
    Q_OBJECT

public:
    explicit dlgOption(frmMain* owner);
    ~dlgOption() override;

    QColor SwatchColor(int index) const { return m_colors[size_t(index)]; }
    // Clicking a swatch: the colour dialog, or what a test puts here. An invalid colour means cancelled.
    using ColorPicker = std::function<QColor(const QColor& current, QWidget* parent)>;
    static void SetColorPicker(ColorPicker picker);

    void Apply();

private:
    void PickColor(int index);
    void ShowSwatches();

    std::unique_ptr<Ui::dlgOption> m_ui;
    frmMain* m_owner;
    std::array<QColor, 2> m_colors;
};
