// The main window's layout rules and the product-picture preview mode.
#include "gui/MainWindow.h"

#include "core/startup/AppState.h"
#include "gui/PictureFrame.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

void MainWindow::N14Click()
{
    App().ImgPreviewMode = 1;
    ApplyImgPreviewMode();
}

void MainWindow::N15Click()
{
    App().ImgPreviewMode = 2;
    ApplyImgPreviewMode();
}

void MainWindow::ApplyImgPreviewMode()
{
    const uint8_t mode = App().ImgPreviewMode;
    if (mode == 1) {
        N14->setChecked(true);
        N15->setChecked(false);
        ImageFrame1->show();
        ImageFrame2->hide();
        LayoutPreviewFrames();
        // Each selection handler takes the focus to its grid, so the one that
        // runs is the one whose grid has it now.
        if (focusWidget() == sg2)
            sg2Click();
        else
            sg1Click();
    } else if (mode == 2) {
        N14->setChecked(false);
        N15->setChecked(true);
        ImageFrame1->show();
        ImageFrame2->show();
        LayoutPreviewFrames();
        sg2Click();
        sg1Click();
    }
    UserInfoFile->WriteInteger("General", "ImgPreviewMode", mode);
}

void MainWindow::LayoutPreviewFrames()
{
    const QRect client = panelRight->contentsRect();
    const int height = client.height();
    if (App().ImgPreviewMode == 1) {
        ImageFrame1->setGeometry(client.x(), client.y(), client.width(), height);
    } else if (App().ImgPreviewMode == 2) {
        ImageFrame1->setGeometry(client.x(), client.y(), client.width(), height / 2);
        const int lowerTop = ImageFrame1->y() + ImageFrame1->height() + 1;
        ImageFrame2->setGeometry(client.x(), lowerTop, client.width(), height / 2);
    }
}

void MainWindow::FormResize()
{
    const int clientWidth = centralWidget()->width();
    const int clientHeight = centralWidget()->height();
    const int outerHeight = frameGeometry().height();

    panelRight->setGeometry(720, panelRight->y(), clientWidth - 720, clientHeight - 20);
    LayoutPreviewFrames();
    GroupBox2->move(GroupBox2->x(), outerHeight - 330);
    GroupBox3->resize(GroupBox3->width(), outerHeight - 371);
    sg1->resize(sg1->width(), GroupBox3->height() - 85);
    Edit2->move(Edit2->x(), GroupBox2->y() - 66);
    StatusBar1->setGeometry(0, clientHeight - StatusBar1->height(), clientWidth,
                            StatusBar1->height());
}

void MainWindow::sg1Click()
{
    sg1->setFocus();
    // A failure to pick the pictures only leaves the frame empty.
    try {
        const AppState& app = App();
        const int row = app.SelectedCatalogueRow;
        PendingCatalogueImages = row >= 1 && row <= app.CatalogueCount
                                     ? app.CatalogueEntries.at(row - 1).Image.Str()
                                     : std::string();
    } catch (const std::exception&) {
        PendingCatalogueImages.clear();
    }
    Timer1->stop();
    Timer1->setInterval(50);
    Timer1->start();
}

void MainWindow::Timer1Timer()
{
    Timer1->stop();
    ImageFrame1->ShowImages(PendingCatalogueImages);
}

void MainWindow::sg2Click()
{
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    sg2->setFocus();
    const AppState& app = App();
    const int row = app.SelectedOrderRow;
    // The lower frame is a convenience: a picture it cannot show is no error.
    try {
        ImageFrame2->ShowImages(row >= 1 && row <= app.OrderItemCount
                                    ? app.OrderItems.at(row - 1).Image.Str()
                                    : std::string());
    } catch (const std::exception&) {
    }
}
