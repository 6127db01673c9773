#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>

class RecordingPaintEngine;

// A paint device that keeps what is painted on it, in device pixels, so tests can
// tell what a page drew and where without looking at pictures.
class RecordingPaintDevice : public QPaintDevice
{
public:
    struct Text
    {
        QString text;
        // The start of the baseline.
        QPointF position;
        QFont font;
        QColor color;
    };
    struct Fill
    {
        QRectF rect;
        QColor color;
    };
    struct Recording
    {
        QList<Text> texts;
        QList<QLineF> lines;
        // Outlined rectangles.
        QList<QRectF> rects;
        QList<Fill> fills;

        QStringList strings() const;
    };

    explicit RecordingPaintDevice(int dotsPerInch, QSize pixels = QSize(1000, 1000));
    ~RecordingPaintDevice() override;

    QPaintEngine* paintEngine() const override;

    Recording recorded;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int m_dotsPerInch;
    QSize m_pixels;
    std::unique_ptr<RecordingPaintEngine> m_engine;
};
