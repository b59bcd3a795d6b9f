#include "gui/PasteListDialog.h"

#include "core/order/OrderHistory.h"
#include "core/order/PastedList.h"
#include "core/seams/Interaction.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"
#include "core/text/TextFileEncoding.h"
#include "gui/ErrorHandler.h"
#include "gui/PastedListModel.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QPushButton* AddButton(QHBoxLayout* row, const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

PasteListDialog::PasteListDialog(const Order& order, OrderHistory& history, IUserInteraction& ui,
                                 QWidget* parent)
    : QDialog(parent), m_order(order), m_history(history), m_ui(ui),
      m_model(new PastedListModel(this))
{
    setObjectName(QStringLiteral("PasteListDialog"));
    setWindowTitle(QStringLiteral("Вставка списка товаров"));
    resize(720, 480);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("ListText"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("ListTable"));
    m_table->setModel(m_model);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setWordWrap(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (const auto& [column, width] : {std::pair{PastedListModel::LineColumn, 50},
                                        {PastedListModel::CodeColumn, 100},
                                        {PastedListModel::QuantityColumn, 80},
                                        {PastedListModel::NameColumn, 220}})
        m_table->setColumnWidth(column, width);

    auto* buttons = new QHBoxLayout;
    QPushButton* fromFile = AddButton(buttons, QStringLiteral("Из файла…"), "FromFileButton");
    buttons->addStretch();
    m_addButton = AddButton(buttons, QStringLiteral("Добавить"), "AddButton");
    QPushButton* cancel = AddButton(buttons, QStringLiteral("Отмена"), "CancelButton");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 2);
    layout->addWidget(m_table, 3);
    layout->addLayout(buttons);

    connect(m_text, &QPlainTextEdit::textChanged, this,
            Guard(m_ui, this, &PasteListDialog::review));
    connect(fromFile, &QPushButton::clicked, this, Guard(m_ui, this, &PasteListDialog::loadFile));
    connect(m_addButton, &QPushButton::clicked, this,
            Guard(m_ui, this, &PasteListDialog::addLines));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter belongs to the text box; Ctrl+Enter adds from anywhere in the dialog.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, m_addButton,
                &QPushButton::animateClick);
    setCursor(Qt::BusyCursor);
    review();
}

void PasteListDialog::setCatalogue(const ArticleCodeIndex& catalogue)
{
    m_catalogue = &catalogue;
    unsetCursor();
    review();
}

void PasteListDialog::setListText(const QString& text)
{
    m_text->setPlainText(text);
}

void PasteListDialog::review()
{
    if (!m_catalogue) {
        m_addButton->setEnabled(false);
        return;
    }
    m_model->setLines(ReviewPastedList(ToCp1251(m_text->toPlainText()), *m_catalogue, m_order));
    m_addButton->setEnabled(m_model->hasValidLine());
}

void PasteListDialog::addLines()
{
    const PasteResult result = m_history.addPastedLines(m_model->lines());
    m_addedLines += result.added + result.merged;
    m_text->setPlainText(FromCp1251(result.refusedText));
    if (result.refusedText.empty())
        accept();
}

void PasteListDialog::loadFile()
{
    FileDialogOptions options;
    options.Filter = QStringLiteral("Списки товаров (*.csv *.txt)|*.csv *.txt");
    const std::optional<QString> chosen = m_ui.OpenFileName(options);
    if (!chosen)
        return;
    QFile file(*chosen);
    QString problem;
    if (!file.open(QIODevice::ReadOnly))
        problem = FileErrorReason(file.errorString());
    else if (file.size() > kLargestFile)
        problem = QStringLiteral("Файл слишком велик для списка товаров.");
    QByteArray bytes;
    if (problem.isEmpty()) {
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            problem = FileErrorReason(file.errorString());
    }
    if (!problem.isEmpty()) {
        m_ui.MessageBox(QStringLiteral("Не удалось прочитать файл ") + *chosen +
                            QStringLiteral(":\n") + problem,
                        QStringLiteral("Ошибка"), MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    QString text = FromCp1251(TextFileToCp1251(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    m_text->setPlainText(text);
}
