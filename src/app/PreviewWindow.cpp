#include "PreviewWindow.h"

#include "preview/SectorRenderer.h"

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
    sector = std::move(geometry);
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
        painter.drawText(rect(), Qt::AlignCenter, u"无法绘制：请检查输入"_s);
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
    setWindowTitle(u"几何预览"_s);
    resize(1200, 760);

    view = new SectorView;
    auto *fit = new QPushButton(u"适合窗口(&F)"_s);
    fit->setObjectName(u"fitButton"_s);
    connect(fit, &QPushButton::clicked, view, &SectorView::fitToWindow);

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

    auto *side = new QWidget;
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(u"设计检查（单击一条即可定位到输入框）"_s));
    sideLayout->addWidget(summary);
    sideLayout->addWidget(list, 1);
    sideLayout->addWidget(new QLabel(u"滚轮缩放，拖动平移，双击或按钮适合窗口"_s));
    sideLayout->addWidget(fit);

    auto *splitter = new QSplitter;
    splitter->addWidget(view);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
}

void PreviewWindow::showDesign(const std::optional<SectorGeometry> &geometry,
                               const std::vector<Finding> &findings, const QString &gatherError)
{
    view->setGeometryToDraw(geometry);
    list->clear();
    if (!gatherError.isEmpty()) {
        auto *item = new QListWidgetItem(u"错误：%1"_s.arg(gatherError), list);
        item->setForeground(Qt::darkRed);
    }
    int errors = 0;
    for (const Finding &finding : findings) {
        const bool error = finding.severity == Severity::error;
        errors += error ? 1 : 0;
        auto *item = new QListWidgetItem((error ? u"错误："_s : u"警告："_s) + finding.chinese, list);
        item->setForeground(error ? QColor(160, 0, 0) : QColor(150, 90, 0));
        if (!finding.keys.isEmpty())
            item->setData(keyRole, finding.keys.first());
    }
    const int warnings = int(findings.size()) - errors;
    summary->setText(
        findings.empty() && gatherError.isEmpty()
            ? u"未发现问题。"_s
            : u"%1 个错误，%2 个警告"_s.arg(errors + (gatherError.isEmpty() ? 0 : 1)).arg(warnings));
}

}  // namespace lamina
