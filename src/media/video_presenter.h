// Shows a player's pictures in the application's widget found by its native handle.
// The widget is touched on the application (GUI) thread only: an event filter installed there draws the
// latest picture on each Paint event before the widget's own paintEvent, so whatever the widget paints
// itself (an idle background, a selection rectangle) still shows on top. Player threads only store the
// decoded picture and post a repaint. The paint converts it, in one pass, to the size it is shown at
// (its display region, fitted into the widget keeping the aspect) and draws that unscaled; a picture
// replaced before a paint came is never converted. The conversion is kept for paints of the same
// picture at the same size.
#pragma once

#include "picture_scaler.h"
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

    void show(DecodedPicture picture);
    bool hasPicture() const;
    // The picture on screen, whole and at its decoded size (not as scaled for the widget).
    QImage fullPicture() const;
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

    const TSDK_WINDOW window_;
    mutable std::mutex mutex_;
    DecodedPicture picture_;
    std::optional<QRect> region_;
    mutable bool painted_ = false; // the stored picture was painted at least once
    bool detached_ = false;
    std::atomic<bool> repaintPosted_{false};

    // GUI thread only: the last conversion, and what it was made of.
    struct Shown {
        DecodedPicture picture;
        QRect source;
        QImage image;
    };
    mutable PictureScaler scaler_;
    mutable Shown shown_;
};

} // namespace korvane::media
