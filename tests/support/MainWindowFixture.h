#pragma once

#include "gui/CatalogueView.h"
#include "gui/CustomerDialog.h"
#include "gui/MainWindow.h"
#include "gui/OrderView.h"
#include "gui/PictureFrame.h"
#include "gui/PicturePanel.h"
#include "gui/QuantityDialog.h"
#include "support/GuiTestEnvironment.h"
#include "support/ModalScript.h"
#include "support/TestCatalogue.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <memory>

class OrderPreviewDialog;

// The main window with its customer and quantity dialogs, as the program
// entry makes them, over a clean profile. Controls are found by their
// designer names; both grid models are checked at every change.
struct MainWindowFixture
{
    GuiTestEnvironment Env;
    MainWindow Window{Env.Catalogue, Env.Prices,  Env.Order, Env.History,
                      Env.Settings,  Env.Seams(), Env.Format};
    CustomerDialog Customer{Env.Settings, Env.Ui, &Window};
    QuantityDialog Quantity{Env.Ui, &Window};
    QAbstractItemModelTester CatalogueModelCheck{
        Grid("sg1")->model(), QAbstractItemModelTester::FailureReportingMode::QtTest};
    QAbstractItemModelTester OrderModelCheck{
        Grid("sg2")->model(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    MainWindowFixture() { UsePreview(nullptr); }

    // Started on a test catalogue, as a user would find it: the euro rate
    // entered by hand, the customer's details already given.
    explicit MainWindowFixture(const std::vector<TestProduct>& products,
                               const QString& euroRate = QStringLiteral("80"),
                               const std::string& euroIndex = "1")
        : MainWindowFixture()
    {
        WriteTestCatalogue(Env.Path(QStringLiteral("home/PelmoraDB/telvarin.db")), products,
                           "01.12.2026 10:00:00", euroIndex);
        Env.Write(QStringLiteral("data/Pelmora/userinfo.ini"),
                  "[General]\r\nUserInfoSpecified=1\r\nRemindOnStartup=0\r\n");
        Env.Ui.InputAnswers = {euroRate};
        RunStartup();
        Window.show();
        QApplication::setActiveWindow(&Window);
        (void)QTest::qWaitForWindowExposed(&Window);
    }

    bool RunStartup() { return Window.runStartup(GuiTestEnvironment::Places()); }

    void UsePreview(OrderPreviewDialog* preview)
    {
        Window.setDialogs(&Customer, nullptr, &Quantity, preview);
    }

    template <typename Control> Control* Find(const char* designerName) const
    {
        auto* control = Window.findChild<Control*>(QLatin1StringView(designerName));
        if (!control)
            qFatal("no control named %s", designerName);
        return control;
    }
    QTableView* Grid(const char* name) const { return Find<QTableView>(name); }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
    QLabel* Label(const char* name) const { return Find<QLabel>(name); }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    PictureFrame* Frame(const char* name) const { return Find<PictureFrame>(name); }
    QWidget* Widget(const char* name) const { return Find<QWidget>(name); }
    PicturePanel* Pictures() const { return Find<PicturePanel>("panelRight"); }
    // The grid rows the views hold as chosen; 0 before the first choice.
    int SelectedCatalogueRow() const { return Find<CatalogueView>("GroupBox3")->selectedRow(); }
    int SelectedOrderRow() const { return Find<OrderView>("GroupBox2")->selectedRow(); }
    QLabel* StatusText() const { return Find<QStatusBar>("StatusBar1")->findChild<QLabel*>(); }
    template <typename Control> Control* CustomerControl(const char* name) const
    {
        return Customer.findChild<Control*>(QLatin1StringView(name));
    }

    // Runs `trigger`, during which the quantity dialog must open; answers it
    // with `quantity` and OK (or Cancel for an empty text). `offered` gets
    // the quantity the dialog proposed.
    bool AnswerQuantity(const QString& quantity, const std::function<void()>& trigger,
                        QString* offered = nullptr)
    {
        ModalScript script(QStringLiteral("quantity %1").arg(quantity), [&](QDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            if (offered)
                *offered = edit->text();
            if (quantity.isEmpty()) {
                dialog->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
                return;
            }
            edit->setText(quantity);
            dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        trigger();
        return script.succeeded();
    }

    // The filter of the catalogue file dialog, seen by opening it and cancelling.
    QString CatalogueFileFilter()
    {
        Env.Ui.OpenAnswers = {std::nullopt};
        Action("N13")->trigger();
        return Env.Ui.OpenDialogs.back().Filter;
    }

    // As a click on the row would: the row becomes current and selected.
    static void ClickRow(QTableView* grid, int row)
    {
        grid->setFocus();
        const QModelIndex index = grid->model()->index(row - 1, 0);
        grid->setCurrentIndex(index);
        Q_EMIT grid->clicked(index);
    }
    void SelectCatalogueRow(int row) const { ClickRow(Grid("sg1"), row); }
    void SelectOrderRow(int row) const { ClickRow(Grid("sg2"), row); }
    QString CatalogueCell(int row, int column) const
    {
        return Grid("sg1")->model()->index(row - 1, column).data().toString();
    }
    QString OrderCell(int row, int column) const
    {
        return Grid("sg2")->model()->index(row - 1, column).data().toString();
    }
};
