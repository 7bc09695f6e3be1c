#include "video_presenter.h"

#include "ffmpeg_ptr.h"
#include "gui_thread.h"
#include "presenter_stats.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QWidget>

namespace korvane::media {

namespace {

constexpr const char *kFilterName = "korvane-video-presenter";

std::atomic<uint64_t> g_shown{0};
std::atomic<uint64_t> g_replacedUnpainted{0};

// Lives as a child of the widget, so it goes away with it; draws for as long as the presenter lives.
class PaintFilter : public QObject
{
public:
    PaintFilter(std::weak_ptr<const VideoPresenter> presenter, QWidget *widget)
        : QObject(widget), presenter_(std::move(presenter))
    {
        setObjectName(kFilterName);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == parent())
            if (auto presenter = presenter_.lock()) presenter->paint(static_cast<QWidget *>(watched));
        return false;
    }

    bool drawsFor(const VideoPresenter *presenter) const
    {
        auto mine = presenter_.lock();
        return !mine || mine.get() == presenter;
    }

private:
    std::weak_ptr<const VideoPresenter> presenter_;
};

QWidget *widgetOf(TSDK_WINDOW window) { return window ? QWidget::find(WId(window)) : nullptr; }

PaintFilter *filterOf(QWidget *widget)
{
    for (QObject *child : widget->children())
        if (auto *filter = dynamic_cast<PaintFilter *>(child)) return filter;
    return nullptr;
}

// Centred, with an even width: libswscale converts to RGB several times faster at even widths (an odd
// one makes it interpolate chroma for every pixel).
QRect fitKeepingAspect(const QSize &source, const QRect &target)
{
    QSize size = source.scaled(target.size(), Qt::KeepAspectRatio);
    size.setWidth(size.width() & ~1);
    if (size.isEmpty()) return {};
    return QRect(target.x() + (target.width() - size.width()) / 2, target.y() + (target.height() - size.height()) / 2,
                 size.width(), size.height());
}

// The pixels of a width x height picture that a region of the 0..8192 picture covers; all of them without one.
QRect sourceRect(int width, int height, const std::optional<QRect> &region)
{
    const QRect whole(0, 0, width, height);
    if (!region) return whole;
    const auto scaleX = [&](int v) { return int(int64_t(v) * width / VideoPresenter::kRegionScale); };
    const auto scaleY = [&](int v) { return int(int64_t(v) * height / VideoPresenter::kRegionScale); };
    QRect source(QPoint(scaleX(region->left()), scaleY(region->top())),
                 QPoint(scaleX(region->left() + region->width()) - 1, scaleY(region->top() + region->height()) - 1));
    return source.isEmpty() ? whole : source;
}

} // namespace

PresenterStats presenterStats()
{
    return {g_shown.load(std::memory_order_relaxed), g_replacedUnpainted.load(std::memory_order_relaxed)};
}

std::shared_ptr<VideoPresenter> VideoPresenter::create(TSDK_WINDOW window)
{
    std::shared_ptr<VideoPresenter> presenter(new VideoPresenter(window));
    presenter->attach();
    return presenter;
}

// A widget shows one player at a time: a filter left by an earlier player is replaced.
void VideoPresenter::attach()
{
    onGuiThread([weak = weak_from_this()] {
        auto self = weak.lock();
        QWidget *widget = self ? widgetOf(self->window_) : nullptr;
        if (!widget) return;
        delete filterOf(widget);
        widget->installEventFilter(new PaintFilter(self, widget));
        widget->update();
    });
}

void VideoPresenter::detach()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        detached_ = true;
        picture_ = nullptr;
    }
    onGuiThread([self = shared_from_this()] {
        self->shown_ = {};
        QWidget *widget = widgetOf(self->window_);
        if (!widget) return;
        PaintFilter *filter = filterOf(widget);
        if (filter && filter->drawsFor(self.get())) delete filter;
        widget->update();
    });
}

void VideoPresenter::show(DecodedPicture picture)
{
    if (!picture) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (detached_) return;
        if (picture_ && !painted_) g_replacedUnpainted.fetch_add(1, std::memory_order_relaxed);
        picture_ = std::move(picture);
        painted_ = false;
    }
    g_shown.fetch_add(1, std::memory_order_relaxed);
    requestRepaint();
}

void VideoPresenter::requestRepaint()
{
    if (repaintPosted_.exchange(true)) return;
    onGuiThread([weak = weak_from_this()] {
        auto self = weak.lock();
        if (!self) return;
        self->repaintPosted_ = false;
        if (QWidget *widget = widgetOf(self->window_)) widget->update();
    });
}

bool VideoPresenter::hasPicture() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return picture_ != nullptr;
}

QImage VideoPresenter::fullPicture() const
{
    DecodedPicture picture;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        picture = picture_;
    }
    return picture ? PictureScaler().full(*picture) : QImage();
}

bool VideoPresenter::setRegion(const std::optional<QRect> &region)
{
    const QRect whole(0, 0, kRegionScale, kRegionScale);
    if (region && (region->isEmpty() || !whole.intersects(*region))) return false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        region_ = region ? std::optional<QRect>(region->intersected(whole)) : std::nullopt;
    }
    requestRepaint();
    return true;
}

void VideoPresenter::paint(QWidget *widget) const
{
    DecodedPicture picture;
    std::optional<QRect> region;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (detached_ || !picture_) return;
        picture = picture_;
        region = region_;
        painted_ = true;
    }
    const QRect source = sourceRect(picture->width, picture->height, region);
    const QRect target = fitKeepingAspect(source.size(), widget->rect());
    if (target.isEmpty()) return;
    const qreal ratio = widget->devicePixelRatioF();
    const QSize pixels = (QSizeF(target.size()) * ratio).toSize();
    if (shown_.picture != picture || shown_.source != source || shown_.image.size() != pixels) {
        shown_ = {picture, source, scaler_.scale(*picture, source, pixels)};
        shown_.image.setDevicePixelRatio(ratio);
    }
    QPainter painter(widget);
    if (shown_.image.isNull()) {
        painter.fillRect(widget->rect(), Qt::black);
        return;
    }
    for (const QRect &bar : QRegion(widget->rect()).subtracted(target)) painter.fillRect(bar, Qt::black);
    painter.drawImage(target.topLeft(), shown_.image);
}

} // namespace korvane::media
