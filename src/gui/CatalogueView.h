#pragma once

#include <QGroupBox>

class CatalogueGridModel;
class QLineEdit;
class StringGrid;

// The catalogue group: the name filter, the grid of products and the search
// by article code that typing on the grid opens under it. The product the
// user moves to becomes App().SelectedCatalogueRow.
class CatalogueView : public QGroupBox
{
    Q_OBJECT
public:
    explicit CatalogueView(QWidget* parent);

    // The catalogue in the shared state changed as a whole (a load or a new
    // euro rate): the grid reads it afresh, keeping its row where it can.
    void refill();
    // The name filter as typed.
    QString nameFilter() const;
    void endArticleSearch();
    void focusGrid();
    // The group's height; the search box stays at `searchBoxTop`.
    void fitHeight(int height, int searchBoxTop);

Q_SIGNALS:
    void productSelected();
    void addProductRequested();
    void filterRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleGridKey(const QKeyEvent& event);
    // A character typed on the grid; true when it was used.
    bool typeOnGrid(const QString& text);
    void searchArticle();
    void selectRow(int row);

    CatalogueGridModel* m_model;
    QLineEdit* m_nameFilterEdit;
    StringGrid* m_grid;
    QLineEdit* m_articleSearchEdit;
};
