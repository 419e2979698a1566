#include "PreviewWindow.h"

#include "PreviewTexts.h"
#include "preview/SectorRenderer.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

constexpr int keyRole = Qt::UserRole;

RenderOptions previewOptions(const ViewState &view)
{
    RenderOptions options;
    options.view = view;
    return options;
}

}  // namespace

SectorView::SectorView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"sectorView"_s);
    setMinimumSize(480, 360);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setCursor(Qt::OpenHandCursor);
}

void SectorView::setGeometryToDraw(std::optional<SectorGeometry> geometry)
{
    sector.reset();
    if (geometry)
        sector.emplace(std::move(*geometry));
    update();
}

void SectorView::fitToWindow()
{
    state = ViewState{};
    update();
}

QRectF SectorView::drawingTarget() const
{
    return QRectF(rect()).adjusted(8, 8, -8, -8);
}

void SectorView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!sector) {
        painter.setPen(Qt::darkGray);
        painter.drawText(rect(), Qt::AlignCenter, previewTexts::cannotDraw.toString());
        return;
    }
    drawSector(painter, drawingTarget(), *sector, previewOptions(state));
}

void SectorView::wheelEvent(QWheelEvent *event)
{
    if (!sector)
        return;
    const double factor = std::pow(1.0015, event->angleDelta().y());
    const QRectF area = drawingArea(drawingTarget(), *sector, previewOptions(state));
    state = zoomedAbout(state, factor, event->position(), area);
    update();
    event->accept();
}

void SectorView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        dragFrom = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void SectorView::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragFrom)
        return;
    state.pan += event->position() - *dragFrom;
    dragFrom = event->position();
    update();
}

void SectorView::mouseReleaseEvent(QMouseEvent *)
{
    dragFrom.reset();
    setCursor(Qt::OpenHandCursor);
}

void SectorView::mouseDoubleClickEvent(QMouseEvent *)
{
    fitToWindow();
}

PreviewWindow::PreviewWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(u"preview"_s);
    setWindowTitle(previewTexts::title.toString());
    resize(1280, 820);

    view = new SectorView;
    auto *side = new QWidget;
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(createChecksPanel(), 2);
    sideLayout->addWidget(createDataPanel(), 3);

    auto *splitter = new QSplitter;
    splitter->addWidget(view);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    showDesignData(std::nullopt);
}

QWidget *PreviewWindow::createChecksPanel()
{
    auto *fit = new QPushButton(previewTexts::fitButton.toString());
    fit->setObjectName(u"fitButton"_s);
    connect(fit, &QPushButton::clicked, view, &SectorView::fitToWindow);

    polesBox = new QLineEdit;
    polesBox->setObjectName(u"polesBox"_s);
    polesBox->setPlaceholderText(previewTexts::polesHint.toString());
    connect(polesBox, &QLineEdit::textEdited, this, &PreviewWindow::polesEdited);
    auto *polesRow = new QHBoxLayout;
    polesRow->addWidget(new QLabel(previewTexts::polesLabel.toString()));
    polesRow->addWidget(polesBox, 1);

    summary = new QLabel;
    summary->setObjectName(u"findingSummary"_s);
    summary->setWordWrap(true);
    list = new QListWidget;
    list->setObjectName(u"findings"_s);
    list->setWordWrap(true);
    connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        const QString key = item->data(keyRole).toString();
        if (!key.isEmpty())
            Q_EMIT fieldRequested(key);
    });

    auto *fitRow = new QHBoxLayout;
    fitRow->addWidget(new QLabel(previewTexts::viewHint.toString()), 1);
    fitRow->addWidget(fit);

    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(fitRow);
    layout->addLayout(polesRow);
    layout->addWidget(new QLabel(previewTexts::checksHeading.toString()));
    layout->addWidget(summary);
    layout->addWidget(list, 1);
    return panel;
}

QWidget *PreviewWindow::createDataPanel()
{
    table = new QTableWidget(0, 4);
    table->setObjectName(u"designData"_s);
    table->setHorizontalHeaderLabels(
        {previewTexts::quantityColumn.toString(), previewTexts::statorColumn.toString(),
         previewTexts::rotorColumn.toString(), previewTexts::unitColumn.toString()});
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        table->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);

    auto *copy = new QPushButton(previewTexts::copyButton.toString());
    copy->setObjectName(u"copyDesignData"_s);
    copy->setToolTip(previewTexts::copyTip.toString());
    connect(copy, &QPushButton::clicked, this, &PreviewWindow::copyDesignData);

    auto *heading = new QHBoxLayout;
    heading->addWidget(new QLabel(previewTexts::dataHeading.toString()), 1);
    heading->addWidget(copy);
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(heading);
    layout->addWidget(table, 1);
    return panel;
}

void PreviewWindow::showDesign(const std::optional<SectorGeometry> &geometry,
                               const std::vector<Finding> &findings, const QString &gatherError,
                               const std::optional<DesignData> &data)
{
    view->setGeometryToDraw(geometry);
    showDesignData(data);
    list->clear();
    if (!gatherError.isEmpty()) {
        auto *item = new QListWidgetItem(previewTexts::errorPrefix.toString() + gatherError, list);
        item->setForeground(Qt::darkRed);
    }
    int errors = 0;
    for (const Finding &finding : findings) {
        const bool error = finding.severity == Severity::error;
        errors += error ? 1 : 0;
        auto *item = new QListWidgetItem(
            (error ? previewTexts::errorPrefix : previewTexts::warningPrefix).toString() + finding.chinese,
            list);
        item->setForeground(error ? QColor(160, 0, 0) : QColor(150, 90, 0));
        if (!finding.keys.isEmpty())
            item->setData(keyRole, finding.keys.first());
    }
    const int warnings = int(findings.size()) - errors;
    summary->setText(findings.empty() && gatherError.isEmpty()
                         ? previewTexts::noFindings.toString()
                         : previewTexts::findingCounts.toString()
                               .arg(errors + (gatherError.isEmpty() ? 0 : 1))
                               .arg(warnings));
}

void PreviewWindow::showDesignData(const std::optional<DesignData> &data)
{
    // Without data the rows stay, with dashes, so the table keeps its shape.
    const std::vector<DesignDataRow> rows = designDataRows(data ? *data : DesignData{});
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const DesignDataRow &row = rows[std::size_t(r)];
        const QString cells[] = {
            row.chinese,
            designFigureText(row.first),
            row.paired ? designFigureText(row.second) : QString(),
            row.unit,
        };
        for (int column = 0; column < 4; ++column) {
            QTableWidgetItem *item = table->item(r, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(column == 1 || column == 2 ? Qt::AlignRight | Qt::AlignVCenter
                                                                  : Qt::AlignLeft | Qt::AlignVCenter);
                table->setItem(r, column, item);
            }
            item->setText(cells[column]);
        }
    }
}

void PreviewWindow::setPoles(const QString &poles)
{
    polesBox->setText(poles);
}

QString PreviewWindow::poles() const
{
    return polesBox->text();
}

QString PreviewWindow::designDataText() const
{
    QStringList lines;
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
        cells << table->horizontalHeaderItem(column)->text();
    lines << cells.join(u'\t');
    for (int row = 0; row < table->rowCount(); ++row) {
        cells.clear();
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->item(row, column)->text();
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

void PreviewWindow::copyDesignData()
{
    QApplication::clipboard()->setText(designDataText());
}

}  // namespace lamina
