// Shows a player's pictures in the application's widget found by its native handle.
// The widget is touched on the application (GUI) thread only: an event filter installed there draws the
// latest picture on each Paint event before the widget's own paintEvent, so whatever the widget paints
// itself (an idle background, a selection rectangle) still shows on top. Player threads only store the
// picture and post a repaint.
#pragma once

#include "tnetsdk.h"

#include <QImage>
#include <QRect>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

class QWidget;

namespace korvane::media {

class VideoPresenter : public std::enable_shared_from_this<VideoPresenter>
{
public:
    static constexpr int kRegionScale = 8192;

    static std::shared_ptr<VideoPresenter> create(TSDK_WINDOW window);

    void show(const QImage &picture);
    QImage picture() const;
    bool hasPicture() const;
    // A rectangle of the 0..8192 picture, or nothing for the whole picture. False for an empty rectangle.
    bool setRegion(const std::optional<QRect> &region);
    // Stops drawing and lets the widget repaint without the video.
    void detach();

    // GUI thread only.
    void paint(QWidget *widget) const;

private:
    explicit VideoPresenter(TSDK_WINDOW window) : window_(window) {}
    void attach();
    void requestRepaint();
    QRect sourceRect(const QImage &picture, const std::optional<QRect> &region) const;

    const TSDK_WINDOW window_;
    mutable std::mutex mutex_;
    QImage picture_;
    std::optional<QRect> region_;
    mutable bool painted_ = false; // the stored picture was painted at least once
    bool detached_ = false;
    std::atomic<bool> repaintPosted_{false};
};

} // namespace korvane::media
