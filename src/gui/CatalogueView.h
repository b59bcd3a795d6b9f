#pragma once

#include <QGroupBox>

class Catalogue;
class CatalogueGridModel;
class IUserInteraction;
class Prices;
class QLineEdit;
class StringGrid;
struct TFormatSettings;

// The catalogue group: the name filter, the grid of products and the search
// by article code that typing on the grid opens under it. The view keeps the
// product the user moved to as its selected row.
class CatalogueView : public QGroupBox
{
    Q_OBJECT
public:
    CatalogueView(const Catalogue& catalogue, const Prices& prices,
                  const TFormatSettings& systemFormat, IUserInteraction& ui, QWidget* parent);

    // The catalogue changed as a whole (a load or a new euro rate): the grid
    // reads it afresh, keeping its row where it can.
    void refill();
    // The grid row of the product the user chose (row n is the catalogue's
    // product n - 1); 0 before the first choice.
    int selectedRow() const { return m_selectedRow; }
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

    const Catalogue& m_catalogue;
    IUserInteraction& m_ui;
    CatalogueGridModel* m_model;
    QLineEdit* m_nameFilterEdit;
    StringGrid* m_grid;
    QLineEdit* m_articleSearchEdit;
    int m_selectedRow = 0;
};
