#include "TransferDialogs.h"

#include "BatchStore.h"
#include "SignalRender.h"
#include "SignalView.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace qmv {

namespace {

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

QDialogButtonBox* okCancel(QDialog* dialog, const QString& okText)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(okText);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("qmv::TransferDialogs", "取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QPlainTextEdit* reportBox(const std::vector<std::string>& lines, QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QStringLiteral("reportText"));
    box->setReadOnly(true);
    QString all;
    for (const std::string& line : lines)
        all += text(line) + u'\n';
    box->setPlainText(all);
    box->setVisible(!lines.empty());
    box->setMaximumHeight(120);
    return box;
}

} // namespace

SignalChoiceDialog::SignalChoiceDialog(const transfer::SignalFile& file, const QString& keyName,
                                       QWidget* parent)
    : QDialog(parent)
    , m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("signalChoiceDialog"));
    setWindowTitle(QCoreApplication::translate("qmv::TransferDialogs", "从文件学习"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QCoreApplication::translate("qmv::TransferDialogs", "选择要学习到“%1”键的信号：").arg(keyName),
        this));
    m_list->setObjectName(QStringLiteral("signalList"));
    for (const transfer::IrSignal& signal : file.entries)
        m_list->addItem(signal.line > 0
                            ? QCoreApplication::translate("qmv::TransferDialogs", "%1（第 %2 行）")
                                  .arg(text(signal.name))
                                  .arg(signal.line)
                            : text(signal.name));
    layout->addWidget(m_list);
    std::vector<std::string> problems;
    for (const transfer::FileProblem& problem : file.problems)
        problems.push_back(transfer::describeProblem(problem));
    layout->addWidget(reportBox(problems, this));
    auto* buttons = okCancel(this, QCoreApplication::translate("qmv::TransferDialogs", "学习"));
    layout->addWidget(buttons);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    connect(m_list, &QListWidget::currentRowChanged, ok, [ok](int row) { ok->setEnabled(row >= 0); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    if (file.entries.size() == 1)
        m_list->setCurrentRow(0);
}

std::optional<std::size_t> SignalChoiceDialog::selectedSignal() const
{
    const int row = m_list->currentRow();
    return row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt;
}

void SignalChoiceDialog::selectSignal(std::size_t index)
{
    m_list->setCurrentRow(static_cast<int>(index));
}

ImportDialog::ImportDialog(const transfer::PreparedImport& prepared,
                           const std::vector<std::string>& overwritten, const QString& areaName,
                           QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(QCoreApplication::translate("qmv::TransferDialogs", "导入设备"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QCoreApplication::translate("qmv::TransferDialogs", "以下 %1 个信号将写入 %2 的按键：")
                       .arg(prepared.items.size())
                       .arg(areaName),
                   this));
    auto* table = new QTableWidget(static_cast<int>(prepared.items.size()), 3, this);
    table->setObjectName(QStringLiteral("mappingTable"));
    table->setHorizontalHeaderLabels({QCoreApplication::translate("qmv::TransferDialogs", "信号"),
                                      QCoreApplication::translate("qmv::TransferDialogs", "按键"),
                                      QCoreApplication::translate("qmv::TransferDialogs", "说明")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t i = 0; i < prepared.items.size(); ++i) {
        const transfer::StoreItem& item = prepared.items[i];
        const std::string key = transfer::keyName(item.area, item.keyCode);
        const bool overwrites = std::find(overwritten.begin(), overwritten.end(), key) != overwritten.end();
        const int row = static_cast<int>(i);
        table->setItem(row, 0, new QTableWidgetItem(text(item.name)));
        table->setItem(row, 1, new QTableWidgetItem(text(key)));
        table->setItem(row, 2,
                       new QTableWidgetItem(overwrites ? QCoreApplication::translate("qmv::TransferDialogs",
                                                                                     "覆盖已学习的编码")
                                                       : QString()));
    }
    table->horizontalHeader()->setStretchLastSection(true);
    table->resizeColumnsToContents();
    layout->addWidget(table);
    layout->addWidget(reportBox(transfer::importReportLines(prepared), this));
    layout->addWidget(okCancel(this, QCoreApplication::translate("qmv::TransferDialogs", "导入")));
    resize(560, 480);
}

SignalDialog::SignalDialog(const QString& description, std::vector<std::uint32_t> durations,
                           std::uint32_t carrierHz, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("signalDialog"));
    setWindowTitle(QCoreApplication::translate("qmv::TransferDialogs", "按键信号"));
    auto* layout = new QVBoxLayout(this);
    auto* facts = new QLabel(description, this);
    facts->setObjectName(QStringLiteral("descriptionLabel"));
    layout->addWidget(facts);
    auto* view = new SignalView(this);
    view->setSignal(std::move(durations), carrierHz, transfer::kFrameGapUs);
    layout->addWidget(view);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)
        ->setText(QCoreApplication::translate("qmv::TransferDialogs", "关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace qmv
