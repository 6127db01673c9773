#include "RecordingPaintDevice.h"

#include <QPaintEngine>
#include <QTransform>

// Claims every feature so that the painter hands over untransformed primitives
// together with its transform, which the engine applies itself.
class RecordingPaintEngine : public QPaintEngine
{
public:
    explicit RecordingPaintEngine(RecordingPaintDevice& device)
        : QPaintEngine(QPaintEngine::AllFeatures), m_device(device)
    {
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override
    {
        const QPaintEngine::DirtyFlags flags = state.state();
        if (flags & DirtyTransform)
            m_transform = state.transform();
        if (flags & DirtyPen)
            m_pen = state.pen();
        if (flags & DirtyBrush)
            m_brush = state.brush();
        if (flags & DirtyFont)
            m_font = state.font();
    }

    void drawTextItem(const QPointF& position, const QTextItem& item) override
    {
        m_device.recorded.texts.append({item.text(), m_transform.map(position), m_font, m_pen.color()});
    }

    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_device.recorded.lines.append(m_transform.map(lines[i]));
    }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF rect = m_transform.mapRect(rects[i]);
            if (m_brush.style() != Qt::NoBrush)
                m_device.recorded.fills.append({rect, m_brush.color()});
            if (m_pen.style() != Qt::NoPen)
                m_device.recorded.rects.append(rect);
        }
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}

private:
    RecordingPaintDevice& m_device;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
};

QStringList RecordingPaintDevice::Recording::strings() const
{
    QStringList result;
    for (const Text& text : texts)
        result.append(text.text);
    return result;
}

RecordingPaintDevice::RecordingPaintDevice(int dotsPerInch, QSize pixels)
    : m_dotsPerInch(dotsPerInch), m_pixels(pixels), m_engine(std::make_unique<RecordingPaintEngine>(*this))
{
}

RecordingPaintDevice::~RecordingPaintDevice() = default;

QPaintEngine* RecordingPaintDevice::paintEngine() const
{
    return m_engine.get();
}

int RecordingPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_pixels.width();
    case PdmHeight:
        return m_pixels.height();
    case PdmWidthMM:
        return qRound(m_pixels.width() * 25.4 / m_dotsPerInch);
    case PdmHeightMM:
        return qRound(m_pixels.height() * 25.4 / m_dotsPerInch);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dotsPerInch;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}
