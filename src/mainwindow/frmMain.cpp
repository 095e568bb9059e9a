#include "mainwindow/frmMain.h"

#include "model/AppVersion.h"
#include "ui_frmMain.h"

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::frmMain>())
{
    m_ui->setupUi(this);
    m_baseTitle = AppTitleWithVersion();
    setWindowTitle(m_baseTitle);
    // The shortcut must work while the menu is closed, so the action lives on the window too.
    addAction(m_ui->mnuQuit);
    connect(m_ui->mnuQuit, &QAction::triggered, this, &frmMain::quitRequested);
}

frmMain::~frmMain() = default;
