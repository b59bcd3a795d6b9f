#include "gui/CatalogueView.h"

#include "core/catalogue/Catalogue.h"
#include "core/text/Cp1251.h"
#include "gui/CatalogueGridModel.h"
#include "gui/ErrorHandler.h"
#include "gui/StringGrid.h"
#include "gui/WidgetPlacement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <iterator>

CatalogueView::CatalogueView(const Catalogue& catalogue, const Prices& prices,
                             const TFormatSettings& systemFormat, IUserInteraction& ui,
                             QWidget* parent)
    : QGroupBox(QStringLiteral(" Каталог "), parent), m_catalogue(catalogue), m_ui(ui),
      m_model(new CatalogueGridModel(catalogue, prices, systemFormat, this))
{
    Named(this, "GroupBox3");
    auto* filterLabel = Named(new QLabel(QStringLiteral("Фильтр по названию:"), this), "Label1");
    filterLabel->move(11, 23);
    filterLabel->adjustSize();
    m_nameFilterEdit = Named(new QLineEdit(this), "Edit1");
    m_nameFilterEdit->setGeometry(127, 20, 142, 21);
    auto* applyFilterButton = Named(new QPushButton(QStringLiteral("OK"), this), "Button7");
    applyFilterButton->setGeometry(275, 21, 45, 20);
    m_grid = Named(new StringGrid(m_model,
                                  {std::begin(CatalogueGridModel::kColumnWidths),
                                   std::end(CatalogueGridModel::kColumnWidths)},
                                  this),
                   "sg1");
    m_grid->setGeometry(11, 57, 686, 208);
    m_articleSearchEdit = Named(new QLineEdit(this), "Edit2");
    m_articleSearchEdit->setGeometry(35, 269, 86, 21);
    m_articleSearchEdit->hide();
    m_grid->setDataBackground(m_grid->palette().color(QPalette::Base));

    connect(applyFilterButton, &QPushButton::clicked, this, &CatalogueView::filterRequested);
    connect(m_nameFilterEdit, &QLineEdit::returnPressed, this, &CatalogueView::filterRequested);
    connect(m_articleSearchEdit, &QLineEdit::textChanged, this,
            Guard(m_ui, this, &CatalogueView::searchArticle));
    connect(m_grid, &QTableView::doubleClicked, this, &CatalogueView::addProductRequested);
    connect(m_grid, &StringGrid::rowChosen, this, &CatalogueView::selectRow);
    m_grid->installEventFilter(this);
    m_articleSearchEdit->installEventFilter(this);
}

void CatalogueView::refill()
{
    m_grid->refill([this] { m_model->refill(); });
}

QString CatalogueView::nameFilter() const
{
    return m_nameFilterEdit->text();
}

void CatalogueView::endArticleSearch()
{
    m_articleSearchEdit->clear();
    m_articleSearchEdit->hide();
}

void CatalogueView::focusGrid()
{
    m_grid->setFocus();
}

void CatalogueView::fitHeight(int height, int searchBoxTop)
{
    resize(width(), height);
    m_grid->resize(m_grid->width(), this->height() - 85);
    m_articleSearchEdit->move(m_articleSearchEdit->x(), searchBoxTop);
}

void CatalogueView::selectRow(int row)
{
    m_selectedRow = row;
    Q_EMIT productSelected();
}

void CatalogueView::searchArticle()
{
    const int found = m_catalogue.findArticle(ToCp1251(m_articleSearchEdit->text()));
    if (found < 0)
        return;
    // A hit is the user's choice. Moving the grid's row reports it as a
    // selection; a hit on the row that already looks current moves nothing,
    // so it is reported here, as a click on that row would be.
    if (m_grid->currentIndex().row() != found) {
        m_grid->setCurrentIndex(m_model->index(found, 0));
        return;
    }
    selectRow(found + 1);
}

bool CatalogueView::typeOnGrid(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c == u'\r' || c == u'\n') {
        // An empty catalogue has nothing to add; the grid keeps the key.
        if (m_catalogue.count() <= 0)
            return false;
        Q_EMIT addProductRequested();
        return true;
    }
    if (c == u'\b') {
        if (m_articleSearchEdit->text().isEmpty())
            endArticleSearch();
        else
            m_articleSearchEdit->setText(m_articleSearchEdit->text().chopped(1));
        return true;
    }
    if (!c.isPrint())
        return false;
    m_articleSearchEdit->show();
    m_articleSearchEdit->setText(m_articleSearchEdit->text() + c);
    return true;
}

bool CatalogueView::handleGridKey(const QKeyEvent& event)
{
    const int key = event.key();
    // Moving through the catalogue ends a search by article code.
    if (key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down) {
        endArticleSearch();
        return false;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    return typeOnGrid(key == Qt::Key_Enter || key == Qt::Key_Return ? QStringLiteral("\r")
                      : key == Qt::Key_Backspace                    ? QStringLiteral("\b")
                                                                    : event.text());
}

bool CatalogueView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QGroupBox::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    bool consumed = false;
    Guarded(m_ui, [&] {
        if (watched == m_grid) {
            consumed = handleGridKey(key);
        } else if (watched == m_articleSearchEdit && key.key() == Qt::Key_Up) {
            m_grid->setFocus();
            consumed = true;
        }
    });
    return consumed || QGroupBox::eventFilter(watched, event);
}
