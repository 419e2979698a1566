#pragma once

#include "geometry/DesignChecks.h"
#include "geometry/DesignData.h"
#include "geometry/SectorGeometry.h"
#include "preview/SectorRenderer.h"
#include "preview/ViewTransform.h"

#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace lamina {

// The sector drawn to fit, zoomed with the wheel about the mouse, panned by
// dragging, fitted again with a double click.
class SectorView : public QWidget
{
    Q_OBJECT

public:
    explicit SectorView(QWidget *parent = nullptr);

    void setGeometryToDraw(std::optional<SectorGeometry> geometry);
    const ViewState &view() const { return state; }

public Q_SLOTS:
    void fitToWindow();

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QRectF drawingTarget() const;

    // Kept between paints: panning and zooming repaint it many times a second.
    std::optional<SectorPicture> sector;
    ViewState state;
    std::optional<QPointF> dragFrom;
};

// 几何预览: the sector of the design as typed so far, what the checks find
// in it and its design data. It reads the main window's boxes, never its
// model; its pole-count box belongs to the design and is reported with
// polesEdited.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget *parent = nullptr);

    // A new design to show; gatherError is set when the boxes cannot be read,
    // and data is empty then.
    void showDesign(const std::optional<SectorGeometry> &geometry, const std::vector<Finding> &findings,
                    const QString &gatherError, const std::optional<DesignData> &data = std::nullopt);

    // Shows the design's pole count; emits nothing.
    void setPoles(const QString &poles);
    QString poles() const;

    SectorView *sectorView() const { return view; }
    QListWidget *findingList() const { return list; }
    QTableWidget *designDataTable() const { return table; }

    // The design-data table as tab-separated lines, headings first.
    QString designDataText() const;

public Q_SLOTS:
    void copyDesignData();

Q_SIGNALS:
    // The user clicked a finding about this design key.
    void fieldRequested(const QString &key);
    // The user changed the pole count.
    void polesEdited(const QString &poles);

private:
    QWidget *createChecksPanel();
    QWidget *createDataPanel();
    void showDesignData(const std::optional<DesignData> &data);

    SectorView *view;
    QListWidget *list;
    QLabel *summary;
    QLineEdit *polesBox;
    QTableWidget *table;
};

}  // namespace lamina
