#pragma once

#include "gui/CustomerDialog.h"
#include "gui/MainWindow.h"
#include "gui/QuantityDialog.h"
#include "support/GuiTestEnvironment.h"
#include "support/TestCatalogue.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>

// The main window started on a test catalogue, as a user would find it:
// the euro rate entered by hand, the customer's details already given.
struct MainWindowFixture
{
    GuiTestEnvironment Env;
    std::unique_ptr<MainWindow> Form1;
    std::unique_ptr<CustomerDialog> Form2;
    std::unique_ptr<QuantityDialog> Form4;

    explicit MainWindowFixture(const std::vector<TestProduct>& products,
                               const QString& euroRate = QStringLiteral("80"),
                               const std::string& euroIndex = "1")
    {
        WriteTestCatalogue(Env.Path(QStringLiteral("home/PelmoraDB/telvarin.db")), products,
                           "01.12.2026 10:00:00", euroIndex);
        Env.Write(QStringLiteral("data/Pelmora/userinfo.ini"),
                  "[General]\r\nUserInfoSpecified=1\r\nRemindOnStartup=0\r\n");
        Env.Ui.InputAnswers = {euroRate};
        Form1 = std::make_unique<MainWindow>();
        Form2 = std::make_unique<CustomerDialog>(Form1.get());
        Form4 = std::make_unique<QuantityDialog>(Form1.get());
        Form1->SetDialogs(Form2.get(), nullptr, Form4.get(), nullptr);
        Form1->FormShow();
        Form1->show();
        QApplication::setActiveWindow(Form1.get());
        (void)QTest::qWaitForWindowExposed(Form1.get());
    }

    // Answers the next quantity dialog with `quantity` and OK (or Cancel for an empty text).
    static void AnswerQuantity(const QString& quantity, QString* offered = nullptr)
    {
        OnNextModal([quantity, offered](QDialog* dialog) {
            auto* form4 = static_cast<QuantityDialog*>(dialog);
            if (offered)
                *offered = form4->Edit1->text();
            if (quantity.isEmpty()) {
                form4->Button2->click();
                return;
            }
            form4->Edit1->setText(quantity);
            form4->Button1->click();
        });
    }

    // As a click on the row would: the row becomes current and selected.
    static void ClickRow(QTableView* grid, int row)
    {
        grid->setFocus();
        const QModelIndex index = grid->model()->index(row - 1, 0);
        grid->setCurrentIndex(index);
        Q_EMIT grid->clicked(index);
    }
    void SelectCatalogueRow(int row) const { ClickRow(Form1->sg1, row); }
    void SelectOrderRow(int row) const { ClickRow(Form1->sg2, row); }
    QString CatalogueCell(int row, int column) const
    {
        return Form1->sg1->model()->index(row - 1, column).data().toString();
    }
    QString OrderCell(int row, int column) const
    {
        return Form1->sg2->model()->index(row - 1, column).data().toString();
    }
};
