#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class frmMain;
}

// The main window: the task list and the menus. It owns the engine and forwards to it.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The caption without the clock: the title plus the version.
    QString BaseTitle() const { return m_baseTitle; }

Q_SIGNALS:
    void quitRequested();

private:
    std::unique_ptr<Ui::frmMain> m_ui;
    QString m_baseTitle;
};
